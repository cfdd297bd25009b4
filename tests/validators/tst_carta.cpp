#include "CheckDriver.h"
#include "support/TestSupport.h"
#include "validators/CartaCredito.h"
#include "validators/TfrmCarta.h"

#include <QtTest>

using Kind = MessageBoxes::Kind;

namespace {
const QString kEmpty = QStringLiteral("Attenzione: immettere il numero di carta di credito prima di premere il "
                                      "pulsante di controllo.");
const QString kCardWrong = QStringLiteral("Attenzione: il numero digitato risulta ERRATO!\r\n\r\n"
                                          "Non è quindi possibile fornire informazioni relative al tipo di carta "
                                          "di credito.");
QString valid(const QString &number, const QString &type)
{
    return QStringLiteral("Il numero di carta di credito ") + number
           + QStringLiteral(" risulta valido.\r\n\r\nLa carta di credito è del tipo ") + type + QStringLiteral(".");
}
const QString kDiners = QStringLiteral("Diner's Club / Carte Blanche");
const QString kAmex = QStringLiteral("American Express");
}  // namespace

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

    void dialog_data()
    {
        QTest::addColumn<QString>("passed");
        QTest::addColumn<int>("messages");
        QTest::addColumn<Kind>("kind");
        QTest::addColumn<QString>("message");
        QTest::addColumn<bool>("closed");
        const auto ok = [](const char *number, const QString &type) {
            return valid(QString::fromLatin1(number), type);
        };
        QTest::newRow("Visa") << "4111111111111111" << 1 << Kind::Information << ok("4111111111111111", "Visa") << true;
        QTest::newRow("MasterCard") << "5555555555554444" << 1 << Kind::Information
                                    << ok("5555555555554444", "MasterCard") << true;
        QTest::newRow("MasterCard 2-series")
            << "2223000048400011" << 1 << Kind::Information << ok("2223000048400011", "MasterCard") << true;
        QTest::newRow("American Express")
            << "378282246310005" << 1 << Kind::Information << ok("378282246310005", kAmex) << true;
        QTest::newRow("Diner's Club") << "36227206271667" << 1 << Kind::Information << ok("36227206271667", kDiners)
                                      << true;
        QTest::newRow("JCB") << "3530111333300000" << 1 << Kind::Information << ok("3530111333300000", "JCB") << true;
        QTest::newRow("Discover") << "6011111111111117" << 1 << Kind::Information << ok("6011111111111117", "Discover")
                                  << true;
        QTest::newRow("Visa, one digit changed") << "4111111111111121" << 1 << Kind::Warning << kCardWrong << true;
        QTest::newRow("32: nothing shown") << "3200000000000002" << 0 << Kind::Warning << QString() << true;
        QTest::newRow("39: nothing shown") << "3900000000000005" << 0 << Kind::Warning << QString() << true;
        QTest::newRow("2 outside the 2-series") << "2000000000000006" << 1 << Kind::Warning << kCardWrong << true;
        QTest::newRow("first digit 0") << "0000000000000000" << 1 << Kind::Warning << kCardWrong << true;
        QTest::newRow("first digit 1") << "1000000000000008" << 1 << Kind::Warning << kCardWrong << true;
        QTest::newRow("first digit 7") << "7000000000000005" << 1 << Kind::Warning << kCardWrong << true;
        QTest::newRow("first digit 8") << "8000000000000003" << 1 << Kind::Warning << kCardWrong << true;
        QTest::newRow("first digit 9") << "9000000000000001" << 1 << Kind::Warning << kCardWrong << true;
        QTest::newRow("spaces, shown as passed")
            << "4111 1111 1111 1111 004" << 1 << Kind::Information << ok("4111 1111 1111 1111 004", "Visa") << true;
        QTest::newRow("spaces cut off the check digit")
            << "6011 0000 0000 0000 0004" << 1 << Kind::Warning << kCardWrong << true;
        QTest::newRow("21 digits") << "411111111111111111150" << 1 << Kind::Information
                                   << ok("411111111111111111150", "Visa") << true;
        QTest::newRow("31 characters passed") << "4111 1111 1111 1111 0000 0000 0" << 1 << Kind::Information
                                              << ok("4111 1111 1111 1111 0000 0000 0", "Visa") << true;
        QTest::newRow("blanks around, shown trimmed")
            << "  4111111111111111 " << 1 << Kind::Information << ok("4111111111111111", "Visa") << true;
        QTest::newRow("empty") << "" << 1 << Kind::Warning << kEmpty << false;
        QTest::newRow("blanks only") << "   " << 1 << Kind::Warning << kEmpty << false;
    }

    void dialog()
    {
        QFETCH(QString, passed);
        QFETCH(int, messages);
        QFETCH(Kind, kind);
        QFETCH(QString, message);
        QFETCH(bool, closed);
        TfrmCarta form;
        form.txtNumero->setText(passed);
        const CheckDriver::Outcome outcome = CheckDriver::enterAndControlla(form, form.txtNumero);
        QVERIFY(outcome.editFocusedAtStart);
        QVERIFY(outcome.enterMovedToControlla);
        QCOMPARE(outcome.shown.size(), messages);
        if (messages > 0) {
            QCOMPARE(outcome.shown.first().kind, kind);
            QCOMPARE(outcome.shown.first().text, message);
        }
        QCOMPARE(outcome.closed, closed);
        if (!closed)
            QCOMPARE(form.focusWidget(), form.txtNumero);
    }

    void typing_data()
    {
        QTest::addColumn<QString>("passed");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        QTest::newRow("digits only") << ""
                                     << "4111 1111-1111.1111x"
                                     << "4111111111111111";
        QTest::newRow("at most 30 digits") << ""
                                           << "1234567890123456789012345678901"
                                           << "123456789012345678901234567890";
        QTest::newRow("a longer passed text can be shortened, not lengthened") << "4111111111111111"
                                                                                  "000000000000000"
                                                                               << "\b\b56"
                                                                               << "4111111111111111"
                                                                                  "0000000000000"
                                                                                  "5";
        QTest::newRow("a blank left at the end by Backspace is trimmed away") << "4111 1111 1111 1111 0000 0000 0"
                                                                              << "\b"
                                                                              << "4111 1111 1111 1111 0000 0000";
    }

    void typing()
    {
        QFETCH(QString, passed);
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        TfrmCarta form;
        form.txtNumero->setText(passed);
        form.show();
        QTest::keyClick(form.txtNumero, Qt::Key_Right);  // the passed text is selected on opening
        QTest::keyClicks(form.txtNumero, typed);
        QCOMPARE(form.txtNumero->text(), shown);
        QVERIFY(MessageBoxes::takeShown().isEmpty());
    }

    void chiudiClosesWithoutChecking()
    {
        TfrmCarta form;
        form.txtNumero->setText(QStringLiteral("4111111111111111"));
        form.show();
        QTest::mouseClick(form.btnChiudi, Qt::LeftButton);
        QVERIFY(!form.isVisible());
        QVERIFY(MessageBoxes::takeShown().isEmpty());
    }
};

QTEST_MAIN(TestCarta)
#include "tst_carta.moc"
