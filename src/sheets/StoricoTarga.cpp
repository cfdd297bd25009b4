#include "sheets/StoricoTarga.h"

#include "archive/RecordReader.h"
#include "archive/SchedaRecord.h"
#include "common/CodePage.h"
#include "common/Formats.h"
#include "common/TextRules.h"

#include <QDate>
#include <QList>
#include <QRegularExpression>

#include <algorithm>

namespace StoricoTarga {

namespace {

QString text(const char *record, int field)
{
    const RecordFormat::Bytes bytes = SchedaRecord::format().trimmed(record, field);
    return CodePage::toUnicode(bytes.data, bytes.size);
}

QString firstLine(const QString &memo)
{
    const QStringList lines = memo.split(QRegularExpression(QStringLiteral("[\r\n]+")), Qt::SkipEmptyParts);
    return lines.isEmpty() ? QString() : TextRules::trim(lines.first());
}

// The total's column: as wide as the stored total can be, so that every total shows whole.
constexpr int kTotalWidth = 15;

struct Entry
{
    QDate date;
    QString line;
    qint64 position;
};

}  // namespace

QString comparablePlate(const QString &plate)
{
    QString kept;
    for (const QChar c : plate) {
        if (c.isSpace() || c == QLatin1Char('.') || c == QLatin1Char('-'))
            continue;
        kept.append(c.toUpper());
    }
    return kept;
}

std::optional<qint64> cents(const QString &stored)
{
    static const QRegularExpression plain(QStringLiteral("^(-?)(\\d{1,15})(?:[,.](\\d{1,2}))?$"));
    static const QRegularExpression grouped(QStringLiteral("^(-?)(\\d{1,3}(?:\\.\\d{3}){1,4})(?:,(\\d{1,2}))?$"));
    const QString trimmed = TextRules::trim(stored);
    QRegularExpressionMatch match = plain.match(trimmed);
    if (!match.hasMatch())
        match = grouped.match(trimmed);
    if (!match.hasMatch())
        return std::nullopt;
    const qint64 units = match.captured(2).remove(QLatin1Char('.')).toLongLong();
    const QString decimals = match.captured(3).leftJustified(2, QLatin1Char('0'));
    const qint64 value = units * 100 + decimals.toLongLong();
    return match.captured(1).isEmpty() ? value : -value;
}

QString amountText(qint64 cents)
{
    // In unsigned arithmetic, where the most negative value has a magnitude too.
    const quint64 magnitude = cents < 0 ? 0 - quint64(cents) : quint64(cents);
    return QStringLiteral("%1%2,%3")
        .arg(cents < 0 ? QStringLiteral("-") : QString())
        .arg(magnitude / 100)
        .arg(magnitude % 100, 2, 10, QLatin1Char('0'));
}

QString heading()
{
    return ListLines::column(QStringLiteral("Scheda n."), 12) + QStringLiteral("  ")
           + ListLines::column(QStringLiteral("Data"), 10) + QStringLiteral("  ")
           + ListLines::column(QStringLiteral("Lavori eseguiti"), 45) + QStringLiteral("  ")
           + QStringLiteral("Totale €").rightJustified(kTotalWidth) + QStringLiteral("  ") + QStringLiteral("Pagato");
}

QString summary(const History &history)
{
    QString text = QStringLiteral("Totale interventi: € ") + amountText(history.totalCents)
                   + QStringLiteral("   Da saldare: € ") + amountText(history.unpaidCents);
    if (history.unreadable == 1)
        text += QStringLiteral("   (1 importo non leggibile)");
    else if (history.unreadable > 1)
        text += QStringLiteral("   (%1 importi non leggibili)").arg(history.unreadable);
    return text;
}

bool scan(const QString &archivePath, const QString &plate, History &history)
{
    history = History{};
    const QString wanted = comparablePlate(plate);
    if (wanted.isEmpty())
        return true;
    RecordReader archive;
    if (!archive.open(archivePath, SchedaRecord::kSize))
        return false;
    for (const int field : {SchedaRecord::fTarga, SchedaRecord::fTotale, SchedaRecord::fPagato, SchedaRecord::fData,
                            SchedaRecord::fNumScheda, SchedaRecord::fInterventi})
        archive.need(SchedaRecord::format(), field);
    QList<Entry> entries;
    while (const char *record = archive.next()) {
        if (comparablePlate(text(record, SchedaRecord::fTarga)) != wanted)
            continue;
        const QString total = text(record, SchedaRecord::fTotale);
        const QString paid = text(record, SchedaRecord::fPagato);
        if (const std::optional<qint64> amount = cents(total)) {
            history.totalCents += *amount;
            if (paid == QLatin1String("No"))
                history.unpaidCents += *amount;
        } else {
            ++history.unreadable;
        }
        const QString date = text(record, SchedaRecord::fData);
        const QString line = ListLines::column(text(record, SchedaRecord::fNumScheda), 12) + QStringLiteral("  ")
                             + ListLines::column(date, 10) + QStringLiteral("  ")
                             + ListLines::column(firstLine(text(record, SchedaRecord::fInterventi)), 45)
                             + QStringLiteral("  ") + total.rightJustified(kTotalWidth) + QStringLiteral("  ") + paid;
        entries.append({Formats::parseDate(date), line, archive.position()});
    }
    const bool ok = !archive.failed();
    archive.close();
    std::stable_sort(entries.begin(), entries.end(), [](const Entry &a, const Entry &b) {
        if (a.date.isValid() != b.date.isValid())
            return a.date.isValid();
        return a.date < b.date;
    });
    for (const Entry &entry : entries)
        history.sheets.add(entry.line, entry.position);
    return ok;
}

}  // namespace StoricoTarga
