#include "sheets/TfrmAnteprimaScheda.h"

#include "sheets/SchedaPrinting.h"

TfrmAnteprimaScheda::TfrmAnteprimaScheda(AppWindows &windows, QWidget *parent)
    : RecordPrintDialog(SchedaPrinting::forSheet(windows, previewing(failureMessage())), parent)
{
}

QString TfrmAnteprimaScheda::failureMessage()
{
    return QStringLiteral("Attenzione: la visualizzazione dell'anteprima di stampa non è andata a "
                          "buon fine.");
}
