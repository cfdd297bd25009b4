// A vehicle's history by plate: plate spellings that match, totals read exactly in cents, and the
// scan of a small sheet archive with its sums, unreadable totals and order by date.

#include "archive/RecordArchive.h"
#include "archive/SchedaRecord.h"
#include "sheets/StoricoTarga.h"
#include "support/TestSupport.h"

#include <QtTest>

class TestStoricoTarga : public QObject
{
    Q_OBJECT

private slots:
    void plates_data();
    void plates();
    void amounts_data();
    void amounts();
    void amountTexts_data();
    void amountTexts();
    void history();
};

void TestStoricoTarga::plates_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("same");

    QTest::newRow("as stored") << "AB123CD" << true;
    QTest::newRow("lower case") << "ab123cd" << true;
    QTest::newRow("blanks") << " AB 123 CD " << true;
    QTest::newRow("dots and dashes") << "AB-123.CD" << true;
    QTest::newRow("another plate") << "AB123CE" << false;
    QTest::newRow("a part of it") << "AB123" << false;
}

void TestStoricoTarga::plates()
{
    QFETCH(QString, typed);
    QFETCH(bool, same);
    QCOMPARE(StoricoTarga::comparablePlate(typed) == StoricoTarga::comparablePlate(QStringLiteral("AB123CD")), same);
}

void TestStoricoTarga::amounts_data()
{
    QTest::addColumn<QString>("stored");
    QTest::addColumn<qint64>("cents");  // -1: not a number

    QTest::newRow("normalised") << "250,00" << qint64(25000);
    QTest::newRow("one decimal") << "0,5" << qint64(50);
    QTest::newRow("whole") << " 1234 " << qint64(123400);
    QTest::newRow("point") << "19.99" << qint64(1999);
    QTest::newRow("thousands") << "1.234,56" << qint64(123456);
    QTest::newRow("negative") << "-10,10" << qint64(-1010);
    QTest::newRow("no cents lost in a sum") << "0,10" << qint64(10);
    QTest::newRow("empty") << "" << qint64(-1);
    QTest::newRow("words") << "da definire" << qint64(-1);
    QTest::newRow("three decimals") << "1,005" << qint64(-1);
}

void TestStoricoTarga::amounts()
{
    QFETCH(QString, stored);
    QFETCH(qint64, cents);
    const std::optional<qint64> read = StoricoTarga::cents(stored);
    QCOMPARE(read.has_value(), cents != -1);
    if (read)
        QCOMPARE(*read, cents);
}

void TestStoricoTarga::amountTexts_data()
{
    QTest::addColumn<qint64>("cents");
    QTest::addColumn<QString>("text");

    QTest::newRow("zero") << qint64(0) << "0,00";
    QTest::newRow("cents only, negative") << qint64(-50) << "-0,50";
    QTest::newRow("thousands") << qint64(123456) << "1234,56";
    QTest::newRow("largest") << std::numeric_limits<qint64>::max() << "92233720368547758,07";
    // Its magnitude does not fit a signed number.
    QTest::newRow("most negative") << std::numeric_limits<qint64>::min() << "-92233720368547758,08";
}

void TestStoricoTarga::amountTexts()
{
    QFETCH(qint64, cents);
    QFETCH(QString, text);
    QCOMPARE(StoricoTarga::amountText(cents), text);
}

void TestStoricoTarga::history()
{
    const auto folder = TestSupport::programFolder();
    const QString path = folder->filePath(SchedaRecord::fileName());
    struct Sheet
    {
        const char *number, *date, *plate, *work, *total, *paid;
    };
    const Sheet sheets[] = {
        {"7", "05/03/2025", "AB123CD", "Sostituita batteria\r\nProvato alternatore", "0,10", "Sì"},
        {"8", "01/02/2024", "ab-123 cd", "Cablaggio fari", "0,20", "No"},
        {"9", "02/02/2024", "ZZ999ZZ", "Altro veicolo", "100,00", "No"},
        {"10", "data?", "AB123CD", "Diagnosi", "da definire", "No"},
        {"11", "10/10/2025", "AB.123.CD", "Centralina", "1.000,70", "No"},
        {"12", "11/10/2025", "AB123CD", "Flotta", "12.345.678,90", "No"},
    };
    {
        RecordArchive archive;
        QVERIFY(archive.OpenOrCreate(path, SchedaRecord::kSize));
        for (const Sheet &s : sheets) {
            SchedaRecord r;
            r.NumScheda = QString::fromUtf8(s.number);
            r.Data = QString::fromUtf8(s.date);
            r.Targa = QString::fromUtf8(s.plate);
            r.Interventi = QString::fromUtf8(s.work);
            r.Totale = QString::fromUtf8(s.total);
            r.Pagato = QString::fromUtf8(s.paid);
            QVERIFY(archive.Append(r.toBytes()) > 0);
        }
    }
    StoricoTarga::History history;
    QVERIFY(StoricoTarga::scan(path, QStringLiteral(" ab 123 cd"), history));
    // By date, the sheet without a valid date last.
    QCOMPARE(history.sheets.positions, (QVector<qint64>{2, 1, 5, 6, 4}));
    QVERIFY(history.sheets.lines.at(1).startsWith(QStringLiteral("7             05/03/2025  Sostituita batteria ")));
    QVERIFY(!history.sheets.lines.at(1).contains(QStringLiteral("alternatore")));
    QVERIFY(history.sheets.lines.at(1).endsWith(QStringLiteral("0,10  Sì")));
    // A total of the field's whole length shows whole, under the heading's column.
    const QString longest = history.sheets.lines.at(3);
    QVERIFY2(longest.endsWith(QStringLiteral("  12.345.678,90  No")), qPrintable(longest));
    QCOMPARE(longest.indexOf(QStringLiteral("12.345.678,90")) + 13,
             StoricoTarga::heading().indexOf(QStringLiteral("Totale €")) + 8);
    // 0,10 + 0,20 + 1000,70 + 12345678,90 exactly; the unpaid ones 0,20 + 1000,70 + 12345678,90; one
    // total unreadable.
    QCOMPARE(history.totalCents, qint64(1234667990));
    QCOMPARE(history.unpaidCents, qint64(1234667980));
    QCOMPARE(history.unreadable, 1);
    QCOMPARE(
        StoricoTarga::summary(history),
        QStringLiteral("Totale interventi: € 12346679,90   Da saldare: € 12346679,80   (1 importo non leggibile)"));

    // An empty plate lists nothing.
    QVERIFY(StoricoTarga::scan(path, QStringLiteral("  "), history));
    QVERIFY(history.sheets.isEmpty());
}

QTEST_MAIN(TestStoricoTarga)
#include "tst_storicotarga.moc"
