#pragma once

class QWidget;

struct PreparedReport;

// Printing a prepared report on paper: the print dialog first (the default printer preselected;
// printer, copies and pages can be chosen), then the pages.
namespace ReportPrinting {

enum class Outcome { Printed, Cancelled, Failed };

// Cancelling the print dialog prints nothing.
Outcome print(const PreparedReport &report, QWidget *parent);

}  // namespace ReportPrinting
