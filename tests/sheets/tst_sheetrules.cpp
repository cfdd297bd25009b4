// The total's normalisation and the numbering start.

#include "sheets/SheetRules.h"

#include <QtTest>

class TestSheetRules : public QObject
{
    Q_OBJECT

private slots:
    void normaliseTotale_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        QTest::newRow("whole") << "12" << "12,00";
        QTest::newRow("one decimal") << "12,5" << "12,50";
        QTest::newRow("round up") << "12,345" << "12,35";
        QTest::newRow("round down") << "12,344" << "12,34";
        QTest::newRow("leading zeros") << "0012" << "12,00";
        QTest::newRow("comma first") << ",5" << "0,50";
        QTest::newRow("seven") << "7" << "7,00";
        QTest::newRow("seven one") << "7,1" << "7,10";
        QTest::newRow("two commas") << ",," << "0,00";
        QTest::newRow("comma alone") << "," << "0,00";
        QTest::newRow("empty") << "" << "0,00";
        QTest::newRow("blanks") << "   " << "0,00";
        QTest::newRow("trailing comma") << "5," << "5,00";
        QTest::newRow("thousands dot") << "1.250,50" << "0,00";
        QTest::newRow("big") << "1250,50" << "1250,50";
        QTest::newRow("fifteen digits") << "123456789012345" << "123456789012345,00";
        // Decimal rounding on the digits as typed: binary floating point gave 1,00 and 2,67.
        QTest::newRow("1,005") << "1,005" << "1,01";
        QTest::newRow("2,675") << "2,675" << "2,68";
        QTest::newRow("carry") << "9,995" << "10,00";
        QTest::newRow("carry all nines") << "99,999" << "100,00";
        QTest::newRow("negative") << "-2,675" << "-2,68";
        QTest::newRow("negative tiny") << "-0,001" << "0,00";
        QTest::newRow("blank around") << " 3,2 " << "3,20";
    }
    void normaliseTotale()
    {
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        QCOMPARE(SheetRules::normaliseTotale(typed), shown);
    }

    void normaliseInizio_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        QTest::newRow("empty") << "" << "1";
        QTest::newRow("leading zeros") << "007" << "7";
        QTest::newRow("zero") << "0" << "0";
        QTest::newRow("largest") << "99999" << "99999";
        QTest::newRow("unreadable") << "abc" << "1";
    }
    void normaliseInizio()
    {
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        QCOMPARE(SheetRules::normaliseInizio(typed), shown);
    }

    void numberingStartValue_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<bool>("ok");
        QTest::addColumn<qint64>("value");
        QTest::newRow("missing") << "" << true << qint64(1);
        QTest::newRow("hundred") << "100" << true << qint64(100);
        QTest::newRow("zero") << "0" << true << qint64(0);
        QTest::newRow("not whole") << "1,5" << false << qint64(0);
        QTest::newRow("text") << "cento" << false << qint64(0);
    }
    void numberingStartValue()
    {
        QFETCH(QString, stored);
        QFETCH(bool, ok);
        QFETCH(qint64, value);
        bool parsed = false;
        const qint64 start = SheetRules::numberingStartValue(stored, &parsed);
        QCOMPARE(parsed, ok);
        if (ok)
            QCOMPARE(start, value);
    }
};

QTEST_APPLESS_MAIN(TestSheetRules)
#include "tst_sheetrules.moc"
