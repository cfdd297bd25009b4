#include "vehicles/TfrmAnteprimaAutomezzo.h"

#include "vehicles/TfrmAutoparco.h"

QString TfrmAnteprimaAutomezzo::failureMessage()
{
    return QStringLiteral("Attenzione: la visualizzazione dell'anteprima di stampa del documento non è "
                          "andata a buon fine.\n\r\n\rSi consiglia di ridurre le dimensioni della foto.");
}

TfrmAnteprimaAutomezzo::TfrmAnteprimaAutomezzo(AppWindows &windows, QWidget *parent)
    : RecordPrintDialog(TfrmAutoparco::printSetup(windows, previewing(failureMessage())), parent)
{
}
