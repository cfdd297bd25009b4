// The table of invoices of the task: each issued into a fresh program folder, the file checked again
// against the schema, every amount exact, the file name and the progressive right.
#include "InvoiceFixture.h"
#include "invoice/Amounts.h"
#include "invoice/InvoiceRegister.h"
#include "invoice/InvoiceSchema.h"
#include "invoice/InvoiceXml.h"
#include "support/TestSupport.h"

#include <QFile>
#include <QXmlStreamReader>
#include <QtTest>

using namespace Invoice;
using namespace InvoiceFixture;

namespace {

// The texts of every element of that name, in file order.
QStringList texts(const QByteArray &xml, const QString &name)
{
    QStringList found;
    QXmlStreamReader r(xml);
    while (!r.atEnd()) {
        if (r.readNext() == QXmlStreamReader::StartElement && r.name() == name)
            found << r.readElementText();
    }
    return found;
}

qint64 cents(const QString &xml)
{
    qint64 value = 0;
    if (!Amounts::parseXmlCents(xml, &value))
        qWarning() << "not an amount:" << xml;
    return value;
}

// The expected DatiRiepilogo: "rate:taxable:tax" in cents, highest rate first.
using Summaries = QStringList;

}  // namespace

class TestInvoiceTable : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { TestSupport::scriptEverything(); }
    void issuedFile_data();
    void issuedFile();
    void progressiveFollowsTheNumber();
};

void TestInvoiceTable::issuedFile_data()
{
    QTest::addColumn<Documento>("documento");
    QTest::addColumn<Summaries>("summaries");
    QTest::addColumn<qint64>("total");
    QTest::addColumn<QString>("codiceDestinatario");
    QTest::addColumn<QString>("pec");
    QTest::addColumn<bool>("bollo");

    QTest::newRow("one rate, prices with VAT")
        << document(company(), {line(QStringLiteral("Sostituzione batteria"), 12200)}) << Summaries{"22:10000:2200"}
        << qint64(12200) << QStringLiteral("M5UXCR1") << QStringLiteral("") << false;
    QTest::newRow("cents that round, prices with VAT")
        << document(company(), {line(QStringLiteral("Riparazione"), 10000)}) << Summaries{"22:8197:1803"}
        << qint64(10000) << QStringLiteral("M5UXCR1") << QStringLiteral("") << false;
    QTest::newRow("several rates, prices without VAT")
        << document(company(),
                    {line(QStringLiteral("Manodopera"), 10000, 22), line(QStringLiteral("Ricambi"), 3333, 10),
                     line(QStringLiteral("Ausili"), 1001, 4, 200)},
                    false)
        << Summaries{"22:10000:2200", "10:3333:333", "4:2002:80"} << qint64(17948) << QStringLiteral("M5UXCR1")
        << QStringLiteral("") << false;
    QTest::newRow("several rates and lines, prices with VAT")
        << document(person(), {line(QStringLiteral("Manodopera"), 6100, 22), line(QStringLiteral("Ricambi"), 6101, 22),
                               line(QStringLiteral("Ricambi ridotti"), 1100, 10)})
        << Summaries{"22:10001:2200", "10:1000:100"} << qint64(13301) << QStringLiteral("0000000") << QStringLiteral("")
        << false;
    QTest::newRow("quantity, prices with VAT")
        << document(person(), {line(QStringLiteral("Lampadine"), 1000, 22, 300)}) << Summaries{"22:2459:541"}
        << qint64(3000) << QStringLiteral("0000000") << QStringLiteral("") << false;
    QTest::newRow("cents that round, prices without VAT")
        << document(person(), {line(QStringLiteral("Cavi"), 333, 22, 150)}, false) << Summaries{"22:500:110"}
        << qint64(610) << QStringLiteral("0000000") << QStringLiteral("") << false;
    QTest::newRow("company with VAT number and SDI code")
        << document(company(), {line(QStringLiteral("Diagnosi"), 6100)}) << Summaries{"22:5000:1100"} << qint64(6100)
        << QStringLiteral("M5UXCR1") << QStringLiteral("") << false;
    QTest::newRow("private person with tax code only")
        << document(person(), {line(QStringLiteral("Diagnosi"), 6100)}) << Summaries{"22:5000:1100"} << qint64(6100)
        << QStringLiteral("0000000") << QStringLiteral("") << false;
    QTest::newRow("customer with PEC only")
        << document(withPecOnly(), {line(QStringLiteral("Diagnosi"), 6100)}) << Summaries{"22:5000:1100"}
        << qint64(6100) << QStringLiteral("0000000") << QStringLiteral("studioneri@pec.example.it") << false;
    QTest::newRow("RF19 at 77,47") << document(person(), {line(QStringLiteral("Diagnosi"), 7747)}, true, kForfettario)
                                   << Summaries{"0:7747:0"} << qint64(7747) << QStringLiteral("0000000")
                                   << QStringLiteral("") << false;
    QTest::newRow("RF19 above 77,47") << document(person(), {line(QStringLiteral("Diagnosi"), 7748)}, true,
                                                  kForfettario)
                                      << Summaries{"0:7748:0"} << qint64(7748) << QStringLiteral("0000000")
                                      << QStringLiteral("") << true;
    Documento credit = document(company(), {line(QStringLiteral("Storno parziale"), 2440)});
    credit.TipoDocumento = kNotaDiCredito;
    credit.fatturaCollegataNumero = QStringLiteral("7");
    credit.fatturaCollegataData = QDate(2025, 3, 1);
    QTest::newRow("credit note") << credit << Summaries{"22:2000:440"} << qint64(2440) << QStringLiteral("M5UXCR1")
                                 << QStringLiteral("") << false;
}

void TestInvoiceTable::issuedFile()
{
    QFETCH(Documento, documento);
    QFETCH(Summaries, summaries);
    QFETCH(qint64, total);
    QFETCH(QString, codiceDestinatario);
    QFETCH(QString, pec);
    QFETCH(bool, bollo);

    const auto folder = TestSupport::programFolder();
    const InvoiceRegister::IssueResult result = InvoiceRegister::issue(folder->path(), documento, false, kToday);
    QVERIFY2(result.ok, qPrintable(result.problems.join('\n')));
    QCOMPARE(result.number, qint64(1));
    QCOMPARE(QFileInfo(result.path).fileName(), QStringLiteral("IT01234567897_25001.xml"));
    QCOMPARE(QFileInfo(result.path).dir().dirName(), QStringLiteral("Fatture_Elettroniche"));
    const QByteArray xml = TestSupport::readFile(result.path);
    QCOMPARE(xml, result.xml);
    QVERIFY(xml.startsWith("<?xml version=\"1.0\" encoding=\"UTF-8\"?>"));
    QVERIFY2(InvoiceSchema::problems(xml).isEmpty(), qPrintable(InvoiceSchema::problems(xml).join('\n')));

    QCOMPARE(texts(xml, "ProgressivoInvio"), QStringList{"25001"});
    QCOMPARE(texts(xml, "FormatoTrasmissione"), QStringList{"FPR12"});
    QCOMPARE(texts(xml, "TipoDocumento"), QStringList{documento.TipoDocumento});
    QCOMPARE(texts(xml, "Numero"), QStringList{"1"});
    QCOMPARE(texts(xml, "Data").first(), QStringLiteral("2025-03-14"));
    QCOMPARE(texts(xml, "CodiceDestinatario"), QStringList{codiceDestinatario});
    QCOMPARE(texts(xml, "PECDestinatario"), pec.isEmpty() ? QStringList() : QStringList{pec});
    QCOMPARE(texts(xml, "BolloVirtuale"), bollo ? QStringList{"SI"} : QStringList());
    QCOMPARE(texts(xml, "ImportoBollo"), bollo ? QStringList{"2.00"} : QStringList());

    // The customer's identifiers as the customer has them.
    const Cessionario &b = documento.cessionario;
    const QStringList idCodes = texts(xml, "IdCodice");
    QCOMPARE(idCodes.contains(b.PartitaIva), !b.PartitaIva.isEmpty());
    if (!b.CodiceFiscale.isEmpty())
        QVERIFY(texts(xml, "CodiceFiscale").contains(b.CodiceFiscale));
    if (documento.TipoDocumento == kNotaDiCredito)
        QCOMPARE(texts(xml, "IdDocumento"), QStringList{"7"});

    // The summaries, exact.
    const QStringList rates = texts(xml, "DatiRiepilogo");
    InvoiceXml::Contents contents;
    QString error;
    QVERIFY2(InvoiceXml::read(xml, &contents, &error), qPrintable(error));
    QStringList found;
    for (const Riepilogo &s : contents.totali.riepiloghi)
        found << QStringLiteral("%1:%2:%3").arg(s.aliquota).arg(s.imponibile).arg(s.imposta);
    QCOMPARE(found, summaries);
    QCOMPARE(contents.totali.totale, total);
    QCOMPARE(cents(texts(xml, "ImportoTotaleDocumento").value(0)), total);
    QCOMPARE(cents(texts(xml, "ImportoPagamento").value(0)), total);
    QCOMPARE(contents.totali.imponibile + contents.totali.imposta, total);

    // Each rate: the lines add up to its taxable amount; its tax is taxable x rate within a cent
    // (exactly, for prices without VAT); RF19 carries N2.2 and its reference.
    for (const Riepilogo &s : contents.totali.riepiloghi) {
        qint64 lines = 0;
        for (const ImportiRiga &r : contents.totali.righe) {
            if (r.aliquota == s.aliquota)
                lines += r.prezzoTotale;
        }
        QCOMPARE(lines, s.imponibile);
        const qint64 computed = Amounts::roundedDivision(s.imponibile * s.aliquota, 100);
        if (documento.prezziIvaInclusa)
            QVERIFY2(qAbs(s.imposta - computed) <= 1, qPrintable(QString::number(s.imposta - computed)));
        else
            QCOMPARE(s.imposta, computed);
        if (documento.forfettario()) {
            QCOMPARE(s.natura, QStringLiteral("N2.2"));
            QCOMPARE(s.imposta, qint64(0));
        } else {
            QVERIFY(s.natura.isEmpty());
        }
    }
    if (documento.forfettario()) {
        QCOMPARE(texts(xml, "Natura"), QStringList({"N2.2", "N2.2"}));
        QCOMPARE(texts(xml, "RiferimentoNormativo"), QStringList{forfettarioReference()});
        QCOMPARE(texts(xml, "AliquotaIVA"), QStringList({"0.00", "0.00"}));
        QCOMPARE(texts(xml, "RegimeFiscale"), QStringList{"RF19"});
    }
    // Each line: unit price x quantity gives its total within a cent, as the exchange system checks.
    for (int i = 0; i < contents.totali.righe.size(); ++i) {
        const ImportiRiga &r = contents.totali.righe.at(i);
        const double unit = r.prezzoUnitario.toDouble();
        const double quantity = contents.documento.righe.at(i).quantita / 100.0;
        QVERIFY2(qAbs(unit * quantity * 100 - double(r.prezzoTotale)) <= 1.0 + 1e-6, qPrintable(r.prezzoUnitario));
    }

    // The register line.
    QList<InvoiceRegister::Entry> entries;
    QVERIFY(InvoiceRegister::list(folder->path(), 2025, &entries, &error));
    QCOMPARE(entries.size(), 1);
    QCOMPARE(entries.first().number, qint64(1));
    QCOMPARE(entries.first().totale, total);
    QCOMPARE(entries.first().position, qint64(1));
}

void TestInvoiceTable::progressiveFollowsTheNumber()
{
    const auto folder = TestSupport::programFolder();
    Documento d = document(person(), {line(QStringLiteral("Diagnosi"), 6100)});
    QStringList names;
    for (int i = 1; i <= 3; ++i) {
        const auto result = InvoiceRegister::issue(folder->path(), d, false, kToday);
        QVERIFY2(result.ok, qPrintable(result.problems.join('\n')));
        QCOMPARE(result.number, qint64(i));
        names << QFileInfo(result.path).fileName();
    }
    QCOMPARE(names, QStringList({"IT01234567897_25001.xml", "IT01234567897_25002.xml", "IT01234567897_25003.xml"}));
    // A new year starts again from 1, with its own progressive.
    d.Data = QDate(2026, 1, 2);
    const auto next = InvoiceRegister::issue(folder->path(), d, false, QDate(2026, 1, 2));
    QVERIFY2(next.ok, qPrintable(next.problems.join('\n')));
    QCOMPARE(next.number, qint64(1));
    QCOMPARE(QFileInfo(next.path).fileName(), QStringLiteral("IT01234567897_26001.xml"));
}

QTEST_MAIN(TestInvoiceTable)
#include "tst_invoicetable.moc"
