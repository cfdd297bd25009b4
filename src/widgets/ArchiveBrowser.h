#pragma once

#include "archive/BrowseRule.h"

#include <QByteArray>
#include <QString>

#include <functional>

class QLabel;
class QWidget;

// Runs one of the four browse commands of an app window on its archive: opens the archive, lets the
// browse rule decide, reads the record, hands it to the window to show, sets the position label and
// closes the archive. Shows the empty-archive and the access messages.
namespace ArchiveBrowser {

using ShowRecord = std::function<void(const QByteArray &record, qint64 position)>;

void run(QWidget *window, QLabel *positionLabel, const QString &archivePath, int recordSize,
         BrowseCommand command, const ShowRecord &show);

}  // namespace ArchiveBrowser
