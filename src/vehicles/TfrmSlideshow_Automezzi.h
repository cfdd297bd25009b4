#pragma once

#include "widgets/MessageBoxes.h"

#include <QDialog>
#include <QImage>

class AppHost;
class QLabel;
class QPushButton;
class QTimer;

// The vehicle slide show: the photos of all vehicles of the archive in archive order, each for six
// seconds, on a maximised window, starting again from the first after the last. The timer runs the
// hidden "next" command cmdAvanti, which opens the archive afresh at every tick. A click on the photo
// or the panel closes the show, as Esc does; so does an archive found empty. The right arrow, Space
// and Page Down show the next photo at once.
class TfrmSlideshow_Automezzi : public QDialog
{
    Q_OBJECT
public:
    TfrmSlideshow_Automezzi(AppHost &host, QWidget *parent);
    ~TfrmSlideshow_Automezzi() override;

    QWidget *panContainer;
    QLabel *imgFoto;
    // Hidden: the position of the photo shown ("0" or empty before the first photo).
    QLabel *lblPosizione;
    // Hidden: the picture shown at the start and for a vehicle whose photo cannot be read.
    QImage imgBianco;
    QTimer *Timer;
    // Hidden: the "next" step, run at every tick.
    QPushButton *cmdAvanti;

    void FormShow();
    void TimerTimer();
    void cmdAvantiClick();
    void imgFotoClick();
    void panContainerClick();

    // True while imgFoto shows the placeholder picture.
    bool isPlaceholderShown() const { return m_placeholderShown; }

    static constexpr int kInterval = 6000;
    // The area of the panel and the photo on a screen of the given size.
    static QSize photoArea(const QSize &screen);
    // The placeholder: a car above "Avvio Slide Show" and "Attendere...", 685 x 427 pixels.
    static QImage placeholderPicture();
    static QString emptyArchiveMessage() { return QStringLiteral("L'archivio non contiene nessuna scheda."); }

protected:
    void showEvent(QShowEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void done(int result) override;
    // Every message of the show goes through here.
    virtual MessageBoxes::Answer showMessage(MessageBoxes::Kind kind, const QString &text);

private:
    void showPlaceholder();
    void showPhoto(qint64 position);
    void showPicture(const QImage &picture, bool enlarge);
    void archiveFailed();

    AppHost &m_host;
    bool m_placeholderShown = true;
};
