#include "sheets/TfrmAnteprimaScheda.h"

#include "media/Logo.h"
#include "reports/ReportPreview.h"
#include "reports/SheetReport.h"
#include "sheets/SheetPrinting.h"
#include "sheets/TfrmInterventi.h"
#include "shell/AppWindows.h"
#include "widgets/FormHelpers.h"
#include "widgets/MessageBoxes.h"

#include <QPushButton>

#include <exception>

QString TfrmAnteprimaScheda::failureMessage()
{
    return QStringLiteral("Attenzione: la visualizzazione dell'anteprima di stampa non è andata a buon fine.");
}

TfrmAnteprimaScheda::TfrmAnteprimaScheda(AppWindows &windows, QWidget *parent)
    : QDialog(parent), m_windows(windows)
{
    SheetPrinting::buildFace(
        *this, QStringLiteral(" Anteprima di stampa"), QStringLiteral(":/icons/document-print-preview.svg"),
        QStringLiteral("Anteprima di stampa"),
        {QStringLiteral("Questa operazione consente di visualizzare in anteprima i dati che "
                        "appariranno in stampa."),
         QStringLiteral("Fare clic su Mostra anteprima per visualizzare il documento sullo schermo "
                        "prima di eseguire la stampa su carta.")},
        QStringLiteral("Mostra anteprima"), imgIstruzioni, btnAnnulla, btnStampa);
    connect(btnAnnulla, &QPushButton::clicked, this, &TfrmAnteprimaScheda::btnAnnullaClick);
    connect(btnStampa, &QPushButton::clicked, this, &TfrmAnteprimaScheda::btnStampaClick);
    FormHelpers::centre(this, windows.frmInterventi());
}

void TfrmAnteprimaScheda::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (!m_shown) {
        m_shown = true;
        FormShow();
    }
}

void TfrmAnteprimaScheda::FormShow()
{
    imgLogo = Logo::load(m_windows.programFolder());
    btnStampa->setFocus(Qt::OtherFocusReason);
}

void TfrmAnteprimaScheda::btnStampaClick()
{
    bool ok = false;
    try {
        if (imgLogo.isNull())
            imgLogo = Logo::load(m_windows.programFolder());
        Report report = SheetReport::buildTemplate();
        if (const TfrmInterventi *sheet = m_windows.frmInterventi();
            sheet && SheetReport::fill(report, SheetPrinting::valuesFromWindow(*sheet, imgLogo))) {
            ok = ReportPreview::run(report.prepare(), this);
        }
    } catch (const std::exception &) {
        ok = false;
    }
    if (!ok)
        MessageBoxes::warning(this, failureMessage());
    accept();
}

void TfrmAnteprimaScheda::btnAnnullaClick()
{
    reject();
}
