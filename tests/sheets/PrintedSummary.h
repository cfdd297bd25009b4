#pragma once

// What a list dialog's "Stampa" put on paper: the test printer writes a PDF, read back here with
// poppler's tools (pdftotext through PdfWords, pdfinfo for the document name).

#include "reports/PdfWords.h"

#include <QDate>
#include <QProcess>
#include <QRegularExpression>
#include <QStringList>

#include <algorithm>

namespace PrintedSummary {

struct Read
{
    QString name;       // the report name, which the printer gives the document
    QStringList lines;  // the printed lines of every page, top to bottom, words one blank apart
};

inline Read read(const QString &pdf)
{
    Read r;
    QProcess info;
    info.start(QStringLiteral("pdfinfo"), {pdf});
    info.waitForFinished(60000);
    static const QRegularExpression title(QStringLiteral("(?m)^Title:\\s+(.*)$"));
    r.name = title.match(QString::fromUtf8(info.readAllStandardOutput())).captured(1).trimmed();
    for (const PdfWords::Page &page : PdfWords::read(pdf)) {
        // Words whose tops lie within half a millimetre make one line; lines top to bottom, words
        // left to right.
        QList<PdfWords::Word> words = page.words;
        std::sort(words.begin(), words.end(),
                  [](const PdfWords::Word &a, const PdfWords::Word &b) { return a.box.top() < b.box.top(); });
        QList<QList<PdfWords::Word>> rows;
        for (const PdfWords::Word &w : words) {
            if (rows.isEmpty() || w.box.top() - rows.last().first().box.top() > 0.5)
                rows.append(QList<PdfWords::Word>());
            rows.last().append(w);
        }
        for (QList<PdfWords::Word> &row : rows) {
            std::sort(row.begin(), row.end(),
                      [](const PdfWords::Word &a, const PdfWords::Word &b) { return a.box.left() < b.box.left(); });
            QStringList texts;
            for (const PdfWords::Word &w : row)
                texts << w.text;
            r.lines << texts.join(QLatin1Char(' '));
        }
    }
    return r;
}

// A text as the PDF's words give it back: runs of blanks become one blank.
inline QString words(const QString &text)
{
    return text.split(QLatin1Char(' '), Qt::SkipEmptyParts).join(QLatin1Char(' '));
}

// True when the paper shows the title, then every list line in order (an empty line prints nothing to
// read), then the footer with today's date, and nothing else.
inline bool shows(const Read &r, const QString &title, const QStringList &lines, QString *why)
{
    QStringList expected;
    expected << words(title);
    for (const QString &line : lines) {
        if (!words(line).isEmpty())
            expected << words(line);
    }
    const QString footer = QStringLiteral("Stampa eseguita in data ")
                           + QDate::currentDate().toString(QStringLiteral("dd/MM/yyyy")) + QStringLiteral(" alle ore ");
    if (r.lines.size() != expected.size() + 1) {
        *why = QStringLiteral("%1 printed lines, expected %2:\n").arg(r.lines.size()).arg(expected.size() + 1)
               + r.lines.join(QLatin1Char('\n'));
        return false;
    }
    for (int i = 0; i < expected.size(); ++i) {
        if (r.lines.at(i) != expected.at(i)) {
            *why = QStringLiteral("printed: ") + r.lines.at(i) + QStringLiteral("\nexpected: ") + expected.at(i);
            return false;
        }
    }
    if (!r.lines.last().startsWith(footer)) {
        *why = QStringLiteral("footer: ") + r.lines.last();
        return false;
    }
    return true;
}

}  // namespace PrintedSummary
