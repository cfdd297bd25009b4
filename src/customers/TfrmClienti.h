#pragma once

#include "archive/ClienteRecord.h"
#include "reports/Report.h"
#include "widgets/RecordWindow.h"

struct AutomezzoRecord;
class PictureButton;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;

// The customer window "Anagrafica Clienti": one customer sheet of "Clienti.pro" at a time in five
// sections of fields, the commands of the whole customer register in a column at the right, the
// browse bar below. The position label says which archive record the screen holds (empty: not
// stored yet).
class TfrmClienti : public RecordWindowOf<ClienteRecord>
{
    Q_OBJECT
public:
    explicit TfrmClienti(AppWindows &windows);

    // The customer register's own commands (beside those of every record window).
    PictureButton *cmdPDF, *cmdRicontatta, *cmdEsporta;

    // 1 personal data.
    QLineEdit *txtCognome, *txtNome, *txtDitta, *txtSesso, *txtRecapito, *txtIndirizzoRes;
    QComboBox *txtProvRes;
    QLineEdit *txtComuneRes, *txtCapRes, *txtDataNasc, *txtComuneNasc;
    QComboBox *txtProvNasc;
    // 2 contacts.
    QLineEdit *txtTelCasa, *txtTelUff, *txtTelCel, *txtPec, *txtEmail;
    PictureButton *btnEmail;
    // 3 codes and payment.
    QLineEdit *txtCodFisc, *txtCarta, *txtScadeCarta, *txtPartitaIva, *txtIban;
    PictureButton *btnCodFisc, *btnCarta, *btnPartitaIva, *btnIban;
    // 4 vehicle.
    QLineEdit *txtVeicolo, *txtMarca, *txtColore, *txtImmatricolazione, *txtAlimentazione, *txtTarga;
    PictureButton *impAutomezzo;
    // 5 pending matters.
    QLineEdit *txtQuestioni;
    QCheckBox *chkRicontatta;
    QLineEdit *txtNote, *txtCodiceDest;

    void FormShow() override;

    void cmdNuovoClick() override;
    void cmdTrovaClick() override;
    void cmdRicontattaClick();
    void cmdStampaClick() override;
    void cmdAnteprimaClick() override;
    void cmdPDFClick();
    void cmdEsportaClick();
    void cmdFileClick() override;
    void cmdGuidaClick() override;
    void impAutomezzoClick();
    void btnEmailClick();
    void btnCodFiscClick();
    void btnPartitaIvaClick();
    void btnCartaClick();
    void btnIbanClick();
    void txtProvEnter(QComboBox *combo);

    // The customer sheet "Scheda informativa" filled from the screen as it stands and laid out.
    PreparedReport prepareSheet() const;
    // The PDF file that "Crea PDF" writes (and overwrites) in the program folder.
    static QString pdfFileName() { return QStringLiteral("Cliente.pdf"); }
    static QString pdfFailureMessage();
    static QString printFailureMessage();
    static QString previewFailureMessage();

protected:
    bool prepareDuplicate() override;
    QString changedElsewhereSentence() const override;

private:
    void clearScreen();

    // Values handed to the window by a dialog.
public:
    // The vehicle chosen in the vehicle search fills the customer's six vehicle fields: type, make
    // and model, chassis, registration date, fuel and plate.
    void importVehicle(const AutomezzoRecord &vehicle);
};
