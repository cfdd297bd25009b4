#include "common/SafeFile.h"

#include <QSaveFile>

namespace SafeFile {

bool replace(const QString &path, const QByteArray &bytes)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    // Flushed here, not left to commit(): commit() does not notice a buffered write that fails
    // (a full disk, QTBUG-75077) and would put the short file in place of the old one.
    if (file.write(bytes) != bytes.size() || !file.flush()) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

}  // namespace SafeFile
