#include "validators/TfrmCarta.h"

#include "common/TextRules.h"
#include "validators/CartaCredito.h"
#include "widgets/EventHooks.h"
#include "widgets/MessageBoxes.h"

#include <QLineEdit>
#include <QPushButton>

namespace {
const QString kCrLf = QStringLiteral("\r\n");
}

TfrmCarta::TfrmCarta(QWidget *caller)
    : CheckDialog(caller, QStringLiteral(" Controllo carta di credito"), QStringLiteral(":/art/carte.svg"),
                  QStringLiteral("Controllo carta di credito"),
                  QStringLiteral("Immettere il numero di carta di credito e premere il pulsante di "
                                 "controllo."),
                  30)
{
    txtNumero = edit();
    connect(txtNumero, &QLineEdit::textEdited, this, &TfrmCarta::txtNumeroTyping);
    EventHooks::onKeyDown(txtNumero, [this](QKeyEvent *e) { return txtNumeroKeyDown(e); });
    connect(btnControlla, &QPushButton::clicked, this, &TfrmCarta::btnControllaClick);
    connect(btnChiudi, &QPushButton::clicked, this, &TfrmCarta::btnChiudiClick);
    FormCreate();
}

void TfrmCarta::check(QWidget *caller, const QString &number)
{
    TfrmCarta dialog(caller);
    dialog.txtNumero->setText(number);
    dialog.exec();
}

void TfrmCarta::FormCreate()
{
    setTypingLimit(30);
}

void TfrmCarta::FormShow()
{
    txtNumero->setFocus(Qt::OtherFocusReason);
}

void TfrmCarta::btnControllaClick()
{
    const QString trimmed = TextRules::trim(txtNumero->text());
    if (trimmed.isEmpty()) {
        MessageBoxes::warning(this, QStringLiteral("Attenzione: immettere il numero di carta di credito "
                                                   "prima di premere il pulsante di controllo."));
        txtNumero->setFocus(Qt::OtherFocusReason);
        return;
    }
    const int code = CartaCredito::typeCode(txtNumero->text());
    if (code >= 1 && code <= 4) {
        const QString type = CartaCredito::typeName(code, trimmed);
        // A number of the 3 family with none of the known prefixes (32, 39 ...) names no card.
        if (!type.isEmpty()) {
            MessageBoxes::information(this, QStringLiteral("Il numero di carta di credito ") + trimmed
                                                + QStringLiteral(" risulta valido.") + kCrLf + kCrLf
                                                + QStringLiteral("La carta di credito è del tipo ") + type
                                                + QStringLiteral("."));
        }
    } else {
        MessageBoxes::warning(this,
                              QStringLiteral("Attenzione: il numero digitato risulta ERRATO!") + kCrLf + kCrLf
                                  + QStringLiteral("Non è quindi possibile fornire informazioni relative al tipo di "
                                                   "carta di credito."));
    }
    accept();
}

void TfrmCarta::btnChiudiClick()
{
    reject();
}

void TfrmCarta::txtNumeroTyping()
{
    keepTrimmedUpper();
}

bool TfrmCarta::txtNumeroKeyDown(QKeyEvent *event)
{
    if (enterToControlla(event))
        return true;
    return refusesNonDigit(event);
}
