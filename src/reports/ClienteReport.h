#pragma once

#include "reports/Report.h"

#include <QImage>
#include <QList>
#include <QPair>
#include <QString>

// The printed customer sheet "Scheda informativa": one A4 portrait page with the title, 24 rows of
// caption and value, and the date and time of printing at the foot. It is filled from the texts of
// the customer window's controls (what the screen shows, saved or not), named as the controls are.
namespace ClienteReport {

QString reportName();
QString title();

// The empty template: the folder picture, the title, 24 caption boxes `titCampo01`.. and 24 value
// boxes `txtCampo01`.., two separator lines and the foot `txtCalce`.
Report buildTemplate();

// The 24 rows (caption, value) for the window's control texts, each text trimmed. A control missing
// from the list reads as empty.
QList<QPair<QString, QString>> rows(const PrintTexts &texts);

// Fills the template: portrait page, title, the 24 rows and the foot. False when the template lacks
// an object.
bool fill(Report &report, const PrintTexts &texts, const QString &footer);

// The built-in folder picture at the top left of the sheet.
QImage folderPicture();

}  // namespace ClienteReport
