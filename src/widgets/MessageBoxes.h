#pragma once

#include <QList>
#include <QString>

class QWidget;

// Every message box of the program goes through here, so that a test can record what would be shown
// and script the answer instead of blocking on a modal window.
class MessageBoxes
{
public:
    enum class Kind {
        Warning,            // warning icon, OK and Annulla
        Error,              // error icon, OK and Annulla
        Information,        // information icon, OK and Annulla
        Plain,              // no icon, OK only
        Question,           // question icon, Sì and No
        SaveQuestion,       // question icon, Sì, No and Annulla (closing with unsaved changes)
        OverwriteQuestion,  // warning icon, Sovrascrivi, Ricarica and Annulla (a record that another
                            // workstation changed since it was shown)
    };
    enum class Answer { Ok, Cancel, Yes, No, Overwrite, Reload };

    struct Shown
    {
        Kind kind;
        QString text;
    };

    static Answer show(QWidget *parent, Kind kind, const QString &text);
    static void warning(QWidget *parent, const QString &text) { show(parent, Kind::Warning, text); }
    static void error(QWidget *parent, const QString &text) { show(parent, Kind::Error, text); }
    static void information(QWidget *parent, const QString &text) { show(parent, Kind::Information, text); }
    static void plain(QWidget *parent, const QString &text) { show(parent, Kind::Plain, text); }
    // Any answer but No counts as yes.
    static bool confirm(QWidget *parent, const QString &text)
    {
        return show(parent, Kind::Question, text) != Answer::No;
    }

    // The text as a message box shows it: the stored line breaks (LF CR, CR LF, CR) become plain
    // line breaks.
    static QString displayText(const QString &text);

    // Scripting for tests: once scripted, nothing is shown; every message is recorded and answered
    // with the next queued answer (OK, Sì for questions, Annulla for the overwrite question, when
    // none is queued).
    static void setScripted(bool scripted);
    static bool isScripted();
    static void setNextAnswer(Answer answer);
    static QList<Shown> takeShown();
};
