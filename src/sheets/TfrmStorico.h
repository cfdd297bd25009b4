#pragma once

#include "sheets/StoricoTarga.h"
#include "widgets/RecordListDialog.h"

class AppWindows;
class QLabel;

// The history of one vehicle ("Storico interventi"): every intervention sheet of its plate, by date
// of issue, with number, date, the first line of the work done, total and paid flag; under the heading
// the sum of the totals and of what is still unpaid. "Trova" within the list, "Stampa" prints it, a
// double-click opens the sheet in the sheet window. The caller puts the plate into lblTarga first:
//     TfrmStorico dlg(windows, this); dlg.lblTarga->setText(plate); dlg.exec();
class TfrmStorico : public RecordListDialog
{
    Q_OBJECT
public:
    TfrmStorico(AppWindows &windows, QWidget *parent = nullptr);

    QLabel *imgTitolo, *lblTarga, *lblTotali, *lblIntestazione;

    static QString reportName() { return QStringLiteral("Riepilogo interventi"); }
    static QString reportTitle() { return QStringLiteral("Storico interventi"); }

    void FormShow() override;

    // What the last showing found.
    const StoricoTarga::History &history() const { return m_history; }

private:
    AppWindows &m_windows;
    StoricoTarga::History m_history;
};
