#pragma once

#include <QDialog>
#include <QImage>

class QLabel;

// Shows one photo as large as the screen allows, keeping its proportions; a click closes it.
class TfrmZoom : public QDialog
{
    Q_OBJECT
public:
    TfrmZoom(const QImage &photo, QWidget *parent);

    QWidget *panContainer;
    QLabel *imgFoto;

    void FormShow();
    void imgFotoClick();
    void panContainerClick();

    // The area the photo may fill on a screen of the given size.
    static QSize photoArea(const QSize &screen);

protected:
    void showEvent(QShowEvent *event) override;

private:
    QImage m_photo;
};
