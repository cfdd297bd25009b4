#pragma once

#include "archive/RecordLayout.h"

#include <QByteArray>
#include <QFile>
#include <QString>

#include <functional>

// Reads an archive's records one after the other, from the first to the last, for the scans (searches
// and lists), touching only the bytes of the fields the scan reads.
//
// The archive is memory-mapped read-only in windows of whole records and each record is handed out
// as a pointer into the mapping, without copying: a scan that reads a few fields near the start of a
// big record makes the system page in only those pages, and a window is unmapped as soon as the scan
// leaves it, so memory stays flat. Where mapping is not possible (some network folders) the records
// are read into a block buffer: each record's needed byte span (from the lowest to the highest byte
// of the fields declared with need()) with a positioned read at the record's place in the block, the
// other bytes of the buffer then not being the record's, when that skips enough to be worth a read
// per record (see Mode), whole blocks otherwise. Archives on a network file system are always read
// (MappedGuard::onNetworkFileSystem), and a mapping is guarded (MappedGuard): a file that shrinks or
// fails under a mapped window ends the scan with Failed(), never with a crash. Both ways list the same records: the number of whole records
// is taken when the scan starts (a trailing fragment is not a record), and a file that has become
// shorter than that, or a read error, ends the scan with Failed().
class RecordReader
{
public:
    // How the records are fetched. Map (the default) falls back to reading when a window cannot be
    // mapped: the needed span of each record where the records skip at least kMinSkippedBytes
    // outside it, whole blocks otherwise. Span forces the positioned reads of the needed bytes;
    // Whole reads whole records in blocks, as plain sequential reading does. Process-wide; tests
    // switch it.
    enum class Mode { Map, Span, Whole };
    static void setMode(Mode mode);
    static constexpr qint64 kMinSkippedBytes = 4096;
    static Mode mode();

    // The bytes of one mapped window (at least one whole record). Process-wide; tests make it small.
    static constexpr qint64 kDefaultMapWindowBytes = 32 * 1024 * 1024;
    static void setMapWindowBytes(qint64 bytes);
    static qint64 mapWindowBytes();

    // Called before each window or block is fetched, with the 1-based position of its first record.
    // Tests use it to change the file in the middle of a scan. Not thread-safe to change during scans.
    using FetchHook = std::function<void(qint64 firstPosition)>;
    static void setFetchHook(FetchHook hook);

    RecordReader() = default;
    ~RecordReader();
    RecordReader(const RecordReader &) = delete;
    RecordReader &operator=(const RecordReader &) = delete;

    // Opens the file for reading; a missing file reads as empty. The span needed starts empty: with
    // no field declared the whole record is read.
    bool open(const QString &fileName, int recordSize);
    void close();

    // Declares a field that the scan reads (bytes offset .. offset + capacity of the format).
    void need(const RecordFormat &format, int field);
    // Declares a field that the scan reads of every record (its criteria), where need() may be read of
    // a few only (the list line of a kept record): the reader asks the processor for this field of
    // the records ahead, rather than for the first needed byte.
    void needEach(const RecordFormat &format, int field);
    // Declares that the scan reads the whole record.
    void needWhole();

    // The next record's bytes (the declared fields are valid; with Span the rest is not the record's),
    // valid until the next call; nullptr at the end or on a failure.
    const char *next();
    // The 1-based position of the record last handed out.
    qint64 position() const { return m_current; }

    bool failed() const { return m_failed; }
    QString errorString() const { return m_error; }
    // True when the records handed out so far came from a mapping (tests).
    bool usedMapping() const { return m_usedMapping; }

private:
    bool fail(const QString &what, const QString &why);
    bool fetch();
    bool mapWindow(qint64 records);
    bool mappedRecordReadable(const char *record);
    bool readBlock(qint64 records);
    bool readAt(qint64 offset, char *into, qint64 bytes);
    void release();

    QFile m_file;
    int m_recordSize = 0;
    bool m_missing = false;
    bool m_failed = false;
    QString m_error;
    int m_spanBegin = 0;  // the needed bytes of each record: [m_spanBegin, m_spanEnd)
    int m_spanEnd = 0;
    int m_aheadOffset = -1;  // the byte of each record asked for ahead; -1: m_spanBegin
    bool m_mapFailed = false;
    bool m_usedMapping = false;

    qint64 m_scanCount = -1;    // whole records when the scan began
    qint64 m_nextPosition = 1;  // the next record to hand out
    qint64 m_current = 0;
    qint64 m_first = 0;         // 1-based position of the first record of the window or block
    qint64 m_count = 0;         // records in the window or block
    const char *m_base = nullptr;
    uchar *m_mapped = nullptr;
    int m_guardSlot = -1;  // the mapping's slot in MappedGuard
    QByteArray m_buffer;
};
