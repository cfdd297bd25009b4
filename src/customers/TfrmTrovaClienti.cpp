#include "customers/TfrmTrovaClienti.h"

#include "archive/RecordArchive.h"
#include "common/TextRules.h"
#include "customers/ClienteSearch.h"
#include "customers/TfrmClienti.h"
#include "sheets/TfrmInterventi.h"
#include "shell/AppWindows.h"
#include "shell/ContextWords.h"
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
    if (onChosen) {
        onChosen(position);
        return;
    }
    switch (ContextWords::of(lblMemory->text())) {
    case ContextWords::Target::Clienti: m_windows.frmClienti()->ShowRecordAt(position); break;
    case ContextWords::Target::Interventi: {
        QByteArray bytes;
        if (!RecordArchive::readRecordAt(m_windows.filePath(ClienteRecord::fileName()), ClienteRecord::kSize, position,
                                         bytes))
            return;
        m_windows.frmInterventi()->importCustomer(ClienteRecord::fromBytes(bytes));
        break;
    }
    default: break;
    }
}
