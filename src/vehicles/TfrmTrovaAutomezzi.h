#pragma once

#include "widgets/RecordListDialog.h"

class AppWindows;
class QLineEdit;

// The vehicle search: up to ten criteria at once, the matching vehicles one line each in order of
// their line, "Trova" within the list, "Stampa" prints the list. A double-click opens the vehicle in
// the vehicle window (context word "autoparco") or copies its six vehicle fields into the customer
// window (context word "clienti"). Created for one use:
//     TfrmTrovaAutomezzi dlg(windows, this); dlg.lblMemory->setText("autoparco"); dlg.exec();
class TfrmTrovaAutomezzi : public RecordSearchDialog
{
    Q_OBJECT
public:
    TfrmTrovaAutomezzi(AppWindows &windows, QWidget *parent = nullptr);

    QLineEdit *txtTipo, *txtDestinazione, *txtMarca, *txtModello, *txtTarga, *txtStato, *txtAutista, *txtMeccanico,
        *txtProprietario, *txtNote;

    static QString reportName() { return QStringLiteral("Riepilogo dati"); }
    static QString reportTitle() { return QStringLiteral("Riepilogo schede veicoli in archivio"); }

    void lstRecordsDblClick(qint64 position);

private:
    AppWindows &m_windows;
};
