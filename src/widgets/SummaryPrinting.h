#pragma once

#include <QString>
#include <QStringList>

class QWidget;

// Printing the summary ("riepilogo") of a list dialog on paper: the template, lines and footer of
// SummaryReport, through the print dialog.
namespace SummaryPrinting {

// Offers the print dialog (default printer preselected) and prints; cancelling prints nothing.
// Returns false only when printing failed.
bool print(QWidget *parent, const QString &reportName, const QString &title, const QStringList &lines);

}  // namespace SummaryPrinting
