#pragma once

#include <QDialog>
#include <QImage>

class AppWindows;
class CameraFeed;
class PhotoArea;
class QLabel;
class QPushButton;

// Takes a photo with the computer's camera for one of the two photo slots of the sheet window: the
// live view on the left, the captured photo on the right. The caller puts the slot, "foto01" or
// "foto02", into the hidden label lblMemory before showing the dialog; "Importa foto in scheda" hands
// the captured photo to the sheet for that slot (TfrmInterventi::setPhoto; the sheet's Save stores it).
// Use: TfrmWebCam webcam(windows, sheet); webcam.lblMemory->setText("foto01"); webcam.exec();
class TfrmWebCam : public QDialog
{
    Q_OBJECT
public:
    TfrmWebCam(AppWindows &windows, QWidget *parent = nullptr);
    ~TfrmWebCam() override;

    static constexpr QSize kPanelSize{366, 274};

    PhotoArea *imgCamera, *imgTarget;
    QImage imgBianco;  // the webcam drawing
    QPushButton *btnAccendi, *btnCattura, *btnSalvaFotogramma, *btnSpegni, *btnImportaFoto, *btnClose;
    QLabel *lblMemory;
    CameraFeed *camCamera;

    void btnAccendiClick();
    void btnSpegniClick();
    void btnCatturaClick();
    void btnSalvaFotogrammaClick();
    void btnImportaFotoClick();
    void btnCloseClick();
    void camCameraSampleBufferReady(const QImage &frame);

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    AppWindows &m_windows;
};
