#include "vehicles/TfrmStampaAutomezzo.h"

#include "vehicles/TfrmAutoparco.h"

QString TfrmStampaAutomezzo::failureMessage()
{
    return QStringLiteral("Attenzione: la stampa del documento non è andata a buon fine.\n\r\n\r"
                          "Si consiglia di ridurre le dimensioni della foto.");
}

TfrmStampaAutomezzo::TfrmStampaAutomezzo(AppWindows &windows, QWidget *parent)
    : RecordPrintDialog(TfrmAutoparco::printSetup(windows, printing(failureMessage())), parent)
{
}
