// The sheet window driven as a user drives it: typing, Enter, the commands, the dialogs.

#include "archive/RecordArchive.h"
#include "archive/SchedaRecord.h"
#include "common/Formats.h"
#include "common/IniFile.h"
#include "media/TfrmLogo.h"
#include "reports/SchedaReport.h"
#include "sheets/SchedaFixture.h"
#include "sheets/TfrmAnteprimaScheda.h"
#include "sheets/TfrmDaSaldare.h"
#include "sheets/TfrmInterventi.h"
#include "sheets/TfrmNumerazione.h"
#include "sheets/TfrmStampaScheda.h"
#include "sheets/TfrmStorico.h"
#include "sheets/TfrmTrovaInterventi.h"
#include "shell/AppWindows.h"
#include "shell/TfrmAvvio.h"
#include "support/TestSupport.h"
#include "widgets/FileDialogs.h"
#include "widgets/FormBinding.h"
#include "widgets/FormHelpers.h"
#include "widgets/MessageBoxes.h"
#include "widgets/PhotoArea.h"
#include "widgets/PrintDialogs.h"
#include "widgets/RecordListView.h"
#include "widgets/TfrmCalendario.h"

#include <QCalendarWidget>
#include <QCheckBox>
#include <QClipboard>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QtTest>

using Kind = MessageBoxes::Kind;

namespace {

const QString kArchive = QStringLiteral("Schede_Interventi_Elettrauto.pro");

SchedaRecord sampleRecord(const QString &number)
{
    return TestSupport::sampleSheet(number);
}

void appendRecords(const QString &folder, const QList<SchedaRecord> &records)
{
    RecordArchive archive;
    QVERIFY(archive.OpenOrCreate(QDir(folder).filePath(kArchive), SchedaRecord::kSize));
    for (const SchedaRecord &r : records)
        QVERIFY(archive.Append(r.toBytes()) > 0);
}

QByteArray recordBytesAt(const QString &folder, qint64 position)
{
    const QByteArray all = TestSupport::readFile(QDir(folder).filePath(kArchive));
    return all.mid((position - 1) * SchedaRecord::kSize, SchedaRecord::kSize);
}

// Runs `action` on the modal dialog of type T as soon as it is open; a dialog that the action
// leaves open (a failed check) is closed, so a failure never hangs the test.
template<typename T>
void whenDialogOpens(std::function<void(T *)> action)
{
    QTimer::singleShot(0, [action] {
        auto *dialog = qobject_cast<T *>(QApplication::activeModalWidget());
        QVERIFY(dialog);
        QApplication::setActiveWindow(dialog);
        action(dialog);
        if (dialog->isVisible())
            dialog->reject();
    });
}

// Double-clicks the line of the record at a position, as the user opens it from a list.
void doubleClickListed(RecordListView *list, qint64 position)
{
    for (int row = 0; row < list->count(); ++row) {
        if (list->positionAt(row) == position) {
            SchedaFixture::doubleClickRow(list, row);
            return;
        }
    }
    QFAIL("the record is not in the list");
}

}  // namespace

class TestInterventi : public QObject
{
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_folder;
    std::unique_ptr<AppWindows> m_windows;
    TfrmInterventi *w = nullptr;

    QString path(const QString &name) const { return QDir(m_folder->path()).filePath(name); }

    void fillMandatory()
    {
        w->txtNumScheda->setText(QStringLiteral("7"));
        w->txtData->setText(QStringLiteral("02/03/2026"));
        w->txtAzienda->setText(QStringLiteral("Elettrauto Verdi"));
        w->txtCliente->setText(QStringLiteral("Luigi Neri"));
        w->txtRecapito->setText(QStringLiteral("0123 456"));
        w->txtTarga->setText(QStringLiteral("XY987ZT"));
        w->txtMarca->setText(QStringLiteral("Lancia Ypsilon"));
    }

private slots:
    void initTestCase() { TestSupport::scriptEverything(); }

    void init()
    {
        m_folder = TestSupport::programFolder();
        m_windows = TestSupport::createWindows(m_folder->path());
        w = m_windows->frmInterventi();
        m_windows->showApp(w);
        QApplication::setActiveWindow(w);
        MessageBoxes::takeShown();
        FileDialogs::takeTitles();
    }

    void cleanup()
    {
        w = nullptr;
        m_windows.reset();
        m_folder.reset();
    }

    void saveAppendsThenOverwrites()
    {
        appendRecords(m_folder->path(), {sampleRecord("1"), sampleRecord("2")});
        fillMandatory();
        QTest::keyClicks(w->txtManodopera, QStringLiteral("  2 ore  "));
        w->txtInterventi->setPlainText(QStringLiteral("Riga uno\nRiga due"));
        w->chkPagato->setChecked(true);
        w->cmdSalva->click();
        QCOMPARE(w->lblPosizione->text(), QStringLiteral("3"));
        auto shown = MessageBoxes::takeShown();
        QCOMPARE(shown.size(), 1);
        QCOMPARE(shown[0].kind, Kind::Information);
        QCOMPARE(shown[0].text, QStringLiteral("La scheda corrente è stata inserita in archivio."));

        const QByteArray stored = recordBytesAt(m_folder->path(), 3);
        const auto &layout = SchedaRecord::layout();
        QCOMPARE(stored.mid(layout[SchedaRecord::fManodopera].offset, 10), QByteArray("  2 ore  \0", 10));
        QCOMPARE(stored.mid(layout[SchedaRecord::fInterventi].offset, 19), QByteArray("Riga uno\r\nRiga due\0", 19));
        QCOMPARE(stored.mid(layout[SchedaRecord::fPagato].offset, 3), QByteArray("\x53\xEC\0", 3));
        QCOMPARE(stored.mid(layout[SchedaRecord::fTotale].offset, 5), QByteArray("0,00\0", 5));
        QVERIFY(QFile::exists(path(QStringLiteral("Foto_A_3.jpg"))));
        QVERIFY(QFile::exists(path(QStringLiteral("Foto_B_3.jpg"))));

        // The second save overwrites the same position.
        w->chkPagato->setChecked(false);
        w->cmdSalva->click();
        QCOMPARE(w->lblPosizione->text(), QStringLiteral("3"));
        shown = MessageBoxes::takeShown();
        QCOMPARE(shown.size(), 1);
        QCOMPARE(shown[0].text, QStringLiteral("Le modifiche apportate alla scheda corrente sono state "
                                               "salvate in archivio."));
        QCOMPARE(QFileInfo(path(kArchive)).size(), qint64(3 * SchedaRecord::kSize));
        QCOMPARE(recordBytesAt(m_folder->path(), 3).mid(layout[SchedaRecord::fPagato].offset, 3),
                 QByteArray("No\0", 3));
        QCOMPARE(recordBytesAt(m_folder->path(), 1), sampleRecord("1").toBytes());
    }

    void everyFieldTypedSavedReadBackAndShownAgain()
    {
        // The binding table covers every field of the record, each once.
        QCOMPARE(w->binding().missingFields(), QStringList());
        QCOMPARE(w->binding().doubleFields(), QStringList());
        // Every printed field names an object of the printed sheet, and the sheet gets all its texts.
        const QStringList sheetNames = SchedaReport::valueNames();
        const auto printed = w->binding().printTexts();
        QCOMPARE(printed.size(), sheetNames.size());
        for (const auto &[name, text] : printed)
            QVERIFY2(sheetNames.contains(name), qPrintable(name));

        // Every field gets a distinct value through its control, as the user gives it.
        QStringList typed;
        for (int i = 0; i < SchedaRecord::FieldCount; ++i) {
            QWidget *control = w->binding().control(i);
            QString value = QStringLiteral("V%1 %2").arg(i).arg(QString::fromLatin1(SchedaRecord::layout()[i].name));
            if (auto *edit = qobject_cast<QLineEdit *>(control)) {
                value = value.left(edit->maxLength());
                if (edit->isReadOnly()) {
                    edit->setText(value);  // the date edits are filled by the date picker
                } else {
                    edit->clear();
                    QTest::keyClicks(edit, value);
                    w->txtNumScheda->setFocus();  // leaving normalises the total
                    value = edit->text();         // the plate is upper-cased while typing
                }
            } else if (auto *memo = qobject_cast<QPlainTextEdit *>(control)) {
                memo->clear();
                QTest::keyClicks(memo->viewport(), QStringLiteral("riga uno"));
                memo->insertPlainText(QStringLiteral("\nriga\u00A0due"));
                value = QStringLiteral("riga uno\r\nriga\u00A0due");
            } else if (auto *box = qobject_cast<QCheckBox *>(control)) {
                box->setChecked(true);
                value = QStringLiteral("S\u00EC");
            } else if (auto *label = qobject_cast<QLabel *>(control)) {
                label->setText(value);
            } else {
                QFAIL(qPrintable(QStringLiteral("field %1 has an unknown control").arg(i)));
            }
            typed.append(value);
        }
        QCOMPARE(typed[SchedaRecord::fTarga], QStringLiteral("V8TARGA"));  // upper-cased and trimmed while typed
        w->cmdSalvaClick();
        QCOMPARE(w->lblPosizione->text(), QStringLiteral("1"));

        // Read back from the bytes with the record layout: every field holds what was typed.
        const SchedaRecord stored = SchedaRecord::fromBytes(recordBytesAt(m_folder->path(), 1));
        for (int i = 0; i < SchedaRecord::FieldCount; ++i)
            QCOMPARE(stored[i], typed.at(i));

        // Shown again after the screen was emptied: every control shows it.
        w->cmdNuovoClick();
        QVERIFY(w->txtCliente->text().isEmpty());
        w->cmdPrimoClick();
        const SchedaRecord shown = w->RecordFromScreen();
        for (int i = 0; i < SchedaRecord::FieldCount; ++i)
            QCOMPARE(shown[i], typed.at(i));
        QCOMPARE(recordBytesAt(m_folder->path(), 1), shown.toBytes());
    }

    void storedTextsAreShownAndKeptWhole()
    {
        // Written by another program: labour longer than the edit's 50 typed characters, a memo with a
        // no-break space and a line break, a long heading. Shown whole, beginning visible, and saved
        // back byte for byte.
        SchedaRecord r = sampleRecord("5");
        r.Manodopera = QStringLiteral("Sostituzione alternatore, ricarica clima, diagnosi centralina motore e ABS");
        r.Interventi = QStringLiteral("Prova\u00A0batteria\r\nControllo\u00A0ricarica");
        r.Azienda =
            QStringLiteral("Elettrauto Bianchi di Bianchi Mario & C. s.n.c. - Via Roma 100 Napoli - Tel. 081 1234567");
        appendRecords(m_folder->path(), {r});
        const QByteArray before = recordBytesAt(m_folder->path(), 1);
        w->cmdPrimoClick();
        QCOMPARE(w->txtManodopera->text(), r.Manodopera);
        QCOMPARE(w->txtAzienda->cursorPosition(), 0);
        QVERIFY(MessageBoxes::takeShown().isEmpty());
        w->cmdSalvaClick();
        QCOMPARE(recordBytesAt(m_folder->path(), 1), before);

        // Typing is still limited to the edit's length once the user shortens the text.
        w->txtManodopera->setFocus();
        w->txtManodopera->selectAll();
        QTest::keyClicks(w->txtManodopera, QString(60, QLatin1Char('x')));
        QCOMPARE(w->txtManodopera->text().size(), 50);
    }

    void totalTakesTheAmountTypedAfterAClick_data()
    {
        QTest::addColumn<QPoint>("where");
        QTest::newRow("inside the text") << QPoint(-20, 0);
        QTest::newRow("right of the text") << QPoint(-2, 0);
        QTest::newRow("left edge") << QPoint(-1000, 0);
    }
    void totalTakesTheAmountTypedAfterAClick()
    {
        QFETCH(QPoint, where);
        w->txtTecnico->setFocus();
        const QPoint click(qMax(3, w->txtTotale->width() + where.x()), w->txtTotale->height() / 2);
        QTest::mouseClick(w->txtTotale, Qt::LeftButton, {}, click);
        QCoreApplication::processEvents();
        QTest::keyClicks(w->txtTotale, QStringLiteral("150"));
        QTest::keyClick(w->txtTotale, Qt::Key_Tab);
        QCOMPARE(w->txtTotale->text(), QStringLiteral("150,00"));
        // Selection and cursor keys reach the edit.
        w->txtTotale->setFocus();
        QTest::keyClick(w->txtTotale, Qt::Key_End);
        QTest::keyClick(w->txtTotale, Qt::Key_Home);
        QCOMPARE(w->txtTotale->cursorPosition(), 0);
        QTest::keyClick(w->txtTotale, Qt::Key_A, Qt::ControlModifier);
        QCOMPARE(w->txtTotale->selectedText(), QStringLiteral("150,00"));
        // A letter is refused and the status line says why.
        QTest::keyClick(w->txtTotale, Qt::Key_X);
        QCOMPARE(w->txtTotale->text(), QStringLiteral("150,00"));
        QCOMPARE(w->panInfo->text(), TfrmInterventi::totaleRefusedMessage(QStringLiteral("x")));
    }

    // The work memo keeps within its 5000 stored characters (a line break stored as CR LF counts
    // two): of what the user types or pastes only the part that does not fit is dropped, and the rest
    // of the text stays exactly as it was, no-break spaces included.
    void memoKeepsWithinItsFieldCuttingOnlyTheInsertion_data()
    {
        QTest::addColumn<int>("room");     // characters still free in the field
        QTest::addColumn<bool>("atEnd");   // the cursor at the end, or before the last word
        QTest::addColumn<QString>("how");  // "type", "paste" or "enter"
        QTest::addColumn<QString>("inserted");
        QTest::addColumn<QString>("kept");  // what of the insertion the memo keeps
        QTest::newRow("typed at the end, the excess dropped") << 2 << true << "type"
                                                              << "abc"
                                                              << "ab";
        QTest::newRow("typed into a full memo") << 0 << false << "type"
                                                << "x"
                                                << "";
        QTest::newRow("pasted in the middle: the text after it stays") << 3 << false << "paste"
                                                                       << "12345"
                                                                       << "123";
        QTest::newRow("a pasted line break counts two") << 4 << false << "paste"
                                                        << "a\nb\nc"
                                                        << "a\r\nb";
        QTest::newRow("a line break with one place left") << 1 << true << "enter"
                                                          << ""
                                                          << "";
        QTest::newRow("a paste that fits whole") << 10 << false << "paste"
                                                 << "fusibile"
                                                 << "fusibile";
    }
    void memoKeepsWithinItsFieldCuttingOnlyTheInsertion()
    {
        QFETCH(int, room);
        QFETCH(bool, atEnd);
        QFETCH(QString, how);
        QFETCH(QString, inserted);
        QFETCH(QString, kept);
        const int capacity = SchedaRecord::layout()[SchedaRecord::fInterventi].capacity;
        const QString head = QStringLiteral("Prova\u00A0batteria\r\n");
        const QString tail = QStringLiteral("\u00A0FINE");
        SchedaRecord stored = sampleRecord(QStringLiteral("1"));
        stored.Interventi = head + QString(capacity - room - head.size() - tail.size(), QLatin1Char('x')) + tail;
        appendRecords(m_folder->path(), {stored});
        w->cmdPrimoClick();
        QCOMPARE(FormBinding::memoText(w->txtInterventi), stored.Interventi);

        // The cursor where the user clicked: at the end or before the last word.
        QTextCursor cursor = w->txtInterventi->textCursor();
        cursor.movePosition(QTextCursor::End);
        if (!atEnd)
            cursor.setPosition(cursor.position() - int(tail.size()));
        w->txtInterventi->setTextCursor(cursor);
        const int insertedAt = cursor.position();
        w->txtInterventi->setFocus();
        if (how == QLatin1String("type")) {
            QTest::keyClicks(w->txtInterventi, inserted);
        } else if (how == QLatin1String("enter")) {
            QTest::keyClick(w->txtInterventi, Qt::Key_Return);
        } else {
            QGuiApplication::clipboard()->setText(inserted);
            QTest::keyClick(w->txtInterventi, Qt::Key_V, Qt::ControlModifier);
        }

        const QString before = stored.Interventi;
        const int at = atEnd ? int(before.size()) : int(before.size() - tail.size());
        const QString expected = before.left(at) + kept + before.mid(at);
        QCOMPARE(FormBinding::memoText(w->txtInterventi), expected);
        QVERIFY(expected.size() <= capacity);
        // The cursor stands after what was kept of the insertion.
        QCOMPARE(w->txtInterventi->textCursor().position(),
                 insertedAt + int(QString(kept).remove(QLatin1Char('\r')).size()));
    }

    void memoCutKeepsTheUndoHistory()
    {
        const int capacity = SchedaRecord::layout()[SchedaRecord::fInterventi].capacity;
        SchedaRecord stored = sampleRecord(QStringLiteral("1"));
        stored.Interventi = QString(capacity - 6, QLatin1Char('x'));
        appendRecords(m_folder->path(), {stored});
        w->cmdPrimoClick();
        w->txtInterventi->setFocus();
        w->txtInterventi->moveCursor(QTextCursor::Start);
        QTest::keyClicks(w->txtInterventi, QStringLiteral("ok "));
        const QString typed = QStringLiteral("ok ") + stored.Interventi;
        QCOMPARE(FormBinding::memoText(w->txtInterventi), typed);
        QGuiApplication::clipboard()->setText(QStringLiteral("troppo lungo"));
        QTest::keyClick(w->txtInterventi, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(FormBinding::memoText(w->txtInterventi), QStringLiteral("ok tro") + stored.Interventi);

        // One Undo takes back the paste with its cut; the typing before it is still there to undo.
        QTest::keyClick(w->txtInterventi, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(FormBinding::memoText(w->txtInterventi), typed);
        QTest::keyClick(w->txtInterventi, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(FormBinding::memoText(w->txtInterventi), stored.Interventi);
        QTest::keyClick(w->txtInterventi, Qt::Key_Y, Qt::ControlModifier);
        QCOMPARE(FormBinding::memoText(w->txtInterventi), typed);
    }

    // Every command that puts another record (or a new one) in place of the sheet on screen asks
    // first when the screen holds changes, as Esci does: Annulla keeps the screen, No drops the
    // changes, Sì stores them and goes on only when they were stored.
    void replacingTheSheetAsksAboutUnsavedChanges_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("edit");  // "nessuna", "nota" (a note typed), "nota senza cliente"
        QTest::addColumn<int>("answer");
        QTest::addColumn<QString>("target");  // the position the command shows; empty: a new sheet
        const QList<QPair<const char *, const char *>> commands = {
            {"Prima", "1"}, {"Precedente", "1"}, {"Successiva", "3"}, {"Ultima", "3"},
            {"Nuovo", ""},  {"Trova", "3"},      {"Non pagati", "3"}, {"Storico", "3"}};
        for (const auto &[command, target] : commands) {
            QTest::addRow("%s, nothing changed", command) << command << "nessuna" << -1 << target;
            QTest::addRow("%s, Annulla", command) << command << "nota" << int(MessageBoxes::Answer::Cancel) << target;
            QTest::addRow("%s, No", command) << command << "nota" << int(MessageBoxes::Answer::No) << target;
            QTest::addRow("%s, Sì", command) << command << "nota" << int(MessageBoxes::Answer::Yes) << target;
            QTest::addRow("%s, Sì refused by Save", command)
                << command << "nota senza cliente" << int(MessageBoxes::Answer::Yes) << target;
        }
    }
    void replacingTheSheetAsksAboutUnsavedChanges()
    {
        QFETCH(QString, command);
        QFETCH(QString, edit);
        QFETCH(int, answer);
        QFETCH(QString, target);
        QList<SchedaRecord> sheets;
        for (int i = 1; i <= 3; ++i) {
            sheets.append(sampleRecord(QString::number(i)));
            sheets.last().Note = QStringLiteral("nota %1").arg(i);
        }
        appendRecords(m_folder->path(), sheets);
        const QByteArray stored = recordBytesAt(m_folder->path(), 2);
        QVERIFY(w->ShowRecordAt(2));
        if (edit != QLatin1String("nessuna")) {
            w->txtNote->setFocus();
            w->txtNote->selectAll();
            QTest::keyClicks(w->txtNote, QStringLiteral("richiamare"));
        }
        if (edit == QLatin1String("nota senza cliente")) {
            w->txtCliente->setFocus();
            w->txtCliente->selectAll();
            QTest::keyClick(w->txtCliente, Qt::Key_Backspace);
        }
        MessageBoxes::takeShown();
        const bool asked = edit != QLatin1String("nessuna");
        if (asked)
            MessageBoxes::setNextAnswer(MessageBoxes::Answer(answer));

        if (command == QLatin1String("Prima")) {
            w->cmdPrimo->click();
        } else if (command == QLatin1String("Precedente")) {
            w->cmdIndietro->click();
        } else if (command == QLatin1String("Successiva")) {
            w->cmdAvanti->click();
        } else if (command == QLatin1String("Ultima")) {
            w->cmdUltimo->click();
        } else if (command == QLatin1String("Nuovo")) {
            w->cmdNuovo->click();
        } else if (command == QLatin1String("Trova")) {
            whenDialogOpens<TfrmTrovaInterventi>([](TfrmTrovaInterventi *d) {
                QTest::keyClicks(d->txtCliente, QStringLiteral("rossi"));
                d->btnCerca->click();
                doubleClickListed(d->lstRecords, 3);
            });
            w->cmdTrova->click();
        } else if (command == QLatin1String("Non pagati")) {
            whenDialogOpens<TfrmDaSaldare>([](TfrmDaSaldare *d) { doubleClickListed(d->lstRecords, 3); });
            w->cmdNonPagati->click();
        } else {
            whenDialogOpens<TfrmStorico>([](TfrmStorico *d) { doubleClickListed(d->lstRecords, 3); });
            w->btnStorico->click();
        }

        const auto shown = MessageBoxes::takeShown();
        QList<Kind> kinds;
        for (const auto &message : shown)
            kinds << message.kind;
        const bool saved = asked && answer == int(MessageBoxes::Answer::Yes) && edit == QLatin1String("nota");
        const bool replaced = !asked || answer == int(MessageBoxes::Answer::No) || saved;
        if (!asked)
            QCOMPARE(kinds, QList<Kind>());
        else if (saved)
            QCOMPARE(kinds, (QList<Kind>{Kind::SaveQuestion, Kind::Information}));
        else if (answer == int(MessageBoxes::Answer::Yes))
            QCOMPARE(kinds, (QList<Kind>{Kind::SaveQuestion, Kind::Warning}));  // Save refused
        else
            QCOMPARE(kinds, QList<Kind>{Kind::SaveQuestion});
        if (asked)
            QCOMPARE(shown[0].text, QStringLiteral("Salvare le modifiche alla scheda?"));

        // The archive: the changes stored only after Sì, and only by that save.
        QCOMPARE(QFileInfo(path(kArchive)).size(), qint64(3 * SchedaRecord::kSize));
        if (saved)
            QCOMPARE(SchedaRecord::fromBytes(recordBytesAt(m_folder->path(), 2)).Note, QStringLiteral("richiamare"));
        else
            QCOMPARE(recordBytesAt(m_folder->path(), 2), stored);

        // The screen: the record the command asked for, or the sheet with its changes as it was.
        if (replaced) {
            QCOMPARE(w->lblPosizione->text(), target);
            QCOMPARE(w->txtNote->text(), target.isEmpty() ? QString() : QStringLiteral("nota %1").arg(target));
        } else {
            QCOMPARE(w->lblPosizione->text(), QStringLiteral("2"));
            QCOMPARE(w->txtNote->text(), QStringLiteral("richiamare"));
        }
    }

    // Save over a sheet compares the sheet stored now with the sheet as the window showed it: what
    // another workstation stored meanwhile is never overwritten unasked.
    void saveOverASheetChangedElsewhere_data()
    {
        QTest::addColumn<QString>("elsewhere");  // what happened to sheet 2 after it was shown
        QTest::addColumn<int>("answer");         // to the overwrite question
        QTest::newRow("nobody else saved") << "nessuno" << -1;
        QTest::newRow("rewritten with the same texts") << "stessi testi" << -1;
        QTest::newRow("paid elsewhere, Annulla") << "pagata" << int(MessageBoxes::Answer::Cancel);
        QTest::newRow("paid elsewhere, Ricarica") << "pagata" << int(MessageBoxes::Answer::Reload);
        QTest::newRow("paid elsewhere, Sovrascrivi") << "pagata" << int(MessageBoxes::Answer::Overwrite);
    }
    void saveOverASheetChangedElsewhere()
    {
        QFETCH(QString, elsewhere);
        QFETCH(int, answer);
        appendRecords(m_folder->path(), {sampleRecord(QStringLiteral("1")), sampleRecord(QStringLiteral("2"))});
        w->cmdUltimo->click();
        QCOMPARE(w->lblPosizione->text(), QStringLiteral("2"));

        if (elsewhere == QLatin1String("pagata")) {
            QVERIFY(TestSupport::saveOnAnotherWorkstation(
                m_folder->path(), QStringLiteral("schede"), 2,
                {QStringLiteral("Pagato=S\u00EC"), QStringLiteral("Note=pagata in contanti")}));
        } else if (elsewhere == QLatin1String("stessi testi")) {
            // A writer that leaves other bytes after a field's text: the texts are the same.
            QByteArray bytes = TestSupport::readFile(path(kArchive));
            QByteArray second = bytes.mid(SchedaRecord::kSize, SchedaRecord::kSize);
            SchedaFixture::setRawField(second, SchedaRecord::fNote, QByteArray("\0resto", 6));
            bytes.replace(SchedaRecord::kSize, SchedaRecord::kSize, second);
            QVERIFY(TestSupport::writeFile(path(kArchive), bytes));
        }
        const QByteArray storedElsewhere = recordBytesAt(m_folder->path(), 2);

        w->txtNote->setFocus();
        QTest::keyClicks(w->txtNote, QStringLiteral("richiamare"));
        MessageBoxes::takeShown();
        if (answer >= 0)
            MessageBoxes::setNextAnswer(MessageBoxes::Answer(answer));
        w->cmdSalva->click();

        const auto shown = MessageBoxes::takeShown();
        const bool asked = answer >= 0;
        const bool written = !asked || answer == int(MessageBoxes::Answer::Overwrite);
        QCOMPARE(shown.size(), asked && written ? 2 : 1);
        if (asked) {
            QCOMPARE(shown[0].kind, Kind::OverwriteQuestion);
            QVERIFY(shown[0].text.startsWith(QStringLiteral(
                "La scheda è stata modificata da un'altra postazione dopo che è stata aperta.\n\r\n\r")));
        }
        if (written)
            QCOMPARE(shown.last().text,
                     QStringLiteral("Le modifiche apportate alla scheda corrente sono state salvate in archivio."));

        const SchedaRecord stored = SchedaRecord::fromBytes(recordBytesAt(m_folder->path(), 2));
        QCOMPARE(QFileInfo(path(kArchive)).size(), qint64(2 * SchedaRecord::kSize));
        if (written) {
            QCOMPARE(stored.Note, QStringLiteral("richiamare"));
            QCOMPARE(stored.Pagato, QStringLiteral("No"));  // the screen's flag, as the user chose
        } else {
            QCOMPARE(recordBytesAt(m_folder->path(), 2), storedElsewhere);
        }
        const bool reloaded = answer == int(MessageBoxes::Answer::Reload);
        QCOMPARE(w->lblPosizione->text(), QStringLiteral("2"));
        QCOMPARE(w->txtNote->text(), reloaded ? QStringLiteral("pagata in contanti") : QStringLiteral("richiamare"));
        QCOMPARE(w->chkPagato->isChecked(), reloaded);

        // Only Annulla leaves changes unsaved: Esci asks about them (and No drops them).
        const bool unsaved = answer == int(MessageBoxes::Answer::Cancel);
        if (unsaved)
            MessageBoxes::setNextAnswer(MessageBoxes::Answer::No);
        w->cmdEsci->click();
        QCOMPARE(MessageBoxes::takeShown().size(), unsaved ? 1 : 0);
        QVERIFY(!w->isVisible());
    }

    void sheetChangedElsewhereAfterItsOwnSaveIsAskedAboutAgain()
    {
        appendRecords(m_folder->path(), {sampleRecord(QStringLiteral("1"))});
        w->cmdPrimo->click();
        w->txtNote->setFocus();
        QTest::keyClicks(w->txtNote, QStringLiteral("prima"));
        w->cmdSalva->click();
        QCOMPARE(MessageBoxes::takeShown().size(), 1);
        // The window's own save is the sheet it now starts from; another workstation's is not.
        QVERIFY(TestSupport::saveOnAnotherWorkstation(m_folder->path(), QStringLiteral("schede"), 1,
                                                      {QStringLiteral("Stato=consegnata")}));
        QTest::keyClicks(w->txtNote, QStringLiteral(" e seconda"));

        // Esci -> Sì: the save meets the other workstation's sheet; Annulla keeps the window.
        MessageBoxes::setNextAnswer(MessageBoxes::Answer::Yes);
        MessageBoxes::setNextAnswer(MessageBoxes::Answer::Cancel);
        w->cmdEsci->click();
        QVERIFY(w->isVisible());
        auto shown = MessageBoxes::takeShown();
        QCOMPARE(shown.size(), 2);
        QCOMPARE(shown[1].kind, Kind::OverwriteQuestion);
        QCOMPARE(SchedaRecord::fromBytes(recordBytesAt(m_folder->path(), 1)).Note, QStringLiteral("prima"));

        // Esci -> Sì -> Sovrascrivi stores the screen and closes.
        MessageBoxes::setNextAnswer(MessageBoxes::Answer::Yes);
        MessageBoxes::setNextAnswer(MessageBoxes::Answer::Overwrite);
        w->cmdEsci->click();
        QVERIFY(!w->isVisible());
        shown = MessageBoxes::takeShown();
        QCOMPARE(shown.size(), 3);
        const SchedaRecord stored = SchedaRecord::fromBytes(recordBytesAt(m_folder->path(), 1));
        QCOMPARE(stored.Note, QStringLiteral("prima e seconda"));
        QCOMPARE(stored.Stato, QString());  // overwritten, as the user chose
    }

    void closingWithUnsavedChangesAsks()
    {
        // Nothing typed: closes without a word.
        w->cmdEsciClick();
        QVERIFY(!w->isVisible());
        QVERIFY(MessageBoxes::takeShown().isEmpty());

        // Annulla stays; No closes and drops the changes; Sì saves.
        m_windows->showApp(w);
        w->txtCliente->setText(QStringLiteral("Carla Blu"));
        MessageBoxes::setNextAnswer(MessageBoxes::Answer::Cancel);
        w->cmdEsciClick();
        QVERIFY(w->isVisible());
        auto shown = MessageBoxes::takeShown();
        QCOMPARE(shown.size(), 1);
        QCOMPARE(shown[0].kind, Kind::SaveQuestion);
        QCOMPARE(shown[0].text, QStringLiteral("Salvare le modifiche alla scheda?"));

        // Sì with a mandatory field missing: Save refuses, the window stays.
        MessageBoxes::setNextAnswer(MessageBoxes::Answer::Yes);
        w->cmdEsciClick();
        QVERIFY(w->isVisible());
        shown = MessageBoxes::takeShown();
        QCOMPARE(shown.size(), 2);
        QCOMPARE(shown[1].text, QStringLiteral("Attenzione: per salvare la scheda è necessario assegnarle un numero."));

        fillMandatory();
        MessageBoxes::setNextAnswer(MessageBoxes::Answer::Yes);
        w->cmdEsciClick();
        QVERIFY(!w->isVisible());
        QCOMPARE(QFileInfo(path(kArchive)).size(), qint64(SchedaRecord::kSize));
        MessageBoxes::takeShown();

        // A record shown and then changed asks too; No closes without saving.
        m_windows->showApp(w);
        w->cmdPrimoClick();
        w->cmdEsciClick();
        QVERIFY(!w->isVisible());
        QVERIFY(MessageBoxes::takeShown().isEmpty());
        m_windows->showApp(w);
        w->cmdPrimoClick();
        w->btnCancFotoClick(w->imgFoto);
        MessageBoxes::setNextAnswer(MessageBoxes::Answer::No);
        w->cmdEsciClick();
        QVERIFY(!w->isVisible());
        QCOMPARE(MessageBoxes::takeShown().size(), 1);
    }

    void savePhotoToDiskFailureKeepsThePicture()
    {
        QVERIFY(TestSupport::writeFile(path("scelta.jpg"), TestSupport::solidJpeg(Qt::yellow, QSize(80, 60))));
        FileDialogs::setNextFileName(path("scelta.jpg"));
        w->btnCaricaFoto->click();
        QVERIFY(QDir(m_folder->path()).mkdir(QStringLiteral("occupato.jpg")));
        FileDialogs::setNextFileName(path("occupato.jpg"));
        w->btnSalvaFoto->click();
        QVERIFY(!w->imgFoto->isPlaceholder());
        const auto shown = MessageBoxes::takeShown();
        QCOMPARE(shown.size(), 1);
        QCOMPARE(shown[0].kind, Kind::Warning);
    }

    void headingThatCannotBeWrittenIsToldAtClose()
    {
        // A folder named like the settings file makes its write fail.
        QVERIFY(QDir(m_folder->path()).mkdir(QStringLiteral("Cablora.ini")));
        w->txtAzienda->setText(QStringLiteral("Elettrauto Nuovo"));
        w->FormClose();
        const auto shown = MessageBoxes::takeShown();
        QCOMPARE(shown.size(), 1);
        QCOMPARE(shown[0].kind, Kind::Warning);
        QVERIFY(shown[0].text.contains(QStringLiteral("intestazione")));
    }

    void mandatoryFields_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("warning");
        QTest::newRow("number") << "txtNumScheda"
                                << "Attenzione: per salvare la scheda è necessario assegnarle un numero.";
        QTest::newRow("date") << "txtData"
                              << "Attenzione: per salvare la scheda è necessario indicare la data di emissione.";
        QTest::newRow("heading") << "txtAzienda"
                                 << "Attenzione: per salvare la scheda è necessario indicare l'intestazione "
                                    "dell'azienda di elettrauto.";
        QTest::newRow("customer") << "txtCliente"
                                  << "Attenzione: per salvare la scheda è necessario indicare il nome del cliente.";
        QTest::newRow("telephone") << "txtRecapito"
                                   << "Attenzione: per salvare la scheda è necessario indicare il recapito "
                                      "telefonico del cliente.";
        QTest::newRow("plate") << "txtTarga"
                               << "Attenzione: per salvare la scheda è necessario indicare il numero di targa "
                                  "del veicolo.";
        QTest::newRow("make") << "txtMarca"
                              << "Attenzione: per salvare la scheda è necessario indicare marca e modello del "
                                 "veicolo.";
    }
    void mandatoryFields()
    {
        QFETCH(QString, field);
        QFETCH(QString, warning);
        fillMandatory();
        QLineEdit *edit = nullptr;
        for (QLineEdit *e :
             {w->txtNumScheda, w->txtData, w->txtAzienda, w->txtCliente, w->txtRecapito, w->txtTarga, w->txtMarca}) {
            if (e == w->findChild<QLineEdit *>(field) || (field == "txtNumScheda" && e == w->txtNumScheda))
                edit = e;
        }
        const QHash<QString, QLineEdit *> byName = {{"txtNumScheda", w->txtNumScheda}, {"txtData", w->txtData},
                                                    {"txtAzienda", w->txtAzienda},     {"txtCliente", w->txtCliente},
                                                    {"txtRecapito", w->txtRecapito},   {"txtTarga", w->txtTarga},
                                                    {"txtMarca", w->txtMarca}};
        edit = byName.value(field);
        edit->setText(QStringLiteral("   "));  // blanks only count as empty
        w->cmdSalva->click();
        const auto shown = MessageBoxes::takeShown();
        QCOMPARE(shown.size(), 1);
        QCOMPARE(shown[0].kind, Kind::Warning);
        QCOMPARE(shown[0].text, warning);
        QCOMPARE(QApplication::focusWidget(), edit);
        QVERIFY(!QFile::exists(path(kArchive)) || QFileInfo(path(kArchive)).size() == 0);
        QVERIFY(w->lblPosizione->text().isEmpty());
    }

    void newProposesStartPlusCount_data()
    {
        QTest::addColumn<QString>("start");
        QTest::addColumn<int>("stored");
        QTest::addColumn<QString>("number");
        QTest::newRow("no start, empty") << "" << 0 << "1";
        QTest::newRow("no start, five") << "" << 5 << "6";
        QTest::newRow("100, empty") << "100" << 0 << "100";
        QTest::newRow("100, seven") << "100" << 7 << "107";
        QTest::newRow("zero, empty") << "0" << 0 << "0";
    }
    void newProposesStartPlusCount()
    {
        QFETCH(QString, start);
        QFETCH(int, stored);
        QFETCH(QString, number);
        if (!start.isEmpty())
            QVERIFY(IniFile::setValue(path("Contratti.ini"), "Numerazione Contratti", "Inizio", start));
        QList<SchedaRecord> records;
        for (int i = 0; i < stored; ++i)
            records.append(sampleRecord(QString::number(i)));
        appendRecords(m_folder->path(), records);
        w->txtCliente->setText(QStringLiteral("resto di prima"));
        w->txtAzienda->setText(QStringLiteral("Officina"));
        MessageBoxes::setNextAnswer(MessageBoxes::Answer::No);  // what was typed is dropped
        w->cmdNuovoClick();
        QCOMPARE(MessageBoxes::takeShown().size(), 1);
        QCOMPARE(w->txtNumScheda->text(), number);
        QCOMPARE(w->txtData->text(), Formats::todayText());
        QVERIFY(w->txtCliente->text().isEmpty());
        QCOMPARE(w->txtAzienda->text(), QStringLiteral("Officina"));
        QCOMPARE(w->txtTotale->text(), QStringLiteral("0,00"));
        QVERIFY(w->lblPosizione->text().isEmpty());
        QCOMPARE(QApplication::focusWidget(), w->txtTecnico);
        QVERIFY(MessageBoxes::takeShown().isEmpty());
    }

    // Another workstation stores sheets between New and Save on this one. A proposed number that one
    // of them took gives way to the next free one, and the user is told; a typed number stays.
    void proposedNumberTakenMeanwhile_data()
    {
        QTest::addColumn<QStringList>("storedMeanwhile");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("saved");
        QTest::addColumn<QString>("message");
        const auto taken = [](const char *number) {
            return QStringLiteral("Il numero 105 è stato appena usato da un'altra postazione: la scheda prende il "
                                  "numero %1.")
                .arg(QLatin1String(number));
        };
        QTest::newRow("nobody else saved") << QStringList() << ""
                                           << "105"
                                           << "";
        QTest::newRow("another workstation took it") << QStringList{"105"} << ""
                                                     << "106" << taken("106");
        QTest::newRow("another workstation took it, stored with blanks") << QStringList{" 105 "} << ""
                                                                         << "106" << taken("106");
        QTest::newRow("another workstation stored a typed number") << QStringList{"300"} << ""
                                                                   << "105"
                                                                   << "";
        QTest::newRow("two sheets, the second took it") << QStringList{"300", "105"} << ""
                                                        << "107" << taken("107");
        QTest::newRow("two sheets took 105 and 106") << QStringList{"105", "106"} << ""
                                                     << "107" << taken("107");
        QTest::newRow("two sheets took 105 and 107") << QStringList{"105", "107"} << ""
                                                     << "108" << taken("108");
        QTest::newRow("the user typed the same number") << QStringList{"105"} << "105"
                                                        << "105"
                                                        << "";
        QTest::newRow("the user typed another number") << QStringList{"105"} << "200"
                                                       << "200"
                                                       << "";
    }

    void proposedNumberTakenMeanwhile()
    {
        QFETCH(QStringList, storedMeanwhile);
        QFETCH(QString, typed);
        QFETCH(QString, saved);
        QFETCH(QString, message);
        QVERIFY(IniFile::setValue(path("Contratti.ini"), "Numerazione Contratti", "Inizio", "100"));
        QList<SchedaRecord> records;
        for (int i = 0; i < 5; ++i)
            records.append(sampleRecord(QString::number(100 + i)));
        appendRecords(m_folder->path(), records);

        w->cmdNuovoClick();
        QCOMPARE(w->txtNumScheda->text(), QStringLiteral("105"));
        fillMandatory();
        w->txtNumScheda->setText(QStringLiteral("105"));  // as New left it
        if (!typed.isEmpty()) {
            w->txtNumScheda->selectAll();
            QTest::keyClicks(w->txtNumScheda, typed);
        }
        QList<SchedaRecord> others;
        for (const QString &number : storedMeanwhile)
            others.append(sampleRecord(number));
        appendRecords(m_folder->path(), others);

        w->cmdSalvaClick();
        const qint64 position = 6 + storedMeanwhile.size();
        QCOMPARE(w->lblPosizione->text(), QString::number(position));
        QCOMPARE(SchedaRecord::fromBytes(recordBytesAt(m_folder->path(), position)).NumScheda, saved);
        QCOMPARE(w->txtNumScheda->text(), saved);
        const auto shown = MessageBoxes::takeShown();
        QStringList texts;
        for (const auto &m : shown) {
            QCOMPARE(m.kind, Kind::Information);
            texts << m.text;
        }
        QStringList expected;
        if (!message.isEmpty())
            expected << message;
        expected << QStringLiteral("La scheda corrente è stata inserita in archivio.");
        QCOMPARE(texts, expected);
        // The sheets of the other workstation are as it stored them.
        for (int i = 0; i < storedMeanwhile.size(); ++i)
            QCOMPARE(recordBytesAt(m_folder->path(), 6 + i), sampleRecord(storedMeanwhile[i]).toBytes());
        // The number shown is the one stored: closing asks nothing.
        w->cmdEsciClick();
        QVERIFY(!w->isVisible());
        QVERIFY(MessageBoxes::takeShown().isEmpty());
    }

    // Two workstations press New at once and both are proposed 105; the one that saves second gets 106.
    void twoWindowsPressNewAtOnce()
    {
        QVERIFY(IniFile::setValue(path("Contratti.ini"), "Numerazione Contratti", "Inizio", "100"));
        QList<SchedaRecord> records;
        for (int i = 0; i < 5; ++i)
            records.append(sampleRecord(QString::number(100 + i)));
        appendRecords(m_folder->path(), records);

        auto otherWindows = TestSupport::createWindows(m_folder->path());
        TfrmInterventi *other = otherWindows->frmInterventi();
        otherWindows->showApp(other);
        MessageBoxes::takeShown();

        for (TfrmInterventi *window : {w, other}) {
            window->cmdNuovoClick();
            QCOMPARE(window->txtNumScheda->text(), QStringLiteral("105"));
        }
        for (TfrmInterventi *window : {w, other}) {
            window->txtCliente->setText(QStringLiteral("Cliente"));
            window->txtAzienda->setText(QStringLiteral("Officina"));
            window->txtRecapito->setText(QStringLiteral("0123"));
            window->txtTarga->setText(QStringLiteral("AB123CD"));
            window->txtMarca->setText(QStringLiteral("Fiat"));
        }
        other->cmdSalvaClick();
        auto shown = MessageBoxes::takeShown();
        QCOMPARE(shown.size(), 1);
        QCOMPARE(shown[0].text, QStringLiteral("La scheda corrente è stata inserita in archivio."));
        w->cmdSalvaClick();
        shown = MessageBoxes::takeShown();
        QCOMPARE(shown.size(), 2);
        QCOMPARE(shown[0].kind, Kind::Information);
        QCOMPARE(shown[0].text, QStringLiteral("Il numero 105 è stato appena usato da un'altra postazione: la "
                                               "scheda prende il numero 106."));
        QCOMPARE(shown[1].text, QStringLiteral("La scheda corrente è stata inserita in archivio."));
        QCOMPARE(SchedaRecord::fromBytes(recordBytesAt(m_folder->path(), 6)).NumScheda, QStringLiteral("105"));
        QCOMPARE(SchedaRecord::fromBytes(recordBytesAt(m_folder->path(), 7)).NumScheda, QStringLiteral("106"));
        QCOMPARE(w->txtNumScheda->text(), QStringLiteral("106"));
        QCOMPARE(w->lblPosizione->text(), QStringLiteral("7"));

        // A later save of the same sheet overwrites it and keeps its number.
        w->txtNote->setText(QStringLiteral("seconda versione"));
        w->cmdSalvaClick();
        QCOMPARE(MessageBoxes::takeShown().size(), 1);
        QCOMPARE(QFileInfo(path(kArchive)).size(), qint64(7 * SchedaRecord::kSize));
        QCOMPARE(SchedaRecord::fromBytes(recordBytesAt(m_folder->path(), 7)).NumScheda, QStringLiteral("106"));
    }

    // A start in Contratti.ini that gives no number: New says what is wrong with the numbering (the
    // archive itself was read well).
    void newWithBadStartFailsAfterEmptying_data()
    {
        QTest::addColumn<QString>("start");
        QTest::addColumn<int>("stored");
        QTest::addColumn<QString>("quoted");  // the start as the message quotes it
        QTest::newRow("text") << "dieci" << 0 << "(\"dieci\")";
        QTest::newRow("nan") << "nan" << 0 << "(\"nan\")";
        QTest::newRow("1e999") << "1e999" << 0 << "(\"1e999\")";
        QTest::newRow("a megabyte of digits")
            << QString(1000000, QLatin1Char('7')) << 0 << "(\"777777777777777777777777777777... (1000000 caratteri)\")";
        QTest::newRow("more than 15 digits") << "1000000000000000" << 1 << "(\"1000000000000000\")";
    }
    void newWithBadStartFailsAfterEmptying()
    {
        QFETCH(QString, start);
        QFETCH(int, stored);
        QFETCH(QString, quoted);
        QVERIFY(IniFile::setValue(path("Contratti.ini"), "Numerazione Contratti", "Inizio", start));
        if (stored > 0)
            appendRecords(m_folder->path(), {sampleRecord(QStringLiteral("1"))});
        w->txtCliente->setText(QStringLiteral("resto di prima"));
        MessageBoxes::setNextAnswer(MessageBoxes::Answer::No);  // what was typed is dropped
        w->cmdNuovoClick();
        const auto shown = MessageBoxes::takeShown();
        QCOMPARE(shown.size(), 2);
        QCOMPARE(shown[0].kind, Kind::SaveQuestion);
        QCOMPARE(shown[1].kind, Kind::Error);
        QVERIFY2(shown[1].text.startsWith("Attenzione: il numero da cui parte la numerazione delle schede, "
                                          "conservato nel file Contratti.ini, non è valido "
                                          + quoted + ": "),
                 qPrintable(shown[1].text.left(300)));
        QVERIFY(shown[1].text.contains(QStringLiteral("comando Numerazione")));
        QVERIFY(w->txtCliente->text().isEmpty());
        QVERIFY(w->txtNumScheda->text().isEmpty());
        QVERIFY(w->txtData->text().isEmpty());
    }

    void duplicate()
    {
        w->cmdDuplicaClick();
        auto shown = MessageBoxes::takeShown();
        QCOMPARE(shown.size(), 1);
        QCOMPARE(shown[0].kind, Kind::Warning);
        QCOMPARE(shown[0].text, QStringLiteral("Attenzione: la duplicazione di una scheda può avvenire soltanto "
                                               "dopo che questa è stata inserita in archivio."));

        SchedaRecord r = sampleRecord("5");
        r.Pagato = QStringLiteral("S\u00EC");
        r.File01 = QStringLiteral("allegato.pdf");
        appendRecords(m_folder->path(), {r});
        w->cmdPrimoClick();
        QCOMPARE(w->lblPosizione->text(), QStringLiteral("1"));
        w->cmdDuplicaClick();
        shown = MessageBoxes::takeShown();
        QCOMPARE(shown.size(), 1);
        QCOMPARE(shown[0].kind, Kind::Information);
        QCOMPARE(shown[0].text, QStringLiteral("E' ora possibile apportare le proprie modifiche alla scheda "
                                               "corrente.\n\r\n\rAl termine premere Salva per inserire la "
                                               "scheda in archivio."));
        QVERIFY(w->txtNumScheda->text().isEmpty());
        QCOMPARE(w->txtData->text(), Formats::todayText());
        QVERIFY(w->lblFile01->text().isEmpty());
        QVERIFY(w->lblPosizione->text().isEmpty());
        QCOMPARE(w->txtCliente->text(), QStringLiteral("Mario Rossi"));
        QCOMPARE(w->txtTotale->text(), QStringLiteral("10,00"));
        QVERIFY(w->chkPagato->isChecked());
        QCOMPARE(QApplication::focusWidget(), w->txtNumScheda);

        // Saving without a number is refused; with one it appends a second sheet.
        w->cmdSalvaClick();
        QCOMPARE(MessageBoxes::takeShown().value(0).text,
                 QStringLiteral("Attenzione: per salvare la scheda è necessario assegnarle un numero."));
        QTest::keyClicks(w->txtNumScheda, QStringLiteral("6"));
        w->cmdSalvaClick();
        QCOMPARE(w->lblPosizione->text(), QStringLiteral("2"));
    }

    void showingARecord()
    {
        SchedaRecord first = sampleRecord("1");
        first.Pagato = QStringLiteral("S\u00EC");
        first.Interventi = QStringLiteral("  Prova batteria\r\nSostituito fusibile\r\n");
        SchedaRecord odd = sampleRecord("2");
        odd.Pagato = QStringLiteral("Forse");
        odd.Azienda = QStringLiteral("Altra officina");
        appendRecords(m_folder->path(), {first, odd});

        w->cmdAvantiClick();  // from an unsaved sheet, Next shows record 1
        QCOMPARE(w->lblPosizione->text(), QStringLiteral("1"));
        QVERIFY(w->chkPagato->isChecked());
        QCOMPARE(w->txtInterventi->toPlainText(), QStringLiteral("Prova batteria\nSostituito fusibile"));
        w->cmdAvantiClick();
        QCOMPARE(w->lblPosizione->text(), QStringLiteral("2"));
        QVERIFY(w->chkPagato->isChecked());  // neither "Sì" nor "No": the box stays as it was
        QCOMPARE(w->txtAzienda->text(), QStringLiteral("Altra officina"));
        w->cmdAvantiClick();  // on the last record nothing happens
        QCOMPARE(w->lblPosizione->text(), QStringLiteral("2"));
        QVERIFY(MessageBoxes::takeShown().isEmpty());

        // The heading shown when the window closes is remembered for the next opening.
        w->close();
        QCOMPARE(IniFile::value(path("Cablora.ini"), "Schede Interventi", "Intestazione Azienda"),
                 QStringLiteral("Altra officina"));
        QVERIFY(m_windows->frmAvvio()->isVisible());
        QVERIFY(!w->isVisible());
        m_windows->showApp(w);
        QCOMPARE(w->txtAzienda->text(), QStringLiteral("Altra officina"));
        QVERIFY(w->txtCliente->text().isEmpty());
        QVERIFY(w->lblPosizione->text().isEmpty());
    }

    void emptyArchiveMessage()
    {
        w->cmdUltimoClick();
        const auto shown = MessageBoxes::takeShown();
        QCOMPARE(shown.size(), 1);
        QCOMPARE(shown[0].kind, Kind::Information);
        QCOMPARE(shown[0].text, QStringLiteral("L'archivio non contiene nessuna scheda."));
        QVERIFY(QFile::exists(path(kArchive)));  // created empty by the first command
    }

    void plateAndTotalWhileTyping()
    {
        w->txtTarga->setFocus();
        QTest::keyClicks(w->txtTarga, QStringLiteral("ab12"));
        QTest::sendKeyEvent(QTest::Click, w->txtTarga, Qt::Key_Egrave, QChar(0xE8), Qt::NoModifier);
        QTest::keyClick(w->txtTarga, Qt::Key_Space);
        QCOMPARE(w->txtTarga->text(), QStringLiteral("AB12è"));

        w->txtTotale->setFocus();
        w->txtTotale->selectAll();
        QTest::keyClicks(w->txtTotale, QStringLiteral("1a2.,5x"));
        QCOMPARE(w->txtTotale->text(), QStringLiteral("12,5"));
        QTest::keyClick(w->txtTotale, Qt::Key_Return);  // Enter leaves the total for the number
        QCOMPARE(QApplication::focusWidget(), w->txtNumScheda);
        QCOMPARE(w->txtTotale->text(), QStringLiteral("12,50"));
    }

    void statusLineHints()
    {
        QCOMPARE(w->panInfo->text(), QStringLiteral("Pronto per archiviare una nuova scheda..."));
        QEvent enter(QEvent::Enter);
        QApplication::sendEvent(w->cmdNonPagati, &enter);
        QCOMPARE(w->panInfo->text(), QStringLiteral("Visualizza il riepilogo dei conti non ancora saldati."));
        QApplication::sendEvent(w->btnZoomFoto02, &enter);
        QCOMPARE(w->panInfo->text(), QStringLiteral("Visualizza la foto nelle sue dimensioni reali."));
        QEvent leave(QEvent::Leave);
        QApplication::sendEvent(w->btnZoomFoto02, &leave);
        QVERIFY(w->panInfo->text().isEmpty());
    }

    void enterChain()
    {
        w->txtNumScheda->setFocus();
        const QList<QWidget *> chain = {
            w->txtData,    w->txtTecnico,  w->txtAzienda, w->txtPratica,        w->txtCliente,   w->txtRecapito,
            w->txtVeicolo, w->txtTarga,    w->txtMarca,   w->txtChilometraggio, w->txtDanni,     w->txtDataInizio,
            w->txtStato,   w->txtDataFine, w->txtVernice, w->txtRicambi,        w->txtInterventi};
        for (QWidget *next : chain) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
            QCOMPARE(QApplication::focusWidget(), next);
        }
        QTest::keyClick(w->txtInterventi, Qt::Key_Return);  // a line break in the memo
        QCOMPARE(QApplication::focusWidget(), w->txtInterventi);
        w->txtManodopera->setFocus();
        QTest::keyClick(w->txtManodopera, Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), w->txtNote);
        QTest::keyClick(w->txtNote, Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), w->txtTotale);
    }

    void datePicker()
    {
        // A letter opens the picker and is not typed; Importa writes today's date.
        w->txtDataInizio->setFocus();
        whenDialogOpens<TfrmCalendario>([](TfrmCalendario *d) {
            QCOMPARE(d->lblMemory->text(), QStringLiteral("interventi_datainizio"));
            d->cmdImporta->click();
        });
        QTest::keyClick(w->txtDataInizio, Qt::Key_A);
        QCOMPARE(w->txtDataInizio->text(), Formats::todayText());
        QVERIFY(w->txtDataInizio->text().contains(QRegularExpression("^\\d\\d/\\d\\d/\\d\\d\\d\\d$")));

        // Annulla leaves the edit as it was; Backspace empties it.
        whenDialogOpens<TfrmCalendario>([](TfrmCalendario *d) {
            d->calAppuntamenti->setSelectedDate(QDate(2020, 1, 2));
            d->cmdAnnulla->click();
        });
        QTest::keyClick(w->txtDataInizio, Qt::Key_5);
        QCOMPARE(w->txtDataInizio->text(), Formats::todayText());
        QTest::keyClick(w->txtDataInizio, Qt::Key_Backspace);
        QVERIFY(w->txtDataInizio->text().isEmpty());

        whenDialogOpens<TfrmCalendario>([](TfrmCalendario *d) {
            d->calAppuntamenti->setSelectedDate(QDate(2026, 2, 3));
            d->cmdImporta->click();
        });
        QTest::keyClick(w->txtDataFine, Qt::Key_Space);
        QCOMPARE(w->txtDataFine->text(), QStringLiteral("03/02/2026"));
    }

    void numberingDialog()
    {
        // Annulla writes nothing, not even an empty file.
        whenDialogOpens<TfrmNumerazione>([](TfrmNumerazione *d) {
            QCOMPARE(d->txtInizio->text(), QStringLiteral("1"));
            d->cmdAnnulla->click();
        });
        w->cmdNumerazioneClick();
        QVERIFY(!QFile::exists(path("Contratti.ini")));

        whenDialogOpens<TfrmNumerazione>([](TfrmNumerazione *d) {
            d->txtInizio->clear();
            QTest::keyClicks(d->txtInizio, QStringLiteral("0x07"));
            QCOMPARE(d->txtInizio->text(), QStringLiteral("007"));
            QTest::keyClick(d->txtInizio, Qt::Key_Return);  // Enter moves on, leaving normalises
            QCOMPARE(d->txtInizio->text(), QStringLiteral("7"));
            d->cmdApplica->click();
        });
        w->cmdNumerazioneClick();
        QCOMPARE(IniFile::value(path("Contratti.ini"), "Numerazione Contratti", "Inizio"), QStringLiteral("7"));
        w->cmdNuovoClick();
        QCOMPARE(w->txtNumScheda->text(), QStringLiteral("7"));
    }

    void eachPhotoShowsOnItsOwnAndAPlaceholderNeverOverwritesAFile()
    {
        appendRecords(m_folder->path(), {sampleRecord("1"), sampleRecord("2")});
        const QByteArray red = TestSupport::solidJpeg(Qt::red, QSize(64, 48));
        QVERIFY(TestSupport::writeFile(path("Foto_A_1.jpg"), red));
        QVERIFY(TestSupport::writeFile(path("Foto_A_2.jpg"), red));
        QVERIFY(TestSupport::writeFile(path("Foto_B_2.jpg"), QByteArray("not a picture")));
        w->cmdPrimoClick();  // B missing: A still shows its photo
        QVERIFY(!w->imgFoto->isPlaceholder());
        QVERIFY(w->imgFoto02->isPlaceholder());
        w->cmdAvantiClick();  // B unreadable
        QVERIFY(!w->imgFoto->isPlaceholder());
        QVERIFY(w->imgFoto02->isPlaceholder());
        QVERIFY(MessageBoxes::takeShown().isEmpty());

        // Saving writes neither the intact photo nor the placeholder over the unreadable file (a
        // share that was briefly unreachable must not lose its photo).
        w->cmdSalvaClick();
        QCOMPARE(TestSupport::readFile(path("Foto_A_2.jpg")), red);
        QCOMPARE(TestSupport::readFile(path("Foto_B_2.jpg")), QByteArray("not a picture"));
        // The missing file of sheet 1 is written, so every saved sheet has both files.
        w->cmdPrimoClick();
        w->cmdSalvaClick();
        QVERIFY(TestSupport::readFile(path("Foto_B_1.jpg")).startsWith("\xFF\xD8"));
        QCOMPARE(TestSupport::readFile(path("Foto_A_1.jpg")), red);
        // A photo the user clears is written as the placeholder.
        w->cmdAvantiClick();
        w->btnCancFoto02->click();
        w->cmdSalvaClick();
        QVERIFY(TestSupport::readFile(path("Foto_B_2.jpg")).startsWith("\xFF\xD8"));
    }

    void unchangedJpegIsWrittenBackByteForByte()
    {
        const QByteArray photoA = TestSupport::solidJpeg(Qt::darkBlue, QSize(1200, 900));
        const QByteArray photoB = TestSupport::solidJpeg(Qt::darkGreen, QSize(300, 200));
        QVERIFY(TestSupport::writeFile(path("scelta.jpg"), photoA));
        FileDialogs::setNextFileName(path("scelta.jpg"));
        w->btnCaricaFoto->click();
        QVERIFY(!w->imgFoto->isPlaceholder());
        QCOMPARE(w->imgFoto->fullImage().size(), QSize(1200, 900));
        fillMandatory();
        w->cmdSalvaClick();
        QCOMPARE(TestSupport::readFile(path("Foto_A_1.jpg")), photoA);
        const QByteArray placeholderB = TestSupport::readFile(path("Foto_B_1.jpg"));
        QVERIFY(placeholderB.startsWith("\xFF\xD8"));

        // Browse away and back, save again: both files keep their bytes.
        QVERIFY(TestSupport::writeFile(path("Foto_B_1.jpg"), photoB));
        w->cmdNuovoClick();
        w->cmdPrimoClick();
        QVERIFY(!w->imgFoto02->isPlaceholder());
        w->cmdSalvaClick();
        QCOMPARE(TestSupport::readFile(path("Foto_A_1.jpg")), photoA);
        QCOMPARE(TestSupport::readFile(path("Foto_B_1.jpg")), photoB);

        // "Salva foto su disco" writes the same bytes; a name without extension gets .jpg.
        FileDialogs::setNextFileName(path("copia"));
        w->btnSalvaFoto->click();
        QCOMPARE(TestSupport::readFile(path("copia.jpg")), photoA);
    }

    void unreadableChosenPictureClearsArea()
    {
        QVERIFY(TestSupport::writeFile(path("rotta.jpg"), QByteArray("\xFF\xD8 rotta")));
        w->imgFoto02->setImage(QImage(10, 10, QImage::Format_RGB32));
        FileDialogs::setNextFileName(path("rotta.jpg"));
        w->btnCaricaFoto02->click();
        QVERIFY(w->imgFoto02->isPlaceholder());
        QStringList titles = FileDialogs::takeTitles();
        QCOMPARE(titles, QStringList{QStringLiteral("Selezionare un file di immagine in formato Jpeg o Bitmap.")});
    }

    void printPreviewAndLogoCommandsOpenTheirDialogs()
    {
        fillMandatory();
        const QString pdf = path("scheda.pdf");
        PrintDialogs::setNextAccept(pdf);
        whenDialogOpens<TfrmStampaScheda>([](TfrmStampaScheda *d) { d->btnStampa->click(); });
        w->cmdStampa->click();
        QVERIFY(TestSupport::readFile(pdf).startsWith("%PDF"));
        QVERIFY(MessageBoxes::takeShown().isEmpty());

        bool opened = false;
        whenDialogOpens<TfrmAnteprimaScheda>([&opened](TfrmAnteprimaScheda *d) {
            opened = true;
            d->btnAnnulla->click();
        });
        w->cmdAnteprima->click();
        QVERIFY(opened);

        whenDialogOpens<TfrmLogo>([](TfrmLogo *d) {
            d->btnCancLogo->click();
            d->btnApplica->click();
        });
        w->btnLogo->click();
        QCOMPARE(QImage(path("Logo.bmp")).size(), QSize(2, 2));
    }

    void searchAndUnpaidCommandsOpenSheets()
    {
        SchedaRecord paid = sampleRecord("1");
        paid.Pagato = QStringLiteral("S\u00EC");
        SchedaRecord unpaid = sampleRecord("2");
        unpaid.Cliente = QStringLiteral("Anna Bruni");
        appendRecords(m_folder->path(), {paid, unpaid});

        whenDialogOpens<TfrmTrovaInterventi>([](TfrmTrovaInterventi *d) {
            QCOMPARE(d->lblMemory->text(), QStringLiteral("interventi"));
            QTest::keyClicks(d->txtCliente, QStringLiteral("bruni"));
            d->btnCerca->click();
            QCOMPARE(d->lstRecords->count(), 1);
            d->lstRecords->selectRow(0);
            SchedaFixture::doubleClickRow(d->lstRecords, 0);
        });
        w->cmdTrova->click();
        QCOMPARE(w->lblPosizione->text(), QStringLiteral("2"));
        QCOMPARE(w->txtCliente->text(), QStringLiteral("Anna Bruni"));

        int listed = -1;
        whenDialogOpens<TfrmDaSaldare>([&listed](TfrmDaSaldare *d) {
            listed = d->lstRecords->count();
            d->btnChiudi->click();
        });
        w->cmdNonPagati->click();
        QCOMPARE(listed, 1);
    }

    void saveFailureKeepsScreen()
    {
        // An archive that cannot be opened: a folder in its place.
        QVERIFY(QDir(m_folder->path()).mkdir(kArchive));
        fillMandatory();
        w->cmdSalvaClick();
        const auto shown = MessageBoxes::takeShown();
        QCOMPARE(shown.size(), 1);
        QCOMPARE(shown[0].kind, Kind::Plain);
        QVERIFY(shown[0].text.startsWith(QStringLiteral("Attenzione: il sistema non permette")));
        QVERIFY(w->lblPosizione->text().isEmpty());
        QCOMPARE(w->txtCliente->text(), QStringLiteral("Luigi Neri"));
    }
};

QTEST_MAIN(TestInterventi)
#include "tst_interventi.moc"
