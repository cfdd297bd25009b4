#pragma once

#include <QString>
#include <QStringList>

class Report;

// The summary ("riepilogo") that every list dialog prints: the list's lines on the landscape summary
// template, under the dialog's title, with the date and time of printing in the footer. Printing it
// on paper is the window side's job: see SummaryPrinting.
namespace SummaryReport {

// The footer text: "Stampa eseguita in data dd/mm/yyyy alle ore <long time>".
QString footerText();

// The empty template: A4 landscape, a title band, the data band `MasterData` that may split across
// pages, a footer band printed once after the data.
Report buildTemplate(const QString &reportName);

// Fills the template: title, footer, one line of `txtRiepilogo` per list line, the heights of the
// text (12.822 report units of 1/96 inch per line) and of its band (10 units more).
bool fill(Report &report, const QString &title, const QStringList &lines, const QString &footer);

// One report unit (1/96 inch) in millimetres.
constexpr double kUnit = 25.4 / 96.0;

}  // namespace SummaryReport
