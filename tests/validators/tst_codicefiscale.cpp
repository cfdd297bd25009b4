#include "CheckDriver.h"
#include "support/TestSupport.h"
#include "validators/CodiceFiscale.h"
#include "validators/TfrmCodFisc.h"

#include <QtTest>

using Kind = MessageBoxes::Kind;

namespace {
const QString kTaxCodeValid = QStringLiteral("Il codice fiscale digitato è VALIDO.");
const QString kTaxCodeWrong = QStringLiteral("Attenzione: il codice fiscale digitato è ERRATO.");
const QString kTaxCodeLength = QStringLiteral("Attenzione: il codice fiscale deve essere composto da 16 caratteri "
                                              "alfanumerici.");
}  // namespace

class TestCodiceFiscale : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { TestSupport::scriptEverything(); }

    void checkCharacter_data()
    {
        QTest::addColumn<QString>("code");
        QTest::addColumn<bool>("valid");
        // Published examples (Mario Rossi; Matteo Moretti) and one-character changes of them.
        QTest::newRow("Rossi") << "RSSMRA85T10A562S" << true;
        QTest::newRow("Rossi, check letter changed") << "RSSMRA85T10A562T" << false;
        QTest::newRow("Moretti") << "MRTMTT25D09F205Z" << true;
        QTest::newRow("Moretti, check letter changed") << "MRTMTT25D09F205Y" << false;
        QTest::newRow("Moretti, a digit changed") << "MRTMTT25D09F215Z" << false;
        QTest::newRow("digit as check character") << "RSSMRA85T10A5620" << false;
        QTest::newRow("15 characters") << "RSSMRA85T10A562" << false;
        QTest::newRow("17 characters") << "RSSMRA85T10A562SS" << false;
        QTest::newRow("lower case is not a table character") << "rssmra85t10a562s" << false;
        // The punctuation between '9' and 'A' counts 0 at odd and even positions.
        QTest::newRow("colon at odd position") << "RSSMRA85T10A56:N" << true;
        QTest::newRow("at sign at even position") << "RSSMRA85T1@A562R" << true;
        // Characters without a value in the tables make the code wrong.
        QTest::newRow("accented letter") << QStringLiteral("RSSMRÀ85T10A562S") << false;
        QTest::newRow("hyphen") << "RSS-RA85T10A562S" << false;
        QTest::newRow("inner space") << "RSSMRA 5T10A562S" << false;
        QTest::newRow("character above Z") << "RSSMRA85T10A562[" << false;
        QTest::newRow("control character") << QStringLiteral("RSSMRA85T10A562\x01") << false;
    }

    void checkCharacter()
    {
        QFETCH(QString, code);
        QFETCH(bool, valid);
        QCOMPARE(CodiceFiscale::isValid(code), valid);
    }

    void dialog_data()
    {
        QTest::addColumn<QString>("passed");
        QTest::addColumn<Kind>("kind");
        QTest::addColumn<QString>("message");
        QTest::addColumn<bool>("closed");
        QTest::newRow("right code") << "RSSMRA85T10A562S" << Kind::Information << kTaxCodeValid << true;
        QTest::newRow("right code in lower case") << "rssmra85t10a562s" << Kind::Information << kTaxCodeValid << true;
        QTest::newRow("check letter changed") << "RSSMRA85T10A562T" << Kind::Warning << kTaxCodeWrong << true;
        QTest::newRow("digit as check character") << "MRTMTT25D09F2059" << Kind::Warning << kTaxCodeWrong << true;
        QTest::newRow("15 characters") << "RSSMRA85T10A562" << Kind::Warning << kTaxCodeLength << false;
        QTest::newRow("17 characters") << "RSSMRA85T10A562SS" << Kind::Warning << kTaxCodeLength << false;
        QTest::newRow("empty") << "" << Kind::Warning << kTaxCodeLength << false;
        QTest::newRow("leading space counts") << " RSSMRA85T10A562" << Kind::Warning << kTaxCodeWrong << true;
        QTest::newRow("accented letter") << QStringLiteral("RSSMRÀ85T10A562S") << Kind::Warning << kTaxCodeWrong
                                         << true;
        QTest::newRow("hyphen") << "RSS-RA85T10A562S" << Kind::Warning << kTaxCodeWrong << true;
        QTest::newRow("inner space") << "RSSMRA 5T10A562S" << Kind::Warning << kTaxCodeWrong << true;
    }

    void dialog()
    {
        QFETCH(QString, passed);
        QFETCH(Kind, kind);
        QFETCH(QString, message);
        QFETCH(bool, closed);
        TfrmCodFisc form;
        form.txtCodFisc->setText(passed);
        QCOMPARE(form.txtCodFisc->text(), passed);
        const CheckDriver::Outcome outcome = CheckDriver::enterAndControlla(form, form.txtCodFisc);
        QVERIFY(outcome.editFocusedAtStart);
        QVERIFY(outcome.enterMovedToControlla);
        QCOMPARE(outcome.shown.size(), 1);
        QCOMPARE(outcome.shown.first().kind, kind);
        QCOMPARE(outcome.shown.first().text, message);
        QCOMPARE(outcome.closed, closed);
        if (!closed)
            QCOMPARE(form.focusWidget(), form.txtCodFisc);
    }

    void typing_data()
    {
        QTest::addColumn<QString>("passed");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        QTest::newRow("upper-cased at once") << ""
                                             << "rssmra85t10a562s"
                                             << "RSSMRA85T10A562S";
        QTest::newRow("no leading or trailing space") << ""
                                                      << " rss "
                                                      << "RSS";
        QTest::newRow("at most 16 characters") << ""
                                               << "RSSMRA85T10A562SX"
                                               << "RSSMRA85T10A562S";
        QTest::newRow("a longer passed code is kept, can be shortened, not lengthened") << "RSSMRA85T10A562SS"
                                                                                        << "\bX"
                                                                                        << "RSSMRA85T10A562S";
    }

    void typing()
    {
        QFETCH(QString, passed);
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        TfrmCodFisc form;
        form.txtCodFisc->setText(passed);
        form.show();
        QTest::keyClick(form.txtCodFisc, Qt::Key_End);  // the passed text is selected on opening
        QTest::keyClicks(form.txtCodFisc, typed);
        QCOMPARE(form.txtCodFisc->text(), shown);
        QVERIFY(MessageBoxes::takeShown().isEmpty());
    }

    void chiudiClosesWithoutChecking()
    {
        TfrmCodFisc form;
        form.txtCodFisc->setText(QStringLiteral("RSSMRA85T10A562S"));
        form.show();
        QTest::mouseClick(form.btnChiudi, Qt::LeftButton);
        QVERIFY(!form.isVisible());
        QVERIFY(MessageBoxes::takeShown().isEmpty());
    }

    void openedModallyByItsCaller()
    {
        MessageBoxes::takeShown();
        CheckDriver::whileModal<TfrmCodFisc>(QStringLiteral("RSSMRA85T10A562SS"), [](TfrmCodFisc *form) {
            QCOMPARE(form->txtCodFisc->text(), QStringLiteral("RSSMRA85T10A562SS"));
            QTest::mouseClick(form->btnControlla, Qt::LeftButton);
            QVERIFY(form->isVisible());
            QTest::keyClick(form->txtCodFisc, Qt::Key_End);
            QTest::keyClick(form->txtCodFisc, Qt::Key_Backspace);
            QTest::mouseClick(form->btnControlla, Qt::LeftButton);
        });
        const auto shown = MessageBoxes::takeShown();
        QCOMPARE(shown.size(), 2);
        QCOMPARE(shown.at(0).text, kTaxCodeLength);
        QCOMPARE(shown.at(1).text, kTaxCodeValid);
    }
};

QTEST_MAIN(TestCodiceFiscale)
#include "tst_codicefiscale.moc"
