// The customer search (opening a customer, importing one into a sheet) and the customers to
// recontact, driven as a user drives them.

#include "archive/RecordArchive.h"
#include "customers/TfrmClienti.h"
#include "customers/TfrmRicontatta.h"
#include "customers/TfrmTrovaClienti.h"
#include "sheets/SchedaFixture.h"
#include "sheets/TfrmInterventi.h"
#include "shell/AppWindows.h"
#include "support/WindowsTest.h"
#include "widgets/MessageBoxes.h"
#include "widgets/RecordListView.h"

#include <QCheckBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

namespace {

ClienteRecord listedCustomer(const QString &surname, const QString &flag = QStringLiteral("No"))
{
    ClienteRecord r;
    r.Cognome = surname;
    r.Nome = QStringLiteral("Lia");
    r.Recapito = QStringLiteral("081 555");
    r.Veicolo = QStringLiteral("Autovettura");
    r.Marca = QStringLiteral("Fiat Punto");
    r.Targa = QStringLiteral("EF456GH");
    r.Questioni = QStringLiteral("saldo da incassare");
    r.Ricontatta = flag;
    return r;
}

}  // namespace

class TestCustomerLists : public WindowsTest
{
    Q_OBJECT

    void write(const QList<ClienteRecord> &records)
    {
        RecordArchive a;
        QVERIFY(a.OpenOrCreate(QDir(m_folder->path()).filePath(QStringLiteral("Clienti.pro")), ClienteRecord::kSize));
        for (const ClienteRecord &r : records)
            QVERIFY(a.Append(r.toBytes()) > 0);
    }

    std::unique_ptr<TfrmTrovaClienti> searchDialog(const QString &word)
    {
        auto dlg = std::make_unique<TfrmTrovaClienti>(*m_windows);
        dlg->lblMemory->setText(word);
        dlg->show();
        dlg->activateWindow();
        [&] { QVERIFY(QTest::qWaitForWindowActive(dlg.get())); }();
        return dlg;
    }

private slots:
    void searchListsSortedAndOpensTheClickedCustomer()
    {
        // Two records with the same line: each line opens its own record.
        write({listedCustomer(QStringLiteral("Verdi")), listedCustomer(QStringLiteral("bianchi")),
               listedCustomer(QStringLiteral("Verdi")), listedCustomer(QStringLiteral("Amato"))});
        auto dlg = searchDialog(QStringLiteral("clienti"));
        QVERIFY(dlg->txtCognome->hasFocus());
        dlg->btnCerca->click();
        QCOMPARE(dlg->lblTrovate->text(), QStringLiteral("Il presente riepilogo contiene 4 schede."));
        QVERIFY(dlg->lstRecords->lineAt(0).startsWith(QStringLiteral("Amato Lia")));
        QVERIFY(dlg->lstRecords->lineAt(1).startsWith(QStringLiteral("bianchi Lia")));
        QCOMPARE(dlg->lstRecords->positionAt(2), qint64(1));
        QCOMPARE(dlg->lstRecords->positionAt(3), qint64(3));
        SchedaFixture::doubleClickRow(dlg->lstRecords, 2);
        QVERIFY(!dlg->isVisible());
        TfrmClienti *w = m_windows->frmClienti();
        QCOMPARE(w->lblPosizione->text(), QStringLiteral("1"));
        QCOMPARE(w->txtCognome->text(), QStringLiteral("Verdi"));
    }

    void importIntoTheSheetFillsFiveFields()
    {
        write({listedCustomer(QStringLiteral("Russo"))});
        TfrmInterventi *sheet = m_windows->frmInterventi();
        sheet->txtNote->setText(QStringLiteral("non toccare"));
        auto dlg = searchDialog(QStringLiteral("interventi"));
        dlg->txtTarga->setText(QStringLiteral("f456"));
        dlg->btnCerca->click();
        QCOMPARE(dlg->lstRecords->count(), 1);
        SchedaFixture::doubleClickRow(dlg->lstRecords, 0);
        QCOMPARE(sheet->txtCliente->text(), QStringLiteral("Russo Lia"));
        QCOMPARE(sheet->txtRecapito->text(), QStringLiteral("081 555"));
        QCOMPARE(sheet->txtVeicolo->text(), QStringLiteral("Autovettura"));
        QCOMPARE(sheet->txtMarca->text(), QStringLiteral("Fiat Punto"));
        QCOMPARE(sheet->txtTarga->text(), QStringLiteral("EF456GH"));
        QCOMPARE(sheet->txtNote->text(), QStringLiteral("non toccare"));
        QVERIFY(sheet->lblPosizione->text().isEmpty());
    }

    void recontactListShowsTickedCustomersWithTheirIssues()
    {
        write({listedCustomer(QStringLiteral("Galli"), QStringLiteral("S\u00EC")),
               listedCustomer(QStringLiteral("Conti")),
               listedCustomer(QStringLiteral("Bruno"), QStringLiteral("S\u00EC"))});
        TfrmRicontatta dlg(*m_windows);
        dlg.show();
        dlg.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&dlg));
        QCOMPARE(dlg.lstRecords->count(), 2);
        QVERIFY(dlg.lstRecords->lineAt(0).startsWith(QStringLiteral("Bruno Lia")));
        QVERIFY(dlg.lstRecords->lineAt(0).endsWith(QStringLiteral("  saldo da incassare")));
        QVERIFY(dlg.txtTrova->hasFocus());
        SchedaFixture::doubleClickRow(dlg.lstRecords, 1);
        QCOMPARE(m_windows->frmClienti()->txtCognome->text(), QStringLiteral("Galli"));
        QCOMPARE(m_windows->frmClienti()->lblPosizione->text(), QStringLiteral("1"));
        QVERIFY(m_windows->frmClienti()->chkRicontatta->isChecked());
    }

    void recontactListThatCannotBeReadIsToldIncomplete()
    {
        write({listedCustomer(QStringLiteral("Galli"), QStringLiteral("S\u00EC")),
               listedCustomer(QStringLiteral("Bruno"), QStringLiteral("S\u00EC"))});
        ListResultsPage::failNextScanAfter(1);
        TfrmRicontatta dlg(*m_windows);
        dlg.show();
        const auto shown = MessageBoxes::takeShown();
        QCOMPARE(shown.size(), 1);
        QVERIFY(
            shown[0].text.startsWith(QStringLiteral("Attenzione: il sistema non permette di accedere all'archivio.")));
        QVERIFY(!dlg.panContainer->isComplete());
        QVERIFY(dlg.lblTrovate->isVisible());
    }
};

QTEST_MAIN(TestCustomerLists)
#include "tst_customerlists.moc"
