#include "reports/ReportPrinting.h"

#include "reports/Report.h"
#include "widgets/PrintDialogs.h"

#include <QPrinter>

#include <new>

namespace ReportPrinting {

Outcome print(const PreparedReport &report, QWidget *parent)
{
    if (report.pages.isEmpty())
        return Outcome::Failed;
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(report.name);
    printer.setPageLayout(report.pages.constFirst().layout);
    if (!PrintDialogs::askPrinter(printer, parent))
        return Outcome::Cancelled;
    try {
        int from = 1;
        int to = 0;
        if (printer.printRange() == QPrinter::PageRange && printer.fromPage() > 0) {
            from = printer.fromPage();
            to = printer.toPage();
        }
        if (!ReportRender::render(report, printer, from, to) || printer.printerState() == QPrinter::Error)
            return Outcome::Failed;
    } catch (const std::bad_alloc &) {
        return Outcome::Failed;
    }
    return Outcome::Printed;
}

}  // namespace ReportPrinting
