// The deadlines and the plate history as the user meets them: the vehicle window colours its due
// dates and says their state in the status line; "Scadenze" lists what to call, filtered by period and
// kind, and opens the vehicle; "Storico" lists the sheets of the plate with their sums and opens one.

#include "archive/AutomezzoRecord.h"
#include "archive/RecordArchive.h"
#include "archive/SchedaRecord.h"
#include "sheets/PrintedSummary.h"
#include "sheets/SchedaFixture.h"
#include "sheets/StoricoTarga.h"
#include "sheets/TfrmInterventi.h"
#include "sheets/TfrmStorico.h"
#include "shell/AppWindows.h"
#include "support/TestSupport.h"
#include "vehicles/Scadenze.h"
#include "vehicles/TfrmAutoparco.h"
#include "vehicles/TfrmScadenze.h"
#include "widgets/FormHelpers.h"
#include "widgets/ListResultsPage.h"
#include "widgets/MessageBoxes.h"
#include "widgets/PrintDialogs.h"
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

    // Opened on an empty vehicle window, the history says what to do and takes the plate typed;
    // its columns stand on the list; its print has the plate in the title, the headings and the sums.
    void historyTypedAndPrinted()
    {
        RecordArchive sheets;
        QVERIFY(sheets.OpenOrCreate(m_folder->filePath(SchedaRecord::fileName()), SchedaRecord::kSize));
        SchedaRecord r;
        r.NumScheda = QStringLiteral("1");
        r.Data = QStringLiteral("02/01/2025");
        r.Targa = QStringLiteral("AB123CD");
        r.Interventi = QStringLiteral("Sostituita batteria");
        r.Totale = QStringLiteral("12.345.678,90");
        r.Pagato = QStringLiteral("No");
        QVERIFY(sheets.Append(r.toBytes()) > 0);
        sheets.Close();

        TfrmStorico history(*m_windows);
        history.show();
        QCOMPARE(history.lstRecords->count(), 0);
        QCOMPARE(history.lblTotali->text(), TfrmStorico::noPlateText());
        QCOMPARE(history.focusWidget(), history.txtTarga);
        QTest::keyClicks(history.txtTarga, QStringLiteral("ab 123 cd"));
        QTest::keyClick(history.txtTarga, Qt::Key_Return);
        QCOMPARE(history.lstRecords->count(), 1);
        QVERIFY(history.lstRecords->lineAt(0).contains(QStringLiteral("12.345.678,90  No")));
        QCOMPARE(history.focusWidget(), history.txtTrova);

        // The headings sit right on top of the list, not above the find edit.
        const int headingBottom = history.lblIntestazione->parentWidget()->mapTo(&history, QPoint(0, 0)).y()
                                  + history.lblIntestazione->parentWidget()->height();
        QCOMPARE(headingBottom, history.lstRecords->mapTo(&history, QPoint(0, 0)).y());
        QVERIFY(history.txtTrova->mapTo(&history, QPoint(0, 0)).y() < headingBottom);

        PrintDialogs::setScripted(true);
        const QString pdf = m_folder->filePath(QStringLiteral("storico.pdf"));
        PrintDialogs::setNextAccept(pdf);
        QTest::mouseClick(history.btnStampa, Qt::LeftButton);
        QString why;
        QVERIFY2(
            PrintedSummary::shows(PrintedSummary::read(pdf), QStringLiteral("Storico interventi - targa ab 123 cd"),
                                  {StoricoTarga::heading(), QString(StoricoTarga::heading().size(), QLatin1Char('-')),
                                   history.lstRecords->lineAt(0), QString(),
                                   QStringLiteral("Totale interventi: € 12345678,90   Da saldare: € 12345678,90")},
                                  &why),
            qPrintable(why));
    }

    // The deadlines' print says the period and kind chosen and what the days mean.
    void deadlinesPrintSaysWhatWasChosen()
    {
        TfrmScadenze dialog(*m_windows);
        dialog.show();
        dialog.cmbTipo->setCurrentIndex(1);
        const QString title = dialog.panContainer->printedTitle();
        QCOMPARE(title, TfrmScadenze::reportTitle() + QStringLiteral(" - Entro 30 giorni (scadute comprese) - ")
                            + dialog.cmbTipo->currentText() + QStringLiteral(" - al ")
                            + QDate::currentDate().toString(QStringLiteral("dd/MM/yyyy")));
        const QStringList printed = dialog.panContainer->printedLines();
        QCOMPARE(printed.first(), Scadenze::heading());
        QVERIFY(printed.last().contains(QStringLiteral("un numero negativo dice da quanti giorni è scaduta")));
        QCOMPARE(printed.mid(2, dialog.lstRecords->count()), dialog.lstRecords->lines());
    }

private:
    std::unique_ptr<QTemporaryDir> m_folder;
    std::unique_ptr<AppWindows> m_windows;
};

QTEST_MAIN(TestScadenzeFinestre)
#include "tst_scadenzefinestre.moc"
