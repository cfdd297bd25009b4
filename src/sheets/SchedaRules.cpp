#include "sheets/SchedaRules.h"

#include "common/IniFile.h"
#include "common/TextRules.h"

#include <QDir>
#include <QRegularExpression>
#include <QtNumeric>

#include <cmath>
#include <limits>

namespace SchedaRules {

namespace {

const QString kZero = QStringLiteral("0,00");

// Adds one to a string of decimal digits.
QString incremented(QString digits)
{
    for (qsizetype i = digits.size() - 1; i >= 0; --i) {
        if (digits[i] != QLatin1Char('9')) {
            digits[i] = QChar(digits[i].unicode() + 1);
            return digits;
        }
        digits[i] = QLatin1Char('0');
    }
    return QLatin1Char('1') + digits;
}

QString withoutLeadingZeros(const QString &digits)
{
    qsizetype first = 0;
    while (first + 1 < digits.size() && digits[first] == QLatin1Char('0'))
        ++first;
    return digits.mid(first);
}

bool allDigits(const QString &text)
{
    for (const QChar c : text) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return false;
    }
    return true;
}

}  // namespace

QString normaliseTotale(const QString &text)
{
    QString t = TextRules::trim(text);
    if (t.isEmpty())
        return kZero;
    bool negative = false;
    if (t.startsWith(QLatin1Char('-')) || t.startsWith(QLatin1Char('+'))) {
        negative = t.startsWith(QLatin1Char('-'));
        t.remove(0, 1);
    }
    const QStringList parts = t.split(QLatin1Char(','));
    if (parts.size() > 2)
        return kZero;
    const QString whole = parts.value(0);
    const QString fraction = parts.value(1);
    if ((whole.isEmpty() && fraction.isEmpty()) || !allDigits(whole) || !allDigits(fraction))
        return kZero;

    // Cents from the digits as typed; the third decimal decides the rounding, halves upward.
    QString cents = (whole.isEmpty() ? QStringLiteral("0") : whole) + (fraction + QStringLiteral("00")).left(2);
    if (fraction.size() > 2 && fraction[2] >= QLatin1Char('5'))
        cents = incremented(cents);
    cents = withoutLeadingZeros(cents);
    if (cents.size() < 3)
        cents = QString(3 - cents.size(), QLatin1Char('0')) + cents;
    const QString result = cents.left(cents.size() - 2) + QLatin1Char(',') + cents.right(2);
    const bool zero = cents.count(QLatin1Char('0')) == cents.size();
    return negative && !zero ? QLatin1Char('-') + result : result;
}

bool isTotaleCharacter(QChar c)
{
    return (c >= QLatin1Char('0') && c <= QLatin1Char('9')) || c == QLatin1Char(',');
}

qint64 proposedNumber(qint64 start, qint64 sheetCount, bool *ok)
{
    qint64 sum = 0;
    *ok = !qAddOverflow(start, sheetCount, &sum);
    return *ok ? sum : 0;
}

qint64 proposedNumber(qint64 start, qint64 sheetCount)
{
    bool ok = false;
    return proposedNumber(start, sheetCount, &ok);
}

qint64 numberAtSave(qint64 proposed, qint64 start, qint64 countNow, const QStringList &numbersStoredSince, bool *ok)
{
    *ok = true;
    const auto taken = [&](qint64 number) {
        const QString text = QString::number(number);
        for (const QString &stored : numbersStoredSince) {
            if (TextRules::trim(stored) == text)
                return true;
        }
        return false;
    };
    if (!taken(proposed))
        return proposed;
    qint64 number = proposedNumber(start, countNow, ok);
    while (*ok && (number <= proposed || taken(number))) {
        if (number == std::numeric_limits<qint64>::max())
            *ok = false;
        else
            ++number;
    }
    return *ok ? number : 0;
}

QString normaliseInizio(const QString &text)
{
    const QString t = TextRules::trim(text);
    if (t.isEmpty())
        return QStringLiteral("1");
    bool ok = false;
    const double value = QString(t).replace(QLatin1Char(','), QLatin1Char('.')).toDouble(&ok);
    if (!ok || !(value >= 0) || value >= 1e15)  // NaN is refused too
        return QStringLiteral("1");
    // A plain decimal number is rounded on its digits as typed: a double cannot hold the decimals of
    // a 15-digit number exactly (999999999999999,49 would read as ...,5 and round up).
    static const QRegularExpression plain(QStringLiteral("^\\+?([0-9]*)(?:[,.]([0-9]*))?$"));
    const QRegularExpressionMatch match = plain.match(t);
    qint64 rounded = 0;
    if (match.hasMatch()) {
        rounded = match.captured(1).isEmpty() ? 0 : match.captured(1).toLongLong();
        const QString fraction = match.captured(2);
        if (!fraction.isEmpty() && fraction.at(0) >= QLatin1Char('5'))
            ++rounded;
    } else {
        rounded = qint64(std::floor(value + 0.5));  // other forms a number can take ("1e3")
    }
    // Rounding up may reach the first number the numbering refuses.
    if (rounded > kLargestStart)
        return QStringLiteral("1");
    return QString::number(rounded);
}

QString readHeading(const QString &programFolder)
{
    return IniFile::value(QDir(programFolder).filePath(QStringLiteral("Cablora.ini")),
                          QStringLiteral("Schede Interventi"), QStringLiteral("Intestazione Azienda"));
}

bool writeHeading(const QString &programFolder, const QString &heading)
{
    return IniFile::setValue(QDir(programFolder).filePath(QStringLiteral("Cablora.ini")),
                             QStringLiteral("Schede Interventi"), QStringLiteral("Intestazione Azienda"),
                             TextRules::trim(heading));
}

QString readNumberingStart(const QString &programFolder)
{
    return IniFile::value(QDir(programFolder).filePath(QStringLiteral("Contratti.ini")),
                          QStringLiteral("Numerazione Contratti"), QStringLiteral("Inizio"));
}

bool writeNumberingStart(const QString &programFolder, const QString &start)
{
    return IniFile::setValue(QDir(programFolder).filePath(QStringLiteral("Contratti.ini")),
                             QStringLiteral("Numerazione Contratti"), QStringLiteral("Inizio"), TextRules::trim(start));
}

qint64 numberingStartValue(const QString &stored, bool *ok)
{
    const QString t = TextRules::trim(stored);
    if (t.isEmpty()) {
        *ok = true;
        return 1;
    }
    const qint64 value = t.toLongLong(ok);
    if (*ok && (value > kLargestStart || value < -kLargestStart))
        *ok = false;
    return *ok ? value : 0;
}

QString numberingStartMessage(const QString &stored)
{
    QString shown = TextRules::trim(stored);
    if (shown.size() > 30)
        shown = shown.left(30) + QStringLiteral("... (%1 caratteri)").arg(shown.size());
    return QStringLiteral("Attenzione: il numero da cui parte la numerazione delle schede, conservato nel file "
                          "Contratti.ini, non \u00E8 valido (\"%1\"): deve essere un numero intero di al massimo "
                          "15 cifre.\n\r\n\r"
                          "Impostare di nuovo l'inizio della numerazione con il comando Numerazione.")
        .arg(shown);
}

}  // namespace SchedaRules
