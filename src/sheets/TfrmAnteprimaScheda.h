#pragma once

#include "widgets/RecordPrintDialog.h"

class AppWindows;

// Shows the intervention sheet that the sheet window shows in the report preview window.
// Use: TfrmAnteprimaScheda dialog(windows, parent); dialog.exec();
class TfrmAnteprimaScheda : public RecordPrintDialog
{
    Q_OBJECT
public:
    static QString failureMessage();
    TfrmAnteprimaScheda(AppWindows &windows, QWidget *parent = nullptr);
};
