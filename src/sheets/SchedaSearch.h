#pragma once

#include "archive/RecordScan.h"
#include "archive/SchedaRecord.h"

#include <QList>
#include <QString>

#include <array>

// The sheet search and the unpaid-accounts list without their windows: criteria matching on the
// stored bytes, the sheet list line, and the scans of the sheet archive. The dialogs run exactly
// this code, and so does the benchmark tool.
namespace SchedaSearch {

// The fields searched by the ten criteria of the search dialog, in the dialog's order.
const std::array<SchedaRecord::Field, 10> &criterionFields();

using Criterion = RecordScan::Criterion;

// The criteria of the sheet search (see RecordScan::Criteria) on the sheet record.
class Criteria : public RecordScan::Criteria
{
public:
    Criteria() = default;
    explicit Criteria(const QList<Criterion> &criteria);
};

// The sheet list line (the line of the search) as a column layout.
const RecordScan::LineLayout &lineSpec();

// The line of the unpaid list: the sheet line without the make, so that the amount owed, at its end,
// shows within a 1366-pixel screen: "Scheda n. " + L(NumScheda, 10) + "  Data: " + L(Data, 10) +
// "  Cliente: " + L(Cliente, 25) + "  Tel. " + L(Recapito, 14) + "  Targa: " + L(Targa, 10) + "  € " +
// Totale.
const RecordScan::LineLayout &unpaidLineSpec();

// The sheet list line of a record: "Scheda n. " + L(NumScheda, 10) + "  Data: " + L(Data, 10) +
// "  Cliente: " + L(Cliente, 25) + "  Tel. " + L(Recapito, 14) + "  " + L(Marca, 25) +
// "  Targa: " + L(Targa, 10) + "  € " + Totale, where L(f, n) is the trimmed field padded with blanks
// or cut to n characters, and the total is trimmed.
QString listLine(const char *record);
QString listLine(const SchedaRecord &record);

// Unpaid: the paid flag, trimmed, reads exactly "No".
bool isUnpaid(const char *record);

// Reads the archive from the first record to the last (in large blocks; memory stays flat apart
// from the lines listed) and lists, in archive order, the line and position of every record that
// the criteria match. A missing archive lists nothing. Returns false when the archive cannot be
// read; found then holds the lines listed before the failure.
bool search(const QString &archivePath, const Criteria &criteria, ListedRecords &found);

// What the unpaid sheets owe: the sum of their totals in cents (see StoricoTarga::cents), and how
// many totals are not a number and were left out of it.
struct Owed
{
    qint64 cents = 0;
    int unreadable = 0;
};

// The same scan, listing the unpaid sheets (with unpaidLineSpec).
bool unpaid(const QString &archivePath, ListedRecords &found);

// What the sheets of these unpaid-list lines owe: the totals at the end of the lines (after the
// fixed-width columns), so that the sum is always that of the lines listed.
Owed owedOf(const QStringList &unpaidLines);

// The line under the unpaid list and on its print: "Totale da saldare: € 1234,56", followed by
// "   (N importi non leggibili)" when some totals could not be read.
QString owedText(const Owed &owed);

}  // namespace SchedaSearch
