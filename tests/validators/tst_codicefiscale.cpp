#include "CheckDriver.h"
#include "CheckTexts.h"
#include "support/TestSupport.h"
#include "validators/CodiceFiscale.h"
#include "validators/TfrmCodFisc.h"

#include <QtTest>

using namespace CheckTexts;

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
