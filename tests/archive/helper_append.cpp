// A writer process for the archive tests: appends <count> records to an archive, each through its own
// open, append and close as a command of the program does, and prints the position of each append on
// a line of its own. Record <seq> of writer <id> starts with "W<id>:<seq>;" and is filled with
// writerPattern(id, seq, offset) after it, so a reader can tell every record and check it is whole.
//
//   helper_append <archive> <record size> <writer id> <count>

#include "archive/RecordArchive.h"

#include <QCoreApplication>
#include <cstdio>

static char writerPattern(int id, int seq, int offset)
{
    return char((id * 131 + seq * 7 + offset) & 0xFF);
}

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    if (argc != 5) {
        std::fprintf(stderr, "usage: helper_append <archive> <record size> <writer id> <count>\n");
        return 2;
    }
    const QString path = QString::fromLocal8Bit(argv[1]);
    const int recordSize = QByteArray(argv[2]).toInt();
    const int id = QByteArray(argv[3]).toInt();
    const int count = QByteArray(argv[4]).toInt();

    for (int seq = 1; seq <= count; ++seq) {
        QByteArray record(recordSize, '\0');
        const QByteArray head = "W" + QByteArray::number(id) + ':' + QByteArray::number(seq) + ';';
        for (int i = 0; i < recordSize; ++i)
            record[i] = i < head.size() ? head[i] : writerPattern(id, seq, i);
        RecordArchive archive;
        if (!archive.OpenOrCreate(path, recordSize)) {
            std::fprintf(stderr, "open: %s\n", qPrintable(archive.ErrorString()));
            return 1;
        }
        const qint64 position = archive.Append(record);
        if (position < 0) {
            std::fprintf(stderr, "append: %s\n", qPrintable(archive.ErrorString()));
            return 1;
        }
        archive.Close();
        std::printf("%lld\n", static_cast<long long>(position));
    }
    return 0;
}
