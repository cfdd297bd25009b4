// The unpaid-accounts list driven as a user drives it.

#include "PrintedSummary.h"
#include "SchedaFixture.h"
#include "archive/RecordArchive.h"
#include "sheets/TfrmDaSaldare.h"
#include "sheets/TfrmInterventi.h"
#include "shell/AppWindows.h"
#include "support/TestSupport.h"
#include "widgets/ListResultsPage.h"
#include "widgets/MessageBoxes.h"
#include "widgets/PrintDialogs.h"
#include "widgets/RecordListView.h"

#include <QCheckBox>
#include <QDir>
#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

class TestDaSaldare : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<QTemporaryDir> m_folder;
    std::unique_ptr<AppWindows> m_windows;
    QString m_archive;

    std::unique_ptr<TfrmDaSaldare> openDialog()
    {
        auto dlg = std::make_unique<TfrmDaSaldare>(*m_windows);
        dlg->show();
        dlg->activateWindow();
        [&] { QVERIFY(QTest::qWaitForWindowActive(dlg.get())); }();
        return dlg;
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
        QList<QByteArray> records = {
            SchedaFixture::record({"1", "Rossi Mario", "AB123CD", "No"}).toBytes(),
            SchedaFixture::record({"2", "Bianchi Luigi", "CAB001AA", QStringLiteral("Sì")}).toBytes(),
            SchedaFixture::record({"3", "Verdi Anna", "XY987ZZ", ""}).toBytes(),
            SchedaFixture::record({"4", "Neri Carlo", "GH222AB", "No", "Fiat", "Primo"}).toBytes(),
            SchedaFixture::record({"4", "Neri Carlo", "GH222AB", "No", "Fiat", "Secondo"}).toBytes(),
        };
        // Flags the sheet window never writes: "No" with a blank in place of the terminator, and a
        // flag in small letters.
        QByteArray blank = SchedaFixture::record({"6", "Gialli", "KK111KK"}).toBytes();
        SchedaFixture::setRawField(blank, SchedaRecord::fPagato, "No ");
        QByteArray small = SchedaFixture::record({"7", "Rosa", "MM222MM"}).toBytes();
        SchedaFixture::setRawField(small, SchedaRecord::fPagato, "no");
        records << blank << small;
        QVERIFY(SchedaFixture::append(m_archive, records));
        MessageBoxes::takeShown();
        ListResultsPage::failNextScanAfter(-1);
    }

    void cleanup()
    {
        m_windows.reset();
        m_folder.reset();
    }

    void listsOnlyUnpaidSheets()
    {
        auto dlg = openDialog();
        QCOMPARE(listedPositions(dlg->lstRecords), (QList<qint64>{1, 4, 5, 6}));
        QVERIFY(dlg->lstRecords->lineAt(0).startsWith(QStringLiteral("Scheda n. 1   ")));
        QCOMPARE(dlg->lstRecords->selectedRow(), -1);
        QCOMPARE(dlg->focusWidget(), dlg->txtTrova);
        QVERIFY(MessageBoxes::takeShown().isEmpty());
        // What they owe stands under the list; the amount of every line shows on a 1366-pixel screen.
        QCOMPARE(dlg->lblRiepilogo->text(), QStringLiteral("Totale da saldare: € 400,00"));
        QVERIFY(dlg->lblRiepilogo->isVisible());
        QVERIFY(dlg->frameGeometry().width() <= 1366);
        const int amountEnd = QFontMetrics(dlg->lstRecords->font()).horizontalAdvance(dlg->lstRecords->lineAt(0));
        QVERIFY2(amountEnd < dlg->lstRecords->viewport()->width(), qPrintable(QString::number(amountEnd)));
    }

    // Enter on a line does what a double-click does: the sheet is shown and the list closes.
    void enterOpensTheSelectedSheet()
    {
        auto dlg = openDialog();
        dlg->lstRecords->setFocus();
        dlg->lstRecords->selectRow(1);
        QTest::keyClick(dlg->lstRecords, Qt::Key_Return);
        QVERIFY(!dlg->isVisible());
        QCOMPARE(m_windows->frmInterventi()->lblPosizione->text(), QStringLiteral("4"));
    }

    void escapeCloses()
    {
        auto dlg = openDialog();
        QTest::keyClick(dlg->txtTrova, Qt::Key_Escape);
        QVERIFY(!dlg->isVisible());
        QCOMPARE(dlg->lstRecords->count(), 0);
    }

    void aPaidSheetSavedLeavesTheList()
    {
        {
            auto dlg = openDialog();
            QVERIFY(listedPositions(dlg->lstRecords).contains(4));
        }
        // The sheet window saves sheet 4 with " Pagato" ticked: its record is overwritten.
        SchedaRecord paid =
            SchedaFixture::record({"4", "Neri Carlo", "GH222AB", QStringLiteral("Sì"), "Fiat", "Primo"});
        QVERIFY(SchedaFixture::overwrite(m_archive, 4, paid));
        auto dlg = openDialog();
        QCOMPARE(listedPositions(dlg->lstRecords), (QList<qint64>{1, 5, 6}));
    }

    void trovaWithEnterAndWrapAround()
    {
        auto dlg = openDialog();
        QTest::keyClicks(dlg->txtTrova, QStringLiteral("neri"));
        QTest::keyClick(dlg->txtTrova, Qt::Key_Return);
        QCOMPARE(dlg->focusWidget(), dlg->btnTrova);
        QList<int> visited;
        for (int press = 0; press < 3; ++press) {
            QTest::mouseClick(dlg->btnTrova, Qt::LeftButton);
            visited << dlg->lstRecords->selectedRow();
        }
        QCOMPARE(visited, (QList<int>{1, 2, 1}));
    }

    void emptyOrMissingArchive()
    {
        QVERIFY(QFile::remove(m_archive));
        auto dlg = openDialog();
        QCOMPARE(dlg->lstRecords->count(), 0);
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

        QTest::newRow("earlier of two identical lines") << 1 << qint64(4) << "Primo";
        QTest::newRow("later of two identical lines") << 2 << qint64(5) << "Secondo";
    }

    void doubleClickOpensTheClickedSheet()
    {
        QFETCH(int, row);
        QFETCH(qint64, position);
        QFETCH(QString, tecnico);

        auto dlg = openDialog();
        QCOMPARE(dlg->lstRecords->lineAt(1), dlg->lstRecords->lineAt(2));
        SchedaFixture::doubleClickRow(dlg->lstRecords, row);
        QVERIFY(!dlg->isVisible());
        QCOMPARE(dlg->lstRecords->count(), 0);

        TfrmInterventi *sheet = m_windows->frmInterventi();
        QCOMPARE(sheet->lblPosizione->text(), QString::number(position));
        QCOMPARE(sheet->txtTecnico->text(), tecnico);
        QVERIFY(!sheet->chkPagato->isChecked());
        QVERIFY(MessageBoxes::takeShown().isEmpty());
    }

    void stampa_data()
    {
        QTest::addColumn<bool>("emptyArchive");
        QTest::newRow("every unpaid sheet") << false;
        QTest::newRow("empty list: title and footer only") << true;
    }

    void stampa()
    {
        QFETCH(bool, emptyArchive);
        if (emptyArchive)
            QVERIFY(QFile::remove(m_archive));
        PrintDialogs::setScripted(true);
        const QString pdf = QDir(m_folder->path()).filePath(QStringLiteral("nonpagati.pdf"));
        PrintDialogs::setNextAccept(pdf);

        auto dlg = openDialog();
        const QStringList listed = dlg->lstRecords->lines();
        QCOMPARE(listed.size(), emptyArchive ? 0 : 4);
        QTest::mouseClick(dlg->btnStampa, Qt::LeftButton);
        QCOMPARE(PrintDialogs::timesAsked(), 1);
        QVERIFY(MessageBoxes::takeShown().isEmpty());
        const PrintedSummary::Read read = PrintedSummary::read(pdf);
        QCOMPARE(read.name, QStringLiteral("Riepilogo conti non saldati"));
        QString why;
        // The lines, then what they owe.
        const QString owed =
            emptyArchive ? QStringLiteral("Totale da saldare: € 0,00") : QStringLiteral("Totale da saldare: € 400,00");
        QVERIFY2(PrintedSummary::shows(read, QStringLiteral("Riepilogo conti non saldati"),
                                       listed + QStringList{QString(), owed}, &why),
                 qPrintable(why));
    }

    // A list that could not be read to the end is never shown as if it were complete.
    void archiveReadFailure_data()
    {
        QTest::addColumn<QString>("fault");  // "none", "folder" (no file can be read), "halfway"
        QTest::addColumn<QList<qint64>>("listed");

        QTest::newRow("whole archive read: no note") << "none" << QList<qint64>{1, 4, 5, 6};
        QTest::newRow("archive unreadable: told, empty and incomplete") << "folder" << QList<qint64>{};
        QTest::newRow("failure after two sheets: those two, incomplete") << "halfway" << QList<qint64>{1, 4};
    }

    void archiveReadFailure()
    {
        QFETCH(QString, fault);
        QFETCH(QList<qint64>, listed);

        if (fault == QLatin1String("folder")) {
            QVERIFY(QFile::remove(m_archive));
            QVERIFY(QDir().mkdir(m_archive));
        } else if (fault == QLatin1String("halfway")) {
            ListResultsPage::failNextScanAfter(2);
        }
        auto dlg = openDialog();
        QCOMPARE(listedPositions(dlg->lstRecords), listed);
        const QList<MessageBoxes::Shown> shown = MessageBoxes::takeShown();
        if (fault == QLatin1String("none")) {
            QVERIFY(shown.isEmpty());
            QVERIFY(!dlg->lblTrovate->isVisible());
            return;
        }
        QCOMPARE(shown.size(), 1);
        QCOMPARE(shown[0].kind, MessageBoxes::Kind::Plain);
        QCOMPARE(shown[0].text, archiveAccessMessage());
        QVERIFY(dlg->lblTrovate->isVisible());
        QCOMPARE(dlg->lblTrovate->text(), ListResultsPage::incompleteText());
        QCOMPARE(dlg->focusWidget(), dlg->txtTrova);

        // Nor on paper: the summary's title says so.
        PrintDialogs::setScripted(true);
        const QString pdf = QDir(m_folder->path()).filePath(QStringLiteral("incompleto.pdf"));
        PrintDialogs::setNextAccept(pdf);
        const QStringList lines = dlg->lstRecords->lines() + QStringList{QString(), dlg->lblRiepilogo->text()};
        QCOMPARE(dlg->lblRiepilogo->text(), fault == QLatin1String("halfway")
                                                ? QStringLiteral("Totale da saldare: € 200,00")
                                                : QStringLiteral("Totale da saldare: € 0,00"));
        QTest::mouseClick(dlg->btnStampa, Qt::LeftButton);
        QString why;
        QVERIFY2(PrintedSummary::shows(PrintedSummary::read(pdf),
                                       QStringLiteral("Riepilogo conti non saldati (elenco incompleto)"), lines, &why),
                 qPrintable(why));

        // The next opening reads the archive afresh.
        if (fault == QLatin1String("halfway")) {
            auto again = openDialog();
            QCOMPARE(listedPositions(again->lstRecords), (QList<qint64>{1, 4, 5, 6}));
            QVERIFY(!again->lblTrovate->isVisible());
            QVERIFY(MessageBoxes::takeShown().isEmpty());
        }
    }

    void chiudiEmptiesTheList()
    {
        auto dlg = openDialog();
        QVERIFY(dlg->lstRecords->count() > 0);
        QTest::mouseClick(dlg->btnChiudi, Qt::LeftButton);
        QVERIFY(!dlg->isVisible());
        QCOMPARE(dlg->lstRecords->count(), 0);
    }
};

QTEST_MAIN(TestDaSaldare)
#include "tst_dasaldare.moc"
