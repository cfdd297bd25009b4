#include "validators/CartaCredito.h"

#include <QStringList>

namespace CartaCredito {

namespace {

constexpr int kCharactersRead = 20;

QString digitsOf(const QString &text)
{
    QString digits;
    for (QChar c : text.left(kCharactersRead)) {
        if (c >= QLatin1Char('0') && c <= QLatin1Char('9'))
            digits.append(c);
    }
    return digits;
}

int digitAt(const QString &digits, qsizetype i)
{
    return digits.at(i).unicode() - u'0';
}

bool passesLuhn(const QString &digits)
{
    int sum = 0;
    bool twice = true;  // the digit just before the check digit is doubled
    for (qsizetype i = digits.size() - 2; i >= 0; --i) {
        int value = digitAt(digits, i);
        if (twice) {
            value *= 2;
            if (value >= 10)
                value -= 9;
        }
        sum += value;
        twice = !twice;
    }
    const int expected = (10 - sum % 10) % 10;
    return digitAt(digits, digits.size() - 1) == expected;
}

// MasterCard's 2-series: first four digits from 2221 to 2720.
bool isMasterCardSeries2(const QString &digits)
{
    if (digits.size() < 4)
        return false;
    const int first4 = digits.left(4).toInt();
    return first4 >= 2221 && first4 <= 2720;
}

}  // namespace

int typeCode(const QString &text)
{
    const QString digits = digitsOf(text);
    if (digits.isEmpty() || !passesLuhn(digits))
        return 0;
    if (isMasterCardSeries2(digits))
        return 3;
    return digitAt(digits, 0) - 2;
}

QString typeName(int code, const QString &trimmedText)
{
    switch (code) {
    case 1: {
        const QString prefix = trimmedText.left(2);
        struct Prefixes
        {
            QStringList prefixes;
            const char *name;
        };
        const Prefixes kinds[] = {
            {{QStringLiteral("30"), QStringLiteral("36"), QStringLiteral("38")}, "Diner's Club / Carte Blanche"},
            {{QStringLiteral("34"), QStringLiteral("37")}, "American Express"},
            {{QStringLiteral("31"), QStringLiteral("33"), QStringLiteral("35")}, "JCB"},
        };
        for (const Prefixes &kind : kinds) {
            if (kind.prefixes.contains(prefix))
                return QString::fromLatin1(kind.name);
        }
        return QString();
    }
    case 2: return QStringLiteral("Visa");
    case 3: return QStringLiteral("MasterCard");
    case 4: return QStringLiteral("Discover");
    default: return QString();
    }
}

}  // namespace CartaCredito
