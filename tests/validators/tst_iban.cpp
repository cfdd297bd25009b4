#include "CheckDriver.h"
#include "support/TestSupport.h"
#include "validators/Iban.h"
#include "validators/TfrmIban.h"

#include <QtTest>

using Kind = MessageBoxes::Kind;

namespace {
const QString kIbanValid = QStringLiteral("L'IBAN digitato è VALIDO.");
const QString kIbanWrong = QStringLiteral("Attenzione: l'IBAN digitato è ERRATO!");
const QString kIbanLength = QStringLiteral("Attenzione: l'IBAN deve essere composto da 27 caratteri alfanumerici.");
}  // namespace

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

    void dialog_data()
    {
        QTest::addColumn<QString>("passed");
        QTest::addColumn<Kind>("kind");
        QTest::addColumn<QString>("message");
        QTest::addColumn<bool>("closed");
        QTest::newRow("Italian") << "IT60X0542811101000000123456" << Kind::Information << kIbanValid << true;
        QTest::newRow("lower case") << "it60x0542811101000000123456" << Kind::Information << kIbanValid << true;
        QTest::newRow("IBAN inside the account")
            << "IT06D054281110100IBAN123456" << Kind::Information << kIbanValid << true;
        QTest::newRow("blanks around") << " IT60X0542811101000000123456  " << Kind::Information << kIbanValid << true;
        QTest::newRow("adjacent digits swapped")
            << "IT60X0542811101000000123465" << Kind::Warning << kIbanWrong << true;
        QTest::newRow("full stop") << "IT60X0542811101000000123.56" << Kind::Warning << kIbanWrong << true;
        QTest::newRow("22 characters") << "DE89370400440532013000" << Kind::Warning << kIbanLength << false;
        QTest::newRow("grouped: 33 characters")
            << "IT60 X054 2811 1010 0000 0123 456" << Kind::Warning << kIbanLength << false;
        QTest::newRow("28 characters") << "IT60X05428111010000001234560" << Kind::Warning << kIbanLength << false;
        QTest::newRow("empty") << "" << Kind::Warning << kIbanLength << false;
    }

    void dialog()
    {
        QFETCH(QString, passed);
        QFETCH(Kind, kind);
        QFETCH(QString, message);
        QFETCH(bool, closed);
        TfrmIban form;
        form.txtIban->setText(passed);
        const CheckDriver::Outcome outcome = CheckDriver::enterAndControlla(form, form.txtIban);
        QVERIFY(outcome.editFocusedAtStart);
        QVERIFY(outcome.enterMovedToControlla);
        QCOMPARE(outcome.shown.size(), 1);
        QCOMPARE(outcome.shown.first().kind, kind);
        QCOMPARE(outcome.shown.first().text, message);
        QCOMPARE(outcome.closed, closed);
        if (!closed)
            QCOMPARE(form.focusWidget(), form.txtIban);
    }

    void typing_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        QTest::newRow("upper-cased, no blanks between groups") << "it60 x054 2811"
                                                               << "IT60X0542811";
        QTest::newRow("at most 27 characters") << "it60x05428111010000001234560"
                                               << "IT60X0542811101000000123456";
        QTest::newRow("punctuation is typed") << "it60.x"
                                              << "IT60.X";
    }

    void typing()
    {
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        TfrmIban form;
        form.show();
        QTest::keyClicks(form.txtIban, typed);
        QCOMPARE(form.txtIban->text(), shown);
        QVERIFY(MessageBoxes::takeShown().isEmpty());
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

    void chiudiClosesWithoutChecking()
    {
        TfrmIban form;
        form.txtIban->setText(QStringLiteral("IT60X0542811101000000123456"));
        form.show();
        QTest::mouseClick(form.btnChiudi, Qt::LeftButton);
        QVERIFY(!form.isVisible());
        QVERIFY(MessageBoxes::takeShown().isEmpty());
    }
};

QTEST_MAIN(TestIban)
#include "tst_iban.moc"
