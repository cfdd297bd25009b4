#include "customers/TfrmExpClienti.h"

#include "customers/ClienteExport.h"
#include "widgets/AppHost.h"

TfrmExpClienti::TfrmExpClienti(AppHost &host, QWidget *parent)
    : ExportDialog(host, QStringLiteral(" Esporta archivio clienti in Excel"), ClienteExport::table(),
                   HelpTopics::customerExport(), parent)
{
    setObjectName(QStringLiteral("frmExpClienti"));
}
