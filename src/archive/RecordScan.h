#pragma once

#include "archive/FieldMatch.h"
#include "archive/ListRules.h"
#include "archive/RecordArchive.h"
#include "archive/RecordLayout.h"
#include "archive/RecordReader.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <QVarLengthArray>
#include <QVector>

// The search and list rules that every record list shares (sheet search, unpaid sheets, customer
// search, customers to recontact, vehicle search), for any record format: criteria matched on the
// stored bytes, fixed-column list lines built from the stored bytes, and the block scan of an archive
// that lists the records a rule keeps. The dialogs and the benchmark tool run exactly this code.
namespace RecordScan {

// One criterion of a search: a field of the format and the text as typed.
struct Criterion
{
    int field;
    QString text;
};

// The criteria of one search, prepared once: a criterion takes part when its trimmed text is not
// empty; it matches when its text as typed, lower-cased on A to Z, occurs in the record's field as
// stored (not trimmed), lower-cased the same way. A record is kept when every criterion that takes
// part matches; with none, every record is.
class Criteria
{
public:
    Criteria() = default;
    Criteria(const RecordFormat &format, const QList<Criterion> &criteria);

    // The number of criteria that take part.
    int count() const { return int(m_parts.size()); }
    // record points at a record of the format whose criterion fields (fields()) are valid.
    bool matches(const char *record) const;
    // The fields that the criteria taking part read.
    QList<int> fields() const;

private:
    struct Part
    {
        int field;
        FieldPattern pattern;
    };
    const RecordFormat *m_format = nullptr;
    QVector<Part> m_parts;
};

// A fixed-column list line: pieces of constant text (Windows-1252 bytes) each followed by one field,
// trimmed and padded with blanks on the right to its width or cut to it (width 0: the trimmed field
// whole, for the last column). A piece may join a second field after the first with one blank
// ("surname name", "make model"); the two together are then padded or cut to the width.
class LineLayout
{
public:
    struct Piece
    {
        QByteArray before;
        int field;
        int width;
        int joined = -1;  // a second field after one blank, or -1
    };
    LineLayout(const RecordFormat &format, QVector<Piece> pieces);

    QString build(const char *record) const;
    QString build(const QByteArray &record) const { return build(record.constData()); }
    // Adds the line of record, with its position, to a list (as its Windows-1252 bytes: no QString
    // is made until the line is shown).
    void addTo(ListedRecords &found, const char *record, qint64 position) const;
    const RecordFormat &format() const { return *m_format; }
    // The fields that a line reads.
    QList<int> fields() const;

private:
    using Bytes = QVarLengthArray<char, 512>;
    void encode(const char *record, Bytes &line) const;
    void prefetchField(const char *record, int field) const;

    const RecordFormat *m_format;
    QVector<Piece> m_pieces;
};

// Reads the archive of the format from the first record to the last (see RecordReader: only the
// bytes of the fields read are fetched, those of keepFields of every record and those of the line of
// the records kept; memory stays flat apart from the lines listed) and lists, in
// archive order, the line and position of every record that keep(record) accepts. keepFields are the
// fields that keep reads; without them keep may read the whole record. A missing archive lists
// nothing. Returns false when the archive cannot be read; found then holds the lines listed before the
// failure, which the caller must not present as a complete list.
template<typename Keep>
bool scan(const QString &archivePath, const LineLayout &line, Keep keep, const QList<int> &keepFields,
          ListedRecords &found)
{
    const RecordFormat &format = line.format();
    RecordReader reader;
    if (!reader.open(archivePath, format.size()))
        return false;
    for (const int field : line.fields())
        reader.need(format, field);
    for (const int field : keepFields)
        reader.needEach(format, field);
    // A batch at a time: keep reads the criteria's fields of every record, and the line's fields are
    // then read of the records kept only (one batch of reads where the reader reads spans).
    while (const qint64 count = reader.nextBatch()) {
        for (qint64 i = 0; i < count; ++i) {
            if (keep(reader.record(i)))
                reader.keep(i);
        }
        if (!reader.readKept())
            break;
        for (qint64 k = 0; k < reader.keptCount(); ++k)
            line.addTo(found, reader.keptRecord(k), reader.keptPosition(k));
    }
    const bool ok = !reader.failed();
    reader.close();
    return ok;
}

template<typename Keep>
bool scan(const QString &archivePath, const LineLayout &line, Keep keep, ListedRecords &found)
{
    const RecordFormat &format = line.format();
    RecordReader reader;
    if (!reader.open(archivePath, format.size()))
        return false;
    reader.needWhole();
    while (const char *record = reader.next()) {
        if (keep(record))
            line.addTo(found, record, reader.position());
    }
    const bool ok = !reader.failed();
    reader.close();
    return ok;
}

// The scan of a search: the records that every criterion taking part matches.
bool search(const QString &archivePath, const LineLayout &line, const Criteria &criteria, ListedRecords &found);

// The criteria of a search dialog: the texts of its edits, in order, against its fields, in order.
template<typename Fields>
QList<Criterion> criteriaFor(const Fields &fields, const QStringList &texts)
{
    QList<Criterion> criteria;
    for (qsizetype i = 0; i < texts.size() && i < qsizetype(fields.size()); ++i)
        criteria.append({int(fields[size_t(i)]), texts.at(i)});
    return criteria;
}

// True when the trimmed stored field reads exactly text (Windows-1252 bytes), e.g. a flag "No".
bool fieldIs(const RecordFormat &format, const char *record, int field, const QByteArray &text);

}  // namespace RecordScan
