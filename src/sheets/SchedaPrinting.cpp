#include "sheets/SchedaPrinting.h"

#include "media/Logo.h"
#include "sheets/TfrmInterventi.h"
#include "shell/AppWindows.h"
#include "widgets/PhotoArea.h"

namespace SchedaPrinting {

SchedaReport::Values valuesFromWindow(const TfrmInterventi &window, const QImage &logo)
{
    // The printed objects and their texts come from the window's binding table.
    SchedaReport::Values values;
    for (const auto &[name, text] : window.binding().printTexts())
        values.setText(name, text);
    values.imgLogo = logo;
    values.picFotografia01 = window.imgFoto->fullImage();
    values.picFotografia02 = window.imgFoto02->fullImage();
    return values;
}

std::optional<PreparedReport> prepare(const AppWindows &windows, const QImage &logo)
{
    const TfrmInterventi *sheet = windows.frmInterventi();
    Report report = SchedaReport::buildTemplate();
    if (!sheet || !SchedaReport::fill(report, valuesFromWindow(*sheet, logo)))
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
