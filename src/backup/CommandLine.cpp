#include "backup/CommandLine.h"

#include "backup/Backup.h"
#include "backup/OpenFormats.h"
#include "invoice/InvoiceCommand.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTextStream>

namespace CommandLine {

namespace {

struct Options
{
    QStringList positional;
    QString folder;
    QString format;
    bool dryRun = false;
    bool incomplete = false;
    QString error;
};

Options parseOptions(const QStringList &arguments, const QString &defaultFolder)
{
    Options options;
    options.folder = defaultFolder;
    for (int i = 1; i < arguments.size(); ++i) {
        const QString &a = arguments.at(i);
        if (a == QLatin1String("--cartella") || a == QLatin1String("--format")) {
            if (i + 1 >= arguments.size()) {
                options.error = QStringLiteral("Manca il valore dopo %1.").arg(a);
                return options;
            }
            (a == QLatin1String("--cartella") ? options.folder : options.format) = arguments.at(++i);
        } else if (a == QLatin1String("--dry-run")) {
            options.dryRun = true;
        } else if (a == QLatin1String("--incompleta")) {
            options.incomplete = true;
        } else if (a.startsWith(QLatin1String("--"))) {
            options.error = QStringLiteral("Opzione sconosciuta: %1.").arg(a);
            return options;
        } else {
            options.positional << a;
        }
    }
    return options;
}

// The folder of the invoice verb (its other options are its own, see InvoiceCommand).
Options invoiceFolder(const QStringList &arguments, const QString &defaultFolder)
{
    Options options;
    options.folder = defaultFolder;
    const qsizetype at = arguments.indexOf(QStringLiteral("--cartella"));
    if (at > 0 && at + 1 < arguments.size())
        options.folder = arguments.at(at + 1);
    return options;
}

int usageError(QTextStream &err, const QString &message)
{
    err << message << '\n' << usage();
    err.flush();
    return 2;
}

int runExport(const Options &o, QTextStream &out, QTextStream &err)
{
    if (o.positional.size() != 2)
        return usageError(err, QStringLiteral("export vuole l'archivio e il file da scrivere."));
    const RecordFormat *record = OpenFormats::formatForArchive(o.positional.at(0));
    if (!record)
        return usageError(err, QStringLiteral("Archivio sconosciuto: %1.").arg(o.positional.at(0)));
    OpenFormats::Format format;
    if (!OpenFormats::formatFromName(o.format, &format)
        && !(o.format.isEmpty() && OpenFormats::formatFromFileName(o.positional.at(1), &format)))
        return usageError(err, QStringLiteral("Indicare il formato con --format csv oppure --format json."));
    QString error;
    const qint64 count = OpenFormats::exportArchive(o.folder, *record, format, o.positional.at(1), &error);
    if (count < 0) {
        err << error << '\n';
        return 1;
    }
    out << QStringLiteral("Esportati %1 record di %2 in %3.\n")
               .arg(count)
               .arg(record->fileName(), QDir::toNativeSeparators(o.positional.at(1)));
    return 0;
}

int runImport(const Options &o, QTextStream &out, QTextStream &err)
{
    if (o.positional.size() != 2)
        return usageError(err, QStringLiteral("import vuole l'archivio e il file da leggere."));
    const RecordFormat *record = OpenFormats::formatForArchive(o.positional.at(0));
    if (!record)
        return usageError(err, QStringLiteral("Archivio sconosciuto: %1.").arg(o.positional.at(0)));
    const QString &fileName = o.positional.at(1);
    OpenFormats::Format format;
    if (!(o.format.isEmpty() ? OpenFormats::formatFromFileName(fileName, &format)
                             : OpenFormats::formatFromName(o.format, &format)))
        return usageError(err, QStringLiteral("Formato sconosciuto: indicare --format csv oppure --format json."));
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly)) {
        err << QStringLiteral("Impossibile leggere il file %1: %2\n").arg(fileName, file.errorString());
        return 1;
    }
    const OpenFormats::Parsed parsed = OpenFormats::parse(format, file.readAll());
    if (!parsed.error.isEmpty()) {
        err << parsed.error << '\n' << QStringLiteral("Nessun record è stato aggiunto.\n");
        return 1;
    }
    const OpenFormats::Checked checked = OpenFormats::check(*record, parsed);
    if (!checked.problems.isEmpty()) {
        for (const QString &problem : checked.problems)
            err << problem << '\n';
        err << QStringLiteral("Il file contiene errori: nessun record è stato aggiunto a %1.\n")
                   .arg(record->fileName());
        return 1;
    }
    if (o.dryRun) {
        out << QStringLiteral("Verifica riuscita: %1 record si possono aggiungere a %2 (nulla è stato scritto).\n")
                   .arg(checked.records.size())
                   .arg(record->fileName());
        return 0;
    }
    QString error;
    const qint64 appended = OpenFormats::appendRecords(o.folder, *record, checked.records, &error);
    if (appended < checked.records.size()) {
        err << error << '\n' << QStringLiteral("Nessun record è stato aggiunto a %1.\n").arg(record->fileName());
        return 1;
    }
    out << QStringLiteral("Aggiunti %1 record a %2.\n").arg(appended).arg(record->fileName());
    return 0;
}

int runBackup(const Options &o, QTextStream &out, QTextStream &err)
{
    if (o.positional.size() != 1)
        return usageError(err, QStringLiteral("backup vuole la cartella in cui scrivere la copia."));
    const Backup::Result result = Backup::create(o.folder, o.positional.at(0), QDateTime::currentDateTime());
    if (!result.ok) {
        err << result.error << '\n';
        return 1;
    }
    out << QStringLiteral("Copia di sicurezza scritta e verificata: %1 (%2 file).\n")
               .arg(QDir::toNativeSeparators(result.path))
               .arg(result.files);
    return 0;
}

int runRestore(const Options &o, QTextStream &out, QTextStream &err)
{
    if (o.positional.size() != 1)
        return usageError(err, QStringLiteral("restore vuole il file della copia di sicurezza."));
    // There is nobody to ask: a copy that lacks some archives is restored only when the command
    // line says so.
    bool lacking = false;
    const Backup::Result result =
        Backup::restore(o.positional.at(0), o.folder, QDateTime::currentDateTime(), {}, [&](const QStringList &) {
            lacking = true;
            return o.incomplete;
        });
    if (!result.ok) {
        err << result.error << '\n';
        if (lacking && !o.incomplete)
            err << QStringLiteral("Per ripristinarla comunque, con quegli archivi vuoti, aggiungere --incompleta.\n");
        return 1;
    }
    if (!result.asideFolder.isEmpty())
        out << QStringLiteral("I dati presenti sono stati spostati in %1.\n")
                   .arg(QDir::toNativeSeparators(result.asideFolder));
    out << QStringLiteral("Ripristinati %1 file in %2.\n")
               .arg(result.files)
               .arg(QDir::toNativeSeparators(QDir(o.folder).absolutePath()));
    return 0;
}

}  // namespace

bool isVerb(const QString &word)
{
    return word == QLatin1String("export") || word == QLatin1String("import") || word == QLatin1String("backup")
           || word == QLatin1String("restore") || word == InvoiceCommand::kVerb;
}

QString usage()
{
    return QStringLiteral(
        "Uso:\n"
        "  cablora export schede|clienti|automezzi --format csv|json FILE\n"
        "  cablora import schede|clienti|automezzi FILE [--format csv|json] [--dry-run]\n"
        "  cablora backup CARTELLA_DESTINAZIONE\n"
               "  cablora restore FILE_COPIA [--incompleta]\n")
           + InvoiceCommand::usage()
           + QStringLiteral("Con --cartella DIR si lavora sui dati della cartella DIR invece di quella del programma.\n");
}

int run(const QStringList &arguments, const QString &defaultFolder, QTextStream &out, QTextStream &err)
{
    const QString verb = arguments.value(0);
    // The invoice verb has options of its own: only its folder is read here.
    const bool invoice = verb == InvoiceCommand::kVerb;
    const Options options = invoice ? invoiceFolder(arguments, defaultFolder) : parseOptions(arguments, defaultFolder);
    int code;
    Backup::Result earlier;
    if (options.error.isEmpty() && isVerb(verb)) {
        // A restore stopped half-way is run to its end before any verb reads or writes the data.
        earlier = Backup::finishInterruptedRestore(options.folder);
        if (!earlier.note.isEmpty())
            out << earlier.note << '\n';
    }
    if (!options.error.isEmpty())
        code = usageError(err, options.error);
    else if (!earlier.ok) {
        err << earlier.error << '\n';
        code = 1;
    } else if (verb == QLatin1String("export"))
        code = runExport(options, out, err);
    else if (verb == QLatin1String("import"))
        code = runImport(options, out, err);
    else if (verb == QLatin1String("backup"))
        code = runBackup(options, out, err);
    else if (verb == QLatin1String("restore"))
        code = runRestore(options, out, err);
    else if (invoice)
        code = InvoiceCommand::run(arguments, defaultFolder, QDate::currentDate(), out, err);
    else
        code = usageError(err, QStringLiteral("Comando sconosciuto: %1.").arg(verb));
    out.flush();
    err.flush();
    return code;
}

}  // namespace CommandLine
