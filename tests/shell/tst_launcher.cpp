// Every help button opens the help window on its own topic; the launcher's icons open the information,
// help, maker's and deadlines windows, and its web strip hands the maker's site to the desktop.

#include "backup/Backup.h"
#include "customers/TfrmClienti.h"
#include "customers/TfrmExpClienti.h"
#include "sheets/TfrmInterventi.h"
#include "shell/AppWindows.h"
#include "shell/HelpTopics.h"
#include "shell/TMisc.h"
#include "shell/TfrmAvvio.h"
#include "shell/TfrmGuida.h"
#include "shell/TfrmPassword.h"
#include "support/TestSupport.h"
#include "vehicles/TfrmAutoparco.h"
#include "vehicles/TfrmExpAutoparco.h"
#include "widgets/FileDialogs.h"
#include "widgets/FormHelpers.h"
#include "widgets/MessageBoxes.h"

#include <QAbstractButton>
#include <QDir>
#include <QLabel>
#include <QTimer>
#include <QtTest>

namespace {

struct Opened
{
    QString className;
    QString title;  // the help window's topic title
};

// Clicks the button and reports the modal window it opened (closed again at once).
Opened modalOpenedBy(QAbstractButton *button)
{
    Opened opened;
    QTimer::singleShot(0, [&opened] {
        QWidget *modal = QApplication::activeModalWidget();
        if (!modal)
            return;
        opened.className = QString::fromLatin1(modal->metaObject()->className());
        if (auto *help = qobject_cast<TfrmGuida *>(modal))
            opened.title = help->lblTitolo->text();
        modal->close();
    });
    button->click();
    return opened;
}

}  // namespace

class TestLauncher : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { TestSupport::scriptEverything(); }

    void init()
    {
        m_windows.reset();
        m_folder = TestSupport::programFolder();
        m_windows = TestSupport::createWindows(m_folder->path(), &m_ended);
        m_windows->showLauncher(m_windows->frmPassword());
        QVERIFY(QTest::qWaitForWindowExposed(m_windows->frmAvvio()));
    }

    void launcherIcons_data()
    {
        QTest::addColumn<QString>("icon");
        QTest::addColumn<QString>("window");
        QTest::addColumn<QString>("title");

        QTest::newRow("information") << "imgInfo"
                                     << "TfrmInfo"
                                     << "";
        QTest::newRow("help") << "imgGuida"
                              << "TfrmGuida"
                              << "Uno sguardo a Cablora";
        QTest::newRow("heart") << "imgSplash"
                               << "TfrmSplash"
                               << "";
        QTest::newRow("deadlines") << "imgScadenze"
                                   << "TfrmScadenze"
                                   << "";
    }

    void launcherIcons()
    {
        QFETCH(QString, icon);
        QFETCH(QString, window);
        QFETCH(QString, title);
        TfrmAvvio *launcher = m_windows->frmAvvio();
        auto *button = launcher->findChild<QAbstractButton *>(icon);
        QVERIFY(button);
        const Opened opened = modalOpenedBy(button);
        QCOMPARE(opened.className, window);
        QCOMPARE(opened.title, title);
        QVERIFY(MessageBoxes::takeShown().isEmpty());
        QVERIFY(launcher->isVisible());
        QVERIFY(!m_ended);
    }

    void webStrip()
    {
        TMisc::takeOpened();
        m_windows->frmAvvio()->imgSito->click();
        QCOMPARE(TMisc::takeOpened(), QStringList{HelpTopics::makerWebAddress()});
        QVERIFY(HelpTopics::makerWebAddress().contains(QLatin1String(".example")));
    }

    void helpButtons_data()
    {
        QTest::addColumn<QString>("where");
        QTest::addColumn<QString>("title");

        QTest::newRow("sheets") << "sheets" << HelpTopics::sheets().title;
        QTest::newRow("customers") << "customers" << HelpTopics::customers().title;
        QTest::newRow("vehicles") << "vehicles" << HelpTopics::vehicles().title;
        QTest::newRow("customer export") << "customer export" << HelpTopics::customerExport().title;
        QTest::newRow("vehicle export") << "vehicle export" << HelpTopics::vehicleExport().title;
    }

    void helpButtons()
    {
        QFETCH(QString, where);
        QFETCH(QString, title);
        std::unique_ptr<QDialog> exportDialog;
        QAbstractButton *button = nullptr;
        if (where == QLatin1String("sheets")) {
            button = m_windows->frmInterventi()->cmdGuida;
        } else if (where == QLatin1String("customers")) {
            button = m_windows->frmClienti()->cmdGuida;
        } else if (where == QLatin1String("vehicles")) {
            button = m_windows->frmAutoparco()->cmdGuida;
        } else if (where == QLatin1String("customer export")) {
            auto *dialog = new TfrmExpClienti(*m_windows);
            exportDialog.reset(dialog);
            button = dialog->cmdGuida;
        } else {
            auto *dialog = new TfrmExpAutoparco(*m_windows);
            exportDialog.reset(dialog);
            button = dialog->cmdGuida;
        }
        const Opened opened = modalOpenedBy(button);
        QCOMPARE(opened.className, QStringLiteral("TfrmGuida"));
        QCOMPARE(opened.title, title);
    }

    // The backup icon writes a copy into the chosen folder; the restore icon asks before it replaces
    // data, and an answer of No leaves everything as it was.
    void backupAndRestoreIcons_data()
    {
        QTest::addColumn<bool>("confirm");
        QTest::newRow("restore confirmed") << true;
        QTest::newRow("restore refused") << false;
    }
    void backupAndRestoreIcons()
    {
        QFETCH(bool, confirm);
        TfrmAvvio *launcher = m_windows->frmAvvio();
        const QString archive = m_windows->filePath(QStringLiteral("Clienti.pro"));
        QVERIFY(TestSupport::writeFile(archive, "copiato"));
        QVERIFY(
            TestSupport::writeFile(m_windows->filePath(QStringLiteral("Schede_Interventi_Elettrauto.pro")), "schede"));
        QVERIFY(TestSupport::writeFile(m_windows->filePath(QStringLiteral("Parco_Automezzi.pro")), "automezzi"));
        QDir().mkpath(m_windows->filePath(QStringLiteral("Autoparco")));
        QVERIFY(TestSupport::writeFile(m_windows->filePath(QStringLiteral("Autoparco/Scheda_Veicolo_1.jpg")), "foto"));
        auto destination = TestSupport::programFolder();
        MessageBoxes::takeShown();
        FileDialogs::takeTitles();

        // Cancelling the folder choice does nothing.
        launcher->imgCopia->click();
        QVERIFY(MessageBoxes::takeShown().isEmpty());

        FileDialogs::setNextFileName(destination->path());
        launcher->imgCopia->click();
        QList<MessageBoxes::Shown> shown = MessageBoxes::takeShown();
        QCOMPARE(shown.size(), 1);
        QCOMPARE(shown.at(0).kind, MessageBoxes::Kind::Information);
        QVERIFY(shown.at(0).text.contains(QStringLiteral("verificata")));
        const QStringList copies = QDir(destination->path()).entryList({"Cablora_copia_*.zip"}, QDir::Files);
        QCOMPARE(copies.size(), 1);

        QVERIFY(TestSupport::writeFile(archive, "cambiato dopo la copia"));
        FileDialogs::setNextFileName(destination->filePath(copies.first()));
        MessageBoxes::setNextAnswer(confirm ? MessageBoxes::Answer::Yes : MessageBoxes::Answer::No);
        launcher->imgRipristina->click();
        shown = MessageBoxes::takeShown();
        QCOMPARE(shown.at(0).kind, MessageBoxes::Kind::Question);
        QVERIFY(shown.at(0).text.contains(QStringLiteral("Dati_precedenti_")));
        const QStringList aside = QDir(m_folder->path()).entryList({"Dati_precedenti_*"}, QDir::Dirs);
        if (!confirm) {
            QCOMPARE(shown.size(), 1);
            QCOMPARE(TestSupport::readFile(archive), QByteArray("cambiato dopo la copia"));
            QVERIFY(aside.isEmpty());
            return;
        }
        QCOMPARE(shown.size(), 2);
        QCOMPARE(shown.at(1).kind, MessageBoxes::Kind::Information);
        QCOMPARE(TestSupport::readFile(archive), QByteArray("copiato"));
        QCOMPARE(aside.size(), 1);
        QCOMPARE(TestSupport::readFile(QDir(m_folder->path()).filePath(aside.first() + "/Clienti.pro")),
                 QByteArray("cambiato dopo la copia"));
        QCOMPARE(TestSupport::readFile(m_windows->filePath(QStringLiteral("Autoparco/Scheda_Veicolo_1.jpg"))),
                 QByteArray("foto"));
        QCOMPARE(FileDialogs::takeTitles().size(), 3);
    }

    // The backup is never written inside the program folder: the user is told and chooses again (OK)
    // or gives up (Annulla). The folder dialogs open where the last copy went, the restore too.
    void backupNeverInsideTheProgramFolder()
    {
        TfrmAvvio *launcher = m_windows->frmAvvio();
        QVERIFY(TestSupport::writeFile(m_windows->filePath(QStringLiteral("Clienti.pro")), "clienti"));
        QVERIFY(QDir().mkpath(m_windows->filePath(QStringLiteral("Copie"))));
        auto destination = TestSupport::programFolder();
        MessageBoxes::takeShown();
        FileDialogs::takeFolders();

        FileDialogs::setNextFileName(m_windows->filePath(QStringLiteral("Copie")));
        MessageBoxes::setNextAnswer(MessageBoxes::Answer::Cancel);
        launcher->imgCopia->click();
        QList<MessageBoxes::Shown> shown = MessageBoxes::takeShown();
        QCOMPARE(shown.size(), 1);
        QCOMPARE(shown.at(0).kind, MessageBoxes::Kind::Warning);
        QVERIFY(shown.at(0).text.startsWith(QStringLiteral("La copia di sicurezza non può essere salvata nella "
                                                           "cartella del programma")));
        QVERIFY(QDir(m_windows->filePath(QStringLiteral("Copie"))).isEmpty());

        FileDialogs::setNextFileName(m_folder->path());
        FileDialogs::setNextFileName(destination->path());
        launcher->imgCopia->click();
        shown = MessageBoxes::takeShown();
        QCOMPARE(shown.size(), 2);
        QCOMPARE(shown.at(0).kind, MessageBoxes::Kind::Warning);
        QCOMPARE(shown.at(1).kind, MessageBoxes::Kind::Information);
        QCOMPARE(QDir(destination->path()).entryList({"Cablora_copia_*.zip"}, QDir::Files).size(), 1);

        // Never the program folder to start from; the next copy and the restore start where the
        // copy went.
        const QStringList started = FileDialogs::takeFolders();
        QCOMPARE(started.size(), 3);
        for (const QString &folder : started)
            QVERIFY2(!folder.startsWith(m_folder->path()), qPrintable(folder));
        launcher->imgCopia->click();
        launcher->imgRipristina->click();
        QCOMPARE(FileDialogs::takeFolders(), (QStringList{destination->path(), destination->path()}));
    }

    // A copy without some of the archives: the launcher names them and asks before it restores;
    // No leaves the data as they were.
    void restoreOfAnIncompleteCopyAsks()
    {
        TfrmAvvio *launcher = m_windows->frmAvvio();
        const QString archive = m_windows->filePath(QStringLiteral("Parco_Automezzi.pro"));
        QVERIFY(TestSupport::writeFile(archive, "automezzi di oggi"));
        auto destination = TestSupport::programFolder();
        const QString copy = destination->filePath(QStringLiteral("Cablora_copia_vecchia.zip"));
        QString error;
        QVERIFY2(Backup::writeZip(copy,
                                  {{QStringLiteral("Clienti.pro"), "clienti"}, {QStringLiteral("Cablora.ini"), "[x]"}},
                                  &error),
                 qPrintable(error));
        MessageBoxes::takeShown();
        FileDialogs::setNextFileName(copy);
        MessageBoxes::setNextAnswer(MessageBoxes::Answer::Yes);  // move the current data aside
        MessageBoxes::setNextAnswer(MessageBoxes::Answer::No);   // but not for an incomplete copy
        launcher->imgRipristina->click();
        const QList<MessageBoxes::Shown> shown = MessageBoxes::takeShown();
        QCOMPARE(shown.size(), 2);  // the two questions, nothing after No
        QCOMPARE(shown.at(1).kind, MessageBoxes::Kind::Question);
        QVERIFY2(shown.at(1).text.contains(QStringLiteral("Parco_Automezzi.pro (parco automezzi)"))
                     && shown.at(1).text.contains(QStringLiteral("Schede_Interventi_Elettrauto.pro"))
                     && !shown.at(1).text.contains(QStringLiteral("Clienti.pro")),
                 qPrintable(shown.at(1).text));
        QCOMPARE(TestSupport::readFile(archive), QByteArray("automezzi di oggi"));
        QVERIFY(!QFileInfo::exists(m_windows->filePath(QStringLiteral("Clienti.pro"))));
        QVERIFY(QDir(m_folder->path()).entryList({"Dati_precedenti_*"}, QDir::Dirs).isEmpty());
    }

private:
    std::unique_ptr<QTemporaryDir> m_folder;
    std::unique_ptr<AppWindows> m_windows;
    bool m_ended = false;
};

QTEST_MAIN(TestLauncher)
#include "tst_launcher.moc"
