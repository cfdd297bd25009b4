// The total's normalisation and the numbering start.

#include "sheets/SchedaRules.h"

#include <QTemporaryDir>
#include <QtTest>

#include <limits>

class TestSchedaRules : public QObject
{
    Q_OBJECT

private slots:
    void normaliseTotale_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        QTest::newRow("whole") << "12"
                               << "12,00";
        QTest::newRow("one decimal") << "12,5"
                                     << "12,50";
        QTest::newRow("round up") << "12,345"
                                  << "12,35";
        QTest::newRow("round down") << "12,344"
                                    << "12,34";
        QTest::newRow("leading zeros") << "0012"
                                       << "12,00";
        QTest::newRow("comma first") << ",5"
                                     << "0,50";
        QTest::newRow("seven") << "7"
                               << "7,00";
        QTest::newRow("seven one") << "7,1"
                                   << "7,10";
        QTest::newRow("two commas") << ",,"
                                    << "0,00";
        QTest::newRow("comma alone") << ","
                                     << "0,00";
        QTest::newRow("empty") << ""
                               << "0,00";
        QTest::newRow("blanks") << "   "
                                << "0,00";
        QTest::newRow("trailing comma") << "5,"
                                        << "5,00";
        QTest::newRow("thousands dot") << "1.250,50"
                                       << "0,00";
        QTest::newRow("big") << "1250,50"
                             << "1250,50";
        QTest::newRow("fifteen digits") << "123456789012345"
                                        << "123456789012345,00";
        // Decimal rounding on the digits as typed: binary floating point gave 1,00 and 2,67.
        QTest::newRow("1,005") << "1,005"
                               << "1,01";
        QTest::newRow("2,675") << "2,675"
                               << "2,68";
        QTest::newRow("carry") << "9,995"
                               << "10,00";
        QTest::newRow("carry all nines") << "99,999"
                                         << "100,00";
        QTest::newRow("negative") << "-2,675"
                                  << "-2,68";
        QTest::newRow("negative tiny") << "-0,001"
                                       << "0,00";
        QTest::newRow("blank around") << " 3,2 "
                                      << "3,20";
    }
    void normaliseTotale()
    {
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        QCOMPARE(SchedaRules::normaliseTotale(typed), shown);
    }

    void normaliseInizio_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        QTest::newRow("empty") << ""
                               << "1";
        QTest::newRow("leading zeros") << "007"
                                       << "7";
        QTest::newRow("zero") << "0"
                              << "0";
        QTest::newRow("largest") << "99999"
                                 << "99999";
        QTest::newRow("unreadable") << "abc"
                                    << "1";
        QTest::newRow("half rounds up") << "12,5"
                                        << "13";
        QTest::newRow("below half") << "12,49"
                                    << "12";
        // Rounded on the digits as typed, not through a double, which reads ...,49 as ...,5 here.
        QTest::newRow("largest start, decimals below half") << "999999999999999,49"
                                                            << "999999999999999";
        QTest::newRow("rounding up past the largest start") << "999999999999999,5"
                                                            << "1";
        QTest::newRow("not a number") << "nan"
                                      << "1";
        QTest::newRow("exponent") << "1e3"
                                  << "1000";
    }
    void normaliseInizio()
    {
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        QCOMPARE(SchedaRules::normaliseInizio(typed), shown);
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
        QTest::newRow("fifteen digits") << "999999999999999" << true << qint64(999999999999999);
        QTest::newRow("sixteen digits") << "1000000000000000" << false << qint64(0);
        QTest::newRow("64-bit limit") << "9223372036854775807" << false << qint64(0);
        QTest::newRow("beyond 64 bits") << "9223372036854775808" << false << qint64(0);
        QTest::newRow("64-bit lower limit") << "-9223372036854775808" << false << qint64(0);
        QTest::newRow("negative") << "-5" << true << qint64(-5);
    }
    void numberingStartValue()
    {
        QFETCH(QString, stored);
        QFETCH(bool, ok);
        QFETCH(qint64, value);
        bool parsed = false;
        const qint64 start = SchedaRules::numberingStartValue(stored, &parsed);
        QCOMPARE(parsed, ok);
        if (ok)
            QCOMPARE(start, value);
    }

    // New proposes start + count, and never a number that wrapped around.
    void proposedNumber_data()
    {
        QTest::addColumn<qint64>("start");
        QTest::addColumn<qint64>("count");
        QTest::addColumn<bool>("ok");
        QTest::addColumn<qint64>("number");
        const qint64 most = std::numeric_limits<qint64>::max();
        QTest::newRow("default start, empty archive") << qint64(1) << qint64(0) << true << qint64(1);
        QTest::newRow("start 100, 7 sheets") << qint64(100) << qint64(7) << true << qint64(107);
        QTest::newRow("start 0") << qint64(0) << qint64(0) << true << qint64(0);
        QTest::newRow("largest start, many sheets")
            << SchedaRules::kLargestStart << qint64(1000000) << true << SchedaRules::kLargestStart + 1000000;
        QTest::newRow("exactly the limit") << most - 5 << qint64(5) << true << most;
        QTest::newRow("one past the limit") << most - 5 << qint64(6) << false << qint64(0);
        QTest::newRow("limit plus one sheet") << most << qint64(1) << false << qint64(0);
    }
    void proposedNumber()
    {
        QFETCH(qint64, start);
        QFETCH(qint64, count);
        QFETCH(bool, ok);
        QFETCH(qint64, number);
        bool fits = !ok;
        QCOMPARE(SchedaRules::proposedNumber(start, count, &fits), number);
        QCOMPARE(fits, ok);
        QCOMPARE(SchedaRules::proposedNumber(start, count), number);
    }

    // The start as New reads it from the file and the number it proposes: a hand-edited start at
    // the 64-bit limit is refused instead of turning into a negative number.
    void startFromTheFile_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<qint64>("count");
        QTest::addColumn<bool>("ok");
        QTest::addColumn<qint64>("number");
        QTest::newRow("written by the dialog")
            << QByteArray("[Numerazione Contratti]\r\nInizio=100\r\n") << qint64(7) << true << qint64(107);
        QTest::newRow("no file") << QByteArray() << qint64(5) << true << qint64(6);
        QTest::newRow("hand-edited to the 64-bit limit")
            << QByteArray("[Numerazione Contratti]\r\nInizio=9223372036854775807\r\n") << qint64(1) << false
            << qint64(0);
        QTest::newRow("hand-edited near the 64-bit limit")
            << QByteArray("[Numerazione Contratti]\r\nInizio=9223372036854775000\r\n") << qint64(0) << false
            << qint64(0);
    }
    void startFromTheFile()
    {
        QFETCH(QByteArray, file);
        QFETCH(qint64, count);
        QFETCH(bool, ok);
        QFETCH(qint64, number);
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        if (!file.isEmpty()) {
            QFile ini(dir.filePath(QStringLiteral("Contratti.ini")));
            QVERIFY(ini.open(QIODevice::WriteOnly));
            ini.write(file);
        }
        bool startOk = false;
        const qint64 start = SchedaRules::numberingStartValue(SchedaRules::readNumberingStart(dir.path()), &startOk);
        bool fits = false;
        const qint64 proposed = startOk ? SchedaRules::proposedNumber(start, count, &fits) : 0;
        QCOMPARE(startOk && fits, ok);
        QCOMPARE(proposed, number);
    }
};

QTEST_APPLESS_MAIN(TestSchedaRules)
#include "tst_schedarules.moc"
