#pragma once

#include "widgets/RecordListDialog.h"

class AppWindows;
class QLabel;

// The unpaid-accounts list: every sheet whose paid flag is "No", one line each, built from the
// archive each time the dialog is shown; "Trova" within the list, a double-click opens the sheet in
// the sheet window, "Stampa" prints the list. The total owed stands under the list and on its print.
// Created for one use by the sheet window:
//     TfrmDaSaldare dlg(windows, this); dlg.exec();
class TfrmDaSaldare : public RecordListDialog
{
    Q_OBJECT
public:
    TfrmDaSaldare(AppWindows &windows, QWidget *parent = nullptr);

    // The heading picture "CONTI NON SALDATI".
    QLabel *imgTitolo;

    static QString reportName() { return QStringLiteral("Riepilogo conti non saldati"); }
    static QString reportTitle() { return QStringLiteral("Riepilogo conti non saldati"); }

    // Builds the list from the archive.
    void FormShow() override;

private:
    AppWindows &m_windows;
};
