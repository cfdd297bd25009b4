#include "shell/AppWindows.h"

#include "backup/Backup.h"
#include "customers/TfrmClienti.h"
#include "sheets/TfrmInterventi.h"
#include "shell/TfrmAvvio.h"
#include "shell/TfrmCambiaPassword.h"
#include "shell/TfrmGuida.h"
#include "shell/TfrmPassword.h"
#include "vehicles/TfrmAutoparco.h"
#include "widgets/FileDialogs.h"
#include "widgets/MessageBoxes.h"

#include <QCoreApplication>
#include <QDir>

AppWindows::AppWindows(const QString &programFolder)
    : AppHost(programFolder), m_endHandler([] { QCoreApplication::exit(0); })
{
    // Each kind of file dialog opens where the last choice of its kind was made, also next time.
    FileDialogs::rememberFoldersIn(QDir(programFolder).filePath(QStringLiteral("Cablora.ini")));
}

AppWindows::~AppWindows()
{
    // A window destroyed while shown closes itself from QWidget's destructor, when its own part is
    // already gone: the focus leaving its edits then runs the window's handlers (a total's exit hook)
    // on a half-destroyed object. Hidden first, every window sees that focus change while it is whole.
    const std::initializer_list<QWidget *> windows{m_interventi.get(), m_autoparco.get(),      m_clienti.get(),
                                                   m_avvio.get(),      m_cambiaPassword.get(), m_password.get()};
    for (QWidget *window : windows) {
        if (window)
            window->hide();
    }
}

template<typename Window>
Window *AppWindows::created(std::unique_ptr<Window> &slot) const
{
    if (!slot) {
        // Windows keep the registry, not a constant view of it, to reach their siblings.
        slot = std::make_unique<Window>(const_cast<AppWindows &>(*this));
    }
    return slot.get();
}

TfrmPassword *AppWindows::frmPassword() const
{
    return created(m_password);
}
TfrmCambiaPassword *AppWindows::frmCambiaPassword() const
{
    return created(m_cambiaPassword);
}
TfrmAvvio *AppWindows::frmAvvio() const
{
    return created(m_avvio);
}
TfrmClienti *AppWindows::frmClienti() const
{
    return created(m_clienti);
}
TfrmAutoparco *AppWindows::frmAutoparco() const
{
    return created(m_autoparco);
}
TfrmInterventi *AppWindows::frmInterventi() const
{
    return created(m_interventi);
}

void AppWindows::create()
{
    frmPassword();
}

void AppWindows::start()
{
    // A restore that was stopped while it moved files (the program killed, the power gone) is run
    // to its end before any window reads the data, and the user is told.
    const Backup::Result earlier = Backup::finishInterruptedRestore(programFolder());
    Backup::finishInterruptedWrites(programFolder());
    if (!earlier.ok)
        MessageBoxes::error(nullptr, earlier.error);
    else if (!earlier.note.isEmpty())
        MessageBoxes::information(nullptr, earlier.note);
    showLogin();
}

void AppWindows::showLauncher(QWidget *hiding)
{
    frmAvvio()->showMaximized();
    if (hiding)
        hiding->hide();
}

bool AppWindows::showApp(AppWindow *app)
{
    // One app window at a time.
    for (AppWindow *open : std::initializer_list<AppWindow *>{m_clienti.get(), m_autoparco.get(), m_interventi.get()}) {
        if (open && open != app && open->isVisible() && !open->giveWay())
            return false;
    }
    app->showMaximized();
    app->FormShow();
    if (m_avvio)
        m_avvio->hide();
    return true;
}

void AppWindows::showHelp(const HelpTopics::Topic &topic, QWidget *parent)
{
    TfrmGuida::showTopic(*this, topic, parent);
}

void AppWindows::showChangePassword()
{
    frmCambiaPassword()->show();
    m_cambiaPassword->FormShow();
    frmPassword()->hide();
}

void AppWindows::showLogin()
{
    frmPassword()->show();
    m_password->FormShow();
}

void AppWindows::endProgram()
{
    m_endHandler();
}
