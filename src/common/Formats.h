#pragma once

#include <QDate>
#include <QString>

// Dates are always "dd/mm/yyyy" and amounts use a decimal comma, whatever the regional settings.
namespace Formats {

QString dateText(const QDate &date);
QString todayText();

}  // namespace Formats
