#include "reports/SummaryReport.h"

// Placeholder until the report engine lands.
namespace SummaryReport {

bool print(QWidget *, const QString &, const QString &, const QStringList &)
{
    return false;
}

QString footerText()
{
    return QString();
}

}  // namespace SummaryReport
