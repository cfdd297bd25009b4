#include "widgets/ReportPrinting.h"

#include "reports/PageSequence.h"
#include "reports/Report.h"
#include "widgets/PrintDialogs.h"
#include "widgets/WorkProgress.h"

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
    return printOn(report, printer, parent);
}

Outcome printOn(const PreparedReport &report, QPrinter &printer, QWidget *parent)
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
        // A long job shows how far it has gone and may be stopped: nothing more is printed then.
        WorkProgress progress(parent, QStringLiteral("Stampa in corso..."));
        const auto told = progress.callback();
        const bool drawn =
            ReportRender::render(job, printer, 1, 0, [&told](int done, int total) { return told(done, total); });
        if (progress.wasCancelled()) {
            printer.abort();
            return Outcome::Cancelled;
        }
        if (!drawn || printer.printerState() == QPrinter::Error)
            return Outcome::Failed;
    } catch (const std::bad_alloc &) {
        return Outcome::Failed;
    }
    return Outcome::Printed;
}

}  // namespace ReportPrinting
