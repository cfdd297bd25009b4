#include "widgets/ArchiveBrowser.h"

#include "archive/RecordArchive.h"
#include "widgets/MessageBoxes.h"

#include <QFile>
#include <QFileInfo>
#include <QLabel>

namespace ArchiveBrowser {

namespace {

// A missing archive is created empty, as the first command of a new installation does. Where the
// folder cannot be written (a read-only share, a locked USB stick) that is no failure: browsing
// then reads the missing archive as empty.
void createIfMissing(const QString &archivePath)
{
    if (QFileInfo::exists(archivePath))
        return;
    QFile file(archivePath);
    if (file.open(QIODevice::WriteOnly | QIODevice::NewOnly))
        file.close();
}

}  // namespace

void run(QWidget *window, QLabel *positionLabel, const QString &archivePath, int recordSize, BrowseCommand command,
         const ShowRecord &show, const std::function<bool()> &mayReplace)
{
    // Browsing only reads: the archive is opened read-only, so a read-only program folder can be
    // browsed. Only Save needs write access.
    createIfMissing(archivePath);
    RecordArchive archive;
    qint64 count = -1;
    if (archive.OpenForReading(archivePath, recordSize))
        count = archive.Count();
    if (count < 0) {
        archive.Close();
        MessageBoxes::error(window, archiveAccessMessage());
        return;
    }
    const BrowseAction action = browseAction(command, positionLabel->text(), count);
    switch (action.kind) {
    case BrowseAction::Nothing: return;
    case BrowseAction::EmptyMessage:
        archive.Close();
        if (action.clearLabel)
            positionLabel->clear();
        MessageBoxes::information(window, emptyArchiveMessage());
        return;
    case BrowseAction::Read: {
        if (mayReplace) {
            // The question may save the screen's record: no file stays open while the user answers,
            // and the record to show is read afterwards.
            archive.Close();
            if (!mayReplace())
                return;
            if (!archive.OpenForReading(archivePath, recordSize)) {
                MessageBoxes::error(window, archiveAccessMessage());
                return;
            }
        }
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
