#include "CheckDriver.h"
#include "CheckTexts.h"
#include "support/TestSupport.h"
#include "validators/Iban.h"
#include "validators/TfrmIban.h"

#include <QtTest>

using Kind = MessageBoxes::Kind;
using namespace CheckTexts;

class TestIban : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { TestSupport::scriptEverything(); }

    void remainder_data()
    {
        QTest::addColumn<QString>("digits");
        QTest::addColumn<int>("remainder");
        QTest::newRow("short") << "100" << 3;
        QTest::newRow("nine digits") << "999999999" << 999999999 % 97;
        QTest::newRow("ten digits") << "1000000000" << int(1000000000LL % 97);
        // The rearranged published Italian example: X054... IT60 in digits.
        QTest::newRow("Italian example") << "330542811101000000123456182960" << 1;
        QTest::newRow("a piece with a full stop") << "3305428111010000001234.6182960" << 0;
        QTest::newRow("a piece with a sign") << "330542811+01000000123456182960" << 0;
        QTest::newRow("empty") << "" << 0;
    }

    void remainder()
    {
        QFETCH(QString, digits);
        QFETCH(int, remainder);
        QCOMPARE(Iban::remainder97(digits), remainder);
    }

    void ibanCheck_data()
    {
        QTest::addColumn<QString>("iban");
        QTest::addColumn<bool>("valid");
        // The published examples of the Italian, German, British and French IBAN.
        QTest::newRow("Italian") << "IT60X0542811101000000123456" << true;
        QTest::newRow("Italian, lower case") << "it60x0542811101000000123456" << true;
        QTest::newRow("Italian, grouped") << "IT60 X054 2811 1010 0000 0123 456" << true;
        QTest::newRow("Italian, with the word IBAN") << "IBAN IT60 X054 2811 1010 0000 0123 456" << true;
        QTest::newRow("Italian, the word IBAN without a blank") << "IBANIT60X0542811101000000123456" << true;
        // Italian accounts may hold letters: "IBAN" inside the account part belongs to the number.
        QTest::newRow("Italian, IBAN inside the account") << "IT06D054281110100IBAN123456" << true;
        QTest::newRow("Italian, IBAN at the end of the account") << "IT18B0542811101000000IBAN01" << true;
        QTest::newRow("Italian, IBAN at the start of the account") << "IT79V0542811101IBAN00012345" << true;
        QTest::newRow("Italian, the word IBAN and IBAN inside") << "IBAN IT06D054281110100IBAN123456" << true;
        QTest::newRow("IBAN inside, a digit changed") << "IT06D054281110100IBAN123457" << false;
        QTest::newRow("German") << "DE89370400440532013000" << true;
        QTest::newRow("British") << "GB82WEST12345698765432" << true;
        QTest::newRow("French") << "FR1420041010050500013M02606" << true;
        QTest::newRow("adjacent digits swapped") << "IT60X0542811101000000123465" << false;
        QTest::newRow("check digits swapped") << "IT06X0542811101000000123456" << false;
        QTest::newRow("one digit changed") << "IT60X0542811101000000123457" << false;
        QTest::newRow("CIN changed") << "IT60Y0542811101000000123456" << false;
        QTest::newRow("full stop") << "IT60X0542811101000000123.56" << false;
        QTest::newRow("accented letter") << QStringLiteral("IT60X05428111010000001234È6") << false;
        QTest::newRow("empty") << "" << false;
    }

    void ibanCheck()
    {
        QFETCH(QString, iban);
        QFETCH(bool, valid);
        QCOMPARE(Iban::isValid(iban), valid);
    }

    void typedInLowerCaseIsValid()
    {
        TfrmIban form;
        form.show();
        QTest::keyClicks(form.txtIban, QStringLiteral("it60x0542811101000000123456"));
        QTest::keyClick(form.txtIban, Qt::Key_Return);
        QTest::mouseClick(form.btnControlla, Qt::LeftButton);
        const auto shown = MessageBoxes::takeShown();
        QCOMPARE(shown.size(), 1);
        QCOMPARE(shown.first().kind, Kind::Information);
        QCOMPARE(shown.first().text, kIbanValid);
        QVERIFY(!form.isVisible());
    }
};

QTEST_MAIN(TestIban)
#include "tst_iban.moc"
