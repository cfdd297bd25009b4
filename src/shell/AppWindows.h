#pragma once

#include <QString>

#include <functional>
#include <memory>

class QWidget;
class AppWindow;
class DateEdits;
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
// It also knows the program folder, where every data file lives.
class AppWindows
{
public:
    explicit AppWindows(const QString &programFolder);
    ~AppWindows();
    AppWindows(const AppWindows &) = delete;
    AppWindows &operator=(const AppWindows &) = delete;

    // Creates the login window, hidden.
    void create();
    // Shows the login window.
    void start();

    QString programFolder() const { return m_programFolder; }
    // The full name of a file of the program folder.
    QString filePath(const QString &fileName) const;

    TfrmPassword *frmPassword() const;
    TfrmCambiaPassword *frmCambiaPassword() const;
    TfrmAvvio *frmAvvio() const;
    TfrmClienti *frmClienti() const;
    TfrmAutoparco *frmAutoparco() const;
    TfrmInterventi *frmInterventi() const;

    // The date edits of the windows by context word, where the date picker writes its date.
    DateEdits &dateEdits() const { return *m_dateEdits; }

    // Window flow.
    void showLauncher(QWidget *hiding);
    // Shows an app window, emptied (FormShow). An app window still open (a list of another app brings
    // this one up) gives way first, asking about its own unsaved changes: when the user keeps it,
    // nothing changes and the result is false.
    bool showApp(AppWindow *app);
    void showChangePassword();
    void showLogin();

    // Ends the program: stops the event loop at once. Tests replace what happens.
    void endProgram();
    void setEndHandler(std::function<void()> handler) { m_endHandler = std::move(handler); }

private:
    // The window in slot, created hidden when it does not exist yet.
    template<typename Window>
    Window *created(std::unique_ptr<Window> &slot) const;

    QString m_programFolder;
    std::function<void()> m_endHandler;
    std::unique_ptr<DateEdits> m_dateEdits;
    mutable std::unique_ptr<TfrmPassword> m_password;
    mutable std::unique_ptr<TfrmCambiaPassword> m_cambiaPassword;
    mutable std::unique_ptr<TfrmAvvio> m_avvio;
    mutable std::unique_ptr<TfrmClienti> m_clienti;
    mutable std::unique_ptr<TfrmAutoparco> m_autoparco;
    mutable std::unique_ptr<TfrmInterventi> m_interventi;
};
