#pragma once

#include <QDate>
#include <QString>
#include <QStringView>

// Dates are always "dd/mm/yyyy" and amounts use a decimal comma, whatever the regional settings.
namespace Formats {

QString dateText(const QDate &date);
QString todayText();

// A date written "dd/mm/yyyy" exactly: two digits, two digits, four digits ("1/2/2025" is a typing slip,
// not a date). An invalid date when the text is not one, or names no day of the calendar (31/04/2025,
// 29/02/2025, month 13, year 0). The caller trims the text first. The second form reads stored bytes as
// they are, without a conversion, for the scans over a whole archive.
QDate parseDate(QStringView text);
QDate parseDate(QLatin1String bytes);

}  // namespace Formats
