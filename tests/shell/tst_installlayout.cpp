// Where the data live: beside the executable (portable), or in the application data folder when the
// program is installed.
#include "shell/InstallLayout.h"
#include "shell/PasswordStore.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QtTest>

class TestInstallLayout : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { TestSupport::scriptEverything(); }

    void installedOrPortable_data()
    {
        QTest::addColumn<QString>("executableFolder");
        QTest::addColumn<bool>("shared");
        QTest::addColumn<bool>("dataBeside");
        QTest::addColumn<bool>("installed");
        QTest::newRow("installed prefix") << "usr/bin" << true << false << true;
        QTest::newRow("bin without share/cablora") << "usr/bin" << false << false << false;
        QTest::newRow("portable folder named bin, with data") << "usr/bin" << true << true << false;
        QTest::newRow("portable folder") << "dist/Cablora" << true << false << false;
    }
    void installedOrPortable()
    {
        QFETCH(QString, executableFolder);
        QFETCH(bool, shared);
        QFETCH(bool, dataBeside);
        QFETCH(bool, installed);
        auto root = TestSupport::programFolder();
        const QString executable = root->filePath(executableFolder);
        QVERIFY(QDir().mkpath(executable));
        QVERIFY(TestSupport::writeFile(executable + "/cablora", "ELF"));
        if (shared)
            QVERIFY(QDir().mkpath(QDir(executable).filePath("../share/cablora")));
        if (dataBeside)
            QVERIFY(TestSupport::writeFile(executable + "/Clienti.pro", "dati"));
        const QString appData = root->filePath("home/.local/share/Cablora");
        QCOMPARE(InstallLayout::isInstalled(executable), installed);
        QCOMPARE(InstallLayout::dataFolder(executable, appData), installed ? appData : executable);
    }

    void dataFolderPrepared()
    {
        auto root = TestSupport::programFolder();
        const QString shared = root->filePath("usr/share/cablora");
        QVERIFY(QDir().mkpath(shared));
        QVERIFY(TestSupport::writeFile(shared + "/Guida.pdf", "%PDF manuale"));
        const QString data = root->filePath("home/.local/share/Cablora");
        QVERIFY(InstallLayout::prepareDataFolder(data, shared));
        QVERIFY(QFile::exists(PasswordStore::fileName(data)));
        QCOMPARE(TestSupport::readFile(data + "/Guida.pdf"), QByteArray("%PDF manuale"));

        // A changed password store is kept; a newer manual replaces the old one.
        QVERIFY(TestSupport::writeFile(PasswordStore::fileName(data), "cambiata"));
        QVERIFY(TestSupport::writeFile(shared + "/Guida.pdf", "%PDF manuale nuovo"));
        QVERIFY(InstallLayout::prepareDataFolder(data, shared));
        QCOMPARE(TestSupport::readFile(PasswordStore::fileName(data)), QByteArray("cambiata"));
        QCOMPARE(TestSupport::readFile(data + "/Guida.pdf"), QByteArray("%PDF manuale nuovo"));
    }

    // What cannot be made ready is said, one sentence a step: the start-up tells the user instead of
    // going on as if the password store or the manual were there.
    void preparationFailuresAreSaid_data()
    {
        QTest::addColumn<QString>("fault");
        QTest::addColumn<bool>("usable");
        QTest::addColumn<QStringList>("said");
        QTest::newRow("read-only data folder")
            << "read-only" << true << QStringList{"archivio delle password", "manuale Guida.pdf"};
        QTest::newRow("folder that cannot be made")
            << "file in the way" << false << QStringList{"Impossibile creare la cartella dei dati"};
    }
    void preparationFailuresAreSaid()
    {
        QFETCH(QString, fault);
        QFETCH(bool, usable);
        QFETCH(QStringList, said);
        auto root = TestSupport::programFolder();
        const QString shared = root->filePath("usr/share/cablora");
        QVERIFY(QDir().mkpath(shared));
        QVERIFY(TestSupport::writeFile(shared + "/Guida.pdf", "%PDF manuale"));
        QString data = root->filePath("home/.local/share/Cablora");
        QVERIFY(QDir().mkpath(data));
        auto restore =
            qScopeGuard([&] { QFile::setPermissions(data, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner); });
        if (fault == QLatin1String("read-only")) {
            QVERIFY(QFile::setPermissions(data, QFile::ReadOwner | QFile::ExeOwner));
            if (TestSupport::writeFile(data + "/prova", "x"))
                QSKIP("The folder stays writable for this user (root)");
        } else {
            QVERIFY(TestSupport::writeFile(data + "/file", "x"));
            data += "/file/Cablora";
        }
        QStringList problems;
        QCOMPARE(InstallLayout::prepareDataFolder(data, shared, &problems), usable);
        QCOMPARE(problems.size(), said.size());
        for (int i = 0; i < said.size(); ++i)
            QVERIFY2(problems.at(i).contains(said.at(i)), qPrintable(problems.at(i)));
    }
};

QTEST_MAIN(TestInstallLayout)
#include "tst_installlayout.moc"
