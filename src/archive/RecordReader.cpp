#include "archive/RecordReader.h"

#include "archive/MappedGuard.h"
#include "archive/RecordArchive.h"

#include <QFileInfo>

#include <atomic>

#ifndef Q_OS_WIN
#  include <cerrno>
#  include <cstring>
#  include <unistd.h>
#endif

namespace {

std::atomic<int> g_mode{int(RecordReader::Mode::Map)};
std::atomic<qint64> g_mapWindowBytes{RecordReader::kDefaultMapWindowBytes};

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

}  // namespace

void RecordReader::setMode(Mode mode)
{
    g_mode = int(mode);
}

RecordReader::Mode RecordReader::mode()
{
    return Mode(g_mode.load());
}

void RecordReader::setMapWindowBytes(qint64 bytes)
{
    g_mapWindowBytes = qMax<qint64>(1, bytes);
}

qint64 RecordReader::mapWindowBytes()
{
    return g_mapWindowBytes;
}

void RecordReader::setFetchHook(FetchHook hook)
{
    fetchHook() = std::move(hook);
}

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
    if (!m_file.open(QIODevice::ReadOnly | QIODevice::Unbuffered))
        return fail(QStringLiteral("open"), m_file.errorString());
    // On a network share a mapping is a risk of its own (a share that drops, a file that another
    // workstation shortens): such archives are read with plain positioned reads.
    if (MappedGuard::onNetworkFileSystem(m_file.handle(), fileName))
        m_mapFailed = true;
    return true;
}

void RecordReader::close()
{
    release();
    if (m_file.isOpen())
        m_file.close();
    m_buffer = QByteArray();
    m_missing = false;
    m_failed = false;
    m_error.clear();
    m_spanBegin = 0;
    m_spanEnd = 0;
    m_aheadOffset = -1;
    m_mapFailed = false;
    m_usedMapping = false;
    m_scanCount = -1;
    m_nextPosition = 1;
    m_current = 0;
    m_first = 0;
    m_count = 0;
}

void RecordReader::need(const RecordFormat &format, int field)
{
    if (field < 0 || field >= format.fieldCount())
        return;
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
    const int offset = format.field(field).offset;
    if (m_aheadOffset < 0 || offset < m_aheadOffset)
        m_aheadOffset = offset;
}

void RecordReader::needWhole()
{
    m_spanBegin = 0;
    m_spanEnd = m_recordSize;
}

bool RecordReader::fail(const QString &what, const QString &why)
{
    release();
    m_failed = true;
    m_error = what + QStringLiteral(": ") + why;
    return false;
}

void RecordReader::release()
{
    if (m_mapped) {
        MappedGuard::unwatch(m_guardSlot);
        m_guardSlot = -1;
        m_file.unmap(m_mapped);
        m_mapped = nullptr;
    }
    m_base = nullptr;
    m_count = 0;
}

const char *RecordReader::next()
{
    if (m_missing || m_failed || !m_file.isOpen() || m_recordSize <= 0)
        return nullptr;
    if (m_scanCount < 0) {
        const qint64 size = m_file.size();
        if (size < 0) {
            fail(QStringLiteral("size"), m_file.errorString());
            return nullptr;
        }
        m_scanCount = size / m_recordSize;
        m_nextPosition = 1;
    }
    if (m_nextPosition > m_scanCount) {
        release();
        return nullptr;
    }
    if (m_count == 0 || m_nextPosition >= m_first + m_count) {
        if (!fetch())
            return nullptr;
    }
    const char *record = m_base + (m_nextPosition - m_first) * m_recordSize;
    // Asks the processor for the first needed bytes of a record a few places ahead: a scan does little
    // work per record, so waiting for memory at each record's first field would otherwise dominate.
    constexpr qint64 kAhead = 4;
    if (m_nextPosition + kAhead < m_first + m_count)
        prefetch(record + kAhead * m_recordSize + (m_aheadOffset < 0 ? m_spanBegin : m_aheadOffset));
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
    return fail(QStringLiteral("read"), QStringLiteral("the file became shorter while it was read"));
}

bool RecordReader::fetch()
{
    release();
    if (const FetchHook &hook = fetchHook())
        hook(m_nextPosition);
    const qint64 left = m_scanCount - m_nextPosition + 1;
    const Mode how = mode();
    if (how == Mode::Map && !m_mapFailed) {
        const qint64 records = qMin(left, qMax<qint64>(1, mapWindowBytes() / m_recordSize));
        if (mapWindow(records))
            return true;
        if (m_failed)
            return false;
        m_mapFailed = true;  // from here on this scan reads
    }
    const qint64 records = qMin(left, qMax<qint64>(1, RecordArchive::readBlockBytes() / m_recordSize));
    return readBlock(records);
}

// Maps the next window of records. False without Failed() when the file cannot be mapped.
bool RecordReader::mapWindow(qint64 records)
{
    const qint64 offset = (m_nextPosition - 1) * m_recordSize;
    const qint64 bytes = records * m_recordSize;
    // A file that has become shorter than the records counted at the start is a failed read, as it is
    // for the reading way (and touching a mapping beyond the end of its file is not allowed).
    if (m_file.size() < offset + bytes)
        return fail(QStringLiteral("read"), QStringLiteral("the file became shorter while it was read"));
    uchar *mapped = m_file.map(offset, bytes);
    if (!mapped)
        return false;
    m_mapped = mapped;
    m_guardSlot = MappedGuard::watch(mapped, size_t(bytes));
    m_base = reinterpret_cast<const char *>(mapped);
    m_first = m_nextPosition;
    m_count = records;
    m_usedMapping = true;
    return true;
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
            return fail(QStringLiteral("read"), QString::fromLocal8Bit(std::strerror(errno)));
        if (got == 0)
            return fail(QStringLiteral("read"), QStringLiteral("the file became shorter while it was read"));
        done += got;
    }
    return true;
#else
    if (!m_file.seek(offset))
        return fail(QStringLiteral("seek"), m_file.errorString());
    if (m_file.read(into, bytes) != bytes)
        return fail(QStringLiteral("read"), m_file.errorString());
    return true;
#endif
}

// Reads the needed span of each record of the next block into its place in the block buffer (all of
// each record in Whole mode, or when the span is the whole record: then in one read).
bool RecordReader::readBlock(qint64 records)
{
    const qint64 bytes = records * m_recordSize;
    if (m_buffer.size() < bytes)
        m_buffer = QByteArray(bytes, '\0');
    char *buffer = m_buffer.data();
    const qint64 offset = (m_nextPosition - 1) * m_recordSize;
    // Span mode always reads the spans. After a failed mapping they are read only where each record
    // skips at least a page: a smaller gap saves no transfer (the system reads whole pages, a network
    // client whole chunks), and one read per record costs a system call, or a round trip on a network
    // folder, each. Measured on 100 000 vehicles (span of 524 of 3370 bytes) the record-by-record reads
    // took four times as long as whole blocks.
    const qint64 skipped = m_recordSize - (m_spanEnd - m_spanBegin);
    const bool spans = m_spanEnd > m_spanBegin && skipped > 0
                       && (mode() == Mode::Span || (mode() == Mode::Map && skipped >= kMinSkippedBytes));
    const bool whole = !spans;
    if (whole) {
        if (!m_file.seek(offset))
            return fail(QStringLiteral("seek"), m_file.errorString());
        if (m_file.read(buffer, bytes) != bytes)
            return fail(QStringLiteral("read"), m_file.errorString());
    } else {
        const qint64 span = m_spanEnd - m_spanBegin;
        for (qint64 i = 0; i < records; ++i) {
            const qint64 at = i * m_recordSize + m_spanBegin;
            if (!readAt(offset + at, buffer + at, span))
                return false;
        }
    }
    m_base = buffer;
    m_first = m_nextPosition;
    m_count = records;
    return true;
}
