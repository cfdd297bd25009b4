// The printed intervention sheet, rendered to PDF and read back with poppler: every value in its box,
// every caption and fixed text where the layout puts it, long texts cut by their frame.

#include "reports/PdfWords.h"
#include "reports/Report.h"
#include "reports/SchedaReport.h"
#include "support/TestSupport.h"

#include <QImage>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

using TestSupport::solid;

namespace {

constexpr double kMargin = 10;    // mm
constexpr double kTolerance = 1;  // mm

enum Align { Left, Centre, TopLeft };

// The value object of a box: 1 mm inside the box, 1.4 mm below the value area's top, 4 mm high.
QRectF valueRect(double left, double top, double width, double drop = 1.4)
{
    return QRectF(left + 1, top + 5 + drop, width - 2, 4);
}

// Pictures reach the PDF compressed: a colour is compared channel by channel, nearly.
bool near(const QColor &actual, const QColor &expected)
{
    return qAbs(actual.red() - expected.red()) < 12 && qAbs(actual.green() - expected.green()) < 12
           && qAbs(actual.blue() - expected.blue()) < 12;
}

QRectF captionRect(double left, double top, double width)
{
    return QRectF(left + 1, top + 0.4, width - 2, 4);
}

}  // namespace

class TestSchedaReport : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void twoA4Pages();
    void values_data();
    void values();
    void fixedTexts_data();
    void fixedTexts();
    void picturesInTheirBoxes();
    void longTextIsCutAtTheBottomOfItsBox();
    void unknownObjectsAreRefused();

private:
    QString render(const PrintTexts &texts, const QString &name, const QImage &logo = QImage(),
                   const QImage &photo1 = QImage(), const QImage &photo2 = QImage());

    std::unique_ptr<QTemporaryDir> m_folder;
    QString m_pdf;
    QList<PdfWords::Page> m_pages;
};

QString TestSchedaReport::render(const PrintTexts &texts, const QString &name, const QImage &logo, const QImage &photo1,
                                 const QImage &photo2)
{
    Report report = SchedaReport::buildTemplate();
    if (!SchedaReport::fill(report, texts, logo, photo1, photo2))
        return QString();
    const QString path = m_folder->filePath(name);
    if (!ReportRender::exportPdf(report.prepare(), path, {SchedaReport::reportName(), SchedaReport::reportName()}))
        return QString();
    return path;
}

void TestSchedaReport::initTestCase()
{
    TestSupport::scriptEverything();
    m_folder = TestSupport::programFolder();
    // Every value with blanks or line breaks around it: the sheet prints them trimmed.
    const PrintTexts texts = {
        {QStringLiteral("txtNumScheda"), QStringLiteral("  1234  ")},
        {QStringLiteral("txtData"), QStringLiteral(" 05/03/2024")},
        {QStringLiteral("txtAzienda"), QStringLiteral("\r\nElettrauto Bianchi - Via Roma 1 - Milano ")},
        {QStringLiteral("txtVeicolo"), QStringLiteral("   Autovettura")},
        {QStringLiteral("txtTarga"), QStringLiteral("AB123CD   ")},
        {QStringLiteral("txtMarca"), QStringLiteral("\tFiat Panda 1.2")},
        {QStringLiteral("txtChilometraggio"), QStringLiteral("  123456")},
        {QStringLiteral("txtCliente"), QStringLiteral("\r\n  Rossi Mario\r\n")},
        {QStringLiteral("txtRecapito"), QStringLiteral(" 333 1234567")},
        {QStringLiteral("txtPratica"), QStringLiteral("  Sinistro 2024/77")},
        {QStringLiteral("txtTecnico"), QStringLiteral("  Verdi Paolo")},
        {QStringLiteral("txtDataInizio"), QStringLiteral("01/03/2024 ")},
        {QStringLiteral("txtDataFine"), QStringLiteral("   04/03/2024")},
        {QStringLiteral("txtStato"), QStringLiteral(" Completato ")},
        {QStringLiteral("txtDanni"), QStringLiteral("\r\n\r\n  La batteria non si carica\r\n")},
        {QStringLiteral("txtVernice"), QStringLiteral("  Spia batteria")},
        {QStringLiteral("txtRicambi"), QStringLiteral("\n Alternatore 90A")},
        {QStringLiteral("txtInterventi"), QStringLiteral("\r\n   Sostituito alternatore\r\nProvato impianto\r\n\r\n")},
        {QStringLiteral("txtManodopera"), QStringLiteral("  2 ore")},
        {QStringLiteral("txtTotale"), QStringLiteral(" 250,00  ")},
        {QStringLiteral("txtNote"), QStringLiteral("   Cliente abituale")},
    };
    m_pdf = render(texts, QStringLiteral("scheda.pdf"), solid(Qt::blue, QSize(297, 184)),
                   solid(Qt::red, QSize(400, 300)), solid(Qt::green, QSize(300, 400)));
    QVERIFY(!m_pdf.isEmpty());
    m_pages = PdfWords::read(m_pdf);
}

void TestSchedaReport::twoA4Pages()
{
    QCOMPARE(m_pages.size(), 2);
    for (const PdfWords::Page &page : m_pages) {
        QVERIFY2(qAbs(page.size.width() - 210) < 0.5 && qAbs(page.size.height() - 297) < 0.5,
                 qPrintable(QStringLiteral("%1 x %2").arg(page.size.width()).arg(page.size.height())));
    }
    QVERIFY(!m_pages.at(0).find(QStringLiteral("Pagina 1 di 2")).isNull());
    QVERIFY(m_pages.at(0).find(QStringLiteral("Pagina 2 di 2")).isNull());
    QVERIFY(!m_pages.at(1).find(QStringLiteral("Pagina 2 di 2")).isNull());
}

void TestSchedaReport::values_data()
{
    QTest::addColumn<int>("page");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QRectF>("frame");
    QTest::addColumn<int>("align");

    QTest::newRow("txtNumScheda") << 0 << "1234" << valueRect(102, 22, 83) << int(Centre);
    QTest::newRow("txtData") << 0 << "05/03/2024" << valueRect(102, 35, 83) << int(Centre);
    QTest::newRow("txtAzienda") << 0 << "Elettrauto Bianchi - Via Roma 1 - Milano" << QRectF(6.6, 62.8, 176.8, 9.8)
                                << int(Centre);
    QTest::newRow("txtVeicolo") << 0 << "Autovettura" << valueRect(5, 78, 122) << int(Left);
    QTest::newRow("txtTarga") << 0 << "AB123CD" << valueRect(130, 78, 55) << int(Left);
    QTest::newRow("txtMarca") << 0 << "Fiat Panda 1.2" << valueRect(5, 93, 122) << int(Left);
    QTest::newRow("txtChilometraggio") << 0 << "123456" << valueRect(130, 93, 55) << int(Left);
    QTest::newRow("txtCliente") << 0 << "Rossi Mario" << valueRect(5, 114, 122) << int(Left);
    QTest::newRow("txtRecapito") << 0 << "333 1234567" << valueRect(130, 114, 55) << int(Left);
    QTest::newRow("txtPratica") << 0 << "Sinistro 2024/77" << valueRect(5, 135, 180) << int(Left);
    QTest::newRow("txtTecnico") << 0 << "Verdi Paolo" << valueRect(5, 150, 180) << int(Left);
    QTest::newRow("txtDataInizio") << 0 << "01/03/2024" << valueRect(5, 165, 75) << int(Centre);
    QTest::newRow("txtDataFine") << 0 << "04/03/2024" << valueRect(110, 165, 75) << int(Centre);
    QTest::newRow("txtStato") << 0 << "Completato" << valueRect(5, 254, 180, 1.2) << int(Centre);
    QTest::newRow("txtDanni") << 1 << "La batteria non si carica" << QRectF(6.6, 12.8, 176.8, 33.6) << int(TopLeft);
    QTest::newRow("txtVernice") << 1 << "Spia batteria" << valueRect(5, 52, 180) << int(Left);
    QTest::newRow("txtInterventi") << 1 << "Sostituito alternatore" << QRectF(6.6, 73.8, 176.8, 57.6) << int(TopLeft);
    QTest::newRow("txtRicambi") << 1 << "Alternatore 90A" << QRectF(6.6, 143.8, 176.8, 45.6) << int(TopLeft);
    QTest::newRow("txtManodopera") << 1 << "2 ore" << valueRect(5, 195, 115) << int(Left);
    QTest::newRow("txtTotale") << 1 << "250,00" << valueRect(128, 195, 57) << int(Centre);
    QTest::newRow("txtNote") << 1 << "Cliente abituale" << valueRect(5, 210, 180) << int(Left);
}

// Checks that `found` (page mm) sits in `frame` (mm inside the margins) as the alignment says.
static void checkPlaced(const QRectF &found, const QRectF &frameInside, int align, const QString &what)
{
    const QRectF frame = frameInside.translated(kMargin, kMargin);
    QVERIFY2(!found.isNull(), qPrintable(what + QStringLiteral(": not printed")));
    const QString where = QStringLiteral("%1: printed at %2,%3 - %4,%5, frame %6,%7 - %8,%9")
                              .arg(what)
                              .arg(found.left())
                              .arg(found.top())
                              .arg(found.right())
                              .arg(found.bottom())
                              .arg(frame.left())
                              .arg(frame.top())
                              .arg(frame.right())
                              .arg(frame.bottom());
    QVERIFY2(found.left() >= frame.left() - 0.2 && found.right() <= frame.right() + 0.2, qPrintable(where));
    switch (align) {
    case Left:
        QVERIFY2(qAbs(found.left() - frame.left()) <= kTolerance, qPrintable(where));
        QVERIFY2(qAbs(found.center().y() - frame.center().y()) <= kTolerance, qPrintable(where));
        break;
    case Centre:
        QVERIFY2(qAbs(found.center().x() - frame.center().x()) <= kTolerance, qPrintable(where));
        QVERIFY2(qAbs(found.center().y() - frame.center().y()) <= kTolerance, qPrintable(where));
        break;
    case TopLeft:
        QVERIFY2(qAbs(found.left() - frame.left()) <= kTolerance, qPrintable(where));
        QVERIFY2(qAbs(found.top() - frame.top()) <= kTolerance, qPrintable(where));
        break;
    }
}

void TestSchedaReport::values()
{
    QFETCH(int, page);
    QFETCH(QString, text);
    QFETCH(QRectF, frame);
    QFETCH(int, align);
    QCOMPARE(m_pages.size(), 2);
    checkPlaced(m_pages.at(page).find(text), frame, align, text);
}

void TestSchedaReport::fixedTexts_data()
{
    QTest::addColumn<int>("page");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QRectF>("frame");
    QTest::addColumn<int>("align");

    struct Caption
    {
        int page;
        const char *text;
        double left, top, width;
        int align;
    };
    const Caption captions[] = {
        {0, "NUMERO", 102, 22, 83, Centre},
        {0, "DATA EMISSIONE", 102, 35, 83, Centre},
        {0, "AZIENDA DI ELETTRAUTO", 5, 56, 180, Centre},
        {0, "TIPO VEICOLO", 5, 78, 122, Left},
        {0, "TARGA", 130, 78, 55, Left},
        {0, "MARCA E MODELLO", 5, 93, 122, Left},
        {0, "CHILOMETRAGGIO", 130, 93, 55, Left},
        {0, "CLIENTE", 5, 114, 122, Left},
        {0, "RECAPITO TELEFONICO", 130, 114, 55, Left},
        {0, "ESTREMI PRATICA ASSICURATIVA", 5, 135, 180, Left},
        {0, "TECNICO ASSEGNATO", 5, 150, 180, Left},
        {0, "DATA INIZIO LAVORI", 5, 165, 75, Centre},
        {0, "DATA FINE LAVORI", 110, 165, 75, Centre},
        {0, "FOTO DEL VEICOLO", 5, 185, 180, Centre},
        {0, "STATO AVANZAMENTO LAVORI", 5, 254, 180, Centre},
        {1, "PROBLEMA SEGNALATO DAL CLIENTE", 5, 6, 180, Left},
        {1, "SPIE ACCESE", 5, 52, 180, Left},
        {1, "TEST E INTERVENTI ESEGUITI", 5, 67, 180, Left},
        {1, "RICAMBI E MATERIALI UTILIZZATI", 5, 137, 180, Left},
        {1, "MANODOPERA", 5, 195, 115, Left},
        {1, "TOTALE: €", 128, 195, 57, Centre},
        {1, "NOTE", 5, 210, 180, Left},
    };
    for (const Caption &c : captions) {
        QTest::newRow(c.text) << c.page << QString::fromUtf8(c.text) << captionRect(c.left, c.top, c.width) << c.align;
    }
    QTest::newRow("title 1") << 0 << "SCHEDA DI INTERVENTO" << QRectF(102, 4.2, 87, 8) << int(Left);
    QTest::newRow("title 2") << 0 << "ELETTRAUTO" << QRectF(102, 13, 87, 8) << int(Left);
    QTest::newRow("page 1") << 0 << "Pagina 1 di 2" << QRectF(1, 270, 188, 5) << int(Centre);
    QTest::newRow("declaration 2") << 1 << QStringLiteral("e l’importo indicato.") << QRectF(5, 230, 181, 5)
                                   << int(Left);
    QTest::newRow("declaration 3") << 1
                                   << "Dichiara inoltre di aver ritirato il veicolo in data odierna in buono "
                                      "stato e conforme agli interventi descritti."
                                   << QRectF(5, 237, 181, 5) << int(Left);
    QTest::newRow("technician") << 1 << "Firma del Tecnico elettrauto" << QRectF(5, 246, 81, 6.4) << int(Centre);
    QTest::newRow("customer") << 1 << "Firma del Cliente" << QRectF(104, 246, 81, 6.4) << int(Centre);
    QTest::newRow("page 2") << 1 << "Pagina 2 di 2" << QRectF(1, 270, 188, 5) << int(Centre);
}

void TestSchedaReport::fixedTexts()
{
    QFETCH(int, page);
    QFETCH(QString, text);
    QFETCH(QRectF, frame);
    QFETCH(int, align);
    QCOMPARE(m_pages.size(), 2);
    checkPlaced(m_pages.at(page).find(text), frame, align, text);
}

void TestSchedaReport::picturesInTheirBoxes()
{
    // Rendered by poppler at 50 dpi: the middle of each picture box shows its picture.
    const QString prefix = m_folder->filePath(QStringLiteral("pagina"));
    QProcess process;
    process.start(QStringLiteral("pdftoppm"),
                  {QStringLiteral("-r"), QStringLiteral("50"), QStringLiteral("-png"), m_pdf, prefix});
    QVERIFY(process.waitForFinished(60000));
    QCOMPARE(process.exitCode(), 0);
    const QImage front(prefix + QStringLiteral("-1.png"));
    QVERIFY(!front.isNull());
    auto colourAt = [&front](double xInside, double yInside) {
        const double dotsPerMm = 50 / 25.4;
        return front.pixelColor(qRound((xInside + kMargin) * dotsPerMm), qRound((yInside + kMargin) * dotsPerMm));
    };
    QVERIFY(near(colourAt(5 + 45, 4 + 21), Qt::blue));          // imgLogo
    QVERIFY(near(colourAt(5 + 44.5, 192 + 29.5), Qt::red));     // picFotografia01
    QVERIFY(near(colourAt(96 + 44.5, 192 + 29.5), Qt::green));  // picFotografia02
    // Fitted keeping proportions: the upright photo B leaves its box's sides white.
    QVERIFY(near(colourAt(96 + 5, 192 + 29.5), Qt::white));
    QVERIFY(near(colourAt(5 + 44.5, 192 + 2), Qt::red));
}

void TestSchedaReport::longTextIsCutAtTheBottomOfItsBox()
{
    QString text;
    for (int n = 1; text.size() < 5000; ++n)
        text += QStringLiteral("parola%1 ").arg(n, 4, 10, QLatin1Char('0'));
    text.truncate(5000);
    const PrintTexts texts = {{QStringLiteral("txtInterventi"), text},
                              {QStringLiteral("txtNote"), QStringLiteral("Nota finale")}};
    const QString pdf = render(texts, QStringLiteral("lungo.pdf"));
    QVERIFY(!pdf.isEmpty());
    const QList<PdfWords::Page> pages = PdfWords::read(pdf);
    QCOMPARE(pages.size(), 2);

    const QRectF frame = QRectF(6.6, 73.8, 176.8, 57.6).translated(kMargin, kMargin);
    int printed = 0;
    int last = 0;
    for (const PdfWords::Word &word : pages.at(1).words) {
        if (!word.text.startsWith(QLatin1String("parola")))
            continue;
        ++printed;
        last = std::max(last, word.text.mid(6).toInt());
        QVERIFY2(frame.adjusted(-0.2, -0.2, 0.2, 0.2).contains(word.box),
                 qPrintable(word.text + QStringLiteral(" outside the box")));
    }
    // The box holds whole lines from the first word on, and stops well before the end of the text.
    QVERIFY(pages.at(1).count(QStringLiteral("parola0001")) == 1);
    QCOMPARE(printed, last);
    QVERIFY2(printed > 100 && printed < 450, qPrintable(QString::number(printed)));
    // The objects below the box are untouched.
    QVERIFY(!pages.at(1).find(QStringLiteral("RICAMBI E MATERIALI UTILIZZATI")).isNull());
    QVERIFY(!pages.at(1).find(QStringLiteral("Nota finale")).isNull());
}

void TestSchedaReport::unknownObjectsAreRefused()
{
    Report report = SchedaReport::buildTemplate();
    QVERIFY(report.setText(QStringLiteral("txtCliente"), QStringLiteral("x")));
    QVERIFY(!report.setText(QStringLiteral("chkPagato"), QStringLiteral("Sì")));
    QVERIFY(!report.setText(QStringLiteral("imgLogo"), QStringLiteral("x")));
    QVERIFY(!report.setPicture(QStringLiteral("txtCliente"), QImage(2, 2, QImage::Format_RGB32)));
    QVERIFY(!report.setOrientation(2, QPageLayout::Portrait));
}

QTEST_MAIN(TestSchedaReport)
#include "tst_schedareport.moc"
