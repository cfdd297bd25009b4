#include "CheckDriver.h"
#include "support/TestSupport.h"
#include "validators/PartitaIva.h"
#include "validators/TfrmPartitaIva.h"

#include <QClipboard>
#include <QtTest>

using Kind = MessageBoxes::Kind;

namespace {
const QString kVatLength = QStringLiteral("Attenzione: la partita IVA deve essere composta da 11 caratteri numerici.");
const QString kVatWrong = QStringLiteral("Attenzione: il numero di partita IVA digitato risulta ERRATO!\r\n\r\n"
                                         "Non è quindi possibile fornire informazioni relative all'Ufficio IVA "
                                         "che lo ha rilasciato.");
QString valid(const QString &office)
{
    return QStringLiteral("Il numero di partita IVA digitato risulta VALIDO.\r\n\r\n"
                          "E' stato rilasciato dall'Ufficio IVA del Comune di ")
           + office + QStringLiteral(".");
}
}  // namespace

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

    void dialog_data()
    {
        QTest::addColumn<QString>("passed");
        QTest::addColumn<Kind>("kind");
        QTest::addColumn<QString>("message");
        QTest::addColumn<bool>("closed");
        QTest::newRow("063") << "00876220633" << Kind::Information << valid(QStringLiteral("Napoli 1")) << true;
        QTest::newRow("101") << "01234561015" << Kind::Information << valid(QStringLiteral("Bologna 2")) << true;
        QTest::newRow("120") << "12345671205" << Kind::Information << valid(QStringLiteral("Bologna 2")) << true;
        QTest::newRow("000: no office name") << "12345670009" << Kind::Information << valid(QString()) << true;
        QTest::newRow("Forlì") << "12345670405" << Kind::Information << valid(QStringLiteral("Forlì")) << true;
        QTest::newRow("last digit changed") << "00876220634" << Kind::Warning << kVatWrong << true;
        QTest::newRow("letter") << "0087622063A" << Kind::Warning << kVatWrong << true;
        QTest::newRow("space") << "0087622 633" << Kind::Warning << kVatWrong << true;
        QTest::newRow("empty") << "" << Kind::Warning << kVatLength << false;
        QTest::newRow("10 digits") << "0087622063" << Kind::Warning << kVatLength << false;
        QTest::newRow("12 digits") << "008762206330" << Kind::Warning << kVatLength << false;
    }

    void dialog()
    {
        QFETCH(QString, passed);
        QFETCH(Kind, kind);
        QFETCH(QString, message);
        QFETCH(bool, closed);
        TfrmPartitaIva form;
        form.txtPartitaIva->setText(passed);
        const CheckDriver::Outcome outcome = CheckDriver::enterAndControlla(form, form.txtPartitaIva);
        QVERIFY(outcome.editFocusedAtStart);
        QVERIFY(outcome.enterMovedToControlla);
        QCOMPARE(outcome.shown.size(), 1);
        QCOMPARE(outcome.shown.first().kind, kind);
        QCOMPARE(outcome.shown.first().text, message);
        QCOMPARE(outcome.closed, closed);
        if (!closed)
            QCOMPARE(form.focusWidget(), form.txtPartitaIva);
    }

    void typing_data()
    {
        QTest::addColumn<QString>("passed");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        QTest::newRow("digits only") << ""
                                     << "0087a 6-2.2,0/6x33"
                                     << "00876220633";
        QTest::newRow("at most 11 digits") << ""
                                           << "008762206331"
                                           << "00876220633";
        QTest::newRow("backspace works") << ""
                                         << "0087622063\b\b"
                                         << "00876220";
        QTest::newRow("a longer passed number can be shortened, not lengthened") << "008762206330"
                                                                                 << "\b1"
                                                                                 << "00876220633";
    }

    void typing()
    {
        QFETCH(QString, passed);
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        TfrmPartitaIva form;
        form.txtPartitaIva->setText(passed);
        form.show();
        QTest::keyClick(form.txtPartitaIva, Qt::Key_Right);  // the passed text is selected on opening
        QTest::keyClicks(form.txtPartitaIva, typed);
        QCOMPARE(form.txtPartitaIva->text(), shown);
        QVERIFY(MessageBoxes::takeShown().isEmpty());
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

    void chiudiClosesWithoutChecking()
    {
        TfrmPartitaIva form;
        form.txtPartitaIva->setText(QStringLiteral("00876220633"));
        form.show();
        QTest::mouseClick(form.btnChiudi, Qt::LeftButton);
        QVERIFY(!form.isVisible());
        QVERIFY(MessageBoxes::takeShown().isEmpty());
    }
};

QTEST_MAIN(TestPartitaIva)
#include "tst_partitaiva.moc"
