#pragma once

#include "widgets/RecordListDialog.h"

#include <functional>

class AppWindows;
class QLineEdit;

// The customer search: up to ten criteria at once, the matching customers one line each in
// alphabetical order, "Trova" within the list, "Stampa" prints the list as a summary. A double-click
// opens the customer in the customer window (context word "clienti") or copies name, telephone and
// vehicle into the sheet being written (context word "interventi"). Created for one use:
//     TfrmTrovaClienti dlg(windows, this); dlg.lblMemory->setText("clienti"); dlg.exec();
class TfrmTrovaClienti : public RecordSearchDialog
{
    Q_OBJECT
public:
    TfrmTrovaClienti(AppWindows &windows, QWidget *parent = nullptr);

    QLineEdit *txtCognome, *txtDitta, *txtPartitaIva, *txtCodFisc, *txtComuneRes, *txtMarca, *txtTarga, *txtTelCel,
        *txtQuestioni, *txtNote;

    static QString reportName() { return QStringLiteral("Riepilogo dati"); }
    static QString reportTitle() { return QStringLiteral("Riepilogo clienti in archivio"); }

    // The double-click: the customer at that archive position goes where the context word says,
    // or to onChosen when it is set (a dialog that picks a customer, such as the invoice's).
    void lstRecordsDblClick(qint64 position);
    std::function<void(qint64 position)> onChosen;

private:
    AppWindows &m_windows;
};
