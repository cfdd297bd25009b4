#include "reports/SpreadsheetExport.h"

#include "archive/RecordReader.h"
#include "common/CodePage.h"
#include "common/SafeFile.h"

#include <cstdio>

namespace SpreadsheetExport {

namespace {

// The frame before the header cells and after the last row.
constexpr char kFrameHead1[] = "<html xmlns:o=\"urn:schemas-microsoft-com:office:office\" "
                               "xmlns:x=\"urn:schemas-microsoft-com:office:excel\" "
                               "xmlns=\"http://www.w3.org/TR/REC-html40\">"
                               "<head>"
                               "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=windows-1252\">"
                               "<!--[if gte mso 9]><xml>"
                               "<x:ExcelWorkbook>"
                               "<x:ExcelWorksheets>"
                               "<x:ExcelWorksheet>"
                               "<x:Name>";
constexpr char kFrameHead2[] = "</x:Name>"
                               "<x:WorksheetOptions>"
                               "<x:Selected/>"
                               "<x:Panes>"
                               "<x:Pane>"
                               "<x:Number>1</x:Number>"
                               "<x:ActiveRow>3</x:ActiveRow>"
                               "</x:Pane>"
                               "</x:Panes>"
                               "<x:ProtectContents>False</x:ProtectContents>"
                               "<x:ProtectObjects>False</x:ProtectObjects>"
                               "<x:ProtectScenarios>False</x:ProtectScenarios>"
                               "</x:WorksheetOptions>"
                               "</x:ExcelWorksheet>"
                               "</x:ExcelWorksheets>"
                               "</x:ExcelWorkbook>"
                               "</xml><![endif]-->"
                               "</head>"
                               "<body>"
                               "<table x:str>"
                               "<tr>";
constexpr char kFrameTail[] = "</table></body></html>";

constexpr char kHeaderCellOpen[] = "<td style=\"text-align: left; font-weight: bold;\" width=";
// sdnum gives each data cell the text number format "@" (1040: the Italian locale): LibreOffice's HTML
// import, which ignores Excel's x:str, then keeps the cell as the text it is, and never reads it as a
// number, a date or a formula ("00184", "98.450", "=1+1"). Excel reads x:str and ignores sdnum.
constexpr char kCellOpen[] = "<td style=\"text-align: left;\" sdnum=\"1040;0;@\">";
constexpr char kCellClose[] = "</td>";

// The file is handed to the temporary file in pieces of about this size.
constexpr qsizetype kChunkBytes = 1 << 20;

bool isBlank(char c)
{
    return static_cast<unsigned char>(c) <= 32;
}

RecordFormat::Bytes trimmedBytes(const char *data, qsizetype size)
{
    while (size > 0 && isBlank(data[0])) {
        ++data;
        --size;
    }
    while (size > 0 && isBlank(data[size - 1]))
        --size;
    return {data, size};
}

void appendCell(QByteArray &out, const Table &table, const Column &column, const char *record)
{
    out.append(kCellOpen, sizeof kCellOpen - 1);
    const RecordFormat::Bytes first = table.format->trimmed(record, column.field);
    appendEscaped(out, first.data, first.size);
    if (column.joined >= 0) {
        const RecordFormat::Bytes second = table.format->trimmed(record, column.joined);
        if (first.size > 0 && second.size > 0)
            out.append(' ');
        appendEscaped(out, second.data, second.size);
    }
    out.append(kCellClose, sizeof kCellClose - 1);
}

void appendEditedCell(QByteArray &out, const QString &text)
{
    out.append(kCellOpen, sizeof kCellOpen - 1);
    const QByteArray bytes = CodePage::fromUnicode(text);
    const RecordFormat::Bytes cell = trimmedBytes(bytes.constData(), bytes.size());
    appendEscaped(out, cell.data, cell.size);
    out.append(kCellClose, sizeof kCellClose - 1);
}

}  // namespace

QString numberColumnHeader()
{
    return QStringLiteral("N.");
}

QString cellText(const Table &table, int gridColumn, const char *record)
{
    const Column &column = table.columns.at(gridColumn - 1);
    const RecordFormat::Bytes first = table.format->trimmed(record, column.field);
    if (column.joined < 0)
        return CodePage::toUnicode(first.data, first.size);
    const RecordFormat::Bytes second = table.format->trimmed(record, column.joined);
    QByteArray joined(first.data, first.size);
    if (first.size > 0 && second.size > 0)
        joined.append(' ');
    joined.append(second.data, second.size);
    return CodePage::toUnicode(joined);
}

void appendEscaped(QByteArray &out, const char *data, qsizetype size)
{
    qsizetype plain = 0;  // start of the bytes not yet copied
    for (qsizetype i = 0; i < size; ++i) {
        const unsigned char c = static_cast<unsigned char>(data[i]);
        const char *entity = nullptr;
        char number[8];
        if (c == '&')
            entity = "&amp;";
        else if (c == '<')
            entity = "&lt;";
        else if (c == '>')
            entity = "&gt;";
        else if (c < 32 || (c == ' ' && i > 0 && static_cast<unsigned char>(data[i - 1]) <= 32)) {
            // HTML folds a run of blanks and line breaks into one blank; written as character
            // references they stay as stored (a line break in a cell, two blanks in a row).
            std::snprintf(number, sizeof number, "&#%d;", int(c));
            entity = number;
        } else {
            continue;
        }
        out.append(data + plain, i - plain);
        out.append(entity);
        plain = i + 1;
    }
    out.append(data + plain, size - plain);
}

QByteArray head(const Table &table)
{
    QByteArray out(kFrameHead1);
    const QByteArray sheet = CodePage::fromUnicode(table.worksheetName);
    appendEscaped(out, sheet.constData(), sheet.size());
    out.append(kFrameHead2);
    for (const Column &column : table.columns) {
        out.append(kHeaderCellOpen);
        out.append(QByteArray::number(column.fileWidth));
        out.append('>');
        const QByteArray header = CodePage::fromUnicode(column.fileHeader);
        appendEscaped(out, header.constData(), header.size());
        out.append(kCellClose);
    }
    out.append("</tr>");
    return out;
}

QByteArray tail()
{
    return QByteArray(kFrameTail);
}

void appendRow(QByteArray &out, const Table &table, const char *record, qint64 row, const Edits *edits)
{
    out.append("<tr>", 4);
    // The edits are ordered by row, then column: those of this row, if any, follow one another.
    Edits::const_iterator edit;
    if (edits && !edits->isEmpty())
        edit = edits->lowerBound({row, 0});
    const bool anyEdit = edits && !edits->isEmpty() && edit != edits->cend() && edit.key().first == row;
    for (int c = 1; c <= table.columns.size(); ++c) {
        if (anyEdit) {
            while (edit != edits->cend() && edit.key().first == row && edit.key().second < c)
                ++edit;
            if (edit != edits->cend() && edit.key().first == row && edit.key().second == c) {
                appendEditedCell(out, edit.value());
                continue;
            }
        }
        appendCell(out, table, table.columns.at(c - 1), record);
    }
    out.append("</tr>", 5);
}

Outcome write(const Table &table, const QString &archivePath, qint64 rows, const Edits &edits,
              const QString &targetPath, const Progress &progress)
{
    RecordReader archive;
    if (!archive.open(archivePath, table.format->size()))
        return Outcome::ArchiveUnreadable;
    archive.needWhole();

    SafeFile::Writer file(targetPath);
    if (!file.open())
        return Outcome::FileNotWritten;
    // Hands a full piece to the temporary file; false when it could not take it all. The piece keeps
    // its memory for the next one: a new megabyte for every piece would cost a page fault per 4 KB.
    auto put = [&file](QByteArray &piece) {
        const bool ok = file.write(piece);
        piece.resize(0);
        return ok;
    };

    QByteArray piece = head(table);
    piece.reserve(kChunkBytes + 64 * 1024);
    const Edits *rowEdits = edits.isEmpty() ? nullptr : &edits;
    for (qint64 row = 0; row < rows; ++row) {
        const char *record = archive.next();
        if (!record)  // fewer records than the grid's rows, or a read that failed: no partial file
            return Outcome::ArchiveUnreadable;
        appendRow(piece, table, record, row, rowEdits);
        if (piece.size() >= kChunkBytes && !put(piece))
            return Outcome::FileNotWritten;
        if (progress && (row + 1) % kProgressRows == 0)
            progress(row + 1, rows);
    }
    archive.close();
    piece.append(tail());
    if (!put(piece) || !file.commit())
        return Outcome::FileNotWritten;
    if (progress)
        progress(rows, rows);
    return Outcome::Written;
}

QString writeFailedMessage()
{
    return QStringLiteral("Attenzione: il sistema non permette di esportare i dati.\n\r\n\r"
                          "Accertarsi che il file di Excel non sia gi\u00E0 aperto.");
}

QString archiveUnreadableMessage(const Table &table)
{
    return QStringLiteral("Attenzione: non \u00E8 stato possibile leggere per intero %1.\n\r\n\r"
                          "Il file di Excel non verr\u00E0 scritto, per non esportare dati incompleti.")
        .arg(table.archiveWords);
}

}  // namespace SpreadsheetExport
