// The overwrite that a record window's Save uses: it writes only while the stored record is still
// the one the window showed, comparing the fields' texts and not what lies after them.

#include "archive/ClienteRecord.h"
#include "archive/RecordArchive.h"
#include "archive/SchedaRecord.h"
#include "support/TestSupport.h"

#include <QtTest>

namespace {

ClienteRecord customerWithNote(const QString &note)
{
    ClienteRecord r;
    r.Cognome = QStringLiteral("Rossi");
    r.Nome = QStringLiteral("Anna");
    r.Note = note;
    return r;
}

}  // namespace

class TestOverwriteIfUnchanged : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { TestSupport::scriptEverything(); }

    void writesOnlyWhileTheStoredRecordIsTheExpectedOne_data()
    {
        QTest::addColumn<QString>("storedNote");  // the note stored at position 2 when the write comes
        QTest::addColumn<qint64>("position");
        QTest::addColumn<int>("outcome");
        const int written = int(RecordArchive::Overwrite::Written);
        QTest::newRow("unchanged: written") << "vista" << qint64(2) << written;
        QTest::newRow("changed elsewhere: nothing written")
            << "cambiata" << qint64(2) << int(RecordArchive::Overwrite::Changed);
        QTest::newRow("no record there: a failure") << "vista" << qint64(3) << int(RecordArchive::Overwrite::Failed);
    }
    void writesOnlyWhileTheStoredRecordIsTheExpectedOne()
    {
        QFETCH(QString, storedNote);
        QFETCH(qint64, position);
        QFETCH(int, outcome);
        auto dir = TestSupport::programFolder();
        const QString path = dir->filePath(ClienteRecord::fileName());
        const QByteArray shown = customerWithNote(QStringLiteral("vista")).toBytes();
        const QByteArray first = customerWithNote(QStringLiteral("prima")).toBytes();
        const QByteArray now = customerWithNote(storedNote).toBytes();
        const QByteArray mine = customerWithNote(QStringLiteral("mia")).toBytes();
        {
            RecordArchive archive;
            QVERIFY(archive.OpenOrCreate(path, ClienteRecord::kSize));
            QCOMPARE(archive.Append(first), 1);
            QCOMPARE(archive.Append(now), 2);
        }

        RecordArchive archive;
        QVERIFY(archive.OpenOrCreate(path, ClienteRecord::kSize));
        QByteArray seen;
        int looks = 0;
        const auto result = archive.WriteAtIf(
            position, mine,
            [&](const QByteArray &stored) {
                ++looks;
                return ClienteRecord::format().sameFields(stored, shown);
            },
            &seen);
        archive.Close();

        QCOMPARE(int(result), outcome);
        const QByteArray file = TestSupport::readFile(path);
        QCOMPARE(file.size(), 2 * ClienteRecord::kSize);
        QCOMPARE(file.left(ClienteRecord::kSize), first);
        QCOMPARE(file.mid(ClienteRecord::kSize), result == RecordArchive::Overwrite::Written ? mine : now);
        QCOMPARE(looks, result == RecordArchive::Overwrite::Failed ? 0 : 1);
        if (result == RecordArchive::Overwrite::Changed)
            QCOMPARE(seen, now);  // the record as the other workstation left it, for Ricarica
    }

    // Two records hold "the same" record when every field's stored text is the same, in either
    // encoding: the bytes after a text carry no meaning (a writer may leave anything there).
    void sameFieldsComparesTheTextsOnly()
    {
        const SchedaRecord sheet = TestSupport::sampleSheet(QStringLiteral("7"));
        QByteArray tail = sheet.toBytes();
        const FieldSpan note = SchedaRecord::format().field(SchedaRecord::fNote);
        tail[note.offset + 10] = 'x';  // after the empty note's terminator
        QVERIFY(SchedaRecord::format().sameFields(sheet.toBytes(), tail));
        SchedaRecord paid = sheet;
        paid.Pagato = QStringLiteral("S\u00EC");
        QVERIFY(!SchedaRecord::format().sameFields(sheet.toBytes(), paid.toBytes()));

        const ClienteRecord customer = customerWithNote(QStringLiteral("nota"));
        QByteArray after = customer.toBytes();
        const FieldSpan customerNote = ClienteRecord::format().field(ClienteRecord::fNote);
        after[customerNote.offset + 1 + 4] = 'x';  // after the length byte and the 4 bytes of "nota"
        QVERIFY(ClienteRecord::format().sameFields(customer.toBytes(), after));
        after[customerNote.offset] = char(5);  // the length now takes that byte in
        QVERIFY(!ClienteRecord::format().sameFields(customer.toBytes(), after));
    }
};

QTEST_MAIN(TestOverwriteIfUnchanged)
#include "tst_overwriteifunchanged.moc"
