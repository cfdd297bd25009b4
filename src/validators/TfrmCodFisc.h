#pragma once

#include "validators/CheckDialog.h"

// Checks an Italian personal tax code by its check character.
class TfrmCodFisc : public CheckDialog
{
    Q_OBJECT
public:
    explicit TfrmCodFisc(QWidget *caller = nullptr);

    // Creates the dialog over `caller` with `code` in the edit, shows it modally and discards it.
    static void check(QWidget *caller, const QString &code);

    QLineEdit *txtCodFisc;

    void FormCreate();
    void FormShow() override;
    void btnControllaClick();
    void btnChiudiClick();
    void txtCodFiscTyping();
    bool txtCodFiscKeyDown(QKeyEvent *event);
};
