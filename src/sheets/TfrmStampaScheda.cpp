#include "sheets/TfrmStampaScheda.h"

#include "sheets/SchedaPrinting.h"

QString TfrmStampaScheda::failureMessage()
{
    return QStringLiteral("Attenzione: la stampa non è andata a buon fine.");
}

TfrmStampaScheda::TfrmStampaScheda(AppWindows &windows, QWidget *parent)
    : RecordPrintDialog(SchedaPrinting::forSheet(windows, printing(failureMessage())), parent)
{
}
