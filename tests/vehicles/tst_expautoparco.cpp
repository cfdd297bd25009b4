// The vehicle export dialog driven as a user drives it: the grid over the vehicle archive, a note
// edited in the grid that reaches the file but not the archive, read-only columns, opening the file.

#include "archive/AutomezzoRecord.h"
#include "reports/ExportGridModel.h"
#include "shell/AppWindows.h"
#include "shell/TMisc.h"
#include "support/TestSupport.h"
#include "vehicles/TfrmExpAutoparco.h"
#include "widgets/MessageBoxes.h"

#include <QDir>
#include <QLineEdit>
#include <QTableView>
#include <QToolButton>
#include <QtTest>

class TestExpAutoparco : public QObject
{
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_folder;
    std::unique_ptr<AppWindows> m_windows;

    QString path(const QString &name) const { return QDir(m_folder->path()).filePath(name); }

private slots:
    void initTestCase() { TestSupport::scriptEverything(); }

    void init()
    {
        m_folder = TestSupport::programFolder();
        m_windows = std::make_unique<AppWindows>(m_folder->path());
        AutomezzoRecord a;
        a.Tipo = QStringLiteral("Furgone");
        a.Marca = QStringLiteral("Iveco");
        a.Modello = QStringLiteral("Daily");
        a.Ambiente = QStringLiteral("Euro 6");
        a.Centraline = QStringLiteral("Centralina GPL");
        a.Note = QStringLiteral("vecchia nota");
        // Only data that are not exported: an otherwise empty row.
        AutomezzoRecord b;
        b.Compagnia = QStringLiteral("Generali");
        b.TelAssicuratore = QStringLiteral("02 1234");
        b.Polizza = QStringLiteral("P-99");
        b.Incidenti = QStringLiteral("Urto laterale");
        b.DataLettura = QStringLiteral("01/01/2024");
        QVERIFY(TestSupport::writeFile(path(QStringLiteral("Parco_Automezzi.pro")), a.toBytes() + b.toBytes()));
        MessageBoxes::takeShown();
        TMisc::takeOpened();
    }

    void cleanup()
    {
        m_windows.reset();
        m_folder.reset();
    }

    void editedNoteReachesTheFileNotTheArchive()
    {
        const QString archive = path(QStringLiteral("Parco_Automezzi.pro"));
        const QByteArray before = TestSupport::readFile(archive);
        TfrmExpAutoparco dlg(*m_windows);
        dlg.show();
        QCOMPARE(dlg.windowTitle(), QStringLiteral(" Esportazione archivio veicoli in Excel"));
        auto *view = dlg.findChild<QTableView *>(QStringLiteral("grdRecords"));
        auto *model = qobject_cast<ExportGridModel *>(view->model());
        QCOMPARE(model->rowCount(), 2);
        QCOMPARE(model->columnCount(), 26);
        const int centraline = model->columnNamed(QStringLiteral("coProprietario"));
        QCOMPARE(centraline, 16);
        QCOMPARE(model->headerData(centraline, Qt::Horizontal).toString(), QStringLiteral("Centraline installate"));
        QCOMPARE(model->headerData(15, Qt::Horizontal).toString(), QStringLiteral("Compatibilit\u00E0 ambientale"));
        QCOMPARE(view->columnWidth(centraline), 280);
        QCOMPARE(model->index(0, centraline).data().toString(), QStringLiteral("Centralina GPL"));
        QCOMPARE(model->index(0, 3).data().toString(), QStringLiteral("Iveco"));

        // Read-only: type and make; editable: the note.
        for (const int column : {1, 3}) {
            const QModelIndex index = model->index(0, column);
            QTest::ignoreMessage(QtWarningMsg, "edit: editing failed");
            view->edit(index);
            QVERIFY(!view->indexWidget(index));
        }
        const QModelIndex note = model->index(0, model->columnNamed(QStringLiteral("colNote")));
        view->setCurrentIndex(note);
        view->edit(note);
        auto *editor = qobject_cast<QLineEdit *>(view->indexWidget(note));
        QVERIFY(editor);
        editor->selectAll();
        QTest::keyClicks(editor, QStringLiteral("revisione fatta"));
        QTest::keyClick(editor, Qt::Key_Return);
        QTRY_COMPARE(model->index(0, note.column()).data().toString(), QStringLiteral("revisione fatta"));

        dlg.findChild<QToolButton *>(QStringLiteral("cmdEsporta"))->click();  // Sì, Sì
        const QString exported = path(QStringLiteral("Parco_Automezzi.xls"));
        QCOMPARE(TMisc::takeOpened(),
                 QStringList{QLatin1Char('"') + QDir::toNativeSeparators(exported) + QLatin1Char('"')});
        QCOMPARE(MessageBoxes::takeShown().size(), 2);
        const QByteArray file = TestSupport::readFile(exported);
        QVERIFY(file.contains("<x:Name>Parco Automezzi</x:Name>"));
        QVERIFY(file.contains(">revisione fatta</td></tr>"));
        QVERIFY(!file.contains("vecchia nota"));
        QByteArray emptyRow = "<tr>";
        for (int c = 0; c < 25; ++c)
            emptyRow += "<td style=\"text-align: left;\" sdnum=\"1040;0;@\"></td>";
        QVERIFY(file.endsWith(emptyRow + "</tr></table></body></html>"));
        QCOMPARE(TestSupport::readFile(archive), before);
    }
};

QTEST_MAIN(TestExpAutoparco)
#include "tst_expautoparco.moc"
