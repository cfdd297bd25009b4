#include "common/Formats.h"

#include <QtTest>

class TestFormats : public QObject
{
    Q_OBJECT

private slots:
    // The same table for the text form and the stored-bytes form: the deadlines and the plate history
    // read dates with one rule.
    void parseDate_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QDate>("date");

        const QDate invalid;
        QTest::newRow("plain") << "01/02/2025" << QDate(2025, 2, 1);
        QTest::newRow("leap day") << "29/02/2024" << QDate(2024, 2, 29);
        QTest::newRow("last day of the year") << "31/12/1999" << QDate(1999, 12, 31);
        QTest::newRow("year one") << "01/02/0001" << QDate(1, 2, 1);
        QTest::newRow("empty") << "" << invalid;
        QTest::newRow("one-digit day and month") << "1/2/2025" << invalid;
        QTest::newRow("one-digit day") << "1/02/2025" << invalid;
        QTest::newRow("one-digit month") << "01/2/2025" << invalid;
        QTest::newRow("two-digit year") << "01/02/25" << invalid;
        QTest::newRow("five-digit year") << "01/02/20255" << invalid;
        QTest::newRow("signed year") << "01/02/+025" << invalid;
        QTest::newRow("other separator") << "01-02-2025" << invalid;
        QTest::newRow("blank before") << " 1/02/2025" << invalid;
        QTest::newRow("text after") << "01/02/202x" << invalid;
        QTest::newRow("no such day") << "31/04/2025" << invalid;
        QTest::newRow("leap day of a common year") << "29/02/2025" << invalid;
        QTest::newRow("day zero") << "00/01/2025" << invalid;
        QTest::newRow("month thirteen") << "01/13/2025" << invalid;
        QTest::newRow("year zero") << "01/02/0000" << invalid;
        QTest::newRow("accented letter") << "0\u00E8/02/2025" << invalid;
    }

    void parseDate()
    {
        QFETCH(QString, text);
        QFETCH(QDate, date);
        QCOMPARE(Formats::parseDate(text), date);
        const QByteArray bytes = text.toLatin1();
        QCOMPARE(Formats::parseDate(QLatin1String(bytes.constData(), bytes.size())), date);
        if (date.isValid())
            QCOMPARE(Formats::dateText(date), text);
    }
};

QTEST_MAIN(TestFormats)
#include "tst_formats.moc"
