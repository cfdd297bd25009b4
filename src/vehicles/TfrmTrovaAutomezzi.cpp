#include "vehicles/TfrmTrovaAutomezzi.h"

#include "archive/RecordArchive.h"
#include "customers/TfrmClienti.h"
#include "shell/AppWindows.h"
#include "shell/ContextWords.h"
#include "vehicles/AutomezzoSearch.h"
#include "vehicles/TfrmAutoparco.h"
#include "widgets/ListDialogParts.h"

#include <QLineEdit>

namespace {

ListCriteriaPage::Setup criteriaPage()
{
    ListCriteriaPage::Setup page;
    page.title = QStringLiteral("Trova veicoli in archivio");
    page.decoration = ListDialogParts::decorationPicture(QSize(220, 570));
    page.boldEdits = true;
    page.criteria = {
        {QStringLiteral("txtTipo"), QStringLiteral("Tipo veicolo:")},
        {QStringLiteral("txtDestinazione"), QStringLiteral("Accessori:")},
        {QStringLiteral("txtMarca"), QStringLiteral("Marca:")},
        {QStringLiteral("txtModello"), QStringLiteral("Modello:")},
        {QStringLiteral("txtTarga"), QStringLiteral("Targa:")},
        {QStringLiteral("txtStato"), QStringLiteral("Stato veicolo:")},
        {QStringLiteral("txtAutista"), QStringLiteral("Proprietario:")},
        {QStringLiteral("txtMeccanico"), QStringLiteral("Meccanico:")},
        {QStringLiteral("txtProprietario"), QStringLiteral("Centraline installate:")},
        {QStringLiteral("txtNote"), QStringLiteral("Note:")},
    };
    return page;
}

}  // namespace

TfrmTrovaAutomezzi::TfrmTrovaAutomezzi(AppWindows &windows, QWidget *parent)
    : RecordSearchDialog(
        QStringLiteral(" Trova veicoli in archivio"), criteriaPage(),
        {.reportName = reportName(),
         .reportTitle = reportTitle(),
         .countEnding = QString(),
         .open = [this](qint64 position) { lstRecordsDblClick(position); }},
        [&windows](const QStringList &texts, ListedRecords &found) {
            const auto criteria = RecordScan::criteriaFor(AutomezzoSearch::criterionFields(), texts);
            const bool ok = AutomezzoSearch::search(windows.filePath(AutomezzoRecord::fileName()),
                                                    RecordScan::Criteria(AutomezzoRecord::format(), criteria), found);
            found.sortByLineFoldingAZ();
            return ok;
        },
        parent),
      m_windows(windows)
{
    nameEdits({&txtTipo, &txtDestinazione, &txtMarca, &txtModello, &txtTarga, &txtStato, &txtAutista, &txtMeccanico,
               &txtProprietario, &txtNote});
}

void TfrmTrovaAutomezzi::lstRecordsDblClick(qint64 position)
{
    switch (ContextWords::of(lblMemory->text())) {
    case ContextWords::Target::Autoparco: m_windows.frmAutoparco()->ShowRecordAt(position); break;
    case ContextWords::Target::Clienti: {
        QByteArray bytes;
        if (!RecordArchive::readRecordAt(m_windows.filePath(AutomezzoRecord::fileName()), AutomezzoRecord::kSize,
                                         position, bytes))
            return;
        m_windows.frmClienti()->importVehicle(AutomezzoRecord::fromBytes(bytes));
        break;
    }
    default: break;
    }
}
