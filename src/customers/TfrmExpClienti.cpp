#include "customers/TfrmExpClienti.h"

#include "customers/ClienteExport.h"
#include "shell/AppWindows.h"

TfrmExpClienti::TfrmExpClienti(AppWindows &windows, QWidget *parent)
    : ExportDialog(windows, QStringLiteral(" Esporta archivio clienti in Excel"), ClienteExport::table(),
                   HelpTopics::customerExport(), parent)
{
    setObjectName(QStringLiteral("frmExpClienti"));
}
