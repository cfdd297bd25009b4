// A day's work with the keyboard alone: the launcher's tiles and icons take the focus and open with
// Enter or Space, the record windows' commands answer to their keys and follow the fields in the Tab
// order, and Esc leaves a record window with the unsaved-changes question.

#include "archive/ClienteRecord.h"
#include "archive/RecordArchive.h"
#include "customers/TfrmClienti.h"
#include "sheets/TfrmInterventi.h"
#include "shell/AppWindows.h"
#include "shell/TfrmAvvio.h"
#include "support/TestSupport.h"
#include "support/WindowsTest.h"
#include "vehicles/TfrmAutoparco.h"
#include "widgets/CommandKeys.h"
#include "widgets/FormHelpers.h"
#include "widgets/MessageBoxes.h"
#include "widgets/RecordWindow.h"

#include <QLabel>
#include <QLineEdit>
#include <QtTest>

class TestKeyboardAccess : public WindowsTest
{
    Q_OBJECT

    RecordWindow *recordWindow(const QString &name) const
    {
        if (name == QLatin1String("clienti"))
            return m_windows->frmClienti();
        if (name == QLatin1String("automezzi"))
            return m_windows->frmAutoparco();
        return m_windows->frmInterventi();
    }

    void appendCustomers(int count)
    {
        RecordArchive archive;
        QVERIFY(archive.OpenOrCreate(m_windows->filePath(ClienteRecord::fileName()), ClienteRecord::kSize));
        for (int i = 1; i <= count; ++i) {
            ClienteRecord r;
            r.Cognome = QStringLiteral("Cliente%1").arg(i);
            r.Nome = QStringLiteral("Nome");
            QVERIFY(archive.Append(r.toBytes()) > 0);
        }
    }

private slots:
    // The first tile has the focus; Tab and the arrows visit the tiles and icons in their order on the
    // screen (top icons, tiles, bottom icons); Enter or Space opens the focused one.
    void launcherByKeyboard_data()
    {
        QTest::addColumn<int>("key");
        QTest::newRow("Enter") << int(Qt::Key_Return);
        QTest::newRow("Space") << int(Qt::Key_Space);
    }

    void launcherByKeyboard()
    {
        QFETCH(int, key);
        TfrmAvvio *launcher = m_windows->frmAvvio();
        launcher->resize(1366, 728);
        launcher->show();
        launcher->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(launcher));
        QCOMPARE(QApplication::focusWidget(), launcher->btnApp01);

        QList<PictureButton *> reachable;
        for (PictureButton *button : launcher->findChildren<PictureButton *>()) {
            if (button->focusPolicy() & Qt::TabFocus)
                reachable << button;
        }
        const QList<PictureButton *> expected = {launcher->imgInfo,     launcher->imgGuida,    launcher->btnApp01,
                                                 launcher->btnApp02,    launcher->btnApp03,    launcher->imgSplash,
                                                 launcher->imgScadenze, launcher->imgOfficina, launcher->imgFatture,
                                                 launcher->imgSito,     launcher->imgCopia,    launcher->imgRipristina,
                                                 launcher->imgEsci};
        QCOMPARE(CommandKeys::screenOrder(reachable), expected);

        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Right);
        QCOMPARE(QApplication::focusWidget(), launcher->btnApp02);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), launcher->btnApp03);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Left);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key(key));
        QVERIFY(m_windows->frmAutoparco()->isVisible());
        QVERIFY(!launcher->isVisible());
    }

    // Esc on the launcher asks before the program ends.
    void launcherEscapeAsks()
    {
        bool ended = false;
        m_windows = TestSupport::createWindows(m_folder->path(), &ended);
        TfrmAvvio *launcher = m_windows->frmAvvio();
        launcher->show();
        launcher->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(launcher));
        MessageBoxes::setNextAnswer(MessageBoxes::Answer::No);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        QList<MessageBoxes::Shown> shown = MessageBoxes::takeShown();
        QCOMPARE(shown.size(), 1);
        QCOMPARE(shown[0].text, QStringLiteral("Uscire da Cablora?"));
        QVERIFY(!ended);
        MessageBoxes::setNextAnswer(MessageBoxes::Answer::Yes);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        QVERIFY(ended);
    }

    // Every record window: the commands follow the fields in the Tab order, each command's hint names
    // its key, and the keys work from inside a field.
    void recordWindowCommands_data()
    {
        QTest::addColumn<QString>("window");
        QTest::newRow("customers") << "clienti";
        QTest::newRow("vehicles") << "automezzi";
        QTest::newRow("sheets") << "schede";
    }

    void recordWindowCommands()
    {
        QFETCH(QString, window);
        RecordWindow *w = recordWindow(window);
        QVERIFY(m_windows->showApp(w));
        w->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(w));

        QList<PictureButton *> commands;
        for (PictureButton *button : w->findChildren<PictureButton *>()) {
            if (button->objectName().startsWith(QLatin1String("cmd")))
                commands << button;
        }
        for (const RecordWindow::CommandKey &key : RecordWindow::commandKeys()) {
            auto *command = w->findChild<PictureButton *>(QLatin1String(key.command));
            QVERIFY2(command, key.command);
            QVERIFY2(FormHelpers::hintOf(command).endsWith(QStringLiteral(" (%1)").arg(QString::fromUtf8(key.keyName))),
                     key.command);
            QVERIFY(command->focusPolicy() & Qt::TabFocus);
        }

        // Tab from the first field backwards lands on the last command on the screen; forward from
        // there, back on the first field: the commands stand after the fields. The arrows go round.
        QWidget *first = QApplication::focusWidget();
        QVERIFY(qobject_cast<QLineEdit *>(first));
        const QList<PictureButton *> ordered = CommandKeys::screenOrder(commands);
        QTest::keyClick(first, Qt::Key_Backtab);
        QCOMPARE(QApplication::focusWidget(), ordered.last());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Right);
        QCOMPARE(QApplication::focusWidget(), ordered.first());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Left);
        QCOMPARE(QApplication::focusWidget(), ordered.last());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), first);
    }

    // The browse keys from inside a field, where the edit would take Ctrl+Home and Ctrl+End itself.
    void browseKeys_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<QString>("position");
        QTest::newRow("Ctrl+End: the last") << int(Qt::Key_End) << int(Qt::ControlModifier) << "3";
        QTest::newRow("Ctrl+Home: the first") << int(Qt::Key_Home) << int(Qt::ControlModifier) << "1";
        QTest::newRow("Page Down: the next") << int(Qt::Key_PageDown) << int(Qt::NoModifier) << "3";
        QTest::newRow("Page Up: the previous") << int(Qt::Key_PageUp) << int(Qt::NoModifier) << "1";
    }

    void browseKeys()
    {
        QFETCH(int, key);
        QFETCH(int, modifiers);
        QFETCH(QString, position);
        appendCustomers(3);
        TfrmClienti *w = m_windows->frmClienti();
        QVERIFY(m_windows->showApp(w));
        w->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(w));
        QVERIFY(w->ShowRecordAt(2));
        w->txtNome->setFocus();
        QTest::keyClick(w->txtNome, Qt::Key(key), Qt::KeyboardModifiers(modifiers));
        QCOMPARE(w->lblPosizione->text(), position);
    }

    // Ctrl+N empties the screen, Ctrl+D asks nothing of an unsaved sheet but says it must be stored
    // first, Esc leaves with the unsaved-changes question (Annulla stays, No leaves).
    void commandKeys()
    {
        appendCustomers(1);
        TfrmClienti *w = m_windows->frmClienti();
        QVERIFY(m_windows->showApp(w));
        w->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(w));
        QVERIFY(w->ShowRecordAt(1));
        QTest::keyClick(w->txtCognome, Qt::Key_N, Qt::ControlModifier);
        QCOMPARE(w->txtCognome->text(), QString());
        QCOMPARE(w->lblPosizione->text(), QString());
        QTest::keyClick(w->txtCognome, Qt::Key_D, Qt::ControlModifier);
        QList<MessageBoxes::Shown> shown = MessageBoxes::takeShown();
        QCOMPARE(shown.size(), 1);
        QVERIFY(shown[0].text.contains(QStringLiteral("duplicazione")));

        QTest::keyClicks(w->txtCognome, QStringLiteral("Rossi"));
        MessageBoxes::setNextAnswer(MessageBoxes::Answer::Cancel);
        QTest::keyClick(w->txtCognome, Qt::Key_Escape);
        shown = MessageBoxes::takeShown();
        QCOMPARE(shown.size(), 1);
        QCOMPARE(shown[0].text, QStringLiteral("Salvare le modifiche alla scheda?"));
        QVERIFY(w->isVisible());
        MessageBoxes::setNextAnswer(MessageBoxes::Answer::No);
        QTest::keyClick(w->txtCognome, Qt::Key_Escape);
        QVERIFY(!w->isVisible());
        QVERIFY(m_windows->frmAvvio()->isVisible());
    }
};

QTEST_MAIN(TestKeyboardAccess)
#include "tst_keyboardaccess.moc"
