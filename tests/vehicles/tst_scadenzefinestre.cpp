// The deadlines and the plate history as the user meets them: the vehicle window colours its due
// dates and says their state in the status line; "Scadenze" lists what to call, filtered by period and
// kind, and opens the vehicle; "Storico" lists the sheets of the plate with their sums and opens one.

#include "archive/AutomezzoRecord.h"
#include "archive/RecordArchive.h"
#include "archive/SchedaRecord.h"
#include "sheets/SchedaFixture.h"
#include "sheets/TfrmInterventi.h"
#include "sheets/TfrmStorico.h"
#include "shell/AppWindows.h"
#include "support/TestSupport.h"
#include "vehicles/TfrmAutoparco.h"
#include "vehicles/TfrmScadenze.h"
#include "widgets/FormHelpers.h"
#include "widgets/MessageBoxes.h"
#include "widgets/RecordListView.h"

#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QtTest>

namespace {

QString inDays(int days)
{
    return QDate::currentDate().addDays(days).toString(QStringLiteral("dd/MM/yyyy"));
}

}  // namespace

class TestScadenzeFinestre : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { TestSupport::scriptEverything(); }

    void init()
    {
        m_windows.reset();
        m_folder = TestSupport::programFolder();
        m_windows = TestSupport::createWindows(m_folder->path());
        MessageBoxes::takeShown();
        RecordArchive vehicles;
        QVERIFY(vehicles.OpenOrCreate(m_folder->filePath(AutomezzoRecord::fileName()), AutomezzoRecord::kSize));
        AutomezzoRecord a;
        a.Targa = QStringLiteral("AB123CD");
        a.Marca = QStringLiteral("Fiat");
        a.ScadRevisione = inDays(-3);
        a.ScadTagliando = inDays(10);
        a.ScadAssicurazione = inDays(200);
        AutomezzoRecord b;
        b.Targa = QStringLiteral("ZZ999ZZ");
        b.ScadBollo = inDays(45);
        QVERIFY(vehicles.Append(a.toBytes()) > 0);
        QVERIFY(vehicles.Append(b.toBytes()) > 0);
    }

    void vehicleWindowShowsTheStateOfItsDates()
    {
        TfrmAutoparco &window = *m_windows->frmAutoparco();
        m_windows->showApp(&window);
        QVERIFY(window.ShowRecordAt(1));
        QCOMPARE(FormHelpers::hintOf(window.txtScadRevisione), QStringLiteral("Scaduta da 3 giorni"));
        QCOMPARE(FormHelpers::hintOf(window.txtScadTagliando), QStringLiteral("Scade tra 10 giorni"));
        QCOMPARE(FormHelpers::hintOf(window.txtScadAssicurazione), QStringLiteral("Scade tra 200 giorni"));
        QCOMPARE(FormHelpers::hintOf(window.txtScadBollo), QString());
        QVERIFY(window.txtScadRevisione->styleSheet().contains(QLatin1String("#B00000")));
        QVERIFY(window.txtScadTagliando->styleSheet().contains(QLatin1String("#8A5200")));
        QVERIFY(!window.txtScadAssicurazione->styleSheet().contains(QLatin1String("#8A5200")));
        // Another vehicle: the colours follow it.
        QVERIFY(window.ShowRecordAt(2));
        QVERIFY(!window.txtScadRevisione->styleSheet().contains(QLatin1String("#B00000")));
        QCOMPARE(FormHelpers::hintOf(window.txtScadBollo), QStringLiteral("Scade tra 45 giorni"));
    }

    void deadlinesListFiltersAndOpensTheVehicle()
    {
        TfrmScadenze dialog(*m_windows);
        dialog.show();
        // 30 days: the overdue revisione and the tagliando.
        QCOMPARE(dialog.lstRecords->count(), 2);
        QVERIFY(dialog.lstRecords->lineAt(0).contains(QLatin1String("Revisione")));
        QCOMPARE(dialog.lblConteggio->text(), QStringLiteral("2 scadenze"));
        dialog.cmbPeriodo->setCurrentIndex(3);  // 90 days
        QCOMPARE(dialog.lstRecords->count(), 3);
        dialog.cmbTipo->setCurrentIndex(dialog.cmbTipo->findText(QStringLiteral("Bollo")));
        QCOMPARE(dialog.lstRecords->count(), 1);
        QVERIFY(dialog.lstRecords->lineAt(0).contains(QLatin1String("ZZ999ZZ")));
        // A double-click opens that vehicle, in the vehicle window even when it was not open.
        SchedaFixture::doubleClickRow(dialog.lstRecords, 0);
        QVERIFY(!dialog.isVisible());
        QVERIFY(m_windows->frmAutoparco()->isVisible());
        QCOMPARE(m_windows->frmAutoparco()->txtTarga->text(), QStringLiteral("ZZ999ZZ"));
    }

    void historyOfThePlate()
    {
        RecordArchive sheets;
        QVERIFY(sheets.OpenOrCreate(m_folder->filePath(SchedaRecord::fileName()), SchedaRecord::kSize));
        const char *rows[][5] = {{"1", "02/01/2025", "ab-123 cd", "100,50", "No"},
                                 {"2", "01/01/2025", "AB123CD", "20,00", "Sì"},
                                 {"3", "03/01/2025", "XY000XY", "5,00", "No"}};
        for (const auto &row : rows) {
            SchedaRecord r;
            r.NumScheda = QString::fromUtf8(row[0]);
            r.Data = QString::fromUtf8(row[1]);
            r.Targa = QString::fromUtf8(row[2]);
            r.Totale = QString::fromUtf8(row[3]);
            r.Pagato = QString::fromUtf8(row[4]);
            QVERIFY(sheets.Append(r.toBytes()) > 0);
        }
        sheets.Close();

        TfrmAutoparco &vehicles = *m_windows->frmAutoparco();
        m_windows->showApp(&vehicles);
        QVERIFY(vehicles.ShowRecordAt(1));
        TfrmStorico *shown = nullptr;
        QTimer::singleShot(0, [&shown] {
            shown = qobject_cast<TfrmStorico *>(QApplication::activeModalWidget());
            if (!shown)
                return;
            QCOMPARE(shown->lblTarga->text(), QStringLiteral("AB123CD"));
            QCOMPARE(shown->lstRecords->count(), 2);
            QVERIFY(shown->lstRecords->lineAt(0).startsWith(QLatin1String("2 ")));
            QCOMPARE(shown->lblTotali->text(), QStringLiteral("Totale interventi: € 120,50   Da saldare: € 100,50"));
            SchedaFixture::doubleClickRow(shown->lstRecords, 1);
        });
        vehicles.cmdStorico->click();
        QVERIFY(shown);
        QVERIFY(m_windows->frmInterventi()->isVisible());
        QCOMPARE(m_windows->frmInterventi()->txtNumScheda->text(), QStringLiteral("1"));
    }

private:
    std::unique_ptr<QTemporaryDir> m_folder;
    std::unique_ptr<AppWindows> m_windows;
};

QTEST_MAIN(TestScadenzeFinestre)
#include "tst_scadenzefinestre.moc"
