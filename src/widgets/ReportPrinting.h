#pragma once

class QPrinter;
class QWidget;

struct PreparedReport;

// Printing a prepared report on paper: the print dialog first (the default printer preselected;
// printer, copies and pages can be chosen), then the pages.
namespace ReportPrinting {

enum class Outcome { Printed, Cancelled, Failed };

// Cancelling the print dialog prints nothing.
Outcome print(const PreparedReport &report, QWidget *parent);

// Prints on a printer already set up (by the print dialog): the chosen page range, bounded by the
// report's pages, and the chosen copies with their collation, repeated by the program when the
// printer cannot make copies itself (printing to a PDF file). Failed when nothing could be printed. A
// long job shows its progress over parent, and Cancelled when the user stopped it there.
Outcome printOn(const PreparedReport &report, QPrinter &printer, QWidget *parent = nullptr);

}  // namespace ReportPrinting
