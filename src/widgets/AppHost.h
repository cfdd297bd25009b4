#pragma once

#include <QString>

#include <memory>

class AppWindow;
class AppWindows;
class DateEdits;
class QWidget;
namespace HelpTopics {
struct Topic;
}

// The run as the shared window machinery sees it: the program folder, where every data file lives;
// the date edits that the date picker fills; the flow between the launcher and the app windows; the
// help window. The registry of the whole-run windows (shell/AppWindows) is its one implementation:
// the registry knows every window of the program, so this folder, which every window uses, reaches
// it only through these few calls. A dialog that needs no particular window takes an AppHost too.
class AppHost
{
public:
    explicit AppHost(const QString &programFolder);
    virtual ~AppHost();
    AppHost(const AppHost &) = delete;
    AppHost &operator=(const AppHost &) = delete;

    QString programFolder() const { return m_programFolder; }
    // The full name of a file of the program folder.
    QString filePath(const QString &fileName) const;
    // The date edits of the windows by context word, where the date picker writes its date.
    DateEdits &dateEdits() const { return *m_dateEdits; }

    // The registry itself, for a window that opens dialogs which reach other windows.
    virtual AppWindows &windows() = 0;
    // Shows the launcher in place of hiding (an app window that closed).
    virtual void showLauncher(QWidget *hiding) = 0;
    // Shows an app window, emptied (FormShow). An app window still open (a list of another app brings
    // this one up) gives way first, asking about its own unsaved changes: when the user keeps it,
    // nothing changes and the result is false.
    virtual bool showApp(AppWindow *app) = 0;
    // The help window on a topic, shown modally over parent.
    virtual void showHelp(const HelpTopics::Topic &topic, QWidget *parent) = 0;

private:
    QString m_programFolder;
    std::unique_ptr<DateEdits> m_dateEdits;
};
