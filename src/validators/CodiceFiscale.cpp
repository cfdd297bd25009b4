#include "validators/CodiceFiscale.h"

#include <array>

namespace CodiceFiscale {

namespace {

constexpr char16_t kFirst = u'0';
constexpr char16_t kLast = u'Z';

// Odd-position values of the letters A to Z; the digits 0 to 9 count like A to J.
constexpr std::array<int, 26> kOddLetters = {
    1,  0,  5,  7,  9,  13, 15, 17, 19, 21,  // A B C D E F G H I J
    2,  4,  18, 20, 11, 3,  6,  8,  12, 14,  // K L M N O P Q R S T
    16, 10, 22, 25, 24, 23,                  // U V W X Y Z
};

bool inRange(QChar c)
{
    return c.unicode() >= kFirst && c.unicode() <= kLast;
}

}  // namespace

int oddValue(QChar c)
{
    if (!inRange(c))
        return -1;
    const char16_t u = c.unicode();
    if (u >= u'0' && u <= u'9')
        return kOddLetters[u - u'0'];
    if (u >= u'A' && u <= u'Z')
        return kOddLetters[u - u'A'];
    return 0;  // the punctuation between '9' and 'A'
}

int evenValue(QChar c)
{
    if (!inRange(c))
        return -1;
    const char16_t u = c.unicode();
    if (u >= u'0' && u <= u'9')
        return u - u'0';
    if (u >= u'A' && u <= u'Z')
        return u - u'A';
    return 0;  // the punctuation between '9' and 'A'
}

QChar checkCharacter(const QString &code)
{
    if (code.size() < 15)
        return QChar();
    int sum = 0;
    for (int i = 0; i < 15; ++i) {
        // Position i + 1: positions 1, 3, ... 15 are odd.
        const int value = i % 2 == 0 ? oddValue(code.at(i)) : evenValue(code.at(i));
        if (value < 0)
            return QChar();
        sum += value;
    }
    return QChar(char16_t(u'A' + sum % 26));
}

bool isValid(const QString &code)
{
    if (code.size() != 16)
        return false;
    const QChar expected = checkCharacter(code);
    return !expected.isNull() && code.at(15) == expected;
}

}  // namespace CodiceFiscale
