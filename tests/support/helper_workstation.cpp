// Another workstation saving a record, for the tests of the record windows: reads the record at a
// position of an archive in a program folder, sets fields of it, and writes it back over the same
// position with a plain overwrite, as a workstation's Save does. Exits with 0 when the record was
// written, 1 when the archive could not be read or written, 2 for a wrong command line.
//
//   helper_workstation <folder> schede|clienti|automezzi <position> <field>=<value> ...

#include "archive/AutomezzoRecord.h"
#include "archive/ClienteRecord.h"
#include "archive/RecordArchive.h"
#include "archive/SchedaRecord.h"

#include <QCoreApplication>
#include <QDir>
#include <cstdio>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    const RecordFormat *format = nullptr;
    if (args.size() >= 5) {
        if (args[2] == QLatin1String("schede"))
            format = &SchedaRecord::format();
        else if (args[2] == QLatin1String("clienti"))
            format = &ClienteRecord::format();
        else if (args[2] == QLatin1String("automezzi"))
            format = &AutomezzoRecord::format();
    }
    bool numeric = false;
    const qint64 position = args.value(3).toLongLong(&numeric);
    if (!format || !numeric) {
        std::fprintf(stderr, "usage: helper_workstation <folder> schede|clienti|automezzi <position> "
                             "<field>=<value> ...\n");
        return 2;
    }

    RecordArchive archive;
    QByteArray record;
    if (!archive.OpenOrCreate(QDir(args[1]).filePath(format->fileName()), format->size())
        || !archive.ReadAt(position, record)) {
        std::fprintf(stderr, "read: %s\n", qPrintable(archive.ErrorString()));
        return 1;
    }
    for (const QString &assignment : args.mid(4)) {
        const int field = format->indexOf(assignment.section(QLatin1Char('='), 0, 0).toLatin1().constData());
        if (field < 0) {
            std::fprintf(stderr, "no field %s\n", qPrintable(assignment));
            return 2;
        }
        format->put(record, field, assignment.section(QLatin1Char('='), 1));
    }
    if (!archive.WriteAt(position, record)) {
        std::fprintf(stderr, "write: %s\n", qPrintable(archive.ErrorString()));
        return 1;
    }
    archive.Close();
    return 0;
}
