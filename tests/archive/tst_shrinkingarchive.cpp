// A mapped archive that becomes shorter while a scan reads it (a restore, a copy replaced by hand, a
// share that drops) ends the scan as failed, with the records read so far: the pages that vanished
// under the mapping never crash the program.

#include "archive/ClienteRecord.h"
#include "archive/RecordReader.h"
#include "support/TestSupport.h"

#include <QtTest>

class TestShrinkingArchive : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { RecordReader::setMode(RecordReader::Mode::Map); }

    void shrinkUnderTheMappingEndsTheScan_data()
    {
        QTest::addColumn<qint64>("cut");          // the file's length after the first record was read
        QTest::addColumn<qint64>("mostRecords");  // records handed out before the failure, at most: none of zeros
        QTest::newRow("emptied") << qint64(0) << qint64(1);
        QTest::newRow("cut after two records") << qint64(2 * ClienteRecord::kSize) << qint64(2);
    }
    void shrinkUnderTheMappingEndsTheScan()
    {
        QFETCH(qint64, cut);
        QFETCH(qint64, mostRecords);
        constexpr int kRecords = 64;
        const auto folder = TestSupport::programFolder();
        const QString path = folder->filePath(QStringLiteral("Clienti.pro"));
        QByteArray bytes;
        for (int i = 0; i < kRecords; ++i) {
            ClienteRecord record;
            record.Cognome = QStringLiteral("Cliente %1").arg(i + 1);
            bytes += record.toBytes();
        }
        QVERIFY(TestSupport::writeFile(path, bytes));

        RecordReader::setMode(RecordReader::Mode::Map);
        RecordReader reader;
        QVERIFY(reader.open(path, ClienteRecord::kSize));
        reader.needWhole();
        qint64 read = 0;
        quint64 sum = 0;
        while (const char *record = reader.next()) {
            ++read;
            // Every byte of the record is touched, as a scan that reads the whole record does.
            for (int i = 0; i < ClienteRecord::kSize; ++i)
                sum += quint8(record[i]);
            if (read == 1) {
                QFile file(path);
                QVERIFY(file.resize(cut));
            }
        }
        QVERIFY(reader.usedMapping());
        QVERIFY(reader.failed());
        QVERIFY2(read <= mostRecords, qPrintable(QString::number(read)));
        QVERIFY(sum > 0);
        reader.close();

        // The next scan reads what is left, whole.
        QVERIFY(reader.open(path, ClienteRecord::kSize));
        qint64 left = 0;
        while (reader.next())
            ++left;
        QVERIFY(!reader.failed());
        QCOMPARE(left, cut / ClienteRecord::kSize);
    }
};

QTEST_GUILESS_MAIN(TestShrinkingArchive)
#include "tst_shrinkingarchive.moc"
