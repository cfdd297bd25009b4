#include "sheets/TfrmTrovaInterventi.h"

#include "sheets/TfrmInterventi.h"
#include "shell/AppWindows.h"
#include "shell/ContextWords.h"
#include "widgets/ListDialogParts.h"

#include <QLineEdit>

namespace {

ListCriteriaPage::Setup criteriaPage()
{
    ListCriteriaPage::Setup page;
    page.title = QStringLiteral("Trova schede interventi");
    page.decoration = ListDialogParts::decorationPicture(QSize(220, 570));
    page.criteria = {
        {QStringLiteral("txtNumScheda"), QStringLiteral("Scheda n.")},
        {QStringLiteral("txtData"), QStringLiteral("Data emissione (gg/mm/aaaa):")},
        {QStringLiteral("txtTecnico"), QStringLiteral("Tecnico assegnato:")},
        {QStringLiteral("txtPratica"), QStringLiteral("Estremi pratica assicurativa:")},
        {QStringLiteral("txtCliente"), QStringLiteral("Cliente:")},
        {QStringLiteral("txtRecapito"), QStringLiteral("Recapito telefonico:")},
        {QStringLiteral("txtMarca"), QStringLiteral("Marca e modello veicolo:")},
        {QStringLiteral("txtTarga"), QStringLiteral("Targa veicolo:")},
        {QStringLiteral("txtStato"), QStringLiteral("Stato avanzamento lavori:")},
        {QStringLiteral("txtNote"), QStringLiteral("Note:")},
    };
    return page;
}

}  // namespace

TfrmTrovaInterventi::TfrmTrovaInterventi(AppWindows &windows, QWidget *parent)
    : RecordSearchDialog(
        QStringLiteral(" Trova schede interventi in archivio"), criteriaPage(),
        {.reportName = reportName(),
         .reportTitle = reportTitle(),
         .open = [this](qint64 position) { lstRecordsDblClick(position); }},
        [&windows](const QStringList &texts, ListedRecords &found) {
            return SchedaSearch::search(windows.filePath(SchedaRecord::fileName()),
                                        SchedaSearch::Criteria(criteriaOf(SchedaSearch::criterionFields(), texts)),
                                        found);
        },
        parent),
      m_windows(windows)
{
    nameEdits({&txtNumScheda, &txtData, &txtTecnico, &txtPratica, &txtCliente, &txtRecapito, &txtMarca, &txtTarga,
               &txtStato, &txtNote});
}

void TfrmTrovaInterventi::lstRecordsDblClick(qint64 position)
{
    if (ContextWords::of(lblMemory->text()) == ContextWords::Target::Interventi)
        m_windows.frmInterventi()->ShowRecordAt(position);
}
