// The printed customer sheet ("Scheda informativa") and vehicle sheet ("Scheda Veicolo"), rendered to
// PDF and read back with poppler: every caption and value where the layout puts it, values trimmed,
// the fixed separators of the customer sheet, long values kept on one line and cut by their box.

#include "reports/AutomezzoReport.h"
#include "reports/ClienteReport.h"
#include "reports/PdfWords.h"
#include "reports/Report.h"
#include "support/TestSupport.h"

#include <QtTest>

using TestSupport::solid;

namespace {

constexpr double kRegisterMargin = 10;  // mm
constexpr double kRegisterTolerance = 1;

// A left-aligned, vertically centred single line inside its frame (mm inside the margins).
void checkLeftInFrame(const PdfWords::Page &page, const QString &text, const QRectF &frameInside)
{
    const QRectF found = page.find(text);
    QVERIFY2(!found.isNull(), qPrintable(text + QStringLiteral(": not printed")));
    const QRectF frame = frameInside.translated(kRegisterMargin, kRegisterMargin);
    const QString where = QStringLiteral("%1 at %2,%3 - %4,%5; frame %6,%7 - %8,%9")
                              .arg(text)
                              .arg(found.left())
                              .arg(found.top())
                              .arg(found.right())
                              .arg(found.bottom())
                              .arg(frame.left())
                              .arg(frame.top())
                              .arg(frame.right())
                              .arg(frame.bottom());
    QVERIFY2(qAbs(found.left() - frame.left()) <= kRegisterTolerance, qPrintable(where));
    QVERIFY2(qAbs(found.center().y() - frame.center().y()) <= kRegisterTolerance, qPrintable(where));
    QVERIFY2(found.right() <= frame.right() + 0.2, qPrintable(where));
}

}  // namespace

class TestRegisterReports : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void customerRows_data();
    void customerRows();
    void customerSheet_data();
    void customerSheet();
    void emptyCustomerSheetKeepsItsSeparators();
    void vehicleSheet_data();
    void vehicleSheet();
    void vehicleCaptionsAndPhoto();
    void longValuesAreCutNotWrapped();

private:
    QList<PdfWords::Page> render(Report &report, const QString &name);

    std::unique_ptr<QTemporaryDir> m_folder;
    PrintTexts m_customer;
    PrintTexts m_vehicle;
    QList<PdfWords::Page> m_customerPages;
    QList<PdfWords::Page> m_vehiclePages;
};

QList<PdfWords::Page> TestRegisterReports::render(Report &report, const QString &name)
{
    const QString path = m_folder->filePath(name);
    if (!ReportRender::exportPdf(report.prepare(), path, {report.name(), report.name()}))
        return {};
    return PdfWords::read(path);
}

void TestRegisterReports::initTestCase()
{
    TestSupport::scriptEverything();
    m_folder = TestSupport::programFolder();

    // The customer screen as typed, stray blanks included.
    m_customer = {
        {"txtCognome", "  Rossi "},
        {"txtNome", "Mario  "},
        {"txtDataNasc", "12/05/1970"},
        {"txtComuneNasc", " Pavia"},
        {"txtProvNasc", "PV "},
        {"txtCodiceDest", "ABC1234"},
        {"txtRecapito", "333 1234567"},
        {"txtIndirizzoRes", "Via Roma 1"},
        {"txtComuneRes", "Milano"},
        {"txtProvRes", "MI"},
        {"txtDitta", "Rossi Srl"},
        {"txtTelCasa", "02 111111"},
        {"txtTelUff", "02 222222"},
        {"txtTelCel", "347 333333"},
        {"txtPec", "rossi@pec.it"},
        {"txtEmail", "mario@rossi.it"},
        {"txtCodFisc", "RSSMRA70E12G388X"},
        {"txtPartitaIva", "01234567897"},
        {"txtCarta", "4111111111111111"},
        {"txtScadeCarta", "12/27"},
        {"txtIban", "IT60X0542811101000000123456"},
        {"txtVeicolo", "Autovettura"},
        {"txtMarca", "Fiat Panda"},
        {"txtTarga", "AB123CD"},
        {"txtImmatricolazione", "01/02/2015"},
        {"txtColore", "ZFA31200000123456"},
        {"txtAlimentazione", "Benzina"},
        {"txtQuestioni", "Saldo in sospeso"},
        {"txtNote", "Cliente abituale"},
        {"txtSesso", "Maschile"},
        {"txtCapRes", "20100"},
    };
    Report customer = ClienteReport::buildTemplate();
    QVERIFY(ClienteReport::fill(customer, m_customer,
                                QStringLiteral("Stampa eseguita in data 05/03/2024 alle ore 10:11:12")));
    m_customerPages = render(customer, QStringLiteral("cliente.pdf"));
    QCOMPARE(m_customerPages.size(), 1);

    for (const QString &name : AutomezzoReport::valueNames())
        m_vehicle.append({name, QStringLiteral("  v") + name.mid(3) + QStringLiteral("  ")});
    Report vehicle = AutomezzoReport::buildTemplate();
    QVERIFY(AutomezzoReport::fill(vehicle, m_vehicle, solid(Qt::red, QSize(400, 300))));
    m_vehiclePages = render(vehicle, QStringLiteral("veicolo.pdf"));
    QCOMPARE(m_vehiclePages.size(), 1);
}

void TestRegisterReports::customerRows_data()
{
    QTest::addColumn<int>("row");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("value");

    QTest::newRow("joined name") << 1 << "Cognome e nome:"
                                 << "Rossi Mario";
    QTest::newRow("birth place with province") << 3 << "Comune di nascita:"
                                               << "Pavia PV";
    QTest::newRow("recipient code") << 4 << "Codice Destinatario:"
                                    << "ABC1234";
    QTest::newRow("residence") << 7 << "Comune di residenza:"
                               << "Milano MI";
    QTest::newRow("card and expiry") << 16 << "Carta di credito:"
                                     << "N. 4111111111111111  -  Scadenza: 12/27";
    QTest::newRow("registration and chassis") << 21 << "Data immatricolazione:"
                                              << "01/02/2015  -  Telaio: ZFA31200000123456";
    QTest::newRow("last row") << 24 << "Note:"
                              << "Cliente abituale";
}

void TestRegisterReports::customerRows()
{
    QFETCH(int, row);
    QFETCH(QString, caption);
    QFETCH(QString, value);
    const auto rows = ClienteReport::rows(m_customer);
    QCOMPARE(rows.size(), 24);
    QCOMPARE(rows.at(row - 1).first, caption);
    QCOMPARE(rows.at(row - 1).second, value);
    // Sex, postcode and the recontact flag are not printed.
    for (const auto &[title, text] : rows)
        QVERIFY(!text.contains(QLatin1String("Maschile")) && !text.contains(QLatin1String("20100")));
}

void TestRegisterReports::customerSheet_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QRectF>("frame");

    QTest::newRow("caption row 1") << "Cognome e nome:" << QRectF(3, 24, 52, 6);
    QTest::newRow("value row 1") << "Rossi Mario" << QRectF(60, 24, 128, 6);
    QTest::newRow("caption row 2") << "Data di nascita:" << QRectF(3, 34, 52, 6);
    QTest::newRow("value row 14") << "RSSMRA70E12G388X" << QRectF(60, 154, 128, 6);
    QTest::newRow("caption row 24") << "Note:" << QRectF(3, 254, 52, 6);
    QTest::newRow("value row 24") << "Cliente abituale" << QRectF(60, 254, 128, 6);
}

void TestRegisterReports::customerSheet()
{
    QFETCH(QString, text);
    QFETCH(QRectF, frame);
    checkLeftInFrame(m_customerPages.at(0), text, frame);
}

void TestRegisterReports::emptyCustomerSheetKeepsItsSeparators()
{
    const QList<PdfWords::Page> &filled = m_customerPages;
    const QRectF title = filled.at(0).find(QStringLiteral("SCHEDA ANAGRAFICA CLIENTE"));
    QVERIFY(qAbs(title.center().x() - (kRegisterMargin + 23 + 82.5)) < kRegisterTolerance);
    QVERIFY(qAbs(title.center().y() - (kRegisterMargin + 3 + 4.5)) < kRegisterTolerance);
    QVERIFY(!filled.at(0).find(QStringLiteral("Stampa eseguita in data 05/03/2024 alle ore 10:11:12")).isNull());

    Report empty = ClienteReport::buildTemplate();
    QVERIFY(ClienteReport::fill(empty, {}, QStringLiteral("Stampa")));
    const QList<PdfWords::Page> pages = render(empty, QStringLiteral("vuota.pdf"));
    QCOMPARE(pages.size(), 1);
    // No placeholder of the template survives; the fixed pieces of rows 16 and 21 are printed.
    QVERIFY(pages.at(0).find(QStringLiteral("Campo")).isNull());
    const QRectF card = pages.at(0).find(QStringLiteral("N. - Scadenza:"));
    QVERIFY(qAbs(card.left() - (kRegisterMargin + 60)) < kRegisterTolerance);
    QVERIFY(qAbs(card.center().y() - (kRegisterMargin + 174 + 3)) < kRegisterTolerance);
    const QRectF chassis = pages.at(0).find(QStringLiteral("- Telaio:"));
    QVERIFY(qAbs(chassis.center().y() - (kRegisterMargin + 224 + 3)) < kRegisterTolerance);
}

void TestRegisterReports::vehicleSheet_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<double>("top");
    QTest::addColumn<double>("left");
    QTest::addColumn<double>("width");
    QTest::addColumn<double>("drop");

    QTest::newRow("txtTipo") << "txtTipo" << 100.0 << 1.0 << 92.0 << 1.4;
    QTest::newRow("txtDestinazione") << "txtDestinazione" << 100.0 << 95.0 << 94.0 << 1.4;
    QTest::newRow("txtAnno") << "txtAnno" << 130.0 << 51.0 << 42.0 << 1.4;
    QTest::newRow("txtLettura") << "txtLettura" << 145.0 << 148.0 << 41.0 << 1.4;
    QTest::newRow("txtPneumatici") << "txtPneumatici" << 160.0 << 1.0 << 92.0 << 1.0;
    QTest::newRow("txtPortata") << "txtPortata" << 175.0 << 48.0 << 45.0 << 1.4;
    QTest::newRow("txtAutista") << "txtAutista" << 205.0 << 95.0 << 45.0 << 1.4;
    QTest::newRow("txtTelMeccanico") << "txtTelMeccanico" << 220.0 << 48.0 << 45.0 << 1.4;
    QTest::newRow("txtProprietario (centraline)") << "txtProprietario" << 235.0 << 95.0 << 94.0 << 1.4;
    QTest::newRow("txtIncidenti") << "txtIncidenti" << 250.0 << 1.0 << 188.0 << 1.4;
    QTest::newRow("txtNote") << "txtNote" << 265.0 << 1.0 << 188.0 << 1.0;
}

void TestRegisterReports::vehicleSheet()
{
    QFETCH(QString, name);
    QFETCH(double, top);
    QFETCH(double, left);
    QFETCH(double, width);
    QFETCH(double, drop);
    QCOMPARE(AutomezzoReport::valueNames().size(), 32);
    // Each value is its control's text, trimmed, in the value box 5 mm below the band's top.
    const QString value = QStringLiteral("v") + name.mid(3);
    checkLeftInFrame(m_vehiclePages.at(0), value, QRectF(left + 1, top + 5 + drop, width - 2, 4));
}

void TestRegisterReports::vehicleCaptionsAndPhoto()
{
    const PdfWords::Page &page = m_vehiclePages.at(0);
    const QRectF heading = page.find(QStringLiteral("SCHEDA VEICOLO"));
    QVERIFY(qAbs(heading.center().x() - (kRegisterMargin + 95)) < kRegisterTolerance);
    QVERIFY(qAbs(heading.center().y() - (kRegisterMargin + 5.2)) < kRegisterTolerance);
    checkLeftInFrame(page, QStringLiteral("TIPO VEICOLO"), QRectF(2, 101, 90, 3.6));
    checkLeftInFrame(page, QStringLiteral("COMPATIBILITA' AMBIENTALE"), QRectF(96, 176, 92, 3.6));
    checkLeftInFrame(page, QStringLiteral("NOTE"), QRectF(2, 265.6, 185.8, 3.6));
    // Every value object of the sheet takes the text of its namesake control.
    for (const QString &name : AutomezzoReport::valueNames())
        QVERIFY2(!page.find(QStringLiteral("v") + name.mid(3)).isNull(), qPrintable(name));

    Report vehicle = AutomezzoReport::buildTemplate();
    const QImage photo = solid(Qt::red, QSize(400, 300));
    QVERIFY(AutomezzoReport::fill(vehicle, m_vehicle, photo));
    const PreparedReport prepared = vehicle.prepare();
    for (const ReportObject &object : prepared.pages.at(0).objects) {
        if (object.name == QLatin1String("imgLogo")) {
            QCOMPARE(object.picture, photo);
            QCOMPARE(object.rect, QRectF(1, 11, 188, 87));
        }
    }
}

void TestRegisterReports::longValuesAreCutNotWrapped()
{
    const QString word = QStringLiteral("incidente");
    const QString longText = QStringList(60, word).join(QLatin1Char(' '));
    PrintTexts vehicle = m_vehicle;
    vehicle.append({QStringLiteral("txtIncidenti"), longText});
    Report sheet = AutomezzoReport::buildTemplate();
    QVERIFY(AutomezzoReport::fill(sheet, vehicle, QImage()));
    const QList<PdfWords::Page> pages = render(sheet, QStringLiteral("lungo.pdf"));
    QCOMPARE(pages.size(), 1);
    int printed = 0;
    for (const PdfWords::Word &found : pages.at(0).words) {
        if (found.text != word)
            continue;
        ++printed;
        QVERIFY(qAbs(found.box.center().y() - (kRegisterMargin + 250 + 5 + 1.4 + 2)) < kRegisterTolerance);
        QVERIFY(found.box.left() < kRegisterMargin + 1 + 188);
    }
    QVERIFY(printed > 5);
    QVERIFY(printed < 60);

    PrintTexts customer = m_customer;
    customer.append({QStringLiteral("txtNote"), QStringList(60, QStringLiteral("nota")).join(QLatin1Char(' '))});
    Report info = ClienteReport::buildTemplate();
    QVERIFY(ClienteReport::fill(info, customer, QString()));
    const QList<PdfWords::Page> infoPages = render(info, QStringLiteral("lunga.pdf"));
    const int notes = infoPages.at(0).count(QStringLiteral("nota"));
    QVERIFY(notes > 5 && notes < 60);
    for (const PdfWords::Word &found : infoPages.at(0).words) {
        if (found.text == QLatin1String("nota"))
            QVERIFY(qAbs(found.box.center().y() - (kRegisterMargin + 254 + 3)) < kRegisterTolerance);
    }
}

QTEST_MAIN(TestRegisterReports)
#include "tst_registerreports.moc"
