#pragma once

// The customers' export cells as CSV with a header row of column names (c1, c2 ...), for sqlite3 to
// import: the yardstick table of the export benchmarks.

#include "archive/RecordReader.h"
#include "customers/ClienteExport.h"
#include "reports/SpreadsheetExport.h"

#include <QByteArray>
#include <QFile>
#include <QString>

inline bool writeCsv(const QString &archivePath, const QString &csvPath)
{
    const SpreadsheetExport::Table &table = ClienteExport::table();
    RecordReader archive;
    QFile csv(csvPath);
    if (!archive.open(archivePath, table.format->size()) || !csv.open(QIODevice::WriteOnly))
        return false;
    archive.needWhole();
    QByteArray out;
    for (int c = 1; c <= table.columns.size(); ++c)
        out += (c > 1 ? "," : "") + QByteArray("c") + QByteArray::number(c);
    out += '\n';
    while (const char *record = archive.next()) {
        for (int c = 1; c <= table.columns.size(); ++c) {
            QByteArray cell = SpreadsheetExport::cellText(table, c, record).toUtf8();
            cell.replace('"', "\"\"");
            out += (c > 1 ? ",\"" : "\"") + cell + '"';
        }
        out += '\n';
        if (out.size() > (1 << 20)) {
            csv.write(out);
            out.clear();
        }
    }
    csv.write(out);
    return !archive.failed() && csv.flush();
}
