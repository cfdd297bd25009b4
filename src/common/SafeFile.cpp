#include "common/SafeFile.h"

#include "common/FaultInjection.h"
#include "common/SystemError.h"

namespace SafeFile {

using FaultInjection::Step;

Writer::Writer(const QString &path) : m_file(path)
{
}

bool Writer::open()
{
    return !FaultInjection::fails(Step::Open) && m_file.open(QIODevice::WriteOnly);
}

bool Writer::write(const QByteArray &bytes)
{
    return !FaultInjection::fails(Step::Write) && m_file.write(bytes) == bytes.size();
}

bool Writer::commit()
{
    // Flushed here, not left to QSaveFile::commit(): that does not notice a buffered write that fails
    // (a full disk, QTBUG-75077) and would put the short file in place of the old one.
    if (FaultInjection::fails(Step::Flush) || !m_file.flush())
        return false;
    // A refused rename leaves the old file in place; the temporary file goes with the writer.
    if (FaultInjection::fails(Step::Rename))
        return false;
    return m_file.commit();
}

QString Writer::lastError() const
{
    return SystemError::lastError(m_file);
}

bool replace(const QString &path, const QByteArray &bytes)
{
    Writer file(path);
    return file.open() && file.write(bytes) && file.commit();
}

}  // namespace SafeFile
