#pragma once

#include "widgets/AppHost.h"

#include <QString>

#include <functional>
#include <memory>

class QWidget;
class AppWindow;
class TfrmPassword;
class TfrmCambiaPassword;
class TfrmAvvio;
class TfrmClienti;
class TfrmAutoparco;
class TfrmInterventi;

// The windows that live for the whole run, shown one at a time. The login window is created at
// start-up; every other one is created hidden the first time it is asked for, so that the login
// window appears as fast as a bare window would, and then lives until the end of the run.
// Dialogs receive this registry and hand their results to the window their context word names
// (shell/ContextWords), through that window's own functions (importCustomer, setAttachments ...).
// It also knows the program folder, where every data file lives (AppHost: what the shared window
// machinery may ask of it).
class AppWindows : public AppHost
{
public:
    explicit AppWindows(const QString &programFolder);
    ~AppWindows() override;
    AppWindows(const AppWindows &) = delete;
    AppWindows &operator=(const AppWindows &) = delete;

    // Creates the login window, hidden.
    void create();
    // Shows the login window.
    void start();

    TfrmPassword *frmPassword() const;
    TfrmCambiaPassword *frmCambiaPassword() const;
    TfrmAvvio *frmAvvio() const;
    TfrmClienti *frmClienti() const;
    TfrmAutoparco *frmAutoparco() const;
    TfrmInterventi *frmInterventi() const;

    // Window flow.
    AppWindows &windows() override { return *this; }
    void showLauncher(QWidget *hiding) override;
    bool showApp(AppWindow *app) override;
    void showHelp(const HelpTopics::Topic &topic, QWidget *parent) override;
    void showChangePassword();
    void showLogin();

    // Ends the program: stops the event loop at once. Tests replace what happens.
    void endProgram();
    void setEndHandler(std::function<void()> handler) { m_endHandler = std::move(handler); }

private:
    // The window in slot, created hidden when it does not exist yet.
    template<typename Window>
    Window *created(std::unique_ptr<Window> &slot) const;

    std::function<void()> m_endHandler;
    mutable std::unique_ptr<TfrmPassword> m_password;
    mutable std::unique_ptr<TfrmCambiaPassword> m_cambiaPassword;
    mutable std::unique_ptr<TfrmAvvio> m_avvio;
    mutable std::unique_ptr<TfrmClienti> m_clienti;
    mutable std::unique_ptr<TfrmAutoparco> m_autoparco;
    mutable std::unique_ptr<TfrmInterventi> m_interventi;
};
