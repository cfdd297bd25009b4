#include "sheets/TfrmAnteprimaScheda.h"

#include "reports/ReportPreview.h"

QString TfrmAnteprimaScheda::failureMessage()
{
    return QStringLiteral("Attenzione: la visualizzazione dell'anteprima di stampa non è andata a "
                          "buon fine.");
}

TfrmAnteprimaScheda::TfrmAnteprimaScheda(AppWindows &windows, QWidget *parent)
    : SheetPrintDialog(windows, parent,
                       {QStringLiteral(" Anteprima di stampa"),
                        QStringLiteral(":/icons/document-print-preview.svg"),
                        QStringLiteral("Anteprima di stampa"),
                        {QStringLiteral(
                             "Questa operazione consente di visualizzare in anteprima i dati che "
                             "appariranno in stampa."),
                         QStringLiteral(
                             "Fare clic su Mostra anteprima per visualizzare il documento sullo schermo "
                             "prima di eseguire la stampa su carta.")},
                        QStringLiteral("Mostra anteprima")})
{
}

bool TfrmAnteprimaScheda::output(const PreparedReport &report)
{
    return ReportPreview::run(report, this);
}
