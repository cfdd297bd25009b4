#pragma once

#include "validators/CheckDialog.h"

// Checks an Italian VAT number by its check digit and names the office that issued it.
class TfrmPartitaIva : public CheckDialog
{
    Q_OBJECT
public:
    explicit TfrmPartitaIva(QWidget *caller = nullptr);

    // Creates the dialog over `caller` with `number` in the edit, shows it modally and discards it.
    static void check(QWidget *caller, const QString &number);

    QLineEdit *txtPartitaIva;

    void FormCreate();
    void FormShow() override;
    void btnControllaClick();
    void btnChiudiClick();
    bool txtPartitaIvaKeyDown(QKeyEvent *event);
};
