#include "validators/TfrmPartitaIva.h"

#include "common/TextRules.h"
#include "validators/PartitaIva.h"
#include "widgets/EventHooks.h"
#include "widgets/MessageBoxes.h"

#include <QLineEdit>
#include <QPushButton>

namespace {
const QString kVatCrLf = QStringLiteral("\r\n");
}

TfrmPartitaIva::TfrmPartitaIva(QWidget *caller)
    : CheckDialog(caller, QStringLiteral(" Controllo partita IVA"), QStringLiteral(":/art/partita-iva.svg"),
                  QStringLiteral("Controllo partita IVA"),
                  QStringLiteral("Immettere il numero di partita IVA e premere il pulsante di controllo."), 11)
{
    txtPartitaIva = edit();
    EventHooks::onKeyDown(txtPartitaIva, [this](QKeyEvent *e) { return txtPartitaIvaKeyDown(e); });
    connect(btnControlla, &QPushButton::clicked, this, &TfrmPartitaIva::btnControllaClick);
    connect(btnChiudi, &QPushButton::clicked, this, &TfrmPartitaIva::btnChiudiClick);
    FormCreate();
}

void TfrmPartitaIva::check(QWidget *caller, const QString &number)
{
    TfrmPartitaIva dialog(caller);
    dialog.txtPartitaIva->setText(number);
    dialog.exec();
}

void TfrmPartitaIva::FormCreate()
{
    setTypingLimit(11);
}

void TfrmPartitaIva::FormShow()
{
    txtPartitaIva->setFocus(Qt::OtherFocusReason);
}

void TfrmPartitaIva::btnControllaClick()
{
    const QString number = TextRules::upperAZ(txtPartitaIva->text());
    if (number.size() != 11) {
        MessageBoxes::warning(this, QStringLiteral("Attenzione: la partita IVA deve essere composta da 11 "
                                                   "caratteri numerici."));
        txtPartitaIva->setFocus(Qt::OtherFocusReason);
        return;
    }
    if (PartitaIva::isValid(number)) {
        const QString office = PartitaIva::officeName(PartitaIva::officeCode(txtPartitaIva->text()));
        MessageBoxes::information(this, QStringLiteral("Il numero di partita IVA digitato risulta VALIDO.") + kVatCrLf
                                            + kVatCrLf
                                            + QStringLiteral("E' stato rilasciato dall'Ufficio IVA del Comune di ")
                                            + office + QStringLiteral("."));
    } else {
        MessageBoxes::warning(
            this, QStringLiteral("Attenzione: il numero di partita IVA digitato risulta ERRATO!") + kVatCrLf + kVatCrLf
                      + QStringLiteral("Non è quindi possibile fornire informazioni relative all'Ufficio "
                                       "IVA che lo ha rilasciato."));
    }
    accept();
}

void TfrmPartitaIva::btnChiudiClick()
{
    reject();
}

bool TfrmPartitaIva::txtPartitaIvaKeyDown(QKeyEvent *event)
{
    if (enterToControlla(event))
        return true;
    return refusesNonDigit(event);
}
