#pragma once

#include "archive/ListRules.h"

#include <QDate>
#include <QList>
#include <QString>

#include <optional>

// The four due dates of a vehicle (revisione, tagliando, assicurazione, bollo), stored as
// "dd/mm/yyyy" text: their state against today, the hint the vehicle window shows, and the list of
// the deadlines that are overdue or near, read from the vehicle archive.
namespace Scadenze {

enum class Kind { Revisione, Tagliando, Assicurazione, Bollo };
inline constexpr Kind kKinds[] = {Kind::Revisione, Kind::Tagliando, Kind::Assicurazione, Kind::Bollo};
// "Revisione", "Tagliando", "Assicurazione", "Bollo".
QString kindName(Kind kind);

enum class State {
    Empty,    // no date stored
    Invalid,  // text that is not a "dd/mm/yyyy" date of the calendar
    Overdue,  // before today
    Due,      // today or within the warning period
    Fine,     // later
};

struct Status
{
    State state = State::Empty;
    QDate date;
    qint64 daysLeft = 0;  // from today to the date; negative when overdue
};

// The state of a stored date (blanks around it ignored) on a day, with a warning period in days.
Status evaluate(const QString &stored, const QDate &today, int warningDays);

// The status-line hint of a date: "Scaduta da N giorni", "Scade oggi", "Scade tra N giorni" (one
// "giorno" for 1), "Data non valida", or the empty text for an empty date.
QString hint(const Status &status);

// The warning period: [Scadenze] Preavviso in Cablora.ini, a whole number of days from 0 to 3650;
// 30 when missing or unreadable.
inline constexpr int kDefaultWarningDays = 30;
int warningDays(const QString &programFolder);

// What the list shows: the deadlines that are overdue or fall within periodDays from today, of one
// kind or of all four; a stored date that is not valid is always listed, once, as "data non valida".
struct Filter
{
    QDate today;
    int periodDays = 30;
    std::optional<Kind> kind;
};

// The periods the list offers, in days.
inline constexpr int kPeriods[] = {7, 30, 60, 90};

// The column heading of the list lines.
QString heading();
// What the column "Giorni" means, said under the list and on its print.
QString daysLegend();

// Reads the vehicle archive in large blocks and lists one line per deadline (date, days left, kind,
// plate, make and model, owner, owner's telephone), each with its vehicle's position: invalid dates
// first, then by date, then in archive order. A missing archive lists nothing. False when the
// archive cannot be read (found then holds what was listed before the failure).
bool list(const QString &archivePath, const Filter &filter, ListedRecords &found);

}  // namespace Scadenze
