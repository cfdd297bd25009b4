#include "archive/RecordArchive.h"
#include "archive/RecordReader.h"
#include "support/TestSupport.h"
#include "widgets/MessageBoxes.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QScopeGuard>
#include <QSet>
#include <QThread>
#include <QtTest>

#include <atomic>
#include <memory>
#include <vector>

#ifdef Q_OS_UNIX
#  include <fcntl.h>
#endif

namespace {

constexpr int kStoredRecordSize = 3011;  // a customer record

// A record whose every byte tells which record it is.
QByteArray storedRecord(char tag)
{
    QByteArray bytes(kStoredRecordSize, tag);
    bytes[0] = '<';
    bytes[kStoredRecordSize - 1] = '>';
    return bytes;
}

// Must match the writer process helper_append.
char writerPattern(int id, int seq, int offset)
{
    return char((id * 131 + seq * 7 + offset) & 0xFF);
}

}  // namespace

class TestRecordArchive : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { TestSupport::scriptEverything(); }

    void missingFile()
    {
        auto dir = TestSupport::programFolder();
        const QString path = dir->filePath(QStringLiteral("Clienti.pro"));

        RecordArchive reader;  // searches and lists read a missing archive as empty, creating nothing
        QVERIFY(reader.OpenForReading(path, kStoredRecordSize));
        QCOMPARE(reader.Count(), 0);
        QVERIFY(reader.AtEnd());
        QByteArray r;
        QVERIFY(!reader.ReadNext(r));
        QVERIFY(!reader.Failed());
        reader.Close();
        QVERIFY(!RecordArchive::readRecordAt(path, kStoredRecordSize, 1, r));
        QVERIFY(!QFileInfo::exists(path));

        RecordArchive archive;
        QVERIFY(archive.OpenOrCreate(path, kStoredRecordSize));
        QCOMPARE(archive.Count(), 0);
        archive.Close();
        QVERIFY(QFileInfo::exists(path));
        QCOMPARE(QFileInfo(path).size(), 0);
    }

    void operations()
    {
        auto dir = TestSupport::programFolder();
        const QString path = dir->filePath(QStringLiteral("Clienti.pro"));
        RecordArchive archive;
        QVERIFY(archive.OpenOrCreate(path, kStoredRecordSize));
        QCOMPARE(archive.Append(storedRecord('a')), 1);
        QCOMPARE(archive.Append(storedRecord('b')), 2);
        QCOMPARE(archive.Append(storedRecord('c')), 3);
        QCOMPARE(archive.CurrentPosition(), 3);
        archive.Close();
        QCOMPARE(TestSupport::readFile(path), storedRecord('a') + storedRecord('b') + storedRecord('c'));

        QVERIFY(archive.OpenOrCreate(path, kStoredRecordSize));
        QVERIFY(archive.WriteAt(2, storedRecord('B')));
        QByteArray r;
        QVERIFY(archive.ReadAt(1, r));
        QCOMPARE(r, storedRecord('a'));
        QCOMPARE(archive.CurrentPosition(), 1);
        QVERIFY(archive.ReadAt(2, r));
        QCOMPARE(r, storedRecord('B'));
        QCOMPARE(archive.CurrentPosition(), 2);
        archive.Close();
        QCOMPARE(TestSupport::readFile(path), storedRecord('a') + storedRecord('B') + storedRecord('c'));

        // Sequential reading from record 1 to the last.
        QVERIFY(archive.OpenForReading(path, kStoredRecordSize));
        QByteArray scanned;
        QList<qint64> positions;
        while (!archive.AtEnd()) {
            QVERIFY(archive.ReadNext(r));
            scanned += r;
            positions << archive.CurrentPosition();
        }
        QCOMPARE(scanned, storedRecord('a') + storedRecord('B') + storedRecord('c'));
        QCOMPARE(positions, QList<qint64>({1, 2, 3}));
        QVERIFY(!archive.ReadNext(r));
        archive.Close();
        // Asking AtEnd again and again skips no record.
        QVERIFY(archive.OpenForReading(path, kStoredRecordSize));
        QVERIFY(!archive.AtEnd());
        QVERIFY(!archive.AtEnd());
        QVERIFY(archive.ReadNext(r));
        QCOMPARE(r, storedRecord('a'));
        QCOMPARE(archive.CurrentPosition(), 1);
        archive.Close();

        // One record read by its position, the file opened and closed again.
        QVERIFY(RecordArchive::readRecordAt(path, kStoredRecordSize, 2, r));
        QCOMPARE(r, storedRecord('B'));
        QVERIFY(!RecordArchive::readRecordAt(path, kStoredRecordSize, 0, r));
        QVERIFY(!RecordArchive::readRecordAt(path, kStoredRecordSize, 4, r));

        // Positions outside 1..count and records of the wrong size are refused; the file stays.
        QVERIFY(archive.OpenOrCreate(path, kStoredRecordSize));
        QVERIFY(!archive.ReadAt(0, r));
        QVERIFY(!archive.ReadAt(4, r));
        QVERIFY(!archive.WriteAt(0, storedRecord('x')));
        QVERIFY(!archive.WriteAt(4, storedRecord('x')));
        QVERIFY(!archive.WriteAt(1, storedRecord('x').left(kStoredRecordSize - 1)));
        QCOMPARE(archive.Append(storedRecord('x') + 'x'), -1);
        QVERIFY(archive.Failed());
        archive.Close();
        QCOMPARE(TestSupport::readFile(path), storedRecord('a') + storedRecord('B') + storedRecord('c'));
    }

    // Files of any length: a trailing fragment is no record and the next append writes over it.
    void fileLengths_data()
    {
        QTest::addColumn<int>("records");
        QTest::addColumn<int>("fragment");
        QTest::newRow("0-byte file") << 0 << 0;
        QTest::newRow("fragment only") << 0 << 5;
        QTest::newRow("two records") << 2 << 0;
        QTest::newRow("two records and a fragment") << 2 << kStoredRecordSize - 1;
    }

    void fileLengths()
    {
        QFETCH(int, records);
        QFETCH(int, fragment);
        auto dir = TestSupport::programFolder();
        const QString path = dir->filePath(QStringLiteral("Clienti.pro"));
        QByteArray content;
        for (int i = 0; i < records; ++i)
            content += storedRecord(char('a' + i));
        QVERIFY(TestSupport::writeFile(path, content + QByteArray(fragment, '#')));

        RecordArchive archive;
        QVERIFY(archive.OpenForReading(path, kStoredRecordSize));
        QCOMPARE(archive.Count(), records);
        int read = 0;
        QByteArray r;
        while (archive.ReadNext(r))
            ++read;
        QCOMPARE(read, records);
        QVERIFY(archive.AtEnd());
        QVERIFY(!archive.Failed());
        QVERIFY(!archive.ReadAt(records + 1, r));
        archive.Close();

        QVERIFY(archive.OpenOrCreate(path, kStoredRecordSize));
        QCOMPARE(archive.Append(storedRecord('z')), records + 1);
        archive.Close();
        QCOMPARE(TestSupport::readFile(path), content + storedRecord('z'));
    }

    void unreachableFile_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("missing folder") << QStringLiteral("manca/Clienti.pro");
        QTest::newRow("a folder in its place") << QStringLiteral("Clienti.pro");
    }

    void unreachableFile()
    {
        QFETCH(QString, name);
        auto dir = TestSupport::programFolder();
        QVERIFY(QDir(dir->path()).mkdir(QStringLiteral("Clienti.pro")));
        RecordArchive archive;
        QVERIFY(!archive.OpenOrCreate(dir->filePath(name), kStoredRecordSize));
        QVERIFY(archive.Failed());
        QCOMPARE(archive.Append(storedRecord('a')), -1);
        QByteArray r;
        QVERIFY(!archive.ReadAt(1, r));
        QCOMPARE(archiveAccessMessage(),
                 QStringLiteral("Attenzione: il sistema non permette di accedere all'archivio.\n\r\n\r"
                                "Accertarsi di possedere i privilegi di scrittura nella cartella di "
                                "installazione del programma."));
        // On screen the two paragraphs are separated by one blank line.
        QCOMPARE(MessageBoxes::displayText(archiveAccessMessage()),
                 QStringLiteral("Attenzione: il sistema non permette di accedere all'archivio.\n\n"
                                "Accertarsi di possedere i privilegi di scrittura nella cartella di "
                                "installazione del programma."));
    }

    // Sequential reading in blocks of any size hands out every record once, in order, whole.
    void readAcrossBlocks_data()
    {
        QTest::addColumn<qint64>("blockBytes");
        QTest::addColumn<int>("records");
        QTest::addColumn<int>("fragment");
        QTest::newRow("block smaller than a record") << qint64(100) << 4 << 0;
        QTest::newRow("block of one record") << qint64(kStoredRecordSize) << 5 << 0;
        QTest::newRow("block of two records, odd count") << qint64(2 * kStoredRecordSize) << 7 << 0;
        QTest::newRow("block of three records, count a multiple") << qint64(3 * kStoredRecordSize) << 9 << 0;
        QTest::newRow("block of two and a half records")
            << qint64(2 * kStoredRecordSize + kStoredRecordSize / 2) << 8 << 17;
        QTest::newRow("block one byte short of two records")
            << qint64(2 * kStoredRecordSize - 1) << 6 << kStoredRecordSize - 1;
        QTest::newRow("block larger than the file") << RecordReader::kDefaultBlockBytes << 3 << 0;
    }

    void readAcrossBlocks()
    {
        QFETCH(qint64, blockBytes);
        QFETCH(int, records);
        QFETCH(int, fragment);
        auto dir = TestSupport::programFolder();
        const QString path = dir->filePath(QStringLiteral("Clienti.pro"));
        QByteArray content;
        for (int i = 0; i < records; ++i)
            content += storedRecord(char('a' + i));
        QVERIFY(TestSupport::writeFile(path, content + QByteArray(fragment, '#')));

        // Read by the sequential reader, in blocks or mapped windows of that size.
        RecordReader::setBlockBytes(blockBytes);
        RecordReader::setMapWindowBytes(blockBytes);
        const auto restore = qScopeGuard([] {
            RecordReader::setBlockBytes(RecordReader::kDefaultBlockBytes);
            RecordReader::setMapWindowBytes(RecordReader::kDefaultMapWindowBytes);
        });
        RecordArchive archive;
        QVERIFY(archive.OpenForReading(path, kStoredRecordSize));
        QByteArray scanned;
        QList<qint64> positions;
        QByteArray r;
        while (!archive.AtEnd()) {
            QVERIFY(archive.ReadNext(r));
            scanned += r;
            positions << archive.CurrentPosition();
        }
        QVERIFY(!archive.ReadNext(r));
        QVERIFY(!archive.Failed());
        QCOMPARE(scanned, content);
        QList<qint64> expected;
        for (qint64 p = 1; p <= records; ++p)
            expected << p;
        QCOMPARE(positions, expected);
    }

    // A writer that holds the lock and never lets go (a crashed workstation on a share) makes a
    // write fail after the wait limit instead of freezing the program; the archive stays as it was.
    void stuckWriter()
    {
#ifndef F_OFD_SETLK
        QSKIP("needs open-file-description locks to hold the lock from this process");
#else
        auto dir = TestSupport::programFolder();
        const QString path = dir->filePath(QStringLiteral("Clienti.pro"));
        QVERIFY(TestSupport::writeFile(path, storedRecord('a')));

        RecordArchive::setLockWaitMs(200);
        const auto restore = qScopeGuard([] { RecordArchive::setLockWaitMs(RecordArchive::kDefaultLockWaitMs); });

        // The other workstation: its own open of the file, holding the writers' byte.
        QFile other(path);
        QVERIFY(other.open(QIODevice::ReadWrite));
        struct flock lock = {};
        lock.l_type = F_WRLCK;
        lock.l_whence = SEEK_SET;
        lock.l_start = RecordArchive::kWriteLockOffset;
        lock.l_len = 1;
        QCOMPARE(fcntl(other.handle(), F_OFD_SETLK, &lock), 0);

        // The writes run on a thread so that a writer waiting without limit fails the test rather
        // than hanging it: after a generous guard the lock is let go to free the thread.
        qint64 appended = 0;
        bool overwritten = true;
        QString error;
        std::unique_ptr<QThread> attempt(QThread::create([&] {
            RecordArchive archive;
            if (!archive.OpenOrCreate(path, kStoredRecordSize))
                return;
            appended = archive.Append(storedRecord('b'));
            overwritten = archive.WriteAt(1, storedRecord('B'));
            error = archive.ErrorString();
        }));
        attempt->start();
        const bool gaveUp = attempt->wait(QDeadlineTimer(60000));
        lock.l_type = F_UNLCK;
        fcntl(other.handle(), F_OFD_SETLK, &lock);
        if (!gaveUp)
            attempt->wait();
        QVERIFY2(gaveUp, "the writer kept waiting for the lock");
        QCOMPARE(appended, -1);
        QVERIFY(!overwritten);
        // Said in Italian, naming the cause: another workstation is writing.
        QVERIFY2(error.contains(QStringLiteral("un'altra postazione sta scrivendo")), qPrintable(error));
        QCOMPARE(TestSupport::readFile(path), storedRecord('a'));

        // Once the lock is free again, writing works.
        RecordArchive archive;
        QVERIFY(archive.OpenOrCreate(path, kStoredRecordSize));
        QCOMPARE(archive.Append(storedRecord('b')), 2);
        QVERIFY(archive.WriteAt(1, storedRecord('A')));
        archive.Close();
        QCOMPARE(TestSupport::readFile(path), storedRecord('A') + storedRecord('b'));
#endif
    }

    // Writers that keep the archive busy, each taking the lock again as soon as it has let it go, do
    // not keep out a writer that asked meanwhile: it waits its turn instead of finding the lock taken
    // at every look until its wait runs out. Each busy writer holds the lock a few milliseconds per
    // append (it makes its record under the lock), as a save on a loaded machine does.
    void busyWritersLetOthersIn_data()
    {
        QTest::addColumn<int>("busyWriters");
        QTest::newRow("one busy writer") << 1;
        QTest::newRow("two busy writers") << 2;
    }
    void busyWritersLetOthersIn()
    {
        QFETCH(int, busyWriters);
        constexpr int kCommands = 20;
        auto dir = TestSupport::programFolder();
        const QString path = dir->filePath(QStringLiteral("Clienti.pro"));

        std::atomic<bool> stop{false};
        std::atomic<int> busyAppends{0}, busyFailures{0};
        std::vector<std::unique_ptr<QThread>> busy;
        for (int w = 0; w < busyWriters; ++w) {
            busy.emplace_back(QThread::create([&, w] {
                RecordArchive archive;
                if (!archive.OpenOrCreate(path, kStoredRecordSize)) {
                    ++busyFailures;
                    return;
                }
                for (int i = 0; i < 20000 && !stop; ++i) {
                    const qint64 at = archive.Append([w](qint64) {
                        QThread::msleep(3);
                        return storedRecord(char('a' + w));
                    });
                    if (at < 0) {
                        ++busyFailures;
                        return;
                    }
                    ++busyAppends;
                }
            }));
            busy.back()->start();
        }
        const auto stopBusy = qScopeGuard([&] {
            stop = true;
            for (auto &thread : busy)
                thread->wait();
        });
        while (busyAppends < 5 * busyWriters && busyFailures == 0)
            QThread::msleep(1);

        // The other workstation: one command after another, each its own open, append and close.
        QStringList failures;
        for (int i = 0; i < kCommands; ++i) {
            RecordArchive archive;
            if (!archive.OpenOrCreate(path, kStoredRecordSize) || archive.Append(storedRecord('Z')) < 0)
                failures << archive.ErrorString();
        }
        stop = true;
        for (auto &thread : busy)
            thread->wait();
        QVERIFY2(failures.isEmpty(), qPrintable(failures.join(QLatin1Char('\n'))));
        QCOMPARE(int(busyFailures), 0);

        const QByteArray content = TestSupport::readFile(path);
        QCOMPARE(content.size(), qsizetype(busyAppends + kCommands) * kStoredRecordSize);
        int mine = 0;
        for (qsizetype at = 0; at < content.size(); at += kStoredRecordSize)
            mine += content.mid(at, kStoredRecordSize) == storedRecord('Z');
        QCOMPARE(mine, kCommands);
    }

    // Another copy of the program keeps reading while this one writes, without reopening.
    void readerSeesWriter()
    {
        auto dir = TestSupport::programFolder();
        const QString path = dir->filePath(QStringLiteral("Clienti.pro"));
        RecordArchive writer, reader;
        QVERIFY(writer.OpenOrCreate(path, kStoredRecordSize));
        QVERIFY(reader.OpenForReading(path, kStoredRecordSize));
        QCOMPARE(writer.Append(storedRecord('a')), 1);
        QCOMPARE(reader.Count(), 1);
        QByteArray r;
        QVERIFY(reader.ReadAt(1, r));
        QCOMPARE(r, storedRecord('a'));
        QVERIFY(writer.WriteAt(1, storedRecord('b')));
        QVERIFY(reader.ReadAt(1, r));
        QCOMPARE(r, storedRecord('b'));
        QCOMPARE(writer.Append(storedRecord('c')), 2);
        QVERIFY(reader.ReadAt(2, r));
        QCOMPARE(r, storedRecord('c'));
    }

    // Two workstations appending at once: every record arrives whole, at the position reported to
    // its writer, and none is lost.
    void twoProcessesAppend()
    {
        constexpr int kEach = 500;
        auto dir = TestSupport::programFolder();
        const QString path = dir->filePath(QStringLiteral("Clienti.pro"));
        const QString helper = QDir(QStringLiteral(CABLORA_TEST_HELPER_DIR)).filePath(QStringLiteral("helper_append"));

        QProcess writers[2];
        for (int id = 0; id < 2; ++id)
            writers[id].start(
                helper, {path, QString::number(kStoredRecordSize), QString::number(id + 1), QString::number(kEach)});
        QMap<qint64, QPair<int, int>> reported;  // position -> (writer, seq)
        for (int id = 0; id < 2; ++id) {
            QVERIFY2(writers[id].waitForFinished(300000), qPrintable(writers[id].errorString()));
            QCOMPARE(writers[id].exitStatus(), QProcess::NormalExit);
            QVERIFY2(writers[id].exitCode() == 0, writers[id].readAllStandardError().constData());
            const QList<QByteArray> lines = writers[id].readAllStandardOutput().split('\n');
            int seq = 0;
            for (const QByteArray &line : lines) {
                if (line.isEmpty())
                    continue;
                const qint64 position = line.toLongLong();
                QVERIFY2(!reported.contains(position), line.constData());
                reported.insert(position, {id + 1, ++seq});
            }
            QCOMPARE(seq, kEach);
        }

        const QByteArray content = TestSupport::readFile(path);
        QCOMPARE(content.size(), qsizetype(2 * kEach) * kStoredRecordSize);
        for (qint64 position = 1; position <= 2 * kEach; ++position) {
            QVERIFY(reported.contains(position));
            const auto [id, seq] = reported.value(position);
            const QByteArray head = "W" + QByteArray::number(id) + ':' + QByteArray::number(seq) + ';';
            const char *r = content.constData() + (position - 1) * kStoredRecordSize;
            QVERIFY2(QByteArray(r, head.size()) == head, qPrintable(QString::number(position)));
            for (int i = int(head.size()); i < kStoredRecordSize; ++i) {
                if (r[i] != writerPattern(id, seq, i))
                    QFAIL(qPrintable(QStringLiteral("record %1 damaged at byte %2").arg(position).arg(i)));
            }
        }
    }
};

QTEST_MAIN(TestRecordArchive)
#include "tst_recordarchive.moc"
