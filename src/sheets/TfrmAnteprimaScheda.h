#pragma once

#include <QDialog>
#include <QImage>

class AppWindows;
class QLabel;
class QPushButton;

// Shows the intervention sheet that the sheet window shows in the report preview window.
// Use: TfrmAnteprimaScheda dialog(windows, parent); dialog.exec();
class TfrmAnteprimaScheda : public QDialog
{
    Q_OBJECT
public:
    TfrmAnteprimaScheda(AppWindows &windows, QWidget *parent = nullptr);

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
