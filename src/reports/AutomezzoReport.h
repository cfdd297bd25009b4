#pragma once

#include "reports/Report.h"

#include <QImage>
#include <QString>
#include <QStringList>

// The printed vehicle sheet "Scheda Veicolo": one A4 portrait page headed "SCHEDA VEICOLO" with the
// vehicle's photo and a cell (caption band, caption, value box, value) for every field of the
// vehicle but the attachments. The value objects bear the names of the vehicle window's controls
// and are filled with their texts (what the screen shows, saved or not).
namespace AutomezzoReport {

QString reportName();

// The empty template.
Report buildTemplate();

// The names of the 32 value objects, in the order of the sheet (row by row, left to right).
QStringList valueNames();

// Fills the template: portrait page, the photo, every value object with the trimmed text of its
// namesake control (a control missing from the list prints empty). False when the template lacks an
// object.
bool fill(Report &report, const PrintTexts &texts, const QImage &photo);

}  // namespace AutomezzoReport
