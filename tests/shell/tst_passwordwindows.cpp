#include "shell/AppWindows.h"
#include "shell/TfrmAvvio.h"
#include "shell/TfrmCambiaPassword.h"
#include "shell/TfrmPassword.h"
#include "support/TestSupport.h"
#include "widgets/FormHelpers.h"
#include "widgets/MessageBoxes.h"

#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QScopeGuard>
#include <QtTest>

#ifdef Q_OS_LINUX
#  include <csignal>
#  include <sys/resource.h>
#endif

namespace {

// Stored values computed apart from the program (see tst_passwordstore).
const QByteArray kInitialStore("[Accesso]\r\nValore=5B3B85F519A56894D6D964DA6BD1\r\n");  // PORTIERASICURA
const QByteArray kPercheStore("[Accesso]\r\nValore=5B31CD92DA42\r\n");                   // PERCHé
const QString kZ255Stored =
    QStringLiteral("516120D22F5894923D196787637FB782D6262CF700F22DACD925FD479CFDAB715A6E393F6999908856279E444B95E5"
                   "8184AF30FBB18EFE3E2150841FBD3D1435BB260DFA773E207DA0458BB5D6440D5AE7715752D53473982A6B74B57146"
                   "6580D3815D1CD7AAED39E0E3F2A037A0B7153481E63351997EB78884D13AD56093ADD4CE14E266AFBAF45AD3CD1C48"
                   "C224D8E256B1FE5650311B1F71A42BC1E5BD7462DD6F64FF4D6630C229201B3A8A00C79A94C487C2F471A8074470D9"
                   "2889A34165AC93B0CA22EB4292459BA5D0CC307E64DE40646D33969C38B1D760BC574D1FF2E3F086BCCD85901BC461"
                   "9DE27A4E3B2AA1E088A8D00540D8C2A2CE422CEB");  // 255 times Z

const QString kWrong = QStringLiteral("plain: Attenzione: password errata.");
const QString kReadError =
    QStringLiteral("error: Attenzione: si è verificato un errore durante la procedura di lettura della password. "
                   "Si consiglia di reinstallare il software.");
const QString kWrongOld = QStringLiteral("warning: Attenzione: vecchia password errata.");
const QString kNotConfirmed =
    QStringLiteral("warning: Attenzione: la nuova password non è stata confermata correttamente. E' necessario "
                   "reinserire entrambi i valori.");
const QString kCannotBeStored =
    QStringLiteral("warning: Attenzione: la nuova password non può essere memorizzata. Può contenere al massimo 255 "
                   "caratteri, scelti tra lettere, cifre, lettere accentate e simboli della tastiera italiana. E' "
                   "necessario reinserire entrambi i valori.");
const QString kChangeError =
    QStringLiteral("error: Attenzione: si è verificato un errore durante la procedura di modifica della password. "
                   "Si consiglia di reinstallare il software.");
const QString kChanged = QStringLiteral("information: Modifica della password completata con successo.");

// Types text as a user would, key by key; unlike QTest::keyClicks it also takes letters beyond ASCII.
void typeText(QWidget *control, const QString &text)
{
    for (const QChar c : text) {
        const char16_t upper = c.toUpper().unicode();
        const Qt::Key key = upper < 0x100 ? Qt::Key(upper) : Qt::Key_unknown;
        QTest::sendKeyEvent(QTest::Click, control, key, QString(c), Qt::NoModifier);
    }
}

// The messages shown since the last call, as "kind: text".
QStringList shown()
{
    QStringList out;
    for (const MessageBoxes::Shown &m : MessageBoxes::takeShown()) {
        QString kind;
        switch (m.kind) {
        case MessageBoxes::Kind::Warning: kind = QStringLiteral("warning"); break;
        case MessageBoxes::Kind::Error: kind = QStringLiteral("error"); break;
        case MessageBoxes::Kind::Information: kind = QStringLiteral("information"); break;
        case MessageBoxes::Kind::Plain: kind = QStringLiteral("plain"); break;
        case MessageBoxes::Kind::Question: kind = QStringLiteral("question"); break;
        case MessageBoxes::Kind::SaveQuestion: kind = QStringLiteral("save question"); break;
        case MessageBoxes::Kind::OverwriteQuestion: kind = QStringLiteral("overwrite question"); break;
        }
        out << kind + QStringLiteral(": ") + m.text;
    }
    return out;
}

}  // namespace

class TestPasswordWindows : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<AppWindows> m_windows;
    bool m_ended = false;
    TfrmPassword *m_login = nullptr;
    TfrmCambiaPassword *m_change = nullptr;

    QString storePath() const { return m_dir->filePath(QStringLiteral("unins000.dll")); }

    // A program folder with the given store (null: none), the windows created and the login shown.
    void startWith(const QByteArray &store)
    {
        m_dir = TestSupport::programFolder();
        if (!store.isNull())
            QVERIFY(TestSupport::writeFile(storePath(), store));
        m_windows = TestSupport::createWindows(m_dir->path(), &m_ended);
        m_login = m_windows->frmPassword();
        m_change = m_windows->frmCambiaPassword();
        m_windows->start();
        QVERIFY(QTest::qWaitForWindowActive(m_login));
        QVERIFY(shown().isEmpty());
    }

    void typeAndSubmit(const QString &typed, bool enter)
    {
        typeText(m_login->txtPassword, typed);
        if (enter)
            QTest::keyClick(m_login->txtPassword, Qt::Key_Return);
        else
            QTest::mouseClick(m_login->cmdOK, Qt::LeftButton);
    }

    // Opens the change window from the login window, fills its three edits and presses OK.
    void changeWith(const QString &old, const QString &fresh, const QString &confirm)
    {
        if (!m_change->isVisible()) {
            QTest::mouseClick(m_login->btnCambiaPassword, Qt::LeftButton);
            QVERIFY(m_change->isVisible());
            QVERIFY(QTest::qWaitForWindowActive(m_change));
        }
        typeText(m_change->txtPasswordOld, old);
        typeText(m_change->txtPasswordNew, fresh);
        typeText(m_change->txtConferma, confirm);
        QVERIFY(m_change->cmdOK->isEnabled());
        QTest::mouseClick(m_change->cmdOK, Qt::LeftButton);
    }

    void expectFocus(QWidget *window, QWidget *edit, FocusFrame *frame)
    {
        QCOMPARE(window->focusWidget(), edit);
        QCOMPARE(QApplication::focusWidget(), edit);
        QVERIFY(frame->isLit());
    }

    void expectLoginShownEmpty()
    {
        QVERIFY(m_login->isVisible());
        QVERIFY(m_change->isHidden());
        QVERIFY(m_windows->frmAvvio()->isHidden());
        QVERIFY(m_login->txtPassword->text().isEmpty());
        QVERIFY(!m_login->cmdOK->isEnabled());
        QVERIFY(QTest::qWaitForWindowActive(m_login));
        expectFocus(m_login, m_login->txtPassword, m_login->effPassword);
    }

private slots:
    void initTestCase() { TestSupport::scriptEverything(); }

    void cleanup()
    {
        m_windows.reset();
        m_dir.reset();
        shown();
    }

    void login_data()
    {
        QTest::addColumn<QByteArray>("store");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("enter");
        QTest::addColumn<bool>("opens");

        QTest::newRow("lower case, Enter") << kInitialStore << "portierasicura" << true << true;
        QTest::newRow("upper case, OK") << kInitialStore << "PORTIERASICURA" << false << true;
        QTest::newRow("mixed case, Enter") << kInitialStore << "PortieraSicura" << true << true;
        QTest::newRow("blanks around, OK") << kInitialStore << "   portierasicura  " << false << true;
        QTest::newRow("inner blank counts") << kInitialStore << "portiera sicura" << true << false;
        QTest::newRow("wrong password, OK") << kInitialStore << "portiera" << false << false;
        QTest::newRow("accented letter") << kPercheStore << "perch\u00E9" << true << true;
        QTest::newRow("accented capital is another letter") << kPercheStore << "PERCH\u00C9" << false << false;
    }

    void login()
    {
        QFETCH(QByteArray, store);
        QFETCH(QString, typed);
        QFETCH(bool, enter);
        QFETCH(bool, opens);
        startWith(store);
        expectFocus(m_login, m_login->txtPassword, m_login->effPassword);
        typeAndSubmit(typed, enter);

        if (opens) {
            QVERIFY(shown().isEmpty());
            QVERIFY(m_windows->frmAvvio()->isVisible());
            QVERIFY(m_login->isHidden());
            QCOMPARE(m_login->txtPassword->text(), typed);  // stays in the hidden edit
        } else {
            QCOMPARE(shown(), QStringList{kWrong});
            QVERIFY(m_windows->frmAvvio()->isHidden());
            QVERIFY(m_login->isVisible());
            QVERIFY(m_login->txtPassword->text().isEmpty());
            QVERIFY(!m_login->cmdOK->isEnabled());
            expectFocus(m_login, m_login->txtPassword, m_login->effPassword);
            // The user may try again.
            typeAndSubmit(QString::fromUtf8(store == kPercheStore ? "perch\u00E9" : "portierasicura"), enter);
            QVERIFY(shown().isEmpty());
            QVERIFY(m_windows->frmAvvio()->isVisible());
        }
        QVERIFY(!m_ended);
    }

    void okEnabling()
    {
        startWith(kInitialStore);
        QVERIFY(!m_login->cmdOK->isEnabled());
        typeText(m_login->txtPassword, QStringLiteral("   "));
        QVERIFY(!m_login->cmdOK->isEnabled());
        QTest::keyClick(m_login->txtPassword, Qt::Key_Return);  // does nothing
        QVERIFY(shown().isEmpty());
        QVERIFY(m_login->isVisible());
        QCOMPARE(m_login->txtPassword->text(), QStringLiteral("   "));
        QTest::keyClick(m_login->txtPassword, Qt::Key_X);
        QVERIFY(m_login->cmdOK->isEnabled());
        QTest::keyClick(m_login->txtPassword, Qt::Key_Backspace);
        QVERIFY(!m_login->cmdOK->isEnabled());
    }

    // Every check reads the store again: a password changed from another workstation counts at once.
    void storeReadAfresh()
    {
        startWith(kInitialStore);
        typeAndSubmit(QStringLiteral("perch\u00E9"), true);
        QCOMPARE(shown(), QStringList{kWrong});
        QVERIFY(TestSupport::writeFile(storePath(), kPercheStore));
        typeAndSubmit(QStringLiteral("perch\u00E9"), true);
        QVERIFY(shown().isEmpty());
        QVERIFY(m_windows->frmAvvio()->isVisible());
    }

    void storeProblems_data()
    {
        QTest::addColumn<QByteArray>("store");
        QTest::addColumn<QString>("loginMessage");
        QTest::addColumn<QString>("changeMessage");

        // A store that is missing or holds no password is a store that cannot be read, not a wrong
        // password.
        QTest::newRow("no store") << QByteArray() << kReadError << kChangeError;
        QTest::newRow("no key") << QByteArray("[Accesso]\r\nAltro=5B3B\r\n") << kReadError << kChangeError;
        QTest::newRow("not a store") << QByteArray("MZ\x90\x00\x03 binary") << kReadError << kChangeError;
        QTest::newRow("value not hexadecimal")
            << QByteArray("[Accesso]\r\nValore=5B3BZZ\r\n") << kReadError << kChangeError;
    }

    void storeProblems()
    {
        QFETCH(QByteArray, store);
        QFETCH(QString, loginMessage);
        QFETCH(QString, changeMessage);
        startWith(store);

        typeAndSubmit(QStringLiteral("portierasicura"), true);
        QCOMPARE(shown(), QStringList{loginMessage});
        QVERIFY(m_login->isVisible());
        QVERIFY(m_windows->frmAvvio()->isHidden());
        // A store that cannot be read leaves the window as it was; a wrong password empties the edit.
        QCOMPARE(m_login->txtPassword->text(),
                 loginMessage == kReadError ? QStringLiteral("portierasicura") : QString());

        changeWith(QStringLiteral("portierasicura"), QStringLiteral("nuova"), QStringLiteral("nuova"));
        QCOMPARE(shown(), QStringList{changeMessage});
        QVERIFY(m_change->isVisible());
        QCOMPARE(TestSupport::readFile(storePath()), store);
        QCOMPARE(QFile::exists(storePath()), !store.isNull());
    }

    void change_data()
    {
        QTest::addColumn<QString>("old");
        QTest::addColumn<QString>("fresh");
        QTest::addColumn<QString>("confirm");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("storedValue");  // empty: the store is left as it was
        QTest::addColumn<QString>("focus");        // refused changes: the edit that takes the focus

        const QString kept;
        const QString z255(255, QLatin1Char('z'));
        const QString z256(256, QLatin1Char('z'));
        QTest::newRow("wrong old password") << "sbagliata"
                                            << "nuova"
                                            << "nuova" << kWrongOld << kept << "txtPasswordOld";
        QTest::newRow("confirmation differs in case") << "portierasicura"
                                                      << "Nuova"
                                                      << "nuova" << kNotConfirmed << kept << "txtPasswordNew";
        QTest::newRow("confirmation differs") << "PORTIERASICURA"
                                              << "nuova"
                                              << "nuovo" << kNotConfirmed << kept << "txtPasswordNew";
        QTest::newRow("256 characters") << "portierasicura" << z256 << z256 << kCannotBeStored << kept
                                        << "txtPasswordNew";
        QTest::newRow("letter outside the code page") << "portierasicura"
                                                      << "z\u0105b"
                                                      << "z\u0105b" << kCannotBeStored << kept << "txtPasswordNew";
        QTest::newRow("changed, blanks around ignored") << " PortieraSicura "
                                                        << "  nuova parola "
                                                        << "nuova parola  " << kChanged << "45C4299DABF74570473AF5F7"
                                                        << "";
        QTest::newRow("changed, accented letter") << "portierasicura"
                                                  << "perch\u00E9"
                                                  << "perch\u00E9" << kChanged << "5B31CD92DA42"
                                                  << "";
        QTest::newRow("changed, 255 characters")
            << "portierasicura" << z255 + "  " << z255 << kChanged << kZ255Stored << "";
    }

    void change()
    {
        QFETCH(QString, old);
        QFETCH(QString, fresh);
        QFETCH(QString, confirm);
        QFETCH(QString, message);
        QFETCH(QString, storedValue);
        QFETCH(QString, focus);
        startWith(kInitialStore);
        changeWith(old, fresh, confirm);
        QCOMPARE(shown(), QStringList{message});

        if (!storedValue.isEmpty()) {
            QCOMPARE(TestSupport::readFile(storePath()), "[Accesso]\r\nValore=" + storedValue.toLatin1() + "\r\n");
            QCOMPARE(QDir(m_dir->path()).entryList(QDir::Files | QDir::Hidden), QStringList{"unins000.dll"});
            expectLoginShownEmpty();
            return;
        }
        QCOMPARE(TestSupport::readFile(storePath()), kInitialStore);
        QVERIFY(m_change->isVisible());
        QVERIFY(m_login->isHidden());
        QLineEdit *edit =
            focus == QLatin1String("txtPasswordOld") ? m_change->txtPasswordOld : m_change->txtPasswordNew;
        QVERIFY(edit->text().isEmpty());
        QCOMPARE(m_change->focusWidget(), edit);
        QVERIFY(!m_change->cmdOK->isEnabled());
        if (focus == QLatin1String("txtPasswordOld")) {  // the other two keep their text
            QCOMPARE(m_change->txtPasswordNew->text(), fresh);
            QCOMPARE(m_change->txtConferma->text(), confirm);
        } else {
            QCOMPARE(m_change->txtPasswordOld->text(), old);
            QVERIFY(m_change->txtConferma->text().isEmpty());
        }
    }

    // After a change only the new password opens the launcher; the rest of the store is kept.
    void changeThenLogin()
    {
        startWith("; Cablora\r\n[Accesso]\r\nValore=5B3B85F519A56894D6D964DA6BD1\r\n\r\n[Altro]\r\nX=1\r\n");
        changeWith(QStringLiteral("portierasicura"), QStringLiteral("nuova parola"), QStringLiteral("nuova parola"));
        QCOMPARE(shown(), QStringList{kChanged});
        QCOMPARE(TestSupport::readFile(storePath()),
                 QByteArray("; Cablora\r\n[Accesso]\r\nValore=45C4299DABF74570473AF5F7\r\n\r\n[Altro]\r\nX=1\r\n"));
        expectLoginShownEmpty();
        typeAndSubmit(QStringLiteral("portierasicura"), true);
        QCOMPARE(shown(), QStringList{kWrong});
        typeAndSubmit(QStringLiteral("Nuova Parola"), false);
        QVERIFY(shown().isEmpty());
        QVERIFY(m_windows->frmAvvio()->isVisible());
    }

    void changeKeyboard()
    {
        startWith(kInitialStore);
        QTest::mouseClick(m_login->btnCambiaPassword, Qt::LeftButton);
        QVERIFY(QTest::qWaitForWindowActive(m_change));
        expectFocus(m_change, m_change->txtPasswordOld, m_change->effPasswordOld);
        QVERIFY(!m_change->cmdOK->isEnabled());

        // Enter moves along the three edits and back; it never runs the change.
        typeText(QApplication::focusWidget(), QStringLiteral("portierasicura"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        expectFocus(m_change, m_change->txtPasswordNew, m_change->effPasswordNew);
        QVERIFY(!m_change->effPasswordOld->isLit());
        typeText(QApplication::focusWidget(), QStringLiteral("nuova"));
        QVERIFY(!m_change->cmdOK->isEnabled());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        expectFocus(m_change, m_change->txtConferma, m_change->effConferma);
        typeText(QApplication::focusWidget(), QStringLiteral("nuova"));
        QVERIFY(m_change->cmdOK->isEnabled());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        expectFocus(m_change, m_change->txtPasswordOld, m_change->effPasswordOld);
        QVERIFY(shown().isEmpty());
        QCOMPARE(TestSupport::readFile(storePath()), kInitialStore);

        // Blanks only count as empty.
        for (int i = 0; i < 5; ++i)
            QTest::keyClick(m_change->txtConferma, Qt::Key_Backspace);
        QVERIFY(!m_change->cmdOK->isEnabled());
        typeText(m_change->txtConferma, QStringLiteral("  "));
        QVERIFY(!m_change->cmdOK->isEnabled());
    }

    // A store that cannot be written keeps the old password in force.
    void changeWriteFails_data()
    {
        QTest::addColumn<bool>("diskFull");
        QTest::newRow("read-only folder") << false;
#ifdef Q_OS_LINUX
        QTest::newRow("disk full") << true;
#endif
    }

    void changeWriteFails()
    {
        QFETCH(bool, diskFull);
        startWith(kInitialStore);
        QFile folder(m_dir->path());
        const QFile::Permissions permissions = folder.permissions();
        auto restore = qScopeGuard([&] { folder.setPermissions(permissions); });
#ifdef Q_OS_LINUX
        rlimit oldLimit = {};
        getrlimit(RLIMIT_FSIZE, &oldLimit);
        const auto oldSignal = std::signal(SIGXFSZ, SIG_IGN);
        auto restoreLimit = qScopeGuard([&] {
            setrlimit(RLIMIT_FSIZE, &oldLimit);
            std::signal(SIGXFSZ, oldSignal);
        });
#endif
        if (diskFull) {
#ifdef Q_OS_LINUX
            rlimit tiny = oldLimit;
            tiny.rlim_cur = 10;  // no file may grow beyond 10 bytes
            QVERIFY(setrlimit(RLIMIT_FSIZE, &tiny) == 0);
#endif
        } else {
            QVERIFY(folder.setPermissions(QFile::ReadOwner | QFile::ExeOwner));
            QFile probe(m_dir->filePath(QStringLiteral("probe")));
            if (probe.open(QIODevice::WriteOnly)) {
                probe.remove();
                QSKIP("The folder stays writable for this user (root)");
            }
        }

        changeWith(QStringLiteral("portierasicura"), QStringLiteral("nuova"), QStringLiteral("nuova"));
#ifdef Q_OS_LINUX
        restoreLimit.dismiss();
        setrlimit(RLIMIT_FSIZE, &oldLimit);
        std::signal(SIGXFSZ, oldSignal);
#endif
        QCOMPARE(shown(), QStringList{kChangeError});
        QVERIFY(m_change->isVisible());
        QCOMPARE(TestSupport::readFile(storePath()), kInitialStore);
        QCOMPARE(QDir(m_dir->path()).entryList(QDir::Files | QDir::Hidden), QStringList{"unins000.dll"});

        QTest::mouseClick(m_change->cmdEsci, Qt::LeftButton);
        expectLoginShownEmpty();
        typeAndSubmit(QStringLiteral("portierasicura"), true);
        QVERIFY(shown().isEmpty());
        QVERIFY(m_windows->frmAvvio()->isVisible());
    }
};

QTEST_MAIN(TestPasswordWindows)
#include "tst_passwordwindows.moc"
