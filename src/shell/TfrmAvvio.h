#pragma once

#include <QWidget>

class AppWindows;
class PictureButton;
class QLabel;

// The launcher: three tiles open the three apps; its exit icon or close button ends the program.
class TfrmAvvio : public QWidget
{
    Q_OBJECT
public:
    explicit TfrmAvvio(AppWindows &windows);

    QLabel *icoIcona;
    QLabel *icoTitoloApp;
    QLabel *imgSottotitolo;
    PictureButton *imgApp01;
    PictureButton *btnApp01;
    PictureButton *imgApp02;
    PictureButton *btnApp02;
    PictureButton *imgApp03;
    PictureButton *btnApp03;
    PictureButton *imgInfo;
    PictureButton *imgGuida;
    PictureButton *imgSplash;
    PictureButton *imgSito;
    PictureButton *imgEsci;
    PictureButton *imgScadenze;
    PictureButton *imgCopia;
    PictureButton *imgRipristina;
    // The electronic invoices: the workshop's fiscal data and the register of issued invoices.
    PictureButton *imgOfficina;
    PictureButton *imgFatture;
    // The status line: the hint of the control under the mouse, and what a command has to say.
    QLabel *panInfo;

    void btnApp01Click();
    void btnApp02Click();
    void btnApp03Click();
    void imgInfoClick();
    void imgGuidaClick();
    void imgSplashClick();
    void imgSitoClick();
    void imgEsciClick();
    // Esc: asks "Uscire da Cablora?" and ends the program on Sì.
    void escapeKey();
    void imgScadenzeClick();
    // Writes a verified backup copy of the program folder's data into a folder the user chooses
    // (never inside the program folder).
    void imgCopiaClick();
    // The title of the backup's folder dialog.
    static QString backupTitle();
    // Restores a backup copy into the program folder, moving the current data aside after asking.
    void imgRipristinaClick();
    void imgOfficinaClick();
    void imgFattureClick();

    // The maker's web site, opened by the web strip.
    static QString webAddress();

protected:
    void paintEvent(QPaintEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    // The first tile has the focus when nothing else has it, so that the keyboard starts there.
    void showEvent(QShowEvent *event) override;

private:
    AppWindows &m_windows;
};
