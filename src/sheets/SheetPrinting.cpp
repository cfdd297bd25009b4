#include "sheets/SheetPrinting.h"

#include "media/Logo.h"
#include "media/PhotoArea.h"
#include "sheets/TfrmInterventi.h"
#include "shell/AppWindows.h"
#include "widgets/Artwork.h"
#include "widgets/FormHelpers.h"
#include "widgets/MessageBoxes.h"

#include <QDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

#include <exception>

namespace SheetPrinting {

SheetReport::Values valuesFromWindow(const TfrmInterventi &window, const QImage &logo)
{
    SheetReport::Values values;
    values.txtNumScheda = window.txtNumScheda->text();
    values.txtData = window.txtData->text();
    values.txtAzienda = window.txtAzienda->text();
    values.txtCliente = window.txtCliente->text();
    values.txtRecapito = window.txtRecapito->text();
    values.txtVeicolo = window.txtVeicolo->text();
    values.txtTarga = window.txtTarga->text();
    values.txtMarca = window.txtMarca->text();
    values.txtChilometraggio = window.txtChilometraggio->text();
    values.txtTecnico = window.txtTecnico->text();
    values.txtPratica = window.txtPratica->text();
    values.txtDataInizio = window.txtDataInizio->text();
    values.txtDataFine = window.txtDataFine->text();
    values.txtStato = window.txtStato->text();
    values.txtDanni = window.txtDanni->text();
    values.txtVernice = window.txtVernice->text();
    values.txtRicambi = window.txtRicambi->text();
    values.txtInterventi = window.txtInterventi->toPlainText();
    values.txtManodopera = window.txtManodopera->text();
    values.txtTotale = window.txtTotale->text();
    values.txtNote = window.txtNote->text();
    values.imgLogo = logo;
    values.picFotografia01 = window.imgFoto->fullImage();
    values.picFotografia02 = window.imgFoto02->fullImage();
    return values;
}

}  // namespace SheetPrinting

SheetPrintDialog::SheetPrintDialog(AppWindows &windows, QWidget *parent, const Face &face)
    : QDialog(parent), m_windows(windows)
{
    setWindowTitle(face.caption);
    FormHelpers::makeFixedWithoutButtons(this);
    setModal(true);
    setObjectName(QStringLiteral("faccia"));
    setStyleSheet(QStringLiteral("QDialog#faccia { background: qlineargradient(x1:0, y1:0, x2:0, "
                                 "y2:1, stop:0 #3A6FC4, stop:1 #FFFFFF); }"));

    imgIstruzioni = new QLabel(this);
    imgIstruzioni->setPixmap(Artwork::header(QSize(400, 170), face.iconPath, face.title, face.lines));

    btnAnnulla = new QPushButton(QStringLiteral("Annulla"), this);
    btnStampa = new QPushButton(face.confirmText, this);
    for (QPushButton *button : {btnAnnulla, btnStampa}) {
        button->setMinimumSize(140, 34);
        button->setAutoDefault(false);
    }

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(btnAnnulla);
    buttons->addStretch(1);
    buttons->addWidget(btnStampa);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(16, 16, 16, 16);
    layout->setSpacing(18);
    layout->addWidget(imgIstruzioni);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(btnAnnulla, &QPushButton::clicked, this, &SheetPrintDialog::btnAnnullaClick);
    connect(btnStampa, &QPushButton::clicked, this, &SheetPrintDialog::btnStampaClick);
    FormHelpers::centre(this, windows.frmInterventi());
}

void SheetPrintDialog::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (!m_shown) {
        m_shown = true;
        FormShow();
    }
}

void SheetPrintDialog::FormShow()
{
    imgLogo = Logo::load(m_windows.programFolder());
    btnStampa->setFocus(Qt::OtherFocusReason);
}

void SheetPrintDialog::btnStampaClick()
{
    bool ok = false;
    try {
        if (imgLogo.isNull())
            imgLogo = Logo::load(m_windows.programFolder());
        Report report = SheetReport::buildTemplate();
        if (const TfrmInterventi *sheet = m_windows.frmInterventi();
            sheet && SheetReport::fill(report, SheetPrinting::valuesFromWindow(*sheet, imgLogo))) {
            ok = output(report.prepare());
        }
    } catch (const std::exception &) {
        ok = false;
    }
    if (!ok)
        MessageBoxes::warning(this, failure());
    accept();
}

void SheetPrintDialog::btnAnnullaClick()
{
    reject();
}
