#pragma once

#include <QWidget>

class AppWindows;
class FocusFrame;
class QKeyEvent;
class QLabel;
class QLineEdit;
class QPushButton;

// The login window, the program's main window: only the right password leads on to the launcher.
class TfrmPassword : public QWidget
{
    Q_OBJECT
public:
    explicit TfrmPassword(AppWindows &windows);

    QLabel *imgLogo;
    QLabel *lblRigo05;
    QLineEdit *txtPassword;
    FocusFrame *effPassword;
    QPushButton *cmdOK;
    QPushButton *cmdEsci;
    QPushButton *btnCambiaPassword;

    void FormShow();
    // Empties the password field (the login shown again after a password change starts empty).
    void clearPassword();
    void cmdOKClick();
    void cmdEsciClick();
    void btnCambiaPasswordClick();
    void txtPasswordChange();
    bool txtPasswordKeyDown(QKeyEvent *event);
    void txtPasswordKeyUp(QKeyEvent *event);

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void updateOk();
    AppWindows &m_windows;
};

// Messages of the login and change-password windows.
namespace PasswordMessages {
QString wrongPassword();
QString readError();
}  // namespace PasswordMessages
