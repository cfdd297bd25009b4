#pragma once

#include "reports/SheetReport.h"

#include <QString>
#include <QStringList>

class QDialog;
class QLabel;
class QPushButton;
class TfrmInterventi;

// What the sheet's print and preview dialogs share.
namespace SheetPrinting {

// The sheet as the window shows it at this moment (saved or not): the texts of its controls, the
// pictures of its two photo areas at full size, and the logo.
SheetReport::Values valuesFromWindow(const TfrmInterventi &window, const QImage &logo);

// The two dialogs' face: the instruction picture over the buttons "Annulla" and the confirm button,
// on a background shaded from blue to white; fixed size, no title-bar buttons.
void buildFace(QDialog &dialog, const QString &caption, const QString &iconPath, const QString &title,
               const QStringList &lines, const QString &confirmText, QLabel *&picture,
               QPushButton *&cancel, QPushButton *&confirm);

}  // namespace SheetPrinting
