#include "invoice/Amounts.h"

#include <QRegularExpression>

namespace Amounts {

qint64 roundedDivision(qint64 a, qint64 b)
{
    Q_ASSERT(b > 0);
    if (a >= 0)
        return (a / b) + ((a % b) * 2 >= b ? 1 : 0);
    return -roundedDivision(-a, b);
}

namespace {

// Digits before and after the decimal separator of a typed number; false when the text is not one.
bool splitNumber(QString text, bool *negative, QString *whole, QString *decimals)
{
    text.remove(QLatin1Char(' '));
    text.remove(QChar(0x00A0));
    text.remove(QChar(0x20AC));
    *negative = false;
    if (text.startsWith(QLatin1Char('-')) || text.startsWith(QLatin1Char('+'))) {
        *negative = text.startsWith(QLatin1Char('-'));
        text.remove(0, 1);
    }
    static const QRegularExpression grouped(QStringLiteral("^([0-9]{1,3}(?:[.][0-9]{3})+)(?:,([0-9]*))?$"));
    static const QRegularExpression plain(QStringLiteral("^([0-9]*)(?:[,.]([0-9]*))?$"));
    QRegularExpressionMatch m = grouped.match(text);
    if (m.hasMatch()) {
        *whole = m.captured(1).remove(QLatin1Char('.'));
        *decimals = m.captured(2);
        return true;
    }
    m = plain.match(text);
    if (!m.hasMatch() || (m.captured(1).isEmpty() && m.captured(2).isEmpty()))
        return false;
    *whole = m.captured(1);
    *decimals = m.captured(2);
    return true;
}

bool toHundredths(const QString &text, bool allowNegative, qint64 largest, qint64 *result)
{
    bool negative = false;
    QString whole, decimals;
    if (!splitNumber(text, &negative, &whole, &decimals) || decimals.size() > 2 || whole.size() > 12)
        return false;
    if (negative && !allowNegative)
        return false;
    const qint64 units = whole.isEmpty() ? 0 : whole.toLongLong();
    const qint64 fraction = (decimals + QStringLiteral("00")).left(2).toLongLong();
    const qint64 value = units * 100 + fraction;
    if (value > largest)
        return false;
    *result = negative ? -value : value;
    return true;
}

QString twoDecimals(qint64 cents, QChar separator, bool grouped)
{
    const bool negative = cents < 0;
    const qint64 magnitude = negative ? -cents : cents;
    QString units = QString::number(magnitude / 100);
    if (grouped) {
        for (qsizetype at = units.size() - 3; at > 0; at -= 3)
            units.insert(at, QLatin1Char('.'));
    }
    return (negative ? QStringLiteral("-") : QString()) + units + separator
           + QStringLiteral("%1").arg(magnitude % 100, 2, 10, QLatin1Char('0'));
}

}  // namespace

bool parseCents(const QString &text, qint64 *cents)
{
    return toHundredths(text, true, kLargestCents, cents);
}

bool parseQuantity(const QString &text, qint64 *hundredths)
{
    return toHundredths(text, false, kLargestQuantity, hundredths);
}

QString centsText(qint64 cents)
{
    return twoDecimals(cents, QLatin1Char(','), false);
}

QString centsGrouped(qint64 cents)
{
    return twoDecimals(cents, QLatin1Char(','), true);
}

QString centsXml(qint64 cents)
{
    return twoDecimals(cents, QLatin1Char('.'), false);
}

QString quantityText(qint64 hundredths)
{
    QString text = twoDecimals(hundredths, QLatin1Char(','), false);
    while (text.endsWith(QLatin1Char('0')) && text.contains(QLatin1Char(',')))
        text.chop(1);
    if (text.endsWith(QLatin1Char(',')))
        text.chop(1);
    return text;
}

QString quantityXml(qint64 hundredths)
{
    return centsXml(hundredths);
}

QString eightDecimalsXml(qint64 value)
{
    const bool negative = value < 0;
    const qint64 magnitude = negative ? -value : value;
    QString decimals = QStringLiteral("%1").arg(magnitude % 100000000, 8, 10, QLatin1Char('0'));
    while (decimals.size() > 2 && decimals.endsWith(QLatin1Char('0')))
        decimals.chop(1);
    return (negative ? QStringLiteral("-") : QString()) + QString::number(magnitude / 100000000) + QLatin1Char('.')
           + decimals;
}

bool parseXmlCents(const QString &text, qint64 *cents)
{
    static const QRegularExpression amount(QStringLiteral("^(-?)([0-9]{1,11})\\.([0-9]{2})$"));
    const QRegularExpressionMatch m = amount.match(text.trimmed());
    if (!m.hasMatch())
        return false;
    const qint64 value = m.captured(2).toLongLong() * 100 + m.captured(3).toLongLong();
    *cents = m.captured(1).isEmpty() ? value : -value;
    return true;
}

}  // namespace Amounts
