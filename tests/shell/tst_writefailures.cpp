// Every command that writes, made to fail at each of its write steps in turn (open, write, flush,
// rename) through the fault seam. Whatever step fails, the user is told, no success is reported,
// every file that was there keeps its bytes, no temporary file stays behind and the window still
// holds what the user entered.

#include "archive/AutomezzoRecord.h"
#include "archive/ClienteRecord.h"
#include "archive/RecordArchive.h"
#include "archive/SchedaRecord.h"
#include "backup/Backup.h"
#include "backup/CommandLine.h"
#include "common/FaultInjection.h"
#include "customers/TfrmClienti.h"
#include "customers/TfrmExpClienti.h"
#include "media/Logo.h"
#include "media/TfrmAllegaCartella.h"
#include "media/TfrmLogo.h"
#include "sheets/TfrmInterventi.h"
#include "sheets/TfrmNumerazione.h"
#include "shell/AppWindows.h"
#include "shell/PasswordStore.h"
#include "shell/TfrmAvvio.h"
#include "shell/TfrmCambiaPassword.h"
#include "support/TestSupport.h"
#include "vehicles/TfrmAutoparco.h"
#include "vehicles/TfrmExpAutoparco.h"
#include "widgets/FileDialogs.h"
#include "widgets/FormHelpers.h"
#include "widgets/MessageBoxes.h"
#include "widgets/PhotoArea.h"
#include "widgets/RecordWindow.h"

#include <QBuffer>
#include <QDir>
#include <QDirIterator>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QTextStream>
#include <QToolButton>
#include <QtTest>

#include <functional>
#include <map>
#include <vector>

using Kind = MessageBoxes::Kind;

namespace {

// What one row works with: the program folder, a folder of the user's own files, the windows.
struct Context
{
    QString prog;
    QString elsewhere;
    std::unique_ptr<AppWindows> windows;
    std::vector<std::unique_ptr<QWidget>> dialogs;  // closed before the windows go
    std::function<QString()> screen;                // what the user entered, as the window holds it
    RecordWindow *record = nullptr;                 // a record window that must not drop it unasked
    QList<MessageBoxes::Shown> told;                // what a command-line verb printed

    QString at(const QString &relative) const { return QDir(prog).filePath(relative); }
    QString other(const QString &relative) const { return QDir(elsewhere).filePath(relative); }
    template<typename T>
    T *keep(T *dialog)
    {
        dialogs.emplace_back(dialog);
        return dialog;
    }
};

struct Row
{
    Row(const char *name, std::function<void(Context &)> prepare, std::function<void(Context &)> act,
        QString successText, QString partialText = {}, QString partialFiles = {})
        : name(name), prepare(std::move(prepare)), act(std::move(act)), successText(std::move(successText)),
          partialText(std::move(partialText)), partialFiles(std::move(partialFiles))
    {
    }
    const char *name;
    std::function<void(Context &)> prepare;  // files and windows, before any step is counted
    std::function<void(Context &)> act;      // the user's command
    // A text found only in the message that reports success; empty when success is silent.
    QString successText;
    // A message that reports a partial store (a record kept, a photo not); while it is shown, the
    // files matching `partialFiles` may hold what a successful run stores, every other stays as it was.
    QString partialText;
    QString partialFiles;
};

QByteArray jpeg(const QColor &colour)
{
    return TestSupport::solidJpeg(colour, QSize(64, 48));
}

void put(const QString &path, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    if (!TestSupport::writeFile(path, bytes))
        qFatal("cannot write the fixture file %s", qPrintable(path));
}

void append(const QString &path, int size, const QByteArray &record)
{
    RecordArchive archive;
    if (!archive.OpenOrCreate(path, size) || archive.Append(record) < 1)
        qFatal("cannot write the fixture archive %s", qPrintable(path));
}

QByteArray sheet(const QString &number)
{
    return TestSupport::sampleSheet(number).toBytes();
}

QByteArray customer(const QString &surname)
{
    ClienteRecord r;
    r.Cognome = surname;
    r.Nome = QStringLiteral("Anna");
    return r.toBytes();
}

QByteArray vehicle(const QString &plate)
{
    AutomezzoRecord r;
    r.Tipo = QStringLiteral("Autocarro");
    r.Marca = QStringLiteral("Iveco");
    r.Modello = QStringLiteral("Daily");
    r.Targa = plate;
    return r.toBytes();
}

// A program folder with data in every place a command writes to.
void workshop(Context &c)
{
    append(c.at(QStringLiteral("Schede_Interventi_Elettrauto.pro")), SchedaRecord::kSize, sheet("1"));
    append(c.at(QStringLiteral("Clienti.pro")), ClienteRecord::kSize, customer("Rossi"));
    append(c.at(AutomezzoRecord::fileName()), AutomezzoRecord::kSize, vehicle("AA111BB"));
    put(c.at(QStringLiteral("Foto_A_1.jpg")), jpeg(Qt::red));
    put(c.at(QStringLiteral("Foto_B_1.jpg")), jpeg(Qt::green));
    put(c.at(QStringLiteral("Autoparco/Scheda_Veicolo_1.jpg")), jpeg(Qt::blue));
    put(c.at(QStringLiteral("Documenti_Allegati/libretto.pdf")), "libretto di prima");
    put(c.at(QStringLiteral("Cablora.ini")),
        "; impostazioni\r\n[Schede Interventi]\r\nIntestazione Azienda=Elettrauto Bianchi\r\n");
    put(c.at(QStringLiteral("Contratti.ini")), "[Numerazione Contratti]\r\nInizio=100\r\n");
    if (!PasswordStore::store(c.prog, QStringLiteral("VECCHIA")))
        qFatal("cannot write the password store");
    put(c.at(QStringLiteral("Logo.bmp")), [] {
        QByteArray bytes;
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        TestSupport::solid(Qt::yellow, QSize(40, 20)).save(&buffer, "BMP");
        return bytes;
    }());
    put(c.at(QStringLiteral("Clienti.xls")), "esportazione di ieri");
    put(c.at(QStringLiteral("Parco_Automezzi.xls")), "esportazione di ieri");
    put(c.at(TfrmClienti::pdfFileName()), "%PDF-1.4 di ieri");
    put(c.other(QStringLiteral("scelta.jpg")), jpeg(Qt::cyan));
    c.windows = TestSupport::createWindows(c.prog);
}

template<typename W>
W *shown(Context &c, W *w)
{
    c.windows->showApp(w);
    QApplication::setActiveWindow(w);
    return w;
}

QString photoState(const PhotoArea *area)
{
    return area->isPlaceholder() ? QStringLiteral("segnaposto") : QString::number(area->fullImage().width());
}

void fillSheet(TfrmInterventi *w)
{
    w->txtNumScheda->setText(QStringLiteral("7"));
    w->txtData->setText(QStringLiteral("02/03/2026"));
    w->txtCliente->setText(QStringLiteral("Luigi Neri"));
    w->txtRecapito->setText(QStringLiteral("0123 456"));
    w->txtTarga->setText(QStringLiteral("XY987ZT"));
    w->txtMarca->setText(QStringLiteral("Lancia Ypsilon"));
}

void sheetScreen(Context &c, TfrmInterventi *w)
{
    c.record = w;
    c.screen = [w] {
        return QString::fromLatin1(w->RecordFromScreen().toBytes().toHex()) + photoState(w->imgFoto)
               + photoState(w->imgFoto02);
    };
}

void vehicleScreen(Context &c, TfrmAutoparco *w)
{
    c.record = w;
    c.screen = [w] { return QString::fromLatin1(w->RecordFromScreen().toBytes().toHex()) + photoState(w->imgFoto); };
}

// Runs a command-line verb and keeps what it told as a message would be kept.
void verb(Context &c, QStringList arguments)
{
    arguments << QStringLiteral("--cartella") << c.prog;
    QString printed, errors;
    QTextStream out(&printed), err(&errors);
    const int code = CommandLine::run(arguments, c.prog, out, err);
    out.flush();
    err.flush();
    if (code == 0)
        c.told.append({Kind::Information, QStringLiteral("[riuscito] ") + printed});
    else
        c.told.append({Kind::Error, errors});
}

const QString kSheetPhotoPartial = QStringLiteral("è stata salvata, ma non è stato possibile salvare");

const std::vector<Row> &rows()
{
    static const std::vector<Row> table{
        {"sheet save, new sheet",
         [](Context &c) {
             workshop(c);
             auto *w = shown(c, c.windows->frmInterventi());
             fillSheet(w);
             FileDialogs::setNextFileName(c.other(QStringLiteral("scelta.jpg")));
             w->btnCaricaFoto->click();
             sheetScreen(c, w);
         },
         [](Context &c) { c.windows->frmInterventi()->cmdSalvaClick(); },
         QStringLiteral("è stata inserita in archivio"), kSheetPhotoPartial,
         QStringLiteral("^(Schede_Interventi_Elettrauto\\.pro|Foto_[AB]_2\\.jpg)$")},
        {"sheet save, changed sheet",
         [](Context &c) {
             workshop(c);
             auto *w = shown(c, c.windows->frmInterventi());
             w->cmdPrimoClick();
             w->txtCliente->setText(QStringLiteral("Mario Rossi jr"));
             FileDialogs::setNextFileName(c.other(QStringLiteral("scelta.jpg")));
             w->btnCaricaFoto->click();
             sheetScreen(c, w);
         },
         [](Context &c) { c.windows->frmInterventi()->cmdSalvaClick(); },
         QStringLiteral("sono state salvate in archivio"), kSheetPhotoPartial,
         QStringLiteral("^Schede_Interventi_Elettrauto\\.pro$")},
        {"customer save, new customer",
         [](Context &c) {
             workshop(c);
             auto *w = shown(c, c.windows->frmClienti());
             w->txtCognome->setText(QStringLiteral("Verdi"));
             w->txtNome->setText(QStringLiteral("Carla"));
             c.record = w;
             c.screen = [w] { return QString::fromLatin1(w->RecordFromScreen().toBytes().toHex()); };
         },
         [](Context &c) { c.windows->frmClienti()->cmdSalvaClick(); }, QStringLiteral("è stata inserita in archivio")},
        {"customer save, changed customer",
         [](Context &c) {
             workshop(c);
             auto *w = shown(c, c.windows->frmClienti());
             w->cmdPrimoClick();
             w->txtNome->setText(QStringLiteral("Annamaria"));
             c.record = w;
             c.screen = [w] { return QString::fromLatin1(w->RecordFromScreen().toBytes().toHex()); };
         },
         [](Context &c) { c.windows->frmClienti()->cmdSalvaClick(); },
         QStringLiteral("sono state salvate in archivio")},
        {"vehicle save, new vehicle with photo",
         [](Context &c) {
             workshop(c);
             auto *w = shown(c, c.windows->frmAutoparco());
             w->txtTipo->setText(QStringLiteral("Furgone"));
             w->txtMarca->setText(QStringLiteral("Fiat"));
             w->txtModello->setText(QStringLiteral("Ducato"));
             w->txtTarga->setText(QStringLiteral("CC222DD"));
             FileDialogs::setNextFileName(c.other(QStringLiteral("scelta.jpg")));
             w->btnCaricaFoto->click();
             vehicleScreen(c, w);
         },
         [](Context &c) { c.windows->frmAutoparco()->cmdSalvaClick(); }, QStringLiteral("è stata inserita in archivio"),
         kSheetPhotoPartial, QStringLiteral("^Parco_Automezzi\\.pro$")},
        {"vehicle save, changed photo",
         [](Context &c) {
             workshop(c);
             auto *w = shown(c, c.windows->frmAutoparco());
             w->cmdPrimoClick();
             FileDialogs::setNextFileName(c.other(QStringLiteral("scelta.jpg")));
             w->btnCaricaFoto->click();
             vehicleScreen(c, w);
         },
         [](Context &c) { c.windows->frmAutoparco()->cmdSalvaClick(); },
         QStringLiteral("sono state salvate in archivio"), kSheetPhotoPartial,
         QStringLiteral("^Parco_Automezzi\\.pro$")},
        {"sheet photo saved to disk",
         [](Context &c) {
             workshop(c);
             put(c.other(QStringLiteral("Foto.jpg")), "foto salvata ieri");
             auto *w = shown(c, c.windows->frmInterventi());
             w->cmdPrimoClick();
             sheetScreen(c, w);
             c.record = nullptr;  // nothing changed on screen
         },
         [](Context &c) {
             FileDialogs::setNextFileName(c.other(QStringLiteral("Foto.jpg")));
             c.windows->frmInterventi()->btnSalvaFoto->click();
         },
         QString()},
        {"vehicle photo saved to disk",
         [](Context &c) {
             workshop(c);
             put(c.other(QStringLiteral("Foto.jpg")), "foto salvata ieri");
             auto *w = shown(c, c.windows->frmAutoparco());
             w->cmdPrimoClick();
             vehicleScreen(c, w);
             c.record = nullptr;  // nothing changed on screen
         },
         [](Context &c) {
             FileDialogs::setNextFileName(c.other(QStringLiteral("Foto.jpg")));
             c.windows->frmAutoparco()->btnSalvaFoto->click();
         },
         QString()},
        {"settings: company heading kept on closing the sheet window",
         [](Context &c) {
             workshop(c);
             auto *w = shown(c, c.windows->frmInterventi());
             w->txtAzienda->setText(QStringLiteral("Elettrauto Verdi"));
             c.screen = [w] { return w->txtAzienda->text(); };
         },
         [](Context &c) { c.windows->frmInterventi()->FormClose(); }, QString()},
        {"numbering start",
         [](Context &c) {
             workshop(c);
             auto *d = c.keep(new TfrmNumerazione(*c.windows, c.windows->frmInterventi()));
             d->lblMemory->setText(QStringLiteral("contratti"));
             d->show();
             d->txtInizio->setText(QStringLiteral("250"));
             c.screen = [d] { return d->txtInizio->text() + (d->isVisible() ? "aperta" : "chiusa"); };
         },
         [](Context &c) { static_cast<TfrmNumerazione *>(c.dialogs.back().get())->cmdApplica->click(); }, QString()},
        {"logo",
         [](Context &c) {
             workshop(c);
             put(c.other(QStringLiteral("nuovo.bmp")), [] {
                 QByteArray bytes;
                 QBuffer buffer(&bytes);
                 buffer.open(QIODevice::WriteOnly);
                 TestSupport::solid(Qt::magenta, QSize(30, 30)).save(&buffer, "BMP");
                 return bytes;
             }());
             auto *d = c.keep(new TfrmLogo(*c.windows));
             d->show();
             FileDialogs::setNextFileName(c.other(QStringLiteral("nuovo.bmp")));
             d->btnSfoglia->click();
         },
         [](Context &c) { static_cast<TfrmLogo *>(c.dialogs.back().get())->btnApplica->click(); }, QString()},
        {"password change",
         [](Context &c) {
             workshop(c);
             TfrmCambiaPassword *w = c.windows->frmCambiaPassword();
             w->show();
             w->txtPasswordOld->setText(QStringLiteral("vecchia"));
             w->txtPasswordNew->setText(QStringLiteral("nuova"));
             w->txtConferma->setText(QStringLiteral("nuova"));
             c.screen = [w] { return w->txtPasswordNew->text() + w->txtConferma->text(); };
         },
         [](Context &c) { c.windows->frmCambiaPassword()->cmdOKClick(); }, QStringLiteral("completata con successo")},
        {"customer export to Excel",
         [](Context &c) {
             workshop(c);
             c.keep(new TfrmExpClienti(*c.windows))->show();
         },
         [](Context &c) { c.dialogs.back()->findChild<QToolButton *>(QStringLiteral("cmdEsporta"))->click(); },
         QStringLiteral("con successo")},
        {"vehicle export to Excel",
         [](Context &c) {
             workshop(c);
             c.keep(new TfrmExpAutoparco(*c.windows))->show();
         },
         [](Context &c) { c.dialogs.back()->findChild<QToolButton *>(QStringLiteral("cmdEsporta"))->click(); },
         QStringLiteral("con successo")},
        {"customer sheet PDF",
         [](Context &c) {
             workshop(c);
             auto *w = shown(c, c.windows->frmClienti());
             w->cmdPrimoClick();
             w->txtNome->setText(QStringLiteral("Annamaria"));
             c.screen = [w] { return QString::fromLatin1(w->RecordFromScreen().toBytes().toHex()); };
         },
         [](Context &c) { c.windows->frmClienti()->cmdPDFClick(); }, QStringLiteral("terminata con successo")},
        {"attachment copied over an older one",
         [](Context &c) {
             workshop(c);
             put(c.other(QStringLiteral("libretto.pdf")), "libretto nuovo, scansionato oggi");
             auto *d = c.keep(new TfrmAllegaCartella(*c.windows, c.windows->frmClienti()));
             d->lblMemory->setText(QStringLiteral("clienti"));
             d->show();
             c.screen = [d] { return d->txtFile01->text(); };
         },
         [](Context &c) {
             FileDialogs::setNextFileName(c.other(QStringLiteral("libretto.pdf")));
             static_cast<TfrmAllegaCartella *>(c.dialogs.back().get())->btnSfoglia01->click();
         },
         QString()},
        {"backup copy from the launcher",
         [](Context &c) {
             workshop(c);
             QDir().mkpath(c.other(QStringLiteral("copie")));
         },
         [](Context &c) {
             FileDialogs::setNextFileName(c.other(QStringLiteral("copie")));
             c.windows->frmAvvio()->imgCopia->click();
         },
         QStringLiteral("completata e verificata")},
        {"restore from the launcher",
         [](Context &c) {
             workshop(c);
             QString error;
             if (!Backup::writeZip(c.other(QStringLiteral("Cablora_copia.zip")),
                                   {{QStringLiteral("Clienti.pro"), customer("Bianchi")},
                                    {QStringLiteral("Cablora.ini"), "[Schede Interventi]\r\n"},
                                    {QStringLiteral("Autoparco/Scheda_Veicolo_1.jpg"), jpeg(Qt::black)},
                                    {QStringLiteral("Documenti_Allegati/libretto.pdf"), "libretto della copia"}},
                                   &error))
                 qFatal("cannot write the backup copy: %s", qPrintable(error));
         },
         [](Context &c) {
             FileDialogs::setNextFileName(c.other(QStringLiteral("Cablora_copia.zip")));
             c.windows->frmAvvio()->imgRipristina->click();
         },
         QStringLiteral("Ripristino completato")},
        {"command line: export CSV",
         [](Context &c) {
             workshop(c);
             put(c.other(QStringLiteral("clienti.csv")), "esportazione di ieri");
         },
         [](Context &c) {
             verb(c, {QStringLiteral("export"), QStringLiteral("clienti"), QStringLiteral("--format"),
                      QStringLiteral("csv"), c.other(QStringLiteral("clienti.csv"))});
         },
         QStringLiteral("[riuscito]")},
        {"command line: export JSON",
         [](Context &c) {
             workshop(c);
             append(c.at(QStringLiteral("Clienti.pro")), ClienteRecord::kSize, customer("Verdi"));
             put(c.other(QStringLiteral("clienti.json")), "esportazione di ieri");
         },
         [](Context &c) {
             verb(c, {QStringLiteral("export"), QStringLiteral("clienti"), QStringLiteral("--format"),
                      QStringLiteral("json"), c.other(QStringLiteral("clienti.json"))});
         },
         QStringLiteral("[riuscito]")},
        {"command line: import",
         [](Context &c) {
             workshop(c);
             // The archive's one customer, exported as a user would to edit it and bring it back.
             verb(c, {QStringLiteral("export"), QStringLiteral("clienti"), QStringLiteral("--format"),
                      QStringLiteral("csv"), c.other(QStringLiteral("nuovi.csv"))});
             if (!c.told.value(0).text.startsWith(QStringLiteral("[riuscito]")))
                 qFatal("cannot export the customer to import: %s", qPrintable(c.told.value(0).text));
             c.told.clear();
         },
         [](Context &c) {
             verb(c, {QStringLiteral("import"), QStringLiteral("clienti"), c.other(QStringLiteral("nuovi.csv"))});
         },
         QStringLiteral("[riuscito]")},
        {"command line: restore",
         [](Context &c) {
             workshop(c);
             QString error;
             if (!Backup::writeZip(c.other(QStringLiteral("Cablora_copia.zip")),
                                   {{QStringLiteral("Clienti.pro"), customer("Bianchi")},
                                    {QStringLiteral("Schede_Interventi_Elettrauto.pro"), sheet("2")},
                                    {AutomezzoRecord::fileName(), vehicle("CC333DD")},
                                    {QStringLiteral("Documenti_Allegati/libretto.pdf"), "libretto della copia"}},
                                   &error))
                 qFatal("cannot write the backup copy: %s", qPrintable(error));
         },
         [](Context &c) {
             verb(c, {QStringLiteral("restore"), c.other(QStringLiteral("Cablora_copia.zip"))});
         },
         QStringLiteral("[riuscito]")},
        {"command line: backup",
         [](Context &c) {
             workshop(c);
             QDir().mkpath(c.other(QStringLiteral("copie")));
         },
         [](Context &c) {
             verb(c, {QStringLiteral("backup"), c.other(QStringLiteral("copie"))});
         },
         QStringLiteral("[riuscito]")},
    };
    return table;
}

// Every file and folder under root, relative, with its bytes (folders with none).
using Snapshot = std::map<QString, QByteArray>;

Snapshot snapshot(const QString &root)
{
    Snapshot files;
    QDirIterator it(root, QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot | QDir::System,
                    QDirIterator::Subdirectories);
    const QDir base(root);
    while (it.hasNext()) {
        it.next();
        const QFileInfo info = it.fileInfo();
        const QString name = base.relativeFilePath(info.filePath());
        files[info.isDir() ? name + QLatin1Char('/') : name] =
            info.isDir() ? QByteArray() : TestSupport::readFile(info.filePath());
    }
    return files;
}

QString describe(const QList<MessageBoxes::Shown> &shown)
{
    QStringList texts;
    for (const auto &s : shown)
        texts << QStringLiteral("[%1] %2").arg(int(s.kind)).arg(s.text);
    return texts.join(QLatin1String(" | "));
}

}  // namespace

class TestWriteFailures : public QObject
{
    Q_OBJECT

    // One run of a row in a fresh root holding the program folder and the user's folder.
    struct Run
    {
        std::unique_ptr<QTemporaryDir> root = TestSupport::programFolder();
        Context context;
        Snapshot before, after;
        QString screenBefore, screenAfter;
        bool asksBeforeDropping = false;  // closing the record window asks to save first
        QList<MessageBoxes::Shown> shown;
        int steps = 0;

        Run(const Row &row, int failAt)
        {
            context.prog = QDir(root->path()).filePath(QStringLiteral("Cablora"));
            context.elsewhere = QDir(root->path()).filePath(QStringLiteral("Documenti"));
            QDir().mkpath(context.prog);
            QDir().mkpath(context.elsewhere);
            row.prepare(context);
            MessageBoxes::takeShown();
            FileDialogs::takeTitles();
            before = snapshot(root->path());
            if (context.screen)
                screenBefore = context.screen();
            FaultInjection::reset();
            FaultInjection::failNthStep(failAt);
            row.act(context);
            steps = FaultInjection::stepsSeen();
            FaultInjection::reset();
            shown = MessageBoxes::takeShown() + context.told;
            after = snapshot(root->path());
            if (context.screen)
                screenAfter = context.screen();
            if (context.record && failAt > 0) {
                MessageBoxes::setNextAnswer(MessageBoxes::Answer::Cancel);
                context.record->close();
                for (const auto &s : MessageBoxes::takeShown())
                    asksBeforeDropping = asksBeforeDropping || s.kind == Kind::SaveQuestion;
                MessageBoxes::setScripted(true);  // drops the answer when nothing asked
            }
        }
        ~Run()
        {
            FaultInjection::reset();
            context.screen = {};
            context.dialogs.clear();
            context.windows.reset();
            MessageBoxes::takeShown();
        }
    };

private slots:
    void initTestCase() { TestSupport::scriptEverything(); }

    void everyStepRefused_data()
    {
        QTest::addColumn<int>("row");
        for (int i = 0; i < int(rows().size()); ++i)
            QTest::newRow(rows().at(size_t(i)).name) << i;
    }

    void everyStepRefused()
    {
        QFETCH(int, row);
        const Row &r = rows().at(size_t(row));
        const auto reportsSuccess = [&r](const QList<MessageBoxes::Shown> &shown) {
            for (const auto &s : shown) {
                if (!r.successText.isEmpty() && s.text.contains(r.successText))
                    return true;
            }
            return false;
        };

        // Unarmed: the command succeeds, and every step it writes through is counted.
        int steps = 0;
        Snapshot stored;
        {
            Run run(r, 0);
            steps = run.steps;
            stored = run.after;
            QVERIFY2(steps > 0, "the command writes around the fault seam");
            for (const auto &s : run.shown)
                QVERIFY2(s.kind == Kind::Information || s.kind == Kind::Question, qPrintable(describe(run.shown)));
            if (!r.successText.isEmpty())
                QVERIFY2(reportsSuccess(run.shown), qPrintable(describe(run.shown)));
            QVERIFY2(run.after != run.before, "the command changed no file");
        }

        for (int failAt = 1; failAt <= steps; ++failAt) {
            Run run(r, failAt);
            const QString where = QStringLiteral("step %1 of %2: %3").arg(failAt).arg(steps).arg(describe(run.shown));
            const char *at = qPrintable(where);

            // (a) The user is told, and not that it went well.
            bool told = false, partial = false;
            for (const auto &s : run.shown) {
                told = told || s.kind == Kind::Warning || s.kind == Kind::Error || s.kind == Kind::Plain;
                partial = partial || (!r.partialText.isEmpty() && s.text.contains(r.partialText));
            }
            QVERIFY2(told, at);
            QVERIFY2(!reportsSuccess(run.shown), at);

            // (b), (c) Every file keeps its bytes and nothing new stays, but for what a partial store
            // reported as stored, which then holds exactly what a successful run stores.
            const QRegularExpression partialFiles(r.partialFiles);
            for (const auto &[name, bytes] : run.after) {
                const auto was = run.before.find(name);
                if (was != run.before.end() && was->second == bytes)
                    continue;
                const bool mayBeStored =
                    partial && !r.partialFiles.isEmpty() && partialFiles.match(QFileInfo(name).fileName()).hasMatch();
                const auto success = stored.find(name);
                QVERIFY2(
                    mayBeStored && success != stored.end() && success->second == bytes,
                    qPrintable(
                        QStringLiteral("%1 %2 after %3")
                            .arg(name, was == run.before.end() ? QStringLiteral("appeared") : QStringLiteral("changed"),
                                 where)));
            }
            for (const auto &[name, bytes] : run.before)
                QVERIFY2(run.after.count(name), qPrintable(name + QStringLiteral(" vanished after ") + where));

            // (d) The window still holds what the user entered.
            QCOMPARE(run.screenAfter, run.screenBefore);
            // ... and does not let it go unasked: what was not stored still counts as unsaved.
            if (run.context.record)
                QVERIFY2(run.asksBeforeDropping, at);
        }
        qInfo("%s: %d steps refused in turn", r.name, steps);
    }
};

QTEST_MAIN(TestWriteFailures)
#include "tst_writefailures.moc"
