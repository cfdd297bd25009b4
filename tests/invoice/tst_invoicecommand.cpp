// The verb "cablora fattura": exit codes 0 / 1 / 2, the path on the standard output, nothing written
// when the data are incomplete or invalid.
#include "InvoiceFixture.h"
#include "invoice/InvoiceCommand.h"
#include "invoice/InvoiceRegister.h"
#include "invoice/InvoiceSchema.h"
#include "support/TestSupport.h"

#include <QProcess>
#include <QTextStream>
#include <QtTest>

using namespace InvoiceFixture;

namespace {

struct Run
{
    int code = -1;
    QString out, err;
};

Run runVerb(const QString &folder, const QStringList &options)
{
    Run run;
    QTextStream out(&run.out), err(&run.err);
    run.code = InvoiceCommand::run(QStringList{QStringLiteral("fattura")} + options + QStringList{"--cartella", folder},
                                   folder, kToday, out, err);
    out.flush();
    err.flush();
    return run;
}

int filesIn(const QString &folder)
{
    return int(QDir(InvoiceRegister::folderPath(folder)).entryList(QDir::Files).size());
}

}  // namespace

class TestInvoiceCommand : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { TestSupport::scriptEverything(); }
    void exitCodes_data();
    void exitCodes();
    void writesTheSheetsInvoice();
    void programRunsTheVerb();
};

void TestInvoiceCommand::exitCodes_data()
{
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<bool>("workshopComplete");
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("message");  // a line of stderr (code 1 and 2), or the start of stdout
    QTest::newRow("written") << QStringList{"1", "--cliente", "1", "--data", "14/03/2025"} << true << 0
                             << QStringLiteral("Fatture_Elettroniche");
    QTest::newRow("no sheet") << QStringList{"--cliente", "1"} << true << 2
                              << QStringLiteral("fattura vuole la posizione della scheda in archivio (1, 2, ...).");
    QTest::newRow("no customer") << QStringList{"1"} << true << 2
                                 << QStringLiteral("Indicare il cliente con --cliente POSIZIONE_CLIENTE.");
    QTest::newRow("unknown option") << QStringList{"1", "--cliente", "1", "--sconto", "5"} << true << 2
                                    << QStringLiteral("Opzione sconosciuta: --sconto.");
    QTest::newRow("rate") << QStringList{"1", "--cliente", "1", "--aliquota", "21"} << true << 2
                          << QStringLiteral("--aliquota vuole 22, 10, 5 o 4.");
    QTest::newRow("payment") << QStringList{"1", "--cliente", "1", "--pagamento", "MP02"} << true << 2
                             << QStringLiteral("--pagamento vuole MP01 (contanti), MP05 (bonifico) o MP08 (carta).");
    QTest::newRow("date") << QStringList{"1", "--cliente", "1", "--data", "2025-03-14"} << true << 2
                          << QStringLiteral("La data 2025-03-14 non è nella forma gg/mm/aaaa.");
    QTest::newRow("sheet missing") << QStringList{"7", "--cliente", "1"} << true << 1
                                   << QStringLiteral(
                                          "La scheda 7 non esiste: l'archivio Schede_Interventi_Elettrauto.pro "
                                          "ne contiene 1.");
    QTest::newRow("workshop incomplete") << QStringList{"1", "--cliente", "1", "--data", "14/03/2025"} << false << 1
                                         << QStringLiteral("Manca il CAP dell'officina (Dati dell'officina).");
    QTest::newRow("number leaving a gap")
        << QStringList{"1", "--cliente", "1", "--data", "14/03/2025", "--numero", "2"} << true << 1
        << QStringLiteral("Il numero 2 lascerebbe un vuoto nella numerazione del "
                          "2025: il prossimo numero è 1.");
}

void TestInvoiceCommand::exitCodes()
{
    QFETCH(QStringList, options);
    QFETCH(bool, workshopComplete);
    QFETCH(int, code);
    QFETCH(QString, message);
    const auto folder = TestSupport::programFolder();
    Invoice::Cedente cedente = workshop();
    if (!workshopComplete)
        cedente.sede.CAP.clear();
    QVERIFY(prepareFolder(folder->path(), cedente));
    const Run run = runVerb(folder->path(), options);
    QCOMPARE(run.code, code);
    if (code == 0) {
        QVERIFY2(run.out.trimmed().endsWith(QStringLiteral("IT01234567897_25001.xml")), qPrintable(run.out));
        QVERIFY(run.out.contains(message));
        QVERIFY(run.err.isEmpty());
        QCOMPARE(filesIn(folder->path()), 1);
    } else {
        QVERIFY2(run.err.split('\n').contains(message), qPrintable(run.err));
        QVERIFY(run.out.isEmpty());
        QCOMPARE(filesIn(folder->path()), 0);
    }
}

void TestInvoiceCommand::writesTheSheetsInvoice()
{
    const auto folder = TestSupport::programFolder();
    QVERIFY(prepareFolder(folder->path()));
    const Run run = runVerb(folder->path(), {"1", "--cliente", "1", "--data", "14/03/2025", "--aliquota", "10",
                                             "--iva-esclusa", "--pagamento", "MP08"});
    QCOMPARE(run.code, 0);
    const QByteArray xml = TestSupport::readFile(run.out.trimmed());
    QVERIFY(InvoiceSchema::problems(xml).isEmpty());
    // The sheet's total 183,00 without VAT, at 10%.
    QVERIFY(xml.contains("<ImponibileImporto>183.00</ImponibileImporto>"));
    QVERIFY(xml.contains("<Imposta>18.30</Imposta>"));
    QVERIFY(xml.contains("<ImportoTotaleDocumento>201.30</ImportoTotaleDocumento>"));
    QVERIFY(xml.contains("<ModalitaPagamento>MP08</ModalitaPagamento>"));
    QVERIFY(xml.contains("<Descrizione>Scheda n. 57 del 10/03/2025 - Fiat Panda targa AB123CD: Sostituzione batteria; "
                         "Controllo alternatore</Descrizione>"));
    QVERIFY(xml.contains("<CodiceFiscale>RSSMRA80A01H501U</CodiceFiscale>"));
    // The register line: paid as the sheet says, the sheet's number.
    QList<InvoiceRegister::Entry> entries;
    QString error;
    QVERIFY(InvoiceRegister::list(folder->path(), 2025, &entries, &error));
    QCOMPARE(entries.size(), 1);
    QVERIFY(entries.first().pagato);
    QCOMPARE(entries.first().scheda, QStringLiteral("57"));
    // The next one takes number 2.
    const Run second = runVerb(folder->path(), {"1", "--cliente", "1", "--data", "14/03/2025"});
    QCOMPARE(second.code, 0);
    QVERIFY(second.out.trimmed().endsWith(QStringLiteral("IT01234567897_25002.xml")));
}

void TestInvoiceCommand::programRunsTheVerb()
{
    const auto folder = TestSupport::programFolder();
    QVERIFY(prepareFolder(folder->path()));
    QProcess program;
    program.start(QStringLiteral(CABLORA_EXECUTABLE), {"fattura", "1", "--cliente", "1", "--cartella", folder->path()});
    QVERIFY(program.waitForFinished(60000));
    QCOMPARE(program.exitCode(), 0);
    const QString path = QString::fromLocal8Bit(program.readAllStandardOutput()).trimmed();
    QVERIFY2(QFileInfo::exists(path), qPrintable(path));
    program.start(QStringLiteral(CABLORA_EXECUTABLE), {"fattura", "--cartella", folder->path()});
    QVERIFY(program.waitForFinished(60000));
    QCOMPARE(program.exitCode(), 2);
}

QTEST_MAIN(TestInvoiceCommand)
#include "tst_invoicecommand.moc"
