#pragma once

#include "archive/RecordLayout.h"

#include <QByteArray>
#include <QHash>
#include <QString>
#include <QStringList>
#include <QVector>

class QIODevice;

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
qint64 exportArchive(const QString &folder, const RecordFormat &record, Format format, const QString &fileName,
                     QString *error);

// One row of a file being read: the column names and the values of the row (for CSV the header and
// the row's fields, for JSON the keys and values of one object), or the reason the row cannot be
// read (wrong field count, a stray quote, text that is not UTF-8, a value that is not text).
struct Row
{
    QStringList columns;
    QStringList values;
    QString error;
};

// Reads a CSV or JSON file one row at a time from a device, never holding more than one row: memory
// stays flat whatever the size of the file. CSV is read strictly (RFC 4180): a quote inside a field
// that does not start with one, or text after a closing quote, is an error of that row (the row ends
// at its line end), never the start of a quoted field that swallows the next rows. A row longer than
// kMaxRowBytes, a quoted field still open at the end, or a JSON file whose syntax is broken stops the
// whole file.
class RowReader
{
public:
    static constexpr qint64 kMaxRowBytes = 4 * 1024 * 1024;

    RowReader(Format format, QIODevice *device);
    // The next row; false at the end of the file or when the file as a whole cannot be read (error()
    // is then set, in Italian).
    bool next(Row &row);
    // The CSV header (empty until the first row was asked for, and for JSON).
    const QStringList &header() const { return m_header; }
    QString error() const { return m_error; }

private:
    bool fill();
    int peek();
    bool nextCsv(Row &row);
    bool nextJson(Row &row);
    bool readCsvLine(QList<QByteArray> &fields, QString &rowError, bool *any);
    bool skipJsonBlanks();
    bool jsonFailed(const QString &what);

    Format m_format;
    QIODevice *m_device;
    QByteArray m_buffer;
    qsizetype m_at = 0;
    qint64 m_offset = 0;  // bytes of the file before m_buffer
    bool m_started = false;
    bool m_ended = false;
    bool m_opened = false;  // the CSV header, or the JSON opening bracket, was read
    QStringList m_header;
    qint64 m_rowsRead = 0;
    QString m_error;
};

// Checks rows against a record format and turns them into record buffers. Problems of the columns
// (unknown, repeated) are told once each.
class RowChecker
{
public:
    explicit RowChecker(const RecordFormat &record);
    // The problems of a set of columns (a CSV header); the columns of JSON rows are checked by check().
    QStringList checkColumns(const QStringList &columns);
    // The record of a row (number: 1-based, for the messages): true with *bytes set, or false with
    // the row's problems appended to *problems. Unknown columns append their problem once.
    bool check(const Row &row, qint64 number, QByteArray *bytes, QStringList *problems);

private:
    int fieldOf(const QString &column, QStringList *problems);

    const RecordFormat &m_record;
    QHash<QString, int> m_fields;  // column name -> field index, -1 position, -2 unknown
};

// A whole parsed file in memory (small files, tests): its header and its rows; error is set (and the
// rest meaningless) when the file as a whole cannot be read. Row problems that belong to single rows
// (wrong field count, a value that is not text) are kept per row. For JSON the header is every key
// met, in the order first met.
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

// The list of problems of an import, kept short: the first kShownProblems are kept, the others only
// counted.
struct Problems
{
    static constexpr int kShown = 100;
    QStringList shown;
    qint64 total = 0;
    void add(const QString &problem);
    void add(const QStringList &problems);
    // The lines to show: the problems kept and, when some were left out, one line that counts them.
    QStringList lines() const;
};

// An import of a whole file, streamed: a first pass reads and checks every row, keeping only the
// problems (capped) and the count; when there is none and it is not a dry run, a second pass reads
// the file again and appends its records to the archive while it reads them, all or nothing: memory
// stays flat whatever the size of the file. The file must be a regular file (it is read twice); a
// file changed between the two passes writes nothing.
struct ImportResult
{
    enum Outcome {
        Appended,        // records appended (or, in a dry run, all could be)
        FileUnreadable,  // error: the file cannot be opened or read as a whole
        Refused,         // problems: rows or columns refused, nothing written
        NotWritten,      // error: the archive refused the append, nothing written
    } outcome = FileUnreadable;
    qint64 records = 0;
    Problems problems;
    QString error;
};
ImportResult importFile(const QString &folder, const RecordFormat &record, Format format, const QString &fileName,
                        bool dryRun);

}  // namespace OpenFormats
