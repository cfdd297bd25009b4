// prova_durata: a soak run of the sheet archive shared by several workstations.
//
//   prova_durata [SECONDI] [--cartella CARTELLA]
//
// For SECONDI seconds (600 unless told) two writer processes save sheets into one sheet archive,
// appending new ones and overwriting their own earlier ones, each through its own open, write and
// close as a command of the program does; a third process runs the sheet search over the same
// archive again and again. Each writer logs every save that reported success. At the end the archive
// is checked against both logs: every save reported must be there, whole, in its last version, and
// the archive must hold no other sheet. The resident memory of every process (VmRSS from
// /proc/<pid>/status) is sampled every half second; the table shows it at start, its highest and at
// the end. The folder is a temporary one under the system's temporary folder unless told; the exit
// status is 0 only when the check passes.
//
// The program starts itself again for the children:
//   prova_durata --scrittore ID CARTELLA SECONDI REGISTRO
//   prova_durata --lettore CARTELLA SECONDI

#include "archive/RecordArchive.h"
#include "archive/SchedaRecord.h"
#include "sheets/SchedaSearch.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QThread>

#include <algorithm>
#include <cstdio>
#include <map>
#include <vector>

namespace {

QString archivePath(const QString &folder)
{
    return QDir(folder).filePath(SchedaRecord::fileName());
}

// The sheet that writer `writer` saves as its sheet `seq`, version `generation`: every field tells
// which one it is, the long text fills most of the work field, so that two versions differ all along
// the record.
SchedaRecord sheetOf(int writer, qint64 seq, qint64 generation)
{
    SchedaRecord r;
    r.NumScheda = QStringLiteral("%1%2").arg(writer).arg(seq, 6, 10, QLatin1Char('0'));
    r.Data = QStringLiteral("10/12/2026");
    r.Tecnico = QStringLiteral("Tecnico %1").arg(writer);
    r.Azienda = QStringLiteral("Elettrauto della prova di durata");
    r.Cliente = QStringLiteral("Cliente W%1 %2").arg(writer).arg(seq);
    r.Recapito = QStringLiteral("333 %1").arg(seq);
    r.Targa = QStringLiteral("PD%1W%2").arg(seq % 100000).arg(writer);
    r.Marca = QStringLiteral("Fiat Panda");
    QString work;
    for (int line = 0; work.size() < 4500; ++line)
        work +=
            QStringLiteral("Versione %1, riga %2: controllo impianto e sostituzione.\r\n").arg(generation).arg(line);
    r.Interventi = work.left(4500);
    r.Note = QStringLiteral("versione %1").arg(generation);
    r.Totale = QStringLiteral("%1,00").arg(generation % 1000);
    r.Pagato = generation % 2 ? QStringLiteral("Sì") : QStringLiteral("No");
    return r;
}

qint64 residentKb(qint64 pid)
{
    QFile status(QStringLiteral("/proc/%1/status").arg(pid));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').value(0).toLongLong();
    }
    return -1;
}

// ---- Writer ------------------------------------------------------------------------------------

int runWriter(int id, const QString &folder, int seconds, const QString &logPath)
{
    QFile log(logPath);
    if (!log.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Unbuffered)) {
        std::fprintf(stderr, "registro: %s\n", qPrintable(log.errorString()));
        return 2;
    }
    QRandomGenerator random(quint32(1000 + id));
    struct Own
    {
        qint64 position;
        qint64 seq;
        qint64 generation;
    };
    std::vector<Own> own;
    qint64 appends = 0, overwrites = 0, failures = 0;
    const QDeadlineTimer deadline(qint64(seconds) * 1000);
    while (!deadline.hasExpired()) {
        RecordArchive archive;
        if (!archive.OpenOrCreate(archivePath(folder), SchedaRecord::kSize)) {
            ++failures;
            QThread::msleep(50);
            continue;
        }
        // One save in four is a new sheet, the others change a sheet this writer saved before.
        if (own.empty() || random.bounded(4) == 0) {
            const qint64 seq = qint64(own.size()) + 1;
            const qint64 position = archive.Append(sheetOf(id, seq, 0).toBytes());
            if (position < 1) {
                ++failures;
                continue;
            }
            own.push_back({position, seq, 0});
            ++appends;
            log.write(QStringLiteral("salvato %1 %2 0\n").arg(position).arg(seq).toLatin1());
        } else {
            Own &sheet = own[random.bounded(quint32(own.size()))];
            if (!archive.WriteAt(sheet.position, sheetOf(id, sheet.seq, sheet.generation + 1).toBytes())) {
                ++failures;
                continue;
            }
            ++sheet.generation;
            ++overwrites;
            log.write(QStringLiteral("salvato %1 %2 %3\n")
                          .arg(sheet.position)
                          .arg(sheet.seq)
                          .arg(sheet.generation)
                          .toLatin1());
        }
        archive.Close();
        // A person saves far less often; the pause keeps the archive to a size the machine can scan.
        QThread::msleep(5);
    }
    std::printf("aggiunte %lld sovrascritture %lld errori %lld\n", static_cast<long long>(appends),
                static_cast<long long>(overwrites), static_cast<long long>(failures));
    return 0;
}

// ---- Reader ------------------------------------------------------------------------------------

int runReader(const QString &folder, int seconds)
{
    const QList<SchedaSearch::Criteria> searches = {
        SchedaSearch::Criteria({{SchedaRecord::fCliente, QStringLiteral("cliente w1")}}),
        SchedaSearch::Criteria({{SchedaRecord::fCliente, QStringLiteral("w2 1")}}),
        SchedaSearch::Criteria({{SchedaRecord::fTarga, QStringLiteral("pd7")}}),
        SchedaSearch::Criteria({{SchedaRecord::fNote, QStringLiteral("versione 3")}}),
    };
    qint64 runs = 0, listed = 0, failures = 0;
    const QDeadlineTimer deadline(qint64(seconds) * 1000);
    while (!deadline.hasExpired()) {
        ListedRecords found;
        if (!SchedaSearch::search(archivePath(folder), searches[int(runs % searches.size())], found))
            ++failures;
        listed += found.size();
        ++runs;
        QThread::msleep(20);
    }
    std::printf("ricerche %lld righe %lld errori %lld\n", static_cast<long long>(runs), static_cast<long long>(listed),
                static_cast<long long>(failures));
    return 0;
}

// ---- Coordinator -------------------------------------------------------------------------------

struct Child
{
    QString name;
    QProcess process;
    qint64 pid = 0;
    qint64 startKb = -1, maxKb = 0, endKb = -1;
    QByteArray report;
};

struct Saved
{
    int writer;
    qint64 seq;
    qint64 generation;
};

// Checks the archive against the writers' logs; prints what is wrong and returns the number of faults.
qint64 verify(const QString &folder, const QStringList &logs, qint64 *reportedSaves, qint64 *sheets)
{
    std::map<qint64, Saved> expected;  // position -> last reported version
    qint64 faults = 0;
    *reportedSaves = 0;
    for (int i = 0; i < logs.size(); ++i) {
        QFile log(logs[i]);
        if (!log.open(QIODevice::ReadOnly)) {
            std::printf("registro illeggibile: %s\n", qPrintable(logs[i]));
            ++faults;
            continue;
        }
        for (const QByteArray &line : log.readAll().split('\n')) {
            const QList<QByteArray> w = line.split(' ');
            if (w.size() != 4 || w[0] != "salvato")
                continue;
            ++*reportedSaves;
            const qint64 position = w[1].toLongLong();
            const Saved saved{i + 1, w[2].toLongLong(), w[3].toLongLong()};
            const auto it = expected.find(position);
            if (it != expected.end() && (it->second.writer != saved.writer || it->second.seq != saved.seq)) {
                std::printf("posizione %lld salvata da due scrittori o per due schede\n",
                            static_cast<long long>(position));
                ++faults;
            }
            expected[position] = saved;
        }
    }
    RecordArchive archive;
    if (!archive.OpenForReading(archivePath(folder), SchedaRecord::kSize)) {
        std::printf("archivio illeggibile\n");
        return faults + 1;
    }
    *sheets = archive.Count();
    if (*sheets != qint64(expected.size())) {
        std::printf("l'archivio ha %lld schede, i registri ne riportano %lld\n", static_cast<long long>(*sheets),
                    static_cast<long long>(expected.size()));
        ++faults;
    }
    QByteArray bytes;
    for (const auto &[position, saved] : expected) {
        if (!archive.ReadAt(position, bytes) || bytes != sheetOf(saved.writer, saved.seq, saved.generation).toBytes()) {
            if (faults < 20)
                std::printf("scheda %lld non è la versione %lld salvata dallo scrittore %d\n",
                            static_cast<long long>(position), static_cast<long long>(saved.generation), saved.writer);
            ++faults;
        }
    }
    if (QFile::exists(archivePath(folder) + QStringLiteral("-journal"))) {
        std::printf("un giornale di ripristino è rimasto accanto all'archivio\n");
        ++faults;
    }
    return faults;
}

QString mb(qint64 kb)
{
    return kb < 0 ? QStringLiteral("-") : QStringLiteral("%1 MB").arg(double(kb) / 1024.0, 0, 'f', 1);
}

int runCoordinator(int seconds, QString folder)
{
    std::unique_ptr<QTemporaryDir> temporary;
    if (folder.isEmpty()) {
        temporary = std::make_unique<QTemporaryDir>(QDir::tempPath() + QStringLiteral("/prova_durata-XXXXXX"));
        if (!temporary->isValid()) {
            std::fprintf(stderr, "cartella temporanea: %s\n", qPrintable(temporary->errorString()));
            return 2;
        }
        folder = temporary->path();
    }
    const QString self = QCoreApplication::applicationFilePath();
    const QStringList logs = {QDir(folder).filePath(QStringLiteral("scrittore1.log")),
                              QDir(folder).filePath(QStringLiteral("scrittore2.log"))};
    for (const QString &log : logs)
        QFile::remove(log);

    std::vector<std::unique_ptr<Child>> children;
    const auto start = [&](const QString &name, const QStringList &arguments) {
        auto child = std::make_unique<Child>();
        child->name = name;
        child->process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        child->process.start(self, arguments);
        if (!child->process.waitForStarted()) {
            std::fprintf(stderr, "%s: %s\n", qPrintable(name), qPrintable(child->process.errorString()));
            return false;
        }
        child->pid = child->process.processId();
        children.push_back(std::move(child));
        return true;
    };
    const QString secondsText = QString::number(seconds);
    if (!start(QStringLiteral("scrittore 1"),
               {QStringLiteral("--scrittore"), QStringLiteral("1"), folder, secondsText, logs[0]})
        || !start(QStringLiteral("scrittore 2"),
                  {QStringLiteral("--scrittore"), QStringLiteral("2"), folder, secondsText, logs[1]})
        || !start(QStringLiteral("lettore"), {QStringLiteral("--lettore"), folder, secondsText}))
        return 2;

    std::printf("prova di durata: %d s nella cartella %s\n", seconds, qPrintable(folder));
    std::fflush(stdout);
    QElapsedTimer clock;
    clock.start();
    qint64 lastNote = 0;
    for (;;) {
        bool running = false;
        for (auto &child : children) {
            if (child->process.state() != QProcess::Running)
                continue;
            running = true;
            const qint64 kb = residentKb(child->pid);
            if (kb < 0)
                continue;
            // The first sample a second in: the process has started and opened what it needs.
            if (child->startKb < 0 && clock.elapsed() >= 1000)
                child->startKb = kb;
            child->maxKb = std::max(child->maxKb, kb);
            child->endKb = kb;
        }
        if (!running)
            break;
        if (clock.elapsed() - lastNote >= 60000) {
            lastNote = clock.elapsed();
            std::printf("  %lld s\n", static_cast<long long>(lastNote / 1000));
            std::fflush(stdout);
        }
        for (auto &child : children)
            child->process.waitForFinished(1);
        QThread::msleep(500);
    }
    bool childrenOk = true;
    for (auto &child : children) {
        child->process.waitForFinished(-1);
        child->report = child->process.readAllStandardOutput().trimmed();
        if (child->process.exitStatus() != QProcess::NormalExit || child->process.exitCode() != 0)
            childrenOk = false;
    }

    qint64 reported = 0, sheets = 0;
    const qint64 faults = verify(folder, logs, &reported, &sheets);
    const bool passed = faults == 0 && childrenOk;

    std::printf("\nProva di durata: %d secondi, due postazioni che salvano e una che cerca sulla stessa cartella\n\n",
                seconds);
    std::printf("%-12s | %-44s | %14s | %11s | %12s\n", "processo", "lavoro svolto", "memoria inizio", "memoria max",
                "memoria fine");
    std::printf("%s\n", QByteArray(104, '-').constData());
    for (auto &child : children) {
        std::printf("%-12s | %-44s | %14s | %11s | %12s\n", qPrintable(child->name), child->report.constData(),
                    qPrintable(mb(child->startKb)), qPrintable(mb(child->maxKb)), qPrintable(mb(child->endKb)));
    }
    std::printf("\nSalvataggi riportati dai registri: %lld; schede in archivio: %lld (%.1f MB)\n",
                static_cast<long long>(reported), static_cast<long long>(sheets),
                double(sheets) * SchedaRecord::kSize / (1024.0 * 1024.0));
    std::printf("Verifica: %s\n", passed ? "superata, ogni salvataggio riportato è presente e integro"
                                         : qPrintable(QStringLiteral("FALLITA (%1 errori)").arg(faults)));
    return passed ? 0 : 1;
}

}  // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    if (args.value(0) == QStringLiteral("--scrittore") && args.size() == 5)
        return runWriter(args[1].toInt(), args[2], args[3].toInt(), args[4]);
    if (args.value(0) == QStringLiteral("--lettore") && args.size() == 3)
        return runReader(args[1], args[2].toInt());

    int seconds = 600;
    QString folder;
    for (int i = 0; i < args.size(); ++i) {
        if (args[i] == QStringLiteral("--cartella") && i + 1 < args.size()) {
            folder = args[++i];
        } else {
            bool ok = false;
            seconds = args[i].toInt(&ok);
            if (!ok || seconds < 1) {
                std::fprintf(stderr, "uso: prova_durata [SECONDI] [--cartella CARTELLA]\n");
                return 2;
            }
        }
    }
    return runCoordinator(seconds, folder);
}
