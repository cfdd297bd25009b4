#include "vehicles/TfrmExpAutoparco.h"

#include "vehicles/AutomezzoExport.h"
#include "widgets/AppHost.h"

TfrmExpAutoparco::TfrmExpAutoparco(AppHost &host, QWidget *parent)
    : ExportDialog(host, QStringLiteral(" Esportazione archivio veicoli in Excel"), AutomezzoExport::table(),
                   HelpTopics::vehicleExport(), parent)
{
    setObjectName(QStringLiteral("frmExpAutoparco"));
}
