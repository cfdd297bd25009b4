// What every record window (sheets, customers, vehicles) promises, checked once over the three: its
// field table binds every record field once, no field takes more typing than the field keeps, a
// record shown comes back unchanged, Save refuses an empty mandatory field, closing with unsaved
// changes asks first, and a photo that cannot be written is told and kept (the windows with photos).

#include "archive/AutomezzoRecord.h"
#include "archive/ClienteRecord.h"
#include "archive/SchedaRecord.h"
#include "customers/TfrmClienti.h"
#include "sheets/TfrmInterventi.h"
#include "shell/AppWindows.h"
#include "support/TestSupport.h"
#include "vehicles/TfrmAutoparco.h"
#include "widgets/FileDialogs.h"
#include "widgets/FormBinding.h"
#include "widgets/FormHelpers.h"
#include "widgets/MessageBoxes.h"
#include "widgets/PhotoArea.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QtTest>

namespace {

struct RecordWindowCase
{
    const char *name;
    RecordWindow *(*window)(AppWindows &);
    const RecordFormat &(*format)();
    const char *firstMandatory;  // Save's warning on an empty screen
};

const QList<RecordWindowCase> &recordWindowCases()
{
    static const QList<RecordWindowCase> cases = {
        {"schede", [](AppWindows &w) -> RecordWindow * { return w.frmInterventi(); }, &SchedaRecord::format,
         "Attenzione: per salvare la scheda è necessario assegnarle un numero."},
        {"clienti", [](AppWindows &w) -> RecordWindow * { return w.frmClienti(); }, &ClienteRecord::format,
         "Attenzione: per salvare la scheda è necessario indicare il cognome del cliente."},
        {"automezzi", [](AppWindows &w) -> RecordWindow * { return w.frmAutoparco(); }, &AutomezzoRecord::format,
         "Attenzione: per salvare la scheda è necessario indicare il tipo di veicolo."},
    };
    return cases;
}

// A photo of a window with photos, and the file it is stored in at position 1.
struct PhotoCase
{
    const char *name;
    int window;  // index in recordWindowCases()
    const char *file;
    PhotoArea *(*area)(RecordWindow *);
    PictureButton *(*load)(RecordWindow *);
    void (*fillMandatory)(RecordWindow *);
    const char *failure;  // Save's warning when the photo cannot be written
};

void fillSheet(RecordWindow *window)
{
    auto *w = static_cast<TfrmInterventi *>(window);
    w->txtNumScheda->setText(QStringLiteral("7"));
    w->txtData->setText(QStringLiteral("02/03/2026"));
    w->txtAzienda->setText(QStringLiteral("Elettrauto Verdi"));
    w->txtCliente->setText(QStringLiteral("Luigi Neri"));
    w->txtRecapito->setText(QStringLiteral("0123 456"));
    w->txtTarga->setText(QStringLiteral("XY987ZT"));
    w->txtMarca->setText(QStringLiteral("Lancia Ypsilon"));
}

void fillVehicle(RecordWindow *window)
{
    auto *w = static_cast<TfrmAutoparco *>(window);
    w->txtTipo->setText(QStringLiteral("Furgone"));
    w->txtMarca->setText(QStringLiteral("Iveco"));
    w->txtModello->setText(QStringLiteral("Daily"));
    w->txtTarga->setText(QStringLiteral("CD456EF"));
}

TfrmInterventi *sheet(RecordWindow *w)
{
    return static_cast<TfrmInterventi *>(w);
}

TfrmAutoparco *vehicle(RecordWindow *w)
{
    return static_cast<TfrmAutoparco *>(w);
}

const QList<PhotoCase> &photoCases()
{
    static const char *sheetFailure = "Attenzione: la scheda è stata salvata, ma non è stato possibile salvare le "
                                      "foto.\n\r\n\rAccertarsi di possedere i privilegi di scrittura nella "
                                      "cartella di installazione del programma.";
    static const QList<PhotoCase> cases = {
        {"schede, foto A", 0, "Foto_A_1.jpg", [](RecordWindow *w) { return sheet(w)->imgFoto; },
         [](RecordWindow *w) { return sheet(w)->btnCaricaFoto; }, &fillSheet, sheetFailure},
        {"schede, foto B", 0, "Foto_B_1.jpg", [](RecordWindow *w) { return sheet(w)->imgFoto02; },
         [](RecordWindow *w) { return sheet(w)->btnCaricaFoto02; }, &fillSheet, sheetFailure},
        {"automezzi", 2, "Autoparco/Scheda_Veicolo_1.jpg", [](RecordWindow *w) { return vehicle(w)->imgFoto; },
         [](RecordWindow *w) { return vehicle(w)->btnCaricaFoto; }, &fillVehicle,
         "Attenzione: la scheda è stata salvata, ma non è stato possibile salvare la foto.\n\r\n\rAccertarsi "
         "di possedere i privilegi di scrittura nella cartella di installazione del programma."},
    };
    return cases;
}

// A text that fills a field of this capacity, different for each field.
QString fieldValue(int field, int capacity)
{
    return QStringLiteral("V%1 ABC").arg(field).repeated(40).left(capacity);
}

}  // namespace

class TestRecordWindows : public QObject
{
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_folder;
    std::unique_ptr<AppWindows> m_windows;
    RecordWindow *w = nullptr;
    const RecordFormat *m_format = nullptr;

    void openWindow()
    {
        QFETCH(int, index);
        openWindowAt(index);
    }
    void openWindowAt(int index)
    {
        const RecordWindowCase &c = recordWindowCases().at(index);
        m_folder = TestSupport::programFolder();
        m_windows = TestSupport::createWindows(m_folder->path());
        w = c.window(*m_windows);
        m_format = &c.format();
        m_windows->showApp(w);
        QApplication::setActiveWindow(w);
        MessageBoxes::takeShown();
    }

    static void addWindows()
    {
        QTest::addColumn<int>("index");
        for (int i = 0; i < recordWindowCases().size(); ++i)
            QTest::newRow(recordWindowCases().at(i).name) << i;
    }

    static void addPhotos()
    {
        QTest::addColumn<int>("photo");
        for (int i = 0; i < photoCases().size(); ++i)
            QTest::newRow(photoCases().at(i).name) << i;
    }

    QString path(const QString &name) const { return m_folder->filePath(name); }

    // The window of the photo case, a picture loaded in its area, the mandatory fields filled, and
    // the place of the photo's file taken by a folder, so that the photo cannot be written.
    const PhotoCase &openWithUnwritablePhoto()
    {
        QFETCH(int, photo);
        const PhotoCase &c = photoCases().at(photo);
        openWindowAt(c.window);
        [&] {
            QVERIFY(QDir(m_folder->path()).mkpath(QString::fromLatin1(c.file)));
            QVERIFY(TestSupport::writeFile(path(QStringLiteral("scelta.jpg")),
                                           TestSupport::solidJpeg(Qt::yellow, QSize(80, 60))));
        }();
        FileDialogs::setNextFileName(path(QStringLiteral("scelta.jpg")));
        c.load(w)->click();
        c.fillMandatory(w);
        return c;
    }

private slots:
    void initTestCase() { TestSupport::scriptEverything(); }

    void cleanup()
    {
        w = nullptr;
        m_windows.reset();
        m_folder.reset();
    }

    void fieldTableBindsEveryFieldOnce_data() { addWindows(); }
    void fieldTableBindsEveryFieldOnce()
    {
        openWindow();
        QCOMPARE(w->binding().missingFields(), QStringList());
        QCOMPARE(w->binding().doubleFields(), QStringList());
    }

    // The check itself: a table that leaves a field out, or binds one twice, is reported.
    void aFieldLeftOutOrBoundTwiceIsReported()
    {
        FormBinding binding(ClienteRecord::format());
        QLineEdit first, second;
        binding.edit(ClienteRecord::fCognome, &first).edit(ClienteRecord::fCognome, &second);
        QCOMPARE(binding.doubleFields(), QStringList{QStringLiteral("Cognome")});
        const QStringList missing = binding.missingFields();
        QCOMPARE(missing.size(), ClienteRecord::FieldCount - 1);
        QVERIFY(missing.contains(QStringLiteral("Nome")));
        QVERIFY(!missing.contains(QStringLiteral("Cognome")));
    }

    void typingNeverExceedsTheFieldsCapacity_data() { addWindows(); }
    void typingNeverExceedsTheFieldsCapacity()
    {
        openWindow();
        for (int i = 0; i < m_format->fieldCount(); ++i) {
            QWidget *control = w->binding().control(i);
            QLineEdit *edit = qobject_cast<QLineEdit *>(control);
            if (auto *combo = qobject_cast<QComboBox *>(control))
                edit = combo->lineEdit();
            if (edit)
                QVERIFY2(edit->maxLength() <= m_format->field(i).capacity, m_format->field(i).name);
        }
    }

    void aRecordShownIsCollectedBackUnchanged_data() { addWindows(); }
    void aRecordShownIsCollectedBackUnchanged()
    {
        openWindow();
        QStringList values;
        for (int i = 0; i < m_format->fieldCount(); ++i) {
            QWidget *control = w->binding().control(i);
            if (qobject_cast<QCheckBox *>(control))
                values.append(QStringLiteral("S\u00EC"));
            else if (qobject_cast<QPlainTextEdit *>(control))
                values.append(QStringLiteral("prima riga\r\nseconda riga"));
            else
                values.append(fieldValue(i, m_format->field(i).capacity));
        }
        w->binding().show(values);
        QCOMPARE(w->binding().collect(), values);
        // Every printed field prints what the screen shows (line breaks as on screen), under its
        // control's name.
        for (const auto &[name, text] : w->binding().printTexts()) {
            int field = 0;
            while (field < m_format->fieldCount() && w->binding().control(field)->objectName() != name)
                ++field;
            QVERIFY2(field < m_format->fieldCount(), qPrintable(name));
            QCOMPARE(text, QString(values.at(field)).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
        }
    }

    void saveRefusesAnEmptyMandatoryField_data() { addWindows(); }
    void saveRefusesAnEmptyMandatoryField()
    {
        openWindow();
        QFETCH(int, index);
        w->cmdSalvaClick();
        const auto shown = MessageBoxes::takeShown();
        QCOMPARE(shown.size(), 1);
        QCOMPARE(shown[0].kind, MessageBoxes::Kind::Warning);
        QCOMPARE(shown[0].text, QString::fromUtf8(recordWindowCases().at(index).firstMandatory));
        QVERIFY(w->lblPosizione->text().isEmpty());
        QVERIFY(!QFile::exists(w->archivePath()));
    }

    void closingWithUnsavedChangesAsks_data() { addWindows(); }
    void closingWithUnsavedChangesAsks()
    {
        openWindow();
        // Nothing typed: Esci closes without a word.
        w->cmdEsciClick();
        QVERIFY(!w->isVisible());
        QVERIFY(MessageBoxes::takeShown().isEmpty());

        // Typed: Annulla stays with the text; No closes and drops it.
        m_windows->showApp(w);
        QApplication::setActiveWindow(w);
        auto *first = qobject_cast<QLineEdit *>(w->binding().control(0));
        QVERIFY(first);
        QTest::keyClicks(first, QStringLiteral("12"));
        MessageBoxes::setNextAnswer(MessageBoxes::Answer::Cancel);
        w->cmdEsciClick();
        QVERIFY(w->isVisible());
        QCOMPARE(first->text(), QStringLiteral("12"));
        const auto asked = MessageBoxes::takeShown();
        QCOMPARE(asked.size(), 1);
        QCOMPARE(asked[0].kind, MessageBoxes::Kind::SaveQuestion);
        QCOMPARE(asked[0].text, QStringLiteral("Salvare le modifiche alla scheda?"));
        MessageBoxes::setNextAnswer(MessageBoxes::Answer::No);
        w->cmdEsciClick();
        QVERIFY(!w->isVisible());
        QCOMPARE(MessageBoxes::takeShown().size(), 1);
        QVERIFY(!QFile::exists(w->archivePath()));
    }

    // Save stores the record and tells that the photo was not stored; the picture stays on screen.
    void aPhotoThatCannotBeWrittenIsToldAndKept_data() { addPhotos(); }
    void aPhotoThatCannotBeWrittenIsToldAndKept()
    {
        const PhotoCase &c = openWithUnwritablePhoto();
        if (QTest::currentTestFailed())
            return;
        w->cmdSalvaClick();
        const auto shown = MessageBoxes::takeShown();
        QCOMPARE(shown.size(), 1);
        QCOMPARE(shown[0].kind, MessageBoxes::Kind::Warning);
        QCOMPARE(shown[0].text, QString::fromUtf8(c.failure));
        QCOMPARE(w->lblPosizione->text(), QStringLiteral("1"));
        QCOMPARE(QFileInfo(w->archivePath()).size(), qint64(m_format->size()));
        QVERIFY(!c.area(w)->isPlaceholder());
    }

    // Esci -> Sì stores the record, but the photo cannot be written: the window stays with the
    // picture, and the next Esci asks again; once the photo can be written, Sì stores it over the
    // same position and closes.
    void closingKeepsTheWindowWhileAPhotoIsNotStored_data() { addPhotos(); }
    void closingKeepsTheWindowWhileAPhotoIsNotStored()
    {
        const PhotoCase &c = openWithUnwritablePhoto();
        if (QTest::currentTestFailed())
            return;
        MessageBoxes::setNextAnswer(MessageBoxes::Answer::Yes);
        w->cmdEsci->click();
        QVERIFY(w->isVisible());
        auto shown = MessageBoxes::takeShown();
        QCOMPARE(shown.size(), 2);
        QCOMPARE(shown[0].kind, MessageBoxes::Kind::SaveQuestion);
        QCOMPARE(shown[1].kind, MessageBoxes::Kind::Warning);
        QCOMPARE(w->lblPosizione->text(), QStringLiteral("1"));
        QVERIFY(!c.area(w)->isPlaceholder());

        QVERIFY(QDir(m_folder->path()).rmdir(QString::fromLatin1(c.file)));
        MessageBoxes::setNextAnswer(MessageBoxes::Answer::Yes);
        w->cmdEsci->click();
        QVERIFY(!w->isVisible());
        shown = MessageBoxes::takeShown();
        QCOMPARE(shown.size(), 2);
        QCOMPARE(shown[0].kind, MessageBoxes::Kind::SaveQuestion);
        QCOMPARE(shown[1].text,
                 QStringLiteral("Le modifiche apportate alla scheda corrente sono state salvate in archivio."));
        QCOMPARE(QFileInfo(w->archivePath()).size(), qint64(m_format->size()));
        QCOMPARE(TestSupport::readFile(path(QString::fromLatin1(c.file))),
                 TestSupport::readFile(path(QStringLiteral("scelta.jpg"))));
    }
};

QTEST_MAIN(TestRecordWindows)
#include "tst_recordwindows.moc"
