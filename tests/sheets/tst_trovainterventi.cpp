// The sheet search dialog driven as a user drives it: criteria typed, "Cerca", "Trova", a
// double-click on a listed sheet, "Chiudi".

#include "PrintedSummary.h"
#include "SchedaFixture.h"
#include "archive/RecordArchive.h"
#include "sheets/TfrmInterventi.h"
#include "sheets/TfrmTrovaInterventi.h"
#include "shell/AppWindows.h"
#include "support/TestSupport.h"
#include "widgets/ListDialogParts.h"
#include "widgets/ListResultsPage.h"
#include "widgets/MessageBoxes.h"
#include "widgets/PrintDialogs.h"
#include "widgets/RecordListView.h"

#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

class TestTrovaInterventi : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<QTemporaryDir> m_folder;
    std::unique_ptr<AppWindows> m_windows;
    QString m_archive;

    std::unique_ptr<TfrmTrovaInterventi> openDialog()
    {
        auto dlg = std::make_unique<TfrmTrovaInterventi>(*m_windows);
        dlg->lblMemory->setText(QStringLiteral("interventi"));
        dlg->show();
        dlg->activateWindow();
        [&] { QVERIFY(QTest::qWaitForWindowActive(dlg.get())); }();
        return dlg;
    }

    static void cerca(TfrmTrovaInterventi &dlg)
    {
        QTest::mousePress(dlg.btnCerca, Qt::LeftButton);
        QVERIFY(dlg.lblAttendere->isVisible());
        QTest::mouseRelease(dlg.btnCerca, Qt::LeftButton);
    }

    static QList<qint64> listedPositions(const RecordListView *list)
    {
        QList<qint64> positions;
        for (int row = 0; row < list->count(); ++row)
            positions << list->positionAt(row);
        return positions;
    }

private slots:
    void initTestCase() { TestSupport::scriptEverything(); }

    void init()
    {
        m_folder = TestSupport::programFolder();
        m_windows = TestSupport::createWindows(m_folder->path());
        m_archive = m_windows->filePath(SchedaRecord::fileName());
        QVERIFY(SchedaFixture::append(
            m_archive, QList<SchedaRecord>{
                           SchedaFixture::record({"1", "Rossi Mario", "AB123CD", "No", "Fiat Panda", "Luca"}),
                           SchedaFixture::record({"2", "Bianchi Luigi", "CAB001AA", QStringLiteral("Sì")}),
                           SchedaFixture::record({"3", "ROSSINI Anna", "XY987ZZ"}),
                           // Two sheets that give the same list line: they differ only in the technician.
                           SchedaFixture::record({"4", "Grossi & figli", "GH222AB", "No", "Iveco Daily", "Primo"}),
                           SchedaFixture::record({"4", "Grossi & figli", "GH222AB", "No", "Iveco Daily", "Secondo"}),
                       }));
        MessageBoxes::takeShown();
        ListResultsPage::failNextScanAfter(-1);
    }

    void cleanup()
    {
        m_windows.reset();
        m_folder.reset();
    }

    void enterMovesAlongTheTenCriteriaAndWraps()
    {
        auto dlg = openDialog();
        const QList<QLineEdit *> edits = dlg->criterionEdits();
        QCOMPARE(edits.size(), 10);
        QCOMPARE(dlg->focusWidget(), dlg->txtNumScheda);
        for (int i = 1; i <= 10; ++i) {
            QTest::keyClick(dlg->focusWidget(), Qt::Key_Return);
            QCOMPARE(dlg->focusWidget(), edits[i % 10]);
        }
        QVERIFY(dlg->panAvvio->isVisible());
        QVERIFY(MessageBoxes::takeShown().isEmpty());
    }

    void search_data()
    {
        QTest::addColumn<QString>("cliente");
        QTest::addColumn<QString>("targa");
        QTest::addColumn<QList<qint64>>("expected");

        QTest::newRow("no criterion: every sheet in archive order") << ""
                                                                    << "" << QList<qint64>{1, 2, 3, 4, 5};
        QTest::newRow("blanks only take no part") << "   "
                                                  << " " << QList<qint64>{1, 2, 3, 4, 5};
        QTest::newRow("customer and plate together") << "rossi"
                                                     << "ab" << QList<qint64>{1, 4, 5};
        QTest::newRow("nothing matches") << "verdi"
                                         << "" << QList<qint64>{};
    }

    void search()
    {
        QFETCH(QString, cliente);
        QFETCH(QString, targa);
        QFETCH(QList<qint64>, expected);

        auto dlg = openDialog();
        QVERIFY(!dlg->lblAttendere->isVisible());
        QTest::keyClicks(dlg->txtCliente, cliente);
        QTest::keyClicks(dlg->txtTarga, targa);
        cerca(*dlg);

        QVERIFY(dlg->panContainer->isVisible());
        QVERIFY(!dlg->panAvvio->isVisible());
        QCOMPARE(listedPositions(dlg->lstRecords), expected);
        QCOMPARE(dlg->lblTrovate->text(),
                 QStringLiteral("Il presente riepilogo contiene %1 schede.").arg(expected.size()));
        QCOMPARE(dlg->focusWidget(), dlg->txtTrova);
        QVERIFY(dlg->txtTrova->text().isEmpty());
        QVERIFY(MessageBoxes::takeShown().isEmpty());
    }

    void trovaWalksTheListedLines()
    {
        auto dlg = openDialog();
        cerca(*dlg);
        QCOMPARE(dlg->lstRecords->count(), 5);

        QTest::keyClicks(dlg->txtTrova, QStringLiteral("ROSSI"));
        QTest::keyClick(dlg->txtTrova, Qt::Key_Return);
        QCOMPARE(dlg->focusWidget(), dlg->btnTrova);
        QCOMPARE(dlg->lstRecords->selectedRow(), -1);  // Enter only moved the focus

        // Enter on the focused button and clicks both press "Trova".
        QList<int> visited;
        QTest::keyClick(dlg->btnTrova, Qt::Key_Return);
        visited << dlg->lstRecords->selectedRow();
        for (int press = 0; press < 4; ++press) {
            QTest::mouseClick(dlg->btnTrova, Qt::LeftButton);
            visited << dlg->lstRecords->selectedRow();
        }
        // Rossi Mario, ROSSINI Anna, and the two Grossi sheets, then round again.
        QCOMPARE(visited, (QList<int>{0, 2, 3, 4, 0}));

        // A text in no line leaves the selection.
        dlg->txtTrova->clear();
        QTest::keyClicks(dlg->txtTrova, QStringLiteral("zzz"));
        QTest::mouseClick(dlg->btnTrova, Qt::LeftButton);
        QCOMPARE(dlg->lstRecords->selectedRow(), 0);
        QVERIFY(MessageBoxes::takeShown().isEmpty());
    }

    void trovaOnAnEmptyList()
    {
        auto dlg = openDialog();
        QTest::keyClicks(dlg->txtCliente, QStringLiteral("verdi"));
        cerca(*dlg);
        QTest::keyClicks(dlg->txtTrova, QStringLiteral("rossi"));
        QTest::mouseClick(dlg->btnTrova, Qt::LeftButton);
        const QList<MessageBoxes::Shown> shown = MessageBoxes::takeShown();
        QCOMPARE(shown.size(), 1);
        QCOMPARE(shown[0].kind, MessageBoxes::Kind::Plain);
        QCOMPARE(shown[0].text, QStringLiteral("Ricerca non applicabile: la lista non contiene nessuna voce."));
    }

    void doubleClickOpensTheClickedSheet_data()
    {
        QTest::addColumn<int>("row");
        QTest::addColumn<qint64>("position");
        QTest::addColumn<QString>("tecnico");

        QTest::newRow("first line") << 0 << qint64(1) << "Luca";
        QTest::newRow("earlier of two identical lines") << 3 << qint64(4) << "Primo";
        QTest::newRow("later of two identical lines") << 4 << qint64(5) << "Secondo";
    }

    void doubleClickOpensTheClickedSheet()
    {
        QFETCH(int, row);
        QFETCH(qint64, position);
        QFETCH(QString, tecnico);

        auto dlg = openDialog();
        cerca(*dlg);
        QCOMPARE(dlg->lstRecords->lineAt(3), dlg->lstRecords->lineAt(4));
        SchedaFixture::doubleClickRow(dlg->lstRecords, row);
        QVERIFY(!dlg->isVisible());
        QCOMPARE(dlg->lstRecords->count(), 0);

        TfrmInterventi *sheet = m_windows->frmInterventi();
        QCOMPARE(sheet->lblPosizione->text(), QString::number(position));
        QCOMPARE(sheet->txtTecnico->text(), tecnico);
        QVERIFY(MessageBoxes::takeShown().isEmpty());
    }

    void doubleClickReadsTheSheetAfresh()
    {
        auto dlg = openDialog();
        cerca(*dlg);
        // Another workstation saves sheet 3 meanwhile: its listed line is out of date.
        QVERIFY(SchedaFixture::overwrite(m_archive, 3, SchedaFixture::record({"3", "ROSSINI Anna Maria", "XY987ZZ"})));
        SchedaFixture::doubleClickRow(dlg->lstRecords, 2);
        QVERIFY(!dlg->isVisible());
        TfrmInterventi *sheet = m_windows->frmInterventi();
        QCOMPARE(sheet->lblPosizione->text(), QStringLiteral("3"));
        QCOMPARE(sheet->txtCliente->text(), QStringLiteral("ROSSINI Anna Maria"));
    }

    void doubleClickWithAnotherContextWordShowsNothing()
    {
        auto dlg = openDialog();
        dlg->lblMemory->clear();
        cerca(*dlg);
        SchedaFixture::doubleClickRow(dlg->lstRecords, 0);
        QVERIFY(!dlg->isVisible());
        QVERIFY(m_windows->frmInterventi()->lblPosizione->text().isEmpty());
        QVERIFY(m_windows->frmInterventi()->txtCliente->text().isEmpty());
        QVERIFY(MessageBoxes::takeShown().isEmpty());
    }

    void archiveThatCannotBeReadKeepsTheCriteria()
    {
        QVERIFY(QFile::remove(m_archive));
        QVERIFY(QDir().mkdir(m_archive));
        auto dlg = openDialog();
        QTest::keyClicks(dlg->txtCliente, QStringLiteral("rossi"));
        cerca(*dlg);
        const QList<MessageBoxes::Shown> shown = MessageBoxes::takeShown();
        QCOMPARE(shown.size(), 1);
        QCOMPARE(shown[0].kind, MessageBoxes::Kind::Plain);
        QCOMPARE(shown[0].text, archiveAccessMessage());
        QVERIFY(dlg->panAvvio->isVisible());
        QVERIFY(!dlg->panContainer->isVisible());
        QCOMPARE(dlg->txtCliente->text(), QStringLiteral("rossi"));
    }

    // The archive becomes unreadable during the search: the sheets read so far are listed, but the
    // dialog says the list is incomplete; with nothing read, the criteria stay for another try.
    void archiveFailingHalfway_data()
    {
        QTest::addColumn<QString>("cliente");
        QTest::addColumn<int>("failAfter");
        QTest::addColumn<bool>("results");
        QTest::addColumn<QList<qint64>>("listed");

        QTest::newRow("after three sheets") << "" << 3 << true << QList<qint64>{1, 2, 3};
        QTest::newRow("after one matching sheet") << "rossi" << 1 << true << QList<qint64>{1};
        QTest::newRow("before any sheet") << "" << 0 << false << QList<qint64>{};
    }

    void archiveFailingHalfway()
    {
        QFETCH(QString, cliente);
        QFETCH(int, failAfter);
        QFETCH(bool, results);
        QFETCH(QList<qint64>, listed);

        auto dlg = openDialog();
        QTest::keyClicks(dlg->txtCliente, cliente);
        ListResultsPage::failNextScanAfter(failAfter);
        cerca(*dlg);
        const QList<MessageBoxes::Shown> shown = MessageBoxes::takeShown();
        QCOMPARE(shown.size(), 1);
        QCOMPARE(shown[0].kind, MessageBoxes::Kind::Plain);
        QCOMPARE(shown[0].text, archiveAccessMessage());
        QCOMPARE(dlg->panContainer->isVisible(), results);
        QCOMPARE(dlg->panAvvio->isVisible(), !results);
        if (!results) {
            QVERIFY(!dlg->lblAttendere->isVisible());
            QCOMPARE(dlg->txtCliente->text(), cliente);
            return;
        }
        QCOMPARE(listedPositions(dlg->lstRecords), listed);
        QCOMPARE(dlg->lblTrovate->text(),
                 QStringLiteral("Il presente riepilogo contiene %1 schede. (elenco incompleto)").arg(listed.size()));
        QCOMPARE(dlg->focusWidget(), dlg->txtTrova);
    }

    void missingArchiveListsNothing()
    {
        QVERIFY(QFile::remove(m_archive));
        auto dlg = openDialog();
        cerca(*dlg);
        QVERIFY(dlg->panContainer->isVisible());
        QCOMPARE(dlg->lstRecords->count(), 0);
        QCOMPARE(dlg->lblTrovate->text(), QStringLiteral("Il presente riepilogo contiene 0 schede."));
        QVERIFY(MessageBoxes::takeShown().isEmpty());
    }

    void stampa_data()
    {
        QTest::addColumn<QString>("cliente");
        QTest::addColumn<QString>("answer");  // "cancel", or the PDF the test printer writes
        QTest::addColumn<int>("lines");
        QTest::addColumn<bool>("printed");

        QTest::newRow("every listed line") << ""
                                           << "riepilogo.pdf" << 5 << true;
        QTest::newRow("empty list: title and footer only") << "verdi"
                                                           << "riepilogo.pdf" << 0 << true;
        QTest::newRow("print dialog cancelled") << ""
                                                << "cancel" << 5 << false;
        QTest::newRow("printer fails") << ""
                                       << "nessuna/cartella/riepilogo.pdf" << 5 << false;
    }

    void stampa()
    {
        QFETCH(QString, cliente);
        QFETCH(QString, answer);
        QFETCH(int, lines);
        QFETCH(bool, printed);

        PrintDialogs::setScripted(true);
        const QString pdf = QDir(m_folder->path()).filePath(answer);
        if (answer == QLatin1String("cancel"))
            PrintDialogs::setNextCancel();
        else
            PrintDialogs::setNextAccept(pdf);

        auto dlg = openDialog();
        QTest::keyClicks(dlg->txtCliente, cliente);
        cerca(*dlg);
        const QStringList listed = dlg->lstRecords->lines();
        QCOMPARE(listed.size(), lines);
        if (answer.contains(QLatin1Char('/')))
            QTest::ignoreMessage(QtWarningMsg, "QPainter::begin(): Returned false");
        QTest::mouseClick(dlg->btnStampa, Qt::LeftButton);
        QCOMPARE(PrintDialogs::timesAsked(), 1);
        QCOMPARE(QFile::exists(pdf), printed);

        const QList<MessageBoxes::Shown> shown = MessageBoxes::takeShown();
        if (answer.contains(QLatin1Char('/'))) {
            // A failed print is told, never passed off as printed.
            QCOMPARE(shown.size(), 1);
            QCOMPARE(shown[0].kind, MessageBoxes::Kind::Error);
            QCOMPARE(shown[0].text, ListDialogParts::printFailedMessage());
        } else {
            QVERIFY(shown.isEmpty());
        }
        if (printed) {
            const PrintedSummary::Read read = PrintedSummary::read(pdf);
            QCOMPARE(read.name, QStringLiteral("Riepilogo dati"));
            QString why;
            QVERIFY2(
                PrintedSummary::shows(read, QStringLiteral("Riepilogo schede interventi in archivio"), listed, &why),
                qPrintable(why));
        }
        QVERIFY(dlg->isVisible());
    }

    void chiudiEmptiesTheList()
    {
        auto dlg = openDialog();
        cerca(*dlg);
        QVERIFY(dlg->lstRecords->count() > 0);
        QTest::mouseClick(dlg->btnChiudi, Qt::LeftButton);
        QVERIFY(!dlg->isVisible());
        QCOMPARE(dlg->lstRecords->count(), 0);
        QVERIFY(!dlg->lblAttendere->isVisibleTo(dlg.get()));

        auto other = openDialog();
        QTest::mouseClick(other->btnAnnulla, Qt::LeftButton);
        QVERIFY(!other->isVisible());
    }
};

QTEST_MAIN(TestTrovaInterventi)
#include "tst_trovainterventi.moc"
