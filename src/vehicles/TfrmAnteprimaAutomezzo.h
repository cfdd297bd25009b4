#pragma once

#include "widgets/RecordPrintDialog.h"

class AppWindows;

// Shows the vehicle sheet that the vehicle window shows in the preview window.
// Use: TfrmAnteprimaAutomezzo dialog(windows, parent); dialog.exec();
class TfrmAnteprimaAutomezzo : public RecordPrintDialog
{
    Q_OBJECT
public:
    TfrmAnteprimaAutomezzo(AppWindows &windows, QWidget *parent = nullptr);
    static QString failureMessage();
};
