#include "archive/RecordArchive.h"

#include "archive/RollbackJournal.h"
#include "common/FaultInjection.h"

#include <QDeadlineTimer>
#include <QFileInfo>
#include <QThread>

#include <atomic>

#ifdef Q_OS_WIN
#  include <io.h>
#  include <windows.h>
#else
#  include <cerrno>
#  include <fcntl.h>
#  include <unistd.h>
#endif

namespace {

// A busy lock is tried again after this pause, until the wait limit has passed.
constexpr int kLockRetryMs = 50;

std::atomic<int> g_lockWaitMs{RecordArchive::kDefaultLockWaitMs};
std::atomic<qint64> g_readBlockBytes{RecordArchive::kDefaultReadBlockBytes};

#ifdef Q_OS_WIN
HANDLE nativeHandle(QFile &file)
{
    return reinterpret_cast<HANDLE>(_get_osfhandle(file.handle()));
}
#endif

}  // namespace

QString archiveAccessMessage()
{
    return QStringLiteral("Attenzione: il sistema non permette di accedere all'archivio.\n\r\n\r"
                          "Accertarsi di possedere i privilegi di scrittura nella cartella di "
                          "installazione del programma.");
}

void RecordArchive::setLockWaitMs(int milliseconds)
{
    g_lockWaitMs = qMax(0, milliseconds);
}

int RecordArchive::lockWaitMs()
{
    return g_lockWaitMs;
}

void RecordArchive::setReadBlockBytes(qint64 bytes)
{
    g_readBlockBytes = qMax<qint64>(1, bytes);
}

qint64 RecordArchive::readBlockBytes()
{
    return g_readBlockBytes;
}

RecordArchive::~RecordArchive()
{
    Close();
}

bool RecordArchive::fail(const QString &what)
{
    m_failed = true;
    m_error = what + QStringLiteral(": ") + m_file.errorString();
    return false;
}

// A step of a write that the fault seam refused: reported as the system's refusal would be.
bool RecordArchive::refused(const QString &what)
{
    m_failed = true;
    m_error = what + QStringLiteral(": the system refused the step");
    return false;
}

bool RecordArchive::OpenOrCreate(const QString &fileName, int recordSize)
{
    Close();
    m_recordSize = recordSize;
    m_file.setFileName(fileName);
    if (FaultInjection::fails(FaultInjection::Step::Open))
        return refused(QStringLiteral("open"));
    if (!m_file.open(QIODevice::ReadWrite | QIODevice::Unbuffered))
        return fail(QStringLiteral("open"));
    // A journal left by a writer that stopped in the middle of an overwrite is rolled back now when
    // no other writer holds the lock. A writer that holds it may be in the middle of its own
    // overwrite, with its own journal: that one is left alone, and a stale journal found then is
    // rolled back by the next write, which looks again under the lock.
    if (QFileInfo::exists(RollbackJournal::fileNameFor(fileName))) {
        bool busy = false;
        if (tryLockForWriting(&busy)) {
            const bool recovered = recoverJournal();
            unlockAfterWriting();
            if (!recovered) {
                m_file.close();
                return false;
            }
        }
    }
    return true;
}

bool RecordArchive::OpenForReading(const QString &fileName, int recordSize)
{
    Close();
    m_recordSize = recordSize;
    m_file.setFileName(fileName);
    if (!QFileInfo::exists(fileName)) {
        m_missingReadOnly = true;
        return true;
    }
    if (!m_file.open(QIODevice::ReadOnly | QIODevice::Unbuffered))
        return fail(QStringLiteral("open"));
    return true;
}

void RecordArchive::Close()
{
    if (m_file.isOpen())
        m_file.close();
    m_missingReadOnly = false;
    m_failed = false;
    m_error.clear();
    m_current = 0;
    m_buffer.clear();
    m_bufferFirst = 0;
    m_bufferCount = 0;
    m_nextPosition = 1;
    m_scanCount = -1;
}

qint64 RecordArchive::Count()
{
    if (m_missingReadOnly)
        return 0;
    if (!m_file.isOpen() || m_recordSize <= 0) {
        m_failed = true;
        return -1;
    }
    return m_file.size() / m_recordSize;
}

bool RecordArchive::ReadAt(qint64 position, QByteArray &record)
{
    const qint64 count = Count();
    if (count < 0)
        return false;
    if (position < 1 || position > count) {
        m_failed = true;
        m_error = QStringLiteral("position %1 outside 1..%2").arg(position).arg(count);
        return false;
    }
    if (!m_file.seek((position - 1) * m_recordSize))
        return fail(QStringLiteral("seek"));
    QByteArray bytes(m_recordSize, Qt::Uninitialized);
    if (m_file.read(bytes.data(), m_recordSize) != m_recordSize)
        return fail(QStringLiteral("read"));
    record = bytes;
    m_current = position;
    return true;
}

// One attempt at the write lock, without waiting. *busy tells a lock held by another writer from a
// failure of the lock call itself.
bool RecordArchive::tryLockForWriting(bool *busy)
{
    *busy = false;
#ifdef Q_OS_WIN
    OVERLAPPED where = {};
    where.Offset = DWORD(kWriteLockOffset & 0xFFFFFFFF);
    where.OffsetHigh = DWORD(kWriteLockOffset >> 32);
    if (LockFileEx(nativeHandle(m_file), LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, 1, 0,
                   &where))
        return true;
    const DWORD error = GetLastError();
    *busy = error == ERROR_LOCK_VIOLATION || error == ERROR_IO_PENDING;
    return false;
#else
    struct flock lock = {};
    lock.l_type = F_WRLCK;
    lock.l_whence = SEEK_SET;
    lock.l_start = kWriteLockOffset;
    lock.l_len = 1;
    int result;
#  ifdef F_OFD_SETLK
    // Open-file-description locks also keep apart two opens within one process.
    do {
        result = fcntl(m_file.handle(), F_OFD_SETLK, &lock);
    } while (result == -1 && errno == EINTR);
    if (result == 0)
        return true;
    if (errno == EAGAIN || errno == EACCES) {
        *busy = true;
        return false;
    }
    lock.l_pid = 0;
#  endif
    do {
        result = fcntl(m_file.handle(), F_SETLK, &lock);
    } while (result == -1 && errno == EINTR);
    if (result == 0)
        return true;
    *busy = errno == EAGAIN || errno == EACCES;
    return false;
#endif
}

// Takes the write lock, trying again while another writer holds it, for at most lockWaitMs().
bool RecordArchive::lockForWriting()
{
    const QDeadlineTimer deadline(lockWaitMs());
    for (;;) {
        bool busy = false;
        if (tryLockForWriting(&busy))
            return true;
        if (!busy) {
            m_failed = true;
            m_error = QStringLiteral("lock: the file cannot be locked");
            return false;
        }
        if (deadline.hasExpired()) {
            m_failed = true;
            m_error = QStringLiteral("lock: another writer has held the archive for %1 ms").arg(lockWaitMs());
            return false;
        }
        QThread::msleep(qMin<qint64>(kLockRetryMs, qMax<qint64>(1, deadline.remainingTime())));
    }
}

void RecordArchive::unlockAfterWriting()
{
#ifdef Q_OS_WIN
    OVERLAPPED where = {};
    where.Offset = DWORD(kWriteLockOffset & 0xFFFFFFFF);
    where.OffsetHigh = DWORD(kWriteLockOffset >> 32);
    UnlockFileEx(nativeHandle(m_file), 0, 1, 0, &where);
#else
    struct flock lock = {};
    lock.l_type = F_UNLCK;
    lock.l_whence = SEEK_SET;
    lock.l_start = kWriteLockOffset;
    lock.l_len = 1;
#  ifdef F_OFD_SETLK
    if (fcntl(m_file.handle(), F_OFD_SETLK, &lock) == 0)
        return;
    lock.l_pid = 0;
#  endif
    fcntl(m_file.handle(), F_SETLK, &lock);
#endif
}

bool RecordArchive::writeRecordAt(qint64 offset, const QByteArray &record)
{
    if (record.size() != m_recordSize) {
        m_failed = true;
        m_error = QStringLiteral("record of %1 bytes, expected %2").arg(record.size()).arg(m_recordSize);
        return false;
    }
    if (!m_file.seek(offset))
        return fail(QStringLiteral("seek"));
    if (FaultInjection::fails(FaultInjection::Step::Write))
        return refused(QStringLiteral("write"));
    if (m_file.write(record) != m_recordSize)
        return fail(QStringLiteral("write"));
    if (FaultInjection::fails(FaultInjection::Step::Flush))
        return refused(QStringLiteral("flush"));
    if (!syncFile())
        return fail(QStringLiteral("flush"));
    return true;
}

// Called with the write lock held. A valid journal means that a writer stopped after flushing it
// and before removing it, so the record it names may be torn: its old bytes are written back. A
// torn or foreign journal is removed unapplied: the archive is only touched once the journal is
// whole on the disk. True when the archive is whole afterwards.
bool RecordArchive::recoverJournal()
{
    const QString journalName = RollbackJournal::fileNameFor(m_file.fileName());
    if (!QFileInfo::exists(journalName))
        return true;
    QFile journal(journalName);
    if (!journal.open(QIODevice::ReadOnly)) {
        m_failed = true;
        m_error = QStringLiteral("journal open: ") + journal.errorString();
        return false;
    }
    const QByteArray bytes =
        journal.read(RollbackJournal::kHeaderSize + m_recordSize + RollbackJournal::kTrailerSize + 1);
    journal.close();
    RollbackJournal::Entry entry;
    if (!RollbackJournal::decode(bytes, m_recordSize, &entry) || entry.offset + m_recordSize > m_file.size()) {
        QFile::remove(journalName);
        return true;
    }
    if (FaultInjection::fails(FaultInjection::Step::Write))
        return refused(QStringLiteral("rollback write"));
    if (!m_file.seek(entry.offset) || m_file.write(entry.oldRecord) != m_recordSize)
        return fail(QStringLiteral("rollback write"));
    if (FaultInjection::fails(FaultInjection::Step::Flush))
        return refused(QStringLiteral("rollback flush"));
    if (!syncFile())
        return fail(QStringLiteral("rollback flush"));
    return retireJournal(true);
}

// Writes the old bytes of the record at position to the journal and puts it on the disk, folder
// entry included. On failure no journal is left and the archive has not been touched.
bool RecordArchive::writeJournal(qint64 position, const QByteArray &oldRecord)
{
    const QString journalName = RollbackJournal::fileNameFor(m_file.fileName());
    QFile journal(journalName);
    const auto failJournal = [&](const QString &what, bool byTheSeam) {
        m_failed = true;
        m_error = QStringLiteral("journal ") + what + QStringLiteral(": ")
                  + (byTheSeam ? QStringLiteral("the system refused the step") : journal.errorString());
        if (journal.isOpen())
            journal.close();
        QFile::remove(journalName);
        return false;
    };
    if (FaultInjection::fails(FaultInjection::Step::Open))
        return failJournal(QStringLiteral("open"), true);
    if (!journal.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Unbuffered))
        return failJournal(QStringLiteral("open"), false);
    const QByteArray bytes = RollbackJournal::encode(m_recordSize, position, oldRecord);
    if (FaultInjection::fails(FaultInjection::Step::Write))
        return failJournal(QStringLiteral("write"), true);
    if (journal.write(bytes) != bytes.size())
        return failJournal(QStringLiteral("write"), false);
    if (FaultInjection::fails(FaultInjection::Step::Flush))
        return failJournal(QStringLiteral("flush"), true);
    if (!RollbackJournal::syncToDisk(journal)
        || !RollbackJournal::syncFolder(QFileInfo(journalName).absolutePath()))
        return failJournal(QStringLiteral("flush"), false);
    journal.close();
    return true;
}

// Ends the journal's life once the archive no longer needs it: it is first emptied on the disk (an
// empty journal is never applied, whatever becomes of its folder entry after a power loss), then
// removed. A journal that cannot be emptied stays valid: false.
bool RecordArchive::retireJournal(bool throughSeam)
{
    const QString journalName = RollbackJournal::fileNameFor(m_file.fileName());
    if (throughSeam && FaultInjection::fails(FaultInjection::Step::Rename)) {
        m_failed = true;
        m_error = QStringLiteral("journal removal: the system refused the step");
        return false;
    }
    QFile journal(journalName);
    if (!journal.open(QIODevice::WriteOnly | QIODevice::Truncate) || !RollbackJournal::syncToDisk(journal)) {
        m_failed = true;
        m_error = QStringLiteral("journal removal: ") + journal.errorString();
        return false;
    }
    journal.close();
    // An empty journal left behind is harmless: the next writer removes it.
    QFile::remove(journalName);
    return true;
}

// Puts back the bytes a failed overwrite may have changed, keeping the error of the step that failed.
bool RecordArchive::restoreRecordAt(qint64 offset, const QByteArray &old)
{
    return m_file.seek(offset) && m_file.write(old) == old.size() && syncFile();
}

bool RecordArchive::syncFile()
{
    return RollbackJournal::syncToDisk(m_file);
}

// An overwrite in place, safe against a crash or a power loss half-way: the old record goes to the
// journal first (flushed), then the new record over it (flushed), then the journal is retired. A
// failure at any step leaves the old record, or a journal from which the next writer restores it.
bool RecordArchive::WriteAt(qint64 position, const QByteArray &record)
{
    if (!m_file.isOpen() || !m_file.isWritable()) {
        m_failed = true;
        return false;
    }
    if (record.size() != m_recordSize) {
        m_failed = true;
        m_error = QStringLiteral("record of %1 bytes, expected %2").arg(record.size()).arg(m_recordSize);
        return false;
    }
    if (!lockForWriting())
        return false;
    const auto ok = [&]() -> bool {
        if (!recoverJournal())
            return false;
        const qint64 count = Count();
        if (position < 1 || position > count) {
            m_failed = true;
            m_error = QStringLiteral("position %1 outside 1..%2").arg(position).arg(count);
            return false;
        }
        const qint64 offset = (position - 1) * m_recordSize;
        QByteArray old(m_recordSize, Qt::Uninitialized);
        if (!m_file.seek(offset) || m_file.read(old.data(), m_recordSize) != m_recordSize)
            return fail(QStringLiteral("read"));
        if (m_overwriteCheck && !m_overwriteCheck(old)) {
            m_overwriteRefused = true;
            return false;
        }
        if (!writeJournal(position, old))
            return false;
        if (!writeRecordAt(offset, record)) {
            // The old record goes back now; where even that fails, the journal stays for the next writer.
            if (restoreRecordAt(offset, old))
                retireJournal(false);
            return false;
        }
        if (!retireJournal(true)) {
            // The journal would undo this overwrite later: undo it now, so that what the disk holds
            // agrees with the failure reported.
            if (restoreRecordAt(offset, old))
                retireJournal(false);
            return false;
        }
        return true;
    }();
    unlockAfterWriting();
    if (ok)
        m_current = position;
    return ok;
}

RecordArchive::Overwrite RecordArchive::WriteAtIf(qint64 position, const QByteArray &record,
                                                  const std::function<bool(const QByteArray &)> &isExpected,
                                                  QByteArray *stored)
{
    // WriteAt looks at the stored record where it has read it for its journal, under the lock.
    m_overwriteRefused = false;
    m_overwriteCheck = [&](const QByteArray &now) {
        if (stored)
            *stored = now;
        return isExpected(now);
    };
    const bool written = WriteAt(position, record);
    m_overwriteCheck = nullptr;
    if (written)
        return Overwrite::Written;
    return m_overwriteRefused ? Overwrite::Changed : Overwrite::Failed;
}

qint64 RecordArchive::Append(const QByteArray &record)
{
    return Append([&record](qint64) { return record; });
}

qint64 RecordArchive::Append(const std::function<QByteArray(qint64 count)> &makeRecord)
{
    if (!m_file.isOpen() || !m_file.isWritable()) {
        m_failed = true;
        return -1;
    }
    if (!lockForWriting())
        return -1;
    // A journal left by a writer that stopped mid-overwrite is rolled back before anything else.
    if (!recoverJournal()) {
        unlockAfterWriting();
        return -1;
    }
    // Counted under the lock: another writer cannot take the same position meanwhile.
    const qint64 count = Count();
    const bool ok = count >= 0 && writeRecordAt(count * m_recordSize, makeRecord(count));
    if (!ok && count >= 0 && m_file.size() > count * m_recordSize) {
        // A write that was refused after some bytes reached the file (the flush failed): the
        // append is reported as failed, so the record must not appear either.
        m_file.resize(count * m_recordSize);
    }
    unlockAfterWriting();
    if (!ok)
        return -1;
    m_current = count + 1;
    return m_current;
}

bool RecordArchive::fillBuffer()
{
    if (m_scanCount < 0) {
        m_scanCount = Count();
        if (m_scanCount < 0)
            return false;
        m_nextPosition = 1;
    }
    if (m_nextPosition > m_scanCount)
        return false;
    const qint64 perBlock = qMax<qint64>(1, readBlockBytes() / m_recordSize);
    const qint64 records = qMin(perBlock, m_scanCount - m_nextPosition + 1);
    const qint64 bytes = records * m_recordSize;
    if (m_buffer.size() < bytes)
        m_buffer.resize(bytes);
    if (!m_file.seek((m_nextPosition - 1) * m_recordSize))
        return fail(QStringLiteral("seek"));
    const qint64 got = m_file.read(m_buffer.data(), bytes);
    if (got != bytes)
        return fail(QStringLiteral("read"));
    m_bufferFirst = m_nextPosition;
    m_bufferCount = records;
    return true;
}

const char *RecordArchive::NextRecord()
{
    if (m_missingReadOnly || m_failed)
        return nullptr;
    if (m_nextPosition >= m_bufferFirst + m_bufferCount || m_bufferCount == 0) {
        if (!fillBuffer())
            return nullptr;
    }
    const char *data = m_buffer.constData() + (m_nextPosition - m_bufferFirst) * m_recordSize;
    m_current = m_nextPosition;
    ++m_nextPosition;
    return data;
}

bool RecordArchive::ReadNext(QByteArray &record)
{
    const char *data = NextRecord();
    if (!data)
        return false;
    record = QByteArray(data, m_recordSize);
    return true;
}

bool RecordArchive::AtEnd()
{
    if (m_missingReadOnly)
        return true;
    if (m_scanCount < 0) {
        m_scanCount = Count();
        m_nextPosition = 1;
    }
    return m_failed || m_nextPosition > m_scanCount;
}
