// The customer export dialog driven as a user drives it: the grid over the archive, an edit that
// reaches the file but not the archive, the two questions, opening the file, and the failures.

#include "archive/ClienteRecord.h"
#include "customers/TfrmExpClienti.h"
#include "reports/ExportGridModel.h"
#include "shell/AppWindows.h"
#include "shell/TMisc.h"
#include "support/TestSupport.h"
#include "widgets/MessageBoxes.h"

#include <QDir>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QTableView>
#include <QToolButton>
#include <QtTest>

using Kind = MessageBoxes::Kind;
using Answer = MessageBoxes::Answer;

namespace {

const QString kExportQuestion =
    QStringLiteral("L'esportazione dei dati in Excel pu\u00F2 richiedere diversi minuti a seconda del numero di schede "
                   "presenti in archivio.\r\n\r\nSi vuole esportare i dati adesso?");
const QString kOpenQuestion =
    QStringLiteral("Le schede in archivio sono state esportate con successo.\r\n\r\nSi vuole aprire il file di Excel?");
const QString kWriteFailed = QStringLiteral("Attenzione: il sistema non permette di esportare i dati.\n\r\n\r"
                                            "Accertarsi che il file di Excel non sia gi\u00E0 aperto.");
const QString kUnreadable =
    QStringLiteral("Attenzione: non \u00E8 stato possibile leggere per intero l'archivio dei clienti.\n\r\n\r"
                   "Il file di Excel non verr\u00E0 scritto, per non esportare dati incompleti.");

}  // namespace

class TestExpClienti : public QObject
{
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_folder;
    std::unique_ptr<AppWindows> m_windows;

    QString path(const QString &name) const { return QDir(m_folder->path()).filePath(name); }
    QString archive() const { return path(QStringLiteral("Clienti.pro")); }
    QString exported() const { return path(QStringLiteral("Clienti.xls")); }

    std::unique_ptr<TfrmExpClienti> openDialog()
    {
        auto dlg = std::make_unique<TfrmExpClienti>(*m_windows);
        dlg->show();
        return dlg;
    }
    static QTableView *grid(TfrmExpClienti &dlg) { return dlg.findChild<QTableView *>(QStringLiteral("grdRecords")); }
    static QToolButton *button(TfrmExpClienti &dlg, const char *name)
    {
        return dlg.findChild<QToolButton *>(QString::fromLatin1(name));
    }

private slots:
    void initTestCase() { TestSupport::scriptEverything(); }

    void init()
    {
        m_folder = TestSupport::programFolder();
        m_windows = std::make_unique<AppWindows>(m_folder->path());
        ClienteRecord a;
        a.Cognome = QStringLiteral("Rossi");
        a.Nome = QStringLiteral("Mario");
        a.ComuneRes = QStringLiteral("Cant\u00F9");
        a.ProvRes = QStringLiteral("CO");
        a.Immatricolazione = QStringLiteral("01/02/2003");
        a.Note = QStringLiteral("cliente storico");
        ClienteRecord b;
        b.Cognome = QStringLiteral("Bianchi");
        b.Ditta = QStringLiteral("Bianchi & Figli");
        QVERIFY(TestSupport::writeFile(archive(), a.toBytes() + b.toBytes()));
        MessageBoxes::takeShown();
        TMisc::takeOpened();
    }

    void cleanup()
    {
        m_windows.reset();
        m_folder.reset();
    }

    void gridShowsTheWholeArchive()
    {
        auto dlg = openDialog();
        QCOMPARE(dlg->windowTitle(), QStringLiteral(" Esporta archivio clienti in Excel"));
        QCOMPARE(dlg->size(), QSize(862, 560));
        QCOMPARE(dlg->findChild<QLabel *>(QStringLiteral("panInfo"))->text(),
                 QStringLiteral("Esportazione archivio in Microsoft Excel."));
        QTableView *view = grid(*dlg);
        QAbstractItemModel *model = view->model();
        QCOMPARE(model->rowCount(), 2);
        QCOMPARE(model->columnCount(), 26);
        QCOMPARE(model->headerData(0, Qt::Horizontal).toString(), QStringLiteral("N."));
        QCOMPARE(model->headerData(1, Qt::Horizontal).toString(), QStringLiteral("Cognome e nome cliente"));
        QCOMPARE(model->headerData(20, Qt::Horizontal).toString(), QStringLiteral("Data immatricolazione"));
        QCOMPARE(model->headerData(25, Qt::Horizontal).toString(), QStringLiteral("Codice Destinatario"));
        QCOMPARE(view->columnWidth(0), 60);
        QCOMPARE(view->columnWidth(3), 100);
        QCOMPARE(view->verticalHeader()->defaultSectionSize(), 21);
        QCOMPARE(model->index(1, 0).data().toString(), QStringLiteral("2"));
        QCOMPARE(model->index(0, 1).data().toString(), QStringLiteral("Rossi Mario"));
        QCOMPARE(model->index(0, 6).data().toString(), QStringLiteral("Cant\u00F9 CO"));
        QCOMPARE(model->index(0, 20).data().toString(), QStringLiteral("01/02/2003"));
        QCOMPARE(model->index(1, 1).data().toString(), QStringLiteral("Bianchi"));
        QCOMPARE(model->index(1, 2).data().toString(), QStringLiteral("Bianchi & Figli"));
        QVERIFY(MessageBoxes::takeShown().isEmpty());
    }

    void editReachesTheFileNotTheArchive()
    {
        const QByteArray before = TestSupport::readFile(archive());
        auto dlg = openDialog();
        QTableView *view = grid(*dlg);
        auto *model = qobject_cast<ExportGridModel *>(view->model());
        const QModelIndex note = model->index(0, model->columnNamed(QStringLiteral("colNote")));
        view->setCurrentIndex(note);
        view->edit(note);
        auto *editor = qobject_cast<QLineEdit *>(view->indexWidget(note));
        QVERIFY(editor);
        editor->selectAll();
        QTest::keyClicks(editor, QStringLiteral("da richiamare <oggi>"));
        // The edit is still open when the export starts: it is written all the same.
        MessageBoxes::setNextAnswer(Answer::Yes);
        MessageBoxes::setNextAnswer(Answer::No);
        button(*dlg, "cmdEsporta")->click();

        const QList<MessageBoxes::Shown> shown = MessageBoxes::takeShown();
        QCOMPARE(shown.size(), 2);
        QCOMPARE(shown[0].kind, Kind::Question);
        QCOMPARE(shown[0].text, kExportQuestion);
        QCOMPARE(shown[1].kind, Kind::Question);
        QCOMPARE(shown[1].text, kOpenQuestion);
        QVERIFY(TMisc::takeOpened().isEmpty());
        const QByteArray file = TestSupport::readFile(exported());
        QVERIFY(file.contains("<td style=\"text-align: left;\" sdnum=\"1040;0;@\">da richiamare &lt;oggi&gt;</td>"
                              "<td style=\"text-align: left;\" sdnum=\"1040;0;@\"></td></tr>"));
        QVERIFY(!file.contains("cliente storico"));
        QVERIFY(file.contains(">Bianchi &amp; Figli<"));
        QCOMPARE(TestSupport::readFile(archive()), before);
    }

    void readOnlyColumnRefusesEdits()
    {
        auto dlg = openDialog();
        QTableView *view = grid(*dlg);
        for (const int column : {0, 1, 7}) {  // row number, name, postcode
            const QModelIndex index = view->model()->index(0, column);
            view->setCurrentIndex(index);
            QTest::ignoreMessage(QtWarningMsg, "edit: editing failed");
            view->edit(index);
            QVERIFY(!view->indexWidget(index));
            QVERIFY(!view->model()->setData(index, QStringLiteral("x")));
        }
        QVERIFY(view->model()->flags(view->model()->index(0, 6)) & Qt::ItemIsEditable);
    }

    void answeringNoWritesNothing()
    {
        auto dlg = openDialog();
        MessageBoxes::setNextAnswer(Answer::No);
        button(*dlg, "cmdEsporta")->click();
        QCOMPARE(MessageBoxes::takeShown().size(), 1);
        QVERIFY(!QFileInfo::exists(exported()));
        QVERIFY(TMisc::takeOpened().isEmpty());
    }

    void openingHandsTheQuotedFullPath()
    {
        auto dlg = openDialog();
        button(*dlg, "cmdEsporta")->click();  // Sì to both questions
        QCOMPARE(TMisc::takeOpened(),
                 QStringList{QLatin1Char('"') + QDir::toNativeSeparators(exported()) + QLatin1Char('"')});
        QVERIFY(TestSupport::readFile(exported()).endsWith("</table></body></html>"));
        QVERIFY(dlg->isVisible());
        button(*dlg, "cmdEsci")->click();
        QVERIFY(!dlg->isVisible());
    }

    void fileThatCannotBeWrittenIsSaid()
    {
        QVERIFY(QDir(m_folder->path()).mkdir(QStringLiteral("Clienti.xls")));
        auto dlg = openDialog();
        button(*dlg, "cmdEsporta")->click();
        const QList<MessageBoxes::Shown> shown = MessageBoxes::takeShown();
        QCOMPARE(shown.size(), 2);
        QCOMPARE(shown[1].kind, Kind::Plain);
        QCOMPARE(shown[1].text, kWriteFailed);
        QVERIFY(TMisc::takeOpened().isEmpty());
        QVERIFY(button(*dlg, "cmdEsporta")->isEnabled());
    }

    void archiveThatCannotBeReadIsSaidAndNotExported()
    {
        QVERIFY(QFile::remove(archive()));
        QVERIFY(QDir(m_folder->path()).mkdir(QStringLiteral("Clienti.pro")));
        auto dlg = openDialog();
        QList<MessageBoxes::Shown> shown = MessageBoxes::takeShown();
        QCOMPARE(shown.size(), 1);
        QCOMPARE(shown[0].kind, Kind::Error);
        QCOMPARE(shown[0].text, kUnreadable);
        // The export says it again instead of asking and writing.
        button(*dlg, "cmdEsporta")->click();
        shown = MessageBoxes::takeShown();
        QCOMPARE(shown.size(), 1);
        QCOMPARE(shown[0].text, kUnreadable);
        QVERIFY(!QFileInfo::exists(exported()));
    }

    void archiveShortenedAfterShowingKeepsTheOldFile()
    {
        QVERIFY(TestSupport::writeFile(exported(), "old"));
        auto dlg = openDialog();
        QVERIFY(QFile::resize(archive(), ClienteRecord::kSize + 10));
        button(*dlg, "cmdEsporta")->click();
        const QList<MessageBoxes::Shown> shown = MessageBoxes::takeShown();
        QCOMPARE(shown.size(), 2);
        QCOMPARE(shown[1].kind, Kind::Error);
        QCOMPARE(shown[1].text, kUnreadable);
        QCOMPARE(TestSupport::readFile(exported()), QByteArray("old"));
    }
};

QTEST_MAIN(TestExpClienti)
#include "tst_expclienti.moc"
