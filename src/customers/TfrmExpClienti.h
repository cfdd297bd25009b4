#pragma once

#include "widgets/ExportDialog.h"

class AppHost;

// The customer export: the whole customer archive in a grid, written to "Clienti.xls" in the
// program folder. Created for one use by the customer window:
//     TfrmExpClienti dlg(windows(), this); dlg.exec();
class TfrmExpClienti : public ExportDialog
{
    Q_OBJECT
public:
    explicit TfrmExpClienti(AppHost &host, QWidget *parent = nullptr);
};
