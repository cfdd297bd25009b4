#pragma once

#include <QByteArray>
#include <QSaveFile>
#include <QString>

// Whole files that a command replaces (settings, password store, photos, logo, PDF, exports, attached
// files) are written to a temporary file beside the target and renamed over the old one, so a crash or
// a full disk never leaves half a file and a failed write keeps the old content.
namespace SafeFile {

// One whole-file write: open(), write() as many pieces as needed, then commit(). Every step asks the
// fault seam first (FaultInjection), so tests can make any of them fail. A writer that is not
// committed removes its temporary file when it goes and leaves the old file as it was.
class Writer
{
public:
    explicit Writer(const QString &path);

    bool open();
    // False when the piece could not be taken in full.
    bool write(const QByteArray &bytes);
    // Flushes, syncs to the disk and renames over the target; false, with the old file kept, when any
    // of these fails.
    bool commit();
    // The reason the last failed step failed, in Italian (SystemError::lastError): ask right after it.
    QString lastError() const;

private:
    QSaveFile m_file;
};

// False, with the old file untouched, when the bytes cannot be written in full.
bool replace(const QString &path, const QByteArray &bytes);

}  // namespace SafeFile
