#include "widgets/SummaryPrinting.h"

#include "reports/Report.h"
#include "reports/SummaryReport.h"
#include "widgets/ReportPrinting.h"

namespace SummaryPrinting {

bool print(QWidget *parent, const QString &reportName, const QString &title, const QStringList &lines)
{
    Report report = SummaryReport::buildTemplate(reportName);
    if (!SummaryReport::fill(report, title, lines, SummaryReport::footerText()))
        return false;
    return ReportPrinting::print(report.prepare(), parent) != ReportPrinting::Outcome::Failed;
}

}  // namespace SummaryPrinting
