#pragma once

#include "sheets/SheetPrinting.h"

// Shows the intervention sheet that the sheet window shows in the report preview window.
// Use: TfrmAnteprimaScheda dialog(windows, parent); dialog.exec();
class TfrmAnteprimaScheda : public SheetPrintDialog
{
    Q_OBJECT
public:
    TfrmAnteprimaScheda(AppWindows &windows, QWidget *parent = nullptr);

    static QString failureMessage();

protected:
    bool output(const PreparedReport &report) override;
    QString failure() const override { return failureMessage(); }
};
