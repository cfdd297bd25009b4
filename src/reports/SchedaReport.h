#pragma once

#include "reports/Report.h"

#include <QImage>
#include <QString>
#include <QStringList>

// The printed intervention sheet "Scheda Intervento Elettrauto": two A4 portrait pages, front and
// back of one sheet. Its value objects bear the names of the sheet window's controls.
namespace SchedaReport {

QString reportName();

// The empty template.
Report buildTemplate();

// The names of the 21 value objects, in the order the sheet is filled.
QStringList valueNames();

// Fills the template: first page portrait, the logo and the two photos, then every value object with
// the trimmed text of its namesake control (line breaks inside a text are kept; a control missing from
// the list prints empty). False when the template lacks an object.
bool fill(Report &report, const PrintTexts &texts, const QImage &logo, const QImage &photo1, const QImage &photo2);

}  // namespace SchedaReport
