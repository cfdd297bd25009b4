#include "CheckTexts.h"
#include "support/TestSupport.h"
#include "validators/CartaCredito.h"

#include <QtTest>

using namespace CheckTexts;

class TestCarta : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { TestSupport::scriptEverything(); }

    void cardCheck_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("type");
        // The card makers' published test numbers.
        QTest::newRow("Visa") << "4111111111111111" << 2 << "Visa";
        QTest::newRow("Visa 2") << "4012888888881881" << 2 << "Visa";
        QTest::newRow("Visa, one digit changed") << "4111111111111121" << 0 << "";
        QTest::newRow("Visa, last digit changed") << "4111111111111112" << 0 << "";
        QTest::newRow("MasterCard") << "5555555555554444" << 3 << "MasterCard";
        QTest::newRow("MasterCard 2") << "5105105105105100" << 3 << "MasterCard";
        QTest::newRow("MasterCard, adjacent digits swapped") << "5555555555544444" << 0 << "";
        QTest::newRow("MasterCard 2-series 2223") << "2223000048400011" << 3 << "MasterCard";
        QTest::newRow("MasterCard 2-series from 2221") << "2221000000000009" << 3 << "MasterCard";
        QTest::newRow("MasterCard 2-series to 2720") << "2720999999999996" << 3 << "MasterCard";
        QTest::newRow("2220 is no MasterCard") << "2220000000000000" << 0 << "";
        QTest::newRow("2721 is no MasterCard") << "2721000000000004" << 0 << "";
        QTest::newRow("20 is no MasterCard") << "2000000000000006" << 0 << "";
        QTest::newRow("American Express 37") << "378282246310005" << 1 << kAmex;
        QTest::newRow("American Express 37, one digit changed") << "378282246310015" << 0 << "";
        QTest::newRow("American Express 34") << "341111111111111" << 1 << kAmex;
        QTest::newRow("Diner's Club 30") << "30569309025904" << 1 << kDiners;
        QTest::newRow("Diner's Club 36") << "36227206271667" << 1 << kDiners;
        QTest::newRow("Diner's Club 38") << "38520000023237" << 1 << kDiners;
        QTest::newRow("JCB 35") << "3530111333300000" << 1 << "JCB";
        QTest::newRow("JCB 35, second") << "3566002020360505" << 1 << "JCB";
        QTest::newRow("Discover") << "6011111111111117" << 4 << "Discover";
        QTest::newRow("Discover 2") << "6011000990139424" << 4 << "Discover";
        // Numbers that pass the formula but name no card.
        QTest::newRow("32") << "3200000000000002" << 1 << "";
        QTest::newRow("39") << "3900000000000005" << 1 << "";
        QTest::newRow("first digit 0") << "0000000000000000" << -2 << "";
        QTest::newRow("first digit 1") << "1000000000000008" << -1 << "";
        QTest::newRow("first digit 7") << "7000000000000005" << 5 << "";
        QTest::newRow("first digit 8") << "8000000000000003" << 6 << "";
        QTest::newRow("first digit 9") << "9000000000000001" << 7 << "";
        // Only the digits among the first 20 characters are read.
        QTest::newRow("spaces between groups") << "4111 1111 1111 1111" << 2 << "Visa";
        QTest::newRow("spaces hide the digits after the 20th character") << "4111 1111 1111 1111 004" << 2 << "Visa";
        QTest::newRow("spaces cut off the check digit") << "6011 0000 0000 0000 0004" << 0 << "";
        QTest::newRow("hyphens") << "5555-5555-5555-4444" << 3 << "MasterCard";
        QTest::newRow("21 digits: the first 20 pass") << "411111111111111111150" << 2 << "Visa";
        QTest::newRow("21 digits that pass: the first 20 fail") << "411111111111111111166" << 0 << "";
        QTest::newRow("no digits") << "ABCD" << 0 << "";
        QTest::newRow("empty") << "" << 0 << "";
    }

    void cardCheck()
    {
        QFETCH(QString, text);
        QFETCH(int, code);
        QFETCH(QString, type);
        QCOMPARE(CartaCredito::typeCode(text), code);
        QCOMPARE(CartaCredito::typeName(code, text), type);
    }
};

QTEST_MAIN(TestCarta)
#include "tst_carta.moc"
