// The spreadsheet exports' file: its exact bytes for small fixture archives, the grid's edits, and a
// failed export that keeps the previous file. Also the grid model's reading of the archive on demand.

#include "archive/AutomezzoRecord.h"
#include "archive/ClienteRecord.h"
#include "archive/RecordArchive.h"
#include "customers/ClienteExport.h"
#include "reports/ExportGridModel.h"
#include "reports/SpreadsheetExport.h"
#include "vehicles/AutomezzoExport.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <cstring>

using SpreadsheetExport::Edits;
using SpreadsheetExport::Outcome;

Q_DECLARE_METATYPE(SpreadsheetExport::Edits)

namespace {

// The frame as the file must show it, written out here independently of the code.
QByteArray frameHead(const QByteArray &sheet)
{
    return "<html xmlns:o=\"urn:schemas-microsoft-com:office:office\" "
           "xmlns:x=\"urn:schemas-microsoft-com:office:excel\" xmlns=\"http://www.w3.org/TR/REC-html40\">"
           "<head><meta http-equiv=\"Content-Type\" content=\"text/html; charset=windows-1252\">"
           "<!--[if gte mso 9]><xml><x:ExcelWorkbook><x:ExcelWorksheets><x:ExcelWorksheet><x:Name>"
           + sheet
           + "</x:Name><x:WorksheetOptions><x:Selected/><x:Panes><x:Pane><x:Number>1</x:Number>"
             "<x:ActiveRow>3</x:ActiveRow></x:Pane></x:Panes><x:ProtectContents>False</x:ProtectContents>"
             "<x:ProtectObjects>False</x:ProtectObjects><x:ProtectScenarios>False</x:ProtectScenarios>"
             "</x:WorksheetOptions></x:ExcelWorksheet></x:ExcelWorksheets></x:ExcelWorkbook>"
             "</xml><![endif]--></head><body><table x:str>";
}
const QByteArray kFrameTail = "</table></body></html>";

QByteArray headerRow(const QList<std::pair<const char *, int>> &cells)
{
    QByteArray row = "<tr>";
    for (const auto &[text, width] : cells)
        row += "<td style=\"text-align: left; font-weight: bold;\" width=" + QByteArray::number(width) + ">" + text
               + "</td>";
    return row + "</tr>";
}

// Header texts in Windows-1252 ("\xE0" is à).
const QByteArray kCustomerHeader = headerRow({
    {"Cognome e nome cliente", 250},
    {"Denominazione Ditta", 250},
    {"Sesso", 150},
    {"Telefono preferenziale", 250},
    {"Indirizzo di residenza", 300},
    {"Comune di residenza", 250},
    {"CAP", 180},
    {"Tel. casa", 250},
    {"Tel. ufficio", 250},
    {"Tel. cellulare", 250},
    {"Indirizzo PEC", 250},
    {"E-mail", 250},
    {"Codice fiscale", 250},
    {"Partita IVA", 250},
    {"Carta di credito n.", 300},
    {"IBAN", 300},
    {"Tipo veicolo", 250},
    {"Marca e modello", 250},
    {"Telaio", 250},
    {"Anno immatricolazione", 200},
    {"Alimentazione", 250},
    {"Targa", 200},
    {"Questioni in sospeso", 300},
    {"Note", 300},
    {"Codice Destinatario", 200},
});
const QByteArray kVehicleHeader = headerRow({
    {"Tipo veicolo", 250},
    {"Accessori", 350},
    {"Marca", 250},
    {"Modello", 250},
    {"Targa", 200},
    {"Immatricolazione", 200},
    {"Colore", 250},
    {"Telaio", 250},
    {"Pneumatici", 300},
    {"Stato veicolo", 250},
    {"Km percorsi", 250},
    {"Alimentazione", 250},
    {"Cilindrata", 250},
    {"kW", 250},
    {"Compatibilit\xE0 ambientale", 250},
    {"Centraline installate", 350},
    {"Proprietario", 280},
    {"Tel. proprietario", 200},
    {"Meccanico", 250},
    {"Tel. meccanico", 200},
    {"Scad. revisione", 200},
    {"Scad. tagliando", 200},
    {"Scad. assicurazione", 200},
    {"Scad. bollo", 200},
    {"Note", 400},
});

// A data row of 25 cells: the given (1-based column, bytes) pairs, every other cell empty.
QByteArray dataRow(const QMap<int, QByteArray> &cells)
{
    QByteArray row = "<tr>";
    for (int c = 1; c <= 25; ++c)
        row += "<td style=\"text-align: left;\" sdnum=\"1040;0;@\">" + cells.value(c) + "</td>";
    return row + "</tr>";
}

// Puts stored bytes into a length-prefixed field as they are (blanks included), as another program
// or an older version might have left them.
void putRaw(QByteArray &record, const RecordFormat &format, int field, const QByteArray &bytes)
{
    const FieldSpan &span = format.field(field);
    record[span.offset] = char(bytes.size());
    std::memcpy(record.data() + span.offset + 1, bytes.constData(), size_t(bytes.size()));
}

QByteArray customerRossi()
{
    ClienteRecord r;
    r.Cognome = QStringLiteral("Rossi");
    r.Nome = QStringLiteral("Mario");
    r.Sesso = QStringLiteral("M");
    r.ComuneRes = QStringLiteral("Cant\u00F9");
    r.ProvRes = QStringLiteral("CO");
    r.Immatricolazione = QStringLiteral("01/02/2003");
    r.Note = QStringLiteral("A&B <urgente>");
    r.DataNasc = QStringLiteral("05/06/1970");  // not exported
    r.Ricontatta = QStringLiteral("S\u00EC");   // not exported
    QByteArray bytes = r.toBytes();
    putRaw(bytes, ClienteRecord::format(), ClienteRecord::fDitta, " Bar Sport  ");
    putRaw(bytes, ClienteRecord::format(), ClienteRecord::fQuestioni, "\r\nsaldo\t");
    return bytes;
}

QByteArray customerLia()
{
    ClienteRecord r;
    r.Nome = QStringLiteral("Lia");        // no surname: no leading blank
    r.ComuneRes = QStringLiteral("Roma");  // no province: no trailing blank
    r.CodiceDest = QStringLiteral("ABC1234");
    return r.toBytes();
}

QByteArray vehicle()
{
    AutomezzoRecord r;
    r.Tipo = QStringLiteral("Autovettura");
    r.Modello = QStringLiteral("Punto");
    r.Ambiente = QStringLiteral("Euro 6");
    r.Compagnia = QStringLiteral("Generali");  // insurance data are not exported
    r.Polizza = QStringLiteral("123");
    r.Note = QStringLiteral("R&D");
    return r.toBytes();
}

const QByteArray kRossiRow = dataRow({{1, "Rossi Mario"},
                                      {2, "Bar Sport"},
                                      {3, "M"},
                                      {6, "Cant\xF9 CO"},
                                      {20, "01/02/2003"},
                                      {23, "saldo"},
                                      {24, "A&amp;B &lt;urgente&gt;"}});
const QByteArray kLiaRow = dataRow({{1, "Lia"}, {6, "Roma"}, {25, "ABC1234"}});

bool writeArchive(const QString &path, const QList<QByteArray> &records)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    for (const QByteArray &r : records)
        file.write(r);
    return true;
}

}  // namespace

class TestSpreadsheetExport : public QObject
{
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_folder;
    QString path(const QString &name) const { return QDir(m_folder->path()).filePath(name); }

private slots:
    void init() { m_folder = std::make_unique<QTemporaryDir>(); }
    void cleanup() { m_folder.reset(); }

    void writesTheFile_data()
    {
        QTest::addColumn<bool>("vehicles");
        QTest::addColumn<QList<QByteArray>>("records");
        QTest::addColumn<qint64>("rows");
        QTest::addColumn<Edits>("edits");
        QTest::addColumn<QByteArray>("expected");

        const QByteArray customers = frameHead("Riepilogo Clienti") + kCustomerHeader;
        QTest::newRow("two customers: trimmed, joined, escaped, cp1252")
            << false << QList<QByteArray>{customerRossi(), customerLia()} << qint64(2) << Edits()
            << customers + kRossiRow + kLiaRow + kFrameTail;
        QTest::newRow("empty archive: the header row only")
            << false << QList<QByteArray>{} << qint64(0) << Edits() << customers + kFrameTail;
        QTest::newRow("records beyond the grid's rows are not written")
            << false << QList<QByteArray>{customerRossi(), customerLia()} << qint64(1) << Edits()
            << customers + kRossiRow + kFrameTail;

        Edits edits;
        edits.insert({0, 24}, QStringLiteral(" Nota <nuova> & pi\u00F9 "));  // trimmed and escaped
        edits.insert({0, 6}, QString());                                     // emptied
        edits.insert({1, 1}, QStringLiteral("\u20AC uro"));                  // the euro sign is 0x80
        QTest::newRow("grid edits replace their cells only")
            << false << QList<QByteArray>{customerRossi(), customerLia()} << qint64(2) << edits
            << customers
                   + dataRow({{1, "Rossi Mario"},
                              {2, "Bar Sport"},
                              {3, "M"},
                              {20, "01/02/2003"},
                              {23, "saldo"},
                              {24, "Nota &lt;nuova&gt; &amp; pi\xF9"}})
                   + dataRow({{1, "\x80 uro"}, {6, "Roma"}, {25, "ABC1234"}}) + kFrameTail;

        // HTML folds a run of blanks and a line break into one blank: they are written as character
        // references, so that a spreadsheet shows them as stored.
        Edits blanks;
        blanks.insert({0, 5}, QStringLiteral("Via  Roma\r\n3\tsu"));
        QTest::newRow("blanks and line breaks as character references")
            << false << QList<QByteArray>{customerLia()} << qint64(1) << blanks
            << customers + dataRow({{1, "Lia"}, {5, "Via &#32;Roma&#13;&#10;3&#9;su"}, {6, "Roma"}, {25, "ABC1234"}})
                   + kFrameTail;

        QTest::newRow("vehicle: own worksheet, headers and cells")
            << true << QList<QByteArray>{vehicle()} << qint64(1) << Edits()
            << frameHead("Parco Automezzi") + kVehicleHeader
                   + dataRow({{1, "Autovettura"}, {4, "Punto"}, {15, "Euro 6"}, {25, "R&amp;D"}}) + kFrameTail;
    }
    void writesTheFile()
    {
        QFETCH(bool, vehicles);
        QFETCH(QList<QByteArray>, records);
        QFETCH(qint64, rows);
        QFETCH(Edits, edits);
        QFETCH(QByteArray, expected);
        const SpreadsheetExport::Table &table = vehicles ? AutomezzoExport::table() : ClienteExport::table();
        const QString archive = path(table.format->fileName());
        QVERIFY(writeArchive(archive, records));
        const QString target = path(table.fileName);
        // An older, longer export is replaced whole.
        QVERIFY(writeArchive(target, {QByteArray(200000, 'x')}));

        QList<qint64> progress;
        const Outcome outcome = SpreadsheetExport::write(table, archive, rows, edits, target,
                                                         [&](qint64 done, qint64) { progress.append(done); });
        QCOMPARE(outcome, Outcome::Written);
        QFile file(target);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray written = file.readAll();
        QCOMPARE(written, expected);
        QVERIFY(!written.contains('\n') && !written.contains('\r'));
        QCOMPARE(progress.value(progress.size() - 1), rows);
    }

    void failureKeepsTheOldFile_data()
    {
        QTest::addColumn<QString>("fault");
        QTest::addColumn<int>("outcome");
        QTest::newRow("archive shorter than the grid") << "short" << int(Outcome::ArchiveUnreadable);
        QTest::newRow("archive that cannot be opened") << "archive dir" << int(Outcome::ArchiveUnreadable);
        QTest::newRow("target is a folder") << "target dir" << int(Outcome::FileNotWritten);
        QTest::newRow("read-only program folder") << "read-only" << int(Outcome::FileNotWritten);
    }
    void failureKeepsTheOldFile()
    {
        QFETCH(QString, fault);
        QFETCH(int, outcome);
        const SpreadsheetExport::Table &table = ClienteExport::table();
        const QString archive = path(ClienteRecord::fileName());
        const QString target = path(table.fileName);
        const QByteArray old = "<html>old export</html>";
        if (fault == QLatin1String("archive dir"))
            QVERIFY(QDir(m_folder->path()).mkdir(ClienteRecord::fileName()));
        else
            QVERIFY(writeArchive(archive, {customerRossi(), customerLia()}));
        if (fault == QLatin1String("target dir"))
            QVERIFY(QDir(m_folder->path()).mkdir(table.fileName));
        else
            QVERIFY(writeArchive(target, {old}));
        const QFile::Permissions permissions = QFile::permissions(m_folder->path());
        auto restore = qScopeGuard([&] { QFile::setPermissions(m_folder->path(), permissions); });
        if (fault == QLatin1String("read-only")) {
            QVERIFY(QFile::setPermissions(m_folder->path(), QFile::ReadOwner | QFile::ExeOwner));
            QFile probe(path(QStringLiteral("probe")));
            if (probe.open(QIODevice::WriteOnly))
                QSKIP("The folder stays writable for this user (root)");
        }

        const qint64 rows = fault == QLatin1String("short") ? 3 : 2;
        QCOMPARE(int(SpreadsheetExport::write(table, archive, rows, {}, target)), outcome);
        restore.dismiss();
        QFile::setPermissions(m_folder->path(), permissions);
        if (fault == QLatin1String("target dir")) {
            QVERIFY(QFileInfo(target).isDir());
        } else {
            QFile file(target);
            QVERIFY(file.open(QIODevice::ReadOnly));
            QCOMPARE(file.readAll(), old);
        }
        // No temporary file is left behind.
        const QStringList left = QDir(m_folder->path()).entryList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot);
        for (const QString &name : left)
            QVERIFY2(name == table.fileName || name == ClienteRecord::fileName(), qPrintable(name));
    }

    void modelReadsRowsAcrossBlocksAndKeepsEditsOutOfTheArchive()
    {
        // More records than one block holds, each with its number in the surname.
        const int count = ExportGridModel::kBlockRecords * 2 + 5;
        QList<QByteArray> records;
        for (int i = 1; i <= count; ++i) {
            ClienteRecord r;
            r.Cognome = QStringLiteral("C%1").arg(i);
            r.Note = QStringLiteral("nota %1").arg(i);
            records.append(r.toBytes());
        }
        const QString archive = path(ClienteRecord::fileName());
        QVERIFY(writeArchive(archive, records));
        QFile file(archive);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray before = file.readAll();
        file.close();

        ExportGridModel model(ClienteExport::table());
        QVERIFY(model.load(archive));
        QCOMPARE(model.rowCount(), count);
        QCOMPARE(model.columnCount(), 26);
        const int note = model.columnNamed(QStringLiteral("colNote"));
        for (int row : {count - 1, 0, ExportGridModel::kBlockRecords, ExportGridModel::kBlockRecords - 1}) {
            QCOMPARE(model.index(row, 0).data().toString(), QString::number(row + 1));
            QCOMPARE(model.index(row, 1).data().toString(), QStringLiteral("C%1").arg(row + 1));
            QCOMPARE(model.index(row, note).data().toString(), QStringLiteral("nota %1").arg(row + 1));
        }
        QVERIFY(!model.setData(model.index(3, 1), QStringLiteral("no")));  // read-only column
        QVERIFY(!model.setData(model.index(3, 0), QStringLiteral("no")));  // row number
        QVERIFY(model.setData(model.index(70, note), QStringLiteral("cambiata")));
        QCOMPARE(model.index(70, note).data().toString(), QStringLiteral("cambiata"));
        QCOMPARE(model.edits().size(), 1);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), before);
        QVERIFY(!model.failed());
    }
};

QTEST_GUILESS_MAIN(TestSpreadsheetExport)
#include "tst_spreadsheetexport.moc"
