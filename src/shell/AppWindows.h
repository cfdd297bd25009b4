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

// The windows that live for the whole run, created hidden at start-up and shown one at a time.
// Dialogs receive this registry and write their results into the controls of the window their
// context word names. It also knows the program folder, where every data file lives.
class AppWindows
{
public:
    explicit AppWindows(const QString &programFolder);
    ~AppWindows();
    AppWindows(const AppWindows &) = delete;
    AppWindows &operator=(const AppWindows &) = delete;

    // Creates the login window, then the other whole-run windows, all hidden.
    void create();
    // Shows the login window.
    void start();

    QString programFolder() const { return m_programFolder; }
    // The full name of a file of the program folder.
    QString filePath(const QString &fileName) const;

    TfrmPassword *frmPassword() const { return m_password.get(); }
    TfrmCambiaPassword *frmCambiaPassword() const { return m_cambiaPassword.get(); }
    TfrmAvvio *frmAvvio() const { return m_avvio.get(); }
    TfrmClienti *frmClienti() const { return m_clienti.get(); }
    TfrmAutoparco *frmAutoparco() const { return m_autoparco.get(); }
    TfrmInterventi *frmInterventi() const { return m_interventi.get(); }

    // The date edits of the windows by context word, where the date picker writes its date.
    DateEdits &dateEdits() const { return *m_dateEdits; }

    // Window flow.
    void showLauncher(QWidget *hiding);
    void showApp(AppWindow *app);
    void showChangePassword();
    void showLogin();

    // Ends the program: stops the event loop at once. Tests replace what happens.
    void endProgram();
    void setEndHandler(std::function<void()> handler) { m_endHandler = std::move(handler); }

private:
    QString m_programFolder;
    std::function<void()> m_endHandler;
    std::unique_ptr<DateEdits> m_dateEdits;
    std::unique_ptr<TfrmPassword> m_password;
    std::unique_ptr<TfrmCambiaPassword> m_cambiaPassword;
    std::unique_ptr<TfrmAvvio> m_avvio;
    std::unique_ptr<TfrmClienti> m_clienti;
    std::unique_ptr<TfrmAutoparco> m_autoparco;
    std::unique_ptr<TfrmInterventi> m_interventi;
};
