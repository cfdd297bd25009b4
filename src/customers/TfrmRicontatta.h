#pragma once

#include "widgets/RecordListDialog.h"

class AppWindows;

// The customers to recontact: every customer whose "Da ricontattare" box was ticked, one line each
// with the pending issues, built from the archive each time the dialog is shown; "Trova" within the
// list, a double-click opens the customer in the customer window, "Stampa" prints the list.
class TfrmRicontatta : public RecordListDialog
{
    Q_OBJECT
public:
    TfrmRicontatta(AppWindows &windows, QWidget *parent = nullptr);

    static QString reportName() { return QStringLiteral("Riepilogo dati"); }
    static QString reportTitle() { return QStringLiteral("Riepilogo clienti da ricontattare"); }

    void FormShow() override;

private:
    AppWindows &m_windows;
};
