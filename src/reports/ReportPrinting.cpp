#include "reports/ReportPrinting.h"

#include "reports/PageSequence.h"
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
    // The page range the dialog offers starts on the report's pages.
    printer.setFromTo(1, report.pageCount());
    if (!PrintDialogs::askPrinter(printer, parent))
        return Outcome::Cancelled;
    return printOn(report, printer);
}

Outcome printOn(const PreparedReport &report, QPrinter &printer)
{
    try {
        PageSequence::Request request;
        request.pageCount = report.pageCount();
        if (printer.printRange() == QPrinter::PageRange && printer.fromPage() > 0) {
            request.fromPage = printer.fromPage();
            request.toPage = printer.toPage();
        }
        request.copies = printer.copyCount();
        request.collate = printer.collateCopies();
        request.deviceMakesCopies = printer.supportsMultipleCopies();
        const QList<int> sequence = PageSequence::pages(request);
        if (sequence.isEmpty())
            return Outcome::Failed;

        // The job is drawn as one report whose pages are the sequence (pages are shared, not copied).
        PreparedReport job;
        job.name = report.name;
        job.pages.reserve(sequence.size());
        for (int page : sequence)
            job.pages.append(report.pages.at(page - 1));
        if (!ReportRender::render(job, printer) || printer.printerState() == QPrinter::Error)
            return Outcome::Failed;
    } catch (const std::bad_alloc &) {
        return Outcome::Failed;
    }
    return Outcome::Printed;
}

}  // namespace ReportPrinting
