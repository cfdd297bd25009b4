#pragma once

#include "validators/CheckDialog.h"

// Checks an IBAN of 27 characters (the length of an Italian one) with the modulo 97 check.
class TfrmIban : public CheckDialog
{
    Q_OBJECT
public:
    explicit TfrmIban(QWidget *caller = nullptr);

    // Creates the dialog over `caller` with `iban` in the edit, shows it modally and discards it.
    static void check(QWidget *caller, const QString &iban);

    QLineEdit *txtIban;

    void FormCreate();
    void FormShow() override;
    void btnControllaClick();
    void btnChiudiClick();
    void txtIbanTyping();
    bool txtIbanKeyDown(QKeyEvent *event);
};
