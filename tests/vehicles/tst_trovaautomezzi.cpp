// The vehicle search driven as a user drives it: opening a vehicle, importing one into a customer.

#include "archive/RecordArchive.h"
#include "customers/TfrmClienti.h"
#include "sheets/SchedaFixture.h"
#include "shell/AppWindows.h"
#include "support/TestSupport.h"
#include "vehicles/TfrmAutoparco.h"
#include "vehicles/TfrmTrovaAutomezzi.h"
#include "widgets/MessageBoxes.h"
#include "widgets/RecordListView.h"

#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

class TestTrovaAutomezzi : public QObject
{
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_folder;
    std::unique_ptr<AppWindows> m_windows;

private slots:
    void initTestCase() { TestSupport::scriptEverything(); }

    void init()
    {
        m_folder = TestSupport::programFolder();
        m_windows = TestSupport::createWindows(m_folder->path());
        AutomezzoRecord a;
        a.Tipo = QStringLiteral("Furgone");
        a.Marca = QStringLiteral("Iveco");
        a.Modello = QStringLiteral("Daily");
        a.Targa = QStringLiteral("AA111AA");
        a.Telaio = QStringLiteral("ZCF0001234");
        a.Immatricolazione = QStringLiteral("2018");
        a.Alimentazione = QStringLiteral("Gasolio");
        AutomezzoRecord b = a;
        b.Tipo = QStringLiteral("autovettura");
        b.Marca = QStringLiteral("Fiat");
        b.Modello = QStringLiteral("Tipo");
        b.Targa = QStringLiteral("BB222BB");
        RecordArchive archive;
        QVERIFY(archive.OpenOrCreate(QDir(m_folder->path()).filePath(QStringLiteral("Parco_Automezzi.pro")),
                                     AutomezzoRecord::kSize));
        QVERIFY(archive.Append(a.toBytes()) == 1 && archive.Append(b.toBytes()) == 2);
        MessageBoxes::takeShown();
    }

    void cleanup()
    {
        m_windows.reset();
        m_folder.reset();
    }

    void opensTheVehicleInTheVehicleWindow()
    {
        TfrmTrovaAutomezzi dlg(*m_windows);
        dlg.lblMemory->setText(QStringLiteral("autoparco"));
        dlg.show();
        dlg.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&dlg));
        QVERIFY(dlg.txtTipo->hasFocus());
        dlg.btnCerca->click();
        // The count text of the vehicle list has no full stop; lines sorted with case folded.
        QCOMPARE(dlg.lblTrovate->text(), QStringLiteral("Il presente riepilogo contiene 2 schede"));
        QVERIFY(dlg.lstRecords->lineAt(0).startsWith(QStringLiteral("autovettura")));
        SchedaFixture::doubleClickRow(dlg.lstRecords, 1);
        TfrmAutoparco *w = m_windows->frmAutoparco();
        QCOMPARE(w->lblPosizione->text(), QStringLiteral("1"));
        QCOMPARE(w->txtTarga->text(), QStringLiteral("AA111AA"));
    }

    void importFillsSixCustomerFields()
    {
        TfrmClienti *customer = m_windows->frmClienti();
        customer->txtCognome->setText(QStringLiteral("Greco"));
        TfrmTrovaAutomezzi dlg(*m_windows);
        dlg.lblMemory->setText(QStringLiteral("clienti"));
        dlg.show();
        dlg.txtMarca->setText(QStringLiteral("IVE"));
        dlg.btnCerca->click();
        QCOMPARE(dlg.lstRecords->count(), 1);
        SchedaFixture::doubleClickRow(dlg.lstRecords, 0);
        QCOMPARE(customer->txtVeicolo->text(), QStringLiteral("Furgone"));
        QCOMPARE(customer->txtMarca->text(), QStringLiteral("Iveco Daily"));
        QCOMPARE(customer->txtColore->text(), QStringLiteral("ZCF0001234"));
        QCOMPARE(customer->txtImmatricolazione->text(), QStringLiteral("2018"));
        QCOMPARE(customer->txtAlimentazione->text(), QStringLiteral("Gasolio"));
        QCOMPARE(customer->txtTarga->text(), QStringLiteral("AA111AA"));
        QCOMPARE(customer->txtCognome->text(), QStringLiteral("Greco"));
        QVERIFY(customer->lblPosizione->text().isEmpty());
    }
};

QTEST_MAIN(TestTrovaAutomezzi)
#include "tst_trovaautomezzi.moc"
