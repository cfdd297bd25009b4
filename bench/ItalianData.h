#pragma once

// Italian-looking surnames, firm names and plates, and the seeded random source the archive
// generators of the benchmark tools draw them from. The same seed always gives the same sequence,
// so a generated archive is the same file on every machine.

#include <QChar>
#include <QString>

#include <initializer_list>
#include <iterator>
#include <random>

namespace ItalianData {

inline const char *const kCognomi[] = {
    "Rossi",      "Russo",     "Ferrari",   "Esposito",   "Bianchi",    "Romano",    "Colombo",    "Ricci",
    "Marino",     "Greco",     "Bruno",     "Gallo",      "Conti",      "De Luca",   "Mancini",    "Costa",
    "Giordano",   "Rizzo",     "Lombardi",  "Moretti",    "Barbieri",   "Fontana",   "Santoro",    "Mariani",
    "Rinaldi",    "Caruso",    "Ferrara",   "Galli",      "Martini",    "Leone",     "Longo",      "Gentile",
    "Martinelli", "Vitale",    "Lombardo",  "Serra",      "Coppola",    "De Santis", "D'Angelo",   "Marchetti",
    "Parisi",     "Villa",     "Conte",     "Ferraro",    "Ferri",      "Fabbri",    "Bianco",     "Marini",
    "Grasso",     "Valentini", "Messina",   "Sala",       "De Angelis", "Gatti",     "Pellegrini", "Palumbo",
    "Sanna",      "Farina",    "Rizzi",     "Monti",      "Cattaneo",   "Morelli",   "Amato",      "Silvestri",
    "Mazza",      "Testa",     "Grassi",    "Pellegrino", "Carbone",    "Giuliani",  "Benedetti",  "Barone",
    "Rossetti",   "Caputo",    "Montanari", "Guerra",     "Palmieri",   "Bernardi",  "Martino",    "Fiore",
    "De Rosa",    "Ferretti",  "Bellini",   "Basile",     "Riva",       "Donati",    "Piras",      "Vitali",
    "Battaglia",  "Sartori",   "Neri",      "Costantini", "Milani",     "Pagano",    "Ruggiero",   "Sorrentino",
    "D'Amico",    "Orlando",   "Damico",    "Negri",      "Grossi",     "Rossini",   "Zanetti",    "Fumagalli",
    "Brambilla",  "Bassi",     "Cocco",     "Lupo",       "Pace",       "Fadda",     "Mele",       "Poli",
    "Cirillo",    "Bonetti",   "Cavallo",   "Colonna",    "Dell'Acqua", "Nicolò",    "Forlì",
};

// Firm names; %1 is a surname.
inline const char *const kDitte[] = {
    "Autotrasporti %1 S.r.l.", "Impresa edile %1", "%1 Costruzioni S.p.A.", "Taxi %1", "Noleggio %1 S.n.c.",
    "Pizzeria da %1",          "%1 & figli",
};

class RandomText
{
public:
    explicit RandomText(quint32 seed) : m_random(seed) {}

    int between(int low, int high) { return std::uniform_int_distribution<int>(low, high)(m_random); }
    bool chance(int percent) { return between(1, 100) <= percent; }

    template<size_t N>
    QString pick(const char *const (&list)[N])
    {
        return QString::fromUtf8(list[between(0, int(N) - 1)]);
    }
    QString pick(std::initializer_list<const char *> list)
    {
        return QString::fromUtf8(*(list.begin() + between(0, int(list.size()) - 1)));
    }

    // A plate of the current national series: two letters, three digits, two letters, without the
    // letters the series leaves out (I, O, Q, U).
    QString plate()
    {
        static const char letters[] = "ABCDEFGHJKLMNPRSTVWXYZ";
        auto letter = [&] { return QLatin1Char(letters[between(0, int(sizeof(letters)) - 2)]); };
        QString p;
        p += letter();
        p += letter();
        p += QStringLiteral("%1").arg(between(0, 999), 3, 10, QLatin1Char('0'));
        p += letter();
        p += letter();
        return p;
    }

    // A mobile number ("3xx xxxxxxx") or, otherwise, a landline number ("0x xxxxxxx").
    QString phone(int mobilePercent)
    {
        return chance(mobilePercent) ? QStringLiteral("3%1 %2").arg(between(20, 93)).arg(between(1000000, 9999999))
                                     : QStringLiteral("0%1 %2").arg(between(2, 99)).arg(between(100000, 9999999));
    }

private:
    std::mt19937 m_random;
};

}  // namespace ItalianData
