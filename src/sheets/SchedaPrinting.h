#pragma once

#include "reports/SchedaReport.h"
#include "widgets/RecordPrintDialog.h"

#include <QImage>

#include <optional>

class AppWindows;

// What the sheet's print and preview dialogs (TfrmStampaScheda, TfrmAnteprimaScheda) add to the
// shared RecordPrintDialog: the sheet template filled from the sheet window, and the workshop logo.
namespace SchedaPrinting {

// The two-page sheet filled from the sheet window as it shows it at this moment (saved or not): the
// texts of its controls, the pictures of its two photo areas at full size, and the logo. Laid out;
// nothing when there is no sheet window or the template could not be filled.
std::optional<PreparedReport> prepare(const AppWindows &windows, const QImage &logo);

// A print or preview face completed for the sheet: centred on the sheet window, the logo of the
// program folder (or the built-in one) loaded on showing, the sheet prepared on confirming.
RecordPrintDialog::Setup forSheet(AppWindows &windows, RecordPrintDialog::Setup face);

}  // namespace SchedaPrinting
