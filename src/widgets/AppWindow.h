#pragma once

#include <QLabel>
#include <QMainWindow>

class AppHost;
class AppWindows;
class PictureButton;

// What the three app windows (customers, vehicles, sheets) share: a maximised window with a caption,
// a blue status line `panInfo` at the bottom, and the return to the launcher on its exit command or
// close button. Each time the launcher shows it, FormShow runs; each time it closes, FormClose runs.
class AppWindow : public QMainWindow
{
    Q_OBJECT
public:
    AppWindow(AppHost &host, const QString &caption);

    // The registry of the whole-run windows, for the dialogs that the window opens.
    AppWindows &windows() const;
    // The same as the shared window machinery sees it (program folder, window flow).
    AppHost &host() const { return m_host; }
    QLabel *panInfo = nullptr;

    // Runs when the launcher shows the window (empties the screen).
    virtual void FormShow() {}
    // Runs when the user closes the window (exit command or close button): false keeps it open.
    virtual bool FormCloseQuery() { return true; }
    // Runs when the window closes, before the launcher comes back.
    virtual void FormClose() {}

    // Another app window takes this one's place: closes it as its exit command does (FormCloseQuery,
    // then FormClose), without bringing the launcher back. False, and the window stays as it is, when
    // FormCloseQuery keeps it open.
    bool giveWay();

protected:
    void closeEvent(QCloseEvent *event) override;
    // Puts the central content and the status line together; call once the content is built.
    void setContent(QWidget *content);
    // Runs at the end of setContent, when every control of the window exists.
    virtual void contentReady() {}

private:
    AppHost &m_host;
};
