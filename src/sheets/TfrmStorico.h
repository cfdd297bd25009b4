#pragma once

#include "sheets/StoricoTarga.h"
#include "widgets/RecordListDialog.h"

class AppWindows;
class QLabel;
class QLineEdit;

// The history of one vehicle ("Storico interventi"): every intervention sheet of its plate, by date
// of issue, with number, date, the first line of the work done, total and paid flag; under the heading
// the sum of the totals and of what is still unpaid. "Trova" within the list, "Stampa" prints it (titled
// with the plate, with the column headings and the sums), a double-click or Enter opens the sheet in the
// sheet window. The caller puts the plate into lblTarga first:
//     TfrmStorico dlg(windows, this); dlg.lblTarga->setText(plate); dlg.exec();
// The plate shows in the edit txtTarga, where another may be typed (Enter lists its sheets): opened
// without a plate (an empty vehicle window), the dialog asks for one there.
class TfrmStorico : public RecordListDialog
{
    Q_OBJECT
public:
    TfrmStorico(AppWindows &windows, QWidget *parent = nullptr);

    QLabel *imgTitolo, *lblTarga, *lblTotali, *lblIntestazione;
    QLineEdit *txtTarga;

    static QString reportName() { return QStringLiteral("Riepilogo interventi"); }
    static QString reportTitle() { return QStringLiteral("Storico interventi"); }

    void FormShow() override;
    // Lists the sheets of the plate in lblTarga.
    void showHistory();
    // Enter in txtTarga: the typed plate is listed.
    void txtTargaEnter();
    // What the dialog says when it has no plate to list.
    static QString noPlateText();

    // What the last showing found.
    const StoricoTarga::History &history() const { return m_history; }

private:
    AppWindows &m_windows;
    StoricoTarga::History m_history;
};
