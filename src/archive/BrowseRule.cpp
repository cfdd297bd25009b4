#include "archive/BrowseRule.h"

#include "common/TextRules.h"

QString emptyArchiveMessage()
{
    return QStringLiteral("L'archivio non contiene nessuna scheda.");
}

BrowseAction browseAction(BrowseCommand command, const QString &label, qint64 count)
{
    const QString p = TextRules::trim(label);
    // An empty label (a sheet not yet stored) counts as position 0. The label only ever holds a
    // position written by the program; anything else is treated like an empty one.
    bool numeric = false;
    const qint64 position = p.toLongLong(&numeric);
    const qint64 current = numeric && position > 0 ? position : 0;

    switch (command) {
    case BrowseCommand::First:
        if (count == 0)
            return {BrowseAction::EmptyMessage, 0, false};
        return {BrowseAction::Read, 1, false};
    case BrowseCommand::Last:
        if (count == 0)
            return {BrowseAction::EmptyMessage, 0, false};
        return {BrowseAction::Read, count, false};
    case BrowseCommand::Next:
        if (count == 0)
            return {BrowseAction::EmptyMessage, 0, true};
        if (current < count)
            return {BrowseAction::Read, current + 1, false};
        return {};
    case BrowseCommand::Previous:
        if (p == QLatin1String("1"))
            return {};
        if (count == 0)
            return {BrowseAction::EmptyMessage, 0, false};
        if (current == 0)
            return {BrowseAction::Read, 1, false};
        // A label beyond the end (the archive cannot shrink, but another copy of the folder may be
        // shorter) shows the last record rather than failing.
        return {BrowseAction::Read, qMin(current - 1, count), false};
    }
    return {};
}
