#pragma once

// Reads a PDF back with poppler's pdftotext (an independent reader): the pages' sizes and every word
// with its box, in millimetres from the top-left corner of the page.

#include <QFile>
#include <QList>
#include <QProcess>
#include <QRectF>
#include <QRegularExpression>
#include <QString>
#include <QStringList>

namespace PdfWords {

constexpr double kMmPerPoint = 25.4 / 72.0;

struct Word
{
    QString text;
    QRectF box;  // mm
};

struct Page
{
    QSizeF size;  // mm
    QList<Word> words;

    QString text() const
    {
        QStringList all;
        for (const Word &word : words)
            all << word.text;
        return all.join(QLatin1Char(' '));
    }

    // The box around the first run of consecutive words that spells `phrase` (blank-separated);
    // an empty box when there is none.
    QRectF find(const QString &phrase, int from = 0) const
    {
        const QStringList tokens = phrase.split(QLatin1Char(' '), Qt::SkipEmptyParts);
        for (int i = from; i + tokens.size() <= words.size(); ++i) {
            QRectF box;
            bool match = true;
            for (int k = 0; k < tokens.size() && match; ++k) {
                match = words.at(i + k).text == tokens.at(k);
                box = box.isNull() ? words.at(i + k).box : box.united(words.at(i + k).box);
            }
            if (match && !tokens.isEmpty())
                return box;
        }
        return QRectF();
    }

    int count(const QString &word) const
    {
        int n = 0;
        for (const Word &w : words)
            n += w.text == word ? 1 : 0;
        return n;
    }
};

inline QString unescape(QString text)
{
    text.replace(QStringLiteral("&lt;"), QStringLiteral("<"));
    text.replace(QStringLiteral("&gt;"), QStringLiteral(">"));
    text.replace(QStringLiteral("&quot;"), QStringLiteral("\""));
    text.replace(QStringLiteral("&#39;"), QStringLiteral("'"));
    text.replace(QStringLiteral("&apos;"), QStringLiteral("'"));
    text.replace(QStringLiteral("&amp;"), QStringLiteral("&"));
    return text;
}

// The pages of a PDF file; empty when the file cannot be read.
inline QList<Page> read(const QString &pdfPath)
{
    QProcess process;
    process.start(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), pdfPath, QStringLiteral("-")});
    if (!process.waitForFinished(60000) || process.exitCode() != 0)
        return {};
    const QString html = QString::fromUtf8(process.readAllStandardOutput());
    static const QRegularExpression pageRe(QStringLiteral("<page width=\"([\\d.]+)\" height=\"([\\d.]+)\">"));
    static const QRegularExpression wordRe(QStringLiteral(
        "<word xMin=\"([\\d.]+)\" yMin=\"([\\d.]+)\" xMax=\"([\\d.]+)\" yMax=\"([\\d.]+)\">(.*?)</word>"));
    QList<Page> pages;
    const QStringList chunks = html.split(QStringLiteral("</page>"));
    for (const QString &chunk : chunks) {
        const QRegularExpressionMatch head = pageRe.match(chunk);
        if (!head.hasMatch())
            continue;
        Page page;
        page.size = QSizeF(head.captured(1).toDouble(), head.captured(2).toDouble()) * kMmPerPoint;
        auto it = wordRe.globalMatch(chunk);
        while (it.hasNext()) {
            const QRegularExpressionMatch m = it.next();
            const QPointF topLeft(m.captured(1).toDouble(), m.captured(2).toDouble());
            const QPointF bottomRight(m.captured(3).toDouble(), m.captured(4).toDouble());
            page.words.append({unescape(m.captured(5)), QRectF(topLeft * kMmPerPoint, bottomRight * kMmPerPoint)});
        }
        pages.append(page);
    }
    return pages;
}

}  // namespace PdfWords
