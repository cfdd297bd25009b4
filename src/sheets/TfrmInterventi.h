#pragma once

#include "archive/BrowseRule.h"
#include "archive/SchedaRecord.h"
#include "widgets/RecordWindow.h"

struct ClienteRecord;
class QImage;
class FocusFrame;
class PhotoArea;
class PictureButton;
class QCheckBox;
class QKeyEvent;
class QLabel;
class QLineEdit;
class QPlainTextEdit;

// The intervention-sheet window: one sheet at a time in its fields, with two photos of the vehicle.
// The position label says which archive record the screen holds (empty: not stored yet).
class TfrmInterventi : public RecordWindowOf<SchedaRecord>
{
    Q_OBJECT
public:
    explicit TfrmInterventi(AppWindows &windows);

    // The sheets' own commands (beside those of every record window): the electronic invoice of the
    // stored sheet on screen, the unpaid bills, the numbering.
    PictureButton *cmdFattura, *cmdNonPagati, *cmdNumerazione;

    // Photo areas A and B with their buttons and placeholders.
    PhotoArea *imgFoto, *imgFoto02;
    QImage imgBianco, imgBianco02;
    PictureButton *btnCaricaFoto, *btnAcquisisciFoto, *btnSalvaFoto, *btnCancFoto, *btnZoomFoto;
    PictureButton *btnCaricaFoto02, *btnAcquisisciFoto02, *btnSalvaFoto02, *btnCancFoto02, *btnZoomFoto02;

    // Fields, in tab order.
    QLineEdit *txtNumScheda, *txtData, *txtTecnico, *txtAzienda, *txtPratica, *txtCliente, *txtRecapito, *txtVeicolo,
        *txtTarga, *txtMarca, *txtChilometraggio, *txtDanni, *txtDataInizio, *txtStato, *txtDataFine, *txtVernice,
        *txtRicambi;
    QPlainTextEdit *txtInterventi;
    FocusFrame *effInterventi;
    QLineEdit *txtManodopera;
    QCheckBox *chkPagato;
    QLineEdit *txtNote, *txtTotale;
    PictureButton *btnLogo, *impCliente, *btnStorico;

    // Hidden state: the numbering start.
    QLabel *lblInizio;

    void FormShow() override;
    void FormClose() override;

    // Commands.
    void cmdNuovoClick() override;
    void cmdTrovaClick() override;
    void cmdFileClick() override;
    void cmdAnteprimaClick() override;
    void cmdStampaClick() override;
    void cmdFatturaClick();
    void cmdNonPagatiClick();
    void cmdNumerazioneClick();
    void cmdGuidaClick() override;
    void btnStoricoClick();
    void btnLogoClick();
    void impClienteClick();

    void btnCaricaFotoClick(PhotoArea *area);
    void btnAcquisisciFotoClick(PhotoArea *area);
    void btnSalvaFotoClick(PhotoArea *area);
    void btnCancFotoClick(PhotoArea *area);
    void btnZoomFotoClick(PhotoArea *area);

    bool txtTotaleKeyDown(QKeyEvent *event);
    // What the status line says when a character is refused in the total.
    static QString totaleRefusedMessage(const QString &typed);
    void txtTotaleExit();

    // The names of the photo files of a position.
    static QString photoFileA(qint64 position);
    static QString photoFileB(qint64 position);

protected:
    void shownAt(qint64 position) override;
    bool prepareDuplicate() override;
    void beforeSave() override;
    qint64 storeScreen(QString *confirmation) override;
    void tellArchiveFailure() override;
    bool storedAt(qint64 position) override;
    QString changedElsewhereSentence() const override;

private:
    void clearScreen();
    qint64 appendProposedSheet(QString *confirmation, QString *renumbered);

    // The number New proposed (start + sheets stored then), while it stands. edited: the user has
    // typed in the number since, which makes it theirs.
    struct Proposal
    {
        bool active = false;
        qint64 number = 0;
        qint64 start = 0;
        qint64 count = 0;
        bool edited = false;
    } m_proposal;

    // Values handed to the window by a dialog.
public:
    // The customer chosen in the customer search fills the sheet's customer, telephone, vehicle,
    // make and plate.
    void importCustomer(const ClienteRecord &customer);
    // The photo taken with the webcam goes into photo slot 0 (imgFoto) or 1 (imgFoto02); Save
    // stores it.
    void setPhoto(int slot, const QImage &photo);
};
