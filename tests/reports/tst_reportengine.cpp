// The report engine itself: text placement rules, orientation, PDF export, printing through the
// print dialog, and the preview window.

#include "reports/PdfWords.h"
#include "reports/Report.h"
#include "support/TestSupport.h"
#include "widgets/MessageBoxes.h"
#include "widgets/PrintDialogs.h"
#include "widgets/ReportPreview.h"
#include "widgets/ReportPrinting.h"

#include <QAction>
#include <QLabel>
#include <QPrintPreviewWidget>
#include <QProcess>
#include <QSet>
#include <QToolBar>
#include <QtTest>

namespace {

// A one-page report with a single text object at 20, 30 of 60 x 20 mm (five lines of Arial 10).
Report oneText(const QString &text, Qt::Alignment alignment, bool wrap)
{
    Report report(QStringLiteral("Prova"));
    ReportPage &page = report.addPage(ReportPage::a4(QPageLayout::Portrait, 10));
    page.add(ReportObject::textObject(QStringLiteral("txtProva"), {20, 30, 60, 20}, text)
                 .font(QStringLiteral("Arial"), 10)
                 .align(alignment)
                 .wrap(wrap));
    return report;
}

QString pdfInfo(const QString &pdf)
{
    QProcess process;
    process.start(QStringLiteral("pdfinfo"), {pdf});
    process.waitForFinished(60000);
    return QString::fromUtf8(process.readAllStandardOutput());
}

}  // namespace

class TestReportEngine : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void textPlacement_data();
    void textPlacement();
    void orientation();
    void pdfExport();
    void printing_data();
    void printing();
    void preview();

private:
    std::unique_ptr<QTemporaryDir> m_folder;
};

void TestReportEngine::initTestCase()
{
    TestSupport::scriptEverything();
    ReportPreview::setScripted(true);
    m_folder = TestSupport::programFolder();
}

void TestReportEngine::textPlacement_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("alignment");
    QTest::addColumn<bool>("wrap");
    QTest::addColumn<int>("lines");
    QTest::addColumn<QString>("edge");  // which edge of the frame the text must touch

    const QString longText = QStringLiteral("uno due tre quattro cinque sei sette otto nove dieci undici dodici");
    QTest::newRow("wraps inside its width") << longText << int(Qt::AlignLeft | Qt::AlignTop) << true << 2 << "top";
    QTest::newRow("single line is not wrapped") << longText << int(Qt::AlignLeft | Qt::AlignTop) << false << 1 << "top";
    QTest::newRow("own line breaks kept")
        << "uno\r\ndue\rtre" << int(Qt::AlignLeft | Qt::AlignTop) << false << 3 << "top";
    QTest::newRow("right and bottom") << "uno due" << int(Qt::AlignRight | Qt::AlignBottom) << false << 1 << "bottom";
    QTest::newRow("too long for the frame starts at the top")
        << QString(QStringLiteral("riga\n")).repeated(20) << int(Qt::AlignLeft | Qt::AlignVCenter) << false << 5
        << "top";
}

void TestReportEngine::textPlacement()
{
    QFETCH(QString, text);
    QFETCH(int, alignment);
    QFETCH(bool, wrap);
    QFETCH(int, lines);
    QFETCH(QString, edge);

    const QString pdf = m_folder->filePath(QStringLiteral("testo.pdf"));
    QVERIFY(ReportRender::exportPdf(oneText(text, Qt::Alignment(alignment), wrap).prepare(), pdf, {}));
    const QList<PdfWords::Page> pages = PdfWords::read(pdf);
    QCOMPARE(pages.size(), 1);
    const QRectF frame(30, 40, 60, 20);  // on the page
    QSet<int> tops;
    QRectF all;
    for (const PdfWords::Word &word : pages.at(0).words) {
        tops.insert(qRound(word.box.top() * 10));
        all = all.isNull() ? word.box : all.united(word.box);
        if (wrap)
            QVERIFY2(word.box.right() <= frame.right() + 0.2, qPrintable(word.text));
    }
    QCOMPARE(tops.size(), lines);
    QVERIFY(all.bottom() <= frame.bottom() + 0.2);
    if (edge == QLatin1String("top"))
        QVERIFY(qAbs(all.top() - frame.top()) < 0.5);
    else
        QVERIFY(qAbs(all.bottom() - frame.bottom()) < 0.5);
    if (alignment & Qt::AlignRight)
        QVERIFY(qAbs(all.right() - frame.right()) < 0.5);
    else
        QVERIFY(qAbs(all.left() - frame.left()) < 0.5);
}

void TestReportEngine::orientation()
{
    Report report = oneText(QStringLiteral("x"), Qt::AlignLeft, false);
    QVERIFY(report.setOrientation(0, QPageLayout::Landscape));
    const QString pdf = m_folder->filePath(QStringLiteral("orizzontale.pdf"));
    QVERIFY(ReportRender::exportPdf(report.prepare(), pdf, {}));
    const QList<PdfWords::Page> pages = PdfWords::read(pdf);
    QCOMPARE(pages.size(), 1);
    QVERIFY(qAbs(pages.at(0).size.width() - 297) < 0.5 && qAbs(pages.at(0).size.height() - 210) < 0.5);
}

void TestReportEngine::pdfExport()
{
    const QString pdf = m_folder->filePath(QStringLiteral("Cliente.pdf"));
    QVERIFY(TestSupport::writeFile(pdf, "vecchio contenuto"));
    const PreparedReport prepared = oneText(QStringLiteral("Scheda"), Qt::AlignLeft, false).prepare();
    // An earlier file is replaced without a question.
    QVERIFY(ReportRender::exportPdf(prepared, pdf,
                                    {QStringLiteral("Scheda informativa"), QStringLiteral("Scheda informativa")}));
    QVERIFY(MessageBoxes::takeShown().isEmpty());
    const QString info = pdfInfo(pdf);
    QVERIFY2(info.contains(QRegularExpression(QStringLiteral("Title:\\s+Scheda informativa\\n"))), qPrintable(info));
    QVERIFY2(info.contains(QRegularExpression(QStringLiteral("Subject:\\s+Scheda informativa\\n"))), qPrintable(info));
    QVERIFY(info.contains(QRegularExpression(QStringLiteral("Pages:\\s+1\\n"))));
    QCOMPARE(PdfWords::read(pdf).at(0).text(), QStringLiteral("Scheda"));

    // A file that cannot be written is reported, and nothing is left behind.
    const QString nowhere = m_folder->filePath(QStringLiteral("manca/Cliente.pdf"));
    QVERIFY(!ReportRender::exportPdf(prepared, nowhere, {}));
    QVERIFY(!QFile::exists(nowhere));
}

void TestReportEngine::printing_data()
{
    QTest::addColumn<QString>("answer");
    QTest::addColumn<int>("outcome");

    QTest::newRow("cancelled") << QString() << int(ReportPrinting::Outcome::Cancelled);
    QTest::newRow("printed") << "stampa.pdf" << int(ReportPrinting::Outcome::Printed);
    QTest::newRow("failed") << "manca/stampa.pdf" << int(ReportPrinting::Outcome::Failed);
}

void TestReportEngine::printing()
{
    QFETCH(QString, answer);
    QFETCH(int, outcome);

    PrintDialogs::setScripted(true);
    const QString pdf = answer.isEmpty() ? QString() : m_folder->filePath(answer);
    if (pdf.isEmpty())
        PrintDialogs::setNextCancel();
    else
        PrintDialogs::setNextAccept(pdf);
    Report report = oneText(QStringLiteral("Stampato"), Qt::AlignLeft, false);
    QCOMPARE(int(ReportPrinting::print(report.prepare(), nullptr)), outcome);
    QCOMPARE(PrintDialogs::timesAsked(), 1);
    if (outcome == int(ReportPrinting::Outcome::Printed))
        QCOMPARE(PdfWords::read(pdf).at(0).text(), QStringLiteral("Stampato"));
}

void TestReportEngine::preview()
{
    Report report(QStringLiteral("Due pagine"));
    for (const QString &text : {QStringLiteral("Prima"), QStringLiteral("Seconda")}) {
        ReportPage &page = report.addPage(ReportPage::a4(QPageLayout::Portrait, 10));
        page.add(ReportObject::textObject(QString(), {0, 0, 100, 10}, text));
    }
    ReportPreview window(report.prepare(), nullptr);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QCOMPARE(window.pageCount(), 2);
    QCOMPARE(window.lblPagina->text(), QStringLiteral("Pagina 1 di 2"));
    window.actSuccessiva->trigger();
    QCOMPARE(window.lblPagina->text(), QStringLiteral("Pagina 2 di 2"));

    // Print, zoom, full screen and close; nothing else.
    QStringList texts;
    for (QAction *action : window.barStrumenti->actions()) {
        if (!action->text().isEmpty())
            texts << action->text();
    }
    QCOMPARE(texts, (QStringList{"Stampa", "Ingrandisci", "Riduci", "Pagina intera", "Larghezza pagina",
                                 "Pagina precedente", "Pagina successiva", "Schermo intero", "Chiudi"}));
    const qreal zoom = window.preview->zoomFactor();
    window.actIngrandisci->trigger();
    QVERIFY(window.preview->zoomFactor() > zoom);
    window.actSchermoIntero->trigger();
    QVERIFY(window.isFullScreen());
    window.actSchermoIntero->trigger();
    QVERIFY(!window.isFullScreen());

    PrintDialogs::setScripted(true);
    const QString pdf = m_folder->filePath(QStringLiteral("dall_anteprima.pdf"));
    PrintDialogs::setNextAccept(pdf);
    window.actStampa->trigger();
    const QList<PdfWords::Page> printed = PdfWords::read(pdf);
    QCOMPARE(printed.size(), 2);
    QCOMPARE(printed.at(1).text(), QStringLiteral("Seconda"));
    QVERIFY(MessageBoxes::takeShown().isEmpty());

    window.actChiudi->trigger();
    QVERIFY(!window.isVisible());
}

QTEST_MAIN(TestReportEngine)
#include "tst_reportengine.moc"
