#include "validators/TfrmCodFisc.h"

#include "common/TextRules.h"
#include "validators/CodiceFiscale.h"
#include "widgets/EventHooks.h"
#include "widgets/MessageBoxes.h"

#include <QLineEdit>
#include <QPushButton>

TfrmCodFisc::TfrmCodFisc(QWidget *caller)
    : CheckDialog(caller, QStringLiteral(" Controllo codice fiscale"), QStringLiteral(":/art/tessera.svg"),
                  QStringLiteral("Controllo codice fiscale"),
                  QStringLiteral("Immettere il codice fiscale e premere il pulsante di controllo."), 16)
{
    txtCodFisc = edit();
    connect(txtCodFisc, &QLineEdit::textEdited, this, &TfrmCodFisc::txtCodFiscTyping);
    EventHooks::onKeyDown(txtCodFisc, [this](QKeyEvent *e) { return txtCodFiscKeyDown(e); });
    connect(btnControlla, &QPushButton::clicked, this, &TfrmCodFisc::btnControllaClick);
    connect(btnChiudi, &QPushButton::clicked, this, &TfrmCodFisc::btnChiudiClick);
    FormCreate();
}

void TfrmCodFisc::check(QWidget *caller, const QString &code)
{
    TfrmCodFisc dialog(caller);
    dialog.txtCodFisc->setText(code);
    dialog.exec();
}

void TfrmCodFisc::FormCreate()
{
    setTypingLimit(16);
}

void TfrmCodFisc::FormShow()
{
    txtCodFisc->setFocus(Qt::OtherFocusReason);
}

void TfrmCodFisc::btnControllaClick()
{
    const QString code = TextRules::upperAZ(txtCodFisc->text());
    if (code.size() != 16) {
        MessageBoxes::warning(this, QStringLiteral("Attenzione: il codice fiscale deve essere composto da "
                                                   "16 caratteri alfanumerici."));
        txtCodFisc->setFocus(Qt::OtherFocusReason);
        return;
    }
    if (CodiceFiscale::isValid(code))
        MessageBoxes::information(this, QStringLiteral("Il codice fiscale digitato è VALIDO."));
    else
        MessageBoxes::warning(this, QStringLiteral("Attenzione: il codice fiscale digitato è ERRATO."));
    accept();
}

void TfrmCodFisc::btnChiudiClick()
{
    reject();
}

void TfrmCodFisc::txtCodFiscTyping()
{
    keepTrimmedUpper();
}

bool TfrmCodFisc::txtCodFiscKeyDown(QKeyEvent *event)
{
    return enterToControlla(event);
}
