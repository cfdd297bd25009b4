// An overwriting process for the journal tests: overwrites records of an existing archive in a loop,
// each through its own open, overwrite and close as a command of the program does, until it has done
// <count> overwrites or is killed. Before each overwrite it prints "begin <position> <generation>",
// after each overwrite that reported success "done <position> <generation>", each line flushed at
// once. The record of a generation is overwritePattern() below, so a reader can tell a whole record
// of one generation from a mix of two.
//
//   helper_overwrite <archive> <record size> <records> <first generation> <seed> <count>

#include "archive/RecordArchive.h"

#include <QCoreApplication>
#include <QRandomGenerator>
#include <cstdio>

// Must match the test that reads the archive.
static QByteArray overwritePattern(qint64 position, qint64 generation, int size)
{
    QByteArray record(size, '\0');
    const QByteArray head = 'P' + QByteArray::number(position) + 'G' + QByteArray::number(generation) + ';';
    for (int i = 0; i < size; ++i)
        record[i] = i < head.size() ? head[i] : char((generation * 131 + position * 7 + i) & 0xFF);
    return record;
}

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    if (argc != 7) {
        std::fprintf(stderr, "usage: helper_overwrite <archive> <record size> <records> <first generation> "
                             "<seed> <count>\n");
        return 2;
    }
    const QString path = QString::fromLocal8Bit(argv[1]);
    const int recordSize = QByteArray(argv[2]).toInt();
    const qint64 records = QByteArray(argv[3]).toLongLong();
    const qint64 first = QByteArray(argv[4]).toLongLong();
    QRandomGenerator random(QByteArray(argv[5]).toUInt());
    const qint64 count = QByteArray(argv[6]).toLongLong();

    for (qint64 generation = first; generation < first + count; ++generation) {
        const qint64 position = 1 + qint64(random.bounded(quint32(records)));
        std::printf("begin %lld %lld\n", static_cast<long long>(position), static_cast<long long>(generation));
        std::fflush(stdout);
        RecordArchive archive;
        if (!archive.OpenOrCreate(path, recordSize)) {
            std::fprintf(stderr, "open: %s\n", qPrintable(archive.ErrorString()));
            return 1;
        }
        if (!archive.WriteAt(position, overwritePattern(position, generation, recordSize))) {
            std::fprintf(stderr, "overwrite: %s\n", qPrintable(archive.ErrorString()));
            return 1;
        }
        archive.Close();
        std::printf("done %lld %lld\n", static_cast<long long>(position), static_cast<long long>(generation));
        std::fflush(stdout);
    }
    return 0;
}
