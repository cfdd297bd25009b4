#pragma once

#include "archive/SchedaRecord.h"
#include "invoice/Invoice.h"

#include <QDialog>

class AppWindows;
class QCheckBox;
class QComboBox;
class QDateEdit;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;

// "Fattura": the electronic invoice of a stored sheet. Prefilled from the sheet (one line: its
// number, date, vehicle and work at its total, prices with VAT) and from its customer (found by name
// in the register, or chosen with "Cerca cliente"); the customer's fields may be corrected here for
// this invoice, and every field that differs from the register is marked and named before issuing.
// "Emetti" issues it (number, schema check, file, register line); then the courtesy copy can be
// printed or saved as a PDF.
class TfrmFattura : public QDialog
{
    Q_OBJECT
public:
    TfrmFattura(AppWindows &windows, const SchedaRecord &sheet, QWidget *parent);

    QComboBox *cboTipo, *cboCliente, *cboPagamento;
    QLineEdit *txtNumero, *txtCollegataNumero;
    QDateEdit *txtData, *txtCollegataData;
    QPushButton *cmdCercaCliente;
    QLineEdit *txtClienteDenominazione, *txtClienteNome, *txtClienteCognome, *txtClientePartitaIva,
        *txtClienteCodiceFiscale, *txtClienteIndirizzo, *txtClienteCAP, *txtClienteComune, *txtClienteProvincia,
        *txtClienteCodiceDestinatario, *txtClientePec;
    QTableWidget *tblRighe;
    QPushButton *cmdAggiungiRiga, *cmdRimuoviRiga;
    QCheckBox *chkIvaInclusa, *chkPagata;
    QLabel *lblTotali, *panInfo;
    QPushButton *cmdEmetti, *cmdStampaCopia, *cmdSalvaCopia, *cmdChiudi;

    // The customer at a register position, shown in the customer's fields.
    void showCustomer(qint64 position);
    // The document as the dialog holds it; false, with the status line saying why, when an amount
    // cannot be read.
    bool collect(Invoice::Documento *documento);

    void cboClienteChange();
    void cmdCercaClienteClick();
    void cmdAggiungiRigaClick();
    void cmdRimuoviRigaClick();
    void cmdEmettiClick();
    void cmdStampaCopiaClick();
    void cmdSalvaCopiaClick();
    void refreshTotals();

    // The file written by Emetti (empty before).
    QString issuedFile() const { return m_issuedFile; }

private:
    void addLine(const Invoice::Riga &riga);
    QList<QLineEdit *> customerEdits() const;
    Invoice::Cessionario customerOnScreen() const;
    void markChangedCustomerFields();
    QStringList changedCustomerFields() const;

    AppWindows &m_windows;
    SchedaRecord m_sheet;
    Invoice::Cedente m_cedente;
    Invoice::Cessionario m_registered;  // the customer as the register holds them
    bool m_numberEdited = false;
    bool m_filling = false;
    QString m_issuedFile;
};
