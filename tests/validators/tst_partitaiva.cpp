#include "CheckDriver.h"
#include "support/TestSupport.h"
#include "validators/PartitaIva.h"
#include "validators/TfrmPartitaIva.h"

#include <QClipboard>
#include <QtTest>

class TestPartitaIva : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { TestSupport::scriptEverything(); }

    void checkDigit_data()
    {
        QTest::addColumn<QString>("number");
        QTest::addColumn<bool>("valid");
        QTest::addColumn<QString>("office");
        // Published numbers of Italian companies and bodies.
        QTest::newRow("Napoli 1 (063)") << "00876220633" << true << "Napoli 1";
        QTest::newRow("Milano 1 (015)") << "00743110157" << true << "Milano 1";
        QTest::newRow("Torino (001)") << "00488410010" << true << "Torino";
        QTest::newRow("Roma 2 (100)") << "00905811006" << true << "Roma 2";
        QTest::newRow("Bologna 1 (037)") << "01131710376" << true << "Bologna 1";
        // Numbers made up for the offices that repeat a name or have none; their check digits are
        // those of the published formula.
        QTest::newRow("Bologna 2 (101)") << "01234561015" << true << "Bologna 2";
        QTest::newRow("Bologna 2 again (120)") << "12345671205" << true << "Bologna 2";
        QTest::newRow("Napoli 2 again (121)") << "12345671213" << true << "Napoli 2";
        QTest::newRow("Forlì (040)") << "12345670405" << true << QStringLiteral("Forlì");
        QTest::newRow("no office (000)") << "12345670009" << true << "";
        QTest::newRow("no office (110)") << "12345671106" << true << "";
        QTest::newRow("all zeros") << "00000000000" << true << "";
        // One-character changes.
        QTest::newRow("last digit changed") << "00876220634" << false << "Napoli 1";
        QTest::newRow("first digit changed") << "10876220633" << false << "Napoli 1";
        QTest::newRow("adjacent digits swapped") << "00876220363" << false << "Modena";
        QTest::newRow("letter") << "0087622063A" << false << "Napoli 1";
        QTest::newRow("space") << "0087622 633" << false << "";
        QTest::newRow("10 digits") << "0087622063" << false << "Napoli 1";
        QTest::newRow("12 digits") << "008762206330" << false << "Napoli 1";
    }

    void checkDigit()
    {
        QFETCH(QString, number);
        QFETCH(bool, valid);
        QFETCH(QString, office);
        QCOMPARE(PartitaIva::isValid(number), valid);
        QCOMPARE(PartitaIva::officeName(PartitaIva::officeCode(number)), office);
    }

    void editingKeysAct()
    {
        TfrmPartitaIva form;
        form.txtPartitaIva->setText(QStringLiteral("00876220633"));
        form.show();
        QTest::keyClick(form.txtPartitaIva, Qt::Key_End);
        QTest::keyClick(form.txtPartitaIva, Qt::Key_Left);
        QTest::keyClick(form.txtPartitaIva, Qt::Key_Left);
        QTest::keyClick(form.txtPartitaIva, Qt::Key_Delete);
        QTest::keyClick(form.txtPartitaIva, Qt::Key_Right);
        QTest::keyClick(form.txtPartitaIva, Qt::Key_Home);  // to the beginning
        QTest::keyClicks(form.txtPartitaIva, QStringLiteral("9"));
        QCOMPARE(form.txtPartitaIva->text(), QStringLiteral("9"
                                                            "0087622063"));
    }

    // Correcting a whole number takes no eleven Backspaces: Ctrl+A selects it, the digits typed
    // replace it; Shift+Home selects back to the beginning; a pasted number keeps its digits only.
    void selectionKeysAct()
    {
        TfrmPartitaIva form;
        form.txtPartitaIva->setText(QStringLiteral("00876220633"));
        form.show();
        QTest::keyClick(form.txtPartitaIva, Qt::Key_End);
        QTest::keyClick(form.txtPartitaIva, Qt::Key_A, Qt::ControlModifier);
        QCOMPARE(form.txtPartitaIva->selectedText(), QStringLiteral("00876220633"));
        QTest::keyClicks(form.txtPartitaIva, QStringLiteral("123"));
        QCOMPARE(form.txtPartitaIva->text(), QStringLiteral("123"));
        QTest::keyClick(form.txtPartitaIva, Qt::Key_Left, Qt::ShiftModifier);
        QCOMPARE(form.txtPartitaIva->selectedText(), QStringLiteral("3"));
        QTest::keyClick(form.txtPartitaIva, Qt::Key_Home, Qt::ShiftModifier);
        QCOMPARE(form.txtPartitaIva->selectedText(), QStringLiteral("123"));
        QTest::keyClick(form.txtPartitaIva, Qt::Key_Delete);
        QCOMPARE(form.txtPartitaIva->text(), QString());
        QGuiApplication::clipboard()->setText(QStringLiteral("IT 008 762 206 33"));
        QTest::keyClick(form.txtPartitaIva, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(form.txtPartitaIva->text(), QStringLiteral("00876220633"));
        QTest::keyClick(form.txtPartitaIva, Qt::Key_X);  // still refused
        QCOMPARE(form.txtPartitaIva->text(), QStringLiteral("00876220633"));
    }
};

QTEST_MAIN(TestPartitaIva)
#include "tst_partitaiva.moc"
