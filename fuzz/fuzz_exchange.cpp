// What leaves and enters the program as files of other programs: the spreadsheet export writer
// ("Clienti.xls", "Parco_Automezzi.xls") over records and grid edits of fuzz bytes, and the CSV / JSON
// import parser with its record check.
//
// Input: one byte that picks the part (low two bits: 0 customer export, 1 vehicle export, 2 CSV
// import, 3 JSON import; bit 2: for an export, also write the whole file from an archive).
//  - export: up to three grid edits (column byte, length byte, text), a byte of archive records, a byte of grid rows, then
//    the record bytes;
//  - import: the file bytes.
//
// Checked, export: every row holds one cell per column, and each cell, its entities undone, is the
//   grid's text of the record (trimmed field, or two fields joined by one blank) or the edit that
//   replaced it, trimmed; no cell text can open or close a tag; the whole file is the head, the rows
//   and the tail, and nothing is written when the archive holds fewer records than the grid's rows.
// Checked, import: rows and row problems agree (a CSV row with the wrong field count is refused); a file that passes the record check gives records of
//   the archive's size whose fields read back as the file's values, trimmed; a problem keeps every
//   record out; writing the parsed rows back and parsing them again gives the same rows.

#include "FuzzSupport.h"

#include "archive/AutomezzoRecord.h"
#include "archive/ClienteRecord.h"
#include "archive/SchedaRecord.h"
#include "backup/OpenFormats.h"
#include "common/TextRules.h"
#include "customers/ClienteExport.h"
#include "reports/SpreadsheetExport.h"
#include "vehicles/AutomezzoExport.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QTemporaryDir>

namespace {

using SpreadsheetExport::Table;

const QByteArray kCellOpen = QByteArrayLiteral("<td style=\"text-align: left;\" sdnum=\"1040;0;@\">");
const QByteArray kCellClose = QByteArrayLiteral("</td>");

QByteArray trimmedBytes(QByteArray bytes)
{
    while (!bytes.isEmpty() && quint8(bytes.front()) <= 32)
        bytes.remove(0, 1);
    while (!bytes.isEmpty() && quint8(bytes.back()) <= 32)
        bytes.chop(1);
    return bytes;
}

// The cell texts of one row, entities undone.
QList<QByteArray> cellsOf(const QByteArray &row)
{
    FUZZ_CHECK(row.startsWith("<tr>") && row.endsWith("</tr>"), QStringLiteral("row frame"));
    QList<QByteArray> cells;
    qsizetype at = 4;
    const qsizetype end = row.size() - 5;
    while (at < end) {
        FUZZ_CHECK(row.mid(at, kCellOpen.size()) == kCellOpen, QStringLiteral("cell %1 opening").arg(cells.size()));
        at += kCellOpen.size();
        const qsizetype close = row.indexOf(kCellClose, at);
        FUZZ_CHECK(close >= 0 && close + kCellClose.size() <= end, QStringLiteral("cell %1 closing").arg(cells.size()));
        const QByteArray text = row.mid(at, close - at);
        FUZZ_CHECK(!text.contains('<') && !text.contains('>'), Fuzz::shown(text));
        // Nothing that HTML folds is left raw: no control character, no blank after a blank.
        for (qsizetype i = 0; i < text.size(); ++i)
            FUZZ_CHECK(quint8(text.at(i)) >= 32 && !(text.at(i) == ' ' && i > 0 && text.at(i - 1) == ' '),
                       Fuzz::shown(text));
        QByteArray plain;
        for (qsizetype i = 0; i < text.size(); ++i) {
            if (text.at(i) != '&') {
                plain += text.at(i);
                continue;
            }
            const QByteArray rest = text.mid(i);
            if (rest.startsWith("&amp;")) {
                plain += '&';
                i += 4;
            } else if (rest.startsWith("&lt;")) {
                plain += '<';
                i += 3;
            } else if (rest.startsWith("&gt;")) {
                plain += '>';
                i += 3;
            } else if (rest.startsWith("&#")) {
                // A control character or a blank after a blank: HTML would fold it as raw text.
                const qsizetype semicolon = rest.indexOf(';');
                bool ok = false;
                const int code = semicolon > 2 ? rest.mid(2, semicolon - 2).toInt(&ok) : -1;
                FUZZ_CHECK(ok && code >= 0 && code <= 32, Fuzz::shown(text));
                FUZZ_CHECK(code < 32 || (!plain.isEmpty() && quint8(plain.back()) <= 32), Fuzz::shown(text));
                plain += char(code);
                i += semicolon;
            } else {
                Fuzz::fail(__FILE__, __LINE__, "bare ampersand", Fuzz::shown(text));
            }
        }
        cells << plain;
        at = close + kCellClose.size();
    }
    return cells;
}

QTemporaryDir &scratch()
{
    static QTemporaryDir dir;
    return dir;
}

void checkExport(const Table &table, Fuzz::Input &input, bool writeFile)
{
    const int columns = int(table.columns.size());
    SpreadsheetExport::Edits edits;
    const int editCount = input.byte() % 4;
    for (int i = 0; i < editCount; ++i) {
        const quint8 where = input.byte();
        const quint8 length = input.byte();
        const QByteArray text = input.bytes(length % 32);
        edits.insert({qint64(where >> 7), 1 + where % columns},
                     (length & 0x80) ? Fuzz::utf8Text(text) : Fuzz::codePageText(text));
    }
    const int archiveRecords = input.byte() % 3;
    const qint64 rows = input.byte() % 4;
    const int size = table.format->size();
    const QByteArray record = input.rest().left(size).leftJustified(size, '\0');

    for (qint64 row = 0; row < 2; ++row) {
        QByteArray out;
        SpreadsheetExport::appendRow(out, table, record.constData(), row, edits.isEmpty() ? nullptr : &edits);
        const QList<QByteArray> cells = cellsOf(out);
        FUZZ_CHECK(cells.size() == columns, QStringLiteral("%1 cells for %2 columns").arg(cells.size()).arg(columns));
        for (int c = 1; c <= columns; ++c) {
            const QString grid = SpreadsheetExport::cellText(table, c, record.constData());
            FUZZ_CHECK(TextRules::trim(grid) == grid, Fuzz::shown(grid));
            const auto edit = edits.constFind({row, c});
            const QByteArray expected =
                edit != edits.cend() ? trimmedBytes(CodePage::fromUnicode(*edit)) : CodePage::fromUnicode(grid);
            FUZZ_CHECK(cells.at(c - 1) == expected, QStringLiteral("row %1 column %2: ").arg(row).arg(c)
                                                        + Fuzz::shown(cells.at(c - 1)) + QStringLiteral(", expected ")
                                                        + Fuzz::shown(expected));
        }
    }
    if (!writeFile)
        return;

    // The whole file from an archive of a few copies of the record.
    const QString archivePath = QDir(scratch().path()).filePath(table.format->fileName());
    const QString target = QDir(scratch().path()).filePath(table.fileName);
    QFile::remove(target);
    {
        QFile archive(archivePath);
        FUZZ_CHECK(archive.open(QIODevice::WriteOnly | QIODevice::Truncate), archivePath);
        for (int i = 0; i < archiveRecords; ++i)
            archive.write(record);
    }
    const SpreadsheetExport::Outcome outcome = SpreadsheetExport::write(table, archivePath, rows, edits, target);
    if (rows > archiveRecords) {
        FUZZ_CHECK(outcome == SpreadsheetExport::Outcome::ArchiveUnreadable && !QFile::exists(target),
                   QStringLiteral("%1 rows from %2 records").arg(rows).arg(archiveRecords));
        return;
    }
    FUZZ_CHECK(outcome == SpreadsheetExport::Outcome::Written, QStringLiteral("not written"));
    QByteArray expected = SpreadsheetExport::head(table);
    for (qint64 row = 0; row < rows; ++row)
        SpreadsheetExport::appendRow(expected, table, record.constData(), row, edits.isEmpty() ? nullptr : &edits);
    expected += SpreadsheetExport::tail();
    QFile written(target);
    FUZZ_CHECK(written.open(QIODevice::ReadOnly) && written.readAll() == expected, QStringLiteral("the file differs"));
}

// A value that UTF-8 can carry unchanged (no lone surrogate from a JSON escape).
bool travels(const QString &text)
{
    return QString::fromUtf8(text.toUtf8()) == text;
}

void checkRecords(const RecordFormat &format, const OpenFormats::Parsed &parsed)
{
    const OpenFormats::Checked checked = OpenFormats::check(format, parsed);
    if (!checked.problems.isEmpty()) {
        FUZZ_CHECK(checked.records.isEmpty(), QStringLiteral("records kept despite problems"));
        return;
    }
    FUZZ_CHECK(checked.records.size() == parsed.rows.size(),
               QStringLiteral("%1 records of %2 rows").arg(checked.records.size()).arg(parsed.rows.size()));
    for (qsizetype r = 0; r < checked.records.size(); ++r) {
        const QByteArray &record = checked.records.at(r);
        FUZZ_CHECK(record.size() == format.size(), QStringLiteral("record size %1").arg(record.size()));
        for (int f = 0; f < format.fieldCount(); ++f) {
            const qsizetype column = parsed.header.indexOf(QLatin1String(format.field(f).name));
            const QString expected = column < 0 ? QString() : TextRules::trim(parsed.rows.at(r).value(column));
            FUZZ_CHECK(format.get(record, f) == expected,
                       QStringLiteral("record %1 field %2: ").arg(r + 1).arg(QLatin1String(format.field(f).name))
                           + Fuzz::shown(format.get(record, f)) + QStringLiteral(", expected ")
                           + Fuzz::shown(expected));
        }
    }
}

void checkImport(OpenFormats::Format fileFormat, const QByteArray &bytes)
{
    const bool csv = fileFormat == OpenFormats::Format::Csv;
    const OpenFormats::Parsed parsed = OpenFormats::parse(fileFormat, bytes);
    if (!parsed.error.isEmpty())
        return;
    FUZZ_CHECK(parsed.rows.size() == parsed.rowErrors.size(), QStringLiteral("rows and row problems"));
    for (qsizetype r = 0; r < parsed.rows.size(); ++r) {
        // A CSV row with the wrong field count is refused; so is one with a stray quote or bytes that
        // are not UTF-8, whatever its field count.
        if (csv && parsed.rows.at(r).size() != parsed.header.size())
            FUZZ_CHECK(!parsed.rowErrors.at(r).isEmpty(), QString::number(r));
        if (csv && parsed.rowErrors.at(r).isEmpty())
            FUZZ_CHECK(parsed.rows.at(r).size() == parsed.header.size(), QString::number(r));
        else if (parsed.rowErrors.at(r).isEmpty())
            FUZZ_CHECK(parsed.rows.at(r).size() == parsed.header.size(), QString::number(r));
    }
    checkRecords(SchedaRecord::format(), parsed);
    checkRecords(ClienteRecord::format(), parsed);
    checkRecords(AutomezzoRecord::format(), parsed);

    // The rows that were read well, written back and read again.
    QVector<QStringList> rows;
    for (qsizetype r = 0; r < parsed.rows.size(); ++r) {
        if (!parsed.rowErrors.at(r).isEmpty())
            continue;
        bool keep = true;
        for (const QString &v : parsed.rows.at(r))
            keep = keep && travels(v);
        if (keep)
            rows << parsed.rows.at(r);
    }
    for (const QString &h : parsed.header) {
        if (!travels(h))
            return;
    }
    const QByteArray again = OpenFormats::write(fileFormat, parsed.header, rows);
    const OpenFormats::Parsed reread = OpenFormats::parse(fileFormat, again);
    FUZZ_CHECK(reread.error.isEmpty(), reread.error + QStringLiteral("\n  written: ") + QString::fromUtf8(again));
    if (csv) {
        FUZZ_CHECK(reread.header == parsed.header, QStringLiteral("header"));
        FUZZ_CHECK(reread.rows == rows, QStringLiteral("rows"));
        return;
    }
    FUZZ_CHECK(reread.rows.size() == rows.size(),
               QStringLiteral("%1 rows of %2").arg(reread.rows.size()).arg(rows.size()));
    for (qsizetype r = 0; r < rows.size(); ++r) {
        for (qsizetype c = 0; c < parsed.header.size(); ++c) {
            const QString &name = parsed.header.at(c);
            const QString value = reread.rows.at(r).value(reread.header.indexOf(name));
            if (name == OpenFormats::positionColumn()) {
                bool wasNumber = false, isNumber = false;
                const qint64 before = rows.at(r).at(c).toLongLong(&wasNumber);
                const qint64 after = value.toLongLong(&isNumber);
                if (wasNumber && isNumber && before == after)
                    continue;
            }
            FUZZ_CHECK(value == rows.at(r).at(c), QStringLiteral("row %1 ").arg(r) + name + QStringLiteral(": ")
                                                      + Fuzz::shown(rows.at(r).at(c)) + QStringLiteral(" -> ")
                                                      + Fuzz::shown(value));
        }
    }
}

void checkStrings(const QString &text)
{
    // One JSON string literal reads back as the text.
    if (travels(text)) {
        const QByteArray doc = (QLatin1Char('[') + OpenFormats::jsonString(text) + QLatin1Char(']')).toUtf8();
        const QJsonDocument parsed = QJsonDocument::fromJson(doc);
        FUZZ_CHECK(parsed.isArray() && parsed.array().at(0).toString() == text, Fuzz::shown(text));
    }
    const QString field = OpenFormats::csvField(text);
    const bool quoted = field != text;
    FUZZ_CHECK(!quoted || (field.startsWith(QLatin1Char('"')) && field.endsWith(QLatin1Char('"'))), Fuzz::shown(field));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    Fuzz::Input input(data, size);
    const quint8 choice = input.byte();
    switch (choice & 3) {
    case 0: checkExport(ClienteExport::table(), input, choice & 4); break;
    case 1: checkExport(AutomezzoExport::table(), input, choice & 4); break;
    case 2: {
        const QByteArray bytes = input.rest();
        checkImport(OpenFormats::Format::Csv, bytes);
        checkStrings(Fuzz::utf8Text(bytes));
        break;
    }
    default: checkImport(OpenFormats::Format::Json, input.rest()); break;
    }
    return 0;
}
