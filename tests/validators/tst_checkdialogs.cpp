// The four identifier checks share their dialog (CheckDialog): one table drives each of them as its
// user does. Enter in the edit moves to "Controlla", Enter there checks and tells the outcome; a wrong
// length keeps the dialog open on the edit; typing keeps to each edit's rule and limit; "Chiudi" closes
// without checking. What each check computes, and the keys only one dialog has, are tested beside it.

#include "CheckDriver.h"
#include "CheckTexts.h"
#include "support/TestSupport.h"
#include "validators/TfrmCarta.h"
#include "validators/TfrmCodFisc.h"
#include "validators/TfrmIban.h"
#include "validators/TfrmPartitaIva.h"

#include <QtTest>

#include <memory>

using Kind = MessageBoxes::Kind;
using namespace CheckTexts;

namespace {

enum class Check { Carta, CodFisc, Iban, PartitaIva };

// A new dialog of the check and its identifier edit.
struct OpenedCheck
{
    std::unique_ptr<CheckDialog> dialog;
    QLineEdit *edit = nullptr;
};

template<typename Dialog>
OpenedCheck opened(QLineEdit *Dialog::*edit)
{
    auto *dialog = new Dialog;
    return {std::unique_ptr<CheckDialog>(dialog), dialog->*edit};
}

OpenedCheck openCheck(Check check)
{
    switch (check) {
    case Check::Carta: return opened(&TfrmCarta::txtNumero);
    case Check::CodFisc: return opened(&TfrmCodFisc::txtCodFisc);
    case Check::Iban: return opened(&TfrmIban::txtIban);
    case Check::PartitaIva: return opened(&TfrmPartitaIva::txtPartitaIva);
    }
    return {};
}

}  // namespace

Q_DECLARE_METATYPE(Check)

class TestCheckDialogs : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { TestSupport::scriptEverything(); }

    void dialog_data()
    {
        QTest::addColumn<Check>("check");
        QTest::addColumn<QString>("passed");
        QTest::addColumn<int>("messages");
        QTest::addColumn<Kind>("kind");
        QTest::addColumn<QString>("message");
        QTest::addColumn<bool>("closed");
        const auto ok = [](const char *number, const QString &type) {
            return cardValid(QString::fromLatin1(number), type);
        };
        QTest::newRow("carta: Visa") << Check::Carta << "4111111111111111" << 1 << Kind::Information
                                     << ok("4111111111111111", "Visa") << true;
        QTest::newRow("carta: MasterCard") << Check::Carta << "5555555555554444" << 1 << Kind::Information
                                           << ok("5555555555554444", "MasterCard") << true;
        QTest::newRow("carta: MasterCard 2-series") << Check::Carta << "2223000048400011" << 1 << Kind::Information
                                                    << ok("2223000048400011", "MasterCard") << true;
        QTest::newRow("carta: American Express")
            << Check::Carta << "378282246310005" << 1 << Kind::Information << ok("378282246310005", kAmex) << true;
        QTest::newRow("carta: Diner's Club")
            << Check::Carta << "36227206271667" << 1 << Kind::Information << ok("36227206271667", kDiners) << true;
        QTest::newRow("carta: JCB") << Check::Carta << "3530111333300000" << 1 << Kind::Information
                                    << ok("3530111333300000", "JCB") << true;
        QTest::newRow("carta: Discover") << Check::Carta << "6011111111111117" << 1 << Kind::Information
                                         << ok("6011111111111117", "Discover") << true;
        QTest::newRow("carta: Visa, one digit changed")
            << Check::Carta << "4111111111111121" << 1 << Kind::Warning << kCardWrong << true;
        QTest::newRow("carta: 32: nothing shown")
            << Check::Carta << "3200000000000002" << 0 << Kind::Warning << QString() << true;
        QTest::newRow("carta: 39: nothing shown")
            << Check::Carta << "3900000000000005" << 0 << Kind::Warning << QString() << true;
        QTest::newRow("carta: 2 outside the 2-series")
            << Check::Carta << "2000000000000006" << 1 << Kind::Warning << kCardWrong << true;
        QTest::newRow("carta: first digit 0")
            << Check::Carta << "0000000000000000" << 1 << Kind::Warning << kCardWrong << true;
        QTest::newRow("carta: first digit 1")
            << Check::Carta << "1000000000000008" << 1 << Kind::Warning << kCardWrong << true;
        QTest::newRow("carta: first digit 7")
            << Check::Carta << "7000000000000005" << 1 << Kind::Warning << kCardWrong << true;
        QTest::newRow("carta: first digit 8")
            << Check::Carta << "8000000000000003" << 1 << Kind::Warning << kCardWrong << true;
        QTest::newRow("carta: first digit 9")
            << Check::Carta << "9000000000000001" << 1 << Kind::Warning << kCardWrong << true;
        QTest::newRow("carta: spaces, shown as passed")
            << Check::Carta << "4111 1111 1111 1111 004" << 1 << Kind::Information
            << ok("4111 1111 1111 1111 004", "Visa") << true;
        QTest::newRow("carta: spaces cut off the check digit")
            << Check::Carta << "6011 0000 0000 0000 0004" << 1 << Kind::Warning << kCardWrong << true;
        QTest::newRow("carta: 21 digits") << Check::Carta << "411111111111111111150" << 1 << Kind::Information
                                          << ok("411111111111111111150", "Visa") << true;
        QTest::newRow("carta: 31 characters passed")
            << Check::Carta << "4111 1111 1111 1111 0000 0000 0" << 1 << Kind::Information
            << ok("4111 1111 1111 1111 0000 0000 0", "Visa") << true;
        QTest::newRow("carta: blanks around, shown trimmed")
            << Check::Carta << "  4111111111111111 " << 1 << Kind::Information << ok("4111111111111111", "Visa")
            << true;
        QTest::newRow("carta: empty") << Check::Carta << "" << 1 << Kind::Warning << kEmpty << false;
        QTest::newRow("carta: blanks only") << Check::Carta << "   " << 1 << Kind::Warning << kEmpty << false;
        QTest::newRow("codice fiscale: right code")
            << Check::CodFisc << "RSSMRA85T10A562S" << 1 << Kind::Information << kTaxCodeValid << true;
        QTest::newRow("codice fiscale: right code in lower case")
            << Check::CodFisc << "rssmra85t10a562s" << 1 << Kind::Information << kTaxCodeValid << true;
        QTest::newRow("codice fiscale: check letter changed")
            << Check::CodFisc << "RSSMRA85T10A562T" << 1 << Kind::Warning << kTaxCodeWrong << true;
        QTest::newRow("codice fiscale: digit as check character")
            << Check::CodFisc << "MRTMTT25D09F2059" << 1 << Kind::Warning << kTaxCodeWrong << true;
        QTest::newRow("codice fiscale: 15 characters")
            << Check::CodFisc << "RSSMRA85T10A562" << 1 << Kind::Warning << kTaxCodeLength << false;
        QTest::newRow("codice fiscale: 17 characters")
            << Check::CodFisc << "RSSMRA85T10A562SS" << 1 << Kind::Warning << kTaxCodeLength << false;
        QTest::newRow("codice fiscale: empty") << Check::CodFisc << "" << 1 << Kind::Warning << kTaxCodeLength << false;
        QTest::newRow("codice fiscale: leading space counts")
            << Check::CodFisc << " RSSMRA85T10A562" << 1 << Kind::Warning << kTaxCodeWrong << true;
        QTest::newRow("codice fiscale: accented letter")
            << Check::CodFisc << QStringLiteral("RSSMRÀ85T10A562S") << 1 << Kind::Warning << kTaxCodeWrong << true;
        QTest::newRow("codice fiscale: hyphen")
            << Check::CodFisc << "RSS-RA85T10A562S" << 1 << Kind::Warning << kTaxCodeWrong << true;
        QTest::newRow("codice fiscale: inner space")
            << Check::CodFisc << "RSSMRA 5T10A562S" << 1 << Kind::Warning << kTaxCodeWrong << true;
        QTest::newRow("IBAN: Italian") << Check::Iban << "IT60X0542811101000000123456" << 1 << Kind::Information
                                       << kIbanValid << true;
        QTest::newRow("IBAN: lower case")
            << Check::Iban << "it60x0542811101000000123456" << 1 << Kind::Information << kIbanValid << true;
        QTest::newRow("IBAN: IBAN inside the account")
            << Check::Iban << "IT06D054281110100IBAN123456" << 1 << Kind::Information << kIbanValid << true;
        QTest::newRow("IBAN: blanks around")
            << Check::Iban << " IT60X0542811101000000123456  " << 1 << Kind::Information << kIbanValid << true;
        QTest::newRow("IBAN: adjacent digits swapped")
            << Check::Iban << "IT60X0542811101000000123465" << 1 << Kind::Warning << kIbanWrong << true;
        QTest::newRow("IBAN: full stop") << Check::Iban << "IT60X0542811101000000123.56" << 1 << Kind::Warning
                                         << kIbanWrong << true;
        QTest::newRow("IBAN: 22 characters")
            << Check::Iban << "DE89370400440532013000" << 1 << Kind::Warning << kIbanLength << false;
        QTest::newRow("IBAN: grouped: 33 characters")
            << Check::Iban << "IT60 X054 2811 1010 0000 0123 456" << 1 << Kind::Warning << kIbanLength << false;
        QTest::newRow("IBAN: 28 characters")
            << Check::Iban << "IT60X05428111010000001234560" << 1 << Kind::Warning << kIbanLength << false;
        QTest::newRow("IBAN: empty") << Check::Iban << "" << 1 << Kind::Warning << kIbanLength << false;
        QTest::newRow("partita IVA: 063") << Check::PartitaIva << "00876220633" << 1 << Kind::Information
                                          << vatValid(QStringLiteral("Napoli 1")) << true;
        QTest::newRow("partita IVA: 101") << Check::PartitaIva << "01234561015" << 1 << Kind::Information
                                          << vatValid(QStringLiteral("Bologna 2")) << true;
        QTest::newRow("partita IVA: 120") << Check::PartitaIva << "12345671205" << 1 << Kind::Information
                                          << vatValid(QStringLiteral("Bologna 2")) << true;
        QTest::newRow("partita IVA: 000: no office name")
            << Check::PartitaIva << "12345670009" << 1 << Kind::Information << vatValid(QString()) << true;
        QTest::newRow("partita IVA: Forlì") << Check::PartitaIva << "12345670405" << 1 << Kind::Information
                                            << vatValid(QStringLiteral("Forlì")) << true;
        QTest::newRow("partita IVA: last digit changed")
            << Check::PartitaIva << "00876220634" << 1 << Kind::Warning << kVatWrong << true;
        QTest::newRow("partita IVA: letter")
            << Check::PartitaIva << "0087622063A" << 1 << Kind::Warning << kVatWrong << true;
        QTest::newRow("partita IVA: space")
            << Check::PartitaIva << "0087622 633" << 1 << Kind::Warning << kVatWrong << true;
        QTest::newRow("partita IVA: empty") << Check::PartitaIva << "" << 1 << Kind::Warning << kVatLength << false;
        QTest::newRow("partita IVA: 10 digits")
            << Check::PartitaIva << "0087622063" << 1 << Kind::Warning << kVatLength << false;
        QTest::newRow("partita IVA: 12 digits")
            << Check::PartitaIva << "008762206330" << 1 << Kind::Warning << kVatLength << false;
    }

    void dialog()
    {
        QFETCH(Check, check);
        QFETCH(QString, passed);
        QFETCH(int, messages);
        QFETCH(Kind, kind);
        QFETCH(QString, message);
        QFETCH(bool, closed);
        const OpenedCheck form = openCheck(check);
        form.edit->setText(passed);
        QCOMPARE(form.edit->text(), passed);
        const CheckDriver::Outcome outcome = CheckDriver::enterAndControlla(*form.dialog, form.edit);
        QVERIFY(outcome.editFocusedAtStart);
        QVERIFY(outcome.enterMovedToControlla);
        QCOMPARE(outcome.shown.size(), messages);
        if (messages > 0) {
            QCOMPARE(outcome.shown.first().kind, kind);
            QCOMPARE(outcome.shown.first().text, message);
        }
        QCOMPARE(outcome.closed, closed);
        if (!closed)
            QCOMPARE(form.dialog->focusWidget(), form.edit);
    }

    void typing_data()
    {
        QTest::addColumn<Check>("check");
        QTest::addColumn<QString>("passed");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        QTest::newRow("carta: digits only") << Check::Carta << ""
                                            << "4111 1111-1111.1111x"
                                            << "4111111111111111";
        QTest::newRow("carta: at most 30 digits") << Check::Carta << ""
                                                  << "1234567890123456789012345678901"
                                                  << "123456789012345678901234567890";
        QTest::newRow("carta: a longer passed text can be shortened, not lengthened") << Check::Carta
                                                                                      << "4111111111111111"
                                                                                         "000000000000000"
                                                                                      << "\b\b56"
                                                                                      << "4111111111111111"
                                                                                         "0000000000000"
                                                                                         "5";
        QTest::newRow("carta: a blank left at the end by Backspace is trimmed away")
            << Check::Carta << "4111 1111 1111 1111 0000 0000 0"
            << "\b"
            << "4111 1111 1111 1111 0000 0000";
        QTest::newRow("codice fiscale: upper-cased at once") << Check::CodFisc << ""
                                                             << "rssmra85t10a562s"
                                                             << "RSSMRA85T10A562S";
        QTest::newRow("codice fiscale: no leading or trailing space") << Check::CodFisc << ""
                                                                      << " rss "
                                                                      << "RSS";
        QTest::newRow("codice fiscale: at most 16 characters") << Check::CodFisc << ""
                                                               << "RSSMRA85T10A562SX"
                                                               << "RSSMRA85T10A562S";
        QTest::newRow("codice fiscale: a longer passed code is kept, can be shortened, not lengthened")
            << Check::CodFisc << "RSSMRA85T10A562SS"
            << "\bX"
            << "RSSMRA85T10A562S";
        QTest::newRow("IBAN: upper-cased, no blanks between groups") << Check::Iban << ""
                                                                     << "it60 x054 2811"
                                                                     << "IT60X0542811";
        QTest::newRow("IBAN: at most 27 characters") << Check::Iban << ""
                                                     << "it60x05428111010000001234560"
                                                     << "IT60X0542811101000000123456";
        QTest::newRow("IBAN: punctuation is typed") << Check::Iban << ""
                                                    << "it60.x"
                                                    << "IT60.X";
        QTest::newRow("partita IVA: digits only") << Check::PartitaIva << ""
                                                  << "0087a 6-2.2,0/6x33"
                                                  << "00876220633";
        QTest::newRow("partita IVA: at most 11 digits") << Check::PartitaIva << ""
                                                        << "008762206331"
                                                        << "00876220633";
        QTest::newRow("partita IVA: backspace works") << Check::PartitaIva << ""
                                                      << "0087622063\b\b"
                                                      << "00876220";
        QTest::newRow("partita IVA: a longer passed number can be shortened, not lengthened")
            << Check::PartitaIva << "008762206330"
            << "\b1"
            << "00876220633";
    }

    void typing()
    {
        QFETCH(Check, check);
        QFETCH(QString, passed);
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        const OpenedCheck form = openCheck(check);
        form.edit->setText(passed);
        form.dialog->show();
        QTest::keyClick(form.edit, Qt::Key_End);  // the passed text is selected on opening
        QTest::keyClicks(form.edit, typed);
        QCOMPARE(form.edit->text(), shown);
        QVERIFY(MessageBoxes::takeShown().isEmpty());
    }

    void chiudiClosesWithoutChecking_data()
    {
        QTest::addColumn<Check>("check");
        QTest::addColumn<QString>("passed");
        QTest::newRow("carta") << Check::Carta << "4111111111111111";
        QTest::newRow("codice fiscale") << Check::CodFisc << "RSSMRA85T10A562S";
        QTest::newRow("IBAN") << Check::Iban << "IT60X0542811101000000123456";
        QTest::newRow("partita IVA") << Check::PartitaIva << "00876220633";
    }

    void chiudiClosesWithoutChecking()
    {
        QFETCH(Check, check);
        QFETCH(QString, passed);
        const OpenedCheck form = openCheck(check);
        form.edit->setText(passed);
        form.dialog->show();
        QTest::mouseClick(form.dialog->btnChiudi, Qt::LeftButton);
        QVERIFY(!form.dialog->isVisible());
        QVERIFY(MessageBoxes::takeShown().isEmpty());
    }
};

QTEST_MAIN(TestCheckDialogs)
#include "tst_checkdialogs.moc"
