// cerca_schede: realistic sheet archives and the timing of the sheet search on them.
//
//   cerca_schede genera ARCHIVIO NUMERO [SEME]
//       writes NUMERO realistic sheets (Italian names, plates, dates, amounts) to ARCHIVIO;
//       the same seed always gives the same file.
//   cerca_schede [cerca] ARCHIVIO [Campo=testo ...] [--grep TESTO] [--ripeti N]
//       runs the search of the sheet search dialog with the given criteria (fields: NumScheda,
//       Data, Tecnico, Pratica, Cliente, Recapito, Marca, Targa, Stato, Note) and prints the number
//       of sheets found and the milliseconds taken; with --grep it also times
//       `grep -c -i -F TESTO ARCHIVIO` in the same run and prints the ratio.
//   cerca_schede non-pagati ARCHIVIO
//       the scan of the unpaid-accounts list.
//   cerca_schede mostra ARCHIVIO [Campo=testo ...] [--foto PREFISSO]
//       drives the search dialog itself (offscreen): types the criteria, presses "Cerca", and times
//       the search and the first painting of the full list, then of its last page; with --foto it
//       saves pictures of both pages and of the unpaid-accounts list as PREFISSO-*.png.

#include "ItalianData.h"

#include "archive/SchedaRecord.h"
#include "sheets/SchedaSearch.h"
#include "sheets/TfrmDaSaldare.h"
#include "sheets/TfrmTrovaInterventi.h"
#include "shell/AppWindows.h"
#include "shell/Startup.h"
#include "widgets/RecordListView.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QScrollBar>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>

namespace {

using ItalianData::kCognomi;
using ItalianData::kDitte;

// ---------------------------------------------------------------------------------------------
// Generator

const char *const kNomi[] = {
    "Mario",     "Giuseppe",  "Antonio",    "Luigi",   "Francesco",  "Giovanni", "Roberto",  "Andrea",    "Stefano",
    "Marco",     "Paolo",     "Alessandro", "Luca",    "Massimo",    "Giorgio",  "Franco",   "Sergio",    "Claudio",
    "Salvatore", "Davide",    "Matteo",     "Simone",  "Fabio",      "Maurizio", "Lorenzo",  "Riccardo",  "Daniele",
    "Emanuele",  "Federico",  "Nicola",     "Maria",   "Anna",       "Giulia",   "Sara",     "Francesca", "Laura",
    "Chiara",    "Elena",     "Valentina",  "Paola",   "Alessandra", "Silvia",   "Federica", "Martina",   "Elisa",
    "Roberta",   "Monica",    "Cristina",   "Barbara", "Giovanna",   "Rosa",     "Angela",   "Teresa",    "Lucia",
    "Carla",     "Nicoletta", "Ilaria",     "Noemi",   "Niccolò",
};
const char *const kVeicoli[] = {"Autovettura", "Furgone",     "Autocarro",   "Motociclo",  "Camper",
                                "Trattore",    "Autovettura", "Autovettura", "Autovettura"};
const char *const kMarche[] = {
    "Fiat Panda",        "Fiat Punto",           "Fiat 500",       "Fiat Doblò",      "Fiat Ducato",
    "Lancia Ypsilon",    "Alfa Romeo Giulietta", "Alfa Romeo 159", "Volkswagen Golf", "Volkswagen Polo",
    "Ford Fiesta",       "Ford Focus",           "Ford Transit",   "Renault Clio",    "Renault Kangoo",
    "Peugeot 208",       "Peugeot 308",          "Citroën C3",     "Opel Corsa",      "Opel Astra",
    "Toyota Yaris",      "Dacia Sandero",        "Nissan Qashqai", "Audi A3",         "BMW Serie 3",
    "Mercedes Classe A", "Iveco Daily",          "Piaggio Porter", "Smart Fortwo",    "Jeep Renegade",
    "Kia Sportage",      "Hyundai i10",          "Skoda Octavia",  "Seat Ibiza",      "Suzuki Swift",
    "Piaggio Ape",
};
const char *const kTecnici[] = {"Bruno Gallo", "Luca Ferri",   "Marco Sala",
                                "Paolo Neri",  "Davide Conti", "Andrea Villa"};
const char *const kStati[] = {"Completato",     "Completato",        "Completato",        "Consegnato al cliente",
                              "In lavorazione", "In attesa ricambi", "Preventivo inviato"};
const char *const kDanni[] = {
    "Il veicolo non si avvia",          "Batteria si scarica durante la notte",
    "Spia avaria motore accesa",        "Alzacristalli lato guida non funziona",
    "Fari anabbaglianti spenti",        "Climatizzatore non raffredda",
    "Motorino di avviamento rumoroso",  "Tergicristalli fermi",
    "Quadro strumenti spento a tratti", "Chiusura centralizzata difettosa",
    "Autoradio senza alimentazione",    "Luci di posizione posteriori guaste",
    "Candelette da verificare",         "Alternatore non carica",
    "Sensori di parcheggio in errore",
};
const char *const kSpie[] = {"",
                             "",
                             "Spia batteria",
                             "Spia avaria motore",
                             "Spia airbag",
                             "Spia ABS",
                             "Spia candelette",
                             "Spia batteria, spia avaria motore",
                             "Spia olio",
                             "Spia freno di stazionamento"};
const char *const kRicambi[] = {
    "Batteria 70 Ah",
    "Motorino di avviamento revisionato",
    "Alternatore 120 A",
    "Fusibili assortiti",
    "Lampade H7 (2)",
    "Relè pompa carburante",
    "Centralina alzacristalli",
    "Cablaggio fanale posteriore",
    "Candelette (4)",
    "Sensore di parcheggio",
    "Gas refrigerante R134a",
    "Spazzole tergicristallo",
    "Connettori e guaina termorestringente",
};
const char *const kInterventi[] = {
    "Diagnosi con strumento: rilevati errori memorizzati nella centralina motore.",
    "Controllo tensione di ricarica a vuoto e sotto carico.",
    "Verifica assorbimenti a veicolo spento: rilevato assorbimento anomalo.",
    "Sostituzione batteria e registrazione nella centralina.",
    "Smontaggio e revisione del motorino di avviamento.",
    "Ricerca guasto sull'impianto luci, ripristino massa del fanale.",
    "Sostituzione fusibile e relè, prova di funzionamento.",
    "Ricarica impianto di climatizzazione e prova di tenuta.",
    "Cancellazione errori e prova su strada.",
    "Ripristino cablaggio danneggiato da roditori.",
    "Aggiornamento software della centralina.",
    "Controllo generale dell'impianto elettrico: tutto regolare.",
};
const char *const kNote[] = {"",
                             "",
                             "",
                             "",
                             "Cliente da richiamare per il ritiro",
                             "Consegnato il veicolo di cortesia",
                             "Pagamento con bonifico",
                             "Garanzia ricambi 24 mesi",
                             "Rivedere tra 6 mesi",
                             "Preventivo accettato"};

class Generator : ItalianData::RandomText
{
public:
    explicit Generator(quint32 seed) : RandomText(seed) {}

    SchedaRecord sheet(qint64 number, qint64 total)
    {
        SchedaRecord r;
        r.NumScheda = QString::number(number);
        // Issue dates run over fifteen years in archive order.
        const QDate first(2010, 1, 4);
        const QDate issued = first.addDays(qint64(5475.0 * double(number - 1) / double(qMax<qint64>(1, total))));
        r.Data = issued.toString(QStringLiteral("dd/MM/yyyy"));
        r.Tecnico = pick(kTecnici);
        r.Azienda = QStringLiteral("ELETTRAUTO BIANCHI & C. S.N.C.\r\nVia Roma 12 - 20100 Milano (MI)\r\n"
                                   "Tel. 02 1234567 - P.IVA 01234567890");
        if (chance(8))
            r.Pratica = QStringLiteral("Sinistro n. %1/%2 - %3")
                            .arg(issued.year())
                            .arg(between(1000, 99999))
                            .arg(pick({"Generali", "UnipolSai", "Allianz", "Reale Mutua", "AXA"}));
        r.Cliente = customer();
        r.Recapito = phone(60);
        r.Veicolo = pick(kVeicoli);
        r.Targa = plate();
        r.Marca = pick(kMarche);
        r.Chilometraggio = QStringLiteral("%1 km").arg(between(3000, 320000));
        r.Danni = pick(kDanni);
        r.DataInizio = issued.addDays(between(0, 2)).toString(QStringLiteral("dd/MM/yyyy"));
        r.Stato = pick(kStati);
        r.DataFine = issued.addDays(between(1, 10)).toString(QStringLiteral("dd/MM/yyyy"));
        r.Vernice = pick(kSpie);
        QStringList parts;
        for (int i = between(0, 3); i > 0; --i)
            parts << pick(kRicambi);
        r.Ricambi = parts.join(QStringLiteral(", "));
        QStringList work;
        for (int i = between(1, 6); i > 0; --i)
            work << pick(kInterventi);
        r.Interventi = work.join(QStringLiteral("\r\n"));
        r.Manodopera = QStringLiteral("%1 ore").arg(between(1, 12));
        r.Note = pick(kNote);
        r.Totale = QStringLiteral("%1,%2").arg(between(25, 2500)).arg(between(0, 99), 2, 10, QLatin1Char('0'));
        r.Pagato = chance(85) ? QStringLiteral("S\u00EC") : QStringLiteral("No");
        if (chance(10)) {
            r.File01 = QStringLiteral("Fattura_%1.pdf").arg(number);
            r.Desc01 = QStringLiteral("Fattura");
        }
        return r;
    }

private:
    QString customer()
    {
        const QString surname = pick(kCognomi);
        if (chance(12))
            return QString::fromUtf8(kDitte[between(0, int(std::size(kDitte)) - 1)]).arg(surname);
        return surname + QLatin1Char(' ') + pick(kNomi);
    }
};

int generate(const QString &path, qint64 count, quint32 seed)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        std::fprintf(stderr, "Impossibile creare %s\n", qPrintable(path));
        return 1;
    }
    Generator generator(seed);
    QElapsedTimer timer;
    timer.start();
    QByteArray block;
    const int perBlock = 256;
    block.reserve(qsizetype(perBlock) * SchedaRecord::kSize);
    for (qint64 n = 1; n <= count; ++n) {
        block.append(generator.sheet(n, count).toBytes());
        if (block.size() >= qsizetype(perBlock) * SchedaRecord::kSize || n == count) {
            if (file.write(block) != block.size()) {
                std::fprintf(stderr, "Scrittura non riuscita: %s\n", qPrintable(file.errorString()));
                return 1;
            }
            block.clear();
        }
    }
    file.close();
    std::printf("%lld schede, %lld byte, in %lld ms\n", static_cast<long long>(count),
                static_cast<long long>(count * SchedaRecord::kSize), static_cast<long long>(timer.elapsed()));
    return 0;
}

// ---------------------------------------------------------------------------------------------
// Searching

long peakMemoryKiB()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').value(0).toLong();
    }
    return -1;
}

bool parseCriteria(const QStringList &arguments, QList<SchedaSearch::Criterion> &criteria)
{
    for (const QString &argument : arguments) {
        const qsizetype eq = argument.indexOf(QLatin1Char('='));
        bool known = false;
        if (eq > 0) {
            const QString name = argument.left(eq);
            for (const SchedaRecord::Field field : SchedaSearch::criterionFields()) {
                if (QString::fromLatin1(SchedaRecord::layout()[field].name).compare(name, Qt::CaseInsensitive) == 0) {
                    criteria.append({field, argument.mid(eq + 1)});
                    known = true;
                }
            }
        }
        if (!known) {
            std::fprintf(stderr, "Criterio non valido: %s\n", qPrintable(argument));
            return false;
        }
    }
    return true;
}

double median(QVector<double> values)
{
    std::sort(values.begin(), values.end());
    return values.isEmpty() ? 0 : values.at(values.size() / 2);
}

int search(const QString &path, const QStringList &arguments)
{
    QStringList criteriaArguments;
    QString grepText;
    int repeat = 3;
    for (int i = 0; i < arguments.size(); ++i) {
        if (arguments[i] == QLatin1String("--grep") && i + 1 < arguments.size())
            grepText = arguments[++i];
        else if (arguments[i] == QLatin1String("--ripeti") && i + 1 < arguments.size())
            repeat = qMax(1, arguments[++i].toInt());
        else
            criteriaArguments << arguments[i];
    }
    QList<SchedaSearch::Criterion> list;
    if (!parseCriteria(criteriaArguments, list))
        return 2;
    const SchedaSearch::Criteria criteria(list);

    QVector<double> searchTimes, grepTimes;
    qsizetype found = 0;
    QByteArray grepCount;
    for (int run = 0; run < repeat; ++run) {
        ListedRecords records;
        QElapsedTimer timer;
        timer.start();
        const bool ok = SchedaSearch::search(path, criteria, records);
        searchTimes << double(timer.nsecsElapsed()) / 1e6;
        if (!ok) {
            std::fprintf(stderr, "Archivio non accessibile: %s\n", qPrintable(path));
            return 1;
        }
        found = records.size();
        if (!grepText.isEmpty()) {
            QProcess grep;
            timer.restart();
            grep.start(QStringLiteral("grep"),
                       {QStringLiteral("-c"), QStringLiteral("-i"), QStringLiteral("-F"), grepText, path});
            grep.waitForFinished(-1);
            grepTimes << double(timer.nsecsElapsed()) / 1e6;
            grepCount = grep.readAllStandardOutput().trimmed();
        }
    }
    std::printf("criteri attivi: %d\nschede trovate: %lld\n", criteria.count(), static_cast<long long>(found));
    std::printf("ricerca: %.1f ms (mediana di %d; prove:", median(searchTimes), repeat);
    for (double t : searchTimes)
        std::printf(" %.1f", t);
    std::printf(")\n");
    if (!grepText.isEmpty()) {
        std::printf("grep -c -i -F %s: %.1f ms (mediana; prove:", qPrintable(grepText), median(grepTimes));
        for (double t : grepTimes)
            std::printf(" %.1f", t);
        std::printf("), conteggio %s\n", grepCount.constData());
        std::printf("rapporto ricerca / grep: %.3f\n", median(searchTimes) / median(grepTimes));
    }
    std::printf("memoria di picco: %ld KiB\n", peakMemoryKiB());
    return 0;
}

int unpaid(const QString &path)
{
    ListedRecords records;
    QElapsedTimer timer;
    timer.start();
    const bool ok = SchedaSearch::unpaid(path, records);
    const double ms = double(timer.nsecsElapsed()) / 1e6;
    std::printf("%s\nschede non pagate: %lld\ntempo: %.1f ms\nmemoria di picco: %ld KiB\n",
                ok ? "lettura completa" : "lettura interrotta", static_cast<long long>(records.size()), ms,
                peakMemoryKiB());
    return ok ? 0 : 1;
}

int showDialog(int argc, char **argv, const QString &path, const QStringList &arguments)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    Startup::prepare(app);
    QStringList criteriaArguments = arguments;
    QString photoPrefix;
    const qsizetype photo = criteriaArguments.indexOf(QStringLiteral("--foto"));
    if (photo >= 0 && photo + 1 < criteriaArguments.size()) {
        photoPrefix = criteriaArguments.at(photo + 1);
        criteriaArguments.remove(photo, 2);
    }
    QList<SchedaSearch::Criterion> criteria;
    if (!parseCriteria(criteriaArguments, criteria))
        return 2;
    QTemporaryDir folder;
    if (!QFile::link(QFileInfo(path).absoluteFilePath(), QDir(folder.path()).filePath(SchedaRecord::fileName()))) {
        std::fprintf(stderr, "Impossibile collegare l'archivio nella cartella di prova\n");
        return 1;
    }
    AppWindows windows(folder.path());
    TfrmTrovaInterventi dialog(windows);
    dialog.lblMemory->setText(QStringLiteral("interventi"));
    dialog.show();
    QCoreApplication::processEvents();
    const QList<QLineEdit *> edits = dialog.criterionEdits();
    const auto &fields = SchedaSearch::criterionFields();
    for (const SchedaSearch::Criterion &c : criteria) {
        const auto at = std::find(fields.begin(), fields.end(), c.field) - fields.begin();
        edits[int(at)]->setText(c.text);
    }
    if (!photoPrefix.isEmpty())
        dialog.grab().save(photoPrefix + QStringLiteral("-criteri.png"));

    QElapsedTimer timer;
    timer.start();
    dialog.btnCerca->click();
    const double searchMs = double(timer.nsecsElapsed()) / 1e6;
    QCoreApplication::processEvents();
    dialog.grab();
    const double shownMs = double(timer.nsecsElapsed()) / 1e6;
    timer.restart();
    dialog.lstRecords->verticalScrollBar()->setValue(dialog.lstRecords->verticalScrollBar()->maximum());
    dialog.lstRecords->horizontalScrollBar()->setValue(dialog.lstRecords->horizontalScrollBar()->maximum());
    QCoreApplication::processEvents();
    dialog.grab();
    const double lastPageMs = double(timer.nsecsElapsed()) / 1e6;
    timer.restart();
    dialog.txtTrova->setText(QStringLiteral("zzz-non-presente"));
    dialog.btnTrova->click();
    const double findMs = double(timer.nsecsElapsed()) / 1e6;
    if (!photoPrefix.isEmpty()) {
        dialog.lstRecords->verticalScrollBar()->setValue(0);
        dialog.lstRecords->horizontalScrollBar()->setValue(0);
        dialog.txtTrova->setText(QStringLiteral("rossi"));
        dialog.btnTrova->click();
        dialog.grab().save(photoPrefix + QStringLiteral("-elenco.png"));
        TfrmDaSaldare unpaidList(windows);
        unpaidList.show();
        QCoreApplication::processEvents();
        unpaidList.grab().save(photoPrefix + QStringLiteral("-non-pagati.png"));
    }

    std::printf("righe in elenco: %d\n%s\n", dialog.lstRecords->count(), qPrintable(dialog.lblTrovate->text()));
    std::printf("Cerca (ricerca e riempimento dell'elenco): %.1f ms\n", searchMs);
    std::printf("fino alla prima visualizzazione dell'elenco: %.1f ms\n", shownMs);
    std::printf("ultima pagina dell'elenco: %.1f ms\n", lastPageMs);
    std::printf("Trova su tutto l'elenco senza esito: %.1f ms\n", findMs);
    std::printf("memoria di picco: %ld KiB\n", peakMemoryKiB());
    return 0;
}

void usage()
{
    std::fprintf(stderr, "uso:\n"
                         "  cerca_schede genera ARCHIVIO NUMERO [SEME]\n"
                         "  cerca_schede [cerca] ARCHIVIO [Campo=testo ...] [--grep TESTO] [--ripeti N]\n"
                         "  cerca_schede non-pagati ARCHIVIO\n"
                         "  cerca_schede mostra ARCHIVIO [Campo=testo ...] [--foto PREFISSO]\n");
}

}  // namespace

int main(int argc, char **argv)
{
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    if (arguments.isEmpty()) {
        usage();
        return 2;
    }
    // "cerca_schede ARCHIVIO Campo=testo ..." is the search.
    static const QStringList commands = {QStringLiteral("genera"), QStringLiteral("cerca"),
                                         QStringLiteral("non-pagati"), QStringLiteral("mostra")};
    if (!commands.contains(arguments.first()))
        arguments.prepend(QStringLiteral("cerca"));
    if (arguments.size() < 2) {
        usage();
        return 2;
    }
    const QString command = arguments.takeFirst();
    const QString path = arguments.takeFirst();
    if (command == QLatin1String("genera") && !arguments.isEmpty()) {
        const quint32 seed = arguments.size() > 1 ? arguments[1].toUInt() : 20240517u;
        return generate(path, arguments[0].toLongLong(), seed);
    }
    if (command == QLatin1String("cerca"))
        return search(path, arguments);
    if (command == QLatin1String("non-pagati"))
        return unpaid(path);
    if (command == QLatin1String("mostra"))
        return showDialog(argc, argv, path, arguments);
    usage();
    return 2;
}
