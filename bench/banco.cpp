// Every benchmark next to its yardstick, in one run and one table.
//
//   banco [NUMERO] [--ripeti N]
//
// Generates a sheet, a customer and a vehicle archive of NUMERO records each (100 000 unless told)
// with the generators of cerca_schede and cerca_anagrafiche in a temporary folder, then runs each
// measured part and its yardstick one after the other, N times (5 unless told), and prints the
// medians with their ratios and the peak memory of each.
//
// Every measured part runs in a child process of its own (this program started again with
// `--parte`), so that its peak memory is its own: the child reports the milliseconds of the part
// alone and its peak memory before the part (idle); the table shows the peak reached during the part
// above that. The yardsticks run as child processes too and are timed from start to exit: `cat`
// with its output to /dev/null, `LC_ALL=C grep -c -i -F` with its output read through a pipe,
// `djpeg` (libjpeg-turbo-progs; the row is left out when it is not installed) decoding one photo,
// `sqlite3 -html` writing the same customer rows to a file, and the bare Qt Widgets program
// finestra_minima. Start-up is timed for both from the start of the process to the first painting of
// its window.

#include "ExportCsv.h"
#include "PhonePhoto.h"
#include "archive/AutomezzoRecord.h"
#include "archive/ClienteRecord.h"
#include "archive/RecordArchive.h"
#include "archive/RecordReader.h"
#include "archive/RecordScan.h"
#include "archive/SchedaRecord.h"
#include "customers/ClienteExport.h"
#include "customers/ClienteSearch.h"
#include "reports/SpreadsheetExport.h"
#include "sheets/SchedaSearch.h"
#include "sheets/TfrmInterventi.h"
#include "shell/AppWindows.h"
#include "shell/Startup.h"
#include "vehicles/AutomezzoSearch.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEvent>
#include <QFile>
#include <QFileInfo>
#include <QIcon>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <functional>
#include <vector>

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

// ---------------------------------------------------------------------------------------------
// The measured parts, each in a child process

long peakKiB()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').value(0).toLong();
    }
    return -1;
}

double msSince(const QElapsedTimer &timer)
{
    return double(timer.nsecsElapsed()) / 1e6;
}

// The read and write system calls the process made (the system's own count, /proc/self/io), and
// the calls of the archive readers that it does not count (maps, unmaps, ring submissions).
long long systemCalls()
{
    long long calls = RecordReader::otherSystemCalls();
    QFile io(QStringLiteral("/proc/self/io"));
    if (!io.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : io.readAll().split('\n')) {
        if (line.startsWith("syscr:") || line.startsWith("syscw:"))
            calls += line.mid(6).trimmed().toLongLong();
    }
    return calls;
}

long long pageFaults()
{
    struct rusage usage = {};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<long long>(usage.ru_minflt) + usage.ru_majflt;
}

// Runs one part and prints "ms <milliseconds> idle <KiB> lines <count> faults <page faults> calls
// <system calls> way <reading way> measures <what the reader measured>"; returns the exit code.
int timePart(const std::function<qsizetype()> &part)
{
    const long idle = peakKiB();
    const long long faultsBefore = pageFaults();
    const long long callsBefore = systemCalls();
    QElapsedTimer timer;
    timer.start();
    const qsizetype lines = part();
    const double ms = msSince(timer);
    const long long calls = systemCalls() - callsBefore;
    const long long faults = pageFaults() - faultsBefore;
    const QString measures = RecordReader::lastMeasures();
    std::printf("ms %.3f idle %ld lines %lld faults %lld calls %lld way %s measures %s\n", ms, idle,
                static_cast<long long>(lines), faults, calls,
                RecordReader::lastWay().isEmpty() ? "-" : qPrintable(RecordReader::lastWay()),
                measures.isEmpty() ? "-" : qPrintable(measures));
    return lines < 0 ? 1 : 0;
}

qsizetype listed(bool ok, const ListedRecords &found)
{
    return ok ? found.size() : -1;
}

// Prints one line at the first painting of a window and ends the process there.
class FirstPaint : public QObject
{
protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint && qobject_cast<QWidget *>(watched)
            && static_cast<QWidget *>(watched)->isWindow()) {
            std::printf("mostrata\n");
            std::fflush(stdout);
            _exit(0);
        }
        return QObject::eventFilter(watched, event);
    }
};

// A sheet with two phone photos in folder, for the show part.
bool writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

int preparePhotos(const QString &folder)
{
    const QDir dir(folder);
    if (!writeFile(dir.filePath(QStringLiteral("Foto_A_1.jpg")), phonePhoto(1))
        || !writeFile(dir.filePath(QStringLiteral("Foto_B_1.jpg")), phonePhoto(2)))
        return 1;
    SchedaRecord record;
    record.NumScheda = QStringLiteral("1");
    RecordArchive archive;
    if (!archive.OpenOrCreate(dir.filePath(SchedaRecord::fileName()), SchedaRecord::kSize))
        return 1;
    return archive.Append(record.toBytes()) == 1 ? 0 : 1;
}

// The reading ways the second table forces, by the name given after --modo, with their threads.
struct ForcedWay
{
    QByteArray name;
    RecordReader::Mode mode;
    int threads;
};

const QList<ForcedWay> &forcedWays()
{
    static const QList<ForcedWay> ways = {
        {"map", RecordReader::Mode::Map, 1},       {"whole", RecordReader::Mode::Whole, 1},
        {"wholex2", RecordReader::Mode::Whole, 2}, {"span", RecordReader::Mode::Span, 1},
        {"ring", RecordReader::Mode::Ring, 1},     {"ringx2", RecordReader::Mode::Ring, 2},
    };
    return ways;
}

int runPart(int argc, char **argv)
{
    // "--modo WAY" at the end forces the archive reader's way.
    if (argc > 5 && QByteArray(argv[argc - 2]) == "--modo") {
        for (const ForcedWay &way : forcedWays()) {
            if (way.name == argv[argc - 1]) {
                RecordReader::setMode(way.mode);
                RecordReader::setThreads(way.threads);
            }
        }
        argc -= 2;
    }
    const QString part = QString::fromLocal8Bit(argv[2]);

    const QString path = argc > 3 ? QString::fromLocal8Bit(argv[3]) : QString();
    if (part == QLatin1String("schede-cerca")) {
        return timePart([&] {
            ListedRecords found;
            const SchedaSearch::Criteria criteria(
                {{SchedaRecord::fCliente, QStringLiteral("rossi")}, {SchedaRecord::fTarga, QStringLiteral("ab")}});
            return listed(SchedaSearch::search(path, criteria, found), found);
        });
    }
    if (part == QLatin1String("non-pagati")) {
        return timePart([&] {
            ListedRecords found;
            return listed(SchedaSearch::unpaid(path, found), found);
        });
    }
    if (part == QLatin1String("clienti-cerca")) {
        return timePart([&] {
            ListedRecords found;
            const RecordScan::Criteria criteria(ClienteRecord::format(),
                                                {{ClienteRecord::fCognome, QStringLiteral("ross")}});
            return listed(ClienteSearch::search(path, criteria, found), found);
        });
    }
    if (part == QLatin1String("automezzi-cerca")) {
        return timePart([&] {
            ListedRecords found;
            const RecordScan::Criteria criteria(AutomezzoRecord::format(),
                                                {{AutomezzoRecord::fMarca, QStringLiteral("fiat")}});
            return listed(AutomezzoSearch::search(path, criteria, found), found);
        });
    }
    if (part == QLatin1String("csv"))
        return writeCsv(path, QString::fromLocal8Bit(argv[4])) ? 0 : 1;

    QApplication app(argc, argv);
    Startup::prepare(app);
    if (part == QLatin1String("foto"))
        return preparePhotos(path);
    if (part == QLatin1String("esporta")) {
        const qint64 rows = argc > 4 ? QByteArray(argv[4]).toLongLong() : 0;
        const QString target = QDir(QFileInfo(path).path()).filePath(ClienteExport::table().fileName);
        return timePart([&]() -> qsizetype {
            const SpreadsheetExport::Outcome outcome =
                SpreadsheetExport::write(ClienteExport::table(), path, rows, {}, target);
            return outcome == SpreadsheetExport::Outcome::Written ? rows : -1;
        });
    }
    if (part == QLatin1String("mostra-scheda")) {
        AppWindows windows(path);
        windows.setEndHandler([] {});
        windows.create();
        TfrmInterventi *sheet = windows.frmInterventi();
        return timePart([&]() -> qsizetype {
            sheet->ShowRecordAt(1);
            return 1;
        });
    }
    if (part == QLatin1String("avvio")) {
        // The program's own start, as main does it, in the given program folder.
        app.setWindowIcon(QIcon(QStringLiteral(":/art/cablora.svg")));
        FirstPaint watch;
        app.installEventFilter(&watch);
        AppWindows windows(path);
        windows.create();
        windows.start();
        return app.exec();
    }
    std::fprintf(stderr, "parte sconosciuta: %s\n", argv[2]);
    return 2;
}

// ---------------------------------------------------------------------------------------------
// Children and their measures

struct Run
{
    bool ok = false;
    double ms = 0;     // from the start of the process to its exit (or to its first line)
    long peakKiB = 0;  // the child's peak resident memory
    QByteArray output;
};

enum class Output { Null, Pipe };

// Starts program with arguments (and extra environment), its output to /dev/null or read through a
// pipe. With untilFirstLine the time stops when the first line arrives.
Run runChild(const QString &program, const QStringList &arguments, Output output, bool untilFirstLine = false,
             const QList<QPair<QByteArray, QByteArray>> &environment = {})
{
    Run run;
    QList<QByteArray> args{QFile::encodeName(program)};
    for (const QString &a : arguments)
        args.append(QFile::encodeName(a));
    std::vector<char *> argv;
    for (QByteArray &a : args)
        argv.push_back(a.data());
    argv.push_back(nullptr);

    int pipeEnds[2] = {-1, -1};
    if (output == Output::Pipe && pipe(pipeEnds) != 0)
        return run;
    QElapsedTimer timer;
    timer.start();
    const pid_t pid = fork();
    if (pid == 0) {
        for (const auto &variable : environment)
            setenv(variable.first.constData(), variable.second.constData(), 1);
        if (output == Output::Pipe) {
            dup2(pipeEnds[1], STDOUT_FILENO);
            close(pipeEnds[0]);
            close(pipeEnds[1]);
        } else {
            const int null = open("/dev/null", O_WRONLY);
            dup2(null, STDOUT_FILENO);
            close(null);
        }
        execv(argv[0], argv.data());
        _exit(127);
    }
    if (pid < 0)
        return run;
    bool timed = false;
    if (output == Output::Pipe) {
        close(pipeEnds[1]);
        char buffer[65536];
        for (;;) {
            const ssize_t got = read(pipeEnds[0], buffer, sizeof buffer);
            if (got < 0 && errno == EINTR)
                continue;
            if (got <= 0)
                break;
            run.output.append(buffer, got);
            if (untilFirstLine && !timed && run.output.contains('\n')) {
                run.ms = msSince(timer);
                timed = true;
            }
        }
        close(pipeEnds[0]);
    }
    int status = 0;
    struct rusage usage = {};
    while (wait4(pid, &status, 0, &usage) < 0 && errno == EINTR) {
    }
    if (!timed)
        run.ms = msSince(timer);
    run.peakKiB = usage.ru_maxrss;
    run.ok = WIFEXITED(status) && WEXITSTATUS(status) == 0;
    return run;
}

double median(QVector<double> values)
{
    std::sort(values.begin(), values.end());
    return values.isEmpty() ? 0 : values.at(values.size() / 2);
}

// What a part's child printed (timePart).
struct PartOutput
{
    double ms = 0;
    long aboveIdleKiB = 0;
    QByteArray lines;
    long long faults = 0;
    long long calls = 0;
    QByteArray way;
    QByteArray measures;
};

bool parsePart(const Run &run, PartOutput *out)
{
    const QByteArray text = run.output.trimmed();
    const QList<QByteArray> words = text.split(' ');
    if (!run.ok || words.size() < 14 || words[0] != "ms")
        return false;
    out->ms = words[1].toDouble();
    out->aboveIdleKiB = qMax(0L, run.peakKiB - words[3].toLong());
    out->lines = words[5];
    out->faults = words[7].toLongLong();
    out->calls = words[9].toLongLong();
    out->way = words[11];
    out->measures = text.mid(text.indexOf(" measures ") + 10);
    return true;
}

QString loadText()
{
    double load[3] = {0, 0, 0};
    getloadavg(load, 3);
    return QStringLiteral("%1 %2 %3").arg(load[0], 0, 'f', 2).arg(load[1], 0, 'f', 2).arg(load[2], 0, 'f', 2);
}

void usage()
{
    std::fprintf(stderr, "uso: banco [NUMERO] [--ripeti N] [--minimi] [--solo-ricerche] [--markdown]\n");
}

}  // namespace

int main(int argc, char **argv)
{
    if (argc > 2 && QByteArray(argv[1]) == "--parte")
        return runPart(argc, argv);

    qint64 count = 100000;
    int repeat = 5;
    bool onlyScans = false;
    bool least = false;
    bool markdown = false;
    for (int i = 1; i < argc; ++i) {
        const QByteArray arg(argv[i]);
        if (arg == "--ripeti" && i + 1 < argc) {
            repeat = qMax(1, QByteArray(argv[++i]).toInt());
        } else if (arg == "--solo-ricerche") {
            onlyScans = true;
        } else if (arg == "--minimi") {
            least = true;
        } else if (arg == "--markdown") {
            markdown = true;
        } else if (arg.toLongLong() > 0) {
            count = arg.toLongLong();
        } else {
            usage();
            return 2;
        }
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");

    const QString self = QFileInfo(QStringLiteral("/proc/self/exe")).canonicalFilePath();
    const QDir benchDir = QFileInfo(self).dir();
    const QString cercaSchede = benchDir.filePath(QStringLiteral("cerca_schede"));
    const QString cercaAnagrafiche = benchDir.filePath(QStringLiteral("cerca_anagrafiche"));
    const QString minimal = benchDir.filePath(QStringLiteral("finestra_minima"));
    const QString cat = QStandardPaths::findExecutable(QStringLiteral("cat"));
    const QString grep = QStandardPaths::findExecutable(QStringLiteral("grep"));
    const QString djpeg = QStandardPaths::findExecutable(QStringLiteral("djpeg"));
    const QString sqlite = QStandardPaths::findExecutable(QStringLiteral("sqlite3"));

    QTemporaryDir folder;
    if (!folder.isValid()) {
        std::fprintf(stderr, "Impossibile creare la cartella temporanea\n");
        return 1;
    }
    const QDir dir(folder.path());
    if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR")) {
        // Qt asks for one; a private folder of the run keeps its warning out of the table.
        const QString runtime = dir.filePath(QStringLiteral("runtime"));
        dir.mkpath(runtime);
        QFile::setPermissions(runtime, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtime));
    }
    const QString sheets = dir.filePath(SchedaRecord::fileName());
    const QString customers = dir.filePath(ClienteRecord::fileName());
    const QString vehicles = dir.filePath(AutomezzoRecord::fileName());
    const QString photos = dir.filePath(QStringLiteral("foto"));
    const QString start = dir.filePath(QStringLiteral("avvio"));
    dir.mkpath(photos);
    dir.mkpath(start);
    const QString number = QString::number(count);
    std::printf("Preparazione: %lld record per archivio in %s\n", static_cast<long long>(count),
                qPrintable(folder.path()));
    std::fflush(stdout);
    const bool prepared =
        runChild(cercaSchede, {QStringLiteral("genera"), sheets, number}, Output::Null).ok
        && runChild(cercaAnagrafiche, {QStringLiteral("genera-clienti"), customers, number}, Output::Null).ok
        && runChild(cercaAnagrafiche, {QStringLiteral("genera-automezzi"), vehicles, number}, Output::Null).ok
        && runChild(self, {QStringLiteral("--parte"), QStringLiteral("foto"), photos}, Output::Null).ok;
    if (!prepared) {
        std::fprintf(stderr, "Preparazione non riuscita\n");
        return 1;
    }
    const QString database = dir.filePath(QStringLiteral("clienti.db"));
    const QString html = dir.filePath(QStringLiteral("clienti.html"));
    bool haveSqlite = !sqlite.isEmpty() && !onlyScans;
    if (haveSqlite) {
        const QString csv = dir.filePath(QStringLiteral("clienti.csv"));
        haveSqlite =
            runChild(self, {QStringLiteral("--parte"), QStringLiteral("csv"), customers, csv}, Output::Null).ok
            && runChild(sqlite, {database, QStringLiteral(".mode csv"), QStringLiteral(".import %1 clienti").arg(csv)},
                        Output::Null)
                   .ok;
        QFile::remove(csv);
    }

    // Each part with its yardsticks: the part's arguments, and per yardstick how to run it.
    struct Yard
    {
        QString program;
        QStringList arguments;
        Output output;
        bool untilFirstLine = false;
        QList<QPair<QByteArray, QByteArray>> environment;

        Yard(QString program_, QStringList arguments_, Output output_, bool untilFirstLine_ = false,
             QList<QPair<QByteArray, QByteArray>> environment_ = {})
            : program(std::move(program_)), arguments(std::move(arguments_)), output(output_),
              untilFirstLine(untilFirstLine_), environment(std::move(environment_))
        {
        }
    };
    struct Bench
    {
        QString what;
        QStringList part;  // arguments after --parte; empty: start-up
        bool untilFirstLine = false;
        QList<QPair<QString, Yard>> yards;  // the yardstick's name, how to run it
        QList<double> targets;
        QString skipNote;
    };
    const Yard catSheets{cat, {sheets}, Output::Null};
    const QList<QPair<QByteArray, QByteArray>> cLocale{{"LC_ALL", "C"}};
    QList<Bench> benches = {
        {QStringLiteral("ricerca schede (Cliente=rossi, Targa=ab)"),
         {QStringLiteral("schede-cerca"), sheets},
         false,
         {{QStringLiteral("cat"), catSheets},
          {QStringLiteral("grep -c -i -F rossi"),
           Yard{grep,
                {QStringLiteral("-c"), QStringLiteral("-i"), QStringLiteral("-F"), QStringLiteral("rossi"), sheets},
                Output::Pipe,
                false,
                cLocale}}},
         {0.5, 0},
         {}},
        {QStringLiteral("schede da saldare"),
         {QStringLiteral("non-pagati"), sheets},
         false,
         {{QStringLiteral("cat"), catSheets}},
         {0.5},
         {}},
        {QStringLiteral("ricerca clienti (Cognome=ross)"),
         {QStringLiteral("clienti-cerca"), customers},
         false,
         {{QStringLiteral("cat"), Yard{cat, {customers}, Output::Null}}},
         {1.0},
         {}},
        {QStringLiteral("ricerca automezzi (Marca=fiat)"),
         {QStringLiteral("automezzi-cerca"), vehicles},
         false,
         {{QStringLiteral("cat"), Yard{cat, {vehicles}, Output::Null}}},
         {1.0},
         {}},
        {QStringLiteral("mostra scheda con due foto 12 MP"),
         {QStringLiteral("mostra-scheda"), photos},
         false,
         {{QStringLiteral("djpeg di una foto"), Yard{djpeg,
                                                     {QStringLiteral("-outfile"), QStringLiteral("/dev/null"),
                                                      QDir(photos).filePath(QStringLiteral("Foto_A_1.jpg"))},
                                                     Output::Null}}},
         {1.0},
         djpeg.isEmpty() ? QStringLiteral("djpeg non installato (libjpeg-turbo-progs)") : QString()},
        {QStringLiteral("avvio fino alla finestra di accesso"),
         {},
         true,
         {{QStringLiteral("finestra Qt minima"), Yard{minimal, {}, Output::Pipe, true}},
          // The same bare window with one line of text: what loading the font database adds.
          {QStringLiteral("finestra minima con testo"), Yard{minimal, {QStringLiteral("testo")}, Output::Pipe, true}}},
         {1.2, 0},
         {}},
        {QStringLiteral("esportazione clienti (Clienti.xls)"),
         {QStringLiteral("esporta"), customers, number},
         false,
         {{QStringLiteral("sqlite3 -html su file"),
           Yard{QStringLiteral("/bin/sh"),
                {QStringLiteral("-c"), QStringLiteral("exec \"$0\" -html \"$1\" 'SELECT * FROM clienti;' > \"$2\""),
                 sqlite, database, html},
                Output::Null}}},
         {1.0},
         haveSqlite ? QString() : QStringLiteral("sqlite3 non installato")},
    };

    struct Result
    {
        QVector<double> ms;
        long aboveIdleKiB = 0;
        long peakKiB = 0;
        QByteArray lines;
        long long faults = -1;  // of the last run
        long long calls = -1;
        QByteArray way;
        QByteArray measures;
        QList<QVector<double>> yardMs;
        QList<long> yardPeakKiB;
        bool ok = true;
    };
    const auto takePart = [](const Run &run, Result &result, const QString &what) {
        PartOutput out;
        if (!parsePart(run, &out)) {
            result.ok = false;
            std::fprintf(stderr, "%s: non riuscita\n", qPrintable(what));
        }
        result.ms.append(out.ms);
        result.aboveIdleKiB = qMax(result.aboveIdleKiB, out.aboveIdleKiB);
        result.peakKiB = qMax(result.peakKiB, run.peakKiB);
        result.lines = out.lines;
        result.faults = out.faults;
        result.calls = out.calls;
        result.way = out.way;
        result.measures = out.measures;
    };
    // The scans (the first four rows) read archives through RecordReader: the second table runs each
    // again with its way of reading forced.
    constexpr int kScans = 4;
    if (onlyScans)
        benches = benches.mid(0, kScans);
    QList<Result> results(benches.size());
    for (int b = 0; b < benches.size(); ++b) {
        results[b].yardMs.resize(benches[b].yards.size());
        results[b].yardPeakKiB = QList<long>(benches[b].yards.size(), 0);
    }
    QList<QList<Result>> forced(kScans, QList<Result>(forcedWays().size()));

    const QString loadBefore = loadText();
    for (int r = 0; r < repeat; ++r) {
        std::printf("prova %d di %d\n", r + 1, repeat);
        std::fflush(stdout);
        for (int b = 0; b < benches.size(); ++b) {
            const Bench &bench = benches[b];
            Result &result = results[b];
            if (!bench.skipNote.isEmpty())
                continue;
            if (bench.part.isEmpty()) {
                const Run run =
                    runChild(self, {QStringLiteral("--parte"), QStringLiteral("avvio"), start}, Output::Pipe, true);
                result.ok = result.ok && run.ok && run.output.startsWith("mostrata");
                result.ms.append(run.ms);
                result.peakKiB = qMax(result.peakKiB, run.peakKiB);
            } else {
                takePart(runChild(self, QStringList{QStringLiteral("--parte")} + bench.part, Output::Pipe), result,
                         bench.what);
            }
            for (int y = 0; y < bench.yards.size(); ++y) {
                const Yard &yard = bench.yards[y].second;
                const Run run =
                    runChild(yard.program, yard.arguments, yard.output, yard.untilFirstLine, yard.environment);
                if (!run.ok && !(yard.output == Output::Pipe && run.output.trimmed() == "0"))
                    result.ok = false;
                result.yardMs[y].append(run.ms);
                result.yardPeakKiB[y] = qMax(result.yardPeakKiB[y], run.peakKiB);
            }
            if (b < kScans) {
                for (int w = 0; w < forcedWays().size(); ++w) {
                    const QStringList arguments =
                        QStringList{QStringLiteral("--parte")} + bench.part
                        + QStringList{QStringLiteral("--modo"), QString::fromLatin1(forcedWays()[w].name)};
                    takePart(runChild(self, arguments, Output::Pipe), forced[b][w], bench.what);
                }
            }
        }
    }
    const auto summary = [least](const QVector<double> &values) {
        return least ? (values.isEmpty() ? 0 : *std::min_element(values.begin(), values.end())) : median(values);
    };

    std::printf("\n%lld record per archivio (schede %.0f MB, clienti %.0f MB, automezzi %.0f MB), "
                "%s di %d prove alternate, carico medio (1, 5, 15 minuti) all'inizio %s, alla fine %s\n\n",
                static_cast<long long>(count), QFileInfo(sheets).size() / 1e6, QFileInfo(customers).size() / 1e6,
                QFileInfo(vehicles).size() / 1e6, least ? "minimi" : "mediane", repeat, qPrintable(loadBefore),
                qPrintable(loadText()));
    std::printf("%-42s %9s  %-25s %9s %8s %9s %6s %12s %10s %-8s %9s %9s\n", "misura", "ms", "metro di paragone", "ms",
                "rapporto", "obiettivo", "esito", "picco MB", "metro MB", "modo", "fault", "chiamate");
    bool allOk = true;
    for (int b = 0; b < benches.size(); ++b) {
        const Bench &bench = benches[b];
        const Result &result = results[b];
        if (!bench.skipNote.isEmpty()) {
            std::printf("%-42s saltata: %s\n", qPrintable(bench.what), qPrintable(bench.skipNote));
            continue;
        }
        allOk = allOk && result.ok;
        const double ms = summary(result.ms);
        // Peak memory: above idle for the parts that report it, the whole process for start-up.
        const QString peak = bench.part.isEmpty() ? QStringLiteral("%1").arg(result.peakKiB / 1024.0, 0, 'f', 1)
                                                  : QStringLiteral("+%1").arg(result.aboveIdleKiB / 1024.0, 0, 'f', 1);
        for (int y = 0; y < bench.yards.size(); ++y) {
            const double yardMs = summary(result.yardMs[y]);
            const double ratio = yardMs > 0 ? ms / yardMs : 0;
            const double target = bench.targets.value(y);
            const char *verdict = target <= 0 ? "-" : (ratio <= target ? "s\xC3\xAC" : "no");
            const bool first = y == 0;
            std::printf("%-42s %9.1f  %-25s %9.1f %8.2f %9s %6s %12s %10.1f %-8s %9s %9s\n",
                        first ? qPrintable(bench.what) : "", ms, qPrintable(bench.yards[y].first), yardMs, ratio,
                        target > 0 ? qPrintable(QString::fromUtf8("\xE2\x89\xA4 %1").arg(target, 0, 'f', 1)) : "-",
                        verdict, first ? qPrintable(peak) : "", result.yardPeakKiB[y] / 1024.0,
                        first && !result.way.isEmpty() && b < kScans ? result.way.constData() : "",
                        first && result.faults >= 0 ? qPrintable(QString::number(result.faults)) : "",
                        first && result.calls >= 0 ? qPrintable(QString::number(result.calls)) : "");
        }
        if (!result.ok)
            std::printf("%-42s   (una o pi\xC3\xB9 prove non riuscite)\n", "");
    }
    std::printf("\npicco MB: per le ricerche, gli elenchi, la scheda e l'esportazione la memoria di picco "
                "raggiunta dalla misura oltre quella a riposo del processo; per l'avvio il picco del processo.\n");
    std::printf("modo: come le ricerche hanno letto l'archivio (RecordReader): map mappato, whole a blocchi "
                "interi, span una lettura posizionata per record, ring letture posizionate a lotti con io_uring%s; "
                "x2 su due thread.\n",
                RecordReader::ringAvailable() ? "" : " (io_uring non disponibile qui: ring legge come span)");
    std::printf("fault e chiamate: i page fault (getrusage) e le chiamate di sistema di lettura e scrittura "
                "(/proc/self/io) pi\xC3\xB9 mappature e invii a io_uring della misura, nell'ultima prova.\n");
    for (int b = 0; b < kScans && b < benches.size(); ++b) {
        if (!results[b].measures.isEmpty() && results[b].measures != "-")
            std::printf("misurati al via (\xC2\xB5s per record): %s: %s\n", qPrintable(benches[b].what),
                        results[b].measures.constData());
    }
    std::printf("righe trovate: schede %s, da saldare %s, clienti %s, automezzi %s\n",
                results.value(0).lines.constData(), results.value(1).lines.constData(),
                results.value(2).lines.constData(), results.value(3).lines.constData());

    // The same scans with the way of reading forced, next to the same cat.
    std::printf("\nLe stesse ricerche con il modo di lettura imposto (%s di %d prove, carico medio alla fine %s)\n\n",
                least ? "minimi" : "mediane", repeat, qPrintable(loadText()));
    std::printf("%-42s %-8s %9s %9s %8s %9s %9s\n", "misura", "modo", "ms", "cat ms", "rapporto", "fault", "chiamate");
    for (int b = 0; b < kScans && b < benches.size(); ++b) {
        const double catMs = summary(results[b].yardMs.value(0));
        for (int w = 0; w < forcedWays().size(); ++w) {
            const Result &result = forced[b][w];
            allOk = allOk && result.ok;
            const double ms = summary(result.ms);
            std::printf("%-42s %-8s %9.1f %9.1f %8.2f %9lld %9lld%s\n", w == 0 ? qPrintable(benches[b].what) : "",
                        result.way.constData(), ms, catMs, catMs > 0 ? ms / catMs : 0, result.faults, result.calls,
                        result.lines == results[b].lines ? "" : "  (righe diverse!)");
            if (result.lines != results[b].lines)
                allOk = false;
        }
    }

    // The same tables in Markdown, for the README.
    if (markdown) {
        std::printf("\n%lld records per archive, %s of %d alternating runs, load average (1, 5, 15 minutes) at the "
                    "start %s, at the end %s:\n\n",
                    static_cast<long long>(count), least ? "least" : "medians", repeat, qPrintable(loadBefore),
                    qPrintable(loadText()));
        std::printf(
            "| measure | ms | yardstick | ms | ratio | target | way | page faults | system calls | peak MB |\n");
        std::printf("|---|---:|---|---:|---:|---:|---|---:|---:|---:|\n");
        for (int b = 0; b < benches.size(); ++b) {
            const Bench &bench = benches[b];
            const Result &result = results[b];
            if (!bench.skipNote.isEmpty())
                continue;
            const double ms = summary(result.ms);
            for (int y = 0; y < bench.yards.size(); ++y) {
                const double yardMs = summary(result.yardMs[y]);
                const double target = bench.targets.value(y);
                const bool first = y == 0;
                std::printf("| %s | %s | %s | %.1f | %.2f | %s | %s | %s | %s | %s |\n",
                            first ? qPrintable(bench.what) : "", first ? qPrintable(QString::number(ms, 'f', 1)) : "",
                            qPrintable(bench.yards[y].first), yardMs, yardMs > 0 ? ms / yardMs : 0,
                            target > 0 ? qPrintable(QString::fromUtf8("\xE2\x89\xA4 %1").arg(target, 0, 'f', 1)) : "",
                            first && b < kScans ? result.way.constData() : "",
                            first && result.faults >= 0 ? qPrintable(QString::number(result.faults)) : "",
                            first && result.calls >= 0 ? qPrintable(QString::number(result.calls)) : "",
                            !first ? ""
                            : bench.part.isEmpty()
                                ? qPrintable(QStringLiteral("%1 (whole)").arg(result.peakKiB / 1024.0, 0, 'f', 1))
                                : qPrintable(QStringLiteral("+%1").arg(result.aboveIdleKiB / 1024.0, 0, 'f', 1)));
            }
        }
        std::printf("\n| scan | way forced | ms | cat ms | ratio | page faults | system calls |\n");
        std::printf("|---|---|---:|---:|---:|---:|---:|\n");
        for (int b = 0; b < kScans && b < benches.size(); ++b) {
            const double catMs = summary(results[b].yardMs.value(0));
            for (int w = 0; w < forcedWays().size(); ++w) {
                const Result &result = forced[b][w];
                const double ms = summary(result.ms);
                std::printf("| %s | %s | %.1f | %.1f | %.2f | %lld | %lld |\n",
                            w == 0 ? qPrintable(benches[b].what) : "", result.way.constData(), ms, catMs,
                            catMs > 0 ? ms / catMs : 0, result.faults, result.calls);
            }
        }
    }
    return allOk ? 0 : 1;
}
