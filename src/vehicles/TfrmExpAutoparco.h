#pragma once

#include "widgets/ExportDialog.h"

class AppHost;

// The vehicle export: the whole vehicle archive in a grid, written to "Parco_Automezzi.xls" in the
// program folder. Created for one use by the vehicle window:
//     TfrmExpAutoparco dlg(windows(), this); dlg.exec();
class TfrmExpAutoparco : public ExportDialog
{
    Q_OBJECT
public:
    explicit TfrmExpAutoparco(AppHost &host, QWidget *parent = nullptr);
};
