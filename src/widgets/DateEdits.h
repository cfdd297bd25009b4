#pragma once

#include <QHash>
#include <QPointer>
#include <QString>

class AppHost;
class QLineEdit;
class QWidget;

// The date edits of the whole-run windows, by the context word that names each one to the date
// picker ("interventi_data", "autoparco_scadbollo" ...). The picker writes the chosen date into
// find(word); a window registers its date edits once, best through attach():
//
//     DateEdits::attach(windows(), this, txtScadBollo, QStringLiteral("autoparco_scadbollo"));
//
// which makes the edit a date field: not typed into, its picker opened by a key or a click.
class DateEdits
{
public:
    // Registers edit under word (the words are compared exactly); a later edit replaces an earlier
    // one of the same word.
    void add(const QString &word, QLineEdit *edit);
    // The edit of that word, or nullptr (an unknown word, or an edit that no longer exists).
    QLineEdit *find(const QString &word) const;

    // Registers edit under word and makes it a date field of window: read-only for typing; a key
    // opens the date picker for the word, except Backspace and Delete (they empty the edit), Enter
    // (it moves on along the window's Enter chain), Tab and the bare modifier keys; a click in the
    // edit opens the picker too. The edit's status-line hint gains the sentence that says so: call
    // attach after setting the hint.
    static void attach(AppHost &host, QWidget *window, QLineEdit *edit, const QString &word);

    // Opens the date picker (TfrmCalendario) over window for the edit of that word, and waits until
    // it closes.
    static void pick(AppHost &host, QWidget *window, const QString &word);

    // The hint of a date field: hint with "(clic o un tasto per scegliere la data)" before its full
    // stop, or a sentence of its own when hint is empty.
    static QString hintFor(const QString &hint);

private:
    QHash<QString, QPointer<QLineEdit>> m_edits;
};
