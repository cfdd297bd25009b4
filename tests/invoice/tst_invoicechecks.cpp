// What stops an invoice: bad data refused with the Italian message naming the field and nothing
// written; the schema (its two documented changes, its Italian messages); amounts typed by the user.
#include "InvoiceFixture.h"
#include "invoice/Amounts.h"
#include "invoice/InvoiceFromSheet.h"
#include "invoice/InvoiceRegister.h"
#include "invoice/InvoiceSchema.h"
#include "invoice/InvoiceXml.h"
#include "support/TestSupport.h"

#include <QtTest>

using namespace Invoice;
using namespace InvoiceFixture;

namespace {

bool nothingWritten(const QString &folder)
{
    const QDir dir(InvoiceRegister::folderPath(folder));
    return dir.entryList(QDir::Files | QDir::NoDotAndDotDot).isEmpty()
           && QFileInfo(InvoiceRegister::registerPath(folder)).size() == 0;
}

}  // namespace

class TestInvoiceChecks : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { TestSupport::scriptEverything(); }
    void refused_data();
    void refused();
    void latinCharacters();
    void schemaIsTheOfficialOnePatched();
    void schemaAcceptsN22AndRefusesOtherCodes();
    void schemaMessagesNameTheField_data();
    void schemaMessagesNameTheField();
    void schemaNeverLoadsFromOutside();
    void typedAmounts_data();
    void typedAmounts();
    void prefillFromSheet();
};

void TestInvoiceChecks::refused_data()
{
    QTest::addColumn<Documento>("documento");
    QTest::addColumn<QString>("message");

    const QList<Riga> one{line(QStringLiteral("Diagnosi"), 6100)};
    Cessionario noAddress = person();
    noAddress.sede.Indirizzo.clear();
    QTest::newRow("customer without address")
        << document(noAddress, one) << QStringLiteral("Manca l'indirizzo del cliente.");
    Cessionario noCap = person();
    noCap.sede.CAP.clear();
    QTest::newRow("customer without CAP") << document(noCap, one) << QStringLiteral("Manca il CAP del cliente.");
    Cessionario shortCap = person();
    shortCap.sede.CAP = QStringLiteral("0018");
    QTest::newRow("CAP of four digits") << document(shortCap, one)
                                        << QStringLiteral("Il CAP del cliente (0018) deve essere di 5 cifre.");
    Cessionario badTaxCode = person();
    badTaxCode.CodiceFiscale = QStringLiteral("RSSMRA80A01H501X");
    QTest::newRow("tax code failing its check")
        << document(badTaxCode, one)
        << QStringLiteral(
               "Il codice fiscale del cliente (RSSMRA80A01H501X) non è valido: il carattere di controllo non torna.");
    Cessionario badVat = company();
    badVat.PartitaIva = QStringLiteral("12345678901");
    QTest::newRow("VAT number failing its check")
        << document(badVat, one) << QStringLiteral("La partita IVA del cliente (12345678901) non è valida.");
    Cessionario noIds = person();
    noIds.CodiceFiscale.clear();
    QTest::newRow("customer without tax code")
        << document(noIds, one) << QStringLiteral("Manca il codice fiscale (o la partita IVA) del cliente.");
    Cessionario euro = person();
    euro.sede.Comune = QStringLiteral("Ɓari");
    QTest::newRow("character outside the Latin set, customer")
        << document(euro, one)
        << QStringLiteral("Il carattere «Ɓ» non è ammesso (campo: comune del cliente): la fattura elettronica accetta "
                          "solo lettere latine (anche accentate), cifre e segni comuni.");
    QTest::newRow("euro sign in a line")
        << document(person(), {line(QStringLiteral("Batteria 60 Ah € 90"), 9000)})
        << QStringLiteral("Il carattere «€» non è ammesso (campo: descrizione della riga 1): la fattura elettronica "
                          "accetta solo lettere latine (anche accentate), cifre e segni comuni.");
    Documento workshopVat = document(person(), one);
    workshopVat.cedente.PartitaIva = QStringLiteral("01234567890");
    QTest::newRow("workshop VAT number")
        << workshopVat
        << QStringLiteral("La partita IVA dell'officina (01234567890) non è valida (Dati dell'officina).");
    Documento noIban = document(person(), one);
    noIban.ModalitaPagamento = kBonifico;
    noIban.cedente.IBAN.clear();
    QTest::newRow("transfer without IBAN")
        << noIban << QStringLiteral("Per il pagamento con bonifico manca l'IBAN dell'officina (Dati dell'officina).");
    QTest::newRow("no lines") << document(person(), {}) << QStringLiteral("La fattura non ha righe.");
    QTest::newRow("zero total") << document(person(), {line(QStringLiteral("Omaggio"), 0)})
                                << QStringLiteral("Il totale della fattura deve essere maggiore di zero.");
    QTest::newRow("rate not allowed") << document(person(), {line(QStringLiteral("Diagnosi"), 6100, 21)})
                                      << QStringLiteral("L'aliquota IVA della riga 1 deve essere 22, 10, 5 o 4 %.");
    Documento future = document(person(), one);
    future.Data = QDate(2026, 1, 1);
    QTest::newRow("date after today") << future
                                      << QStringLiteral(
                                             "La data della fattura non può essere successiva a oggi (31/12/2025).");
    Documento credit = document(person(), one);
    credit.TipoDocumento = kNotaDiCredito;
    QTest::newRow("credit note without its invoice")
        << credit << QStringLiteral("Manca il numero della fattura a cui si riferisce la nota di credito.");
}

void TestInvoiceChecks::refused()
{
    QFETCH(Documento, documento);
    QFETCH(QString, message);
    const QStringList found = problems(documento, kToday);
    QVERIFY2(found.contains(message), qPrintable(found.join('\n')));
    const auto folder = TestSupport::programFolder();
    const auto result = InvoiceRegister::issue(folder->path(), documento, false, kToday);
    QVERIFY(!result.ok);
    QVERIFY(result.problems.contains(message));
    QVERIFY(result.path.isEmpty());
    QVERIFY(nothingWritten(folder->path()));
}

void TestInvoiceChecks::latinCharacters()
{
    QVERIFY(isLatinCharacter(QLatin1Char('a')));
    QVERIFY(isLatinCharacter(QChar(0x00E8)));  // è
    QVERIFY(isLatinCharacter(QChar(0x00A0)));
    QVERIFY(!isLatinCharacter(QChar(0x20AC)));  // €
    QVERIFY(!isLatinCharacter(QChar(0x2019)));  // ’
    QVERIFY(!isLatinCharacter(QLatin1Char('\n')));
    QVERIFY(!isLatinCharacter(QChar(0x0085)));
    QCOMPARE(firstRefused(QStringLiteral("Perché l’auto")), QChar(0x2019));
    QVERIFY(refusedCharacterMessage(QStringLiteral("città"), QStringLiteral("x")).isEmpty());
}

void TestInvoiceChecks::schemaIsTheOfficialOnePatched()
{
    QString error;
    QVERIFY2(InvoiceSchema::isAvailable(&error), qPrintable(error));
    QFile official(QStringLiteral(CABLORA_FATTURAPA_OFFICIAL));
    QVERIFY2(official.open(QIODevice::ReadOnly), CABLORA_FATTURAPA_OFFICIAL);
    const QByteArray original = official.readAll();
    QVERIFY(original.contains("<xs:schema "));
    QByteArray patched = InvoiceSchema::schemaText();
    // Undo the two documented changes: what is left must be the official schema, byte for byte.
    const QByteArray local = "schemaLocation=\"xmldsig-core-schema.xsd\"";
    QCOMPARE(patched.count(local), 1);
    patched.replace(local,
                    "schemaLocation=\"http://www.w3.org/TR/2002/REC-xmldsig-core-20020212/xmldsig-core-schema.xsd\"");
    QByteArray added = "\n      <!-- Cablora: codici aggiunti dalla versione 1.2.2 dello schema -->";
    for (const char *code : {"N2.1", "N2.2", "N3.1", "N3.2", "N3.3", "N3.4", "N3.5", "N3.6", "N6.1", "N6.2", "N6.3",
                             "N6.4", "N6.5", "N6.6", "N6.7", "N6.8", "N6.9"})
        added += QByteArray("\n      <xs:enumeration value=\"") + code + "\" />";
    QCOMPARE(patched.count(added), 1);
    patched.replace(added, "");
    QCOMPARE(patched, original);
    QVERIFY(!InvoiceSchema::signatureStandInText().isEmpty());
}

void TestInvoiceChecks::schemaAcceptsN22AndRefusesOtherCodes()
{
    Documento d = document(person(), {line(QStringLiteral("Diagnosi"), 9000)}, true, kForfettario);
    d.Numero = 1;
    const QByteArray xml = InvoiceXml::write(d, compute(d), QStringLiteral("25001"));
    QVERIFY2(InvoiceSchema::problems(xml).isEmpty(), qPrintable(InvoiceSchema::problems(xml).join('\n')));
    QVERIFY(xml.contains("<Natura>N2.2</Natura>"));
    // The official 1.2.1 codes stay, made-up ones are refused.
    for (const char *code : {"N2", "N6.9", "N7"}) {
        QByteArray other = xml;
        other.replace("<Natura>N2.2</Natura>", QByteArray("<Natura>") + code + "</Natura>");
        QVERIFY2(InvoiceSchema::problems(other).isEmpty(), code);
    }
    for (const char *code : {"N2.9", "N8", "N2.2 "}) {
        QByteArray other = xml;
        other.replace("<Natura>N2.2</Natura>", QByteArray("<Natura>") + code + "</Natura>");
        const QStringList found = InvoiceSchema::problems(other);
        QVERIFY2(!found.isEmpty(), code);
        QVERIFY2(found.first().startsWith(QStringLiteral("Valore non ammesso per la natura IVA della riga 1")),
                 qPrintable(found.first()));
    }
}

void TestInvoiceChecks::schemaMessagesNameTheField_data()
{
    QTest::addColumn<QByteArray>("from");
    QTest::addColumn<QByteArray>("to");
    QTest::addColumn<QString>("message");
    QTest::newRow("missing CAP") << QByteArray("<CAP>00184</CAP>") << QByteArray()
                                 << QStringLiteral("Manca il CAP del cliente");
    QTest::newRow("empty CAP") << QByteArray("<CAP>00184</CAP>") << QByteArray("<CAP></CAP>")
                               << QStringLiteral("Manca il CAP del cliente");
    QTest::newRow("bad CAP") << QByteArray("<CAP>00184</CAP>") << QByteArray("<CAP>0018A</CAP>")
                             << QStringLiteral("Valore non ammesso per il CAP del cliente: «0018A»");
    QTest::newRow("workshop's town") << QByteArray("<Comune>Milano</Comune>") << QByteArray()
                                     << QStringLiteral("Manca il comune dell'officina");
    QTest::newRow("amount") << QByteArray("<PrezzoTotale>50.00</PrezzoTotale>")
                            << QByteArray("<PrezzoTotale>50,00</PrezzoTotale>")
                            << QStringLiteral("Valore non ammesso per il prezzo totale della riga 1: «50,00»");
    QTest::newRow("recipient code") << QByteArray("<CodiceDestinatario>0000000</CodiceDestinatario>")
                                    << QByteArray("<CodiceDestinatario>00000</CodiceDestinatario>")
                                    << QStringLiteral(
                                           "Valore non ammesso per il codice destinatario del cliente: «00000»");
    QTest::newRow("character") << QByteArray("<Descrizione>Diagnosi</Descrizione>")
                               << QByteArray("<Descrizione>Diagnosi \xE2\x82\xAC</Descrizione>")
                               << QStringLiteral("Valore non ammesso per la descrizione della riga 1: «Diagnosi €»");
}

void TestInvoiceChecks::schemaMessagesNameTheField()
{
    QFETCH(QByteArray, from);
    QFETCH(QByteArray, to);
    QFETCH(QString, message);
    Documento d = document(person(), {line(QStringLiteral("Diagnosi"), 6100)});
    QByteArray xml = InvoiceXml::write(d, compute(d), QStringLiteral("25001"));
    QVERIFY(InvoiceSchema::problems(xml).isEmpty());
    QVERIFY(xml.contains(from));
    xml.replace(from, to);
    const QStringList found = InvoiceSchema::problems(xml);
    QVERIFY(!found.isEmpty());
    QVERIFY2(found.first().startsWith(message), qPrintable(found.join('\n')));
}

void TestInvoiceChecks::schemaNeverLoadsFromOutside()
{
    // A file that names an outside DTD and entity: nothing is fetched, the file is simply invalid or
    // read without them.
    Documento d = document(person(), {line(QStringLiteral("Diagnosi"), 6100)});
    QByteArray xml = InvoiceXml::write(d, compute(d), QStringLiteral("25001"));
    xml.replace("<?xml version=\"1.0\" encoding=\"UTF-8\"?>",
                "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<!DOCTYPE p:FatturaElettronica SYSTEM "
                "\"http://192.0.2.1/fattura.dtd\">");
    QElapsedTimer timer;
    timer.start();
    InvoiceSchema::problems(xml);
    QVERIFY(timer.elapsed() < 5000);
}

void TestInvoiceChecks::typedAmounts_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<qint64>("cents");
    QTest::newRow("comma") << QStringLiteral("12,5") << true << qint64(1250);
    QTest::newRow("point") << QStringLiteral("12.50") << true << qint64(1250);
    QTest::newRow("thousands") << QStringLiteral("1.234,56") << true << qint64(123456);
    QTest::newRow("thousands without decimals") << QStringLiteral("1.234") << true << qint64(123400);
    QTest::newRow("euro sign") << QStringLiteral("€ 90,00") << true << qint64(9000);
    QTest::newRow("negative") << QStringLiteral("-5,00") << true << qint64(-500);
    QTest::newRow("three decimals") << QStringLiteral("1,005") << false << qint64(0);
    QTest::newRow("letters") << QStringLiteral("12a") << false << qint64(0);
    QTest::newRow("empty") << QStringLiteral("") << false << qint64(0);
    QTest::newRow("too large") << QStringLiteral("100000000,00") << false << qint64(0);
}

void TestInvoiceChecks::typedAmounts()
{
    QFETCH(QString, text);
    QFETCH(bool, ok);
    QFETCH(qint64, cents);
    qint64 value = 0;
    QCOMPARE(Amounts::parseCents(text, &value), ok);
    if (ok)
        QCOMPARE(value, cents);
    QCOMPARE(Amounts::centsText(123456), QStringLiteral("1234,56"));
    QCOMPARE(Amounts::centsGrouped(123456789), QStringLiteral("1.234.567,89"));
    QCOMPARE(Amounts::centsXml(-5), QStringLiteral("-0.05"));
    QCOMPARE(Amounts::eightDecimalsXml(819666667), QStringLiteral("8.19666667"));
    QCOMPARE(Amounts::eightDecimalsXml(1234000000), QStringLiteral("12.34"));
    QCOMPARE(Amounts::roundedDivision(5, 2), qint64(3));
    QCOMPARE(Amounts::roundedDivision(-5, 2), qint64(-3));
    QCOMPARE(Amounts::quantityText(250), QStringLiteral("2,5"));
    QCOMPARE(Amounts::quantityText(300), QStringLiteral("3"));
}

void TestInvoiceChecks::prefillFromSheet()
{
    SchedaRecord sheet = sheetRecord();
    sheet.Interventi = QStringLiteral("Sostituzione batteria “Start”\r\nControllo alternatore – ok");
    const Cessionario customer = InvoiceFromSheet::customerOf(customerRecord());
    QCOMPARE(customer.CodiceFiscale, QStringLiteral("RSSMRA80A01H501U"));  // upper-cased, nothing else
    QCOMPARE(customer.Cognome, QStringLiteral("Rossi"));
    QCOMPARE(customer.CodiceDestinatario, QString());
    Documento d = InvoiceFromSheet::documentOf(sheet, workshop(), customer, QDate(2025, 3, 14), 22, true);
    QCOMPARE(d.Numero, qint64(0));  // the dialog proposes it, the register decides it
    d.Numero = 1;
    QCOMPARE(d.righe.size(), 1);
    QCOMPARE(d.righe.first().Descrizione,
             QStringLiteral("Scheda n. 57 del 10/03/2025 - Fiat Panda targa AB123CD: Sostituzione batteria \"Start\"; "
                            "Controllo alternatore - ok"));
    QCOMPARE(d.righe.first().prezzo, qint64(18300));
    QVERIFY(d.pagato);
    QCOMPARE(d.scheda, QStringLiteral("57"));
    QVERIFY2(problems(d, kToday).isEmpty(), qPrintable(problems(d, kToday).join('\n')));
    const Totali t = compute(d);
    QCOMPARE(t.totale, qint64(18300));
    QCOMPARE(t.imponibile, qint64(15000));

    const auto folder = TestSupport::programFolder();
    QVERIFY(prepareFolder(folder->path()));
    ClienteRecord other = customerRecord();
    other.Cognome = QStringLiteral("Bianchi");
    QVERIFY(append(folder->path(), other));
    QVERIFY(append(folder->path(), customerRecord()));
    QList<qint64> found;
    QString error;
    QVERIFY(InvoiceFromSheet::findCustomers(QDir(folder->path()).filePath(ClienteRecord::fileName()),
                                            QStringLiteral("  mario   ROSSI "), &found, &error));
    QCOMPARE(found, QList<qint64>({1, 3}));
}

QTEST_MAIN(TestInvoiceChecks)
#include "tst_invoicechecks.moc"
