#pragma once

#include "widgets/RecordPrintDialog.h"

class AppWindows;

// Prints the intervention sheet that the sheet window shows, after the print dialog.
// Use: TfrmStampaScheda dialog(windows, parent); dialog.exec();
class TfrmStampaScheda : public RecordPrintDialog
{
    Q_OBJECT
public:
    TfrmStampaScheda(AppWindows &windows, QWidget *parent = nullptr);
    static QString failureMessage();
};
