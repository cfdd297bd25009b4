#include "sheets/SchedaPrinting.h"

#include "media/Logo.h"
#include "sheets/TfrmInterventi.h"
#include "shell/AppWindows.h"
#include "widgets/PhotoArea.h"

namespace SchedaPrinting {

std::optional<PreparedReport> prepare(const AppWindows &windows, const QImage &logo)
{
    const TfrmInterventi *sheet = windows.frmInterventi();
    Report report = SchedaReport::buildTemplate();
    // The printed objects and their texts come from the window's binding table; the photos at full size.
    if (!sheet
        || !SchedaReport::fill(report, sheet->binding().printTexts(), logo, sheet->imgFoto->fullImage(),
                               sheet->imgFoto02->fullImage()))
        return std::nullopt;
    return report.prepare();
}

RecordPrintDialog::Setup forSheet(AppWindows &windows, RecordPrintDialog::Setup face)
{
    face.centreOver = windows.frmInterventi();
    face.picture = [folder = windows.programFolder()] { return Logo::load(folder); };
    face.build = [&windows](const QImage &logo) { return prepare(windows, logo); };
    return face;
}

}  // namespace SchedaPrinting
