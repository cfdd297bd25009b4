#include "common/Formats.h"

namespace Formats {

QString dateText(const QDate &date)
{
    return date.toString(QStringLiteral("dd/MM/yyyy"));
}

QString todayText()
{
    return dateText(QDate::currentDate());
}

}  // namespace Formats
