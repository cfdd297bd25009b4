// The report preview window: scripted by the common test set-up, so that a window that opens the
// preview never waits for a user, and opening at whole-page zoom.

#include "reports/Report.h"
#include "support/TestSupport.h"
#include "widgets/ReportPreview.h"

#include <QAction>
#include <QPrintPreviewWidget>
#include <QtTest>

namespace {

Report pages(const QString &name, int count, QPageLayout::Orientation orientation)
{
    Report report(name);
    for (int n = 1; n <= count; ++n) {
        ReportPage &page = report.addPage(ReportPage::a4(orientation, 10));
        page.add(ReportObject::textObject(QString(), {0, 0, 100, 10}, QStringLiteral("Pagina %1").arg(n)));
    }
    return report;
}

}  // namespace

class TestReportPreview : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void scriptedRun_data();
    void scriptedRun();
    void nothingToShow();
    void opensAtWholePage_data();
    void opensAtWholePage();
};

void TestReportPreview::initTestCase()
{
    // No preview-specific set-up: the common one must already keep the preview from waiting.
    TestSupport::scriptEverything();
}

void TestReportPreview::scriptedRun_data()
{
    QTest::addColumn<int>("pageCount");
    QTest::newRow("one page") << 1;
    QTest::newRow("three pages") << 3;
}

void TestReportPreview::scriptedRun()
{
    QFETCH(int, pageCount);
    const int before = ReportPreview::timesShown();
    const Report report = pages(QStringLiteral("Anteprima %1").arg(pageCount), pageCount, QPageLayout::Portrait);
    QVERIFY(ReportPreview::run(report.prepare(), nullptr));
    QCOMPARE(ReportPreview::timesShown(), before + 1);
    QCOMPARE(ReportPreview::lastPageCount(), pageCount);
    QCOMPARE(ReportPreview::lastShown().name, report.name());
    QCOMPARE(ReportPreview::lastShown().pages.size(), pageCount);
}

void TestReportPreview::nothingToShow()
{
    const int before = ReportPreview::timesShown();
    QVERIFY(!ReportPreview::run(PreparedReport{}, nullptr));
    QCOMPARE(ReportPreview::timesShown(), before);
}

void TestReportPreview::opensAtWholePage_data()
{
    QTest::addColumn<int>("orientation");
    QTest::newRow("portrait") << int(QPageLayout::Portrait);
    QTest::newRow("landscape") << int(QPageLayout::Landscape);
}

void TestReportPreview::opensAtWholePage()
{
    QFETCH(int, orientation);
    const Report report = pages(QStringLiteral("Zoom"), 2, QPageLayout::Orientation(orientation));
    ReportPreview window(report.prepare(), nullptr);
    window.resize(900, 600);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QCOMPARE(window.preview->zoomMode(), QPrintPreviewWidget::FitInView);
    const qreal opened = window.preview->zoomFactor();
    // An A4 page at 100 % is taller than this window: the whole page needs less.
    QVERIFY2(opened < 1.0, qPrintable(QString::number(opened)));

    // The page is not fitted to the width: in this window that is a closer view, with the page's
    // foot out of sight.
    window.actLarghezza->trigger();
    QVERIFY(window.preview->zoomFactor() > opened);

    // Zooming in leaves the whole-page view; "Pagina intera" comes back to the opening zoom.
    window.actPaginaIntera->trigger();
    window.actIngrandisci->trigger();
    QVERIFY(window.preview->zoomFactor() > opened);
    window.actPaginaIntera->trigger();
    QCOMPARE(window.preview->zoomMode(), QPrintPreviewWidget::FitInView);
    QVERIFY(qFuzzyCompare(window.preview->zoomFactor(), opened));
}

QTEST_MAIN(TestReportPreview)
#include "tst_reportpreview.moc"
