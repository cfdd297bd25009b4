#pragma once

#include "archive/ListRules.h"

#include <QString>

#include <optional>

// A vehicle's history by plate: every intervention sheet whose plate is the vehicle's, listed by date
// of issue, with the sum of the totals and of the totals still unpaid. Plates are compared without
// blanks, dots and dashes and without letter case ("ab 123.cd" is "AB123CD"); amounts are summed
// exactly in cents.
namespace StoricoTarga {

// The plate as compared: blanks, dots and dashes dropped, letters upper-cased.
QString comparablePlate(const QString &plate);

// A stored total in cents: digits with an optional decimal comma (or point) and one or two decimals,
// thousands points allowed before a comma ("1.234,56"), an optional minus sign. Nothing when the text
// is not such a number (the empty text included).
std::optional<qint64> cents(const QString &stored);

// Cents as the program writes amounts: "1234,56", "-0,50".
QString amountText(qint64 cents);

struct History
{
    ListedRecords sheets;
    qint64 totalCents = 0;
    qint64 unpaidCents = 0;
    int unreadable = 0;  // totals that are not a number, left out of both sums
};

// The column heading of the list lines.
QString heading();

// The line under the list: "Totale interventi: € …   Da saldare: € …", followed by
// "   (N importi non leggibili)" when some totals could not be read.
QString summary(const History &history);

// Reads the sheet archive in large blocks and lists the sheets of the plate: sheets with a valid
// "dd/mm/yyyy" date of issue by date, then those without, each group in archive order. An empty
// plate lists nothing. False when the archive cannot be read.
bool scan(const QString &archivePath, const QString &plate, History &history);

}  // namespace StoricoTarga
