#pragma once

#include <QString>
#include <QStringList>

// The rules of the sheet window that do not need a window: the total's normalisation, the
// numbering of new sheets and the two settings files of the sheets.
namespace SchedaRules {

// The total as the screen shows and stores it: digits, a decimal comma and two decimals, rounded
// half up on the decimal digits as typed (1,005 -> 1,01). Empty or unreadable text gives "0,00".
// A negative amount (only pasting can bring one) keeps its sign; its digits round the same way.
QString normaliseTotale(const QString &text);

// The characters the total accepts from the keyboard: digits and the comma.
bool isTotaleCharacter(QChar c);

// The proposed number of a new sheet: the numbering start plus the sheets already stored. ok turns
// false when the sum lies outside the 64-bit range (a hand-edited start); the number is then 0 and
// must not be shown. The form without ok gives the same sum and 0 when it does not fit.
qint64 proposedNumber(qint64 start, qint64 sheetCount, bool *ok);
qint64 proposedNumber(qint64 start, qint64 sheetCount);

// The number a new sheet takes at Save when its number was proposed by New and other workstations
// have stored sheets since (numbersStoredSince: their numbers as stored). The proposed number stays
// when none of them took it; otherwise the sheet takes start + the count now, or the first number
// after it that none of them holds. ok turns false only when the sum does not fit.
qint64 numberAtSave(qint64 proposed, qint64 start, qint64 countNow, const QStringList &numbersStoredSince, bool *ok);

// The numbering start as the dialog's edit shows it once the user leaves it: empty or unreadable
// text gives "1", a number is rounded half up to a whole number without leading zeros.
QString normaliseInizio(const QString &text);

// The workshop heading kept in "Cablora.ini" ([Schede Interventi] Intestazione Azienda).
QString readHeading(const QString &programFolder);
bool writeHeading(const QString &programFolder, const QString &heading);

// The numbering start kept in "Contratti.ini" ([Numerazione Contratti] Inizio), as stored (the
// empty text when the file, section or key is missing).
QString readNumberingStart(const QString &programFolder);
bool writeNumberingStart(const QString &programFolder, const QString &start);
// The stored start as a number: the empty text counts as 1; ok is false when it is not a whole
// number, or when it has more digits than the numbers the program proposes (a magnitude of 10^15 or
// more, the limit of the dialog's own normalisation): such a hand-edited start is refused like text.
qint64 numberingStartValue(const QString &stored, bool *ok);
// What New says when the stored start cannot give a number (not a whole number, too many digits):
// the start as stored (cut when long) and what to do.
QString numberingStartMessage(const QString &stored);
// The largest magnitude of a numbering start that the program accepts.
inline constexpr qint64 kLargestStart = Q_INT64_C(999999999999999);

}  // namespace SchedaRules
