#pragma once

#include "archive/FieldMatch.h"
#include "archive/SchedaRecord.h"
#include "archive/ListRules.h"

#include <QList>
#include <QString>
#include <QVector>

#include <array>

// The sheet search and the unpaid-accounts list without their windows: criteria matching on the
// stored bytes, the sheet list line, and the scans of the sheet archive. The dialogs run exactly
// this code, and so does the benchmark tool.
namespace SchedaSearch {

// The fields searched by the ten criteria of the search dialog, in the dialog's order.
const std::array<SchedaRecord::Field, 10> &criterionFields();

struct Criterion
{
    SchedaRecord::Field field;
    QString text;  // as typed
};

// The criteria of one search, prepared once: a criterion takes part when its trimmed text is not
// empty; it matches when its text as typed, lower-cased on A to Z, occurs in the record's field as
// stored (not trimmed), lower-cased the same way. A record is listed when every criterion that
// takes part matches; with none, every record is.
class Criteria
{
public:
    Criteria() = default;
    explicit Criteria(const QList<Criterion> &criteria);

    // The number of criteria that take part.
    int count() const { return int(m_parts.size()); }
    // record points at one whole record (SchedaRecord::kSize bytes).
    bool matches(const char *record) const;

private:
    struct Part
    {
        int offset;
        int capacity;
        FieldPattern pattern;
    };
    QVector<Part> m_parts;
};

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

// The same scan, listing the unpaid sheets.
bool unpaid(const QString &archivePath, ListedRecords &found);

}  // namespace SchedaSearch
