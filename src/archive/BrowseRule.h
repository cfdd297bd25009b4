#pragma once

#include <QMetaType>
#include <QString>

// The four browse commands that the sheet, customer and vehicle windows share. Given the command,
// the position label and the record count, the rule says what the window does; the window then
// reads the record, shows it and sets its label.
enum class BrowseCommand { First, Previous, Next, Last };
Q_DECLARE_METATYPE(BrowseCommand)

struct BrowseAction
{
    enum Kind {
        Nothing,       // no read, no message, the label stays
        EmptyMessage,  // "L'archivio non contiene nessuna scheda."
        Read,          // read the record at position and show it, label = position
    };
    Kind kind = Nothing;
    qint64 position = 0;
    bool clearLabel = false;  // only with EmptyMessage: the label is emptied first

    bool operator==(const BrowseAction &other) const
    {
        return kind == other.kind && position == other.position && clearLabel == other.clearLabel;
    }
};

// label is the text of the position label (trimmed here); count the records in the archive.
BrowseAction browseAction(BrowseCommand command, const QString &label, qint64 count);

// The information message shown when a browse command finds the archive empty.
QString emptyArchiveMessage();
