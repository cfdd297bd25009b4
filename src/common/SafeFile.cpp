#include "common/SafeFile.h"

#include "common/FaultInjection.h"

#include <QSaveFile>

namespace SafeFile {

bool replace(const QString &path, const QByteArray &bytes)
{
    using FaultInjection::Step;
    QSaveFile file(path);
    if (FaultInjection::fails(Step::Open) || !file.open(QIODevice::WriteOnly))
        return false;
    // Flushed here, not left to commit(): commit() does not notice a buffered write that fails
    // (a full disk, QTBUG-75077) and would put the short file in place of the old one.
    if (FaultInjection::fails(Step::Write) || file.write(bytes) != bytes.size() || FaultInjection::fails(Step::Flush)
        || !file.flush()) {
        file.cancelWriting();
        return false;
    }
    // A refused rename leaves the old file in place; the temporary file goes.
    if (FaultInjection::fails(Step::Rename)) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

}  // namespace SafeFile
