#include "customers/TfrmTrovaClienti.h"

#include "archive/RecordArchive.h"
#include "common/TextRules.h"
#include "customers/ClienteSearch.h"
#include "customers/TfrmClienti.h"
#include "sheets/TfrmInterventi.h"
#include "shell/AppWindows.h"
#include "widgets/FormBinding.h"
#include "widgets/ListDialogParts.h"

#include <QLineEdit>

namespace {

ListCriteriaPage::Setup criteriaPage()
{
    ListCriteriaPage::Setup page;
    page.title = QStringLiteral("Trova clienti in archivio");
    page.decoration = ListDialogParts::decorationPicture(QSize(220, 570));
    page.criteria = {
        {QStringLiteral("txtCognome"), QStringLiteral("Cognome cliente:")},
        {QStringLiteral("txtDitta"), QStringLiteral("Denominazione Ditta:")},
        {QStringLiteral("txtPartitaIva"), QStringLiteral("Partita IVA:")},
        {QStringLiteral("txtCodFisc"), QStringLiteral("Codice fiscale:")},
        {QStringLiteral("txtComuneRes"), QStringLiteral("Comune di residenza:")},
        {QStringLiteral("txtMarca"), QStringLiteral("Marca e modello veicolo:")},
        {QStringLiteral("txtTarga"), QStringLiteral("Targa:")},
        {QStringLiteral("txtTelCel"), QStringLiteral("Tel. cellulare:")},
        {QStringLiteral("txtQuestioni"), QStringLiteral("Questioni in sospeso:")},
        {QStringLiteral("txtNote"), QStringLiteral("Note:")},
    };
    return page;
}

}  // namespace

TfrmTrovaClienti::TfrmTrovaClienti(AppWindows &windows, QWidget *parent)
    : RecordSearchDialog(
        QStringLiteral(" Trova clienti in archivio"), criteriaPage(),
        {.reportName = reportName(),
         .reportTitle = reportTitle(),
         .open = [this](qint64 position) { lstRecordsDblClick(position); }},
        [&windows](const QStringList &texts, ListedRecords &found) {
            const auto criteria = RecordScan::criteriaFor(ClienteSearch::criterionFields(), texts);
            const bool ok = ClienteSearch::search(windows.filePath(ClienteRecord::fileName()),
                                                  RecordScan::Criteria(ClienteRecord::format(), criteria), found);
            found.sortByLineFoldingAZ();
            return ok;
        },
        parent),
      m_windows(windows)
{
    nameEdits({&txtCognome, &txtDitta, &txtPartitaIva, &txtCodFisc, &txtComuneRes, &txtMarca, &txtTarga, &txtTelCel,
               &txtQuestioni, &txtNote});
}

void TfrmTrovaClienti::lstRecordsDblClick(qint64 position)
{
    const QString word = lblMemory->text();
    if (onChosen) {
        onChosen(position);
    } else if (word == QLatin1String("clienti")) {
        m_windows.frmClienti()->ShowRecordAt(position);
    } else if (word == QLatin1String("interventi")) {
        QByteArray bytes;
        if (!RecordArchive::readRecordAt(m_windows.filePath(ClienteRecord::fileName()), ClienteRecord::kSize, position,
                                         bytes))
            return;
        const ClienteRecord c = ClienteRecord::fromBytes(bytes);
        TfrmInterventi *sheet = m_windows.frmInterventi();
        FormBinding::setEditText(sheet->txtCliente, c.Cognome + QLatin1Char(' ') + c.Nome);
        FormBinding::setEditText(sheet->txtRecapito, c.Recapito);
        FormBinding::setEditText(sheet->txtVeicolo, c.Veicolo);
        FormBinding::setEditText(sheet->txtMarca, c.Marca);
        FormBinding::setEditText(sheet->txtTarga, c.Targa);
    }
}
