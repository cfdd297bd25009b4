#pragma once

#include "validators/CheckDialog.h"

// Checks a payment card number with the Luhn formula and names the card type.
class TfrmCarta : public CheckDialog
{
    Q_OBJECT
public:
    explicit TfrmCarta(QWidget *caller = nullptr);

    // Creates the dialog over `caller` with `number` in the edit, shows it modally and discards it.
    static void check(QWidget *caller, const QString &number);

    QLineEdit *txtNumero;

    void FormCreate();
    void FormShow() override;
    void btnControllaClick();
    void btnChiudiClick();
    void txtNumeroTyping();
    bool txtNumeroKeyDown(QKeyEvent *event);
};
