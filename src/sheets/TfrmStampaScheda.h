#pragma once

#include "sheets/SheetPrinting.h"

// Prints the intervention sheet that the sheet window shows, after the print dialog.
// Use: TfrmStampaScheda dialog(windows, parent); dialog.exec();
class TfrmStampaScheda : public SheetPrintDialog
{
    Q_OBJECT
public:
    TfrmStampaScheda(AppWindows &windows, QWidget *parent = nullptr);

    static QString failureMessage();

protected:
    bool output(const PreparedReport &report) override;
    QString failure() const override { return failureMessage(); }
};
