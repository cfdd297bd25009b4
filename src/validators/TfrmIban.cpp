#include "validators/TfrmIban.h"

#include "common/TextRules.h"
#include "validators/Iban.h"
#include "widgets/EventHooks.h"
#include "widgets/MessageBoxes.h"

#include <QLineEdit>
#include <QPushButton>

TfrmIban::TfrmIban(QWidget *caller)
    : CheckDialog(caller, QStringLiteral(" Controllo IBAN"), QStringLiteral(":/art/banca.svg"),
                  QStringLiteral("Controllo IBAN"),
                  QStringLiteral("Immettere l'IBAN e premere il pulsante di controllo."), 27)
{
    txtIban = edit();
    connect(txtIban, &QLineEdit::textEdited, this, &TfrmIban::txtIbanTyping);
    EventHooks::onKeyDown(txtIban, [this](QKeyEvent *e) { return txtIbanKeyDown(e); });
    connect(btnControlla, &QPushButton::clicked, this, &TfrmIban::btnControllaClick);
    connect(btnChiudi, &QPushButton::clicked, this, &TfrmIban::btnChiudiClick);
    FormCreate();
}

void TfrmIban::check(QWidget *caller, const QString &iban)
{
    TfrmIban dialog(caller);
    dialog.txtIban->setText(iban);
    dialog.exec();
}

void TfrmIban::FormCreate()
{
    setTypingLimit(27);
}

void TfrmIban::FormShow()
{
    txtIban->setFocus(Qt::OtherFocusReason);
}

void TfrmIban::btnControllaClick()
{
    const QString iban = TextRules::trim(txtIban->text());
    if (iban.size() != 27) {
        MessageBoxes::warning(this, QStringLiteral("Attenzione: l'IBAN deve essere composto da 27 caratteri "
                                                   "alfanumerici."));
        txtIban->setFocus(Qt::OtherFocusReason);
        return;
    }
    if (Iban::isValid(iban))
        MessageBoxes::information(this, QStringLiteral("L'IBAN digitato è VALIDO."));
    else
        MessageBoxes::warning(this, QStringLiteral("Attenzione: l'IBAN digitato è ERRATO!"));
    accept();
}

void TfrmIban::btnChiudiClick()
{
    reject();
}

void TfrmIban::txtIbanTyping()
{
    keepTrimmedUpper();
}

bool TfrmIban::txtIbanKeyDown(QKeyEvent *event)
{
    return enterToControlla(event);
}
