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
    QString verb;
    QStringList positional;
    QString folder;
    QString format;
    bool dryRun = false;
    bool incomplete = false;
    bool help = false;
    QString error;
};

bool takesValue(const QString &option)
{
    return option == QLatin1String("--cartella") || option == QLatin1String("--format");
}

bool isOption(const QString &word)
{
    return takesValue(word) || word == QLatin1String("--dry-run") || word == QLatin1String("--incompleta")
           || word == QLatin1String("--help") || word == QLatin1String("-h") || word == QLatin1String("--aiuto");
}

// Options may stand anywhere, before or after the verb and its words; the first word that is
// neither an option nor an option's value is the verb.
Options parseOptions(const QStringList &arguments, const QString &defaultFolder)
{
    Options options;
    options.folder = defaultFolder;
    bool verbSeen = false;
    for (int i = 0; i < arguments.size(); ++i) {
        const QString &a = arguments.at(i);
        if (takesValue(a)) {
            if (i + 1 >= arguments.size()) {
                options.error = QStringLiteral("Manca il valore dopo %1.").arg(a);
                return options;
            }
            (a == QLatin1String("--cartella") ? options.folder : options.format) = arguments.at(++i);
        } else if (a == QLatin1String("--dry-run")) {
            options.dryRun = true;
        } else if (a == QLatin1String("--incompleta")) {
            options.incomplete = true;
        } else if (a == QLatin1String("--help") || a == QLatin1String("-h") || a == QLatin1String("--aiuto")) {
            options.help = true;
        } else if (a.startsWith(QLatin1Char('-')) && a.size() > 1) {
            options.error = QStringLiteral("Opzione sconosciuta: %1.").arg(a);
            return options;
        } else if (!verbSeen) {
            options.verb = a;
            verbSeen = true;
        } else {
            options.positional << a;
        }
    }
    return options;
}

// The folder of the invoice verb (its other options are its own, see InvoiceCommand).
// Where the invoice verb stands among the words, or -1: the first word that is neither an option nor
// the value of one, when it names that verb.
qsizetype invoiceVerbAt(const QStringList &arguments)
{
    static const QStringList valueOptions = {QStringLiteral("--cartella"), QStringLiteral("--format"),
                                             QStringLiteral("--cliente"),  QStringLiteral("--data"),
                                             QStringLiteral("--numero"),   QStringLiteral("--aliquota"),
                                             QStringLiteral("--pagamento")};
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString &a = arguments.at(i);
        if (valueOptions.contains(a))
            ++i;
        else if (!a.startsWith(QLatin1Char('-')) || a.size() == 1)
            return a == InvoiceCommand::kVerb ? i : -1;
    }
    return -1;
}

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
    const OpenFormats::ImportResult result = OpenFormats::importFile(o.folder, *record, format, fileName, o.dryRun);
    switch (result.outcome) {
    case OpenFormats::ImportResult::FileUnreadable:
        err << result.error << '\n' << QStringLiteral("Nessun record è stato aggiunto.\n");
        return 1;
    case OpenFormats::ImportResult::Refused:
        for (const QString &problem : result.problems.lines())
            err << problem << '\n';
        err << QStringLiteral("Il file contiene errori: nessun record è stato aggiunto a %1.\n")
                   .arg(record->fileName());
        return 1;
    case OpenFormats::ImportResult::NotWritten:
        err << result.error << '\n' << QStringLiteral("Nessun record è stato aggiunto a %1.\n").arg(record->fileName());
        return 1;
    case OpenFormats::ImportResult::Appended: break;
    }
    if (o.dryRun) {
        out << QStringLiteral("Verifica riuscita: %1 record si possono aggiungere a %2 (nulla è stato scritto).\n")
                   .arg(result.records)
                   .arg(record->fileName());
        return 0;
    }
    out << QStringLiteral("Aggiunti %1 record a %2.\n").arg(result.records).arg(record->fileName());
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

bool isCommandLine(const QStringList &arguments)
{
    for (int i = 0; i < arguments.size(); ++i) {
        const QString &a = arguments.at(i);
        if (isOption(a))
            return true;
        // A word that does not start with a dash and is no value of a window option (Qt's own
        // options, such as -platform offscreen, start with a dash): a verb, or a mistyped one.
        if (!a.startsWith(QLatin1Char('-')) && (i == 0 || !arguments.at(i - 1).startsWith(QLatin1Char('-'))))
            return true;
    }
    return false;
}

QString usage()
{
    return QStringLiteral("Uso:\n"
                          "  cablora export schede|clienti|automezzi --format csv|json FILE\n"
                          "  cablora import schede|clienti|automezzi FILE [--format csv|json] [--dry-run]\n"
                          "  cablora backup CARTELLA_DESTINAZIONE\n"
                          "  cablora restore FILE_COPIA [--incompleta]\n")
           + InvoiceCommand::usage()
           + QStringLiteral("  cablora            (senza comandi: apre le finestre del programma)\n"
                            "Con --cartella DIR si lavora sui dati della cartella DIR invece di quella del programma.\n"
                            "Le opzioni possono stare prima o dopo il comando.\n");
}

QString noDisplayMessage()
{
    return QStringLiteral("Impossibile aprire le finestre del programma: nessuno schermo disponibile "
                          "(manca un display grafico). Senza schermo si possono usare i comandi qui sotto.");
}

int run(const QStringList &arguments, const QString &defaultFolder, QTextStream &out, QTextStream &err)
{
    // The invoice verb has options of its own and reads its words itself: it is moved to the front
    // (it may stand anywhere, as the other verbs) and only its folder is read here.
    const qsizetype invoiceAt = invoiceVerbAt(arguments);
    const bool invoice = invoiceAt >= 0;
    QStringList words = arguments;
    if (invoice)
        words.move(invoiceAt, 0);
    const Options options = invoice ? invoiceFolder(words, defaultFolder) : parseOptions(arguments, defaultFolder);
    const QString verb = invoice ? InvoiceCommand::kVerb : options.verb;
    int code;
    Backup::Result earlier;
    if (options.help && options.error.isEmpty()) {
        out << usage();
        out.flush();
        return 0;
    }
    if (options.error.isEmpty() && isVerb(verb)) {
        // A restore stopped half-way is run to its end before any verb reads or writes the data.
        earlier = Backup::finishInterruptedRestore(options.folder);
        Backup::finishInterruptedWrites(options.folder);
        if (!earlier.note.isEmpty())
            out << earlier.note << '\n';
    }
    if (!options.error.isEmpty())
        code = usageError(err, options.error);
    else if (verb.isEmpty())
        code = usageError(err, QStringLiteral("Manca il comando: export, import, backup, restore oppure fattura."));
    else if (!isVerb(verb))
        code = usageError(err, QStringLiteral("Comando sconosciuto: %1.").arg(verb));
    else if (!earlier.ok) {
        err << earlier.error << '\n';
        code = 1;
    } else if (verb == QLatin1String("export"))
        code = runExport(options, out, err);
    else if (verb == QLatin1String("import"))
        code = runImport(options, out, err);
    else if (verb == QLatin1String("backup"))
        code = runBackup(options, out, err);
    else if (invoice)
        code = InvoiceCommand::run(words, defaultFolder, QDate::currentDate(), out, err);
    else
        code = runRestore(options, out, err);
    out.flush();
    err.flush();
    return code;
}

}  // namespace CommandLine
