// Whole-file replacement: the new bytes take the old file's place only when every step succeeded;
// any failed step keeps the old file and leaves no temporary file beside it.

#include "common/FaultInjection.h"
#include "common/SafeFile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

namespace {

QByteArray contentOf(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(file.write(bytes), bytes.size());
}

// Writes three pieces through a Writer and commits; false at the first step that fails.
bool writeInPieces(const QString &path)
{
    SafeFile::Writer file(path);
    return file.open() && file.write("uno ") && file.write("due ") && file.write("tre") && file.commit();
}

}  // namespace

class TestSafeFile : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { FaultInjection::reset(); }

    void writes_data()
    {
        QTest::addColumn<bool>("inPieces");
        QTest::addColumn<QByteArray>("written");
        QTest::newRow("replace") << false << QByteArray("nuovo contenuto");
        QTest::newRow("writer in pieces") << true << QByteArray("uno due tre");
    }

    // A new file, then the same file replaced: the content is the new bytes, alone in the folder.
    void writes()
    {
        QFETCH(bool, inPieces);
        QFETCH(QByteArray, written);
        QTemporaryDir folder;
        const QString path = folder.filePath(QStringLiteral("Cablora.ini"));
        for (int round = 0; round < 2; ++round) {
            QVERIFY(inPieces ? writeInPieces(path) : SafeFile::replace(path, written));
            QCOMPARE(contentOf(path), written);
            QCOMPARE(QDir(folder.path()).entryList(QDir::Files), QStringList{QStringLiteral("Cablora.ini")});
        }
    }

    // Each step of the write (open, every piece, flush, rename) failed in turn.
    void everyFailedStepKeepsTheOldFile_data()
    {
        QTest::addColumn<bool>("inPieces");
        QTest::addColumn<int>("steps");
        QTest::newRow("replace") << false << 4;          // open, write, flush, rename
        QTest::newRow("writer in pieces") << true << 6;  // open, three writes, flush, rename
    }

    void everyFailedStepKeepsTheOldFile()
    {
        QFETCH(bool, inPieces);
        QFETCH(int, steps);
        QTemporaryDir folder;
        const QString path = folder.filePath(QStringLiteral("Cablora.ini"));
        writeFile(path, "vecchio");

        FaultInjection::reset();
        QVERIFY(inPieces ? writeInPieces(path) : SafeFile::replace(path, "uno due tre"));
        QCOMPARE(FaultInjection::stepsSeen(), steps);

        for (int failAt = 1; failAt <= steps; ++failAt) {
            writeFile(path, "vecchio");
            FaultInjection::reset();
            FaultInjection::failNthStep(failAt);
            QVERIFY2(!(inPieces ? writeInPieces(path) : SafeFile::replace(path, "uno due tre")),
                     qPrintable(QString::number(failAt)));
            FaultInjection::reset();
            QCOMPARE(contentOf(path), QByteArray("vecchio"));
            QCOMPARE(QDir(folder.path()).entryList(QDir::Files), QStringList{QStringLiteral("Cablora.ini")});
        }
    }

    void writerNotCommittedKeepsTheOldFile()
    {
        QTemporaryDir folder;
        const QString path = folder.filePath(QStringLiteral("Cablora.ini"));
        writeFile(path, "vecchio");
        {
            SafeFile::Writer file(path);
            QVERIFY(file.open());
            QVERIFY(file.write("mezzo file"));
        }
        QCOMPARE(contentOf(path), QByteArray("vecchio"));
        QCOMPARE(QDir(folder.path()).entryList(QDir::Files), QStringList{QStringLiteral("Cablora.ini")});
    }

    void folderMissingIsRefusedAndWorded()
    {
        QTemporaryDir folder;
        SafeFile::Writer file(folder.filePath(QStringLiteral("manca/Cablora.ini")));
        QVERIFY(!file.open());
        // The system's reason, in Italian, not the wording for a failure without one.
        QVERIFY(!file.lastError().isEmpty());
        QVERIFY(file.lastError() != QStringLiteral("causa sconosciuta"));
        QVERIFY(!SafeFile::replace(folder.filePath(QStringLiteral("manca/Cablora.ini")), "x"));
    }
};

QTEST_MAIN(TestSafeFile)
#include "tst_safefile.moc"
