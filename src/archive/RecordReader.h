#pragma once

#include "archive/RecordLayout.h"

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QVector>

#include <array>
#include <functional>
#include <memory>

// Reads an archive's records one after the other, from the first to the last, for the scans (searches
// and lists), touching only the bytes of the fields the scan reads.
//
// The records are fetched a batch at a time in one of four ways (Mode):
//   Map    the archive mapped read-only in windows of whole records, each record handed out as a
//          pointer into the mapping: no copy, but a page fault for every page first touched;
//   Whole  whole records read in blocks, as plain sequential reading does: one system call per block,
//          every byte copied;
//   Span   one positioned read per record of the bytes its fields need (of the fields read of every
//          record; those of the records kept are read afterwards, in a second batch);
//   Ring   the same positioned reads, a batch of them handed to the system at once through io_uring
//          (Linux, built with Debian's liburing): one system call per batch.
// Whole, Span and Ring can also split the reads of each batch between the scan's thread and a second
// one, so that a second core does half the system's work (the batch is handed out once both halves
// are in); they are candidates where a second core is free. Which way is fastest depends on the machine (a page fault costs 0.5 µs on one and 6 µs or
// more in a virtual machine), on whether a second core is free, on the archive (the bytes skipped per
// record) and on the page cache: choose() decides, in one place, from what the first batches of the
// same scan measured (see there). Every way lists the same records: the number of whole records is
// taken when the scan starts (a trailing fragment is not a record), and a file that has become
// shorter than that, or a read error, ends the scan with failed(). Archives on a network file system
// are never mapped (MappedGuard::onNetworkFileSystem), and a mapping is guarded (MappedGuard): a file
// that shrinks or fails under a mapped window ends the scan with failed(), never with a crash.
//
// Two ways to walk the records:
//   next()        one record at a time, with every field declared by need() or needEach() valid;
//   nextBatch()   a batch at a time with only the fields declared by needEach() valid (the scan's
//                 criteria); the scan marks with keep() the records it lists, and readKept() then makes
//                 their other declared fields valid, in one batch of reads for the ways that read spans.
// A reader uses one of the two.
class RecordReader
{
public:
    // The ways of reading (above). Auto lets choose() decide; the others force one way for every scan
    // of the process (tests, the benchmark's second table). Ring where io_uring cannot be used reads
    // as Span; Map where a window cannot be mapped reads as Whole.
    enum class Mode { Auto, Map, Whole, Span, Ring };
    static void setMode(Mode mode);
    static Mode mode();
    static const char *modeName(Mode mode);
    // The threads that Whole, Span and Ring read with: 0 (the default) lets choose() measure one and
    // two, 1 or 2 force them (tests, the benchmark's second table). Process-wide.
    static void setThreads(int threads);
    static int threads();
    // True when this program was built with io_uring and the system lets it set up a ring (asked once:
    // a kernel without it, a seccomp filter or kernel.io_uring_disabled say no).
    static bool ringAvailable();

    // The bytes of one mapped window (at least one whole record); the span reads of one batch stay
    // within a window too. Process-wide; tests make it small.
    static constexpr qint64 kDefaultMapWindowBytes = 32 * 1024 * 1024;
    static void setMapWindowBytes(qint64 bytes);
    static qint64 mapWindowBytes();
    // The bytes of one block of whole records (at least one record): small enough that the block
    // stays in the processor's cache between the copy and the scan. Process-wide; tests make it small.
    static constexpr qint64 kDefaultBlockBytes = 256 * 1024;
    static void setBlockBytes(qint64 bytes);
    static qint64 blockBytes();
    // Span reads handed to the system at once by Ring (by each thread).
    static constexpr int kRingDepth = 256;
    // What choose() measures: each candidate reads kSampleRounds batches, in turn, at the start of the
    // scan (the scan's own records; a Map sample is a window of kSampleRecords records).
    static constexpr int kSampleRecords = 64;
    static constexpr int kSampleRounds = 3;

    // Called before each window or block is fetched, with the 1-based position of its first record.
    // Tests use it to change the file in the middle of a scan. Not thread-safe to change during scans.
    using FetchHook = std::function<void(qint64 firstPosition)>;
    static void setFetchHook(FetchHook hook);

    // How the last scan of the process read most of its records ("ring", "whole", "ring x2" ...), and
    // what its measures were, in microseconds per record (the benchmark prints them). Not meaningful
    // while scans run on several threads.
    static QString lastWay();
    static QString lastMeasures();
    // The system calls readers made that the system does not count as reads (/proc/self/io): ring
    // set-ups and submissions, maps and unmaps. Process-wide, since the start.
    static qint64 otherSystemCalls();

    // How a scan reads, decided in one place: choose(). A way and its threads.
    struct Choice
    {
        Mode way = Mode::Whole;
        bool split = false;    // the reads of each batch on two threads
        bool measure = false;  // the batch is a timed sample of the way
    };
    // What a candidate measured: samples taken and the least nanoseconds per record among them.
    struct Measure
    {
        int samples = 0;
        double nsPerRecord = 0;
    };
    static constexpr int kSlots = 10;
    static int slot(Mode way, bool split) { return int(way) * 2 + (split ? 1 : 0); }
    static QString wayName(Mode way, bool split);
    struct Situation
    {
        Mode forced = Mode::Auto;                // mode()
        int forcedThreads = 0;                   // threads()
        bool freeCore = false;                   // a second core is free: the machine has two or more and the
                                                 // load average leaves one
        bool mapAllowed = true;                  // false once a window of this file could not be mapped
        bool ringAllowed = false;                // an io_uring ring is set up for this reader
        bool spansSkip = false;                  // the fields read of every record leave some of its bytes unread
        std::array<Measure, kSlots> measured{};  // by slot()
    };
    static Choice choose(const Situation &situation);

    RecordReader();
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
    // a few only (the list line of a kept record): nextBatch() reads these of every record.
    void needEach(const RecordFormat &format, int field);
    // Declares that the scan reads the whole record.
    void needWhole();

    // The next record's bytes (the declared fields are valid; the rest may not be the record's),
    // valid until the next call; nullptr at the end or on a failure.
    const char *next();
    // The 1-based position of the record last handed out by next().
    qint64 position() const { return m_current; }

    // The next batch of records: their count, 0 at the end or on a failure. Their needEach() fields
    // are valid (every declared field when none was declared with needEach()) until the next call.
    qint64 nextBatch();
    // Record i (0 .. count - 1) of the batch, and its 1-based position in the archive.
    const char *record(qint64 i) const;
    qint64 positionOf(qint64 i) const { return m_first + i; }
    // Marks record i of the batch (in order) as one whose other declared fields the scan reads too.
    void keep(qint64 i) { m_kept.append(i); }
    // Makes every declared field of the records marked valid; false when they could not be read
    // (failed()). Then the k-th record marked (k from 0 .. keptCount() - 1), with all its declared
    // fields, and its 1-based position.
    bool readKept();
    qint64 keptCount() const { return m_kept.size(); }
    const char *keptRecord(qint64 k) const;
    qint64 keptPosition(qint64 k) const { return m_first + m_kept.at(k); }

    bool failed() const { return m_failed; }
    // Why the scan failed, in Italian, for the messages the user reads.
    QString errorString() const { return m_error; }
    // True when the records handed out so far came from a mapping (tests).
    bool usedMapping() const { return m_usedMapping; }
    // The way the last batch was read, and whether on two threads.
    Mode way() const { return m_way; }
    bool split() const { return m_split; }

    struct Piece
    {
        qint64 offset;  // in the file
        char *into;
        qint64 bytes;
    };
    struct Range
    {
        int begin;
        int end;
    };

private:
    struct Ring;
    class Helper;

    bool fail(const QString &why);
    bool fetch(bool each);
    void endSample();
    bool mapWindow(qint64 records);
    bool mappedRecordReadable(const char *record);
    bool mappedBatchReadable(const QVector<Range> &ranges, const QVector<qint64> *records);
    bool readBlock(qint64 records);
    bool readSpans(qint64 records);
    bool readPieces(const Piece *pieces, qint64 count);
    static std::unique_ptr<Ring> makeRing(int file);
    static bool readPiecesWith(Ring *ring, int file, const Piece *pieces, qint64 count, QString *error);
    bool readAt(qint64 offset, char *into, qint64 bytes);
    void touch(qint64 index, const QVector<Range> &ranges);
    void release();
    void addRange(QVector<Range> &ranges, const RecordFormat &format, int field) const;
    static QVector<Range> merged(QVector<Range> ranges);

    QFile m_file;
    int m_recordSize = 0;
    bool m_missing = false;
    bool m_failed = false;
    QString m_error;
    int m_spanBegin = 0;  // the needed bytes of each record: [m_spanBegin, m_spanEnd)
    int m_spanEnd = 0;
    QVector<Range> m_needRanges;  // the fields declared, then (at the first fetch) merged
    QVector<Range> m_eachRanges;  // those declared with needEach()
    QVector<Range> m_keptRanges;  // the need ranges that the each ranges leave out
    bool m_whole = false;         // needWhole()
    int m_aheadOffset = -1;       // the byte of each record asked for ahead; -1: m_spanBegin
    bool m_usedMapping = false;
    Situation m_situation;
    Mode m_way = Mode::Whole;
    bool m_split = false;
    bool m_sampling = false;                   // the batch being read is a timed sample
    qint64 m_sampleNs = 0;                     // its time so far
    std::array<qint64, kSlots> m_recordsBy{};  // records read each way, by slot()
    bool m_eachFetched = false;                // the batch holds only the needEach() bytes

    qint64 m_scanCount = -1;    // whole records when the scan began
    qint64 m_nextPosition = 1;  // the next record to hand out
    qint64 m_current = 0;
    qint64 m_first = 0;  // 1-based position of the first record of the window or block
    qint64 m_count = 0;  // records in the window or block
    const char *m_base = nullptr;
    qint64 m_stride = 0;  // bytes from one record of the batch to the next at m_base
    uchar *m_mapped = nullptr;
    int m_guardSlot = -1;  // the mapping's slot in MappedGuard
    QByteArray m_buffer;
    QByteArray m_keptBuffer;  // the records kept, whole-record apart, when the batch holds the
                              // needEach() bytes only
    QVector<qint64> m_kept;
    QVector<Piece> m_pieces;
    std::unique_ptr<Ring> m_ring;
    std::unique_ptr<Helper> m_helper;
};
