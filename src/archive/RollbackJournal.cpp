#include "archive/RollbackJournal.h"

#include <QFile>
#include <QtEndian>

#include <array>

#ifdef Q_OS_WIN
#  include <io.h>
#  include <windows.h>
#else
#  include <fcntl.h>
#  include <unistd.h>
#endif

namespace RollbackJournal {

namespace {

constexpr char kMagic[8] = {'C', 'B', 'L', 'J', 'R', 'N', 'L', '1'};
constexpr char kAppendMagic[8] = {'C', 'B', 'L', 'A', 'P', 'N', 'D', '1'};

std::array<quint32, 256> makeCrcTable()
{
    std::array<quint32, 256> table{};
    for (quint32 n = 0; n < 256; ++n) {
        quint32 c = n;
        for (int k = 0; k < 8; ++k)
            c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
        table[n] = c;
    }
    return table;
}

}  // namespace

quint32 crc32(const char *data, qint64 size)
{
    static const std::array<quint32, 256> table = makeCrcTable();
    quint32 c = 0xFFFFFFFFu;
    for (qint64 i = 0; i < size; ++i)
        c = table[(c ^ quint8(data[i])) & 0xFF] ^ (c >> 8);
    return c ^ 0xFFFFFFFFu;
}

QString fileNameFor(const QString &archiveFileName)
{
    return archiveFileName + QStringLiteral("-journal");
}

QByteArray encode(int recordSize, qint64 position, const QByteArray &oldRecord)
{
    QByteArray bytes(kHeaderSize + oldRecord.size() + kTrailerSize, '\0');
    char *p = bytes.data();
    memcpy(p, kMagic, sizeof kMagic);
    qToLittleEndian<quint32>(quint32(recordSize), p + 8);
    qToLittleEndian<quint64>(quint64(position), p + 12);
    qToLittleEndian<quint64>(quint64((position - 1) * recordSize), p + 20);
    qToLittleEndian<quint32>(quint32(oldRecord.size()), p + 28);
    memcpy(p + kHeaderSize, oldRecord.constData(), size_t(oldRecord.size()));
    const qint64 covered = kHeaderSize + oldRecord.size();
    qToLittleEndian<quint32>(crc32(p, covered), p + covered);
    return bytes;
}

bool decode(const QByteArray &bytes, int recordSize, Entry *entry)
{
    if (recordSize <= 0 || bytes.size() != kHeaderSize + recordSize + kTrailerSize)
        return false;
    const char *p = bytes.constData();
    if (memcmp(p, kMagic, sizeof kMagic) != 0)
        return false;
    const qint64 covered = kHeaderSize + recordSize;
    if (qFromLittleEndian<quint32>(p + covered) != crc32(p, covered))
        return false;
    if (qFromLittleEndian<quint32>(p + 8) != quint32(recordSize)
        || qFromLittleEndian<quint32>(p + 28) != quint32(recordSize))
        return false;
    const quint64 position = qFromLittleEndian<quint64>(p + 12);
    const quint64 offset = qFromLittleEndian<quint64>(p + 20);
    if (position < 1 || position > quint64(1) << 40 || offset != (position - 1) * quint64(recordSize))
        return false;
    entry->position = qint64(position);
    entry->offset = qint64(offset);
    entry->oldRecord = bytes.mid(kHeaderSize, recordSize);
    return true;
}

QByteArray encodeAppendMark(int recordSize, qint64 lengthBefore)
{
    QByteArray bytes(kAppendMarkSize, '\0');
    char *p = bytes.data();
    memcpy(p, kAppendMagic, sizeof kAppendMagic);
    qToLittleEndian<quint32>(quint32(recordSize), p + 8);
    qToLittleEndian<quint64>(quint64(lengthBefore), p + 12);
    qToLittleEndian<quint32>(crc32(p, 20), p + 20);
    return bytes;
}

bool decodeAppendMark(const QByteArray &bytes, int recordSize, qint64 *lengthBefore)
{
    if (recordSize <= 0 || bytes.size() != kAppendMarkSize)
        return false;
    const char *p = bytes.constData();
    if (memcmp(p, kAppendMagic, sizeof kAppendMagic) != 0 || qFromLittleEndian<quint32>(p + 20) != crc32(p, 20)
        || qFromLittleEndian<quint32>(p + 8) != quint32(recordSize))
        return false;
    const quint64 length = qFromLittleEndian<quint64>(p + 12);
    if (length % quint64(recordSize) != 0 || length > quint64(1) << 60)
        return false;
    *lengthBefore = qint64(length);
    return true;
}

bool syncToDisk(QFile &file)
{
    if (!file.flush())
        return false;
#ifdef Q_OS_WIN
    return FlushFileBuffers(reinterpret_cast<HANDLE>(_get_osfhandle(file.handle())));
#else
    return fsync(file.handle()) == 0;
#endif
}

bool syncFolder(const QString &folderPath)
{
#ifdef Q_OS_WIN
    // NTFS keeps its folder entries in its own log; a folder cannot be flushed through a handle here.
    Q_UNUSED(folderPath);
    return true;
#else
    const int fd = ::open(QFile::encodeName(folderPath).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return false;
    // Some file systems (network shares among them) refuse to sync a folder: that is no failure of
    // the write, the journal's own data is on the disk.
    fsync(fd);
    ::close(fd);
    return true;
#endif
}

}  // namespace RollbackJournal
