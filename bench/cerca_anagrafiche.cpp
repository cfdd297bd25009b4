// cerca_anagrafiche: realistic customer and vehicle archives and the timing of their lists.
//
//   cerca_anagrafiche genera-clienti ARCHIVIO NUMERO [SEME]
//   cerca_anagrafiche genera-automezzi ARCHIVIO NUMERO [SEME]
//       write NUMERO realistic customers (names, addresses, tax codes, vehicles, pending matters) or
//       vehicles (makes, models, plates, owners, expiry dates) to ARCHIVIO; the same seed always gives
//       the same file.
//   cerca_anagrafiche tempi CLIENTI AUTOMEZZI [--cognome TESTO] [--marca TESTO] [--ripeti N]
//       times, in the same run and alternating, N times each (5 unless told; the table shows the
//       medians): the customer search on the surname and with no criterion, each with the sort of
//       its list, the sort alone, the recontact list, the first painting of the full sorted customer
//       list and of its last page (offscreen), the vehicle search on the make and with no criterion
//       with their sort; next to `cat FILE > /dev/null` and `LC_ALL=C grep -c -i -F TESTO FILE` on
//       the same files as yardsticks, with the ratios to both.
//   cerca_anagrafiche prova [NUMERO] [--ripeti N]
//       generates both archives with NUMERO records each (100 000 unless told) in a temporary folder,
//       runs `tempi` on them and removes the folder.
//   cerca_anagrafiche esporta [NUMERO] [--ripeti N]
//       generates NUMERO customers (100 000 unless told) in a temporary folder and times, N times each
//       (5 unless told), the export to "Clienti.xls" through the export dialog's own writer, and the
//       export dialog from its creation to the first painting of its grid (offscreen). When sqlite3 is
//       installed, the same 25 cells of every customer are loaded into a table first (not timed) and
//       `sqlite3 -html` writing them to a file is timed as a yardstick.

#include "ExportCsv.h"
#include "ItalianData.h"

#include "archive/AutomezzoRecord.h"
#include "archive/ClienteRecord.h"
#include "archive/ListRules.h"
#include "archive/RecordScan.h"
#include "customers/ClienteExport.h"
#include "customers/ClienteSearch.h"
#include "customers/TfrmExpClienti.h"
#include "reports/SpreadsheetExport.h"
#include "shell/AppWindows.h"
#include "shell/Startup.h"
#include "validators/CodiceFiscale.h"
#include "vehicles/AutomezzoSearch.h"
#include "vehicles/Scadenze.h"
#include "widgets/RecordListView.h"

#include <QApplication>
#include <QDate>
#include <QDir>
#include <QElapsedTimer>
#include <QEvent>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QScrollBar>
#include <QStandardPaths>
#include <QTableView>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <memory>

namespace {

using ItalianData::kCognomi;
using ItalianData::kDitte;

// ---------------------------------------------------------------------------------------------
// Generators

const char *const kNomiMaschili[] = {
    "Mario",     "Giuseppe", "Antonio",    "Luigi",   "Francesco", "Giovanni", "Roberto",  "Andrea",   "Stefano",
    "Marco",     "Paolo",    "Alessandro", "Luca",    "Massimo",   "Giorgio",  "Franco",   "Sergio",   "Claudio",
    "Salvatore", "Davide",   "Matteo",     "Simone",  "Fabio",     "Maurizio", "Lorenzo",  "Riccardo", "Daniele",
    "Emanuele",  "Federico", "Nicola",     "Niccolò", "Pietro",    "Vincenzo", "Gianluca", "Enrico",
};
const char *const kNomiFemminili[] = {
    "Maria",     "Anna",      "Giulia",     "Sara",     "Francesca", "Laura",   "Chiara", "Elena",
    "Valentina", "Paola",     "Alessandra", "Silvia",   "Federica",  "Martina", "Elisa",  "Roberta",
    "Monica",    "Cristina",  "Barbara",    "Giovanna", "Rosa",      "Angela",  "Teresa", "Lucia",
    "Carla",     "Nicoletta", "Ilaria",     "Noemi",    "Agnese",
};

struct Comune
{
    const char *name;
    const char *province;
    const char *postcode;
    const char *code;  // the town's code in the tax code
};
const Comune kComuni[] = {
    {"Milano", "MI", "20121", "F205"},
    {"Roma", "RM", "00184", "H501"},
    {"Napoli", "NA", "80133", "F839"},
    {"Torino", "TO", "10121", "L219"},
    {"Bologna", "BO", "40121", "A944"},
    {"Firenze", "FI", "50122", "D612"},
    {"Genova", "GE", "16121", "D969"},
    {"Bari", "BA", "70121", "A662"},
    {"Palermo", "PA", "90133", "G273"},
    {"Verona", "VR", "37121", "L781"},
    {"Padova", "PD", "35121", "G224"},
    {"Brescia", "BS", "25121", "B157"},
    {"Bergamo", "BG", "24121", "A794"},
    {"Monza", "MB", "20900", "F704"},
    {"Como", "CO", "22100", "C933"},
    {"Varese", "VA", "21100", "L682"},
    {"Pavia", "PV", "27100", "G388"},
    {"Cremona", "CR", "26100", "D150"},
    {"Lodi", "LO", "26900", "E648"},
    {"Lecco", "LC", "23900", "E507"},
    {"Novara", "NO", "28100", "F952"},
    {"Parma", "PR", "43121", "G337"},
    {"Modena", "MO", "41121", "F257"},
    {"Reggio Emilia", "RE", "42121", "H223"},
    {"Piacenza", "PC", "29121", "G535"},
    {"Treviso", "TV", "31100", "L407"},
    {"Vicenza", "VI", "36100", "L840"},
    {"Venezia", "VE", "30121", "L736"},
    {"Trento", "TN", "38121", "L378"},
    {"Udine", "UD", "33100", "L483"},
    {"Ancona", "AN", "60121", "A271"},
    {"Perugia", "PG", "06121", "G478"},
    {"Pescara", "PE", "65121", "G482"},
    {"Cagliari", "CA", "09121", "B354"},
    {"Catania", "CT", "95121", "C351"},
    {"Salerno", "SA", "84121", "H703"},
    {"Lecce", "LE", "73100", "E506"},
    {"Forlì", "FC", "47121", "D704"},
    {"Cantù", "CO", "22063", "B639"},
    {"Sesto San Giovanni", "MI", "20099", "I690"},
    {"Cinisello Balsamo", "MI", "20092", "C707"},
    {"San Donà di Piave", "VE", "30027", "H823"},
};
const char *const kVie[] = {
    "Via Roma",
    "Via Garibaldi",
    "Corso Vittorio Emanuele II",
    "Via Mazzini",
    "Piazza della Libertà",
    "Viale dei Mille",
    "Via Cavour",
    "Via Dante Alighieri",
    "Via XX Settembre",
    "Via Matteotti",
    "Via Gramsci",
    "Via San Francesco d'Assisi",
    "Via Manzoni",
    "Corso Italia",
    "Via dei Giardini",
    "Via Vittorio Veneto",
    "Via Papa Giovanni XXIII",
    "Via Carducci",
    "Via Leopardi",
    "Via Verdi",
};
const char *const kDominiEmail[] = {"gmail.com", "libero.it",  "hotmail.it",  "yahoo.it",
                                    "alice.it",  "tiscali.it", "virgilio.it", "outlook.it"};

struct Modello
{
    const char *make;
    const char *model;
    const char *type;
    int cc;
    int kw;
    int seats;
    const char *payload;
};
const Modello kModelli[] = {
    {"Fiat", "Panda", "Autovettura", 1242, 51, 5, ""},
    {"Fiat", "Punto", "Autovettura", 1368, 57, 5, ""},
    {"Fiat", "500", "Autovettura", 1242, 51, 4, ""},
    {"Fiat", "Tipo", "Autovettura", 1598, 88, 5, ""},
    {"Fiat", "Doblò", "Furgone", 1598, 77, 5, "750 kg"},
    {"Fiat", "Ducato", "Furgone", 2287, 103, 3, "1400 kg"},
    {"Lancia", "Ypsilon", "Autovettura", 1242, 51, 5, ""},
    {"Alfa Romeo", "Giulietta", "Autovettura", 1368, 88, 5, ""},
    {"Alfa Romeo", "Giulia", "Autovettura", 2143, 110, 5, ""},
    {"Volkswagen", "Golf", "Autovettura", 1968, 110, 5, ""},
    {"Volkswagen", "Polo", "Autovettura", 999, 59, 5, ""},
    {"Volkswagen", "Transporter", "Furgone", 1968, 81, 3, "1000 kg"},
    {"Ford", "Fiesta", "Autovettura", 1084, 63, 5, ""},
    {"Ford", "Focus", "Autovettura", 1499, 88, 5, ""},
    {"Ford", "Transit", "Furgone", 1995, 96, 3, "1300 kg"},
    {"Renault", "Clio", "Autovettura", 898, 66, 5, ""},
    {"Renault", "Kangoo", "Furgone", 1461, 66, 2, "650 kg"},
    {"Peugeot", "208", "Autovettura", 1199, 60, 5, ""},
    {"Peugeot", "308", "Autovettura", 1560, 88, 5, ""},
    {"Citroën", "C3", "Autovettura", 1199, 60, 5, ""},
    {"Opel", "Corsa", "Autovettura", 1229, 51, 5, ""},
    {"Opel", "Astra", "Autovettura", 1598, 81, 5, ""},
    {"Toyota", "Yaris", "Autovettura", 1490, 85, 5, ""},
    {"Dacia", "Sandero", "Autovettura", 999, 67, 5, ""},
    {"Nissan", "Qashqai", "Autovettura", 1332, 103, 5, ""},
    {"Audi", "A3 Sportback", "Autovettura", 1968, 110, 5, ""},
    {"BMW", "Serie 3 Touring", "Autovettura", 1995, 140, 5, ""},
    {"Mercedes-Benz", "Classe A", "Autovettura", 1332, 100, 5, ""},
    {"Iveco", "Daily 35C", "Autocarro", 2998, 132, 3, "3000 kg"},
    {"Piaggio", "Porter", "Furgone", 1498, 79, 2, "900 kg"},
    {"Piaggio", "Ape Car", "Motocarro", 422, 7, 1, "700 kg"},
    {"Smart", "Fortwo", "Autovettura", 999, 52, 2, ""},
    {"Jeep", "Renegade", "Autovettura", 1598, 88, 5, ""},
    {"Kia", "Sportage", "Autovettura", 1598, 100, 5, ""},
    {"Hyundai", "i10", "Autovettura", 998, 49, 4, ""},
    {"Skoda", "Octavia Wagon", "Autovettura", 1968, 110, 5, ""},
    {"Seat", "Ibiza", "Autovettura", 999, 70, 5, ""},
    {"Suzuki", "Swift", "Autovettura", 1242, 61, 5, ""},
    {"Honda", "SH 300", "Motociclo", 279, 18, 2, ""},
    {"Ducati", "Monster", "Motociclo", 937, 82, 2, ""},
    {"New Holland", "T5.120", "Trattore", 4485, 85, 1, ""},
};
const char *const kAlimentazioni[] = {"Benzina", "Benzina", "Gasolio",        "Gasolio",  "Gasolio",
                                      "GPL",     "Metano",  "Ibrida benzina", "Elettrica"};
const char *const kColori[] = {"Bianco",      "Nero",    "Grigio metallizzato", "Rosso",           "Blu", "Argento",
                               "Verde scuro", "Azzurro", "Bianco perla",        "Grigio antracite"};
const char *const kAmbiente[] = {"Euro 3", "Euro 4", "Euro 5", "Euro 6", "Euro 6b", "Euro 6d-TEMP", "Euro 6d"};
const char *const kCompagnie[] = {"Generali",
                                  "UnipolSai",
                                  "Allianz",
                                  "Reale Mutua",
                                  "AXA",
                                  "Zurich",
                                  "Cattolica Assicurazioni",
                                  "Vittoria Assicurazioni",
                                  "Groupama"};
const char *const kAccessori[] = {"",
                                  "",
                                  "",
                                  "Gancio traino",
                                  "Navigatore",
                                  "Sensori di parcheggio",
                                  "Portapacchi",
                                  "Allestimento officina mobile",
                                  "Climatizzatore"};
const char *const kStatiVeicolo[] = {"Buono",          "Buono",          "Ottimo", "Discreto",
                                     "Da revisionare", "In riparazione", "Usato"};
const char *const kPneumatici[] = {"175/65 R14 82T", "185/65 R15 88H",   "195/55 R16 87V",   "205/55 R16 91V",
                                   "225/45 R17 94W", "215/65 R16C 109T", "195/75 R16C 107R", "4 stagioni 185/60 R15"};
const char *const kIncidenti[] = {"Tamponamento posteriore, paraurti sostituito", "Urto laterale in parcheggio",
                                  "Grandinata: carrozzeria ripristinata",
                                  "Allagamento dell'abitacolo, centralina sostituita"};
const char *const kCentraline[] = {"",
                                   "",
                                   "",
                                   "Centralina motore Bosch EDC17",
                                   "Antifurto satellitare",
                                   "Centralina GPL BRC",
                                   "Modulo comfort",
                                   "Centralina ABS revisionata",
                                   "Localizzatore GPS per flotte"};
const char *const kNoteVeicolo[] = {"",
                                    "",
                                    "",
                                    "",
                                    "Veicolo aziendale",
                                    "Tagliando ogni 15 000 km",
                                    "Batteria sostituita",
                                    "Cliente storico",
                                    "Ricambi originali"};
const char *const kQuestioni[] = {
    "Richiamare per il preventivo della batteria",
    "Ricambio ordinato: avvisare all'arrivo",
    "Saldo da riscuotere",
    "Controllare la garanzia dell'alternatore",
    "Proporre la ricarica del climatizzatore",
    "Richiamare per il tagliando dell'impianto GPL",
    "Aspetta la conferma del sinistro dall'assicurazione",
};
const char *const kNoteCliente[] = {"",
                                    "",
                                    "",
                                    "",
                                    "",
                                    "",
                                    "Cliente dal 2009",
                                    "Paga con bonifico",
                                    "Preferisce essere chiamato la sera",
                                    "Sconto 10% sui ricambi",
                                    "Flotta aziendale: fatturare alla ditta"};

// Upper-case letters of a name without accents, blanks or apostrophes.
QString plainLetters(const QString &text)
{
    QString result;
    for (const QChar c : text.normalized(QString::NormalizationForm_D)) {
        if (c.isLetter() && c.unicode() < 128)
            result += c.toUpper();
    }
    return result;
}

// A name as the local part of an e-mail address: its plain letters in lower case.
QString mailPart(const QString &text)
{
    return plainLetters(text).toLower();
}

// Three letters of the tax code: consonants first, then vowels, then X; a first name with more than
// three consonants gives its first, third and fourth.
QString taxLetters(const QString &text, bool firstName)
{
    QString consonants, vowels;
    for (const QChar c : plainLetters(text))
        (QStringLiteral("AEIOU").contains(c) ? vowels : consonants) += c;
    if (firstName && consonants.size() > 3)
        return QString(consonants[0]) + consonants[2] + consonants[3];
    return (consonants + vowels + QStringLiteral("XXX")).left(3);
}

QChar luhnCheck(const QString &digits)
{
    int sum = 0;
    for (qsizetype i = 0; i < digits.size(); ++i) {
        int d = digits[digits.size() - 1 - i].digitValue();
        if (i % 2 == 0) {
            d *= 2;
            if (d > 9)
                d -= 9;
        }
        sum += d;
    }
    return QChar(u'0' + (10 - sum % 10) % 10);
}

QChar vatCheck(const QString &digits)
{
    int sum = 0;
    for (qsizetype i = 0; i < digits.size(); ++i) {
        int d = digits[i].digitValue();
        if (i % 2 == 1) {
            d *= 2;
            if (d > 9)
                d -= 9;
        }
        sum += d;
    }
    return QChar(u'0' + (10 - sum % 10) % 10);
}

int mod97(const QString &text)
{
    int r = 0;
    for (const QChar c : text) {
        const int v = c.isDigit() ? c.digitValue() : c.unicode() - 'A' + 10;
        r = (v >= 10 ? r * 100 + v : r * 10 + v) % 97;
    }
    return r;
}

class CustomerGenerator : ItalianData::RandomText
{
public:
    explicit CustomerGenerator(quint32 seed) : RandomText(seed) {}

    ClienteRecord customer()
    {
        ClienteRecord r;
        const bool female = chance(40);
        r.Cognome = pick(kCognomi);
        r.Nome = female ? pick(kNomiFemminili) : pick(kNomiMaschili);
        r.Sesso = female ? QStringLiteral("F") : QStringLiteral("M");
        const bool firm = chance(15);
        const Comune &home = kComuni[between(0, int(std::size(kComuni)) - 1)];
        r.IndirizzoRes = QStringLiteral("%1 %2").arg(pick(kVie)).arg(between(1, 220));
        r.ComuneRes = QString::fromUtf8(home.name);
        r.ProvRes = QString::fromLatin1(home.province);
        r.CapRes = QString::fromLatin1(home.postcode);
        const QDate born(between(1940, 2004), between(1, 12), between(1, 28));
        const Comune &birth = chance(70) ? home : kComuni[between(0, int(std::size(kComuni)) - 1)];
        r.DataNasc = born.toString(QStringLiteral("dd/MM/yyyy"));
        r.ComuneNasc = QString::fromUtf8(birth.name);
        r.ProvNasc = QString::fromLatin1(birth.province);
        QString code = taxLetters(r.Cognome, false) + taxLetters(r.Nome, true)
                       + QStringLiteral("%1").arg(born.year() % 100, 2, 10, QLatin1Char('0'))
                       + QLatin1Char("ABCDEHLMPRST"[born.month() - 1])
                       + QStringLiteral("%1").arg(born.day() + (female ? 40 : 0), 2, 10, QLatin1Char('0'))
                       + QString::fromLatin1(birth.code);
        r.CodFisc = code + CodiceFiscale::checkCharacter(code);
        r.Recapito = phone(70);
        r.TelCel = r.Recapito.startsWith(QLatin1Char('3')) ? r.Recapito : phone(100);
        if (chance(30))
            r.TelCasa = phone(0);
        if (chance(60))
            r.Email = QStringLiteral("%1.%2@%3").arg(mailPart(r.Nome), mailPart(r.Cognome), pick(kDominiEmail));
        if (firm) {
            r.Ditta = QString::fromUtf8(kDitte[between(0, int(std::size(kDitte)) - 1)]).arg(r.Cognome);
            const QString vat = QStringLiteral("%1%2")
                                    .arg(between(0, 9999999), 7, 10, QLatin1Char('0'))
                                    .arg(between(1, 100), 3, 10, QLatin1Char('0'));
            r.PartitaIva = vat + vatCheck(vat);
            r.TelUff = phone(0);
            r.Pec = mailPart(r.Ditta).left(20) + QStringLiteral("@pec.it");
            r.CodiceDest = chance(50) ? QStringLiteral("0000000") : randomCode(7);
        }
        if (chance(20)) {
            const QString bban = QString(QLatin1Char(char('A' + between(0, 25))))
                                 + QStringLiteral("%1%2")
                                       .arg(between(1000, 9999), 5, 10, QLatin1Char('0'))
                                       .arg(between(1000, 99999), 5, 10, QLatin1Char('0'))
                                 + QStringLiteral("%1").arg(qint64(between(0, 999999)) * 1000000 + between(0, 999999),
                                                            12, 10, QLatin1Char('0'));
            const int check = 98 - mod97(bban + QStringLiteral("IT00"));
            r.Iban = QStringLiteral("IT%1").arg(check, 2, 10, QLatin1Char('0')) + bban;
        }
        if (chance(3)) {
            const QString digits = QStringLiteral("4%1%2")
                                       .arg(between(0, 9999999), 7, 10, QLatin1Char('0'))
                                       .arg(between(0, 9999999), 7, 10, QLatin1Char('0'));
            r.Carta = digits + luhnCheck(digits);
            r.ScadeCarta =
                QStringLiteral("%1/%2").arg(between(1, 12), 2, 10, QLatin1Char('0')).arg(between(2025, 2030));
        }
        const Modello &m = kModelli[between(0, int(std::size(kModelli)) - 1)];
        r.Veicolo = QString::fromUtf8(m.type);
        r.Marca = QString::fromUtf8(m.make) + QLatin1Char(' ') + QString::fromUtf8(m.model);
        r.Telaio = QStringLiteral("ZFA%1%2").arg(between(1000000, 9999999)).arg(between(1000000, 9999999));
        r.Immatricolazione =
            QDate(between(2000, 2024), between(1, 12), between(1, 28)).toString(QStringLiteral("dd/MM/yyyy"));
        r.Alimentazione = pick(kAlimentazioni);
        r.Targa = plate();
        if (chance(8)) {
            r.Questioni = pick(kQuestioni);
            r.Ricontatta = QStringLiteral("S\u00EC");
        } else {
            if (chance(4))
                r.Questioni = pick(kQuestioni);
            r.Ricontatta = QStringLiteral("No");
        }
        r.Note = pick(kNoteCliente);
        if (chance(5)) {
            r.File01 = QStringLiteral("Documento_%1.pdf").arg(r.CodFisc);
            r.Desc01 = QStringLiteral("Carta d'identit\u00E0");
        }
        return r;
    }

private:
    QString randomCode(int length)
    {
        static const char symbols[] = "ABCDEFGHJKLMNPQRSTUVWXYZ0123456789";
        QString s;
        for (int i = 0; i < length; ++i)
            s += QLatin1Char(symbols[between(0, int(sizeof(symbols)) - 2)]);
        return s;
    }
};

class VehicleGenerator : ItalianData::RandomText
{
public:
    explicit VehicleGenerator(quint32 seed) : RandomText(seed) {}

    AutomezzoRecord vehicle()
    {
        AutomezzoRecord r;
        const Modello &m = kModelli[between(0, int(std::size(kModelli)) - 1)];
        r.Tipo = QString::fromUtf8(m.type);
        r.Accessori = pick(kAccessori);
        r.Marca = QString::fromUtf8(m.make);
        r.Modello = QString::fromUtf8(m.model);
        r.Targa = plate();
        const int year = between(1998, 2024);
        r.Immatricolazione = chance(70)
                                 ? QString::number(year)
                                 : QDate(year, between(1, 12), between(1, 28)).toString(QStringLiteral("dd/MM/yyyy"));
        r.Colore = pick(kColori);
        r.Telaio =
            QStringLiteral("%1").arg(between(0, 99999999), 8, 10, QLatin1Char('0')).prepend(QStringLiteral("ZF"));
        r.Pneumatici = pick(kPneumatici);
        r.StatoVeicolo = pick(kStatiVeicolo);
        r.Chilometri = QString::number(between(500, 25000) * (2025 - year));
        r.DataLettura = date(2023, 2025);
        r.Alimentazione = pick(kAlimentazioni);
        r.Cilindrata = QString::number(m.cc);
        r.KW = QString::number(m.kw);
        r.Ambiente = pick(kAmbiente);
        r.Posti = QString::number(m.seats);
        r.Portata = QString::fromUtf8(m.payload);
        r.Compagnia = pick(kCompagnie);
        r.TelAssicuratore = phone(0);
        r.Polizza = QStringLiteral("%1/%2").arg(between(10, 999)).arg(between(1000000, 9999999));
        if (chance(10))
            r.Incidenti = pick(kIncidenti);
        r.Centraline = pick(kCentraline);
        r.Proprietario =
            chance(15) ? QString::fromUtf8(kDitte[between(0, int(std::size(kDitte)) - 1)]).arg(pick(kCognomi))
                       : pick(kCognomi) + QLatin1Char(' ') + (chance(40) ? pick(kNomiFemminili) : pick(kNomiMaschili));
        r.TelProprietario = phone(75);
        if (chance(50)) {
            r.Meccanico = QStringLiteral("Officina ") + pick(kCognomi);
            r.TelMeccanico = phone(20);
        }
        r.ScadRevisione = date(2024, 2026);
        r.ScadTagliando = date(2024, 2026);
        r.ScadAssicurazione = date(2024, 2025);
        r.ScadBollo = chance(90) ? date(2024, 2025) : QString();
        r.Note = pick(kNoteVeicolo);
        if (chance(5)) {
            r.File01 = QStringLiteral("Libretto_%1.pdf").arg(r.Targa);
            r.Desc01 = QStringLiteral("Libretto di circolazione");
        }
        return r;
    }

private:
    QString date(int firstYear, int lastYear)
    {
        return QDate(between(firstYear, lastYear), between(1, 12), between(1, 28))
            .toString(QStringLiteral("dd/MM/yyyy"));
    }
};

// Writes count records made by make() to path, in blocks of 256 records.
template<typename Record, typename Make>
int writeArchive(const QString &path, qint64 count, Make make, const char *what)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        std::fprintf(stderr, "Impossibile creare %s\n", qPrintable(path));
        return 1;
    }
    QElapsedTimer timer;
    timer.start();
    const qsizetype perBlock = 256;
    QByteArray block;
    block.reserve(perBlock * Record::kSize);
    for (qint64 n = 1; n <= count; ++n) {
        block.append(make().toBytes());
        if (block.size() >= perBlock * Record::kSize || n == count) {
            if (file.write(block) != block.size()) {
                std::fprintf(stderr, "Scrittura non riuscita: %s\n", qPrintable(file.errorString()));
                return 1;
            }
            block.clear();
        }
    }
    if (!file.flush()) {
        std::fprintf(stderr, "Scrittura non riuscita: %s\n", qPrintable(file.errorString()));
        return 1;
    }
    file.close();
    std::printf("%lld %s, %lld byte, in %lld ms\n", static_cast<long long>(count), what,
                static_cast<long long>(count * Record::kSize), static_cast<long long>(timer.elapsed()));
    return 0;
}

int generateCustomers(const QString &path, qint64 count, quint32 seed)
{
    CustomerGenerator generator(seed);
    return writeArchive<ClienteRecord>(
        path, count, [&] { return generator.customer(); }, "clienti");
}

int generateVehicles(const QString &path, qint64 count, quint32 seed)
{
    VehicleGenerator generator(seed);
    return writeArchive<AutomezzoRecord>(
        path, count, [&] { return generator.vehicle(); }, "automezzi");
}

// ---------------------------------------------------------------------------------------------
// Timing

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

double median(QVector<double> values)
{
    std::sort(values.begin(), values.end());
    return values.isEmpty() ? 0 : values.at(values.size() / 2);
}

double msSince(const QElapsedTimer &timer)
{
    return double(timer.nsecsElapsed()) / 1e6;
}

// Runs a command as a shell would with LC_ALL=C, its output to /dev/null or read through a pipe;
// returns the milliseconds from start to exit.
double timeCommand(const QString &program, const QStringList &arguments, bool outputToNull, QByteArray *output)
{
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("LC_ALL"), QStringLiteral("C"));
    process.setProcessEnvironment(environment);
    if (outputToNull)
        process.setStandardOutputFile(QProcess::nullDevice());
    QElapsedTimer timer;
    timer.start();
    process.start(program, arguments);
    process.waitForFinished(-1);
    const double ms = msSince(timer);
    if (output)
        *output = process.readAllStandardOutput().trimmed();
    if (process.exitStatus() != QProcess::NormalExit || process.exitCode() > 1)
        std::fprintf(stderr, "%s non riuscito: %s\n", qPrintable(program), process.readAllStandardError().constData());
    return ms;
}

// Notes when the list's viewport has been painted.
class PaintWatch : public QObject
{
public:
    bool painted = false;
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Paint)
            painted = true;
        return false;
    }
    bool wait()
    {
        QElapsedTimer guard;
        guard.start();
        while (!painted && guard.elapsed() < 10000)
            QCoreApplication::processEvents();
        return painted;
    }
};

struct Row
{
    QString name;
    int archive;    // 0 customers, 1 vehicles
    QString lines;  // listed lines or grep's count
    QVector<double> ms;
};

class Table
{
public:
    int add(const QString &name, int archive)
    {
        m_rows.append({name, archive, QString(), {}});
        return int(m_rows.size()) - 1;
    }
    void record(int row, double ms, const QString &lines = QString())
    {
        m_rows[row].ms.append(ms);
        if (!lines.isEmpty())
            m_rows[row].lines = lines;
    }
    double medianOf(int row) const { return median(m_rows.at(row).ms); }
    void setYardsticks(int archive, int catRow, int grepRow)
    {
        m_cat[archive] = catRow;
        m_grep[archive] = grepRow;
    }

    void print() const
    {
        std::printf("%-50s %8s %9s %9s %9s %7s %7s\n", "misura", "righe", "mediana", "min", "max", "/cat", "/grep");
        for (int i = 0; i < m_rows.size(); ++i) {
            const Row &row = m_rows.at(i);
            const double med = median(row.ms);
            const double catMs = medianOf(m_cat[row.archive]);
            const double grepMs = medianOf(m_grep[row.archive]);
            std::printf("%-50s %8s %9.1f %9.1f %9.1f %7.2f %7.2f\n", qPrintable(row.name),
                        row.lines.isEmpty() ? "-" : qPrintable(row.lines), med,
                        *std::min_element(row.ms.begin(), row.ms.end()),
                        *std::max_element(row.ms.begin(), row.ms.end()), med / catMs, med / grepMs);
        }
    }

private:
    QVector<Row> m_rows;
    int m_cat[2] = {0, 0};
    int m_grep[2] = {0, 0};
};

int timeLists(const QString &customers, const QString &vehicles, const QStringList &options)
{
    QString surname = QStringLiteral("ross");
    QString make = QStringLiteral("fiat");
    int repeat = 5;
    for (int i = 0; i + 1 < options.size(); i += 2) {
        if (options[i] == QLatin1String("--cognome"))
            surname = options[i + 1];
        else if (options[i] == QLatin1String("--marca"))
            make = options[i + 1];
        else if (options[i] == QLatin1String("--ripeti"))
            repeat = qMax(1, options[i + 1].toInt());
    }
    for (const QString &path : {customers, vehicles}) {
        if (!QFileInfo(path).isFile()) {
            std::fprintf(stderr, "Archivio non trovato: %s\n", qPrintable(path));
            return 1;
        }
    }
    const qint64 customerCount = QFileInfo(customers).size() / ClienteRecord::kSize;
    const qint64 vehicleCount = QFileInfo(vehicles).size() / AutomezzoRecord::kSize;
    std::printf("clienti: %lld schede (%.1f MB); automezzi: %lld schede (%.1f MB); %d prove alternate, "
                "tempi in ms\n\n",
                static_cast<long long>(customerCount), double(QFileInfo(customers).size()) / 1e6,
                static_cast<long long>(vehicleCount), double(QFileInfo(vehicles).size()) / 1e6, repeat);

    const RecordScan::Criteria bySurname(ClienteRecord::format(), {{ClienteRecord::fCognome, surname}});
    const RecordScan::Criteria byMake(AutomezzoRecord::format(), {{AutomezzoRecord::fMarca, make}});
    const RecordScan::Criteria everything;

    Table table;
    const int cCat = table.add(QStringLiteral("clienti: cat > /dev/null"), 0);
    const int cGrep = table.add(QStringLiteral("clienti: grep -c -i -F %1").arg(surname), 0);
    const int cOneScan = table.add(QStringLiteral("clienti: Cognome=%1, lettura").arg(surname), 0);
    const int cOne = table.add(QStringLiteral("clienti: Cognome=%1, lettura + ordinamento").arg(surname), 0);
    const int cAllScan = table.add(QStringLiteral("clienti: senza criteri, lettura"), 0);
    const int cAll = table.add(QStringLiteral("clienti: senza criteri, lettura + ordinamento"), 0);
    const int cSort = table.add(QStringLiteral("clienti: solo ordinamento dell'elenco completo"), 0);
    const int cRecontact = table.add(QStringLiteral("clienti: da ricontattare, lettura + ordinamento"), 0);
    const int cSet = table.add(QStringLiteral("clienti: elenco completo, setRecords"), 0);
    const int cPaint = table.add(QStringLiteral("clienti: elenco completo, fino al primo disegno"), 0);
    const int cLast = table.add(QStringLiteral("clienti: elenco completo, ultima pagina"), 0);
    const int cTotal = table.add(QStringLiteral("clienti: senza criteri, Cerca -> prima pagina"), 0);
    const int vCat = table.add(QStringLiteral("automezzi: cat > /dev/null"), 1);
    const int vGrep = table.add(QStringLiteral("automezzi: grep -c -i -F %1").arg(make), 1);
    const int vOneScan = table.add(QStringLiteral("automezzi: Marca=%1, lettura").arg(make), 1);
    const int vOne = table.add(QStringLiteral("automezzi: Marca=%1, lettura + ordinamento").arg(make), 1);
    const int vAllScan = table.add(QStringLiteral("automezzi: senza criteri, lettura"), 1);
    const int vAll = table.add(QStringLiteral("automezzi: senza criteri, lettura + ordinamento"), 1);
    const int vSort = table.add(QStringLiteral("automezzi: solo ordinamento dell'elenco completo"), 1);
    table.setYardsticks(0, cCat, cGrep);
    table.setYardsticks(1, vCat, vGrep);

    using Search = std::function<bool(const QString &, const RecordScan::Criteria &, ListedRecords &)>;
    bool ok = true;
    // One search: the scan, then the sort of its list; records the scan, the sort and the whole, and
    // returns the whole.
    auto searchAndSort = [&](const Search &search, const QString &path, const RecordScan::Criteria &criteria,
                             int scanRow, int wholeRow, int sortRow, ListedRecords &found) {
        found.clear();
        QElapsedTimer timer;
        timer.start();
        const bool read = search(path, criteria, found);
        const double scanMs = msSince(timer);
        QElapsedTimer sortTimer;
        sortTimer.start();
        found.sortByLineFoldingAZ();
        const double sortMs = msSince(sortTimer);
        const double wholeMs = msSince(timer);
        if (!read) {
            std::fprintf(stderr, "Archivio non accessibile: %s\n", qPrintable(path));
            ok = false;
        }
        const QString lines = QString::number(found.size());
        table.record(scanRow, scanMs, lines);
        table.record(wholeRow, wholeMs, lines);
        if (sortRow >= 0)
            table.record(sortRow, sortMs, lines);
        return wholeMs;
    };
    auto yardsticks = [&](const QString &path, const QString &text, int catRow, int grepRow) {
        table.record(catRow, timeCommand(QStringLiteral("cat"), {path}, true, nullptr));
        QByteArray count;
        const double grepMs =
            timeCommand(QStringLiteral("grep"),
                        {QStringLiteral("-c"), QStringLiteral("-i"), QStringLiteral("-F"), text, path}, false, &count);
        table.record(grepRow, grepMs, QString::fromLatin1(count));
    };

    const Search customerSearch = &ClienteSearch::search;
    const Search vehicleSearch = &AutomezzoSearch::search;
    for (int run = 0; run < repeat; ++run) {
        ListedRecords found;
        yardsticks(customers, surname, cCat, cGrep);
        searchAndSort(customerSearch, customers, bySurname, cOneScan, cOne, -1, found);
        const double searchMs = searchAndSort(customerSearch, customers, everything, cAllScan, cAll, cSort, found);
        {
            ListedRecords recontact;
            QElapsedTimer timer;
            timer.start();
            if (!ClienteSearch::toRecontact(customers, recontact)) {
                std::fprintf(stderr, "Archivio non accessibile: %s\n", qPrintable(customers));
                ok = false;
            }
            recontact.sortByLineFoldingAZ();
            table.record(cRecontact, msSince(timer), QString::number(recontact.size()));
        }
        {
            // The results list as the dialog shows it: the full sorted list handed to a list that is
            // already on screen, then the first page painted.
            auto view = std::make_unique<RecordListView>();
            view->resize(980, 380);
            PaintWatch watch;
            view->viewport()->installEventFilter(&watch);
            view->show();
            watch.wait();
            watch.painted = false;
            ListedRecords lines = found;
            const QString count = QString::number(lines.size());
            QElapsedTimer timer;
            timer.start();
            view->setRecords(std::move(lines));
            table.record(cSet, msSince(timer), count);
            const bool painted = watch.wait();
            const double paintMs = msSince(timer);
            table.record(cPaint, paintMs, count);
            table.record(cTotal, searchMs + paintMs, count);
            if (!painted)
                std::fprintf(stderr, "L'elenco non \u00E8 stato disegnato\n");
            watch.painted = false;
            timer.restart();
            view->verticalScrollBar()->setValue(view->verticalScrollBar()->maximum());
            view->horizontalScrollBar()->setValue(view->horizontalScrollBar()->maximum());
            watch.wait();
            table.record(cLast, msSince(timer), count);
        }
        yardsticks(vehicles, make, vCat, vGrep);
        searchAndSort(vehicleSearch, vehicles, byMake, vOneScan, vOne, -1, found);
        searchAndSort(vehicleSearch, vehicles, everything, vAllScan, vAll, vSort, found);
    }
    table.print();
    std::printf("\nmemoria di picco: %ld KiB\n", peakMemoryKiB());
    return ok ? 0 : 1;
}

// ---------------------------------------------------------------------------------------------
// Export

// Runs sqlite3 with its output into a file; returns the milliseconds from start to exit, or -1.
double timeSqlite(const QString &sqlite, const QStringList &arguments, const QString &output)
{
    QProcess process;
    process.setStandardOutputFile(output.isEmpty() ? QProcess::nullDevice() : output);
    QElapsedTimer timer;
    timer.start();
    process.start(sqlite, arguments);
    process.waitForFinished(-1);
    const double ms = msSince(timer);
    if (process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0) {
        std::fprintf(stderr, "sqlite3 non riuscito: %s\n", process.readAllStandardError().constData());
        return -1;
    }
    return ms;
}

int timeExport(qint64 count, const QStringList &options)
{
    int repeat = 5;
    for (int i = 0; i + 1 < options.size(); i += 2) {
        if (options[i] == QLatin1String("--ripeti"))
            repeat = qMax(1, options[i + 1].toInt());
    }
    QTemporaryDir folder;
    if (!folder.isValid()) {
        std::fprintf(stderr, "Impossibile creare la cartella temporanea\n");
        return 1;
    }
    const QDir dir(folder.path());
    const QString customers = dir.filePath(ClienteRecord::fileName());
    if (generateCustomers(customers, count, 20240517u) != 0)
        return 1;
    const SpreadsheetExport::Table &table = ClienteExport::table();
    const QString target = dir.filePath(table.fileName);

    const QString sqlite = QStandardPaths::findExecutable(QStringLiteral("sqlite3"));
    const QString database = dir.filePath(QStringLiteral("clienti.db"));
    const QString html = dir.filePath(QStringLiteral("clienti.html"));
    bool haveSqlite = !sqlite.isEmpty();
    if (haveSqlite) {
        const QString csv = dir.filePath(QStringLiteral("clienti.csv"));
        haveSqlite =
            writeCsv(customers, csv)
            && timeSqlite(sqlite,
                          {database, QStringLiteral(".mode csv"), QStringLiteral(".import %1 clienti").arg(csv)},
                          QString())
                   >= 0;
        QFile::remove(csv);
    } else {
        std::printf("sqlite3 non installato: nessun confronto\n");
    }

    QVector<double> writeMs, sqliteMs, showMs;
    bool ok = true;
    AppWindows windows(folder.path());
    for (int run = 0; run < repeat; ++run) {
        QElapsedTimer timer;
        timer.start();
        const SpreadsheetExport::Outcome outcome = SpreadsheetExport::write(table, customers, count, {}, target);
        writeMs.append(msSince(timer));
        if (outcome != SpreadsheetExport::Outcome::Written) {
            std::fprintf(stderr, "Esportazione non riuscita\n");
            ok = false;
        }
        if (haveSqlite) {
            const double ms =
                timeSqlite(sqlite, {QStringLiteral("-html"), database, QStringLiteral("SELECT * FROM clienti;")}, html);
            if (ms < 0)
                ok = false;
            sqliteMs.append(ms);
        }
        {
            // The dialog as the customer window opens it: created, shown, its grid painted.
            timer.restart();
            TfrmExpClienti dialog(windows);
            auto *grid = dialog.findChild<QTableView *>(QStringLiteral("grdRecords"));
            PaintWatch watch;
            grid->viewport()->installEventFilter(&watch);
            dialog.show();
            const bool painted = watch.wait();
            showMs.append(msSince(timer));
            if (!painted || grid->model()->rowCount() != count) {
                std::fprintf(stderr, "La griglia non \u00E8 stata disegnata per intero\n");
                ok = false;
            }
        }
    }
    const auto report = [](const char *what, const QVector<double> &ms, const QString &file) {
        std::printf("%-58s %9.1f %9.1f %9.1f %10.1f\n", what, median(ms), *std::min_element(ms.begin(), ms.end()),
                    *std::max_element(ms.begin(), ms.end()),
                    file.isEmpty() ? 0.0 : double(QFileInfo(file).size()) / 1e6);
    };
    std::printf("\n%lld clienti, %d prove alternate, tempi in ms\n\n", static_cast<long long>(count), repeat);
    std::printf("%-58s %9s %9s %9s %10s\n", "misura", "mediana", "min", "max", "file (MB)");
    report("Clienti.xls, scrittore dell'esportazione", writeMs, target);
    if (haveSqlite)
        report("sqlite3 -html, stesse 25 colonne, su file (yardstick)", sqliteMs, html);
    report("finestra di esportazione: creazione -> griglia disegnata", showMs, QString());
    if (haveSqlite)
        std::printf("\nrapporto esportazione / sqlite3: %.2f\n", median(writeMs) / median(sqliteMs));
    std::printf("memoria di picco: %ld KiB\n", peakMemoryKiB());
    return ok ? 0 : 1;
}

// The deadlines list of the vehicle window and the launcher over `count` generated vehicles: the scan
// with the sort, for the default 30 days and for 90 days of one kind, next to cat of the same file.
int timeDeadlines(qint64 count, const QStringList &options)
{
    int repeat = 5;
    for (int i = 0; i + 1 < options.size(); i += 2) {
        if (options[i] == QLatin1String("--ripeti"))
            repeat = qMax(1, options[i + 1].toInt());
    }
    QTemporaryDir folder;
    if (!folder.isValid()) {
        std::fprintf(stderr, "Impossibile creare la cartella temporanea\n");
        return 1;
    }
    const QString vehicles = QDir(folder.path()).filePath(AutomezzoRecord::fileName());
    if (generateVehicles(vehicles, count, 20240517u) != 0)
        return 1;
    QVector<double> allMs, oneKindMs, catMs;
    qsizetype lines = 0;
    bool ok = true;
    for (int run = 0; run < repeat; ++run) {
        QElapsedTimer timer;
        timer.start();
        ListedRecords found;
        Scadenze::Filter filter;
        filter.today = QDate(2025, 6, 1);
        ok = Scadenze::list(vehicles, filter, found) && ok;
        allMs.append(msSince(timer));
        lines = found.size();
        timer.restart();
        ListedRecords revisions;
        filter.periodDays = 90;
        filter.kind = Scadenze::Kind::Revisione;
        ok = Scadenze::list(vehicles, filter, revisions) && ok;
        oneKindMs.append(msSince(timer));
        timer.restart();
        QProcess cat;
        cat.start(QStringLiteral("cat"), {vehicles});
        cat.setStandardOutputFile(QProcess::nullDevice());
        cat.waitForFinished(-1);
        catMs.append(msSince(timer));
    }
    std::printf("\n%lld veicoli, %d prove, tempi in ms\n\n", static_cast<long long>(count), repeat);
    std::printf("%-52s %9s %9s %9s\n", "misura", "mediana", "min", "max");
    const auto report = [](const char *what, const QVector<double> &ms) {
        std::printf("%-52s %9.1f %9.1f %9.1f\n", what, median(ms), *std::min_element(ms.begin(), ms.end()),
                    *std::max_element(ms.begin(), ms.end()));
    };
    report("scadenze entro 30 giorni, tutti i tipi (con ordinamento)", allMs);
    report("revisioni entro 90 giorni", oneKindMs);
    report("cat dello stesso archivio (yardstick)", catMs);
    std::printf("\nrighe elencate (30 giorni): %lld\n", static_cast<long long>(lines));
    return ok ? 0 : 1;
}

void usage()
{
    std::fprintf(stderr, "uso:\n"
                         "  cerca_anagrafiche genera-clienti ARCHIVIO NUMERO [SEME]\n"
                         "  cerca_anagrafiche genera-automezzi ARCHIVIO NUMERO [SEME]\n"
                         "  cerca_anagrafiche tempi CLIENTI AUTOMEZZI [--cognome TESTO] [--marca TESTO] [--ripeti N]\n"
                         "  cerca_anagrafiche prova [NUMERO] [--ripeti N]\n"
                         "  cerca_anagrafiche esporta [NUMERO] [--ripeti N]\n"
                         "  cerca_anagrafiche scadenze [NUMERO] [--ripeti N]\n");
}

}  // namespace

int main(int argc, char **argv)
{
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    const QString command = arguments.value(0);
    if ((command == QLatin1String("genera-clienti") || command == QLatin1String("genera-automezzi"))
        && arguments.size() >= 3) {
        const qint64 count = arguments[2].toLongLong();
        const quint32 seed = arguments.size() > 3 ? arguments[3].toUInt() : 20240517u;
        return command == QLatin1String("genera-clienti") ? generateCustomers(arguments[1], count, seed)
                                                          : generateVehicles(arguments[1], count, seed);
    }
    if (command != QLatin1String("tempi") && command != QLatin1String("prova") && command != QLatin1String("esporta")
        && command != QLatin1String("scadenze")) {
        usage();
        return 2;
    }
    // The list is painted by the real list view, offscreen unless a platform is named.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    Startup::prepare(app);
    if (command == QLatin1String("tempi")) {
        if (arguments.size() < 3) {
            usage();
            return 2;
        }
        return timeLists(arguments[1], arguments[2], arguments.mid(3));
    }
    QStringList options = arguments.mid(1);
    qint64 count = 100000;
    if (!options.isEmpty() && !options.first().startsWith(QLatin1String("--")))
        count = options.takeFirst().toLongLong();
    if (command == QLatin1String("esporta"))
        return timeExport(count, options);
    if (command == QLatin1String("scadenze"))
        return timeDeadlines(count, options);
    QTemporaryDir folder;
    if (!folder.isValid()) {
        std::fprintf(stderr, "Impossibile creare la cartella temporanea\n");
        return 1;
    }
    const QString customers = QDir(folder.path()).filePath(ClienteRecord::fileName());
    const QString vehicles = QDir(folder.path()).filePath(AutomezzoRecord::fileName());
    if (generateCustomers(customers, count, 20240517u) != 0 || generateVehicles(vehicles, count, 20240517u) != 0)
        return 1;
    return timeLists(customers, vehicles, options);
}
