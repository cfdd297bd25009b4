#include "vehicles/TfrmExpAutoparco.h"

#include "shell/AppWindows.h"
#include "vehicles/AutomezzoExport.h"

TfrmExpAutoparco::TfrmExpAutoparco(AppWindows &windows, QWidget *parent)
    : ExportDialog(windows, QStringLiteral(" Esportazione archivio veicoli in Excel"), AutomezzoExport::table(),
                   HelpTopics::vehicleExport(), parent)
{
    setObjectName(QStringLiteral("frmExpAutoparco"));
}
