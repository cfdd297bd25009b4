#pragma once

#include <QDialog>
#include <QPixmap>

class AppWindows;
class LinkLabel;
class QLabel;
class QPushButton;

// The maker's window (splash window), opened from the launcher's maker icon: a large picture of the
// maker and the maker's web address as a link.
class TfrmSplash : public QDialog
{
    Q_OBJECT
public:
    explicit TfrmSplash(AppWindows &windows, QWidget *parent = nullptr);

    static constexpr int kPictureWidth = 625;
    static constexpr int kPictureHeight = 380;

    QLabel *imgSplash;
    QLabel *imgWeb;
    LinkLabel *lnkWeb;
    QPushButton *btnChiudi;

    // The maker's picture, drawn by the program.
    static QPixmap makerPicture();

    void btnChiudiClick();
    void lnkWebClick();
    void lnkWebMouseDown();
    void lnkWebMouseUp();
};
