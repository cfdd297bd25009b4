// The spreadsheet exports as LibreOffice Calc reads them: both files ("Clienti.xls",
// "Parco_Automezzi.xls") are written from archives whose every exported field holds texts that a
// spreadsheet likes to take for something else (leading zeros, thousands and decimal separators,
// dates, percentages, formulas, a link formula, blanks and line breaks that HTML folds), and converted
// to CSV by LibreOffice itself (soffice --headless --convert-to csv, both files in one call). Every
// cell must come back exactly as the grid shows it: no number, no date, no formula.
//
// scripts/setup.sh installs LibreOffice (libreoffice-calc-nogui); without it this test fails.

#include "archive/AutomezzoRecord.h"
#include "archive/ClienteRecord.h"
#include "customers/ClienteExport.h"
#include "reports/SpreadsheetExport.h"
#include "vehicles/AutomezzoExport.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QUrl>
#include <QtTest>

namespace {

// Texts a spreadsheet misreads when it guesses the type of a cell.
const QStringList kHostileTexts = {
    QStringLiteral("00184"),                           // CAP: 184
    QStringLiteral("0000000"),                         // Codice Destinatario: 0
    QStringLiteral("01234567890"),                     // VAT number: leading zero lost
    QStringLiteral("4111111111111111"),                // card number: 4.11111111111111E+015
    QStringLiteral("98.450"),                          // km, Italian thousands: 98.45 in English
    QStringLiteral("1,5"),                             // decimal comma
    QStringLiteral("=1+1"),                            // formula: 2
    QStringLiteral("=HYPERLINK(\"http://x\",\"y\")"),  // a live link showing y
    QStringLiteral("=SUM(A1:A2)"),
    QStringLiteral("+39 333 1234567"),
    QStringLiteral("-5"),
    QStringLiteral("1e5"),         // 100000
    QStringLiteral("12/03/2004"),  // a date
    QStringLiteral("2004-03-12"),
    QStringLiteral("3:45"),  // a time
    QStringLiteral("30%"),
    QStringLiteral("(5)"),  // -5 in accounting
    QStringLiteral("TRUE"),
    QStringLiteral("\u20AC 5"),  // the euro sign, 0x80 in the code page
    QStringLiteral("'apice"),
    QStringLiteral("Rossi & <Figli>"),
    QStringLiteral("Via  Roma   3"),       // blanks HTML would fold
    QStringLiteral("riga uno\nriga due"),  // a line break inside the cell
    QStringLiteral("Cant\u00F9"),
};

// Fills every field of the format with hostile texts, starting at a different one for each record so
// that every column meets every text; put() cuts a text to its field's capacity.
QByteArray hostileRecord(const RecordFormat &format, int shift)
{
    QByteArray bytes(format.size(), '\0');
    for (int i = 0; i < format.fieldCount(); ++i)
        format.put(bytes, i, kHostileTexts.at((i + shift) % kHostileTexts.size()));
    return bytes;
}

// RFC 4180 rows of a UTF-8 CSV file as LibreOffice writes it.
QList<QStringList> csvRows(const QString &text)
{
    QList<QStringList> rows;
    QStringList row;
    QString field;
    bool quoted = false;
    bool any = false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (quoted) {
            if (c == QLatin1Char('"') && i + 1 < text.size() && text.at(i + 1) == QLatin1Char('"')) {
                field += c;
                ++i;
            } else if (c == QLatin1Char('"')) {
                quoted = false;
            } else {
                field += c;
            }
        } else if (c == QLatin1Char('"')) {
            quoted = true;
            any = true;
        } else if (c == QLatin1Char(',')) {
            row << field;
            field.clear();
            any = true;
        } else if (c == QLatin1Char('\n') || c == QLatin1Char('\r')) {
            if (c == QLatin1Char('\r') && i + 1 < text.size() && text.at(i + 1) == QLatin1Char('\n'))
                ++i;
            if (any || !field.isEmpty()) {
                row << field;
                rows << row;
            }
            row.clear();
            field.clear();
            any = false;
        } else {
            field += c;
            any = true;
        }
    }
    if (any || !field.isEmpty()) {
        row << field;
        rows << row;
    }
    return rows;
}

struct Export
{
    const SpreadsheetExport::Table *table;
    QList<QByteArray> records;
    SpreadsheetExport::Edits edits;
};

}  // namespace

class TestLibreOfficeExport : public QObject
{
    Q_OBJECT

private slots:
    void libreOfficeShowsEveryCellAsStored()
    {
        const QString soffice = QStandardPaths::findExecutable(QStringLiteral("soffice"));
        QVERIFY2(!soffice.isEmpty(),
                 "LibreOffice (soffice) is missing: scripts/setup.sh installs libreoffice-calc-nogui");
        QTemporaryDir folder;
        QVERIFY(folder.isValid());
        const QDir dir(folder.path());

        QList<Export> exports{{&ClienteExport::table(), {}, {}}, {&AutomezzoExport::table(), {}, {}}};
        for (Export &e : exports) {
            for (int shift = 0; shift < kHostileTexts.size(); ++shift)
                e.records << hostileRecord(*e.table->format, shift);
            // A grid edit is written through the same cell: a formula typed in the grid stays text.
            e.edits.insert({0, 2}, QStringLiteral("=2+2"));
            e.edits.insert({1, 2}, QStringLiteral("007"));
            QFile archive(dir.filePath(e.table->format->fileName()));
            QVERIFY(archive.open(QIODevice::WriteOnly));
            for (const QByteArray &r : std::as_const(e.records))
                QVERIFY(archive.write(r) == r.size());
            archive.close();
            QCOMPARE(SpreadsheetExport::write(*e.table, archive.fileName(), e.records.size(), e.edits,
                                              dir.filePath(e.table->fileName)),
                     SpreadsheetExport::Outcome::Written);
        }

        // One start of LibreOffice converts both files, with a profile of its own (no clash with an
        // office already running, nothing left in the user's home).
        QProcess office;
        office.setWorkingDirectory(folder.path());
        office.setProcessChannelMode(QProcess::MergedChannels);
        const QString profile = QUrl::fromLocalFile(dir.filePath(QStringLiteral("profilo"))).toString();
        office.start(soffice, {QStringLiteral("-env:UserInstallation=") + profile, QStringLiteral("--headless"),
                               QStringLiteral("--norestore"), QStringLiteral("--convert-to"),
                               QStringLiteral("csv:Text - txt - csv (StarCalc):44,34,76,1"), QStringLiteral("--outdir"),
                               dir.filePath(QStringLiteral("csv")), exports.at(0).table->fileName,
                               exports.at(1).table->fileName});
        QVERIFY2(office.waitForFinished(300000), "soffice did not end within five minutes");
        const QByteArray officeOutput = office.readAll();
        QVERIFY2(office.exitStatus() == QProcess::NormalExit && office.exitCode() == 0, officeOutput.constData());

        for (const Export &e : std::as_const(exports)) {
            const SpreadsheetExport::Table &table = *e.table;
            QFile csv(dir.filePath(QStringLiteral("csv/") + QFileInfo(table.fileName).completeBaseName()
                                   + QStringLiteral(".csv")));
            QVERIFY2(csv.open(QIODevice::ReadOnly), qPrintable(csv.fileName() + ": " + officeOutput));
            const QList<QStringList> rows = csvRows(QString::fromUtf8(csv.readAll()));
            QCOMPARE(rows.size(), e.records.size() + 1);
            QStringList header;
            for (const SpreadsheetExport::Column &column : table.columns)
                header << column.fileHeader;
            QCOMPARE(rows.at(0), header);
            int checked = 0;
            for (qsizetype r = 0; r < e.records.size(); ++r) {
                const QStringList &cells = rows.at(r + 1);
                QCOMPARE(cells.size(), table.columns.size());
                for (int c = 1; c <= table.columns.size(); ++c) {
                    const QString stored = e.edits.contains({r, c})
                                               ? e.edits.value({r, c})
                                               : SpreadsheetExport::cellText(table, c, e.records.at(r).constData());
                    QVERIFY2(cells.at(c - 1) == stored,
                             qPrintable(QStringLiteral("%1, row %2, column \"%3\": LibreOffice shows \"%4\" for \"%5\"")
                                            .arg(table.fileName)
                                            .arg(r + 1)
                                            .arg(table.columns.at(c - 1).fileHeader, cells.at(c - 1), stored)));
                    ++checked;
                }
            }
            QCOMPARE(checked, int(e.records.size() * table.columns.size()));
        }
    }
};

QTEST_GUILESS_MAIN(TestLibreOfficeExport)
#include "tst_libreofficeexport.moc"
