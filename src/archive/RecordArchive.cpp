#include "archive/RecordArchive.h"

#include "archive/RecordReader.h"
#include "archive/RollbackJournal.h"
#include "common/FaultInjection.h"
#include "common/SystemError.h"

#include <QDeadlineTimer>
#include <QFileInfo>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

#include <cerrno>

#ifdef Q_OS_WIN
#  include <io.h>
#  include <windows.h>
#else
#  include <csignal>
#  include <fcntl.h>
#  include <pthread.h>
#  include <unistd.h>
#endif

namespace {

std::atomic<int> g_lockWaitMs{RecordArchive::kDefaultLockWaitMs};

// About how many bytes of records an import appends with one write.
constexpr qint64 kAppendBlockBytes = 4 * 1024 * 1024;

#ifdef Q_OS_WIN
HANDLE nativeHandle(QFile &file)
{
    return reinterpret_cast<HANDLE>(_get_osfhandle(file.handle()));
}
#else
// The signal that ends a writer's wait for the lock when its time is up. Nothing else in the program
// uses it; its handler does nothing and is installed without SA_RESTART, so that the signal only
// makes the waiting lock call return (EINTR).
int lockAlarmSignal()
{
    return SIGRTMIN + 3;
}

void onLockAlarm(int)
{
}

void installLockAlarm()
{
    static std::once_flag once;
    std::call_once(once, [] {
        struct sigaction action = {};
        action.sa_handler = onLockAlarm;
        sigemptyset(&action.sa_mask);
        action.sa_flags = 0;
        sigaction(lockAlarmSignal(), &action, nullptr);
    });
}
#endif

// Ends one thread's blocking wait for the write lock once the deadline has passed: a watchdog thread
// interrupts the waiting call, and again every few milliseconds until the waiter says it is done, so
// an interruption that lands just before the call starts is not lost.
class LockWaitAlarm
{
public:
    explicit LockWaitAlarm(std::chrono::nanoseconds wait)
    {
        const auto until = std::chrono::steady_clock::now() + wait;
#ifdef Q_OS_WIN
        DuplicateHandle(GetCurrentProcess(), GetCurrentThread(), GetCurrentProcess(), &m_target, 0, FALSE,
                        DUPLICATE_SAME_ACCESS);
#else
        m_target = pthread_self();
#endif
        m_watchdog = std::thread([this, until] {
            std::unique_lock<std::mutex> lock(m_mutex);
            if (m_wake.wait_until(lock, until, [this] { return m_done; }))
                return;
            while (!m_done) {
                interrupt();
                m_wake.wait_for(lock, std::chrono::milliseconds(10), [this] { return m_done; });
            }
        });
    }
    ~LockWaitAlarm()
    {
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            m_done = true;
        }
        m_wake.notify_all();
        m_watchdog.join();
#ifdef Q_OS_WIN
        CloseHandle(m_target);
#endif
    }
    LockWaitAlarm(const LockWaitAlarm &) = delete;
    LockWaitAlarm &operator=(const LockWaitAlarm &) = delete;

private:
    void interrupt()
    {
#ifdef Q_OS_WIN
        CancelSynchronousIo(m_target);
#else
        pthread_kill(m_target, lockAlarmSignal());
#endif
    }

    std::mutex m_mutex;
    std::condition_variable m_wake;
    bool m_done = false;
#ifdef Q_OS_WIN
    HANDLE m_target = nullptr;
#else
    pthread_t m_target;
#endif
    std::thread m_watchdog;
};

// "5 secondi", "200 millisecondi": the wait limit as the messages name it.
QString waitText(int milliseconds)
{
    if (milliseconds >= 1000 && milliseconds % 1000 == 0)
        return milliseconds == 1000 ? QStringLiteral("1 secondo")
                                    : QStringLiteral("%1 secondi").arg(milliseconds / 1000);
    return QStringLiteral("%1 millisecondi").arg(milliseconds);
}

// What failed, as the error texts begin.
QString openFailed()
{
    return QStringLiteral("impossibile aprire l'archivio");
}

QString readFailed()
{
    return QStringLiteral("impossibile leggere l'archivio");
}

QString writeFailed()
{
    return QStringLiteral("impossibile scrivere nell'archivio");
}

QString flushFailed()
{
    return QStringLiteral("impossibile completare la scrittura sul disco");
}

QString rollbackFailed()
{
    return QStringLiteral("impossibile rimettere al suo posto il record salvato nel giornale di ripristino");
}

QString cutFailed()
{
    return QStringLiteral("impossibile togliere dall'archivio i record di un'aggiunta rimasta a metà");
}

QString outsideText(qint64 position, qint64 count)
{
    return count > 0
               ? QStringLiteral("la posizione %1 non esiste nell'archivio (record da 1 a %2)").arg(position).arg(count)
               : QStringLiteral("la posizione %1 non esiste: l'archivio è vuoto").arg(position);
}

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

bool RecordArchive::readRecordAt(const QString &fileName, int recordSize, qint64 position, QByteArray &record)
{
    RecordArchive archive;
    return archive.OpenForReading(fileName, recordSize) && archive.ReadAt(position, record);
}

RecordArchive::RecordArchive() = default;

RecordArchive::~RecordArchive()
{
    Close();
}

bool RecordArchive::fail(const QString &what)
{
    m_failed = true;
    // A read that found the file shorter than counted reports no error of its own.
    const QString reason = m_file.error() == QFileDevice::NoError ? QStringLiteral("file più corto del previsto")
                                                                  : SystemError::lastError(m_file);
    m_error = QStringLiteral("%1 (%2)").arg(what, reason);
    return false;
}

// A step of a write that the fault seam refused: reported as the system's refusal would be.
bool RecordArchive::refused(const QString &what)
{
    m_failed = true;
    m_error = QStringLiteral("%1 (%2)").arg(what, SystemError::refused());
    return false;
}

bool RecordArchive::notWritable()
{
    m_failed = true;
    if (m_error.isEmpty())
        m_error = QStringLiteral("l'archivio non è aperto per la scrittura");
    return false;
}

bool RecordArchive::OpenOrCreate(const QString &fileName, int recordSize)
{
    Close();
    m_recordSize = recordSize;
    m_file.setFileName(fileName);
    if (FaultInjection::fails(FaultInjection::Step::Open))
        return refused(openFailed());
    if (!m_file.open(QIODevice::ReadWrite | QIODevice::Unbuffered))
        return fail(openFailed());
    // A journal left by a writer that stopped in the middle of an overwrite is rolled back now when
    // no other writer holds the lock. A writer that holds it may be in the middle of its own
    // overwrite, with its own journal: that one is left alone, and a stale journal found then is
    // rolled back by the next write, which looks again under the lock.
    if (QFileInfo::exists(RollbackJournal::fileNameFor(fileName))) {
        if (tryLockForWriting()) {
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
        return fail(openFailed());
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
    m_reader.reset();
    m_ahead = nullptr;
}

qint64 RecordArchive::Count()
{
    if (m_missingReadOnly)
        return 0;
    if (!m_file.isOpen() || m_recordSize <= 0) {
        m_failed = true;
        if (m_error.isEmpty())
            m_error = QStringLiteral("l'archivio non è aperto");
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
        m_error = outsideText(position, count);
        return false;
    }
    if (!m_file.seek((position - 1) * m_recordSize))
        return fail(readFailed());
    QByteArray bytes(m_recordSize, Qt::Uninitialized);
    if (m_file.read(bytes.data(), m_recordSize) != m_recordSize)
        return fail(readFailed());
    record = bytes;
    m_current = position;
    return true;
}

// One lock call on one byte: without waiting, or (wait) waiting until the byte is free or the call is
// interrupted. False with *error set to the system's error number when the byte was not locked:
// EAGAIN (or EACCES) when another writer holds it, EINTR when the wait was interrupted.
bool RecordArchive::lockByte(qint64 offset, bool wait, int *error)
{
    *error = 0;
#ifdef Q_OS_WIN
    OVERLAPPED where = {};
    where.Offset = DWORD(offset & 0xFFFFFFFF);
    where.OffsetHigh = DWORD(offset >> 32);
    const DWORD flags = LOCKFILE_EXCLUSIVE_LOCK | (wait ? 0 : LOCKFILE_FAIL_IMMEDIATELY);
    if (LockFileEx(nativeHandle(m_file), flags, 0, 1, 0, &where))
        return true;
    switch (GetLastError()) {
    case ERROR_LOCK_VIOLATION:
    case ERROR_IO_PENDING: *error = EAGAIN; break;
    case ERROR_OPERATION_ABORTED: *error = EINTR; break;
    case ERROR_ACCESS_DENIED: *error = EBADF; break;
    default: *error = ENOLCK; break;
    }
    return false;
#else
    struct flock lock = {};
    lock.l_type = F_WRLCK;
    lock.l_whence = SEEK_SET;
    lock.l_start = offset;
    lock.l_len = 1;
    int result;
#  ifdef F_OFD_SETLK
    // Open-file-description locks also keep apart two opens within one process. A file system that
    // does not know them (EINVAL) gets the classic process locks.
    do {
        result = fcntl(m_file.handle(), wait ? F_OFD_SETLKW : F_OFD_SETLK, &lock);
    } while (result == -1 && errno == EINTR && !wait);
    if (result == 0)
        return true;
    if (errno != EINVAL) {
        *error = errno;
        return false;
    }
    lock.l_pid = 0;
#  endif
    do {
        result = fcntl(m_file.handle(), wait ? F_SETLKW : F_SETLK, &lock);
    } while (result == -1 && errno == EINTR && !wait);
    if (result == 0)
        return true;
    *error = errno;
    return false;
#endif
}

void RecordArchive::unlockByte(qint64 offset)
{
#ifdef Q_OS_WIN
    OVERLAPPED where = {};
    where.Offset = DWORD(offset & 0xFFFFFFFF);
    where.OffsetHigh = DWORD(offset >> 32);
    UnlockFileEx(nativeHandle(m_file), 0, 1, 0, &where);
#else
    struct flock lock = {};
    lock.l_type = F_UNLCK;
    lock.l_whence = SEEK_SET;
    lock.l_start = offset;
    lock.l_len = 1;
#  ifdef F_OFD_SETLK
    if (fcntl(m_file.handle(), F_OFD_SETLK, &lock) == 0)
        return;
    lock.l_pid = 0;
#  endif
    fcntl(m_file.handle(), F_SETLK, &lock);
#endif
}

// Locks one byte, waiting while another writer holds it until the deadline has passed. The wait is
// a blocking lock call, which the system ends as soon as the byte is let go; an alarm interrupts it
// at the deadline.
bool RecordArchive::lockByteBefore(qint64 offset, const QDeadlineTimer &deadline, int *error)
{
    if (lockByte(offset, false, error))
        return true;
    if (*error != EAGAIN && *error != EACCES)
        return false;
    if (deadline.hasExpired())
        return false;
#ifndef Q_OS_WIN
    installLockAlarm();
    sigset_t alarm, previous;
    sigemptyset(&alarm);
    sigaddset(&alarm, lockAlarmSignal());
    pthread_sigmask(SIG_UNBLOCK, &alarm, &previous);
#endif
    bool locked = false;
    {
        LockWaitAlarm alarmAtDeadline(deadline.remainingTimeAsDuration());
        for (;;) {
            locked = lockByte(offset, true, error);
            // Interrupted before the deadline (by some other signal): wait again.
            if (locked || *error != EINTR || deadline.hasExpired())
                break;
        }
    }
#ifndef Q_OS_WIN
    // An alarm sent just before the waiter was done is taken now, so that it cannot interrupt a
    // later call of this thread.
    pthread_sigmask(SIG_BLOCK, &alarm, nullptr);
    const timespec none = {0, 0};
    while (sigtimedwait(&alarm, nullptr, &none) > 0) {
    }
    pthread_sigmask(SIG_SETMASK, &previous, nullptr);
#endif
    if (!locked && *error == EINTR)
        *error = EAGAIN;  // the deadline passed while another writer held the byte
    return locked;
}

// Takes the write lock without waiting, for the journal check at opening: false when another writer
// holds it or is queued for it.
bool RecordArchive::tryLockForWriting()
{
    int error = 0;
    if (!lockByte(kWriteQueueOffset, false, &error))
        return false;
    const bool locked = lockByte(kWriteLockOffset, false, &error);
    unlockByte(kWriteQueueOffset);
    return locked;
}

// Takes the write lock, waiting at most lockWaitMs() while other writers hold it. Writers first
// queue on a second byte, the queue byte, and hold it only until they have the lock: a writer that
// has just let the lock go must queue behind the one that was waiting for it, and cannot take the
// lock again at once (the system wakes a waiting writer when the lock is let go, but does not keep
// the woken writer's turn). So every writer waits for at most the writers ahead of it, and
// none loses the race over and over, whatever the load of the machine.
bool RecordArchive::lockForWriting()
{
    const int waitMs = lockWaitMs();
    const QDeadlineTimer deadline(waitMs);
    int error = 0;
    bool locked = false;
    if (lockByteBefore(kWriteQueueOffset, deadline, &error)) {
        locked = lockByteBefore(kWriteLockOffset, deadline, &error);
        unlockByte(kWriteQueueOffset);
    }
    if (locked)
        return true;
    m_failed = true;
    if (error == EAGAIN || error == EACCES)
        m_error = QStringLiteral("un'altra postazione sta scrivendo nell'archivio da più di %1: riprovare tra poco")
                      .arg(waitText(waitMs));
    else
        m_error = QStringLiteral("impossibile bloccare l'archivio per scrivere (%1)").arg(SystemError::italian(error));
    return false;
}

void RecordArchive::unlockAfterWriting()
{
    unlockByte(kWriteLockOffset);
}

bool RecordArchive::writeRecordAt(qint64 offset, const QByteArray &record)
{
    if (record.size() != m_recordSize) {
        m_failed = true;
        m_error = QStringLiteral("record di %1 byte invece di %2").arg(record.size()).arg(m_recordSize);
        return false;
    }
    if (!m_file.seek(offset))
        return fail(writeFailed());
    if (FaultInjection::fails(FaultInjection::Step::Write))
        return refused(writeFailed());
    if (m_file.write(record) != m_recordSize)
        return fail(writeFailed());
    if (FaultInjection::fails(FaultInjection::Step::Flush))
        return refused(flushFailed());
    if (!syncFile())
        return fail(flushFailed());
    return true;
}

// Called with the write lock held. A valid journal means that a writer stopped after flushing it
// and before removing it, so the record it names may be torn: its old bytes are written back. A
// valid append mark means that an append of many records stopped before it was whole: the archive
// is cut back to the length noted. A torn or foreign journal is removed unapplied: the archive is
// only touched once the journal is whole on the disk. True when the archive is whole afterwards.
bool RecordArchive::recoverJournal()
{
    const QString journalName = RollbackJournal::fileNameFor(m_file.fileName());
    if (!QFileInfo::exists(journalName))
        return true;
    QFile journal(journalName);
    if (!journal.open(QIODevice::ReadOnly)) {
        m_failed = true;
        m_error =
            QStringLiteral("impossibile leggere il giornale di ripristino (%1)").arg(SystemError::lastError(journal));
        return false;
    }
    const QByteArray bytes =
        journal.read(RollbackJournal::kHeaderSize + m_recordSize + RollbackJournal::kTrailerSize + 1);
    journal.close();
    qint64 lengthBefore = 0;
    if (RollbackJournal::decodeAppendMark(bytes, m_recordSize, &lengthBefore)) {
        if (m_file.size() > lengthBefore) {
            if (FaultInjection::fails(FaultInjection::Step::Write))
                return refused(cutFailed());
            if (!m_file.resize(lengthBefore))
                return fail(cutFailed());
            if (FaultInjection::fails(FaultInjection::Step::Flush))
                return refused(cutFailed());
            if (!syncFile())
                return fail(cutFailed());
        }
        return retireJournal(true);
    }
    RollbackJournal::Entry entry;
    if (!RollbackJournal::decode(bytes, m_recordSize, &entry) || entry.offset + m_recordSize > m_file.size()) {
        QFile::remove(journalName);
        return true;
    }
    if (FaultInjection::fails(FaultInjection::Step::Write))
        return refused(rollbackFailed());
    if (!m_file.seek(entry.offset) || m_file.write(entry.oldRecord) != m_recordSize)
        return fail(rollbackFailed());
    if (FaultInjection::fails(FaultInjection::Step::Flush))
        return refused(rollbackFailed());
    if (!syncFile())
        return fail(rollbackFailed());
    return retireJournal(true);
}

// Writes a journal (the old bytes of a record, or an append mark) and puts it on the disk, folder
// entry included. On failure no journal is left and the archive has not been touched.
bool RecordArchive::writeJournal(const QByteArray &bytes)
{
    const QString journalName = RollbackJournal::fileNameFor(m_file.fileName());
    QFile journal(journalName);
    const auto failJournal = [&](bool byTheSeam) {
        m_failed = true;
        m_error = QStringLiteral("impossibile scrivere il giornale di ripristino (%1)")
                      .arg(byTheSeam ? SystemError::refused() : SystemError::lastError(journal));
        if (journal.isOpen())
            journal.close();
        QFile::remove(journalName);
        return false;
    };
    if (FaultInjection::fails(FaultInjection::Step::Open))
        return failJournal(true);
    if (!journal.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Unbuffered))
        return failJournal(false);
    if (FaultInjection::fails(FaultInjection::Step::Write))
        return failJournal(true);
    if (journal.write(bytes) != bytes.size())
        return failJournal(false);
    if (FaultInjection::fails(FaultInjection::Step::Flush))
        return failJournal(true);
    if (!RollbackJournal::syncToDisk(journal) || !RollbackJournal::syncFolder(QFileInfo(journalName).absolutePath()))
        return failJournal(false);
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
        m_error = QStringLiteral("impossibile eliminare il giornale di ripristino (%1)").arg(SystemError::refused());
        return false;
    }
    QFile journal(journalName);
    if (!journal.open(QIODevice::WriteOnly | QIODevice::Truncate) || !RollbackJournal::syncToDisk(journal)) {
        m_failed = true;
        m_error =
            QStringLiteral("impossibile eliminare il giornale di ripristino (%1)").arg(SystemError::lastError(journal));
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
    if (!m_file.isOpen() || !m_file.isWritable())
        return notWritable();
    if (record.size() != m_recordSize) {
        m_failed = true;
        m_error = QStringLiteral("record di %1 byte invece di %2").arg(record.size()).arg(m_recordSize);
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
            m_error = outsideText(position, count);
            return false;
        }
        const qint64 offset = (position - 1) * m_recordSize;
        QByteArray old(m_recordSize, Qt::Uninitialized);
        if (!m_file.seek(offset) || m_file.read(old.data(), m_recordSize) != m_recordSize)
            return fail(readFailed());
        if (m_overwriteCheck && !m_overwriteCheck(old)) {
            m_overwriteRefused = true;
            return false;
        }
        if (!writeJournal(RollbackJournal::encode(m_recordSize, position, old)))
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
        notWritable();
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

// All or nothing: the length before is noted in an append mark (flushed), the records go after the
// last one in large writes and are flushed, then the mark is retired. A failure on the way cuts the
// archive back to its length before; where even that fails, or the process dies, the mark stays and
// the next writer cuts. Other writers wait meanwhile, so nothing of theirs lies among the records cut.
qint64 RecordArchive::AppendAll(const QVector<QByteArray> &records)
{
    if (!m_file.isOpen() || !m_file.isWritable()) {
        notWritable();
        return -1;
    }
    for (const QByteArray &record : records) {
        if (record.size() != m_recordSize) {
            m_failed = true;
            m_error = QStringLiteral("record di %1 byte invece di %2").arg(record.size()).arg(m_recordSize);
            return -1;
        }
    }
    if (records.isEmpty())
        return Count() + 1;
    qsizetype next = 0;
    return AppendAll([&](QByteArray &record) {
        if (next == records.size())
            return Source::End;
        record = records.at(next++);
        return Source::Record;
    });
}

qint64 RecordArchive::AppendAll(const std::function<Source(QByteArray &record)> &next)
{
    if (!m_file.isOpen() || !m_file.isWritable()) {
        notWritable();
        return -1;
    }
    if (!lockForWriting())
        return -1;
    qint64 appended = 0;
    const qint64 count = [&]() -> qint64 {
        if (!recoverJournal())
            return -1;
        const qint64 before = Count();
        if (before < 0 || !writeJournal(RollbackJournal::encodeAppendMark(m_recordSize, before * m_recordSize)))
            return -1;
        const qint64 length = before * m_recordSize;
        const auto written = [&]() -> bool {
            if (!m_file.seek(length))
                return fail(writeFailed());
            const qsizetype perBlock = qMax<qsizetype>(1, qsizetype(kAppendBlockBytes / m_recordSize));
            QByteArray block;
            QByteArray record;
            bool end = false;
            while (!end) {
                block.clear();
                while (block.size() < perBlock * m_recordSize) {
                    const Source source = next(record);
                    if (source == Source::Failed) {
                        m_failed = true;
                        m_error = QStringLiteral("i record da aggiungere non si possono leggere");
                        return false;
                    }
                    if (source == Source::End) {
                        end = true;
                        break;
                    }
                    if (record.size() != m_recordSize) {
                        m_failed = true;
                        m_error = QStringLiteral("record di %1 byte invece di %2").arg(record.size()).arg(m_recordSize);
                        return false;
                    }
                    block += record;
                    ++appended;
                }
                if (block.isEmpty())
                    break;
                if (FaultInjection::fails(FaultInjection::Step::Write))
                    return refused(writeFailed());
                if (m_file.write(block) != block.size())
                    return fail(writeFailed());
            }
            if (appended == 0)
                return true;
            if (FaultInjection::fails(FaultInjection::Step::Flush))
                return refused(flushFailed());
            if (!syncFile())
                return fail(flushFailed());
            return true;
        }();
        if (written && retireJournal(appended > 0))
            return before;
        // Nothing of the append may stay: cut back now, or leave the mark for the next writer.
        if (m_file.resize(length) && syncFile())
            retireJournal(false);
        return -1;
    }();
    unlockAfterWriting();
    if (count < 0)
        return -1;
    m_current = count + appended;
    return count + 1;
}

// Runs work on the archive as a backup copy needs it: under the write lock after recovery when the
// archive is open for writing (locked = true), as it is when it is open for reading only.
bool RecordArchive::forCopy(const std::function<bool(bool locked)> &work)
{
    if (!m_file.isOpen()) {
        m_failed = true;
        m_error = QStringLiteral("l'archivio non è aperto");
        return false;
    }
    if (!m_file.isWritable())
        return work(false);
    if (!lockForWriting())
        return false;
    const bool ok = recoverJournal() && work(true);
    unlockAfterWriting();
    return ok;
}

qint64 RecordArchive::LengthForCopy()
{
    qint64 length = -1;
    const bool ok = forCopy([&](bool locked) {
        length = m_file.size();
        qint64 lengthBefore = 0;
        if (!locked && RollbackJournal::decodeAppendMark(journalBytes(), m_recordSize, &lengthBefore))
            length = qMin(length, lengthBefore);
        return true;
    });
    return ok ? length : -1;
}

bool RecordArchive::ReadForCopy(qint64 offset, char *data, qint64 length)
{
    return forCopy([&](bool locked) {
        if (!m_file.seek(offset))
            return fail(readFailed());
        const qint64 got = m_file.read(data, length);
        if (got != length) {
            if (got >= 0) {
                m_failed = true;
                m_error = QStringLiteral("%1 (l'archivio si è accorciato durante la copia)").arg(readFailed());
                return false;
            }
            return fail(readFailed());
        }
        RollbackJournal::Entry entry;
        if (!locked && RollbackJournal::decode(journalBytes(), m_recordSize, &entry)
            && entry.offset + m_recordSize <= m_file.size()) {
            // The old record where it overlaps the bytes read.
            const qint64 from = qMax(offset, entry.offset);
            const qint64 to = qMin(offset + length, entry.offset + m_recordSize);
            if (from < to)
                memcpy(data + (from - offset), entry.oldRecord.constData() + (from - entry.offset), size_t(to - from));
        }
        return true;
    });
}

// The journal beside the archive as far as either kind can be long, or nothing.
QByteArray RecordArchive::journalBytes() const
{
    QFile journal(RollbackJournal::fileNameFor(m_file.fileName()));
    if (!journal.open(QIODevice::ReadOnly))
        return QByteArray();
    return journal.read(RollbackJournal::kHeaderSize + m_recordSize + RollbackJournal::kTrailerSize + 1);
}

// The next record of the sequential reading, without handing it out: the one AtEnd looked at, or the
// reader's next; nullptr at the end or on a failure. The reader opens the file by its name and takes
// the number of whole records at its first read.
const char *RecordArchive::nextRecord()
{
    if (m_ahead)
        return m_ahead;
    if (m_missingReadOnly || m_failed)
        return nullptr;
    if (!m_reader) {
        if (Count() < 0)
            return nullptr;
        m_reader = std::make_unique<RecordReader>();
        if (!m_reader->open(m_file.fileName(), m_recordSize)) {
            m_failed = true;
            m_error = openFailed();
            return nullptr;
        }
        m_reader->needWhole();
    }
    m_ahead = m_reader->next();
    if (!m_ahead && m_reader->failed()) {
        m_failed = true;
        m_error = readFailed();
    }
    return m_ahead;
}

bool RecordArchive::ReadNext(QByteArray &record)
{
    const char *data = nextRecord();
    if (!data)
        return false;
    record = QByteArray(data, m_recordSize);
    m_current = m_reader->position();
    m_ahead = nullptr;
    return true;
}

bool RecordArchive::AtEnd()
{
    return nextRecord() == nullptr;
}
