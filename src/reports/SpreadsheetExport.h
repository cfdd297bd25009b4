#pragma once

#include "archive/RecordLayout.h"

#include <QByteArray>
#include <QMap>
#include <QString>
#include <QVector>

#include <functional>
#include <utility>

// The spreadsheet exports of the customer and vehicle archives ("Clienti.xls", "Parco_Automezzi.xls"):
// an HTML table in Office's own dialect that spreadsheet programs open as a worksheet. The file is
// one single line of Windows-1252 text without byte-order mark: the frame (html, head, the Excel
// worksheet options, body, table), a header row and one data row per grid row. Every data cell is
// marked as text both for Excel (the table's x:str) and for LibreOffice (each cell's sdnum with the
// text format "@"): no stored text is ever read as a number, a date or a formula.
//
// A Table says everything that differs between the two exports. The export grid shows the table's
// columns after its row-number column "N." (grid column 0, never exported), so grid column c
// (1 .. columns.size()) is columns[c - 1] and becomes the c-th cell of a file row.
namespace SpreadsheetExport {

struct Column
{
    const char *name;    // the grid column's object name ("colCliente")
    QString gridHeader;  // header and width shown in the grid
    int gridWidth;
    bool readOnly;       // the grid refuses edits in this column
    QString fileHeader;  // header cell and column width written to the file
    int fileWidth;
    int field;        // the record field shown ...
    int joined = -1;  // ... followed by one blank and this second field, or -1
};

struct Table
{
    QString fileName;       // in the program folder
    QString worksheetName;  // the worksheet's tab
    QString archiveWords;   // how a message names the archive: "l'archivio dei clienti"
    const RecordFormat *format;
    QVector<Column> columns;
};

// The row-number column that every export grid shows first.
constexpr int kNumberColumnWidth = 60;
QString numberColumnHeader();

// Edits made in the grid, by (row from 0, grid column from 1): they replace the cell's text from
// the archive in what is written, and never reach the archive itself.
using Edits = QMap<std::pair<qint64, int>, QString>;

// The text of a grid cell as read from a record: the field trimmed, or the two fields trimmed and
// joined by one blank (nothing is added when either is empty).
QString cellText(const Table &table, int gridColumn, const char *record);

// Windows-1252 bytes with & < > written as HTML entities, and control characters and every blank
// that follows a blank or a control character as character references, so that spreadsheet programs
// show the text as it was stored (HTML would fold them into one blank).
void appendEscaped(QByteArray &out, const char *data, qsizetype size);

// The file up to the end of the header row, and after the last data row.
QByteArray head(const Table &table);
QByteArray tail();
// One data row from a whole record of the table's format; edits (may be null) replace single cells.
void appendRow(QByteArray &out, const Table &table, const char *record, qint64 row, const Edits *edits);

enum class Outcome {
    Written,            // the new file replaced the old one
    ArchiveUnreadable,  // the archive could not be read for all the grid's rows: nothing written
    FileNotWritten,     // the file could not be written: the old file is untouched
};

// Called while writing with the rows written so far and the total.
using Progress = std::function<void(qint64 done, qint64 total)>;
constexpr qint64 kProgressRows = 2000;

// Writes the export of `rows` rows to targetPath: records 1 .. rows of the archive, read in blocks,
// with the grid's edits applied. The file is written to a temporary file that replaces the old one
// only once it is complete, so on any failure the previous export stays as it was. An archive with
// fewer records than rows (shortened, damaged, unreadable) writes nothing; records beyond rows
// (appended meanwhile by another workstation) are not part of the grid and are not written.
// progress, when given, runs every kProgressRows rows and once at the end.
Outcome write(const Table &table, const QString &archivePath, qint64 rows, const Edits &edits,
              const QString &targetPath, const Progress &progress = {});

// The messages of the export dialogs.
QString writeFailedMessage();
QString archiveUnreadableMessage(const Table &table);

}  // namespace SpreadsheetExport
