// Backup copies of a program folder and their restore, directly and through the command-line verbs.
#include "archive/ClienteRecord.h"
#include "archive/RecordArchive.h"
#include "archive/RollbackJournal.h"
#include "archive/SchedaRecord.h"
#include "backup/Backup.h"
#include "backup/CommandLine.h"
#include "shell/AppWindows.h"
#include "support/TestSupport.h"
#include "widgets/MessageBoxes.h"

#include <QDir>
#include <QProcess>
#include <QRandomGenerator>
#include <QScopeGuard>
#include <QTextStream>
#include <QThread>
#include <QtTest>

#ifdef Q_OS_UNIX
#  include <csignal>
#  include <fcntl.h>
#endif

namespace {

const QDateTime kWhen(QDate(2026, 3, 14), QTime(9, 26, 53));

// Bytes that do not compress, so that they lie in the zip as they are.
QByteArray photoBytes()
{
    QByteArray bytes(70000, '\0');
    QRandomGenerator random(7);
    for (char &c : bytes)
        c = char(random.generate() & 0xFF);
    return bytes;
}

// A small program folder: archives, settings, password store, logo, sheet and vehicle photos,
// attachments in a sub-folder, and files that are not data (the program and its manual).
QMap<QString, QByteArray> sampleData(const QByteArray &tag)
{
    QMap<QString, QByteArray> files;
    files["Clienti.pro"] = tag + QByteArray(3011 * 2, 'c');
    files["Schede_Interventi_Elettrauto.pro"] = tag + QByteArray(11895, 's');
    files["Parco_Automezzi.pro"] = QByteArray(3370, 'v') + tag;
    files["Cablora.ini"] = tag + "[Impostazioni]\r\nTecnico=Mario\r\n";
    files["unins000.dll"] = tag + "[Password]\r\n";
    files["Logo.bmp"] = tag + QByteArray("BM") + QByteArray(500, '\x01');
    files["Foto_A_1.jpg"] = tag + photoBytes();
    files["Foto_B_12.jpg"] = tag + QByteArray(10, '\xD8');
    files["Autoparco/Scheda_Veicolo_3.jpg"] = tag + QByteArray(3000, '\x7F');
    files["Documenti_Allegati/fattura 1.pdf"] = tag + "%PDF-1.4";
    files["Documenti_Allegati/sotto/vuoto.txt"] = QByteArray();
    return files;
}

void writeAll(const QString &folder, const QMap<QString, QByteArray> &files)
{
    for (auto it = files.begin(); it != files.end(); ++it) {
        const QString path = QDir(folder).filePath(it.key());
        QDir().mkpath(QFileInfo(path).absolutePath());
        QVERIFY(TestSupport::writeFile(path, it.value()));
    }
}

// Every file under a folder, relative, with its bytes.
QMap<QString, QByteArray> readAll(const QString &folder)
{
    QMap<QString, QByteArray> files;
    QDirIterator it(folder, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        it.next();
        files[QDir(folder).relativeFilePath(it.filePath())] = TestSupport::readFile(it.filePath());
    }
    return files;
}

// Restores a copy into an empty folder to look at what it holds, whichever archives it lacks.
Backup::Result unpackCopy(const QString &copy, const QString &target)
{
    return Backup::restore(copy, target, kWhen, {}, [](const QStringList &) { return true; });
}

QString makeCopy(const QString &folder, const QString &dest)
{
    const Backup::Result result = Backup::create(folder, dest, kWhen);
    if (!result.ok)
        qWarning() << result.error;
    return result.ok ? result.path : QString();
}

}  // namespace

class TestBackup : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { TestSupport::scriptEverything(); }

    void dataPaths_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<bool>("data");
        QTest::newRow("archive") << "Parco_Automezzi.pro" << true;
        QTest::newRow("settings") << "Contratti.ini" << true;
        QTest::newRow("password store") << "unins000.dll" << true;
        QTest::newRow("logo") << "Logo.bmp" << true;
        QTest::newRow("sheet photo") << "Foto_B_120.jpg" << true;
        QTest::newRow("vehicle photo") << "Autoparco/Scheda_Veicolo_1.jpg" << true;
        QTest::newRow("attachment") << "Documenti_Allegati/a/b.doc" << true;
        QTest::newRow("executable") << "cablora" << false;
        QTest::newRow("manual") << "Guida.pdf" << false;
        QTest::newRow("other picture") << "vacanze.jpg" << false;
        QTest::newRow("former data") << "Dati_precedenti_2026-01-01_00-00-00/Clienti.pro" << false;
        QTest::newRow("climbing") << "Documenti_Allegati/../cablora" << false;
        QTest::newRow("absolute") << "/etc/Clienti.pro" << false;
    }
    void dataPaths()
    {
        QFETCH(QString, path);
        QFETCH(bool, data);
        QCOMPARE(Backup::isDataPath(path), data);
    }

    void copyHoldsEveryDataFile()
    {
        auto folder = TestSupport::programFolder();
        auto dest = TestSupport::programFolder();
        const QMap<QString, QByteArray> data = sampleData("A");
        writeAll(folder->path(), data);
        QVERIFY(TestSupport::writeFile(folder->filePath("cablora"), "ELF"));
        QVERIFY(TestSupport::writeFile(folder->filePath("Guida.pdf"), "%PDF"));

        const QString copy = makeCopy(folder->path(), dest->path());
        QCOMPARE(QFileInfo(copy).fileName(), QStringLiteral("Cablora_copia_2026-03-14_09-26-53.zip"));
        QCOMPARE(QDir(dest->path()).entryList(QDir::Files), QStringList{QFileInfo(copy).fileName()});

        QVector<QPair<QString, qint64>> entries;
        QVERIFY(Backup::verify(copy, &entries).ok);
        QMap<QString, qint64> sizes;
        for (const auto &[name, size] : entries)
            sizes[name] = size;
        QCOMPARE(sizes.keys(), data.keys());
        for (auto it = data.begin(); it != data.end(); ++it)
            QCOMPARE(sizes.value(it.key()), qint64(it.value().size()));

        // A second copy in the same second would overwrite the first: it is refused.
        QVERIFY(!Backup::create(folder->path(), dest->path(), kWhen).ok);
    }

    // What a killed backup or restore left is removed at the next run: unfinished copies that nobody
    // writes any more (one written lately may be another workstation's backup in progress), and the
    // hidden work folder of a restore stopped before its swap.
    void leftoversRemovedAtTheNextRun()
    {
        auto folder = TestSupport::programFolder();
        auto dest = TestSupport::programFolder();
        writeAll(folder->path(), sampleData("A"));
        const QString stale = dest->filePath(QStringLiteral("Cablora_copia_2026-01-01_08-00-00.zip.tmp"));
        const QString recent = dest->filePath(QStringLiteral("Cablora_copia_2026-01-02_08-00-00.zip.tmp"));
        QVERIFY(TestSupport::writeFile(stale, "copia interrotta"));
        QVERIFY(TestSupport::writeFile(recent, "copia in corso altrove"));
        {
            QFile file(stale);
            QVERIFY(file.open(QIODevice::ReadWrite));
            QVERIFY(file.setFileTime(QDateTime::currentDateTime().addSecs(-3600), QFileDevice::FileModificationTime));
        }
        QVERIFY(!makeCopy(folder->path(), dest->path()).isEmpty());
        QVERIFY(!QFile::exists(stale));
        QVERIFY(QFile::exists(recent));

        const QString work = folder->filePath(QStringLiteral(".Cablora_ripristino_2026-01-01_08-00-00"));
        writeAll(work, {{QStringLiteral("Clienti.pro"), QByteArray("parziale")}});
        QVERIFY(Backup::finishInterruptedRestore(folder->path()).ok);
        QVERIFY(!QFileInfo::exists(work));
        QCOMPARE(readAll(folder->path()), sampleData("A"));
    }

    void damagedCopyRefused_data()
    {
        QTest::addColumn<int>("damage");
        QTest::newRow("byte changed inside a photo") << 0;
        QTest::newRow("cut short") << 1;
        QTest::newRow("not a zip") << 2;
    }
    void damagedCopyRefused()
    {
        QFETCH(int, damage);
        auto folder = TestSupport::programFolder();
        auto dest = TestSupport::programFolder();
        writeAll(folder->path(), sampleData("A"));
        const QString copy = makeCopy(folder->path(), dest->path());
        QByteArray bytes = TestSupport::readFile(copy);
        if (damage == 0) {
            const qsizetype at = bytes.indexOf(photoBytes().mid(30000, 64));
            QVERIFY(at >= 0);
            bytes[at + 10] = char(bytes[at + 10] ^ 0x55);
        } else if (damage == 1) {
            bytes.truncate(bytes.size() / 2);
        } else {
            bytes = "questo non è uno zip";
        }
        QVERIFY(TestSupport::writeFile(copy, bytes));
        QVERIFY(!Backup::verify(copy).ok);

        // Restoring it changes nothing in the target folder.
        auto target = TestSupport::programFolder();
        const QMap<QString, QByteArray> current = sampleData("B");
        writeAll(target->path(), current);
        const Backup::Result result = Backup::restore(copy, target->path(), kWhen);
        QVERIFY(!result.ok);
        QVERIFY(!result.error.isEmpty());
        QCOMPARE(readAll(target->path()), current);
        // The cause in Italian, libarchive's own words only as a technical detail after it.
        const QString cause = result.error.section(QStringLiteral("(dettaglio tecnico:"), 0, 0);
        QVERIFY2(cause.contains(QStringLiteral("danneggiat")) && !cause.contains(QStringLiteral("ZIP"))
                     && !cause.contains(QStringLiteral("Unrecognized")),
                 qPrintable(result.error));
    }

    void restoreIntoEmptyFolder()
    {
        auto folder = TestSupport::programFolder();
        auto dest = TestSupport::programFolder();
        const QMap<QString, QByteArray> data = sampleData("A");
        writeAll(folder->path(), data);
        const QString copy = makeCopy(folder->path(), dest->path());

        auto target = TestSupport::programFolder();
        QVERIFY(!Backup::hasData(target->path()));
        const Backup::Result result = Backup::restore(copy, target->path(), kWhen);
        QVERIFY2(result.ok, qPrintable(result.error));
        QVERIFY(result.asideFolder.isEmpty());
        QCOMPARE(result.files, int(data.size()));
        QCOMPARE(readAll(target->path()), data);
    }

    void restoreMovesCurrentDataAside()
    {
        auto folder = TestSupport::programFolder();
        auto dest = TestSupport::programFolder();
        const QMap<QString, QByteArray> data = sampleData("A");
        writeAll(folder->path(), data);
        const QString copy = makeCopy(folder->path(), dest->path());

        auto target = TestSupport::programFolder();
        QMap<QString, QByteArray> current = sampleData("B");
        current.remove("Foto_B_12.jpg");
        current["Autoparco/Scheda_Veicolo_99.jpg"] = "solo qui";
        writeAll(target->path(), current);
        QVERIFY(TestSupport::writeFile(target->filePath("cablora"), "ELF"));

        const Backup::Result result = Backup::restore(copy, target->path(), kWhen);
        QVERIFY2(result.ok, qPrintable(result.error));
        const QString aside = QStringLiteral("Dati_precedenti_2026-03-14_09-26-53");
        QCOMPARE(result.asideFolder, target->filePath(aside));

        // The former data, byte for byte, lie in the dated folder; the restored data in their place;
        // the program itself was not touched.
        QCOMPARE(readAll(result.asideFolder), current);
        QMap<QString, QByteArray> expected = data;
        expected["cablora"] = "ELF";
        for (auto it = current.begin(); it != current.end(); ++it)
            expected[aside + '/' + it.key()] = it.value();
        QCOMPARE(readAll(target->path()), expected);
    }

    // A copy holds every archive as its last whole write left it: an overwrite or an import stopped
    // by a crash (its journal or append mark still beside the archive) is put right before the
    // archive is copied, under its write lock, so the copy never keeps a torn record or half an
    // import. Where the folder can be written, the archive itself is put right too; where it can
    // only be read, the copy is made right and the folder stays untouched.
    void copyPutsRightWhatAStoppedWriterLeft_data()
    {
        QTest::addColumn<bool>("import");
        QTest::addColumn<bool>("readOnly");
        QTest::newRow("overwrite stopped half-way") << false << false;
        QTest::newRow("import stopped half-way") << true << false;
        QTest::newRow("overwrite stopped half-way, read-only folder") << false << true;
        QTest::newRow("import stopped half-way, read-only folder") << true << true;
    }
    void copyPutsRightWhatAStoppedWriterLeft()
    {
        QFETCH(bool, import);
        QFETCH(bool, readOnly);
        constexpr int kSize = ClienteRecord::kSize;
        const auto record = [](char tag) { return QByteArray(kSize, tag); };
        auto folder = TestSupport::programFolder();
        auto dest = TestSupport::programFolder();
        const QString path = folder->filePath(ClienteRecord::fileName());
        const QString journal = RollbackJournal::fileNameFor(path);
        // Three whole records; then either record 2 half overwritten with its old bytes in the
        // journal, or an import of two records stopped one and a half records in.
        const QByteArray whole = record('a') + record('b') + record('c');
        const QByteArray left = import
                                    ? whole + record('N') + record('O').left(kSize / 2)
                                    : whole.left(kSize + kSize / 2) + record('X').left(kSize - kSize / 2) + record('c');
        QVERIFY(TestSupport::writeFile(path, left));
        QVERIFY(TestSupport::writeFile(journal, import ? RollbackJournal::encodeAppendMark(kSize, 3 * kSize)
                                                       : RollbackJournal::encode(kSize, 2, record('b'))));
        QVERIFY(TestSupport::writeFile(folder->filePath("Cablora.ini"), "[Schede Interventi]\r\n"));

        const auto writable = QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner;
        const auto restorePermissions = qScopeGuard([&] {
            QFile::setPermissions(folder->path(), writable);
            QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
        });
        if (readOnly) {
            QVERIFY(QFile::setPermissions(path, QFileDevice::ReadOwner));
            QVERIFY(QFile::setPermissions(folder->path(), QFileDevice::ReadOwner | QFileDevice::ExeOwner));
            QFile probe(path);
            if (probe.open(QIODevice::ReadWrite))
                QSKIP("this user writes into read-only files (root without the permission override dropped)");
        }

        const QString copy = makeCopy(folder->path(), dest->path());
        QVERIFY(!copy.isEmpty());
        auto target = TestSupport::programFolder();
        const Backup::Result restored = unpackCopy(copy, target->path());
        QVERIFY2(restored.ok, qPrintable(restored.error));
        QCOMPARE(TestSupport::readFile(target->filePath(ClienteRecord::fileName())), whole);
        QVERIFY(!QFileInfo::exists(RollbackJournal::fileNameFor(target->filePath(ClienteRecord::fileName()))));

        QCOMPARE(TestSupport::readFile(path), readOnly ? left : whole);
        QCOMPARE(QFileInfo::exists(journal), readOnly);
    }

    // Another workstation appends sheets without pause while copies are made: every copy is made
    // (none refused because the archive grew under it), and holds only whole records.
    void copyWhileAnotherWorkstationAppends()
    {
#ifndef Q_OS_UNIX
        QSKIP("stops the writer with SIGKILL");
#else
        constexpr int kSize = SchedaRecord::kSize;
        auto folder = TestSupport::programFolder();
        const QString path = folder->filePath(SchedaRecord::fileName());
        // Records as the writer process helper_append makes them: "W<id>:<seq>;" and a pattern.
        const auto writerRecord = [](int id, int seq) {
            QByteArray bytes(kSize, '\0');
            const QByteArray head = "W" + QByteArray::number(id) + ':' + QByteArray::number(seq) + ';';
            for (int i = 0; i < kSize; ++i)
                bytes[i] = i < head.size() ? head[i] : char((id * 131 + seq * 7 + i) & 0xFF);
            return bytes;
        };
        QByteArray initial;
        for (int seq = 1; seq <= 200; ++seq)
            initial += writerRecord(9, seq);
        QVERIFY(TestSupport::writeFile(path, initial));
        QVERIFY(TestSupport::writeFile(folder->filePath("Cablora.ini"), "[Schede Interventi]\r\n"));

        QProcess writer;
        writer.start(QDir(QStringLiteral(CABLORA_TEST_HELPER_DIR)).filePath(QStringLiteral("helper_append")),
                     {path, QString::number(kSize), QStringLiteral("1"), QStringLiteral("1000000")});
        QVERIFY(writer.waitForStarted());
        const auto stopWriter = qScopeGuard([&] {
            ::kill(pid_t(writer.processId()), SIGKILL);
            writer.waitForFinished();
        });
        while (writer.state() == QProcess::Running && QFileInfo(path).size() < initial.size() + 3 * kSize)
            QThread::msleep(1);

        for (int n = 0; n < 6; ++n) {
            auto dest = TestSupport::programFolder();
            const Backup::Result made = Backup::create(folder->path(), dest->path(), kWhen.addSecs(n));
            QVERIFY2(made.ok, qPrintable(QStringLiteral("copy %1: %2").arg(n).arg(made.error)));
            auto target = TestSupport::programFolder();
            const Backup::Result restored = unpackCopy(made.path, target->path());
            QVERIFY2(restored.ok, qPrintable(restored.error));
            const QByteArray copied = TestSupport::readFile(target->filePath(SchedaRecord::fileName()));
            QVERIFY(copied.startsWith(initial));
            QCOMPARE(copied.size() % kSize, 0);
            for (qsizetype at = initial.size(), seq = 1; at < copied.size(); at += kSize, ++seq)
                QVERIFY2(copied.mid(at, kSize) == writerRecord(1, int(seq)),
                         qPrintable(QStringLiteral("copy %1, record %2").arg(n).arg(at / kSize + 1)));
        }
        QCOMPARE(writer.state(), QProcess::Running);  // still appending: the copies did not stop it
#endif
    }

    // A journal left in the folder by an overwrite that a crash stopped must not outlive the archive
    // it belongs to: the restore rolls it back, or, when it cannot (another workstation holds the
    // archive's lock), moves it aside with its archive; a journal without its archive goes aside too.
    // Either way the next write into the restored archive changes only what it writes.
    void restoreLeavesNoJournalBehind_data()
    {
        QTest::addColumn<int>("situation");
        QTest::newRow("journal rolled back") << 0;
        QTest::newRow("archive locked: journal moved aside with it") << 1;
        QTest::newRow("journal without its archive") << 2;
    }
    void restoreLeavesNoJournalBehind()
    {
        QFETCH(int, situation);
        constexpr int kSize = ClienteRecord::kSize;
        const auto record = [](char tag) { return QByteArray(kSize, tag); };
        auto source = TestSupport::programFolder();
        auto dest = TestSupport::programFolder();
        QMap<QString, QByteArray> data = sampleData("A");
        data[ClienteRecord::fileName()] = record('x') + record('y') + record('z');
        writeAll(source->path(), data);
        const QString copy = makeCopy(source->path(), dest->path());

        auto target = TestSupport::programFolder();
        const QString path = target->filePath(ClienteRecord::fileName());
        const QString journal = RollbackJournal::fileNameFor(path);
        const QByteArray torn = record('a') + record('b').left(kSize / 2) + record('N').mid(kSize / 2) + record('c');
        QVERIFY(TestSupport::writeFile(target->filePath("Cablora.ini"), "[Schede Interventi]\r\n"));
        if (situation != 2)
            QVERIFY(TestSupport::writeFile(path, torn));
        QVERIFY(TestSupport::writeFile(journal, RollbackJournal::encode(kSize, 2, record('b'))));

        QFile other(path);
        if (situation == 1) {
#ifndef F_OFD_SETLK
            QSKIP("needs open-file-description locks to hold the lock from this process");
#else
            QVERIFY(other.open(QIODevice::ReadWrite));
            struct flock lock = {};
            lock.l_type = F_WRLCK;
            lock.l_whence = SEEK_SET;
            lock.l_start = RecordArchive::kWriteLockOffset;
            lock.l_len = 1;
            QCOMPARE(fcntl(other.handle(), F_OFD_SETLK, &lock), 0);
#endif
        }
        const Backup::Result result = Backup::restore(copy, target->path(), kWhen);
        other.close();
        QVERIFY2(result.ok, qPrintable(result.error));
        QVERIFY(QDir(target->path()).entryList({"*-journal"}, QDir::Files | QDir::Hidden).isEmpty());
        QCOMPARE(TestSupport::readFile(path), data[ClienteRecord::fileName()]);
        {
            RecordArchive archive;
            QVERIFY(archive.OpenOrCreate(path, kSize));
            QVERIFY(archive.WriteAt(3, record('w')));
        }
        QCOMPARE(TestSupport::readFile(path), record('x') + record('y') + record('w'));

        // The former data: whole, or with their journal beside them, which a writer then applies.
        const QString asidePath = QDir(result.asideFolder).filePath(ClienteRecord::fileName());
        const QString asideJournal = RollbackJournal::fileNameFor(asidePath);
        switch (situation) {
        case 0:
            QCOMPARE(TestSupport::readFile(asidePath), record('a') + record('b') + record('c'));
            QVERIFY(!QFileInfo::exists(asideJournal));
            break;
        case 1: {
            QCOMPARE(TestSupport::readFile(asidePath), torn);
            QVERIFY(QFileInfo::exists(asideJournal));
            RecordArchive archive;
            QVERIFY(archive.OpenOrCreate(asidePath, kSize));
            archive.Close();
            QCOMPARE(TestSupport::readFile(asidePath), record('a') + record('b') + record('c'));
            break;
        }
        default:
            QVERIFY(QFileInfo::exists(asideJournal));
            QVERIFY(!QFileInfo::exists(asidePath));
            break;
        }
    }

    // A copy that holds none of the three archives under its own name would put empty registers in
    // place of the data: it is refused before anything moves, and nobody is asked.
    void copyWithoutArchivesRefused_data()
    {
        QTest::addColumn<QStringList>("names");
        QTest::addColumn<QString>("named");
        QTest::newRow("settings only") << QStringList{"Cablora.ini"} << "nessun archivio";
        QTest::newRow("archive name in capitals")
            << QStringList{"CLIENTI.PRO", "Cablora.ini"} << "\"CLIENTI.PRO\" non è";
        QTest::newRow("photos and attachments only")
            << QStringList{"Foto_A_1.jpg", "Documenti_Allegati/fattura 1.pdf", "Autoparco/Scheda_Veicolo_3.jpg"}
            << "nessun archivio";
    }
    void copyWithoutArchivesRefused()
    {
        QFETCH(QStringList, names);
        QFETCH(QString, named);
        auto dest = TestSupport::programFolder();
        const QString copy = dest->filePath("copia.zip");
        QVector<QPair<QString, QByteArray>> entries;
        for (const QString &name : names)
            entries.append({name, "contenuto di " + name.toUtf8()});
        QString error;
        QVERIFY2(Backup::writeZip(copy, entries, &error), qPrintable(error));

        auto target = TestSupport::programFolder();
        const QMap<QString, QByteArray> current = sampleData("B");
        writeAll(target->path(), current);
        bool asked = false;
        const Backup::Result result = Backup::restore(copy, target->path(), kWhen, {}, [&](const QStringList &) {
            asked = true;
            return true;
        });
        QVERIFY(!result.ok);
        QVERIFY(!asked);
        QVERIFY2(result.error.contains(named), qPrintable(result.error));
        QCOMPARE(readAll(target->path()), current);
    }

    // Before a copy that lacks some of the archives replaces the data, the caller is asked, with the
    // names of those missing; No, or nobody to ask, leaves everything as it was.
    void incompleteCopyAsksFirst_data()
    {
        QTest::addColumn<int>("answer");  // 0 nobody asked, 1 No, 2 Yes
        QTest::newRow("nobody to ask") << 0;
        QTest::newRow("answered No") << 1;
        QTest::newRow("answered Yes") << 2;
    }
    void incompleteCopyAsksFirst()
    {
        QFETCH(int, answer);
        auto source = TestSupport::programFolder();
        auto dest = TestSupport::programFolder();
        QMap<QString, QByteArray> data = sampleData("A");
        data.remove("Parco_Automezzi.pro");
        data.remove("Schede_Interventi_Elettrauto.pro");
        writeAll(source->path(), data);
        const QString copy = makeCopy(source->path(), dest->path());

        auto target = TestSupport::programFolder();
        const QMap<QString, QByteArray> current = sampleData("B");
        writeAll(target->path(), current);
        QStringList missing;
        Backup::ConfirmIncomplete confirm;
        if (answer > 0)
            confirm = [&](const QStringList &names) {
                missing = names;
                return answer == 2;
            };
        const Backup::Result result = Backup::restore(copy, target->path(), kWhen, {}, confirm);
        if (answer > 0)
            QCOMPARE(missing, (QStringList{"Schede_Interventi_Elettrauto.pro", "Parco_Automezzi.pro"}));
        if (answer < 2) {
            QVERIFY(!result.ok);
            QVERIFY2(result.error.contains(QStringLiteral("Parco_Automezzi.pro")), qPrintable(result.error));
            QCOMPARE(readAll(target->path()), current);
            return;
        }
        QVERIFY2(result.ok, qPrintable(result.error));
        QCOMPARE(readAll(result.asideFolder), current);
        QVERIFY(!QFileInfo::exists(target->filePath("Parco_Automezzi.pro")));
        QCOMPARE(TestSupport::readFile(target->filePath("Clienti.pro")), data["Clienti.pro"]);
    }

    // The command line has nobody to ask: an incomplete copy needs --incompleta.
    void incompleteCopyOnTheCommandLine()
    {
        auto dest = TestSupport::programFolder();
        const QString copy = dest->filePath("copia.zip");
        QString error;
        QVERIFY2(Backup::writeZip(copy, {{"Clienti.pro", QByteArray(3011, 'c')}}, &error), qPrintable(error));
        auto target = TestSupport::programFolder();
        const QMap<QString, QByteArray> current = sampleData("B");
        writeAll(target->path(), current);

        QString outText, errText;
        QTextStream out(&outText), err(&errText);
        QCOMPARE(CommandLine::run({"restore", copy, "--cartella", target->path()}, QString(), out, err), 1);
        QVERIFY2(errText.contains(QStringLiteral("--incompleta"))
                     && errText.contains(QStringLiteral("Parco_Automezzi.pro")),
                 qPrintable(errText));
        QCOMPARE(readAll(target->path()), current);

        QCOMPARE(CommandLine::run({"restore", copy, "--cartella", target->path(), "--incompleta"}, QString(), out, err),
                 0);
        QCOMPARE(TestSupport::readFile(target->filePath("Clienti.pro")), QByteArray(3011, 'c'));
    }

    // A restore stopped while it moves files, as its record of the swap and the files lie then: the
    // next start (or the next verb, or the next restore) runs it to its end, forward to the restored
    // data, or back to the former data where it had turned to undo a failure; a record that is
    // damaged, or names anything outside the program folder, moves nothing.
    void stoppedSwapRunToItsEnd_data()
    {
        QTest::addColumn<QByteArray>("plan");
        QTest::addColumn<QStringList>("asideAlready");  // former files already in the aside folder
        QTest::addColumn<QStringList>("placed");        // restored files already in the program folder
        QTest::addColumn<int>("recoveredBy");           // 0 directly, 1 program start, 2 a verb, 3 a restore
        QTest::addColumn<int>("outcome");               // 0 restored data, 1 former data, 2 refused

        const QByteArray forward =
            "Cablora ripristino 1\nlavoro\t.Cablora_ripristino_x\nprecedenti\tDati_precedenti_x\n"
            "verso\tavanti\nsposta\tClienti.pro\nsposta\tCablora.ini\nsposta\tFoto_A_1.jpg\n"
            "metti\tClienti.pro\nmetti\tCablora.ini\nmetti\tDocumenti_Allegati\nfine\n";
        QByteArray back = forward;
        back.replace("avanti", "indietro");
        QTest::newRow("stopped before the first move") << forward << QStringList() << QStringList() << 0 << 0;
        QTest::newRow("stopped moving the former data aside")
            << forward << QStringList{"Clienti.pro"} << QStringList() << 1 << 0;
        QTest::newRow("stopped putting the restored data in")
            << forward << QStringList{"Clienti.pro", "Cablora.ini", "Foto_A_1.jpg"} << QStringList{"Clienti.pro"} << 2
            << 0;
        QTest::newRow("stopped after the last move")
            << forward << QStringList{"Clienti.pro", "Cablora.ini", "Foto_A_1.jpg"}
            << QStringList{"Clienti.pro", "Cablora.ini", "Documenti_Allegati"} << 3 << 0;
        QTest::newRow("stopped undoing") << back << QStringList{"Clienti.pro", "Cablora.ini"}
                                         << QStringList{"Clienti.pro"} << 1 << 1;
        QTest::newRow("undo stopped at its start") << back << QStringList() << QStringList() << 0 << 1;
        QByteArray outside = forward;
        outside.replace("sposta\tFoto_A_1.jpg", "sposta\t../Foto_A_1.jpg");
        QTest::newRow("names a file outside the folder") << outside << QStringList() << QStringList() << 2 << 2;
        QTest::newRow("torn record") << forward.chopped(5) << QStringList() << QStringList() << 0 << 2;
    }
    void stoppedSwapRunToItsEnd()
    {
        QFETCH(QByteArray, plan);
        QFETCH(QStringList, asideAlready);
        QFETCH(QStringList, placed);
        QFETCH(int, recoveredBy);
        QFETCH(int, outcome);

        // The former data and the restored data, as the swap found them.
        QMap<QString, QByteArray> former{{"Clienti.pro", "clienti di prima"},
                                         {"Cablora.ini", "impostazioni di prima"},
                                         {"Foto_A_1.jpg", "foto di prima"}};
        QMap<QString, QByteArray> restored{{"Clienti.pro", "clienti della copia"},
                                           {"Cablora.ini", "impostazioni della copia"},
                                           {"Documenti_Allegati/fattura.pdf", "fattura della copia"}};
        auto target = TestSupport::programFolder();
        const QDir dir(target->path());
        const auto top = [](const QString &name) { return name.section(QLatin1Char('/'), 0, 0); };
        for (auto it = former.begin(); it != former.end(); ++it)
            writeAll(asideAlready.contains(it.key()) ? dir.filePath("Dati_precedenti_x") : dir.path(),
                     {{it.key(), it.value()}});
        for (auto it = restored.begin(); it != restored.end(); ++it)
            writeAll(placed.contains(top(it.key())) ? dir.path() : dir.filePath(".Cablora_ripristino_x"),
                     {{it.key(), it.value()}});
        QVERIFY(TestSupport::writeFile(dir.filePath(".Cablora_piano_ripristino"), plan));
        QVERIFY(TestSupport::writeFile(dir.filePath("cablora"), "ELF"));
        const QMap<QString, QByteArray> before = readAll(dir.path());

        QString error, note;
        MessageBoxes::takeShown();
        switch (recoveredBy) {
        case 0: {
            const Backup::Result result = Backup::finishInterruptedRestore(dir.path());
            error = result.ok ? QString() : result.error;
            note = result.note;
            break;
        }
        case 1: {
            auto windows = TestSupport::createWindows(dir.path());
            windows->start();
            for (const MessageBoxes::Shown &shown : MessageBoxes::takeShown())
                (shown.kind == MessageBoxes::Kind::Information ? note : error) += shown.text;
            break;
        }
        case 2: {
            auto dest = TestSupport::programFolder();
            QString outText, errText;
            QTextStream out(&outText), err(&errText);
            CommandLine::run({"backup", dest->path(), "--cartella", dir.path()}, QString(), out, err);
            out.flush();
            note = outText;
            error = errText;
            break;
        }
        default: {
            // The next restore finishes the stopped one first, then restores its own copy.
            auto source = TestSupport::programFolder();
            auto dest = TestSupport::programFolder();
            writeAll(source->path(), sampleData("C"));
            const Backup::Result result = Backup::restore(makeCopy(source->path(), dest->path()), dir.path(), kWhen);
            QVERIFY2(result.ok, qPrintable(result.error));
            note = result.note;
            QCOMPARE(readAll(result.asideFolder), restored);
            QDir(result.asideFolder).removeRecursively();
            for (const QString &name : sampleData("C").keys())
                QFile::remove(dir.filePath(name));
            QDir(dir.filePath("Autoparco")).removeRecursively();
            QDir(dir.filePath("Documenti_Allegati")).removeRecursively();
            restored.clear();  // moved aside by the second restore, checked above
            break;
        }
        }

        QMap<QString, QByteArray> now = readAll(dir.path());
        if (outcome == 2) {
            QVERIFY2(!error.isEmpty(), qPrintable(note));
            QCOMPARE(now, before);
            return;
        }
        QVERIFY2(error.isEmpty(), qPrintable(error));
        QVERIFY2(note.contains(outcome == 0 ? QStringLiteral("completato") : QStringLiteral("annullato")),
                 qPrintable(note));
        QMap<QString, QByteArray> expected = outcome == 0 ? restored : former;
        expected["cablora"] = "ELF";
        if (outcome == 0) {
            for (auto it = former.begin(); it != former.end(); ++it)
                expected["Dati_precedenti_x/" + it.key()] = it.value();
        }
        QCOMPARE(now, expected);
        QVERIFY(QDir(dir.path()).entryList({".Cablora_*"}, QDir::AllEntries | QDir::Hidden).isEmpty());
    }

    // The program killed at random moments of a restore, many of them while it moves files: once
    // the next start has run, the folder holds either the former data or the restored data, whole,
    // and the former data lie whole in their dated folder.
    void killedRestores()
    {
#ifndef Q_OS_UNIX
        QSKIP("kills the program with SIGKILL");
#else
        QMap<QString, QByteArray> former = sampleData("B"), restored = sampleData("A");
        for (int n = 1; n <= 150; ++n) {
            former[QStringLiteral("Foto_A_%1.jpg").arg(n + 100)] = "foto di prima " + QByteArray::number(n);
            restored[QStringLiteral("Foto_B_%1.jpg").arg(n + 100)] = "foto della copia " + QByteArray::number(n);
        }
        auto source = TestSupport::programFolder();
        auto dest = TestSupport::programFolder();
        writeAll(source->path(), restored);
        const QString copy = makeCopy(source->path(), dest->path());

        QRandomGenerator random(9090u);
        int formerKept = 0, restoredWhole = 0, midSwap = 0;
        for (int run = 0; run < 30; ++run) {
            auto target = TestSupport::programFolder();
            writeAll(target->path(), former);
            const QString plan = target->filePath(".Cablora_piano_ripristino");
            QProcess program;
            program.start(QStringLiteral(CABLORA_EXECUTABLE), {"restore", copy, "--cartella", target->path()});
            QVERIFY(program.waitForStarted());
            bool planSeen = false;
            if (run % 2 == 0) {
                while (!(planSeen = QFileInfo::exists(plan)) && !program.waitForFinished(0))
                    QThread::usleep(20);
                QThread::usleep(random.bounded(0, 3000));
            } else {
                QThread::usleep(random.bounded(0, 250000));
            }
            ::kill(pid_t(program.processId()), SIGKILL);
            QVERIFY(program.waitForFinished(60000));
            midSwap += planSeen && program.exitStatus() == QProcess::CrashExit && QFileInfo::exists(plan);

            const Backup::Result finished = Backup::finishInterruptedRestore(target->path());
            QVERIFY2(finished.ok, qPrintable(finished.error));
            const QStringList aside = QDir(target->path()).entryList({"Dati_precedenti_*"}, QDir::Dirs);
            QMap<QString, QByteArray> now = readAll(target->path());
            for (auto it = now.begin(); it != now.end();)
                it = it.key().startsWith(QLatin1String("Dati_precedenti_")) ? now.erase(it) : std::next(it);
            const QString where = QStringLiteral("run %1").arg(run);
            QVERIFY2(QDir(target->path()).entryList({".Cablora_*"}, QDir::AllEntries | QDir::Hidden).isEmpty(),
                     qPrintable(where));
            if (now == former) {
                QVERIFY2(aside.isEmpty(), qPrintable(where));
                ++formerKept;
            } else {
                QVERIFY2(now == restored, qPrintable(where + QStringLiteral(": neither data set whole")));
                QCOMPARE(aside.size(), 1);
                QVERIFY2(readAll(target->filePath(aside.first())) == former, qPrintable(where));
                ++restoredWhole;
            }
        }
        qInfo("30 restores killed: %d left the former data, %d the restored data, %d stopped while files moved",
              formerKept, restoredWhole, midSwap);
#endif
    }

    void unsafeNamesRefused_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("reason");
        QTest::newRow("climbing") << "../Clienti.pro"
                                  << "esce dalla cartella";
        QTest::newRow("climbing inside") << "Documenti_Allegati/../../x.pro"
                                         << "esce dalla cartella";
        QTest::newRow("absolute") << "/tmp/Clienti.pro"
                                  << "percorso assoluto";
        QTest::newRow("not data") << "cablora"
                                  << "non appartiene ai dati";
    }
    void unsafeNamesRefused()
    {
        QFETCH(QString, name);
        QFETCH(QString, reason);
        auto dest = TestSupport::programFolder();
        const QString copy = dest->filePath("copia.zip");
        QString error;
        QVERIFY2(Backup::writeZip(copy, {{"Clienti.pro", "buono"}, {name, "cattivo"}}, &error), qPrintable(error));

        auto target = TestSupport::programFolder();
        const Backup::Result result = Backup::restore(copy, target->path(), kWhen);
        QVERIFY(!result.ok);
        QVERIFY2(result.error.contains(reason), qPrintable(result.error));
        QVERIFY(result.error.contains(name));
        // Nothing was written anywhere: not in the folder, not beside it.
        QVERIFY(QDir(target->path()).isEmpty(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot));
        QVERIFY(!QFile::exists(QDir(target->path()).filePath("../Clienti.pro")));
    }

    // The verbs of the built program: backup, then restore into a folder that holds data.
    void commandLineVerbs()
    {
        auto folder = TestSupport::programFolder();
        auto dest = TestSupport::programFolder();
        auto target = TestSupport::programFolder();
        const QMap<QString, QByteArray> data = sampleData("A");
        writeAll(folder->path(), data);
        writeAll(target->path(), sampleData("B"));

        QString outText, errText;
        QTextStream out(&outText), err(&errText);
        QCOMPARE(CommandLine::run({"backup", dest->path(), "--cartella", folder->path()}, QString(), out, err), 0);
        const QStringList copies = QDir(dest->path()).entryList({"Cablora_copia_*.zip"}, QDir::Files);
        QCOMPARE(copies.size(), 1);
        QVERIFY(outText.contains(QStringLiteral("verificata")));

        QProcess program;
        program.start(QStringLiteral(CABLORA_EXECUTABLE),
                      {"restore", dest->filePath(copies.first()), "--cartella", target->path()});
        QVERIFY(program.waitForFinished(60000));
        QCOMPARE(program.exitCode(), 0);
        const QString said = QString::fromUtf8(program.readAllStandardOutput());
        QVERIFY2(said.contains(QStringLiteral("spostati in")), qPrintable(said));
        const QStringList aside = QDir(target->path()).entryList({"Dati_precedenti_*"}, QDir::Dirs);
        QCOMPARE(aside.size(), 1);
        QCOMPARE(readAll(target->filePath(aside.first())), sampleData("B"));
        QMap<QString, QByteArray> now = readAll(target->path());
        for (auto it = now.begin(); it != now.end();) {
            it = it.key().startsWith(aside.first()) ? now.erase(it) : std::next(it);
        }
        QCOMPARE(now, data);

        // A wrong file: exit code 1 and a message on the error stream.
        program.start(QStringLiteral(CABLORA_EXECUTABLE),
                      {"restore", folder->filePath("Cablora.ini"), "--cartella", target->path()});
        QVERIFY(program.waitForFinished(60000));
        QCOMPARE(program.exitCode(), 1);
        QVERIFY(!program.readAllStandardError().isEmpty());
    }
};

QTEST_MAIN(TestBackup)
#include "tst_backup.moc"
