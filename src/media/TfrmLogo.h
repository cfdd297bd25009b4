#pragma once

#include <QDialog>
#include <QImage>

class AppHost;
class PictureButton;
class QLabel;
class QPushButton;

// The workshop logo dialog: shows the stored logo, lets the user choose another picture, the default
// euro logo or the blank logo, and stores the choice as Logo.bmp in the program folder.
class TfrmLogo : public QDialog
{
    Q_OBJECT
public:
    TfrmLogo(AppHost &host, QWidget *parent = nullptr);

    QLabel *imgTitolo;
    QLabel *imgLogo;
    PictureButton *imgEuro;
    PictureButton *btnCancLogo;
    QPushButton *btnAnnulla, *btnSfoglia, *btnApplica;
    // Hidden pictures: the default logo and the blank logo.
    QImage imgTemp, imgBianco;

    // The picture now in imgLogo, at its own size.
    QImage logoPicture() const { return m_picture; }

    void FormShow();
    void btnSfogliaClick();
    void btnApplicaClick();
    void btnAnnullaClick();
    void btnCancLogoClick();
    void imgEuroClick();

    static QString savingFailed();

protected:
    void showEvent(QShowEvent *event) override;

private:
    void showPicture(const QImage &picture);

    AppHost &m_host;
    QImage m_picture;
    bool m_shown = false;
};
