#pragma once

#include <QDialog>
#include <QImage>

class AppWindows;
class QLabel;
class QPushButton;

// Prints the intervention sheet that the sheet window shows, after the print dialog.
// Use: TfrmStampaScheda dialog(windows, parent); dialog.exec();
class TfrmStampaScheda : public QDialog
{
    Q_OBJECT
public:
    TfrmStampaScheda(AppWindows &windows, QWidget *parent = nullptr);

    QLabel *imgIstruzioni;
    QPushButton *btnAnnulla, *btnStampa;
    // Hidden picture: the workshop logo, loaded when the dialog is shown.
    QImage imgLogo;

    void FormShow();
    void btnStampaClick();
    void btnAnnullaClick();

    static QString failureMessage();

protected:
    void showEvent(QShowEvent *event) override;

private:
    AppWindows &m_windows;
    bool m_shown = false;
};
