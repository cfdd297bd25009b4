#pragma once

#include "widgets/RecordPrintDialog.h"

class AppWindows;

// Prints the vehicle sheet that the vehicle window shows, after the print dialog.
// Use: TfrmStampaAutomezzo dialog(windows, parent); dialog.exec();
class TfrmStampaAutomezzo : public RecordPrintDialog
{
    Q_OBJECT
public:
    TfrmStampaAutomezzo(AppWindows &windows, QWidget *parent = nullptr);
    static QString failureMessage();
};
