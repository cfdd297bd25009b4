// The attachment dialog and its folder rules: copying a chosen file into Documenti_Allegati, the
// overwrite question, failures that must not pass for success, names that could leave the folder or
// not fit the record, opening a file, and the six texts handed back to the screen that opened it.

#include "customers/TfrmClienti.h"
#include "media/Attachments.h"
#include "media/TfrmAllegaCartella.h"
#include "sheets/TfrmInterventi.h"
#include "shell/AppWindows.h"
#include "shell/TMisc.h"
#include "support/TestSupport.h"
#include "vehicles/TfrmAutoparco.h"
#include "widgets/FileDialogs.h"
#include "widgets/FormHelpers.h"
#include "widgets/MessageBoxes.h"
#include "widgets/RecordWindow.h"

#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QToolButton>
#include <QtTest>

using Kind = MessageBoxes::Kind;
using Answer = MessageBoxes::Answer;

namespace {

const QByteArray kNewBytes("nuova scansione");
const QByteArray kOldBytes("copia condivisa già presente");

QStringList holdersOf(const RecordWindow *w)
{
    return {w->lblFile01->text(), w->lblDesc01->text(), w->lblFile02->text(),
            w->lblDesc02->text(), w->lblFile03->text(), w->lblDesc03->text()};
}

void setHolders(RecordWindow *w, const QStringList &texts)
{
    QLabel *const holders[] = {w->lblFile01, w->lblDesc01, w->lblFile02, w->lblDesc02, w->lblFile03, w->lblDesc03};
    for (int i = 0; i < 6; ++i)
        holders[i]->setText(texts.value(i));
}

}  // namespace

class TestAllegaCartella : public QObject
{
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_folder;
    std::unique_ptr<QTemporaryDir> m_elsewhere;  // where the user's own files lie
    std::unique_ptr<AppWindows> m_windows;
    std::unique_ptr<TfrmAllegaCartella> m_dialog;

    QString attachments() const { return Attachments::folderPath(m_folder->path()); }
    QString attached(const QString &name) const { return attachments() + QLatin1Char('/') + name; }
    QString userFile(const QString &name, const QByteArray &bytes = kNewBytes)
    {
        const QString path = QDir(m_elsewhere->path()).filePath(name);
        if (!TestSupport::writeFile(path, bytes))
            qFatal("cannot write the user's file %s", qPrintable(path));
        return path;
    }
    QStringList attachmentFolderEntries() const
    {
        return QDir(attachments()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
    }

private slots:
    void initTestCase() { TestSupport::scriptEverything(); }

    void init()
    {
        m_folder = TestSupport::programFolder();
        m_elsewhere = TestSupport::programFolder();
        m_windows = TestSupport::createWindows(m_folder->path());
        m_dialog = std::make_unique<TfrmAllegaCartella>(*m_windows, m_windows->frmClienti());
        m_dialog->lblMemory->setText(QStringLiteral("clienti"));
        MessageBoxes::takeShown();
        FileDialogs::takeTitles();
        TMisc::takeOpened();
    }

    void cleanup()
    {
        m_dialog.reset();
        m_windows.reset();
        m_folder.reset();
        m_elsewhere.reset();
    }

    // ---- Rules -------------------------------------------------------------------------------------

    void pathForOpening_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("opened");
        QTest::newRow("plain") << "libretto.pdf" << true;
        QTest::newRow("blanks around") << "  carta identità.jpg \t" << true;
        QTest::newRow("dots inside") << "a..b.pdf" << true;
        QTest::newRow("empty") << "   " << false;
        QTest::newRow("parent") << ".." << false;
        QTest::newRow("itself") << "." << false;
        QTest::newRow("parent path") << "../Clienti.pro" << false;
        QTest::newRow("sub-folder") << "sub/x.pdf" << false;
        QTest::newRow("absolute") << "/etc/passwd" << false;
        QTest::newRow("backslash parent") << "..\\Clienti.pro" << false;
        QTest::newRow("network") << "\\\\server\\share\\x.pdf" << false;
        QTest::newRow("drive letter") << "C:\\Windows\\x.exe" << false;
        QTest::newRow("drive relative") << "C:x.exe" << false;
        QTest::newRow("quote") << "a\" \"b.pdf" << false;
        QTest::newRow("control inside") << QStringLiteral("a\nb.pdf") << false;
    }
    void pathForOpening()
    {
        QFETCH(QString, name);
        QFETCH(bool, opened);
        const QString path = Attachments::pathForOpening(QStringLiteral("/prog"), name);
        if (opened)
            QCOMPARE(path, QStringLiteral("/prog/Documenti_Allegati/") + name.trimmed());
        else
            QCOMPARE(path, QString());
    }

    void fitOfName_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("fit");
        const auto fits = int(Attachments::NameFit::Fits);
        QTest::newRow("short") << "scan.pdf" << fits;
        QTest::newRow("250 bytes") << QString(246, QLatin1Char('a')) + ".pdf" << fits;
        QTest::newRow("251 bytes") << QString(247, QLatin1Char('a')) + ".pdf" << int(Attachments::NameFit::TooLong);
        QTest::newRow("250 accented") << QString(246, QChar(0xE0)) + ".pdf" << fits;
        QTest::newRow("euro sign") << QStringLiteral("fattura €.pdf") << fits;
        QTest::newRow("outside the code page")
            << QStringLiteral("Łódź.pdf") << int(Attachments::NameFit::Unrepresentable);
    }
    void fitOfName()
    {
        QFETCH(QString, name);
        QFETCH(int, fit);
        QCOMPARE(int(Attachments::fitOfName(name)), fit);
    }

    void copyCreatesMissingParentsAndReplaces()
    {
        const QString program = m_folder->path() + QStringLiteral("/non/ancora/creata");
        QVERIFY(Attachments::ensureFolder(program));
        QVERIFY(QFileInfo(Attachments::folderPath(program)).isDir());
        const QString target = Attachments::folderPath(program) + QStringLiteral("/x.pdf");
        QVERIFY(TestSupport::writeFile(target, kOldBytes));
        QVERIFY(Attachments::copyReplacing(userFile(QStringLiteral("x.pdf")), target));
        QCOMPARE(TestSupport::readFile(target), kNewBytes);
        QCOMPARE(QDir(Attachments::folderPath(program)).entryList(QDir::Files | QDir::Hidden), QStringList{"x.pdf"});
    }

    // ---- Sfoglia -----------------------------------------------------------------------------------

    void browseCreatesTheFolderAndCopies()
    {
        QVERIFY(!QFileInfo::exists(attachments()));
        m_dialog->setTexts("", "", "vecchio.pdf", "Patente", "", "");
        FileDialogs::setNextFileName(userFile(QStringLiteral("libretto.pdf")));
        m_dialog->btnSfoglia02->click();

        QCOMPARE(FileDialogs::takeTitles(), QStringList{"Selezionare il file da allegare:"});
        QCOMPARE(TestSupport::readFile(attached(QStringLiteral("libretto.pdf"))), kNewBytes);
        QCOMPARE(attachmentFolderEntries(), QStringList{"libretto.pdf"});
        QCOMPARE(m_dialog->txtFile02->text(), QStringLiteral("libretto.pdf"));
        QCOMPARE(m_dialog->txtDesc02->text(), QStringLiteral("Patente"));
        QVERIFY(m_dialog->btnApri02->isEnabled());
        QCOMPARE(MessageBoxes::takeShown().size(), 0);
        QCOMPARE(m_dialog->txtFile01->text(), QString());
        QCOMPARE(m_dialog->txtFile03->text(), QString());
    }

    void cancelledBrowseChangesNothing()
    {
        m_dialog->setTexts("vecchio.pdf", "", "", "", "", "");
        m_dialog->btnSfoglia01->click();  // nothing queued: the user cancels
        QCOMPARE(m_dialog->txtFile01->text(), QStringLiteral("vecchio.pdf"));
        QVERIFY(!QFileInfo::exists(attachments()));
        QCOMPARE(MessageBoxes::takeShown().size(), 0);
    }

    void sameNameAsksBeforeOverwriting_data()
    {
        QTest::addColumn<int>("answer");
        QTest::addColumn<QByteArray>("kept");
        QTest::newRow("Sì replaces the shared copy") << int(Answer::Yes) << kNewBytes;
        QTest::newRow("No keeps the shared copy") << int(Answer::No) << kOldBytes;
    }
    void sameNameAsksBeforeOverwriting()
    {
        QFETCH(int, answer);
        QFETCH(QByteArray, kept);
        QVERIFY(QDir().mkpath(attachments()));
        QVERIFY(TestSupport::writeFile(attached(QStringLiteral("scan.pdf")), kOldBytes));
        m_dialog->setTexts("", "", "", "", "vecchio.pdf", "");
        FileDialogs::setNextFileName(userFile(QStringLiteral("scan.pdf")));
        MessageBoxes::setNextAnswer(Answer(answer));
        m_dialog->btnSfoglia03->click();

        const auto shown = MessageBoxes::takeShown();
        QCOMPARE(shown.size(), 1);
        QCOMPARE(shown[0].kind, Kind::Question);
        QCOMPARE(shown[0].text, QStringLiteral("Attenzione: nella cartella dei documenti allegati è presente un "
                                               "file con lo stesso nome.\r\n\r\nSi vuole sovrascrivere il file "
                                               "esistente?"));
        QCOMPARE(TestSupport::readFile(attached(QStringLiteral("scan.pdf"))), kept);
        QCOMPARE(attachmentFolderEntries(), QStringList{"scan.pdf"});
        // Either way the slot names the file that is now in the folder.
        QCOMPARE(m_dialog->txtFile03->text(), QStringLiteral("scan.pdf"));
    }

    void fileFromTheFolderItselfIsNamedWithoutCopy()
    {
        QVERIFY(QDir().mkpath(attachments()));
        QVERIFY(TestSupport::writeFile(attached(QStringLiteral("scan.pdf")), kOldBytes));
        FileDialogs::setNextFileName(attached(QStringLiteral("scan.pdf")));
        m_dialog->btnSfoglia01->click();
        QCOMPARE(m_dialog->txtFile01->text(), QStringLiteral("scan.pdf"));
        QCOMPARE(TestSupport::readFile(attached(QStringLiteral("scan.pdf"))), kOldBytes);
        QCOMPARE(MessageBoxes::takeShown().size(), 0);
    }

    void failedCopyWarnsAndKeepsTheFormerName_data()
    {
        QTest::addColumn<QString>("obstacle");
        QTest::addColumn<bool>("asked");  // the overwrite question comes first
        QTest::newRow("folder name taken by a file") << "folder is a file" << false;
        QTest::newRow("target name taken by a folder") << "target is a folder" << true;
        QTest::newRow("chosen file unreadable") << "source missing" << false;
        QTest::newRow("unreadable file over the shared copy") << "source is a folder" << true;
    }
    void failedCopyWarnsAndKeepsTheFormerName()
    {
        QFETCH(QString, obstacle);
        QFETCH(bool, asked);
        QString chosen = userFile(QStringLiteral("scan.pdf"));
        if (obstacle == "folder is a file") {
            QVERIFY(TestSupport::writeFile(attachments(), kOldBytes));
        } else if (obstacle == "target is a folder") {
            QVERIFY(QDir().mkpath(attached(QStringLiteral("scan.pdf"))));
        } else if (obstacle == "source missing") {
            QVERIFY(QFile::remove(chosen));
        } else {
            QVERIFY(QDir().mkpath(attachments()));
            QVERIFY(TestSupport::writeFile(attached(QStringLiteral("scan.pdf")), kOldBytes));
            chosen = QDir(m_elsewhere->path()).filePath(QStringLiteral("cartella/scan.pdf"));
            QVERIFY(QDir().mkpath(chosen));
        }
        m_dialog->setTexts("vecchio.pdf", "Patente", "", "", "", "");
        FileDialogs::setNextFileName(chosen);
        m_dialog->btnSfoglia01->click();

        const auto shown = MessageBoxes::takeShown();
        QCOMPARE(shown.size(), asked ? 2 : 1);
        QCOMPARE(shown.last().kind, Kind::Warning);
        QCOMPARE(shown.last().text, TfrmAllegaCartella::copyFailed());
        QVERIFY(shown.last().text.startsWith(QStringLiteral(
            "Attenzione: non è stato possibile copiare il file nella cartella dei documenti allegati.")));
        QCOMPARE(m_dialog->txtFile01->text(), QStringLiteral("vecchio.pdf"));
        QCOMPARE(m_dialog->txtDesc01->text(), QStringLiteral("Patente"));

        // Whatever stood in the way is intact and no half copy is left behind.
        if (obstacle == "folder is a file") {
            QCOMPARE(TestSupport::readFile(attachments()), kOldBytes);
        } else if (obstacle == "target is a folder") {
            QVERIFY(QFileInfo(attached(QStringLiteral("scan.pdf"))).isDir());
            QCOMPARE(attachmentFolderEntries(), QStringList{"scan.pdf"});
        } else if (obstacle == "source is a folder") {
            QCOMPARE(TestSupport::readFile(attached(QStringLiteral("scan.pdf"))), kOldBytes);
            QCOMPARE(attachmentFolderEntries(), QStringList{"scan.pdf"});
        } else {
            QCOMPARE(attachmentFolderEntries(), QStringList());
        }
    }

    void nameTheRecordCannotKeepIsRefused_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("message");  // empty: accepted
        QTest::newRow("250 bytes") << QString(246, QLatin1Char('n')) + ".pdf" << QString();
        QTest::newRow("251 bytes") << QString(247, QLatin1Char('n')) + ".pdf" << TfrmAllegaCartella::nameTooLong();
        QTest::newRow("outside the code page") << QStringLiteral("Łódź.pdf") << TfrmAllegaCartella::nameNotStorable();
    }
    void nameTheRecordCannotKeepIsRefused()
    {
        QFETCH(QString, name);
        QFETCH(QString, message);
        m_dialog->setTexts("vecchio.pdf", "", "", "", "", "");
        FileDialogs::setNextFileName(userFile(name));
        m_dialog->btnSfoglia01->click();
        const auto shown = MessageBoxes::takeShown();
        if (message.isEmpty()) {
            QCOMPARE(shown.size(), 0);
            QCOMPARE(m_dialog->txtFile01->text(), name);
            QCOMPARE(attachmentFolderEntries(), QStringList{name});
        } else {
            QCOMPARE(shown.size(), 1);
            QCOMPARE(shown[0].kind, Kind::Warning);
            QCOMPARE(shown[0].text, message);
            QCOMPARE(m_dialog->txtFile01->text(), QStringLiteral("vecchio.pdf"));
            QVERIFY(!QFileInfo::exists(attachments()));  // nothing copied, not even the folder made
        }
    }

    // ---- Apri, eraser, name change -------------------------------------------------------------------

    void openHandsTheQuotedPathOrRefuses_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("inFolder");  // the name inside the folder; empty: refused
        QTest::newRow("plain") << "libretto.pdf"
                               << "libretto.pdf";
        QTest::newRow("blanks around") << "  carta identità.jpg "
                                       << "carta identità.jpg";
        QTest::newRow("parent path") << "../Clienti.pro" << QString();
        QTest::newRow("sub-folder") << "documenti/x.pdf" << QString();
        QTest::newRow("backslashes") << "..\\..\\Windows\\notepad.exe" << QString();
        QTest::newRow("drive letter") << "C:\\boot.ini" << QString();
        QTest::newRow("parent alone") << ".." << QString();
    }
    void openHandsTheQuotedPathOrRefuses()
    {
        QFETCH(QString, name);
        QFETCH(QString, inFolder);
        m_dialog->setTexts("", "", name, "", "", "");
        QVERIFY(m_dialog->btnApri02->isEnabled());
        m_dialog->btnApri02->click();
        const auto shown = MessageBoxes::takeShown();
        if (inFolder.isEmpty()) {
            QCOMPARE(TMisc::takeOpened(), QStringList());
            QCOMPARE(shown.size(), 1);
            QCOMPARE(shown[0].kind, Kind::Warning);
            QCOMPARE(shown[0].text, TfrmAllegaCartella::nameRefused());
        } else {
            // A missing file is the desktop's business: the dialog shows nothing.
            QCOMPARE(TMisc::takeOpened(), QStringList{QLatin1Char('"') + m_folder->path() + "/Documenti_Allegati/"
                                                      + inFolder + QLatin1Char('"')});
            QCOMPARE(shown.size(), 0);
        }
    }

    void openIsEnabledOnlyWithAName()
    {
        m_dialog->setTexts("a.pdf", "", "   ", "", "", "");
        QVERIFY(m_dialog->btnApri01->isEnabled());
        QVERIFY(!m_dialog->btnApri02->isEnabled());
        QVERIFY(!m_dialog->btnApri03->isEnabled());
        QCOMPARE(m_dialog->txtFile02->text(), QString());  // loaded trimmed

        m_dialog->txtFile03->setText(QStringLiteral("b.pdf"));
        QVERIFY(m_dialog->btnApri03->isEnabled());
        m_dialog->txtFile03->setText(QStringLiteral("  "));
        QVERIFY(!m_dialog->btnApri03->isEnabled());
    }

    void eraserEmptiesTheNameOnly()
    {
        QVERIFY(QDir().mkpath(attachments()));
        QVERIFY(TestSupport::writeFile(attached(QStringLiteral("scan.pdf")), kOldBytes));
        m_dialog->setTexts("scan.pdf", "Carta d'identità", "", "", "", "");
        m_dialog->imgCancella01->click();
        QCOMPARE(m_dialog->txtFile01->text(), QString());
        QCOMPARE(m_dialog->txtDesc01->text(), QStringLiteral("Carta d'identità"));
        QVERIFY(!m_dialog->btnApri01->isEnabled());
        m_dialog->btnApplica->click();
        QCOMPARE(holdersOf(m_windows->frmClienti()), (QStringList{"", "Carta d'identità", "", "", "", ""}));
        QCOMPARE(TestSupport::readFile(attached(QStringLiteral("scan.pdf"))), kOldBytes);
    }

    // ---- Applica e chiudi, Annulla -------------------------------------------------------------------

    void applyWritesBackIntoTheScreenOfTheContextWord_data()
    {
        QTest::addColumn<QString>("context");
        QTest::newRow("sheets") << "interventi";
        QTest::newRow("customers") << "clienti";
        QTest::newRow("vehicles") << "autoparco";
        QTest::newRow("unknown word") << "foto01";
    }
    void applyWritesBackIntoTheScreenOfTheContextWord()
    {
        QFETCH(QString, context);
        const QList<RecordWindow *> screens = {m_windows->frmInterventi(), m_windows->frmClienti(),
                                               m_windows->frmAutoparco()};
        const QStringList before = {"f1", "d1", "f2", "d2", "f3", "d3"};
        for (RecordWindow *w : screens)
            setHolders(w, before);

        m_dialog->lblMemory->setText(context);
        m_dialog->setTexts(" a.pdf ", " uno ", "", "", "c.pdf", "");
        QTest::keyClicks(m_dialog->txtDesc02, QStringLiteral("  due  "));
        QTest::keyClicks(m_dialog->txtDesc03, QStringLiteral("tre "));
        m_dialog->btnApplica->click();

        QVERIFY(!m_dialog->isVisible());
        QCOMPARE(m_dialog->result(), int(QDialog::Accepted));
        RecordWindow *target = m_dialog->windowFor(context);
        for (RecordWindow *w : screens) {
            if (w == target)
                QCOMPARE(holdersOf(w), (QStringList{"a.pdf", "uno", "", "due", "c.pdf", "tre"}));
            else
                QCOMPARE(holdersOf(w), before);
        }
    }

    void cancelWritesNothingButTheCopyStays()
    {
        setHolders(m_windows->frmAutoparco(), {"f1", "d1", "", "", "", ""});
        m_dialog->lblMemory->setText(QStringLiteral("autoparco"));
        m_dialog->loadFrom(*m_windows->frmAutoparco());
        FileDialogs::setNextFileName(userFile(QStringLiteral("nuovo.pdf")));
        m_dialog->btnSfoglia02->click();
        m_dialog->txtDesc01->setText(QStringLiteral("cambiata"));
        m_dialog->btnAnnulla->click();
        QCOMPARE(m_dialog->result(), int(QDialog::Rejected));
        QCOMPARE(holdersOf(m_windows->frmAutoparco()), (QStringList{"f1", "d1", "", "", "", ""}));
        QCOMPARE(TestSupport::readFile(attached(QStringLiteral("nuovo.pdf"))), kNewBytes);
    }

    void editAttachmentsLoadsShowsAndApplies()
    {
        TfrmInterventi *screen = m_windows->frmInterventi();
        setHolders(screen, {"  scan.pdf ", " Libretto\r\n", "", "", "", ""});
        QStringList loaded;
        bool wasModal = false;
        QTimer::singleShot(0, this, [&] {
            auto *dialog = qobject_cast<TfrmAllegaCartella *>(QApplication::activeModalWidget());
            if (!dialog)
                return;
            wasModal = dialog->isModal();
            loaded = QStringList{dialog->windowTitle(), dialog->lblMemory->text(), dialog->txtFile01->text(),
                                 dialog->txtDesc01->text(), QString::number(dialog->btnApri01->isEnabled())};
            dialog->txtDesc02->setText(QStringLiteral("Fattura"));
            dialog->btnApplica->click();
        });
        QVERIFY(TfrmAllegaCartella::editAttachments(*m_windows, *screen, QStringLiteral("interventi")));
        QVERIFY(wasModal);
        QCOMPARE(loaded, (QStringList{" Allega file", "interventi", "scan.pdf", "Libretto", "1"}));
        QCOMPARE(holdersOf(screen), (QStringList{"scan.pdf", "Libretto", "", "Fattura", "", ""}));
    }

    void layoutAsTheWindowsOfTheProgram()
    {
        QCOMPARE(m_dialog->windowTitle(), QStringLiteral(" Allega file"));
        QVERIFY(!(m_dialog->windowFlags() & Qt::WindowCloseButtonHint));
        QVERIFY(!(m_dialog->windowFlags() & Qt::WindowMinMaxButtonsHint));
        QVERIFY(m_dialog->txtFile01->isReadOnly());
        QCOMPARE(m_dialog->btnSfoglia01->text(), QStringLiteral("Sfoglia..."));
        QCOMPARE(m_dialog->btnApri01->text(), QStringLiteral("Apri"));
        QCOMPARE(m_dialog->btnApplica->text(), QStringLiteral("Applica e chiudi"));
        QCOMPARE(m_dialog->btnAnnulla->text(), QStringLiteral("Annulla"));
        QStringList captions;
        for (QLabel *label : m_dialog->findChildren<QLabel *>()) {
            if (label->text().contains(QStringLiteral("file allegato")))
                captions << label->text();
        }
        captions.sort();
        QCOMPARE(captions, (QStringList{"Descrizione 1° file allegato:", "Descrizione 2° file allegato:",
                                        "Descrizione 3° file allegato:", "Nome 1° file allegato:",
                                        "Nome 2° file allegato:", "Nome 3° file allegato:"}));

        // Tab order: name, Sfoglia, Apri, description of each slot in turn.
        m_dialog->setTexts("a", "", "b", "", "c", "");
        m_dialog->show();
        QApplication::setActiveWindow(m_dialog.get());
        const QStringList expected = {"txtFile01", "btnSfoglia01", "btnApri01", "txtDesc01",
                                      "txtFile02", "btnSfoglia02", "btnApri02", "txtDesc02",
                                      "txtFile03", "btnSfoglia03", "btnApri03", "txtDesc03"};
        QStringList chain;
        QWidget *w = m_dialog->txtFile01;
        for (int i = 0; i < expected.size(); ++i) {
            chain << w->objectName();
            do
                w = w->nextInFocusChain();
            while (!(w->focusPolicy() & Qt::TabFocus) || !w->isVisibleTo(m_dialog.get()));
        }
        QCOMPARE(chain, expected);
    }
};

QTEST_MAIN(TestAllegaCartella)
#include "tst_allegacartella.moc"
