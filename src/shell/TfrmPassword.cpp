#include "shell/TfrmPassword.h"

#include "common/TextRules.h"
#include "shell/AppWindows.h"
#include "shell/PasswordStore.h"
#include "widgets/Artwork.h"
#include "widgets/EventHooks.h"
#include "widgets/FormHelpers.h"
#include "widgets/MessageBoxes.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace PasswordMessages {

QString wrongPassword()
{
    return QStringLiteral("Attenzione: password errata.");
}

QString readError()
{
    return QStringLiteral("Attenzione: si è verificato un errore durante la procedura di lettura della "
                          "password. Si consiglia di reinstallare il software.");
}

}  // namespace PasswordMessages

TfrmPassword::TfrmPassword(AppWindows &windows) : m_windows(windows)
{
    setWindowTitle(QStringLiteral("Cablora - Accesso al programma"));
    FormHelpers::makeFixedWithoutButtons(this);

    imgLogo = new QLabel(this);
    imgLogo->setPixmap(
        Artwork::header(QSize(460, 118), QStringLiteral(":/icons/system-lock-screen.svg"), QStringLiteral("Password"),
                        {QStringLiteral("Proteggi l'applicazione con una password di tua scelta."),
                         QStringLiteral("Al primo accesso utilizza la password iniziale che trovi nella guida.")}));

    lblRigo05 = FormHelpers::caption(QStringLiteral("Immetti la password e premi OK."), this, 11);

    txtPassword = new QLineEdit(this);
    txtPassword->setEchoMode(QLineEdit::Password);
    txtPassword->setFont(FormHelpers::font(QStringLiteral("Verdana"), 14, true));
    effPassword = new FocusFrame(txtPassword, this);

    cmdOK = new QPushButton(QStringLiteral("OK"), this);
    cmdOK->setEnabled(false);
    cmdEsci = new QPushButton(QStringLiteral("Esci"), this);
    btnCambiaPassword = new QPushButton(QStringLiteral("Cambia password"), this);
    for (QPushButton *button : {cmdOK, cmdEsci, btnCambiaPassword}) {
        button->setMinimumSize(110, 34);
        button->setAutoDefault(false);
    }

    auto *body = new QVBoxLayout;
    body->setContentsMargins(24, 16, 24, 20);
    body->setSpacing(8);
    body->addWidget(lblRigo05);
    body->addWidget(effPassword);
    body->addSpacing(10);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(cmdOK);
    buttons->addWidget(cmdEsci);
    buttons->addStretch(1);
    buttons->addWidget(btnCambiaPassword);
    body->addLayout(buttons);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(imgLogo);
    layout->addLayout(body);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    setTabOrder(txtPassword, cmdOK);
    setTabOrder(cmdOK, cmdEsci);
    setTabOrder(cmdEsci, btnCambiaPassword);

    connect(cmdOK, &QPushButton::clicked, this, &TfrmPassword::cmdOKClick);
    connect(cmdEsci, &QPushButton::clicked, this, &TfrmPassword::cmdEsciClick);
    connect(btnCambiaPassword, &QPushButton::clicked, this, &TfrmPassword::btnCambiaPasswordClick);
    connect(txtPassword, &QLineEdit::textChanged, this, &TfrmPassword::txtPasswordChange);
    EventHooks::onKeyDown(txtPassword, [this](QKeyEvent *e) { return txtPasswordKeyDown(e); });
    EventHooks::onKeyUp(txtPassword, [this](QKeyEvent *e) { txtPasswordKeyUp(e); });
    FormHelpers::centre(this);
}

void TfrmPassword::FormShow()
{
    FormHelpers::centre(this);
    activateWindow();
    txtPassword->setFocus(Qt::OtherFocusReason);
}

void TfrmPassword::clearPassword()
{
    txtPassword->clear();
}

void TfrmPassword::updateOk()
{
    cmdOK->setEnabled(!TextRules::trim(txtPassword->text()).isEmpty());
}

void TfrmPassword::txtPasswordChange()
{
    updateOk();
}

void TfrmPassword::txtPasswordKeyUp(QKeyEvent *)
{
    updateOk();
}

bool TfrmPassword::txtPasswordKeyDown(QKeyEvent *event)
{
    if (!EventHooks::isEnter(event))
        return false;
    if (!TextRules::trim(txtPassword->text()).isEmpty())
        cmdOKClick();
    return true;
}

void TfrmPassword::cmdOKClick()
{
    bool ok = false;
    const QString stored = PasswordStore::storedPassword(m_windows.programFolder(), &ok);
    if (!ok) {
        MessageBoxes::error(this, PasswordMessages::readError());
        return;
    }
    const QString typed = TextRules::trim(TextRules::upperAZ(txtPassword->text()));
    if (stored == typed) {
        m_windows.showLauncher(this);
        return;
    }
    MessageBoxes::plain(this, PasswordMessages::wrongPassword());
    txtPassword->clear();
    txtPassword->setFocus(Qt::OtherFocusReason);
}

void TfrmPassword::cmdEsciClick()
{
    close();
}

void TfrmPassword::btnCambiaPasswordClick()
{
    m_windows.showChangePassword();
}

void TfrmPassword::closeEvent(QCloseEvent *event)
{
    // The login window is the main window: closing it, by "Esci" or otherwise, ends the program.
    event->accept();
    m_windows.endProgram();
}
