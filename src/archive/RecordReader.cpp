#include "archive/RecordReader.h"

#include "archive/MappedGuard.h"
#include "common/SystemError.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <QMutex>
#include <QVarLengthArray>

#include <QThread>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <thread>

#ifndef Q_OS_WIN
#  include <cerrno>
#  include <cstdlib>
#  include <cstring>
#  include <unistd.h>
#endif
#ifdef CABLORA_HAS_LIBURING
#  include <liburing.h>
#endif

namespace {

// The reason a read ends when the archive became shorter than it was when the scan began.
QString shortenedMessage()
{
    return QStringLiteral("il file si è accorciato mentre veniva letto");
}

std::atomic<int> g_mode{int(RecordReader::Mode::Auto)};
std::atomic<qint64> g_mapWindowBytes{RecordReader::kDefaultMapWindowBytes};
std::atomic<qint64> g_blockBytes{RecordReader::kDefaultBlockBytes};
std::atomic<qint64> g_otherSystemCalls{0};
std::atomic<int> g_threads{0};

QMutex &lastMeasuresLock()
{
    static QMutex lock;
    return lock;
}

QString &lastMeasuresText()
{
    static QString text;
    return text;
}

QString &lastWayText()
{
    static QString text;
    return text;
}

RecordReader::FetchHook &fetchHook()
{
    static RecordReader::FetchHook hook;
    return hook;
}

inline void prefetch(const char *address)
{
#if defined(__GNUC__) || defined(__clang__)
    __builtin_prefetch(address);
#else
    Q_UNUSED(address);
#endif
}

constexpr quintptr kPageBytes = 4096;

}  // namespace

#ifdef CABLORA_HAS_LIBURING
struct RecordReader::Ring
{
    io_uring ring{};
    bool fixedFile = false;  // the archive is registered with the ring as file 0
    ~Ring() { io_uring_queue_exit(&ring); }
};
#else
struct RecordReader::Ring
{
};
#endif

#ifndef Q_OS_WIN
// The second thread of the reads: reads the pieces it is handed, with a ring of its own (a ring
// serves the thread that set it up) or one by one, while the scan's thread reads the other half.
// Between two batches each thread waits for the other spinning a short while before it sleeps: a
// scan hands over a batch every few dozen microseconds, and waking a sleeping thread costs as much
// on a virtual machine.
class RecordReader::Helper
{
public:
    explicit Helper(int file) : m_file(file), m_thread([this] { run(); }) {}
    ~Helper()
    {
        m_state.store(kStop, std::memory_order_release);
        m_state.notify_all();
        m_thread.join();
    }
    void start(const Piece *pieces, qint64 count, bool ring)
    {
        m_pieces = pieces;
        m_count = count;
        m_useRing = ring;
        m_state.store(kWork, std::memory_order_release);
        m_state.notify_all();
    }
    bool finish(QString *error)
    {
        awaitOneOf(kDone, kDone);
        *error = m_error;
        const bool ok = m_ok;
        m_state.store(kIdle, std::memory_order_release);
        return ok;
    }

private:
    enum : int { kIdle, kWork, kDone, kStop };

    // Waits until the state is a or b.
    int awaitOneOf(int a, int b)
    {
        const auto until = std::chrono::steady_clock::now() + std::chrono::microseconds(50);
        for (int spins = 0;; ++spins) {
            const int state = m_state.load(std::memory_order_acquire);
            if (state == a || state == b)
                return state;
            if (spins < 64 || std::chrono::steady_clock::now() < until) {
#  if defined(__x86_64__) || defined(__i386__)
                __builtin_ia32_pause();
#  endif
                continue;
            }
            m_state.wait(state, std::memory_order_acquire);
        }
    }

    void run()
    {
        std::unique_ptr<Ring> ring;
        bool triedRing = false;
        while (awaitOneOf(kWork, kStop) == kWork) {
            if (m_useRing && !triedRing) {
                triedRing = true;
                ring = makeRing(m_file);
            }
            QString error;
            m_ok = readPiecesWith(m_useRing ? ring.get() : nullptr, m_file, m_pieces, m_count, &error);
            m_error = error;
            m_state.store(kDone, std::memory_order_release);
            m_state.notify_all();
        }
    }

    const int m_file;
    std::atomic<int> m_state{kIdle};
    const Piece *m_pieces = nullptr;
    qint64 m_count = 0;
    bool m_useRing = false;
    bool m_ok = true;
    QString m_error;
    std::thread m_thread;  // last: started once the rest is set
};
#else
class RecordReader::Helper
{
};
#endif

void RecordReader::setMode(Mode mode)
{
    g_mode = int(mode);
}

RecordReader::Mode RecordReader::mode()
{
    return Mode(g_mode.load());
}

const char *RecordReader::modeName(Mode mode)
{
    switch (mode) {
    case Mode::Auto: return "auto";
    case Mode::Map: return "map";
    case Mode::Whole: return "whole";
    case Mode::Span: return "span";
    case Mode::Ring: return "ring";
    }
    return "?";
}

bool RecordReader::ringAvailable()
{
#ifdef CABLORA_HAS_LIBURING
    static const bool available = [] {
        io_uring ring;
        g_otherSystemCalls += 1;
        if (io_uring_queue_init(2, &ring, 0) < 0)
            return false;
        io_uring_queue_exit(&ring);
        return true;
    }();
    return available;
#else
    return false;
#endif
}

QString RecordReader::wayName(Mode way, bool split)
{
    return QLatin1String(modeName(way)) + (split ? QStringLiteral("x2") : QString());
}

void RecordReader::setThreads(int threads)
{
    g_threads = qBound(0, threads, 2);
}

int RecordReader::threads()
{
    return g_threads;
}

void RecordReader::setMapWindowBytes(qint64 bytes)
{
    g_mapWindowBytes = qMax<qint64>(1, bytes);
}

qint64 RecordReader::mapWindowBytes()
{
    return g_mapWindowBytes;
}

void RecordReader::setBlockBytes(qint64 bytes)
{
    g_blockBytes = qMax<qint64>(1, bytes);
}

qint64 RecordReader::blockBytes()
{
    return g_blockBytes;
}

void RecordReader::setFetchHook(FetchHook hook)
{
    fetchHook() = std::move(hook);
}

QString RecordReader::lastWay()
{
    QMutexLocker locker(&lastMeasuresLock());
    return lastWayText();
}

QString RecordReader::lastMeasures()
{
    QMutexLocker locker(&lastMeasuresLock());
    return lastMeasuresText();
}

qint64 RecordReader::otherSystemCalls()
{
    return g_otherSystemCalls;
}

// How a scan reads: the one place where it is decided.
//  1. The candidates are the ways that this system and this file allow: whole blocks always; the
//     mapping unless a window of the file could not be mapped; when the fields read of every record
//     leave some of its bytes unread, the batched span reads where io_uring is set up, else the
//     one-by-one span reads (where the ring is there they would read the same bytes with more system
//     calls). Each way but the mapping on one thread and, where a second core is free (the load
//     average leaves one), on two.
//     A forced mode (and forced threads) leaves only itself (Ring without a ring reads as Span, Map
//     where mapping failed as Whole).
//     A rule about where the file lies (a network folder, say) belongs here, as a candidate dropped.
//  2. While a candidate has been measured fewer than kSampleRounds times, the next batch measures the
//     one measured least (in turn, so that a passing load spreads over all of them); one that took
//     more than twice the best after two samples is measured no more.
//  3. Then the fastest measured per record reads the rest of the scan.
// Nothing in it holds for one machine only: a page fault, a system call, a copied byte and a second
// core cost what they cost where the scan runs, and the page cache is as the scan finds it.
RecordReader::Choice RecordReader::choose(const Situation &situation)
{
    QVarLengthArray<Choice, 8> candidates;
    const auto add = [&](Mode way) {
        const bool canSplit = way != Mode::Map && (situation.freeCore || situation.forcedThreads == 2);
        if (situation.forcedThreads != 2 || !canSplit)
            candidates.append({way, false, false});
        if (canSplit && situation.forcedThreads != 1)
            candidates.append({way, true, false});
    };
    Mode forced = situation.forced;
    if (forced == Mode::Ring && !situation.ringAllowed)
        forced = Mode::Span;
    if (forced == Mode::Map && !situation.mapAllowed)
        forced = Mode::Whole;
    if (forced != Mode::Auto) {
        add(forced);
    } else {
        if (situation.spansSkip)
            add(situation.ringAllowed ? Mode::Ring : Mode::Span);
        add(Mode::Whole);
        if (situation.mapAllowed)
            add(Mode::Map);
    }
    if (candidates.size() == 1)
        return candidates.front();

    const auto measure = [&situation](const Choice &c) { return situation.measured[size_t(slot(c.way, c.split))]; };
    double best = -1;
    for (const Choice &c : candidates) {
        const Measure m = measure(c);
        if (m.samples > 0 && (best < 0 || m.nsPerRecord < best))
            best = m.nsPerRecord;
    }
    const Choice *next = nullptr;
    for (const Choice &c : candidates) {
        const Measure m = measure(c);
        const bool done = m.samples >= kSampleRounds || (m.samples >= 2 && m.nsPerRecord > 2 * best);
        if (!done && (!next || m.samples < measure(*next).samples))
            next = &c;
    }
    if (next)
        return {next->way, next->split, true};

    const Choice *fastest = &candidates.front();
    for (const Choice &c : candidates) {
        if (measure(c).nsPerRecord < measure(*fastest).nsPerRecord)
            fastest = &c;
    }
    return *fastest;
}

RecordReader::RecordReader() = default;

RecordReader::~RecordReader()
{
    close();
}

bool RecordReader::open(const QString &fileName, int recordSize)
{
    close();
    m_recordSize = recordSize;
    m_file.setFileName(fileName);
    if (!QFileInfo::exists(fileName)) {
        m_missing = true;
        return true;
    }
    // Qt refuses to open a folder without a system error number of its own: say what it is.
    if (QFileInfo(fileName).isDir())
        return fail(QStringLiteral("è una cartella, non un file"));
    if (!m_file.open(QIODevice::ReadOnly | QIODevice::Unbuffered))
        return fail(SystemError::lastError(m_file));
    // On a network share a mapping is a risk of its own (a share that drops, a file that another
    // workstation shortens): such archives are read with plain positioned reads.
    if (MappedGuard::onNetworkFileSystem(m_file.handle(), fileName))
        m_situation.mapAllowed = false;
    return true;
}

void RecordReader::close()
{
    endSample();
    release();
    // What this scan did, for the benchmark: the way that read most of its records, and the measures.
    qint64 most = 0;
    int mostSlot = 0;
    for (int at = 0; at < kSlots; ++at) {
        if (m_recordsBy[size_t(at)] > most) {
            most = m_recordsBy[size_t(at)];
            mostSlot = at;
        }
    }
    if (most > 0) {
        QString text;
        for (int at = 0; at < kSlots; ++at) {
            const Measure &m = m_situation.measured[size_t(at)];
            if (m.samples == 0)
                continue;
            if (!text.isEmpty())
                text += QLatin1Char(' ');
            text +=
                QStringLiteral("%1 %2").arg(wayName(Mode(at / 2), at % 2 == 1)).arg(m.nsPerRecord / 1000.0, 0, 'f', 2);
        }
        QMutexLocker locker(&lastMeasuresLock());
        lastMeasuresText() = text;
        lastWayText() = wayName(Mode(mostSlot / 2), mostSlot % 2 == 1);
    }
    m_helper.reset();
    m_ring.reset();
    if (m_file.isOpen())
        m_file.close();
    m_buffer = QByteArray();
    m_keptBuffer = QByteArray();
    m_stride = 0;
    m_missing = false;
    m_failed = false;
    m_error.clear();
    m_spanBegin = 0;
    m_spanEnd = 0;
    m_needRanges.clear();
    m_eachRanges.clear();
    m_keptRanges.clear();
    m_whole = false;
    m_aheadOffset = -1;
    m_usedMapping = false;
    m_situation = Situation{};
    m_way = Mode::Whole;
    m_split = false;
    m_sampling = false;
    m_sampleNs = 0;
    m_recordsBy = {};
    m_eachFetched = false;
    m_scanCount = -1;
    m_nextPosition = 1;
    m_current = 0;
    m_first = 0;
    m_count = 0;
    m_kept.clear();
    m_pieces.clear();
}

void RecordReader::addRange(QVector<Range> &ranges, const RecordFormat &format, int field) const
{
    const FieldSpan &span = format.field(field);
    const int begin = qMin(span.offset, m_recordSize);
    const int end = qMin(span.offset + span.capacity + 1, m_recordSize);
    if (end > begin)
        ranges.append({begin, end});
}

void RecordReader::need(const RecordFormat &format, int field)
{
    if (field < 0 || field >= format.fieldCount())
        return;
    addRange(m_needRanges, format, field);
    const FieldSpan &span = format.field(field);
    const int begin = span.offset;
    const int end = qMin(span.offset + span.capacity + 1, m_recordSize);
    if (m_spanEnd <= m_spanBegin) {
        m_spanBegin = begin;
        m_spanEnd = end;
    } else {
        m_spanBegin = qMin(m_spanBegin, begin);
        m_spanEnd = qMax(m_spanEnd, end);
    }
}

void RecordReader::needEach(const RecordFormat &format, int field)
{
    if (field < 0 || field >= format.fieldCount())
        return;
    need(format, field);
    addRange(m_eachRanges, format, field);
    const int begin = format.field(field).offset;
    if (m_aheadOffset < 0 || begin < m_aheadOffset)
        m_aheadOffset = begin;
}

void RecordReader::needWhole()
{
    m_whole = true;
    m_spanBegin = 0;
    m_spanEnd = m_recordSize;
}

// The ranges in order, those less than a page apart joined: a smaller gap saves no page and costs a
// read more.
QVector<RecordReader::Range> RecordReader::merged(QVector<Range> ranges)
{
    std::sort(ranges.begin(), ranges.end(), [](const Range &a, const Range &b) { return a.begin < b.begin; });
    QVector<Range> out;
    for (const Range &range : std::as_const(ranges)) {
        if (!out.isEmpty() && range.begin - out.last().end < qint64(kPageBytes))
            out.last().end = qMax(out.last().end, range.end);
        else
            out.append(range);
    }
    return out;
}

bool RecordReader::fail(const QString &why)
{
    release();
    m_failed = true;
    m_error = why;
    return false;
}

void RecordReader::release()
{
    if (m_mapped) {
        MappedGuard::unwatch(m_guardSlot);
        m_guardSlot = -1;
        m_file.unmap(m_mapped);
        g_otherSystemCalls += 1;
        m_mapped = nullptr;
    }
    m_base = nullptr;
    m_count = 0;
    m_kept.clear();
}

const char *RecordReader::next()
{
    if (m_missing || m_failed || !m_file.isOpen() || m_recordSize <= 0)
        return nullptr;
    if (m_count == 0 || m_nextPosition >= m_first + m_count) {
        if (!fetch(false))
            return nullptr;
    }
    const char *record = m_base + (m_nextPosition - m_first) * m_stride;
    // Asks the processor for the first needed bytes of a record a few places ahead: a scan does little
    // work per record, so waiting for memory at each record's first field would otherwise dominate.
    constexpr qint64 kAhead = 4;
    if (m_nextPosition + kAhead < m_first + m_count)
        prefetch(record + kAhead * m_stride + (m_aheadOffset < 0 ? m_spanBegin : m_aheadOffset));
    if (m_mapped && !mappedRecordReadable(record))
        return nullptr;
    m_current = m_nextPosition;
    ++m_nextPosition;
    return record;
}

// Touches one byte of every page of the record's needed bytes before the record is handed out: a
// page that vanished under the mapping (the file became shorter, the share dropped) is then read as
// zeros by the guard's handler here, and the scan ends as failed instead of listing a record of
// zeros. The caller reads these pages next anyway.
bool RecordReader::mappedRecordReadable(const char *record)
{
    const int begin = m_spanEnd > m_spanBegin ? m_spanBegin : 0;
    const int end = m_spanEnd > m_spanBegin ? m_spanEnd : m_recordSize;
    constexpr int kPage = 4096;
    unsigned char seen = 0;
    for (int at = begin; at < end; at += kPage)
        seen |= *static_cast<const volatile unsigned char *>(static_cast<const void *>(record + at));
    seen |= *static_cast<const volatile unsigned char *>(static_cast<const void *>(record + end - 1));
    Q_UNUSED(seen);
    if (!MappedGuard::faulted(m_guardSlot))
        return true;
    return fail(shortenedMessage());
}

// In a mapped batch, touches the given bytes of the given records (every record when none are named)
// so that a page that vanished under the mapping shows in the guard before the batch is handed out.
bool RecordReader::mappedBatchReadable(const QVector<Range> &ranges, const QVector<qint64> *records)
{
    const QVector<Range> whole{{0, m_recordSize}};
    const QVector<Range> &touched = ranges.isEmpty() ? whole : ranges;
    if (records) {
        for (const qint64 i : *records)
            touch(i, touched);
    } else {
        for (qint64 i = 0; i < m_count; ++i)
            touch(i, touched);
    }
    if (!MappedGuard::faulted(m_guardSlot))
        return true;
    return fail(shortenedMessage());
}

qint64 RecordReader::nextBatch()
{
    if (m_missing || m_failed || !m_file.isOpen() || m_recordSize <= 0)
        return 0;
    if (!fetch(true))
        return 0;
    if (m_mapped && !mappedBatchReadable(m_eachRanges, nullptr))
        return 0;
    m_nextPosition = m_first + m_count;
    m_current = m_nextPosition - 1;
    return m_count;
}

const char *RecordReader::record(qint64 i) const
{
    const char *at = m_base + i * m_stride;
    constexpr qint64 kAhead = 4;
    if (i + kAhead < m_count)
        prefetch(at + kAhead * m_stride + (m_aheadOffset < 0 ? m_spanBegin : m_aheadOffset));
    return at;
}

const char *RecordReader::keptRecord(qint64 k) const
{
    return m_eachFetched ? m_keptBuffer.constData() + k * m_recordSize : record(m_kept.at(k));
}

bool RecordReader::readKept()
{
    if (m_failed)
        return false;
    if (m_mapped && !m_kept.isEmpty() && !mappedBatchReadable(m_keptRanges, &m_kept))
        return false;
    const bool touching = m_sampling && m_way == Mode::Map;
    if (m_kept.isEmpty() || (!m_eachFetched && !touching))
        return true;
    QElapsedTimer timer;
    if (m_sampling)
        timer.start();
    bool ok = true;
    if (touching) {
        for (const qint64 i : std::as_const(m_kept))
            touch(i, m_keptRanges);
    } else {
        // Each record kept gets a whole record's place: the bytes already read are copied there, the
        // others read into it.
        const qint64 kept = m_kept.size();
        if (m_keptBuffer.size() < kept * m_recordSize)
            m_keptBuffer.resize(kept * m_recordSize);
        const int hullBegin = m_eachRanges.first().begin;
        const int hull = m_eachRanges.last().end - hullBegin;
        char *places = m_keptBuffer.data();
        m_pieces.resize(kept * m_keptRanges.size());
        qint64 p = 0;
        for (qint64 k = 0; k < kept; ++k) {
            char *slot = places + k * m_recordSize;
            std::memcpy(slot + hullBegin, m_base + m_kept.at(k) * m_stride + hullBegin, size_t(hull));
            const qint64 at = (m_first - 1 + m_kept.at(k)) * m_recordSize;
            for (const Range &range : std::as_const(m_keptRanges))
                m_pieces[p++] = {at + range.begin, slot + range.begin, range.end - range.begin};
        }
        ok = readPieces(m_pieces.constData(), p);
    }
    if (m_sampling)
        m_sampleNs += timer.nsecsElapsed();
    return ok;
}

// Closes the timed sample of the batch just read: its time per record is the way's measure when it is
// the least so far.
void RecordReader::endSample()
{
    if (!m_sampling)
        return;
    m_sampling = false;
    if (m_count > 0) {
        Measure &m = m_situation.measured[size_t(slot(m_way, m_split))];
        const double ns = double(m_sampleNs) / double(m_count);
        m.nsPerRecord = m.samples == 0 ? ns : qMin(m.nsPerRecord, ns);
        ++m.samples;
    }
    m_sampleNs = 0;
}

std::unique_ptr<RecordReader::Ring> RecordReader::makeRing(int file)
{
#ifdef CABLORA_HAS_LIBURING
    if (!ringAvailable())
        return {};
    auto ring = std::make_unique<Ring>();
    // One thread submits and collects its own completions: the system then does the least work per read.
    int result = -EINVAL;
#  if defined(IORING_SETUP_SINGLE_ISSUER) && defined(IORING_SETUP_DEFER_TASKRUN)
    g_otherSystemCalls += 1;
    result = io_uring_queue_init(kRingDepth, &ring->ring, IORING_SETUP_SINGLE_ISSUER | IORING_SETUP_DEFER_TASKRUN);
#  endif
    if (result < 0) {
        g_otherSystemCalls += 1;
        result = io_uring_queue_init(kRingDepth, &ring->ring, 0);
    }
    if (result < 0) {
        ring.release();  // nothing to tear down: the ring was not set up
        return {};
    }
    g_otherSystemCalls += 1;
    ring->fixedFile = io_uring_register_files(&ring->ring, &file, 1) == 0;
    return ring;
#else
    Q_UNUSED(file);
    return {};
#endif
}

bool RecordReader::fetch(bool each)
{
    if (m_sampling && m_way == Mode::Map) {
        // Unmapping the window is part of the way's cost.
        QElapsedTimer timer;
        timer.start();
        const qint64 count = m_count;
        release();
        m_sampleNs += timer.nsecsElapsed();
        m_count = count;
    }
    endSample();
    release();
    if (m_scanCount < 0) {
        const qint64 size = m_file.size();
        if (size < 0)
            return fail(SystemError::lastError(m_file));
        m_scanCount = size / m_recordSize;
        m_nextPosition = 1;
        // The bytes read of every record, and of the records kept.
        const QVector<Range> whole{{0, m_recordSize}};
        const QVector<Range> needs = m_whole || m_needRanges.isEmpty() ? whole : merged(m_needRanges);
        m_needRanges = needs;
        m_eachRanges = each && !m_eachRanges.isEmpty() && !m_whole ? merged(m_eachRanges) : needs;
        // A field of the kept records that lies next to one read of every record is read with it: a
        // few bytes more per record cost less than one read more per record kept (the total beside
        // the paid flag).
        constexpr int kAlongBytes = 64;
        for (Range &range : m_eachRanges) {
            for (const Range &need : needs) {
                const Range hull{qMin(range.begin, need.begin), qMax(range.end, need.end)};
                if (hull.end - hull.begin - (range.end - range.begin) <= kAlongBytes)
                    range = hull;
            }
        }
        m_eachRanges = merged(m_eachRanges);
        m_keptRanges.clear();
        for (const Range &need : needs) {
            const bool inside = std::any_of(m_eachRanges.cbegin(), m_eachRanges.cend(), [&need](const Range &r) {
                return r.begin <= need.begin && need.end <= r.end;
            });
            if (!inside)
                m_keptRanges.append(need);
        }
        int eachBytes = 0;
        for (const Range &range : std::as_const(m_eachRanges))
            eachBytes += range.end - range.begin;
        m_situation.spansSkip = eachBytes < m_recordSize;
#ifndef Q_OS_WIN
        // A second core that the load average leaves free (the scan itself counts about one).
        double load = 0;
        const int cores = QThread::idealThreadCount();
        m_situation.freeCore = cores >= 2 && getloadavg(&load, 1) == 1 && load < cores - 0.5;
#else
        m_situation.freeCore = false;  // the reads there are not positioned: one thread
#endif
        const Mode forced = mode();
        if (m_situation.spansSkip && (forced == Mode::Auto || forced == Mode::Ring) && m_scanCount > 0) {
            m_ring = makeRing(m_file.handle());
            m_situation.ringAllowed = m_ring != nullptr;
        }
    }
    if (m_nextPosition > m_scanCount)
        return false;
    if (const FetchHook &hook = fetchHook())
        hook(m_nextPosition);
    const qint64 left = m_scanCount - m_nextPosition + 1;
    for (;;) {
        m_situation.forced = mode();
        m_situation.forcedThreads = threads();
        const Choice choice = choose(m_situation);
        const qint64 windowRecords = qMax<qint64>(1, mapWindowBytes() / m_recordSize);
        qint64 records = 0;
        switch (choice.way) {
        case Mode::Map:
            // A sample maps a window of kSampleRecords: the faults, not the mapping, are its cost.
            records = choice.measure ? qMin<qint64>(windowRecords, kSampleRecords) : windowRecords;
            break;
        case Mode::Whole: records = qMax<qint64>(1, blockBytes() / m_recordSize); break;
        default:
            // Two rings' worth: each thread hands its half to the system at once.
            records = qMin<qint64>(2 * kRingDepth, windowRecords);
            break;
        }
        records = qMin(records, left);

        QElapsedTimer timer;
        if (choice.measure)
            timer.start();
        m_way = choice.way;
        m_split = choice.split;
        m_first = m_nextPosition;
        bool ok = false;
        m_eachFetched = false;
        switch (choice.way) {
        case Mode::Map:
            ok = mapWindow(records);
            if (!ok && !m_failed) {
                m_situation.mapAllowed = false;  // from here on this scan reads
                continue;
            }
            if (ok && choice.measure) {
                // The faults the scan will take on the fields of every record are part of the measure.
                for (qint64 i = 0; i < records; ++i)
                    touch(i, m_eachRanges);
            }
            break;
        case Mode::Whole: ok = readBlock(records); break;
        default:
            // A file that has become shorter than the records counted at the start is a failed read
            // (the positioned reads of a few bytes could otherwise still find some of them).
            if (m_file.size() < (m_first - 1 + records) * m_recordSize)
                return fail(shortenedMessage());
            ok = readSpans(records);
            m_eachFetched = !m_keptRanges.isEmpty();
            break;
        }
        if (!ok)
            return false;
        m_sampling = choice.measure;
        if (m_sampling)
            m_sampleNs = timer.nsecsElapsed();
        m_recordsBy[size_t(slot(choice.way, choice.split))] += records;
        return true;
    }
}

// Maps the next window of records. False without failed() when the file cannot be mapped.
bool RecordReader::mapWindow(qint64 records)
{
    const qint64 offset = (m_nextPosition - 1) * m_recordSize;
    const qint64 bytes = records * m_recordSize;
    // A file that has become shorter than the records counted at the start is a failed read, as it is
    // for the reading ways (and touching a mapping beyond the end of its file is not allowed).
    if (m_file.size() < offset + bytes)
        return fail(shortenedMessage());
    g_otherSystemCalls += 1;
    uchar *mapped = m_file.map(offset, bytes);
    if (!mapped)
        return false;
    m_mapped = mapped;
    m_guardSlot = MappedGuard::watch(mapped, size_t(bytes));
    m_base = reinterpret_cast<const char *>(mapped);
    m_stride = m_recordSize;
    m_first = m_nextPosition;
    m_count = records;
    m_usedMapping = true;
    return true;
}

// Reads a byte of every page of the ranges of record i of the mapped window, so that its page faults
// are taken now.
void RecordReader::touch(qint64 i, const QVector<Range> &ranges)
{
    const quintptr record = reinterpret_cast<quintptr>(m_base + i * m_stride);
    volatile char sink = 0;
    for (const Range &range : ranges) {
        for (quintptr at = record + quintptr(range.begin); at < record + quintptr(range.end);
             at = (at / kPageBytes + 1) * kPageBytes)
            sink = *reinterpret_cast<const char *>(at);
    }
    Q_UNUSED(sink);
}

// Reads exactly bytes bytes at a file offset (one positioned read where the system has it).
bool RecordReader::readAt(qint64 offset, char *into, qint64 bytes)
{
#ifndef Q_OS_WIN
    qint64 done = 0;
    while (done < bytes) {
        const ssize_t got = ::pread(m_file.handle(), into + done, size_t(bytes - done), off_t(offset + done));
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            return fail(SystemError::italian(errno));
        if (got == 0)
            return fail(shortenedMessage());
        done += got;
    }
    return true;
#else
    if (!m_file.seek(offset))
        return fail(SystemError::lastError(m_file));
    if (m_file.read(into, bytes) != bytes)
        return fail(SystemError::lastError(m_file));
    return true;
#endif
}

// Reads the next block of whole records, in one read.
bool RecordReader::readBlock(qint64 records)
{
    const qint64 bytes = records * m_recordSize;
    if (m_buffer.size() < bytes)
        m_buffer.resize(bytes);
    // On two threads: in two halves.
    const qint64 offset = (m_nextPosition - 1) * m_recordSize;
    const qint64 first = m_split && records > 1 ? (records + 1) / 2 * m_recordSize : bytes;
    const Piece halves[2] = {{offset, m_buffer.data(), first},
                             {offset + first, m_buffer.data() + first, bytes - first}};
    if (!readPieces(halves, first < bytes ? 2 : 1))
        return false;
    m_base = m_buffer.constData();
    m_stride = m_recordSize;
    m_first = m_nextPosition;
    m_count = records;
    return true;
}

// Reads the each ranges of the next records into the buffer, packed: record i of the batch starts at
// i * stride, where stride is the bytes from the first byte read of a record to its last, so that its
// fields lie at their offsets from there and the buffer holds only the bytes read.
bool RecordReader::readSpans(qint64 records)
{
    const int hullBegin = m_eachRanges.first().begin;
    m_stride = m_eachRanges.last().end - hullBegin;
    const qint64 bytes = hullBegin + records * m_stride;
    if (m_buffer.size() < bytes)
        m_buffer.resize(bytes);
    char *buffer = m_buffer.data();
    m_base = buffer;
    m_count = records;
    m_pieces.resize(records * m_eachRanges.size());
    const qint64 fileOffset = (m_first - 1) * m_recordSize;
    qint64 k = 0;
    for (qint64 i = 0; i < records; ++i) {
        for (const Range &range : std::as_const(m_eachRanges))
            m_pieces[k++] = {fileOffset + i * m_recordSize + range.begin, buffer + i * m_stride + range.begin,
                             range.end - range.begin};
    }
    return readPieces(m_pieces.constData(), k);
}

// Reads every piece, half of them on the helper thread when there are enough to be worth it.
bool RecordReader::readPieces(const Piece *pieces, qint64 count)
{
    Ring *ring = m_way == Mode::Ring ? m_ring.get() : nullptr;
    QString error;
#ifndef Q_OS_WIN
    if (m_split && count >= 2) {
        if (!m_helper)
            m_helper = std::make_unique<Helper>(m_file.handle());
        const qint64 half = count / 2;
        m_helper->start(pieces + half, count - half, ring != nullptr);
        const bool mine = readPiecesWith(ring, m_file.handle(), pieces, half, &error);
        QString theirs;
        const bool helped = m_helper->finish(&theirs);
        if (!mine)
            return fail(error);
        if (!helped)
            return fail(theirs);
        return true;
    }
    if (!readPiecesWith(ring, m_file.handle(), pieces, count, &error))
        return fail(error);
    return true;
#else
    Q_UNUSED(ring);
    Q_UNUSED(error);
    for (qint64 k = 0; k < count; ++k) {
        if (!readAt(pieces[k].offset, pieces[k].into, pieces[k].bytes))
            return false;
    }
    return true;
#endif
}

#ifndef Q_OS_WIN
namespace {

// Reads exactly bytes bytes at offset with positioned reads; false with the cause otherwise.
bool preadAll(int file, qint64 offset, char *into, qint64 bytes, QString *error)
{
    qint64 done = 0;
    while (done < bytes) {
        const ssize_t got = ::pread(file, into + done, size_t(bytes - done), off_t(offset + done));
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0) {
            *error = SystemError::italian(errno);
            return false;
        }
        if (got == 0) {
            *error = shortenedMessage();
            return false;
        }
        done += got;
    }
    return true;
}

}  // namespace
#endif

// Reads every piece: through the ring, kRingDepth per system call, when there is one; one by one
// otherwise. A piece the ring read short or failed is read again one by one, which finds the cause.
bool RecordReader::readPiecesWith(Ring *ring, int file, const Piece *pieces, qint64 count, QString *error)
{
#ifndef Q_OS_WIN
    qint64 start = 0;
#  ifdef CABLORA_HAS_LIBURING
    if (ring) {
        io_uring *uring = &ring->ring;
        const int target = ring->fixedFile ? 0 : file;
        QVarLengthArray<qint64, 2 * kRingDepth> again;
        for (; start < count; start += kRingDepth) {
            const int n = int(qMin<qint64>(kRingDepth, count - start));
            for (int k = 0; k < n; ++k) {
                // Never null: the ring has kRingDepth entries and every batch is collected whole.
                io_uring_sqe *sqe = io_uring_get_sqe(uring);
                const Piece &piece = pieces[start + k];
                io_uring_prep_read(sqe, target, piece.into, unsigned(piece.bytes), __u64(piece.offset));
                if (ring->fixedFile)
                    sqe->flags |= IOSQE_FIXED_FILE;
                sqe->user_data = __u64(start + k);
            }
            int result = io_uring_submit_and_wait(uring, unsigned(n));
            g_otherSystemCalls += 1;
            if (result < 0 && result != -EINTR) {
                // The system took none of the reads (it reports a failure only then).
                *error = SystemError::italian(-result);
                return false;
            }
            while (io_uring_sq_ready(uring) > 0) {
                result = io_uring_submit(uring);
                g_otherSystemCalls += 1;
                if (result < 0 && result != -EINTR && result != -EAGAIN && result != -EBUSY) {
                    *error = SystemError::italian(-result);
                    return false;
                }
            }
            int seen = 0;
            while (seen < n) {
                io_uring_cqe *cqe = nullptr;
                if (io_uring_cq_ready(uring) == 0)
                    g_otherSystemCalls += 1;
                result = io_uring_wait_cqe(uring, &cqe);
                if (result == -EINTR)
                    continue;
                if (result < 0) {
                    *error = SystemError::italian(-result);
                    return false;
                }
                unsigned head;
                unsigned taken = 0;
                io_uring_for_each_cqe(uring, head, cqe)
                {
                    const qint64 k = qint64(cqe->user_data);
                    if (cqe->res != pieces[k].bytes) {
                        again.append(k);
                        again.append(cqe->res > 0 ? cqe->res : 0);
                    }
                    ++taken;
                }
                io_uring_cq_advance(uring, taken);
                seen += int(taken);
            }
        }
        for (qsizetype a = 0; a < again.size(); a += 2) {
            const Piece &piece = pieces[again[a]];
            const qint64 done = again[a + 1];
            if (!preadAll(file, piece.offset + done, piece.into + done, piece.bytes - done, error))
                return false;
        }
    }
#  else
    Q_UNUSED(ring);
#  endif
    for (qint64 k = start; k < count; ++k) {
        if (!preadAll(file, pieces[k].offset, pieces[k].into, pieces[k].bytes, error))
            return false;
    }
    return true;
#else
    Q_UNUSED(ring);
    Q_UNUSED(file);
    Q_UNUSED(pieces);
    Q_UNUSED(count);
    *error = QStringLiteral("letture posizionate non disponibili");
    return false;
#endif
}
