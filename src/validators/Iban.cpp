#include "validators/Iban.h"

#include "common/TextRules.h"

namespace Iban {

namespace {

// Reads a piece of at most nine digits; false when it holds anything else or is empty.
bool readNumber(const QString &piece, qint64 *value)
{
    if (piece.isEmpty())
        return false;
    qint64 result = 0;
    for (QChar c : piece) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return false;
        result = result * 10 + (c.unicode() - u'0');
    }
    *value = result;
    return true;
}

}  // namespace

int remainder97(const QString &digits)
{
    QString carry;
    qsizetype start = 0;
    qsizetype width = 9;
    int remainder = 0;
    while (start < digits.size()) {
        carry += digits.mid(start, width);
        qint64 number = 0;
        if (!readNumber(carry, &number))
            return 0;
        remainder = int(number % 97);
        start += width;
        carry = QString::number(remainder);
        width = 9 - carry.size();
    }
    return remainder;
}

bool isValid(const QString &text)
{
    QString t = text;
    t.remove(QLatin1Char(' '));
    t = TextRules::upperAZ(t);
    // The word "IBAN" written before the number; the same letters inside an account number are
    // part of it.
    if (t.startsWith(QLatin1String("IBAN")))
        t.remove(0, 4);
    t = t.mid(4) + t.left(4);
    QString digits;
    digits.reserve(t.size() * 2);
    for (QChar c : t) {
        if (c >= QLatin1Char('A') && c <= QLatin1Char('Z'))
            digits += QString::number(c.unicode() - u'A' + 10);
        else
            digits += c;
    }
    return remainder97(digits) == 1;
}

}  // namespace Iban
