#include "invoice/InvoiceNumbering.h"

#include <QRegularExpression>

namespace InvoiceNumbering {

namespace {

const QString kDigits36 = QStringLiteral("0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ");

QString dateText(const QDate &date)
{
    return date.toString(QStringLiteral("dd/MM/yyyy"));
}

}  // namespace

QString progressive(int year, qint64 number)
{
    if (year < 2000 || year > 2099 || number < 1 || number > kLargestNumber)
        return {};
    const QString yy = QStringLiteral("%1").arg(year % 100, 2, 10, QLatin1Char('0'));
    if (number <= 999)
        return yy + QStringLiteral("%1").arg(number, 3, 10, QLatin1Char('0'));
    const qint64 rest = number - 1000;
    return yy + QChar(QLatin1Char('A').unicode() + int(rest / 1296)) + kDigits36.at(int(rest % 1296 / 36))
           + kDigits36.at(int(rest % 36));
}

bool parseProgressive(const QString &text, int *year, qint64 *number)
{
    static const QRegularExpression form(QStringLiteral("^([0-9]{2})(?:([0-9]{3})|([A-Z])([0-9A-Z])([0-9A-Z]))$"));
    const QRegularExpressionMatch m = form.match(text);
    if (!m.hasMatch())
        return false;
    qint64 n;
    if (!m.captured(2).isEmpty())
        n = m.captured(2).toLongLong();
    else
        n = 1000 + (m.captured(3).at(0).unicode() - 'A') * 1296 + kDigits36.indexOf(m.captured(4)) * 36
            + kDigits36.indexOf(m.captured(5));
    if (n < 1)
        return false;
    *year = 2000 + m.captured(1).toInt();
    *number = n;
    return true;
}

QString fileName(const QString &vatNumber, int year, qint64 number)
{
    return QStringLiteral("IT%1_%2.xml").arg(vatNumber, progressive(year, number));
}

bool parseFileName(const QString &name, int *year, qint64 *number)
{
    static const QRegularExpression form(QStringLiteral("^[A-Z]{2}[A-Za-z0-9]{2,28}_([A-Z0-9]{5})\\.xml$"),
                                         QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch m = form.match(name);
    return m.hasMatch() && parseProgressive(m.captured(1).toUpper(), year, number);
}

qint64 nextNumber(const QList<Issued> &issued, int year)
{
    qint64 highest = 0;
    for (const Issued &i : issued) {
        if (i.year == year)
            highest = qMax(highest, i.number);
    }
    return highest + 1;
}

QString numberProblem(const QList<Issued> &issued, qint64 number, const QDate &date)
{
    const int year = date.year();
    const qint64 next = nextNumber(issued, year);
    const Issued *before = nullptr;
    const Issued *after = nullptr;
    for (const Issued &i : issued) {
        if (i.year != year)
            continue;
        if (i.number == number)
            return QStringLiteral("Il numero %1 del %2 è già stato emesso%3: ogni fattura ha un numero suo.")
                .arg(number)
                .arg(year)
                .arg(i.fileName.isEmpty() ? QString() : QStringLiteral(" (file %1)").arg(i.fileName));
        if (i.number < number && i.date.isValid() && (!before || i.number > before->number))
            before = &i;
        if (i.number > number && i.date.isValid() && (!after || i.number < after->number))
            after = &i;
    }
    if (number > next)
        return QStringLiteral("Il numero %1 lascerebbe un vuoto nella numerazione del %2: il prossimo numero è %3.")
            .arg(number)
            .arg(year)
            .arg(next);
    if (before && date < before->date)
        return QStringLiteral("La data %1 è anteriore a quella della fattura n. %2 del %3 (%4): i numeri devono "
                              "seguire l'ordine delle date.")
            .arg(dateText(date))
            .arg(before->number)
            .arg(year)
            .arg(dateText(before->date));
    if (after && date > after->date)
        return QStringLiteral("La data %1 è posteriore a quella della fattura n. %2 del %3 (%4): i numeri devono "
                              "seguire l'ordine delle date.")
            .arg(dateText(date))
            .arg(after->number)
            .arg(year)
            .arg(dateText(after->date));
    return {};
}

}  // namespace InvoiceNumbering
