#include "backup/Backup.h"

#include "archive/AutomezzoRecord.h"
#include "archive/ClienteRecord.h"
#include "archive/RecordArchive.h"
#include "archive/RollbackJournal.h"
#include "archive/SchedaRecord.h"
#include "common/FaultInjection.h"
#include "common/SafeFile.h"
#include "common/SystemError.h"

#include <QCryptographicHash>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QRegularExpression>

#include <archive.h>
#include <archive_entry.h>

#include <cerrno>
#include <memory>
#include <optional>

#ifdef Q_OS_UNIX
#  include <fcntl.h>
#  include <unistd.h>
#endif

namespace Backup {

namespace {

constexpr qint64 kChunk = 1 << 20;

const QStringList &dataFolders()
{
    static const QStringList folders{QStringLiteral("Autoparco"), QStringLiteral("Documenti_Allegati"),
                                     QStringLiteral("Fatture_Elettroniche")};
    return folders;
}

QString stamp(const QDateTime &when)
{
    return when.toString(QStringLiteral("yyyy-MM-dd_HH-mm-ss"));
}

struct ReadDeleter
{
    void operator()(archive *a) const { archive_read_free(a); }
};
struct WriteDeleter
{
    void operator()(archive *a) const { archive_write_free(a); }
};
struct EntryDeleter
{
    void operator()(archive_entry *e) const { archive_entry_free(e); }
};

// Why libarchive failed, in Italian: the cause a user can act on (a full disk, a read-only folder, a
// file in use, a damaged copy), with libarchive's own text kept apart as a technical detail.
QString archiveError(archive *a, bool reading)
{
    const char *text = archive_error_string(a);
    const QString detail = text ? QString::fromLocal8Bit(text).trimmed() : QString();
    const int number = archive_errno(a);
    QString cause;
    // libarchive's own kinds of error (a file that is no zip or is damaged, a misuse) reuse these
    // numbers; every other number is the system's.
#ifdef EFTYPE
    const bool format = number == EFTYPE || number == EILSEQ;
#else
    const bool format = number == EILSEQ;
#endif
    if (number > 0 && !format && number != EINVAL)
        cause = SystemError::italian(number);
    else if (reading)
        cause = QStringLiteral("il file è danneggiato, incompleto o non è una copia di sicurezza in formato zip");
    else
        cause = QStringLiteral("errore nella scrittura della copia");
    return detail.isEmpty() ? cause : QStringLiteral("%1 (dettaglio tecnico: %2)").arg(cause, detail);
}

using FaultInjection::Step;

// The text the system gives for a refused step, when a test makes one refuse.
QString refused()
{
    return SystemError::refused();
}

// Puts a written file on the disk before it takes its final name; false when the disk refuses.
bool syncFile(const QString &path)
{
    if (FaultInjection::fails(Step::Flush))
        return false;
#ifdef Q_OS_UNIX
    QFile file(path);
    return file.open(QIODevice::ReadOnly) && ::fsync(file.handle()) == 0;
#else
    Q_UNUSED(path);
    return true;
#endif
}

// Why an entry name of a copy cannot be restored, or the empty text when it can.
QString nameProblem(const QString &name)
{
    if (name.isEmpty())
        return QStringLiteral("nome vuoto");
    if (name.startsWith(QLatin1Char('/')) || name.contains(QLatin1Char('\\'))
        || (name.size() >= 2 && name.at(1) == QLatin1Char(':')))
        return QStringLiteral("percorso assoluto");
    const QStringList parts = name.split(QLatin1Char('/'), Qt::SkipEmptyParts);
    for (const QString &part : parts) {
        if (part == QLatin1String("..") || part == QLatin1String("."))
            return QStringLiteral("percorso che esce dalla cartella del programma");
    }
    return QString();
}

class ZipWriter
{
public:
    explicit ZipWriter(const QString &path) : m_archive(archive_write_new())
    {
        archive_write_set_format_zip(m_archive.get());
        if (FaultInjection::fails(Step::Open)) {
            m_error = refused();
            return;
        }
        m_ok = archive_write_open_filename(m_archive.get(), QFile::encodeName(path).constData()) == ARCHIVE_OK;
        if (!m_ok)
            m_error = archiveError(m_archive.get(), false);
    }
    bool ok() const { return m_ok; }
    QString error() const { return m_error; }

    bool begin(const QString &name, qint64 size, const QDateTime &modified)
    {
        std::unique_ptr<archive_entry, EntryDeleter> entry(archive_entry_new());
        archive_entry_set_pathname_utf8(entry.get(), name.toUtf8().constData());
        archive_entry_set_filetype(entry.get(), AE_IFREG);
        archive_entry_set_perm(entry.get(), 0644);
        archive_entry_set_size(entry.get(), size);
        if (modified.isValid())
            archive_entry_set_mtime(entry.get(), modified.toSecsSinceEpoch(), 0);
        if (FaultInjection::fails(Step::Write))  // the entry's header goes to the file too
            return refuse();
        return check(archive_write_header(m_archive.get(), entry.get()) == ARCHIVE_OK);
    }
    bool data(const char *bytes, qint64 size)
    {
        if (FaultInjection::fails(Step::Write))
            return refuse();
        return check(archive_write_data(m_archive.get(), bytes, size_t(size)) == size);
    }
    // Writes the zip's directory and closes the file.
    bool close()
    {
        if (FaultInjection::fails(Step::Flush)) {
            archive_write_close(m_archive.get());
            return refuse();
        }
        return check(archive_write_close(m_archive.get()) == ARCHIVE_OK);
    }

private:
    bool refuse()
    {
        if (m_ok) {
            m_ok = false;
            m_error = refused();
        }
        return false;
    }
    bool check(bool ok)
    {
        if (!ok && m_ok) {
            m_ok = false;
            m_error = archiveError(m_archive.get(), false);
        }
        return ok;
    }
    std::unique_ptr<archive, WriteDeleter> m_archive;
    bool m_ok = false;
    QString m_error;
};

// Reads every entry of a copy, checking names and the zip checksums, and hands each entry's data to
// sink in chunks (sink may be empty). The work done is measured in bytes of the zip file read.
struct EntryInfo
{
    QString name;
    qint64 size = 0;
    QByteArray sha256;
};
using Sink = std::function<bool(const QString &name, const char *data, qint64 size, QString *error)>;

Result readCopy(const QString &zipPath, QVector<EntryInfo> *entries, const Sink &sink, const Progress &progress)
{
    Result result;
    const QString copyName = QFileInfo(zipPath).fileName();
    const qint64 total = QFileInfo(zipPath).size();
    std::unique_ptr<archive, ReadDeleter> a(archive_read_new());
    archive_read_support_format_zip(a.get());
    if (archive_read_open_filename(a.get(), QFile::encodeName(zipPath).constData(), 1 << 16) != ARCHIVE_OK) {
        result.error = QStringLiteral("Impossibile aprire la copia di sicurezza %1: %2")
                           .arg(copyName, archiveError(a.get(), true));
        return result;
    }
    QByteArray buffer(kChunk, Qt::Uninitialized);
    archive_entry *entry = nullptr;
    int r;
    while ((r = archive_read_next_header(a.get(), &entry)) == ARCHIVE_OK) {
        const char *utf8 = archive_entry_pathname_utf8(entry);
        QString name = utf8 ? QString::fromUtf8(utf8) : QString::fromLocal8Bit(archive_entry_pathname(entry));
        const QString problem = nameProblem(name);
        if (!problem.isEmpty()) {
            result.error = QStringLiteral("La copia di sicurezza %1 contiene un elemento non ammesso "
                                          "(\"%2\": %3) e non viene ripristinata.")
                               .arg(copyName, name, problem);
            return result;
        }
        const auto type = archive_entry_filetype(entry);
        if (type == AE_IFDIR)
            continue;
        while (name.endsWith(QLatin1Char('/')))
            name.chop(1);
        if (type != AE_IFREG || !isDataPath(name)) {
            result.error = QStringLiteral("La copia di sicurezza %1 contiene un file che non appartiene ai "
                                          "dati di Cablora (\"%2\") e non viene ripristinata.")
                               .arg(copyName, name);
            return result;
        }
        EntryInfo info;
        info.name = name;
        QCryptographicHash hash(QCryptographicHash::Sha256);
        for (;;) {
            const la_ssize_t n = archive_read_data(a.get(), buffer.data(), size_t(buffer.size()));
            if (n < 0) {
                result.error = QStringLiteral("La copia di sicurezza %1 è danneggiata (%2: %3).")
                                   .arg(copyName, name, archiveError(a.get(), true));
                return result;
            }
            if (n == 0)
                break;
            hash.addData(QByteArrayView(buffer.constData(), n));
            info.size += n;
            if (sink && !sink(name, buffer.constData(), n, &result.error))
                return result;
        }
        if (sink && !sink(name, nullptr, 0, &result.error))  // the entry is complete
            return result;
        info.sha256 = hash.result();
        if (entries)
            entries->append(info);
        ++result.files;
        if (progress && !progress(archive_filter_bytes(a.get(), -1), total)) {
            result.error = QStringLiteral("Operazione annullata.");
            return result;
        }
    }
    if (r != ARCHIVE_EOF) {
        result.error =
            QStringLiteral("La copia di sicurezza %1 è danneggiata: %2").arg(copyName, archiveError(a.get(), true));
        return result;
    }
    result.ok = true;
    return result;
}

// The record size of a data file that is one of the three archives (its exact name, in the program
// folder itself), or 0.
int archiveRecordSize(const QString &relative)
{
    if (relative == SchedaRecord::fileName())
        return SchedaRecord::kSize;
    if (relative == ClienteRecord::fileName())
        return ClienteRecord::kSize;
    if (relative == AutomezzoRecord::fileName())
        return AutomezzoRecord::kSize;
    return 0;
}

bool moveInto(const QString &from, const QString &to)
{
    QDir().mkpath(QFileInfo(to).absolutePath());
    if (FaultInjection::fails(Step::Rename))
        return false;
    return QFile::rename(from, to) || QDir().rename(from, to);
}

// The top-level names of a folder's data: its data files and the data folders present.
QStringList topLevelData(const QString &folder)
{
    QStringList names;
    for (const QString &path : dataFiles(folder)) {
        const QString top = path.section(QLatin1Char('/'), 0, 0);
        if (!names.contains(top))
            names << top;
    }
    for (const QString &sub : dataFolders()) {
        if (QFileInfo(QDir(folder).filePath(sub)).isDir() && !names.contains(sub))
            names << sub;
    }
    return names;
}

// The journals of archives in a folder ("Clienti.pro-journal"): not data of their own, but they
// belong to their archive and must go wherever it goes. A journal left beside an archive that is
// replaced would be applied to the new archive by its next writer.
QStringList journalFiles(const QString &folder)
{
    QStringList names;
    const QString suffix = RollbackJournal::fileNameFor(QString());
    for (const QString &name : QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::System)) {
        if (name.endsWith(suffix, Qt::CaseInsensitive) && name.size() > suffix.size()
            && name.chopped(suffix.size()).endsWith(QLatin1String(".pro"), Qt::CaseInsensitive))
            names << name;
    }
    return names;
}

// Before an archive is moved aside, what a writer that stopped left beside it (an overwrite's
// journal, an import's append mark) is applied when no other writer holds the lock, so the data
// moved aside are whole. A journal that cannot be applied now goes aside with its archive, where
// it is applied when those data are opened by a writer again.
void putJournalsRight(const QString &folder)
{
    const QDir dir(folder);
    for (const QString &journal : journalFiles(folder)) {
        const QString name = journal.chopped(RollbackJournal::fileNameFor(QString()).size());
        const int recordSize = archiveRecordSize(name);
        if (recordSize > 0 && QFileInfo::exists(dir.filePath(name))) {
            RecordArchive archive;
            archive.OpenOrCreate(dir.filePath(name), recordSize);
        }
    }
}

// A restore's swap of files, recorded in the program folder before the first file moves: which
// files go aside, which come in from the work folder, and in which direction the swap runs
// (forward to the restored data, or back to the former data after a failure). A restore that is
// stopped while files move (a kill, a power loss) is run to its end from this record by the next
// start of the program, or by the next restore, so the folder always ends up holding either the
// former data or the restored data, whole. The record is written whole or not at all (a temporary
// file renamed over it), one line per entry:
//   Cablora ripristino 1
//   lavoro<TAB><work folder>
//   precedenti<TAB><folder of the former data>
//   verso<TAB>avanti | indietro
//   sposta<TAB><name>      one per file or folder that goes aside
//   metti<TAB><name>       one per file or folder that comes in
//   fine
QString planFileName()
{
    return QStringLiteral(".Cablora_piano_ripristino");
}

QString stagingPrefix()
{
    return QStringLiteral(".Cablora_ripristino_");
}

struct SwapPlan
{
    QString staging;  // names of folders inside the program folder
    QString aside;
    bool forward = true;
    QStringList toAside;
    QStringList toPlace;
};

QByteArray encodePlan(const SwapPlan &plan)
{
    QByteArray text = "Cablora ripristino 1\n";
    text += "lavoro\t" + plan.staging.toUtf8() + '\n';
    text += "precedenti\t" + plan.aside.toUtf8() + '\n';
    text += plan.forward ? "verso\tavanti\n" : "verso\tindietro\n";
    for (const QString &name : plan.toAside)
        text += "sposta\t" + name.toUtf8() + '\n';
    for (const QString &name : plan.toPlace)
        text += "metti\t" + name.toUtf8() + '\n';
    text += "fine\n";
    return text;
}

// A plain name inside the program folder: what a plan may name, so that a damaged plan can never
// move anything outside the folder.
bool isPlainName(const QString &name)
{
    return !name.isEmpty() && name != QLatin1String(".") && name != QLatin1String("..")
           && !name.contains(QLatin1Char('/')) && !name.contains(QLatin1Char('\\')) && !name.contains(QLatin1Char(':'));
}

bool decodePlan(const QByteArray &bytes, SwapPlan *plan)
{
    QList<QByteArray> lines = bytes.split('\n');
    if (lines.size() < 6 || lines.takeFirst() != "Cablora ripristino 1" || !lines.last().isEmpty()
        || lines.at(lines.size() - 2) != "fine")
        return false;
    lines.resize(lines.size() - 2);
    bool direction = false;
    for (const QByteArray &line : lines) {
        const int tab = line.indexOf('\t');
        if (tab <= 0)
            return false;
        const QByteArray key = line.left(tab);
        const QString value = QString::fromUtf8(line.mid(tab + 1));
        if (key == "verso") {
            if (value != QLatin1String("avanti") && value != QLatin1String("indietro"))
                return false;
            plan->forward = value == QLatin1String("avanti");
            direction = true;
            continue;
        }
        if (!isPlainName(value))
            return false;
        if (key == "lavoro")
            plan->staging = value;
        else if (key == "precedenti")
            plan->aside = value;
        else if (key == "sposta")
            plan->toAside << value;
        else if (key == "metti")
            plan->toPlace << value;
        else
            return false;
    }
    return direction && plan->staging.startsWith(stagingPrefix()) && !plan->aside.isEmpty();
}

bool present(const QString &path)
{
    const QFileInfo info(path);
    return info.exists() || info.isSymLink();
}

// Moves the files of a plan in its direction, each from wherever it lies now: every step looks
// first where its file is, so the same call finishes a swap that stopped at any point. False at the
// first move that fails, with *failed naming its file.
bool runPlan(const QDir &dir, const SwapPlan &plan, QString *failed)
{
    const QDir staging(dir.filePath(plan.staging));
    const QDir aside(dir.filePath(plan.aside));
    const auto move = [&](const QString &name, const QString &from, const QString &to) {
        if (moveInto(from, to))
            return true;
        *failed = name;
        return false;
    };
    if (plan.forward) {
        // All the former data go aside before the first restored file comes in.
        for (const QString &name : plan.toAside) {
            if (present(dir.filePath(name)) && !present(aside.filePath(name))
                && !move(name, dir.filePath(name), aside.filePath(name)))
                return false;
        }
        for (const QString &name : plan.toPlace) {
            if (!present(staging.filePath(name)))
                continue;  // in place already
            // A file of that name made in the folder after the former data went aside goes aside
            // too; never overwritten.
            if (present(dir.filePath(name))
                && (present(aside.filePath(name)) || !move(name, dir.filePath(name), aside.filePath(name)))) {
                *failed = name;
                return false;
            }
            if (!move(name, staging.filePath(name), dir.filePath(name)))
                return false;
        }
        return true;
    }
    // Back: a restored file in the folder returns to the work folder (a name that was also among
    // the former data is a restored file only once the former one lies aside), then the former data
    // return.
    for (const QString &name : plan.toPlace) {
        if (!present(staging.filePath(name)) && present(dir.filePath(name))
            && (!plan.toAside.contains(name) || present(aside.filePath(name)))
            && !move(name, dir.filePath(name), staging.filePath(name)))
            return false;
    }
    for (const QString &name : plan.toAside) {
        if (present(aside.filePath(name)) && !present(dir.filePath(name))
            && !move(name, aside.filePath(name), dir.filePath(name)))
            return false;
    }
    return true;
}

// The swap is over: the work folder goes, the folder of the former data goes when it is empty,
// and the plan goes last (a plan without a work folder finishes with nothing to move).
void endSwap(const QDir &dir, const SwapPlan &plan)
{
    QDir(dir.filePath(plan.staging)).removeRecursively();
    if (QDir(dir.filePath(plan.aside)).isEmpty(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot))
        dir.rmdir(plan.aside);
    RollbackJournal::syncFolder(dir.path());
    QFile::remove(dir.filePath(planFileName()));
    RollbackJournal::syncFolder(dir.path());
}

// Puts the files unpacked under a folder on the disk before any of them moves: on Linux the whole
// file system at once, which is far quicker than one flush per photo. Elsewhere the system writes
// them in its own time (NTFS keeps its renames in order with its own log).
void syncFileSystem(const QString &folder)
{
#ifdef Q_OS_LINUX
    const int fd = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        syncfs(fd);
        ::close(fd);
    }
#else
    Q_UNUSED(folder);
#endif
}

}  // namespace

QString copyFileName(const QDateTime &when)
{
    return QStringLiteral("Cablora_copia_%1.zip").arg(stamp(when));
}

QString asideFolderName(const QDateTime &when)
{
    return QStringLiteral("Dati_precedenti_%1").arg(stamp(when));
}

bool isDataPath(const QString &relative)
{
    if (!nameProblem(relative).isEmpty())
        return false;
    const QStringList parts = relative.split(QLatin1Char('/'), Qt::SkipEmptyParts);
    if (parts.size() > 1)
        return dataFolders().contains(parts.first());
    if (parts.isEmpty())
        return false;
    static const QRegularExpression top(
        QStringLiteral("^(.+\\.pro|.+\\.ini|unins000\\.dll|Logo\\.bmp|Foto_[AB]_[0-9]+\\.jpg)$"),
        QRegularExpression::CaseInsensitiveOption);
    return top.match(parts.first()).hasMatch();
}

QStringList dataFiles(const QString &folder)
{
    QStringList files;
    const QDir dir(folder);
    for (const QFileInfo &info : dir.entryInfoList(QDir::Files | QDir::Hidden | QDir::NoSymLinks)) {
        if (isDataPath(info.fileName()))
            files << info.fileName();
    }
    for (const QString &sub : dataFolders()) {
        QDirIterator it(dir.filePath(sub), QDir::Files | QDir::Hidden | QDir::NoSymLinks, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            it.next();
            files << dir.relativeFilePath(it.filePath());
        }
    }
    files.sort();
    return files;
}

bool hasData(const QString &folder)
{
    return !topLevelData(folder).isEmpty();
}

namespace {

// The unfinished copies that a backup stopped half-way (the program killed, the machine switched off)
// left in a destination: "Cablora_copia_<stamp>.zip.tmp" files that nobody has written for a while.
// One written lately may belong to a backup that another workstation is making into the same folder
// right now, and stays.
void removeStaleCopies(const QString &destFolder)
{
    constexpr qint64 kQuietSeconds = 15 * 60;
    const QDir dir(destFolder);
    const QStringList stale =
        dir.entryList({QStringLiteral("Cablora_copia_*.zip.tmp")}, QDir::Files | QDir::Hidden | QDir::System);
    for (const QString &name : stale) {
        const QFileInfo info(dir.filePath(name));
        if (info.lastModified().secsTo(QDateTime::currentDateTime()) > kQuietSeconds)
            QFile::remove(info.filePath());
    }
}

}  // namespace

Result create(const QString &folder, const QString &destFolder, const QDateTime &when, const Progress &progress)
{
    Result result;
    const QDir source(folder);
    const QStringList files = dataFiles(folder);
    if (files.isEmpty()) {
        result.error = QStringLiteral("La cartella del programma non contiene dati da copiare.");
        return result;
    }
    if (!QFileInfo(destFolder).isDir()) {
        result.error = QStringLiteral("La cartella %1 non esiste.").arg(QDir::toNativeSeparators(destFolder));
        return result;
    }
    const QString finalPath = QDir(destFolder).filePath(copyFileName(when));
    if (QFileInfo::exists(finalPath)) {
        result.error = QStringLiteral("Il file %1 esiste già.").arg(QDir::toNativeSeparators(finalPath));
        return result;
    }
    const QString tempPath = finalPath + QStringLiteral(".tmp");
    QFile::remove(tempPath);
    removeStaleCopies(destFolder);
    std::optional<ZipWriter> zip;
    auto fail = [&](const QString &error) {
        zip.reset();  // closed before it goes, or the file could not be removed everywhere
        QFile::remove(tempPath);
        result.error = error;
        return result;
    };
    const auto writeFailed = [&](const QString &why) {
        return QStringLiteral("La copia di sicurezza non è stata scritta in %1: %2")
            .arg(QDir::toNativeSeparators(destFolder), why);
    };

    qint64 total = 0;
    for (const QString &file : files)
        total += QFileInfo(source.filePath(file)).size();

    QHash<QString, EntryInfo> written;
    {
        zip.emplace(tempPath);
        if (!zip->ok())
            return fail(writeFailed(zip->error()));
        qint64 done = 0;
        QByteArray buffer(kChunk, Qt::Uninitialized);
        for (const QString &name : files) {
            const QString path = source.filePath(name);
            // An archive is read under its write lock, a block at a time, after what a stopped writer
            // left has been put right: every record goes into the copy whole, and another workstation
            // that appends meanwhile neither makes the copy fail nor lands half in it. Any other file
            // is replaced whole by the program (written aside and renamed), never changed in place.
            const int recordSize = archiveRecordSize(name);
            RecordArchive archive;
            QFile in(path);
            qint64 size = 0;
            qint64 block = buffer.size();
            if (recordSize > 0) {
                if (!archive.OpenOrCreate(path, recordSize)) {
                    // A file this user may only read (a read-only share): copied as it lies, a journal
                    // beside it applied to the bytes read.
                    if (QFileInfo(path).isWritable() || !archive.OpenForReading(path, recordSize))
                        return fail(
                            QStringLiteral("Impossibile leggere l'archivio %1: %2").arg(name, archive.ErrorString()));
                }
                size = archive.LengthForCopy();
                if (size < 0)
                    return fail(
                        QStringLiteral("Impossibile leggere l'archivio %1: %2").arg(name, archive.ErrorString()));
                block = qMax<qint64>(1, block / recordSize) * recordSize;
                if (block > buffer.size())
                    buffer.resize(block);
            } else {
                if (!in.open(QIODevice::ReadOnly))
                    return fail(
                        QStringLiteral("Impossibile leggere il file %1: %2").arg(name, SystemError::lastError(in)));
                size = in.size();
            }
            if (!zip->begin(name, size, QFileInfo(path).lastModified()))
                return fail(writeFailed(zip->error()));
            EntryInfo entry;
            entry.name = name;
            QCryptographicHash hash(QCryptographicHash::Sha256);
            // Exactly the length the entry was given: a file that grows meanwhile is copied as it was
            // when its copy began.
            for (qint64 at = 0; at < size;) {
                const qint64 n = qMin(block, size - at);
                if (recordSize > 0) {
                    if (!archive.ReadForCopy(at, buffer.data(), n))
                        return fail(
                            QStringLiteral("Impossibile leggere l'archivio %1: %2").arg(name, archive.ErrorString()));
                } else {
                    const qint64 got = in.read(buffer.data(), n);
                    if (got < 0)
                        return fail(
                            QStringLiteral("Impossibile leggere il file %1: %2").arg(name, SystemError::lastError(in)));
                    if (got != n)
                        return fail(QStringLiteral("Il file %1 è stato accorciato durante la copia: ripetere la copia "
                                                   "di sicurezza.")
                                        .arg(name));
                }
                at += n;
                if (!zip->data(buffer.constData(), n))
                    return fail(writeFailed(zip->error()));
                hash.addData(QByteArrayView(buffer.constData(), n));
                entry.size += n;
                done += n;
                if (progress && !progress(done, total))
                    return fail(QStringLiteral("Copia di sicurezza annullata."));
            }
            entry.sha256 = hash.result();
            written.insert(name, entry);
        }
        if (!zip->close())
            return fail(writeFailed(zip->error()));
        zip.reset();
    }
    if (!syncFile(tempPath))
        return fail(writeFailed(refused()));

    // Read the copy back whole and compare every entry with what was written.
    QVector<EntryInfo> read;
    const Result check = readCopy(tempPath, &read, {}, {});
    if (!check.ok)
        return fail(QStringLiteral("La verifica della copia di sicurezza non è riuscita: %1").arg(check.error));
    if (read.size() != written.size())
        return fail(QStringLiteral("La verifica della copia di sicurezza non è riuscita: la copia contiene "
                                   "%1 file invece di %2.")
                        .arg(read.size())
                        .arg(written.size()));
    for (const EntryInfo &entry : read) {
        const auto it = written.constFind(entry.name);
        if (it == written.constEnd() || it->size != entry.size || it->sha256 != entry.sha256)
            return fail(QStringLiteral("La verifica della copia di sicurezza non è riuscita: il file %1 "
                                       "non corrisponde all'originale.")
                            .arg(entry.name));
    }
    if (FaultInjection::fails(Step::Rename) || !QFile::rename(tempPath, finalPath))
        return fail(writeFailed(QStringLiteral("impossibile dare il nome definitivo al file")));
    result.ok = true;
    result.path = finalPath;
    result.files = int(files.size());
    return result;
}

Result verify(const QString &zipPath, QVector<QPair<QString, qint64>> *entries)
{
    QVector<EntryInfo> read;
    Result result = readCopy(zipPath, &read, {}, {});
    if (result.ok && read.isEmpty()) {
        result.ok = false;
        result.error = QStringLiteral("La copia di sicurezza %1 non contiene dati.").arg(QFileInfo(zipPath).fileName());
    }
    if (entries) {
        for (const EntryInfo &entry : read)
            entries->append({entry.name, entry.size});
    }
    return result;
}

QStringList archiveFileNames()
{
    return {SchedaRecord::fileName(), ClienteRecord::fileName(), AutomezzoRecord::fileName()};
}

QString archiveDescription(const QString &fileName)
{
    if (fileName == SchedaRecord::fileName())
        return QStringLiteral("%1 (schede di intervento)").arg(fileName);
    if (fileName == ClienteRecord::fileName())
        return QStringLiteral("%1 (anagrafica clienti)").arg(fileName);
    if (fileName == AutomezzoRecord::fileName())
        return QStringLiteral("%1 (parco automezzi)").arg(fileName);
    return fileName;
}

Result restore(const QString &zipPath, const QString &folder, const QDateTime &when, const Progress &progress,
               const ConfirmIncomplete &confirmIncomplete)
{
    // A restore that was stopped earlier is run to its end first, so this one starts from whole data.
    const Result earlier = finishInterruptedRestore(folder);
    if (!earlier.ok)
        return earlier;
    Result result;
    result.note = earlier.note;
    const QDir dir(folder);
    const QString stagingName = stagingPrefix() + stamp(when);
    const QString staging = dir.filePath(stagingName);
    QDir(staging).removeRecursively();
    if (!QDir().mkpath(staging)) {
        result.error =
            QStringLiteral("Impossibile creare una cartella di lavoro in %1.").arg(QDir::toNativeSeparators(folder));
        return result;
    }
    auto cleanFail = [&](const QString &error) {
        QDir(staging).removeRecursively();
        Result failed;
        failed.error = error;
        failed.note = result.note;
        return failed;
    };

    // 1. Unpack the whole copy into the staging folder; nothing in the program folder changes yet.
    std::unique_ptr<QFile> out;
    const Sink sink = [&](const QString &name, const char *data, qint64 size, QString *error) {
        if (!data) {
            const bool ok = out && !FaultInjection::fails(Step::Flush) && out->flush()
                            && (out->close(), out->error() == QFile::NoError);
            out.reset();
            if (!ok)
                *error = QStringLiteral("Impossibile scrivere il file %1.").arg(name);
            return ok;
        }
        if (!out) {
            const QString path = QDir(staging).filePath(name);
            QDir().mkpath(QFileInfo(path).absolutePath());
            out = std::make_unique<QFile>(path);
            if (FaultInjection::fails(Step::Open) || !out->open(QIODevice::WriteOnly)) {
                *error = QStringLiteral("Impossibile scrivere il file %1: %2").arg(name, SystemError::lastError(*out));
                return false;
            }
        }
        if (FaultInjection::fails(Step::Write) || out->write(data, size) != size) {
            *error = QStringLiteral("Impossibile scrivere il file %1: %2").arg(name, SystemError::lastError(*out));
            return false;
        }
        return true;
    };
    // An entry with no data still makes its (empty) file.
    const Sink sinkWithEmpty = [&](const QString &name, const char *data, qint64 size, QString *error) {
        if (!data && !out) {
            if (!sink(name, "", 0, error))
                return false;
        }
        return sink(name, data, size, error);
    };
    const Result unpacked = readCopy(zipPath, nullptr, sinkWithEmpty, progress);
    out.reset();
    if (!unpacked.ok)
        return cleanFail(unpacked.error);
    if (unpacked.files == 0)
        return cleanFail(
            QStringLiteral("La copia di sicurezza %1 non contiene dati.").arg(QFileInfo(zipPath).fileName()));

    // 2. The copy must hold the archives under their own names (the program finds "Clienti.pro",
    // not "CLIENTI.PRO"): a copy with none of them would leave empty registers in place of the data.
    const QStringList staged = QDir(staging).entryList(QDir::Files | QDir::Hidden);
    QStringList missing, otherCase;
    for (const QString &name : archiveFileNames()) {
        if (staged.contains(name))
            continue;
        missing << name;
        for (const QString &file : staged) {
            if (file.compare(name, Qt::CaseInsensitive) == 0)
                otherCase << QStringLiteral("\"%1\" non è \"%2\": i nomi degli archivi vanno scritti esattamente così")
                                 .arg(file, name);
        }
    }
    const QString copyName = QFileInfo(zipPath).fileName();
    const QString otherCaseText =
        otherCase.isEmpty() ? QString() : QStringLiteral(" (%1)").arg(otherCase.join(QLatin1String("; ")));
    if (missing.size() == archiveFileNames().size())
        return cleanFail(QStringLiteral("La copia di sicurezza %1 non contiene nessun archivio di Cablora (%2)%3 e "
                                        "non viene ripristinata: i dati attuali sono rimasti al loro posto.")
                             .arg(copyName, archiveFileNames().join(QLatin1String(", ")), otherCaseText));
    if (!missing.isEmpty() && !(confirmIncomplete && confirmIncomplete(missing)))
        return cleanFail(QStringLiteral("Ripristino annullato: la copia di sicurezza %1 non contiene %2%3. I dati "
                                        "attuali sono rimasti al loro posto.")
                             .arg(copyName, missing.join(QLatin1String(", ")), otherCaseText));

    // 3. The swap: the current data go aside, so that nothing is lost (each archive with its
    // journal), and the restored files take their place. What will move is recorded first, so that a
    // swap stopped half-way is finished by the next start.
    syncFileSystem(staging);
    putJournalsRight(folder);
    SwapPlan plan;
    plan.staging = stagingName;
    plan.aside = asideFolderName(when);
    plan.toAside = topLevelData(folder) + journalFiles(folder);
    plan.toPlace = QDir(staging).entryList(QDir::Files | QDir::Dirs | QDir::Hidden | QDir::NoDotAndDotDot);
    if (!plan.toAside.isEmpty() && QFileInfo::exists(dir.filePath(plan.aside)))
        return cleanFail(QStringLiteral("La cartella %1 esiste già.").arg(plan.aside));
    const QString planPath = dir.filePath(planFileName());
    if (!SafeFile::replace(planPath, encodePlan(plan)))
        return cleanFail(QStringLiteral("Impossibile preparare il ripristino nella cartella del programma: i "
                                        "dati attuali sono rimasti al loro posto."));
    QString failed;
    if (!runPlan(dir, plan, &failed)) {
        // Undone at once; the plan is turned first, so that a stop during the undo is undone too.
        plan.forward = false;
        const bool turned = SafeFile::replace(planPath, encodePlan(plan));
        QString undoFailed;
        Result failedResult;
        failedResult.note = result.note;
        if (turned && runPlan(dir, plan, &undoFailed)) {
            endSwap(dir, plan);
            failedResult.error = QStringLiteral("Impossibile spostare %1 durante il ripristino: il ripristino è "
                                                "stato annullato e i dati attuali sono rimasti al loro posto.")
                                     .arg(failed);
        } else {
            failedResult.error = QStringLiteral("Impossibile spostare %1 durante il ripristino. Chiudere il "
                                                "programma: al prossimo avvio il ripristino sarà %2.")
                                     .arg(failed, turned ? QStringLiteral("annullato") : QStringLiteral("completato"));
        }
        return failedResult;
    }
    endSwap(dir, plan);
    if (!plan.toAside.isEmpty())
        result.asideFolder = dir.filePath(plan.aside);
    result.ok = true;
    result.files = unpacked.files;
    return result;
}

void finishInterruptedWrites(const QString &folder)
{
    const QDir dir(folder);
    for (const RecordFormat *format : {&SchedaRecord::format(), &ClienteRecord::format(), &AutomezzoRecord::format()}) {
        const QString path = dir.filePath(format->fileName());
        if (!QFileInfo::exists(path) || !QFileInfo::exists(RollbackJournal::fileNameFor(path)))
            continue;
        // Opening for writing rolls the journal back when no other writer holds the lock.
        RecordArchive archive;
        archive.OpenOrCreate(path, format->size());
        archive.Close();
    }
}

Result finishInterruptedRestore(const QString &folder)
{
    Result result;
    result.ok = true;
    const QDir dir(folder);
    const QString planPath = dir.filePath(planFileName());
    // A plan whose writing was stopped left at most its temporary file, never a plan in part.
    for (const QString &name : dir.entryList({planFileName() + QStringLiteral(".*")}, QDir::Files | QDir::Hidden))
        QFile::remove(dir.filePath(name));
    if (!QFileInfo::exists(planPath)) {
        // A restore stopped before its swap moved nothing: only its work folder is left, and goes.
        const QStringList stale =
            dir.entryList({stagingPrefix() + QLatin1Char('*')}, QDir::Dirs | QDir::Hidden | QDir::NoDotAndDotDot);
        for (const QString &name : stale)
            QDir(dir.filePath(name)).removeRecursively();
        return result;
    }
    QFile file(planPath);
    SwapPlan plan;
    if (!file.open(QIODevice::ReadOnly) || !decodePlan(file.read(1 << 20), &plan)) {
        result.ok = false;
        result.error = QStringLiteral("Nella cartella del programma c'è un ripristino interrotto, ma il file %1 che "
                                      "lo descrive non si può leggere: controllare a mano le cartelle che "
                                      "iniziano con %2 e Dati_precedenti_, poi eliminare %1.")
                           .arg(planFileName(), stagingPrefix());
        return result;
    }
    file.close();
    QString failed;
    if (!runPlan(dir, plan, &failed)) {
        result.ok = false;
        result.error = QStringLiteral("Un ripristino interrotto non può essere %1: impossibile spostare %2. "
                                      "Chiudere il programma sulle altre postazioni e riavviarlo.")
                           .arg(plan.forward ? QStringLiteral("completato") : QStringLiteral("annullato"), failed);
        return result;
    }
    endSwap(dir, plan);
    if (plan.forward) {
        result.files = int(plan.toPlace.size());
        if (QFileInfo::exists(dir.filePath(plan.aside)))
            result.asideFolder = dir.filePath(plan.aside);
        result.note = result.asideFolder.isEmpty()
                          ? QStringLiteral("Un ripristino che si era interrotto è stato completato: i dati della copia "
                                           "di sicurezza sono al loro posto.")
                          : QStringLiteral("Un ripristino che si era interrotto è stato completato: i dati della copia "
                                           "di sicurezza sono al loro posto, quelli precedenti nella cartella %1.")
                                .arg(QDir::toNativeSeparators(result.asideFolder));
    } else {
        result.note = QStringLiteral("Un ripristino che si era interrotto è stato annullato: i dati sono tornati "
                                     "com'erano prima del ripristino.");
    }
    return result;
}

bool writeZip(const QString &zipPath, const QVector<QPair<QString, QByteArray>> &entries, QString *error)
{
    ZipWriter zip(zipPath);
    for (const auto &[name, bytes] : entries) {
        if (!zip.begin(name, bytes.size(), QDateTime()) || !zip.data(bytes.constData(), bytes.size()))
            break;
    }
    zip.close();
    if (!zip.ok() && error)
        *error = zip.error();
    return zip.ok();
}

}  // namespace Backup
