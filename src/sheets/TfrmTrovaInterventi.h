#pragma once

#include "sheets/SchedaSearch.h"
#include "widgets/RecordListDialog.h"

#include <QList>

class AppWindows;
class QLineEdit;

// The sheet search: up to ten criteria at once, the matching sheets one line each in archive order,
// "Trova" within the list, a double-click opens the sheet in the sheet window (context word
// "interventi"), and "Stampa" prints the list as a summary. Created for one use by the sheet window:
//     TfrmTrovaInterventi dlg(windows, this); dlg.lblMemory->setText("interventi"); dlg.exec();
class TfrmTrovaInterventi : public RecordSearchDialog
{
    Q_OBJECT
public:
    TfrmTrovaInterventi(AppWindows &windows, QWidget *parent = nullptr);

    // The ten criterion edits (criterionEdits() in the order of SchedaSearch::criterionFields()).
    QLineEdit *txtNumScheda, *txtData, *txtTecnico, *txtPratica, *txtCliente, *txtRecapito, *txtMarca, *txtTarga,
        *txtStato, *txtNote;

    static QString reportName() { return QStringLiteral("Riepilogo dati"); }
    static QString reportTitle() { return QStringLiteral("Riepilogo schede interventi in archivio"); }

    // The double-click: the sheet at that position is shown in the sheet window.
    void lstRecordsDblClick(qint64 position);

private:
    AppWindows &m_windows;
};
