#pragma once

#include <QByteArray>
#include <QDeadlineTimer>
#include <QFile>
#include <QString>
#include <QVector>

#include <functional>
#include <memory>

class RecordReader;

// A record archive: a file of fixed-size records without header, addressed by 1-based position.
// A command opens it, works on whole records and closes it again; nothing stays open between
// commands. A trailing fragment shorter than one record is not a record: it is never read and the
// next append writes over it.
//
// Several workstations may share the file over a network folder. Readers never lock. Append and
// WriteAt take an exclusive lock (on a byte far beyond any data, so that readers are never blocked,
// not even where locks are mandatory) for the count-and-write, and flush the data to the disk before
// they report success: two writers appending at once get two records. A writer that finds the lock
// taken waits for it in the system's queue of waiting writers (a blocking lock call, not polling), so
// writers are served in about the order they asked and none loses the race over and over; the wait
// ends after a few seconds: a workstation that crashed while holding the lock (on a share that keeps
// it for a while) makes the write fail, and the command reports it, instead of freezing the window.
// ErrorString() words every failure in Italian, with the system's cause where there is one.
//
// An overwrite in place keeps the old record in a rollback journal beside the archive until the new
// one is on the disk (see RollbackJournal.h): a crash or power loss half-way leaves the old record
// or the new one, never a mix. Only writers, holding the lock, roll a journal back: a reader may be
// looking at the journal of a writer on another workstation that is in the middle of its overwrite.
// An append of one record needs no journal: a torn append is a trailing fragment, which is no
// record. An append of many (AppendAll) notes the archive's length in the journal file first, so
// that it lands whole or not at all.
class RecordArchive
{
public:
    // The byte that writers lock: far beyond any archive's data, so the lock never covers a record
    // that a reader wants, but the same byte for every writer of the file.
    static constexpr qint64 kWriteLockOffset = Q_INT64_C(0x4000000000000000);
    // The byte on which writers queue for the write lock (see lockForWriting).
    static constexpr qint64 kWriteQueueOffset = kWriteLockOffset + 1;

    // How long Append and WriteAt wait for the write lock before they fail. Process-wide; tests
    // shorten it.
    static constexpr int kDefaultLockWaitMs = 5000;
    static void setLockWaitMs(int milliseconds);
    static int lockWaitMs();

    // Opens the file for reading, reads the whole record at a 1-based position into record and closes
    // the file again: a window showing one record, a dialog taking over the record chosen in a list.
    // False when it cannot be read there (a missing file has no records).
    static bool readRecordAt(const QString &fileName, int recordSize, qint64 position, QByteArray &record);

    RecordArchive();
    ~RecordArchive();
    RecordArchive(const RecordArchive &) = delete;
    RecordArchive &operator=(const RecordArchive &) = delete;

    // Opens the file for reading and writing, creating it empty when it does not exist.
    bool OpenOrCreate(const QString &fileName, int recordSize);
    // Opens an existing file for reading only (searches and lists); a missing file reads as empty.
    bool OpenForReading(const QString &fileName, int recordSize);
    void Close();

    // The number of whole records, or -1 when the size cannot be read.
    qint64 Count();

    // Reads the whole record at a 1-based position into record (resized to the record size).
    bool ReadAt(qint64 position, QByteArray &record);
    // Overwrites the whole record at a 1-based position (1 .. Count).
    bool WriteAt(qint64 position, const QByteArray &record);
    // Overwrites the record at a position only while the record stored there is the one the caller
    // expects (a window saving a record that another workstation may have saved since it was shown):
    // isExpected receives the stored record under the write lock, after any journal was rolled back,
    // so no other writer can change it between the look and the write. Changed: nothing was written,
    // and *stored holds the record as it is now.
    enum class Overwrite { Written, Changed, Failed };
    Overwrite WriteAtIf(qint64 position, const QByteArray &record,
                        const std::function<bool(const QByteArray &stored)> &isExpected, QByteArray *stored);
    // Writes the record after the last one; returns its new position (former count + 1), or -1.
    qint64 Append(const QByteArray &record);
    // The same, with the record made under the write lock from the number of records stored then:
    // a record that depends on what other workstations stored (a sheet's number) is decided where
    // no other writer can slip in between. makeRecord may read the archive; it must not write it,
    // and it must be quick (other writers wait).
    qint64 Append(const std::function<QByteArray(qint64 count)> &makeRecord);
    // Appends many records at once, all or nothing (an import): returns the position of the first,
    // or -1 with the archive as it was. A crash half-way leaves an append mark beside the archive
    // (see RollbackJournal.h), from which the next writer cuts what was written. The records are
    // written under one hold of the write lock, so other writers wait for the whole append. A
    // trailing fragment is written over, as by Append, and is not put back by a failed append.
    qint64 AppendAll(const QVector<QByteArray> &records);
    // The same, with the records handed over one at a time while they are written, so that an
    // import of any size never holds more than one block in memory: next() puts the next record
    // into its argument and says Record, or says End after the last one, or Failed to give up (the
    // source could not give its next record): then nothing of the append stays. An empty source
    // appends nothing and returns the former count + 1.
    enum class Source { Record, End, Failed };
    qint64 AppendAll(const std::function<Source(QByteArray &record)> &next);

    // For a backup copy: the archive's length in bytes, and its bytes from an offset, each taken
    // while holding the write lock after what a stopped writer left has been put right (a journal
    // rolled back, a stopped import cut), so every record read is whole, as its last writer left it.
    // The lock is held for one call only, so a copy read in blocks keeps other writers waiting no
    // longer than one block. An archive opened for reading only (a read-only folder) can be neither
    // locked nor put right; a valid journal beside it is applied to the bytes read instead, and an
    // append mark shortens the length. ReadForCopy reads exactly length bytes or fails.
    qint64 LengthForCopy();
    bool ReadForCopy(qint64 offset, char *data, qint64 length);

    // Sequential reading from record 1 to the last whole record there was when the reading began, one
    // record per call. The records are read by a RecordReader, the program's one sequential reader,
    // which the scans and exports use directly (it reads only the fields they need and hands out
    // pointers instead of copies). ReadNext returns false at the end or on a failure (Failed() then
    // tells which); AtEnd is true once the last record was read.
    bool ReadNext(QByteArray &record);
    bool AtEnd();
    // The 1-based position of the record last read (by ReadAt or sequentially).
    qint64 CurrentPosition() const { return m_current; }

    bool Failed() const { return m_failed; }
    QString ErrorString() const { return m_error; }

private:
    bool fail(const QString &what);
    bool refused(const QString &what);
    bool notWritable();
    bool lockByte(qint64 offset, bool wait, int *error);
    void unlockByte(qint64 offset);
    bool lockByteBefore(qint64 offset, const QDeadlineTimer &deadline, int *error);
    bool tryLockForWriting();
    bool lockForWriting();
    void unlockAfterWriting();
    bool writeRecordAt(qint64 offset, const QByteArray &record);
    bool restoreRecordAt(qint64 offset, const QByteArray &old);
    bool syncFile();
    bool recoverJournal();
    bool writeJournal(const QByteArray &bytes);
    bool retireJournal(bool throughSeam);
    const char *nextRecord();
    bool forCopy(const std::function<bool(bool locked)> &work);
    QByteArray journalBytes() const;

    QFile m_file;
    int m_recordSize = 0;
    bool m_missingReadOnly = false;
    bool m_failed = false;
    QString m_error;
    qint64 m_current = 0;

    // While WriteAtIf runs: the look at the stored record, and whether it refused the write.
    std::function<bool(const QByteArray &stored)> m_overwriteCheck;
    bool m_overwriteRefused = false;

    // Sequential reading: the reader, made at the first ReadNext or AtEnd, and the record that AtEnd
    // looked at and ReadNext has not handed out yet.
    std::unique_ptr<RecordReader> m_reader;
    const char *m_ahead = nullptr;
};

// The message every command shows when it cannot access an archive.
QString archiveAccessMessage();
