#pragma once

#include <QByteArray>
#include <QString>

class QFile;

// The rollback journal of a record archive: before a record is overwritten in place, its old bytes
// are written and flushed to "<archive file name>-journal" beside the archive. A crash in the middle
// of the overwrite then leaves a valid journal, and the next writer puts the old record back; after
// a whole overwrite the journal is emptied and removed.
//
// Layout (numbers little-endian):
//   0   8 bytes  magic "CBLJRNL1"
//   8   u32      record size of the archive
//   12  u64      1-based position of the record
//   20  u64      byte offset of the record in the archive ((position - 1) * record size)
//   28  u32      length of the old bytes (= record size)
//   32  ...      the old record bytes
//   end u32      CRC-32 of every byte before it
// A journal of any other length, with a wrong magic, checksum, record size or offset is torn or
// foreign: it is never applied.
//
// The same file holds, instead, the mark of an append of many records at once (an import), which
// must land whole or not at all: before the first record is written, the archive's length in whole
// records is noted and flushed; once every record is on the disk the mark is retired as a journal
// is. A writer that finds a valid mark cuts the archive back to the length noted, so an import that
// stopped half-way (a kill, a power loss) leaves the archive as it was.
//   0   8 bytes  magic "CBLAPND1"
//   8   u32      record size of the archive
//   12  u64      length of the archive in bytes before the append (a multiple of the record size)
//   20  u32      CRC-32 of every byte before it
namespace RollbackJournal {

inline constexpr int kHeaderSize = 32;
inline constexpr int kTrailerSize = 4;
inline constexpr int kAppendMarkSize = 24;

QString fileNameFor(const QString &archiveFileName);

QByteArray encode(int recordSize, qint64 position, const QByteArray &oldRecord);

struct Entry
{
    qint64 position = 0;
    qint64 offset = 0;
    QByteArray oldRecord;
};

// True when bytes are a whole journal for an archive of recordSize; fills entry.
bool decode(const QByteArray &bytes, int recordSize, Entry *entry);

// The mark of an append of many records to an archive of recordSize that was lengthBefore bytes long.
QByteArray encodeAppendMark(int recordSize, qint64 lengthBefore);
// True when bytes are a whole append mark for an archive of recordSize; fills *lengthBefore.
bool decodeAppendMark(const QByteArray &bytes, int recordSize, qint64 *lengthBefore);

quint32 crc32(const char *data, qint64 size);

// Flushes Qt's buffer and asks the system to put the file's data on the disk.
bool syncToDisk(QFile &file);
// Puts a folder's entries (a file created or removed in it) on the disk, where the system allows it.
bool syncFolder(const QString &folderPath);

}  // namespace RollbackJournal
