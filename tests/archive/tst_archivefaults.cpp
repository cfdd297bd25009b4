#include "archive/RecordArchive.h"
#include "common/FaultInjection.h"
#include "common/SystemError.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QFileInfo>
#include <QtTest>

#include <functional>

namespace {

constexpr int kFaultRecordSize = 701;

QByteArray faultRecord(char tag)
{
    QByteArray bytes(kFaultRecordSize, tag);
    bytes[0] = '<';
    bytes[kFaultRecordSize - 1] = '>';
    return bytes;
}

enum class Action { Create, Append, Overwrite, AppendAll };

// Runs one writing command on an archive of three records: true when it reports success.
bool run(Action action, const QString &path, RecordArchive &archive)
{
    switch (action) {
    case Action::Create: return archive.OpenOrCreate(path, kFaultRecordSize);
    case Action::Append: return archive.OpenOrCreate(path, kFaultRecordSize) && archive.Append(faultRecord('N')) == 4;
    case Action::Overwrite: return archive.OpenOrCreate(path, kFaultRecordSize) && archive.WriteAt(2, faultRecord('N'));
    case Action::AppendAll:
        return archive.OpenOrCreate(path, kFaultRecordSize)
               && archive.AppendAll({faultRecord('N'), faultRecord('O'), faultRecord('P')}) == 4;
    }
    return false;
}

}  // namespace

// Every step of a write that the system may refuse (open, write, flush) is refused in turn: the
// command fails and says why, and the archive keeps exactly what it held before.
class TestArchiveFaults : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { TestSupport::scriptEverything(); }
    void cleanup() { FaultInjection::reset(); }

    void everyStepRefused_data()
    {
        QTest::addColumn<int>("action");
        QTest::addColumn<QByteArray>("after");
        const QByteArray before = faultRecord('a') + faultRecord('b') + faultRecord('c');
        QTest::newRow("open for writing") << int(Action::Create) << before;
        QTest::newRow("append") << int(Action::Append) << before + faultRecord('N');
        QTest::newRow("overwrite") << int(Action::Overwrite) << faultRecord('a') + faultRecord('N') + faultRecord('c');
        // An import: all three records or none.
        QTest::newRow("append of many") << int(Action::AppendAll)
                                        << before + faultRecord('N') + faultRecord('O') + faultRecord('P');
    }

    void everyStepRefused()
    {
        QFETCH(int, action);
        QFETCH(QByteArray, after);
        const QByteArray before = faultRecord('a') + faultRecord('b') + faultRecord('c');

        // First the steps of a command that goes well.
        auto dir = TestSupport::programFolder();
        const QString path = dir->filePath(QStringLiteral("Schede.pro"));
        QVERIFY(TestSupport::writeFile(path, before));
        FaultInjection::reset();
        {
            RecordArchive archive;
            QVERIFY(run(Action(action), path, archive));
        }
        const int steps = FaultInjection::stepsSeen();
        QVERIFY(steps >= 1);
        QCOMPARE(TestSupport::readFile(path), after);

        for (int n = 1; n <= steps; ++n) {
            QVERIFY(TestSupport::writeFile(path, before));
            const QStringList filesBefore = QDir(dir->path()).entryList(QDir::Files);
            FaultInjection::reset();
            FaultInjection::failNthStep(n);
            RecordArchive archive;
            QVERIFY2(!run(Action(action), path, archive), qPrintable(QString::number(n)));
            QVERIFY(archive.Failed());
            // Told in Italian, with the cause the system gave.
            QVERIFY2(archive.ErrorString().startsWith(QStringLiteral("impossibile "))
                         && archive.ErrorString().contains(SystemError::refused()),
                     qPrintable(archive.ErrorString()));
            archive.Close();
            QCOMPARE(TestSupport::readFile(path), before);
            // No journal or other file is left behind.
            QCOMPARE(QDir(dir->path()).entryList(QDir::Files), filesBefore);
        }

        // Readers are no writes: an armed seam does not touch them.
        FaultInjection::reset();
        FaultInjection::failNthStep(1);
        RecordArchive reader;
        QVERIFY(reader.OpenForReading(path, kFaultRecordSize));
        QByteArray r;
        QVERIFY(reader.ReadAt(2, r));
        QCOMPARE(r, faultRecord('b'));
        while (reader.ReadNext(r)) {
        }
        QVERIFY(!reader.Failed());
        QCOMPARE(FaultInjection::stepsSeen(), 0);
    }
};

QTEST_MAIN(TestArchiveFaults)
#include "tst_archivefaults.moc"
