#pragma once

#include "archive/AutomezzoRecord.h"
#include "archive/BrowseRule.h"
#include "shell/AppWindow.h"
#include "widgets/FormBinding.h"
#include "widgets/UnsavedChanges.h"

#include <QImage>

class PhotoArea;
class PictureButton;
class QLabel;
class QLineEdit;
class QPushButton;

// The vehicle window "Parco Automezzi": one vehicle sheet of "Parco_Automezzi.pro" at a time with its
// photo (Autoparco/Scheda_Veicolo_<position>.jpg), the owner, mechanic and expiry dates in the details
// box, the vehicle fields in nine rows and the notes across the bottom. The five dates are filled only
// through the date picker.
class TfrmAutoparco : public AppWindow
{
    Q_OBJECT
public:
    explicit TfrmAutoparco(AppWindows &windows);

    // Command bar.
    PictureButton *cmdNuovo, *cmdDuplica, *cmdSalva, *cmdTrova, *cmdFile, *cmdAnteprima, *cmdStampa;
    PictureButton *cmdPrimo, *cmdIndietro, *cmdAvanti, *cmdUltimo;
    QLabel *lblPosizione;
    PictureButton *cmdEsporta, *cmdSlideshow, *cmdGuida, *cmdEsci;

    // Photo.
    PhotoArea *imgFoto;
    QImage imgBianco;
    PictureButton *btnCaricaFoto, *btnSalvaFoto, *btnCancFoto, *btnZoomFoto;

    // Fields in the order of the Enter chain.
    QLineEdit *txtTipo, *txtDestinazione, *txtMarca, *txtModello, *txtTarga, *txtAnno, *txtColore,
        *txtTelaio, *txtPneumatici, *txtStato, *txtChilometri, *txtLettura, *txtAlimentazione,
        *txtCilindrata, *txtKW, *txtAmbiente, *txtPosti, *txtPortata, *txtCompagnia, *txtTelAssicuratore,
        *txtPolizza, *txtIncidenti, *txtProprietario, *txtAutista, *txtTelAutista, *txtMeccanico,
        *txtTelMeccanico, *txtScadRevisione, *txtScadTagliando, *txtScadAssicurazione, *txtScadBollo,
        *txtNote;

    // Hidden: attachment holders and the button that takes the focus at the start of Save.
    QLabel *lblFile01, *lblFile02, *lblFile03, *lblDesc01, *lblDesc02, *lblDesc03;
    QPushButton *btnFocus;

    void ShowRecord(const AutomezzoRecord &record, qint64 position);
    bool ShowRecordAt(qint64 position);
    AutomezzoRecord RecordFromScreen() const;
    const FormBinding &binding() const { return m_binding; }

    // The photo file of a position, relative to the program folder.
    static QString photoFile(qint64 position);

    void FormShow() override;
    bool FormCloseQuery() override;

    void cmdNuovoClick();
    void cmdDuplicaClick();
    void cmdSalvaClick();
    void cmdPrimoClick();
    void cmdIndietroClick();
    void cmdAvantiClick();
    void cmdUltimoClick();
    void cmdEsciClick();
    void cmdTrovaClick();
    void btnCaricaFotoClick();
    void btnSalvaFotoClick();
    void btnCancFotoClick();
    void btnZoomFotoClick();

private:
    void browse(BrowseCommand command);
    void loadPhoto(qint64 position);
    bool saveVehicle();
    QString archivePath() const;

    FormBinding m_binding;
    UnsavedChanges m_unsaved;
};
