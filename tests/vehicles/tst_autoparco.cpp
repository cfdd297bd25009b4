// The vehicle window driven as a user drives it: the fields and their rules, the commands, the photo
// file of each vehicle and the archive bytes.

#include "archive/AutomezzoRecord.h"
#include "archive/RecordArchive.h"
#include "archive/SchedaRecord.h"
#include "sheets/SchedaFixture.h"
#include "sheets/TfrmInterventi.h"
#include "sheets/TfrmStorico.h"
#include "shell/AppWindows.h"
#include "support/TestSupport.h"
#include "vehicles/TfrmAutoparco.h"
#include "vehicles/TfrmTrovaAutomezzi.h"
#include "widgets/FileDialogs.h"
#include "widgets/FormHelpers.h"
#include "widgets/MessageBoxes.h"
#include "widgets/PhotoArea.h"
#include "widgets/TfrmCalendario.h"

#include <QBuffer>
#include <QCalendarWidget>
#include <QDir>
#include <QImageWriter>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

using Kind = MessageBoxes::Kind;

namespace {

const QString kArchive = QStringLiteral("Parco_Automezzi.pro");

QByteArray jpegFile(const QSize &size, const QColor &colour)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(colour);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter(&buffer, "jpeg").write(image);
    return bytes;
}

AutomezzoRecord vehicle(const QString &plate)
{
    AutomezzoRecord r;
    r.Tipo = QStringLiteral("Autovettura");
    r.Marca = QStringLiteral("Fiat");
    r.Modello = QStringLiteral("Panda");
    r.Targa = plate;
    r.ScadRevisione = QStringLiteral("31/01/2027");
    r.File01 = QStringLiteral("libretto.pdf");
    return r;
}

}  // namespace

class TestAutoparco : public QObject
{
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_folder;
    std::unique_ptr<AppWindows> m_windows;
    TfrmAutoparco *w = nullptr;

    QString path(const QString &name) const { return QDir(m_folder->path()).filePath(name); }
    QByteArray recordBytesAt(qint64 position) const
    {
        return TestSupport::readFile(path(kArchive))
            .mid((position - 1) * AutomezzoRecord::kSize, AutomezzoRecord::kSize);
    }
    void appendRecords(const QList<AutomezzoRecord> &records)
    {
        RecordArchive archive;
        QVERIFY(archive.OpenOrCreate(path(kArchive), AutomezzoRecord::kSize));
        for (const AutomezzoRecord &r : records)
            QVERIFY(archive.Append(r.toBytes()) > 0);
    }
    void fillMandatory()
    {
        w->txtTipo->setText(QStringLiteral("Furgone"));
        w->txtMarca->setText(QStringLiteral("Iveco"));
        w->txtModello->setText(QStringLiteral("Daily"));
        w->txtTarga->setText(QStringLiteral("CD456EF"));
    }

private slots:
    void initTestCase() { TestSupport::scriptEverything(); }

    void init()
    {
        m_folder = TestSupport::programFolder();
        m_windows = TestSupport::createWindows(m_folder->path());
        w = m_windows->frmAutoparco();
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

    void everyFieldTypedSavedReadBackAndShownAgain()
    {
        QCOMPARE(w->binding().missingFields(), QStringList());
        QCOMPARE(w->binding().doubleFields(), QStringList());
        QStringList typed;
        for (int i = 0; i < AutomezzoRecord::FieldCount; ++i) {
            QWidget *control = w->binding().control(i);
            QString value = QStringLiteral("V%1 %2").arg(i).arg(QString::fromLatin1(AutomezzoRecord::layout()[i].name));
            if (auto *edit = qobject_cast<QLineEdit *>(control)) {
                value = value.left(edit->maxLength());
                if (edit->isReadOnly()) {
                    edit->setText(QStringLiteral("0%1/02/2027").arg(i % 10));  // the date picker's work
                } else {
                    QTest::keyClicks(edit, value);
                }
                value = edit->text();
            } else if (auto *label = qobject_cast<QLabel *>(control)) {
                label->setText(value);
            } else {
                QFAIL("a field has an unknown control");
            }
            typed.append(value);
        }
        QCOMPARE(typed[AutomezzoRecord::fTarga], QStringLiteral("V4TARGA"));
        QCOMPARE(typed[AutomezzoRecord::fTelaio], QStringLiteral("V7 Telaio"));
        w->cmdSalvaClick();
        QCOMPARE(w->lblPosizione->text(), QStringLiteral("1"));
        const AutomezzoRecord stored = AutomezzoRecord::fromBytes(recordBytesAt(1));
        for (int i = 0; i < AutomezzoRecord::FieldCount; ++i)
            QCOMPARE(stored[i], typed.at(i));
        w->cmdNuovoClick();
        w->cmdPrimoClick();
        const AutomezzoRecord back = w->RecordFromScreen();
        for (int i = 0; i < AutomezzoRecord::FieldCount; ++i)
            QCOMPARE(back[i], typed.at(i));
    }

    void datePickerFillsEachDateByItsContextWord_data()
    {
        QTest::addColumn<QString>("edit");
        QTest::addColumn<QString>("word");
        QTest::addColumn<bool>("byClick");
        QTest::newRow("reading") << "txtLettura"
                                 << "autoparco_lettura" << false;
        QTest::newRow("roadworthiness") << "txtScadRevisione"
                                        << "autoparco_scadrevisione" << true;
        QTest::newRow("service") << "txtScadTagliando"
                                 << "autoparco_scadtagliando" << false;
        QTest::newRow("insurance") << "txtScadAssicurazione"
                                   << "autoparco_scadassicurazione" << true;
        QTest::newRow("road tax") << "txtScadBollo"
                                  << "autoparco_scadbollo" << false;
    }
    void datePickerFillsEachDateByItsContextWord()
    {
        QFETCH(QString, edit);
        QFETCH(QString, word);
        QFETCH(bool, byClick);
        auto *date = w->findChild<QLineEdit *>(edit);
        QVERIFY(date);
        QString seenWord;
        QTimer::singleShot(0, [&seenWord] {
            for (QWidget *top : QApplication::topLevelWidgets()) {
                if (auto *picker = qobject_cast<TfrmCalendario *>(top); picker && picker->isVisible()) {
                    seenWord = picker->lblMemory->text();
                    picker->calAppuntamenti->setSelectedDate(QDate(2027, 3, 9));
                    picker->cmdImporta->click();
                }
            }
        });
        date->setFocus();
        if (byClick)
            QTest::mouseClick(date, Qt::LeftButton);
        else
            QTest::keyClick(date, Qt::Key_X);
        QCOMPARE(seenWord, word);
        QCOMPARE(date->text(), QStringLiteral("09/03/2027"));
        QTest::keyClick(date, Qt::Key_Delete);
        QVERIFY(date->text().isEmpty());
    }

    void chassisTakesOnlyWhatTheRecordKeeps()
    {
        QTest::keyClicks(w->txtTelaio, QStringLiteral("ZFA19900001234567"));
        QCOMPARE(w->txtTelaio->text(), QStringLiteral("ZFA1990000"));
    }

    void plateRules()
    {
        QTest::keyClicks(w->txtTarga, QStringLiteral("ab12cd "));
        QCOMPARE(w->txtTarga->text(), QStringLiteral("AB12CD"));
        QKeyEvent slash(QEvent::KeyPress, Qt::Key_Slash, Qt::NoModifier, QStringLiteral("/"));
        QApplication::sendEvent(w->txtTarga, &slash);
        QKeyEvent accented(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QStringLiteral("\u00E8"));
        QApplication::sendEvent(w->txtTarga, &accented);
        QCOMPARE(w->txtTarga->text(), QStringLiteral("AB12CD"));
        // Enter moves along the chain; from the notes back to the type.
        QTest::keyClick(w->txtTarga, Qt::Key_Return);
        QVERIFY(w->txtAnno->hasFocus());
        w->txtNote->setFocus();
        QTest::keyClick(w->txtNote, Qt::Key_Return);
        QVERIFY(w->txtTipo->hasFocus());
    }

    void mandatoryFields_data()
    {
        QTest::addColumn<QString>("empty");
        QTest::addColumn<QString>("message");
        QTest::newRow("type") << "txtTipo"
                              << "Attenzione: per salvare la scheda è necessario indicare il tipo di veicolo.";
        QTest::newRow("make") << "txtMarca"
                              << "Attenzione: per salvare la scheda è necessario indicare la marca del veicolo.";
        QTest::newRow("model") << "txtModello"
                               << "Attenzione: per salvare la scheda è necessario indicare il modello del veicolo.";
        QTest::newRow("plate") << "txtTarga"
                               << "Attenzione: per salvare la scheda è necessario indicare la targa del veicolo.";
    }
    void mandatoryFields()
    {
        QFETCH(QString, empty);
        QFETCH(QString, message);
        fillMandatory();
        auto *edit = w->findChild<QLineEdit *>(empty);
        QVERIFY(edit);
        edit->setText(QStringLiteral("   "));
        w->cmdSalvaClick();
        const auto shown = MessageBoxes::takeShown();
        QCOMPARE(shown.size(), 1);
        QCOMPARE(shown[0].kind, Kind::Warning);
        QCOMPARE(shown[0].text, message);
        QVERIFY(edit->hasFocus());
        QVERIFY(!QFile::exists(path(kArchive)));
    }

    void saveDuplicateAndPhotoFiles()
    {
        // A new vehicle without a photo gets the placeholder as its photo file, in Autoparco/.
        fillMandatory();
        w->cmdSalvaClick();
        QCOMPARE(MessageBoxes::takeShown().value(0).text,
                 QStringLiteral("La scheda corrente è stata inserita in archivio."));
        const QByteArray placeholder = TestSupport::readFile(path("Autoparco/Scheda_Veicolo_1.jpg"));
        QVERIFY(placeholder.startsWith("\xFF\xD8"));

        // A loaded JPEG is written with its own bytes; saving again overwrites the same record.
        const QByteArray photo = jpegFile(QSize(640, 360), Qt::darkRed);
        QVERIFY(TestSupport::writeFile(path("furgone.jpg"), photo));
        FileDialogs::setNextFileName(path("furgone.jpg"));
        w->btnCaricaFoto->click();
        w->cmdSalvaClick();
        QCOMPARE(MessageBoxes::takeShown().value(0).text,
                 QStringLiteral("Le modifiche apportate alla scheda corrente sono state salvate in archivio."));
        QCOMPARE(QFileInfo(path(kArchive)).size(), qint64(AutomezzoRecord::kSize));
        QCOMPARE(TestSupport::readFile(path("Autoparco/Scheda_Veicolo_1.jpg")), photo);

        // Duplicate: data kept, attachments, position and photo dropped; Save appends a copy.
        w->lblFile01->setText(QStringLiteral("polizza.pdf"));
        w->cmdSalvaClick();
        MessageBoxes::takeShown();
        w->cmdDuplicaClick();
        QCOMPARE(MessageBoxes::takeShown().value(0).kind, Kind::Information);
        QVERIFY(w->lblPosizione->text().isEmpty());
        QVERIFY(w->imgFoto->isPlaceholder());
        w->txtTarga->setText(QStringLiteral("GH789IJ"));
        const QByteArray first = recordBytesAt(1);
        w->cmdSalvaClick();
        QCOMPARE(w->lblPosizione->text(), QStringLiteral("2"));
        QCOMPARE(recordBytesAt(1), first);
        const AutomezzoRecord copy = AutomezzoRecord::fromBytes(recordBytesAt(2));
        QCOMPARE(copy.Modello, QStringLiteral("Daily"));
        QVERIFY(copy.File01.isEmpty());
        QCOMPARE(TestSupport::readFile(path("Autoparco/Scheda_Veicolo_2.jpg")), placeholder);
        QCOMPARE(TestSupport::readFile(path("Autoparco/Scheda_Veicolo_1.jpg")), photo);
    }

    void browsingShowsEachVehicleWithItsPhoto()
    {
        appendRecords({vehicle(QStringLiteral("AA111AA")), vehicle(QStringLiteral("BB222BB"))});
        const QByteArray photo = jpegFile(QSize(100, 60), Qt::blue);
        QVERIFY(QDir(m_folder->path()).mkpath(QStringLiteral("Autoparco")));
        QVERIFY(TestSupport::writeFile(path("Autoparco/Scheda_Veicolo_2.jpg"), photo));
        QVERIFY(TestSupport::writeFile(path("Autoparco/Scheda_Veicolo_1.jpg"), QByteArray("rotta")));
        w->cmdAvantiClick();  // no position yet: the first vehicle
        QCOMPARE(w->txtTarga->text(), QStringLiteral("AA111AA"));
        QCOMPARE(w->txtScadRevisione->text(), QStringLiteral("31/01/2027"));
        QVERIFY(w->imgFoto->isPlaceholder());
        // The unreadable photo is never overwritten by the placeholder at Save.
        w->cmdSalvaClick();
        QCOMPARE(TestSupport::readFile(path("Autoparco/Scheda_Veicolo_1.jpg")), QByteArray("rotta"));
        w->cmdAvantiClick();
        QVERIFY(!w->imgFoto->isPlaceholder());
        QCOMPARE(w->lblPosizione->text(), QStringLiteral("2"));
        w->cmdAvantiClick();  // the last: nothing happens
        QCOMPARE(w->lblPosizione->text(), QStringLiteral("2"));
    }

    // Every command that puts another vehicle (or a new one) in place of the one on screen asks
    // first when the screen holds changes: Annulla keeps the screen, No drops the changes, Sì stores
    // them and goes on.
    void replacingTheVehicleAsksAboutUnsavedChanges_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<int>("answer");
        QTest::addColumn<QString>("target");  // the position the command shows; empty: a new vehicle
        const QList<QPair<const char *, const char *>> commands = {
            {"Successiva", "3"}, {"Nuovo", ""}, {"Trova", "3"}, {"Scadenze", "3"}};
        for (const auto &[command, target] : commands) {
            QTest::addRow("%s, Annulla", command) << command << int(MessageBoxes::Answer::Cancel) << target;
            QTest::addRow("%s, No", command) << command << int(MessageBoxes::Answer::No) << target;
            QTest::addRow("%s, Sì", command) << command << int(MessageBoxes::Answer::Yes) << target;
        }
    }
    void replacingTheVehicleAsksAboutUnsavedChanges()
    {
        QFETCH(QString, command);
        QFETCH(int, answer);
        QFETCH(QString, target);
        QList<AutomezzoRecord> vehicles;
        for (const char *plate : {"AA111AA", "BB222BB", "CC333CC"}) {
            vehicles.append(vehicle(QString::fromLatin1(plate)));
            vehicles.last().ScadBollo = QDate::currentDate().addDays(10).toString(QStringLiteral("dd/MM/yyyy"));
        }
        appendRecords(vehicles);
        const QByteArray stored = recordBytesAt(2);
        QVERIFY(w->ShowRecordAt(2));
        w->txtNote->setFocus();
        QTest::keyClicks(w->txtNote, QStringLiteral("gomme da cambiare"));
        MessageBoxes::takeShown();
        MessageBoxes::setNextAnswer(MessageBoxes::Answer(answer));

        // A list dialog opened by a command: the vehicle at position 3 double-clicked in it.
        QTimer::singleShot(0, [] {
            auto *dialog = qobject_cast<RecordListDialog *>(QApplication::activeModalWidget());
            if (!dialog)
                return;
            if (auto *search = qobject_cast<TfrmTrovaAutomezzi *>(dialog))
                search->btnCerca->click();
            for (int row = 0; row < dialog->lstRecords->count(); ++row) {
                if (dialog->lstRecords->positionAt(row) == 3)
                    SchedaFixture::doubleClickRow(dialog->lstRecords, row);
            }
            if (dialog->isVisible())
                dialog->reject();
        });
        if (command == QLatin1String("Successiva"))
            w->cmdAvanti->click();
        else if (command == QLatin1String("Nuovo"))
            w->cmdNuovo->click();
        else if (command == QLatin1String("Trova"))
            w->cmdTrova->click();
        else
            w->cmdScadenze->click();
        QCoreApplication::processEvents();  // the list dialog's timer, when no dialog came

        const auto shown = MessageBoxes::takeShown();
        const bool saved = answer == int(MessageBoxes::Answer::Yes);
        QCOMPARE(shown.size(), saved ? 2 : 1);
        QCOMPARE(shown[0].kind, Kind::SaveQuestion);
        QCOMPARE(shown[0].text, QStringLiteral("Salvare le modifiche alla scheda?"));
        QCOMPARE(QFileInfo(path(kArchive)).size(), qint64(3 * AutomezzoRecord::kSize));
        if (saved)
            QCOMPARE(AutomezzoRecord::fromBytes(recordBytesAt(2)).Note, QStringLiteral("gomme da cambiare"));
        else
            QCOMPARE(recordBytesAt(2), stored);
        if (answer == int(MessageBoxes::Answer::Cancel)) {
            QCOMPARE(w->lblPosizione->text(), QStringLiteral("2"));
            QCOMPARE(w->txtNote->text(), QStringLiteral("gomme da cambiare"));
        } else {
            QCOMPARE(w->lblPosizione->text(), target);
            QCOMPARE(w->txtTarga->text(), target.isEmpty() ? QString() : QStringLiteral("CC333CC"));
        }
    }

    // A line of the plate history opens its sheet in the sheet window, which takes the vehicle
    // window's place: the vehicle's unsaved changes are asked about first, as Esci would.
    void historyLineAsksBeforeTheSheetWindowTakesOver_data()
    {
        QTest::addColumn<int>("answer");
        QTest::newRow("Annulla") << int(MessageBoxes::Answer::Cancel);
        QTest::newRow("No") << int(MessageBoxes::Answer::No);
        QTest::newRow("Sì") << int(MessageBoxes::Answer::Yes);
    }
    void historyLineAsksBeforeTheSheetWindowTakesOver()
    {
        QFETCH(int, answer);
        appendRecords({vehicle(QStringLiteral("AB123CD"))});
        const QByteArray stored = recordBytesAt(1);
        RecordArchive sheets;
        QVERIFY(sheets.OpenOrCreate(path(SchedaRecord::fileName()), SchedaRecord::kSize));
        QVERIFY(sheets.Append(TestSupport::sampleSheet(QStringLiteral("41")).toBytes()) == 1);
        sheets.Close();
        QVERIFY(w->ShowRecordAt(1));
        w->txtNote->setFocus();
        QTest::keyClicks(w->txtNote, QStringLiteral("gomme da cambiare"));
        MessageBoxes::takeShown();
        MessageBoxes::setNextAnswer(MessageBoxes::Answer(answer));
        QTimer::singleShot(0, [] {
            auto *history = qobject_cast<TfrmStorico *>(QApplication::activeModalWidget());
            QVERIFY(history);
            QCOMPARE(history->lstRecords->count(), 1);
            SchedaFixture::doubleClickRow(history->lstRecords, 0);
        });
        w->cmdStorico->click();

        const auto shown = MessageBoxes::takeShown();
        const bool saved = answer == int(MessageBoxes::Answer::Yes);
        const bool kept = answer == int(MessageBoxes::Answer::Cancel);
        QCOMPARE(shown.size(), saved ? 2 : 1);
        QCOMPARE(shown[0].kind, Kind::SaveQuestion);
        if (saved)
            QCOMPARE(AutomezzoRecord::fromBytes(recordBytesAt(1)).Note, QStringLiteral("gomme da cambiare"));
        else
            QCOMPARE(recordBytesAt(1), stored);
        TfrmInterventi *sheet = m_windows->frmInterventi();
        QCOMPARE(w->isVisible(), kept);
        QCOMPARE(sheet->isVisible(), !kept);
        if (kept) {
            QCOMPARE(w->txtNote->text(), QStringLiteral("gomme da cambiare"));
        } else {
            QCOMPARE(sheet->txtNumScheda->text(), QStringLiteral("41"));
            QCOMPARE(sheet->lblPosizione->text(), QStringLiteral("1"));
        }
    }

    // Save over a vehicle that another workstation saved since it was shown: the user is told and
    // chooses; nothing is overwritten unasked.
    void saveOverAVehicleChangedElsewhere_data()
    {
        QTest::addColumn<int>("answer");
        QTest::newRow("Annulla") << int(MessageBoxes::Answer::Cancel);
        QTest::newRow("Ricarica") << int(MessageBoxes::Answer::Reload);
        QTest::newRow("Sovrascrivi") << int(MessageBoxes::Answer::Overwrite);
    }
    void saveOverAVehicleChangedElsewhere()
    {
        QFETCH(int, answer);
        appendRecords({vehicle(QStringLiteral("AB123CD"))});
        w->cmdPrimo->click();
        QVERIFY(TestSupport::saveOnAnotherWorkstation(m_folder->path(), QStringLiteral("automezzi"), 1,
                                                      {QStringLiteral("Chilometri=120000")}));
        const QByteArray storedElsewhere = recordBytesAt(1);
        w->txtNote->setFocus();
        QTest::keyClicks(w->txtNote, QStringLiteral("gomme da cambiare"));
        MessageBoxes::takeShown();
        MessageBoxes::setNextAnswer(MessageBoxes::Answer(answer));
        w->cmdSalva->click();

        const auto shown = MessageBoxes::takeShown();
        const bool overwritten = answer == int(MessageBoxes::Answer::Overwrite);
        QCOMPARE(shown.size(), overwritten ? 2 : 1);
        QCOMPARE(shown[0].kind, Kind::OverwriteQuestion);
        QVERIFY(shown[0].text.startsWith(QStringLiteral(
            "La scheda del veicolo è stata modificata da un'altra postazione dopo che è stata aperta.")));
        if (overwritten)
            QCOMPARE(AutomezzoRecord::fromBytes(recordBytesAt(1)).Note, QStringLiteral("gomme da cambiare"));
        else
            QCOMPARE(recordBytesAt(1), storedElsewhere);
        const bool reloaded = answer == int(MessageBoxes::Answer::Reload);
        QCOMPARE(w->txtNote->text(), reloaded ? QString() : QStringLiteral("gomme da cambiare"));
        QCOMPARE(w->txtChilometri->text(), reloaded ? QStringLiteral("120000") : QString());
    }
};

QTEST_MAIN(TestAutoparco)
#include "tst_autoparco.moc"
