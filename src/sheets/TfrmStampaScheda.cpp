#include "sheets/TfrmStampaScheda.h"

#include "media/Logo.h"
#include "reports/ReportPrinting.h"
#include "reports/SheetReport.h"
#include "sheets/SheetPrinting.h"
#include "sheets/TfrmInterventi.h"
#include "shell/AppWindows.h"
#include "widgets/FormHelpers.h"
#include "widgets/MessageBoxes.h"

#include <QPushButton>

#include <exception>

QString TfrmStampaScheda::failureMessage()
{
    return QStringLiteral("Attenzione: la stampa non è andata a buon fine.");
}

TfrmStampaScheda::TfrmStampaScheda(AppWindows &windows, QWidget *parent)
    : QDialog(parent), m_windows(windows)
{
    SheetPrinting::buildFace(
        *this, QStringLiteral(" Stampa documento"), QStringLiteral(":/icons/document-print.svg"),
        QStringLiteral("Stampa documento"),
        {QStringLiteral("Questa operazione provvederà a stampare su carta il documento con i dati "
                        "immessi nei campi di testo."),
         QStringLiteral("Premere il pulsante Stampa per dare avvio alla stampa su carta oppure premere "
                        "Annulla per annullare l'operazione.")},
        QStringLiteral("Stampa"), imgIstruzioni, btnAnnulla, btnStampa);
    connect(btnAnnulla, &QPushButton::clicked, this, &TfrmStampaScheda::btnAnnullaClick);
    connect(btnStampa, &QPushButton::clicked, this, &TfrmStampaScheda::btnStampaClick);
    FormHelpers::centre(this, windows.frmInterventi());
}

void TfrmStampaScheda::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (!m_shown) {
        m_shown = true;
        FormShow();
    }
}

void TfrmStampaScheda::FormShow()
{
    imgLogo = Logo::load(m_windows.programFolder());
    btnStampa->setFocus(Qt::OtherFocusReason);
}

void TfrmStampaScheda::btnStampaClick()
{
    bool ok = false;
    try {
        if (imgLogo.isNull())
            imgLogo = Logo::load(m_windows.programFolder());
        Report report = SheetReport::buildTemplate();
        if (const TfrmInterventi *sheet = m_windows.frmInterventi();
            sheet && SheetReport::fill(report, SheetPrinting::valuesFromWindow(*sheet, imgLogo))) {
            ok = ReportPrinting::print(report.prepare(), this) != ReportPrinting::Outcome::Failed;
        }
    } catch (const std::exception &) {
        ok = false;
    }
    if (!ok)
        MessageBoxes::warning(this, failureMessage());
    accept();
}

void TfrmStampaScheda::btnAnnullaClick()
{
    reject();
}
