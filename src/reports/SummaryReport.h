#pragma once

#include <QString>
#include <QStringList>

class QWidget;

// The summary ("riepilogo") that every list dialog prints: the list's lines on the landscape summary
// template, under the dialog's title, with the date and time of printing in the footer.
namespace SummaryReport {

// Offers the print dialog (default printer preselected) and prints; cancelling prints nothing.
// Returns false only when printing failed.
bool print(QWidget *parent, const QString &reportName, const QString &title, const QStringList &lines);

// The footer text: "Stampa eseguita in data dd/mm/yyyy alle ore <long time>".
QString footerText();

}  // namespace SummaryReport
