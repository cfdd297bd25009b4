#pragma once

#include "archive/AutomezzoRecord.h"
#include "widgets/RecordPrintDialog.h"
#include "widgets/RecordWindow.h"

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
class TfrmAutoparco : public RecordWindowOf<AutomezzoRecord>
{
    Q_OBJECT
public:
    explicit TfrmAutoparco(AppWindows &windows);

    // The fleet's own commands (beside those of every record window).
    PictureButton *cmdEsporta, *cmdSlideshow, *cmdScadenze, *cmdStorico;

    // Photo.
    PhotoArea *imgFoto;
    QImage imgBianco;
    PictureButton *btnCaricaFoto, *btnSalvaFoto, *btnCancFoto, *btnZoomFoto;

    // Fields in the order of the Enter chain.
    QLineEdit *txtTipo, *txtDestinazione, *txtMarca, *txtModello, *txtTarga, *txtAnno, *txtColore, *txtTelaio,
        *txtPneumatici, *txtStato, *txtChilometri, *txtLettura, *txtAlimentazione, *txtCilindrata, *txtKW, *txtAmbiente,
        *txtPosti, *txtPortata, *txtCompagnia, *txtTelAssicuratore, *txtPolizza, *txtIncidenti, *txtProprietario,
        *txtAutista, *txtTelAutista, *txtMeccanico, *txtTelMeccanico, *txtScadRevisione, *txtScadTagliando,
        *txtScadAssicurazione, *txtScadBollo, *txtNote;

    // Hidden: the button that takes the focus at the start of Save.
    QPushButton *btnFocus;

    // The photo file of a position, relative to the program folder.
    static QString photoFile(qint64 position);

    void FormShow() override;

    // The vehicle sheet "Scheda Veicolo" filled from the screen as it stands (saved or not) with the
    // given photo, and laid out; nothing when the template could not be filled.
    std::optional<PreparedReport> prepareSheet(const QImage &photo) const;
    // A print or preview face completed for the vehicle sheet: centred on the vehicle window, the
    // photo area's picture (the built-in euro picture when there is none) taken on showing, the
    // sheet prepared on confirming.
    static RecordPrintDialog::Setup printSetup(AppWindows &windows, RecordPrintDialog::Setup face);

    void cmdNuovoClick() override;
    void cmdTrovaClick() override;
    void cmdStampaClick() override;
    void cmdAnteprimaClick() override;
    void cmdEsportaClick();
    void cmdFileClick() override;
    void cmdGuidaClick() override;
    void cmdSlideshowClick();
    void cmdScadenzeClick();
    void cmdStoricoClick();
    void btnCaricaFotoClick();
    void btnSalvaFotoClick();
    void btnCancFotoClick();
    void btnZoomFotoClick();

protected:
    void shownAt(qint64 position) override;
    void beforeSave() override;
    bool storedAt(qint64 position) override;
    bool prepareDuplicate() override;
    QString changedElsewhereSentence() const override;

    // The four due dates show their state: overdue in red, within the warning period in amber, and
    // say it in their status-line hint ("Scaduta da N giorni", "Scade tra N giorni").
    void showDeadlines();
    // The warning period in days (Cablora.ini, [Scadenze] Preavviso), read when the window is shown.
    int warningDays = 30;

private:
    // An empty screen for a new vehicle, the focus on its type (New, and each time the window is shown).
    void clearScreen();
};
