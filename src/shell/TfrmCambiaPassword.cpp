#include "shell/TfrmCambiaPassword.h"

#include "common/TextRules.h"
#include "shell/AppWindows.h"
#include "shell/PasswordStore.h"
#include "shell/TfrmPassword.h"
#include "widgets/Artwork.h"
#include "widgets/EventHooks.h"
#include "widgets/FormHelpers.h"
#include "widgets/MessageBoxes.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace PasswordMessages {

QString wrongOldPassword()
{
    return QStringLiteral("Attenzione: vecchia password errata.");
}

QString notConfirmed()
{
    return QStringLiteral("Attenzione: la nuova password non è stata confermata correttamente. E' "
                          "necessario reinserire entrambi i valori.");
}

QString cannotBeStored()
{
    return QStringLiteral("Attenzione: la nuova password non può essere memorizzata. Può contenere al "
                          "massimo 255 caratteri, scelti tra lettere, cifre, lettere accentate e "
                          "simboli della tastiera italiana. E' necessario reinserire entrambi i valori.");
}

QString changeError()
{
    return QStringLiteral("Attenzione: si è verificato un errore durante la procedura di modifica della "
                          "password. Si consiglia di reinstallare il software.");
}

QString changed()
{
    return QStringLiteral("Modifica della password completata con successo.");
}

}  // namespace PasswordMessages

TfrmCambiaPassword::TfrmCambiaPassword(AppWindows &windows) : m_windows(windows)
{
    setWindowTitle(QStringLiteral(" Cambia password"));
    FormHelpers::makeFixedWithoutButtons(this);

    imgLogo = new QLabel(this);
    imgLogo->setPixmap(Artwork::header(QSize(460, 108), QStringLiteral(":/icons/system-lock-screen.svg"),
                                       QStringLiteral("Cambia password"),
                                       {QStringLiteral("Compila i campi sottostanti e premi OK.")}));

    const QFont editFont = FormHelpers::font(QStringLiteral("Verdana"), 14, true);
    auto makeEdit = [&](QLineEdit *&edit, FocusFrame *&frame) {
        edit = new QLineEdit(this);
        edit->setEchoMode(QLineEdit::Password);
        edit->setFont(editFont);
        frame = new FocusFrame(edit, this);
        connect(edit, &QLineEdit::textChanged, this, &TfrmCambiaPassword::txtChange);
        EventHooks::onKeyUp(edit, [this](QKeyEvent *) { txtChange(); });
    };
    lblRigo05 = FormHelpers::caption(QStringLiteral("Vecchia password:"), this, 11);
    makeEdit(txtPasswordOld, effPasswordOld);
    lblRigo06 = FormHelpers::caption(QStringLiteral("Nuova password:"), this, 11);
    makeEdit(txtPasswordNew, effPasswordNew);
    lblRigo07 = FormHelpers::caption(QStringLiteral("Conferma nuova password:"), this, 11);
    makeEdit(txtConferma, effConferma);

    cmdEsci = new QPushButton(QStringLiteral("Chiudi"), this);
    cmdOK = new QPushButton(QStringLiteral("OK"), this);
    cmdOK->setEnabled(false);
    for (QPushButton *button : {cmdEsci, cmdOK}) {
        button->setMinimumSize(110, 34);
        button->setAutoDefault(false);
    }

    auto *body = new QVBoxLayout;
    body->setContentsMargins(24, 14, 24, 20);
    body->setSpacing(4);
    body->addWidget(lblRigo05);
    body->addWidget(effPasswordOld);
    body->addSpacing(4);
    body->addWidget(lblRigo06);
    body->addWidget(effPasswordNew);
    body->addSpacing(4);
    body->addWidget(lblRigo07);
    body->addWidget(effConferma);
    body->addSpacing(12);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(cmdEsci);
    buttons->addStretch(1);
    buttons->addWidget(cmdOK);
    body->addLayout(buttons);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(imgLogo);
    layout->addLayout(body);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    setTabOrder(txtPasswordOld, txtPasswordNew);
    setTabOrder(txtPasswordNew, txtConferma);
    setTabOrder(txtConferma, cmdEsci);
    setTabOrder(cmdEsci, cmdOK);
    // Enter only moves along the three edits; the change itself needs OK.
    EventHooks::enterChain({txtPasswordOld, txtPasswordNew, txtConferma}, txtPasswordOld);

    connect(cmdOK, &QPushButton::clicked, this, &TfrmCambiaPassword::cmdOKClick);
    connect(cmdEsci, &QPushButton::clicked, this, &TfrmCambiaPassword::cmdEsciClick);
    FormHelpers::centre(this);
}

void TfrmCambiaPassword::FormShow()
{
    txtPasswordOld->clear();
    txtPasswordNew->clear();
    txtConferma->clear();
    FormHelpers::centre(this);
    activateWindow();
    txtPasswordOld->setFocus(Qt::OtherFocusReason);
}

void TfrmCambiaPassword::txtChange()
{
    cmdOK->setEnabled(!TextRules::trim(txtPasswordOld->text()).isEmpty()
                      && !TextRules::trim(txtPasswordNew->text()).isEmpty()
                      && !TextRules::trim(txtConferma->text()).isEmpty());
}

void TfrmCambiaPassword::cmdOKClick()
{
    const QString folder = m_windows.programFolder();
    bool ok = false;
    const QString stored = PasswordStore::storedPassword(folder, &ok);
    if (!ok) {
        MessageBoxes::error(this, PasswordMessages::changeError());
        return;
    }
    if (stored != TextRules::trim(TextRules::upperAZ(txtPasswordOld->text()))) {
        MessageBoxes::warning(this, PasswordMessages::wrongOldPassword());
        txtPasswordOld->clear();
        txtPasswordOld->setFocus(Qt::OtherFocusReason);
        return;
    }
    if (TextRules::trim(txtPasswordNew->text()) != TextRules::trim(txtConferma->text())) {
        MessageBoxes::warning(this, PasswordMessages::notConfirmed());
        txtPasswordNew->clear();
        txtConferma->clear();
        txtPasswordNew->setFocus(Qt::OtherFocusReason);
        return;
    }
    const QString newPassword = TextRules::trim(TextRules::upperAZ(txtPasswordNew->text()));
    if (!PasswordStore::canBeStored(newPassword)) {
        MessageBoxes::warning(this, PasswordMessages::cannotBeStored());
        txtPasswordNew->clear();
        txtConferma->clear();
        txtPasswordNew->setFocus(Qt::OtherFocusReason);
        return;
    }
    if (!PasswordStore::store(folder, newPassword)) {
        MessageBoxes::error(this, PasswordMessages::changeError());
        return;
    }
    MessageBoxes::information(this, PasswordMessages::changed());
    close();
}

void TfrmCambiaPassword::cmdEsciClick()
{
    close();
}

void TfrmCambiaPassword::FormClose()
{
    m_windows.frmPassword()->clearPassword();
    m_windows.showLogin();
}

void TfrmCambiaPassword::closeEvent(QCloseEvent *event)
{
    event->accept();
    FormClose();
}
