// Every dialog fits a 1366 x 768 laptop screen with a 40-pixel task bar (1366 x 728, title bar
// included) with nothing cut: its size holds what its controls need.

#include "customers/TfrmExpClienti.h"
#include "customers/TfrmRicontatta.h"
#include "customers/TfrmTrovaClienti.h"
#include "media/TfrmLogo.h"
#include "media/TfrmZoom.h"
#include "reports/Report.h"
#include "reports/SummaryReport.h"
#include "sheets/TfrmAnteprimaScheda.h"
#include "sheets/TfrmDaSaldare.h"
#include "sheets/TfrmNumerazione.h"
#include "sheets/TfrmStampaScheda.h"
#include "sheets/TfrmStorico.h"
#include "sheets/TfrmTrovaInterventi.h"
#include "shell/AppWindows.h"
#include "shell/TfrmGuida.h"
#include "shell/TfrmInfo.h"
#include "shell/TfrmSplash.h"
#include "support/TestSupport.h"
#include "validators/TfrmCarta.h"
#include "validators/TfrmCodFisc.h"
#include "validators/TfrmIban.h"
#include "validators/TfrmPartitaIva.h"
#include "vehicles/TfrmAnteprimaAutomezzo.h"
#include "vehicles/TfrmExpAutoparco.h"
#include "vehicles/TfrmScadenze.h"
#include "vehicles/TfrmStampaAutomezzo.h"
#include "vehicles/TfrmTrovaAutomezzi.h"
#include "widgets/ReportPreview.h"
#include "widgets/TfrmCalendario.h"

#include <QDialog>
#include <QScreen>
#include <QtTest>

#include <functional>

namespace {

// The room a window manager's title bar takes above the dialog.
constexpr int kDialogTitleBar = 30;
const QSize kLaptopScreen(1366, 728);

}  // namespace

class TestDialogsFit : public QObject
{
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_folder;
    std::unique_ptr<AppWindows> m_windows;

private slots:
    void initTestCase()
    {
        TestSupport::scriptEverything();
        m_folder = TestSupport::programFolder();
        m_windows = TestSupport::createWindows(m_folder->path());
    }

    void cleanupTestCase()
    {
        m_windows.reset();
        m_folder.reset();
    }

    void fits_data()
    {
        using Make = std::function<QDialog *(AppWindows &)>;
        QTest::addColumn<Make>("make");
        QTest::addColumn<QSize>("exactly");  // the size the dialog must have, when it has one
        const QSize any;
        QTest::newRow("TfrmTrovaClienti") << Make([](AppWindows &w) { return new TfrmTrovaClienti(w); }) << any;
        QTest::newRow("TfrmRicontatta") << Make([](AppWindows &w) { return new TfrmRicontatta(w); }) << any;
        QTest::newRow("TfrmExpClienti") << Make([](AppWindows &w) { return new TfrmExpClienti(w); }) << any;
        QTest::newRow("TfrmTrovaAutomezzi") << Make([](AppWindows &w) { return new TfrmTrovaAutomezzi(w); }) << any;
        QTest::newRow("TfrmExpAutoparco") << Make([](AppWindows &w) { return new TfrmExpAutoparco(w); }) << any;
        QTest::newRow("TfrmScadenze") << Make([](AppWindows &w) { return new TfrmScadenze(w); }) << any;
        QTest::newRow("TfrmStampaAutomezzo")
            << Make([](AppWindows &w) { return new TfrmStampaAutomezzo(w); }) << QSize(364, 287);
        QTest::newRow("TfrmAnteprimaAutomezzo")
            << Make([](AppWindows &w) { return new TfrmAnteprimaAutomezzo(w); }) << QSize(364, 287);
        QTest::newRow("TfrmTrovaInterventi") << Make([](AppWindows &w) { return new TfrmTrovaInterventi(w); }) << any;
        QTest::newRow("TfrmDaSaldare") << Make([](AppWindows &w) { return new TfrmDaSaldare(w); }) << any;
        QTest::newRow("TfrmStorico") << Make([](AppWindows &w) {
            auto *history = new TfrmStorico(w);
            history->lblTarga->setText(QStringLiteral("AB123CD"));
            return history;
        }) << any;
        QTest::newRow("TfrmStorico without a plate") << Make([](AppWindows &w) { return new TfrmStorico(w); }) << any;
        QTest::newRow("TfrmNumerazione") << Make([](AppWindows &w) { return new TfrmNumerazione(w, nullptr); }) << any;
        QTest::newRow("TfrmStampaScheda") << Make([](AppWindows &w) { return new TfrmStampaScheda(w); }) << any;
        QTest::newRow("TfrmAnteprimaScheda") << Make([](AppWindows &w) { return new TfrmAnteprimaScheda(w); }) << any;
        QTest::newRow("TfrmGuida") << Make([](AppWindows &w) { return new TfrmGuida(w); }) << any;
        QTest::newRow("TfrmInfo") << Make([](AppWindows &w) { return new TfrmInfo(w); }) << any;
        QTest::newRow("TfrmSplash") << Make([](AppWindows &w) { return new TfrmSplash(w); }) << any;
        QTest::newRow("TfrmCarta") << Make([](AppWindows &) { return new TfrmCarta; }) << any;
        QTest::newRow("TfrmCodFisc") << Make([](AppWindows &) { return new TfrmCodFisc; }) << any;
        QTest::newRow("TfrmIban") << Make([](AppWindows &) { return new TfrmIban; }) << any;
        QTest::newRow("TfrmPartitaIva") << Make([](AppWindows &) { return new TfrmPartitaIva; }) << any;
        QTest::newRow("TfrmLogo") << Make([](AppWindows &w) { return new TfrmLogo(w); }) << any;
        QTest::newRow("TfrmCalendario") << Make([](AppWindows &w) { return new TfrmCalendario(w, nullptr); }) << any;
        // The windows that take the whole screen fit the screen they are on, whatever its size.
        QTest::newRow("TfrmZoom (the screen's)")
            << Make([](AppWindows &) { return new TfrmZoom(TestSupport::solid(Qt::red, QSize(3000, 2000)), nullptr); })
            << any;
        QTest::newRow("ReportPreview (the screen's)") << Make([](AppWindows &) {
            Report report = SummaryReport::buildTemplate(QStringLiteral("Prova"));
            SummaryReport::fill(report, QStringLiteral("Titolo"), {QStringLiteral("riga")}, QStringLiteral("piede"));
            return new ReportPreview(report.prepare(), nullptr);
        }) << any;
    }

    void fits()
    {
        using Make = std::function<QDialog *(AppWindows &)>;
        QFETCH(Make, make);
        QFETCH(QSize, exactly);
        std::unique_ptr<QDialog> dialog(make(*m_windows));
        dialog->show();
        QApplication::processEvents();
        const QSize size = dialog->size();
        const QSize needed = dialog->minimumSizeHint();
        QVERIFY2(needed.width() <= size.width() && needed.height() <= size.height(),
                 qPrintable(QStringLiteral("needs %1 x %2").arg(needed.width()).arg(needed.height())));
        // A window that takes the whole screen (maximised) gets what the screen leaves under its
        // title bar: what it needs must fit there. Any other fits the laptop's screen.
        const bool wholeScreen = QString::fromLatin1(QTest::currentDataTag()).endsWith(QLatin1String("(the screen's)"));
        const QSize room = wholeScreen ? dialog->screen()->availableSize() : kLaptopScreen;
        const QSize held = wholeScreen ? needed : size;
        QVERIFY2(held.width() <= room.width() && held.height() + kDialogTitleBar <= room.height(),
                 qPrintable(QStringLiteral("%1 x %2").arg(held.width()).arg(held.height())));
        if (exactly.isValid())
            QCOMPARE(size, exactly);
        dialog->close();
    }
};

QTEST_MAIN(TestDialogsFit)
#include "tst_dialogsfit.moc"
