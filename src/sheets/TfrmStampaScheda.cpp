#include "sheets/TfrmStampaScheda.h"

#include "reports/ReportPrinting.h"

QString TfrmStampaScheda::failureMessage()
{
    return QStringLiteral("Attenzione: la stampa non è andata a buon fine.");
}

TfrmStampaScheda::TfrmStampaScheda(AppWindows &windows, QWidget *parent)
    : SheetPrintDialog(windows, parent,
                       {QStringLiteral(" Stampa documento"), QStringLiteral(":/icons/document-print.svg"),
                        QStringLiteral("Stampa documento"),
                        {QStringLiteral(
                             "Questa operazione provvederà a stampare su carta il documento con i dati "
                             "immessi nei campi di testo."),
                         QStringLiteral(
                             "Premere il pulsante Stampa per dare avvio alla stampa su carta oppure premere "
                             "Annulla per annullare l'operazione.")},
                        QStringLiteral("Stampa")})
{
}

bool TfrmStampaScheda::output(const PreparedReport &report)
{
    return ReportPrinting::print(report, this) != ReportPrinting::Outcome::Failed;
}
