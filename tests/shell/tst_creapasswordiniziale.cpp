// The tool that writes the password store of a new program folder. It needs only the rules: this
// test and the tool link the core library alone, without any window module.

#include "shell/PasswordStore.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

namespace {

struct Run
{
    int exitCode = -1;
    QByteArray errors;
};

Run runTool(const QStringList &arguments)
{
    QProcess process;
    process.start(QStringLiteral(CABLORA_PASSWORD_TOOL), arguments);
    Run run;
    if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit)
        return run;
    run.exitCode = process.exitCode();
    run.errors = process.readAllStandardError();
    return run;
}

}  // namespace

class TestCreaPasswordIniziale : public QObject
{
    Q_OBJECT

private slots:
    void writesInitialPassword();
    void keepsExistingStore();
    void wrongArguments_data();
    void wrongArguments();
    void unwritableFolder();
};

void TestCreaPasswordIniziale::writesInitialPassword()
{
    QTemporaryDir folder;
    QVERIFY(folder.isValid());
    QCOMPARE(runTool({folder.path()}).exitCode, 0);
    bool ok = false;
    QCOMPARE(PasswordStore::storedPassword(folder.path(), &ok), QStringLiteral("PORTIERASICURA"));
    QVERIFY(ok);
}

void TestCreaPasswordIniziale::keepsExistingStore()
{
    QTemporaryDir folder;
    QVERIFY(folder.isValid());
    QVERIFY(PasswordStore::store(folder.path(), QStringLiteral("CAMBIATA")));
    QFile store(PasswordStore::fileName(folder.path()));
    QVERIFY(store.open(QIODevice::ReadOnly));
    const QByteArray before = store.readAll();
    store.close();

    QCOMPARE(runTool({folder.path()}).exitCode, 0);
    QVERIFY(store.open(QIODevice::ReadOnly));
    QCOMPARE(store.readAll(), before);
    bool ok = false;
    QCOMPARE(PasswordStore::storedPassword(folder.path(), &ok), QStringLiteral("CAMBIATA"));
}

void TestCreaPasswordIniziale::wrongArguments_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::newRow("no folder") << QStringList();
    QTest::newRow("two folders") << QStringList{QStringLiteral("a"), QStringLiteral("b")};
}

void TestCreaPasswordIniziale::wrongArguments()
{
    QFETCH(QStringList, arguments);
    const Run run = runTool(arguments);
    QCOMPARE(run.exitCode, 2);
    QVERIFY(run.errors.startsWith("uso: crea-password-iniziale"));
}

void TestCreaPasswordIniziale::unwritableFolder()
{
    QTemporaryDir folder;
    QVERIFY(folder.isValid());
    const QString missing = folder.filePath(QStringLiteral("non/esiste"));
    const Run run = runTool({missing});
    QCOMPARE(run.exitCode, 1);
    QVERIFY(run.errors.startsWith("impossibile scrivere"));
    QVERIFY(!QFile::exists(PasswordStore::fileName(missing)));
}

QTEST_GUILESS_MAIN(TestCreaPasswordIniziale)
#include "tst_creapasswordiniziale.moc"
