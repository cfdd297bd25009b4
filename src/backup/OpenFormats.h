#pragma once

#include "archive/RecordLayout.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QVector>

// The three archives in open formats: every record with every field by its layout name, plus its
// 1-based position ("Posizione"), as UTF-8 CSV (RFC 4180: header row, CRLF line ends, a field with
// a comma, quote or line break quoted, quotes doubled) or as a JSON array of objects. Reading such a
// file back checks every row before anything is written, so that a faulty file adds nothing.
namespace OpenFormats {

enum class Format { Csv, Json };

// The column that holds the record's position; it is written on export and ignored on import (an
// appended record takes the next free position).
QString positionColumn();

// The record format named by a command-line word ("schede", "clienti", "automezzi"), or nullptr.
const RecordFormat *formatForArchive(const QString &word);
// "csv" / "json" (any letter case); false when it is neither.
bool formatFromName(const QString &name, Format *format);
// The format that a file's extension names (.csv, .json); false when it names none.
bool formatFromFileName(const QString &fileName, Format *format);

// One CSV field, quoted when it needs to be.
QString csvField(const QString &text);
// One JSON string literal, with its quotes.
QString jsonString(const QString &text);

// The file text of the given header and rows (each row as many texts as the header has columns).
// In JSON the position column is written as a number.
QByteArray write(Format format, const QStringList &header, const QVector<QStringList> &rows);

// Writes every record of the archive in the program folder to fileName (atomically). Returns the
// number of records written, or -1 with *error set.
qint64 exportArchive(const QString &folder, const RecordFormat &record, Format format,
                     const QString &fileName, QString *error);

// A parsed file: its header and its rows; error is set (and the rest meaningless) when the file as a
// whole cannot be read. Row problems that belong to single rows (wrong field count, a value that is
// not text) are kept per row.
struct Parsed
{
    QStringList header;
    QVector<QStringList> rows;
    QStringList rowErrors;  // one per row, empty when the row was read well
    QString error;
};
Parsed parse(Format format, const QByteArray &bytes);

// The outcome of checking a parsed file against a record format: the record buffers to append
// (only when no problem was found) and one Italian line per problem ("Record 3: ...").
struct Checked
{
    QVector<QByteArray> records;
    QStringList problems;
};
Checked check(const RecordFormat &record, const Parsed &parsed);

// Appends the records to the archive in the program folder, all or nothing (RecordArchive::AppendAll):
// returns how many were appended, all of them or none, with *error set when none.
qint64 appendRecords(const QString &folder, const RecordFormat &record, const QVector<QByteArray> &records,
                     QString *error);

}  // namespace OpenFormats
