// The launcher's icons whose windows are not built yet say so in the launcher's status line, and
// do nothing else.

#include "shell/AppWindows.h"
#include "shell/TfrmAvvio.h"
#include "shell/TfrmPassword.h"
#include "support/TestSupport.h"
#include "widgets/MessageBoxes.h"

#include <QAbstractButton>
#include <QLabel>
#include <QtTest>

class TestLauncher : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { TestSupport::scriptEverything(); }

    void iconWithoutWindow_data()
    {
        QTest::addColumn<QString>("icon");
        QTest::newRow("information") << "imgInfo";
        QTest::newRow("help") << "imgGuida";
        QTest::newRow("heart") << "imgSplash";
    }

    void iconWithoutWindow()
    {
        QFETCH(QString, icon);
        auto dir = TestSupport::programFolder();
        bool ended = false;
        auto windows = TestSupport::createWindows(dir->path(), &ended);
        TfrmAvvio *launcher = windows->frmAvvio();
        windows->showLauncher(windows->frmPassword());
        QVERIFY(QTest::qWaitForWindowExposed(launcher));

        auto *status = launcher->findChild<QLabel *>(QStringLiteral("panInfo"));
        QVERIFY(status);
        QVERIFY(status->text().isEmpty());
        auto *button = launcher->findChild<QAbstractButton *>(icon);
        QVERIFY(button);
        QTest::mouseClick(button, Qt::LeftButton);
        QCOMPARE(status->text(), QStringLiteral("Funzione non ancora disponibile."));

        // Nothing else happens: no message, no window, the program goes on.
        QVERIFY(MessageBoxes::takeShown().isEmpty());
        QVERIFY(launcher->isVisible());
        QVERIFY(!ended);
        QVERIFY(QApplication::activeModalWidget() == nullptr);
    }
};

QTEST_MAIN(TestLauncher)
#include "tst_launcher.moc"
