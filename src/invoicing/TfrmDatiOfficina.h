#pragma once

#include <QDialog>

class AppHost;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

// "Dati dell'officina": the workshop's own fiscal data for its electronic invoices, kept in
// Cablora.ini ([Fatturazione]). Opened from the launcher. Save checks them (the project's VAT number,
// tax code and IBAN checks) and asks before keeping data that would stop an invoice.
class TfrmDatiOfficina : public QDialog
{
    Q_OBJECT
public:
    TfrmDatiOfficina(AppHost &host, QWidget *parent);

    QLineEdit *txtDenominazione, *txtNome, *txtCognome, *txtPartitaIva, *txtCodiceFiscale, *txtIndirizzo,
        *txtNumeroCivico, *txtCAP, *txtComune, *txtProvincia, *txtNazione, *txtREAUfficio, *txtREANumero, *txtTelefono,
        *txtEmail, *txtIBAN;
    QComboBox *cboRegimeFiscale, *cboModalitaPagamento;
    QPushButton *cmdSalva, *cmdAnnulla;
    QLabel *panInfo;

    void FormShow();
    void cmdSalvaClick();

private:
    AppHost &m_host;
};
