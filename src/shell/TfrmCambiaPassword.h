#pragma once

#include <QWidget>

class AppWindows;
class FocusFrame;
class QKeyEvent;
class QLabel;
class QLineEdit;
class QPushButton;

// The change-password window: replaces the stored password after checking the old one.
class TfrmCambiaPassword : public QWidget
{
    Q_OBJECT
public:
    explicit TfrmCambiaPassword(AppWindows &windows);

    QLabel *imgLogo;
    QLabel *lblRigo05;
    QLineEdit *txtPasswordOld;
    QLabel *lblRigo06;
    QLineEdit *txtPasswordNew;
    QLabel *lblRigo07;
    QLineEdit *txtConferma;
    FocusFrame *effPasswordOld;
    FocusFrame *effPasswordNew;
    FocusFrame *effConferma;
    QPushButton *cmdEsci;
    QPushButton *cmdOK;

    void FormShow();
    void FormClose();
    void cmdOKClick();
    void cmdEsciClick();
    void txtChange();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    AppWindows &m_windows;
};

namespace PasswordMessages {
QString wrongOldPassword();
QString notConfirmed();
QString cannotBeStored();
QString changeError();
QString changed();
}  // namespace PasswordMessages
