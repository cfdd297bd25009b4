#include "common/Formats.h"
#include "customers/TfrmClienti.h"
#include "sheets/TfrmInterventi.h"
#include "shell/AppWindows.h"
#include "shell/TfrmAvvio.h"
#include "shell/TfrmCambiaPassword.h"
#include "shell/TfrmPassword.h"
#include "support/TestSupport.h"
#include "vehicles/TfrmAutoparco.h"
#include "widgets/FormHelpers.h"
#include "widgets/MessageBoxes.h"

#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QtTest>

class TestWindowFlow : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<AppWindows> m_windows;
    bool m_ended = false;

    QList<QWidget *> wholeRunWindows() const
    {
        return {m_windows->frmPassword(), m_windows->frmCambiaPassword(), m_windows->frmAvvio(),
                m_windows->frmClienti(),  m_windows->frmAutoparco(),      m_windows->frmInterventi()};
    }

    // Exactly one whole-run window is visible: this one.
    void expectOnly(QWidget *visible)
    {
        for (QWidget *window : wholeRunWindows())
            QVERIFY2(window->isVisible() == (window == visible), qPrintable(window->windowTitle()));
        QVERIFY(MessageBoxes::takeShown().isEmpty());
        QVERIFY(!m_ended);
    }

    void createAndStart()
    {
        m_dir = TestSupport::programFolder();
        QVERIFY(TestSupport::writeFile(m_dir->filePath(QStringLiteral("unins000.dll")),
                                       "[Accesso]\r\nValore=5B3B85F519A56894D6D964DA6BD1\r\n"));
        m_ended = false;
        m_windows = TestSupport::createWindows(m_dir->path(), &m_ended);
        for (QWidget *window : wholeRunWindows())
            QVERIFY(window->isHidden());
        m_windows->start();
        expectOnly(m_windows->frmPassword());
    }

    void expectFixedWithoutButtons(QWidget *window)
    {
        QVERIFY(!(window->windowFlags()
                  & (Qt::WindowCloseButtonHint | Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint)));
        QCOMPARE(window->minimumSize(), window->maximumSize());
        QVERIFY(window->width() <= 1366 && window->height() <= 768);
    }

    void logIn()
    {
        TfrmPassword *login = m_windows->frmPassword();
        QTest::keyClicks(login->txtPassword, QStringLiteral("portierasicura"));
        QTest::keyClick(login->txtPassword, Qt::Key_Return);
        expectOnly(m_windows->frmAvvio());
        QVERIFY(m_windows->frmAvvio()->windowState() & Qt::WindowMaximized);
    }

private slots:
    void initTestCase() { TestSupport::scriptEverything(); }

    void cleanup()
    {
        m_windows.reset();
        m_dir.reset();
        MessageBoxes::takeShown();
    }

    void startup()
    {
        // The process formats, whatever the computer's regional settings.
        QCOMPARE(QLocale().decimalPoint(), QStringLiteral(","));
        QCOMPARE(QLocale().toString(1234.5, 'f', 2), QStringLiteral("1234,50"));
        QCOMPARE(Formats::dateText(QDate(2024, 3, 5)), QStringLiteral("05/03/2024"));

        createAndStart();
        TfrmPassword *login = m_windows->frmPassword();
        QVERIFY(login->windowTitle().startsWith(QLatin1String("Cablora")));
        QCOMPARE(m_windows->frmCambiaPassword()->windowTitle(), QStringLiteral(" Cambia password"));
        QCOMPARE(m_windows->frmAvvio()->windowTitle(), QStringLiteral(" Cablora"));
        // The login window has a fixed size and no window buttons: only "Esci" ends the program.
        expectFixedWithoutButtons(login);
        QVERIFY(QTest::qWaitForWindowActive(login));
        QCOMPARE(QApplication::focusWidget(), login->txtPassword);
        QVERIFY(login->effPassword->isLit());
        QVERIFY(!login->cmdOK->isEnabled());
    }

    // Launcher tiles, the app windows and the way back.
    void apps_data()
    {
        QTest::addColumn<QString>("tile");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<bool>("exitCommand");  // false: the window's close button

        QTest::newRow("customers picture, exit command") << "imgApp01"
                                                         << " Cablora - Anagrafica Clienti" << true;
        QTest::newRow("customers button, close button") << "btnApp01"
                                                        << " Cablora - Anagrafica Clienti" << false;
        QTest::newRow("vehicles picture, close button") << "imgApp02"
                                                        << " Cablora - Parco Automezzi" << false;
        QTest::newRow("vehicles button, exit command") << "btnApp02"
                                                       << " Cablora - Parco Automezzi" << true;
        QTest::newRow("sheets picture, close button") << "imgApp03"
                                                      << " Cablora - Schede Interventi" << false;
        QTest::newRow("sheets button, exit command") << "btnApp03"
                                                     << " Cablora - Schede Interventi" << true;
    }

    void apps()
    {
        QFETCH(QString, tile);
        QFETCH(QString, caption);
        QFETCH(bool, exitCommand);
        createAndStart();
        logIn();

        TfrmAvvio *launcher = m_windows->frmAvvio();
        const QMap<QString, PictureButton *> tiles = {
            {"imgApp01", launcher->imgApp01}, {"btnApp01", launcher->btnApp01}, {"imgApp02", launcher->imgApp02},
            {"btnApp02", launcher->btnApp02}, {"imgApp03", launcher->imgApp03}, {"btnApp03", launcher->btnApp03}};
        const int app = tile.right(1).toInt();
        AppWindow *window = app == 1   ? static_cast<AppWindow *>(m_windows->frmClienti())
                            : app == 2 ? static_cast<AppWindow *>(m_windows->frmAutoparco())
                                       : static_cast<AppWindow *>(m_windows->frmInterventi());
        PictureButton *exit = app == 1   ? m_windows->frmClienti()->cmdEsci
                              : app == 2 ? m_windows->frmAutoparco()->cmdEsci
                                         : m_windows->frmInterventi()->cmdEsci;
        QCOMPARE(tiles[tile]->cursor().shape(), Qt::PointingHandCursor);

        for (int round = 0; round < 2; ++round) {  // the same app opens again after its return
            QTest::mouseClick(tiles[tile], Qt::LeftButton);
            expectOnly(window);
            QCOMPARE(window->windowTitle(), caption);
            QVERIFY(window->windowState() & Qt::WindowMaximized);

            if (exitCommand)
                QTest::mouseClick(exit, Qt::LeftButton);
            else
                window->close();
            expectOnly(launcher);
            QVERIFY(launcher->windowState() & Qt::WindowMaximized);
        }
    }

    void programEnds_data()
    {
        QTest::addColumn<QString>("way");
        QTest::newRow("login: Esci") << "cmdEsci";
        QTest::newRow("launcher: exit icon") << "imgEsci";
        QTest::newRow("launcher: close button") << "close";
    }

    void programEnds()
    {
        QFETCH(QString, way);
        createAndStart();
        if (way == QLatin1String("cmdEsci")) {
            QTest::mouseClick(m_windows->frmPassword()->cmdEsci, Qt::LeftButton);
        } else {
            logIn();
            if (way == QLatin1String("imgEsci"))
                QTest::mouseClick(m_windows->frmAvvio()->imgEsci, Qt::LeftButton);
            else
                m_windows->frmAvvio()->close();  // the login window still exists, hidden
        }
        QVERIFY(m_ended);
        QVERIFY(MessageBoxes::takeShown().isEmpty());
    }

    // Login -> change-password window -> back to the login, by "Chiudi" or by closing the window.
    void changePasswordWindow()
    {
        createAndStart();
        TfrmPassword *login = m_windows->frmPassword();
        TfrmCambiaPassword *change = m_windows->frmCambiaPassword();
        for (bool byChiudi : {true, false}) {
            QTest::keyClicks(login->txtPassword, QStringLiteral("abc"));
            QTest::mouseClick(login->btnCambiaPassword, Qt::LeftButton);
            expectOnly(change);
            expectFixedWithoutButtons(change);
            for (QLineEdit *edit : {change->txtPasswordOld, change->txtPasswordNew, change->txtConferma})
                QVERIFY(edit->text().isEmpty());
            QVERIFY(!change->cmdOK->isEnabled());
            QVERIFY(QTest::qWaitForWindowActive(change));
            QCOMPARE(QApplication::focusWidget(), change->txtPasswordOld);
            QTest::keyClicks(change->txtPasswordOld, QStringLiteral("vecchia"));
            QTest::keyClicks(change->txtPasswordNew, QStringLiteral("nuova"));

            if (byChiudi)
                QTest::mouseClick(change->cmdEsci, Qt::LeftButton);
            else
                change->close();
            expectOnly(login);
            QVERIFY(login->txtPassword->text().isEmpty());
            QVERIFY(!login->cmdOK->isEnabled());
            QVERIFY(QTest::qWaitForWindowActive(login));
            QCOMPARE(QApplication::focusWidget(), login->txtPassword);
        }
        logIn();
    }
};

QTEST_MAIN(TestWindowFlow)
#include "tst_windowflow.moc"
