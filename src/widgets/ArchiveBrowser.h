#pragma once

#include "archive/BrowseRule.h"

#include <QByteArray>
#include <QString>

#include <functional>

class QLabel;
class QWidget;

// Runs one of the four browse commands of an app window on its archive: opens the archive for
// reading only, lets the browse rule decide, reads the record, hands it to the window to show, sets
// the position label and closes the archive. Shows the empty-archive and the access messages. A
// missing archive is created empty when the folder allows it, and otherwise reads as empty.
namespace ArchiveBrowser {

using ShowRecord = std::function<void(const QByteArray &record, qint64 position)>;

// mayReplace, when given, runs once the rule has decided that another record takes the screen's
// place and before that record is read (so a record it saves is read as stored): false ends the
// command with nothing changed.
void run(QWidget *window, QLabel *positionLabel, const QString &archivePath, int recordSize, BrowseCommand command,
         const ShowRecord &show, const std::function<bool()> &mayReplace = {});

}  // namespace ArchiveBrowser
