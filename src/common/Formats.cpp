#include "common/Formats.h"

namespace Formats {

namespace {

int code(char c)
{
    return static_cast<unsigned char>(c);
}

int code(QChar c)
{
    return c.unicode();
}

template<typename Char>
QDate parseDate(const Char *text, qsizetype size)
{
    if (size != 10 || code(text[2]) != '/' || code(text[5]) != '/')
        return QDate();
    int value[8];
    const int digits[8] = {0, 1, 3, 4, 6, 7, 8, 9};
    for (int i = 0; i < 8; ++i) {
        const int c = code(text[digits[i]]);
        if (c < '0' || c > '9')
            return QDate();
        value[i] = c - '0';
    }
    const int day = value[0] * 10 + value[1];
    const int month = value[2] * 10 + value[3];
    const int year = value[4] * 1000 + value[5] * 100 + value[6] * 10 + value[7];
    return QDate(year, month, day);  // invalid for 31/04, 29/02 of a common year, month 13, year 0 ...
}

}  // namespace

QString dateText(const QDate &date)
{
    return date.toString(QStringLiteral("dd/MM/yyyy"));
}

QString todayText()
{
    return dateText(QDate::currentDate());
}

QDate parseDate(QStringView text)
{
    return parseDate(text.data(), text.size());
}

QDate parseDate(QLatin1String bytes)
{
    return parseDate(bytes.data(), bytes.size());
}

}  // namespace Formats
