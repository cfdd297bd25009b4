#include "sheets/SheetPrinting.h"

#include "media/PhotoArea.h"
#include "sheets/TfrmInterventi.h"
#include "widgets/Artwork.h"
#include "widgets/FormHelpers.h"

#include <QDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

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

void buildFace(QDialog &dialog, const QString &caption, const QString &iconPath, const QString &title,
               const QStringList &lines, const QString &confirmText, QLabel *&picture,
               QPushButton *&cancel, QPushButton *&confirm)
{
    dialog.setWindowTitle(caption);
    FormHelpers::makeFixedWithoutButtons(&dialog);
    dialog.setModal(true);
    dialog.setObjectName(QStringLiteral("faccia"));
    dialog.setStyleSheet(QStringLiteral("QDialog#faccia { background: qlineargradient(x1:0, y1:0, x2:0, "
                                        "y2:1, stop:0 #3A6FC4, stop:1 #FFFFFF); }"));

    picture = new QLabel(&dialog);
    picture->setPixmap(Artwork::header(QSize(400, 170), iconPath, title, lines));

    cancel = new QPushButton(QStringLiteral("Annulla"), &dialog);
    confirm = new QPushButton(confirmText, &dialog);
    for (QPushButton *button : {cancel, confirm}) {
        button->setMinimumSize(140, 34);
        button->setAutoDefault(false);
    }

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(cancel);
    buttons->addStretch(1);
    buttons->addWidget(confirm);

    auto *layout = new QVBoxLayout(&dialog);
    layout->setContentsMargins(16, 16, 16, 16);
    layout->setSpacing(18);
    layout->addWidget(picture);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    confirm->setFocus(Qt::OtherFocusReason);
}

}  // namespace SheetPrinting
