#include "widgets/ArchiveBrowser.h"

#include "archive/RecordArchive.h"
#include "widgets/MessageBoxes.h"

#include <QLabel>

namespace ArchiveBrowser {

void run(QWidget *window, QLabel *positionLabel, const QString &archivePath, int recordSize,
         BrowseCommand command, const ShowRecord &show)
{
    RecordArchive archive;
    qint64 count = -1;
    if (archive.OpenOrCreate(archivePath, recordSize))
        count = archive.Count();
    if (count < 0) {
        archive.Close();
        MessageBoxes::error(window, archiveAccessMessage());
        return;
    }
    const BrowseAction action = browseAction(command, positionLabel->text(), count);
    switch (action.kind) {
    case BrowseAction::Nothing:
        return;
    case BrowseAction::EmptyMessage:
        archive.Close();
        if (action.clearLabel)
            positionLabel->clear();
        MessageBoxes::information(window, emptyArchiveMessage());
        return;
    case BrowseAction::Read: {
        QByteArray record;
        const bool ok = archive.ReadAt(action.position, record);
        archive.Close();
        if (!ok) {
            MessageBoxes::error(window, archiveAccessMessage());
            return;
        }
        show(record, action.position);
        positionLabel->setText(QString::number(action.position));
        return;
    }
    }
}

}  // namespace ArchiveBrowser
