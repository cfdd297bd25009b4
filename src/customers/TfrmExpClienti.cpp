#include "customers/TfrmExpClienti.h"

#include "customers/ClienteExport.h"
#include "shell/AppWindows.h"

TfrmExpClienti::TfrmExpClienti(AppWindows &windows, QWidget *parent)
    : ExportDialog(windows.programFolder(), QStringLiteral(" Esporta archivio clienti in Excel"),
                   ClienteExport::table(), parent)
{
    setObjectName(QStringLiteral("frmExpClienti"));
}
