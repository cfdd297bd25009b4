// Browsing an archive only reads it: the browse commands open the archive read-only, so a read-only
// program folder (a locked USB stick, a read-only backup copy or share) can still be browsed.

#include "archive/RecordArchive.h"
#include "support/TestSupport.h"
#include "widgets/ArchiveBrowser.h"
#include "widgets/MessageBoxes.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QScopeGuard>
#include <QWidget>
#include <QtTest>

#ifdef Q_OS_LINUX
#  include <sys/inotify.h>
#  include <unistd.h>
#endif

namespace {

constexpr int kBrowsedRecordSize = 3011;
const QString kArchive = QStringLiteral("Clienti.pro");

QByteArray browsedRecord(char tag)
{
    return QByteArray(kBrowsedRecordSize, tag);
}

QByteArray threeRecords()
{
    return browsedRecord('a') + browsedRecord('b') + browsedRecord('c');
}

struct Browsed
{
    QList<QPair<char, qint64>> shown;  // first byte of each record shown, with its position
    QString label;
    QList<MessageBoxes::Shown> messages;
};

Browsed browse(const QString &folder, BrowseCommand command, const QString &label)
{
    QWidget window;
    QLabel position(label, &window);
    Browsed result;
    ArchiveBrowser::run(&window, &position, QDir(folder).filePath(kArchive), kBrowsedRecordSize, command,
                        [&](const QByteArray &bytes, qint64 at) {
                            result.shown.append({bytes.at(0), at});
                        });
    result.label = position.text();
    result.messages = MessageBoxes::takeShown();
    return result;
}

// True when this process may write into the file or folder whatever its mode (root, for one).
bool permissionsIgnored(const QString &path)
{
    if (QFileInfo(path).isDir()) {
        QFile probe(QDir(path).filePath(QStringLiteral("prova.tmp")));
        const bool written = probe.open(QIODevice::WriteOnly);
        if (written)
            probe.remove();
        return written;
    }
    QFile file(path);
    return file.open(QIODevice::ReadWrite);
}

}  // namespace

class TestReadOnlyBrowse : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { TestSupport::scriptEverything(); }

    void commands_data()
    {
        QTest::addColumn<BrowseCommand>("command");
        QTest::addColumn<QString>("label");
        QTest::addColumn<char>("tag");
        QTest::addColumn<QString>("after");
        QTest::newRow("First") << BrowseCommand::First << "" << 'a' << "1";
        QTest::newRow("Last") << BrowseCommand::Last << "" << 'c' << "3";
        QTest::newRow("Next") << BrowseCommand::Next << "1" << 'b' << "2";
        QTest::newRow("Previous") << BrowseCommand::Previous << "3" << 'b' << "2";
    }

    // Watched by the kernel: every open that browsing makes of the archive is closed without having
    // been open for writing. Holds for any user, root included.
    void commands()
    {
#ifndef Q_OS_LINUX
        QSKIP("watches the archive's opens with inotify");
#else
        QFETCH(BrowseCommand, command);
        QFETCH(QString, label);
        QFETCH(char, tag);
        QFETCH(QString, after);
        auto dir = TestSupport::programFolder();
        const QString path = dir->filePath(kArchive);
        QVERIFY(TestSupport::writeFile(path, threeRecords()));

        const int watcher = inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
        QVERIFY(watcher >= 0);
        const auto closeWatcher = qScopeGuard([watcher] { ::close(watcher); });
        QVERIFY(inotify_add_watch(watcher, QFile::encodeName(path).constData(),
                                  IN_OPEN | IN_CLOSE_WRITE | IN_CLOSE_NOWRITE | IN_MODIFY)
                >= 0);

        const Browsed browsed = browse(dir->path(), command, label);
        QVERIFY(browsed.messages.isEmpty());
        QCOMPARE(browsed.shown.size(), 1);
        QCOMPARE(browsed.shown.first().first, tag);
        QCOMPARE(browsed.label, after);

        int opens = 0, readOnlyCloses = 0, writableCloses = 0, modifications = 0;
        alignas(inotify_event) char buffer[4096];
        for (;;) {
            const ssize_t got = ::read(watcher, buffer, sizeof buffer);
            if (got <= 0)
                break;
            for (ssize_t at = 0; at < got;) {
                const auto *event = reinterpret_cast<const inotify_event *>(buffer + at);
                opens += (event->mask & IN_OPEN) ? 1 : 0;
                readOnlyCloses += (event->mask & IN_CLOSE_NOWRITE) ? 1 : 0;
                writableCloses += (event->mask & IN_CLOSE_WRITE) ? 1 : 0;
                modifications += (event->mask & IN_MODIFY) ? 1 : 0;
                at += qsizetype(sizeof(inotify_event)) + event->len;
            }
        }
        QVERIFY(opens >= 1);
        QCOMPARE(readOnlyCloses, opens);
        QCOMPARE(writableCloses, 0);
        QCOMPARE(modifications, 0);
        QCOMPARE(TestSupport::readFile(path), threeRecords());
#endif
    }

    // An archive that cannot be opened for writing is browsed as usual.
    void readOnlyArchive()
    {
        auto dir = TestSupport::programFolder();
        const QString path = dir->filePath(kArchive);
        QVERIFY(TestSupport::writeFile(path, threeRecords()));
        const QFileDevice::Permissions readOnly =
            QFileDevice::ReadOwner | QFileDevice::ReadGroup | QFileDevice::ReadOther;
        QVERIFY(QFile::setPermissions(path, readOnly));
        QVERIFY(QFile::setPermissions(dir->path(), readOnly | QFileDevice::ExeOwner | QFileDevice::ExeGroup
                                                       | QFileDevice::ExeOther));
        const auto restore = qScopeGuard([&] {
            QFile::setPermissions(dir->path(),
                                  QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
            QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
        });
        if (permissionsIgnored(path))
            QSKIP("this user writes into read-only files (root): the inotify test covers it");

        Browsed browsed = browse(dir->path(), BrowseCommand::First, QString());
        QVERIFY(browsed.messages.isEmpty());
        QCOMPARE(browsed.shown, (QList<QPair<char, qint64>>{{'a', 1}}));
        QCOMPARE(browsed.label, QStringLiteral("1"));
        browsed = browse(dir->path(), BrowseCommand::Last, QStringLiteral("1"));
        QVERIFY(browsed.messages.isEmpty());
        QCOMPARE(browsed.shown, (QList<QPair<char, qint64>>{{'c', 3}}));

        // Save still needs write access, and is refused.
        RecordArchive archive;
        QVERIFY(!archive.OpenOrCreate(path, kBrowsedRecordSize));
    }

    // A missing archive in a folder that cannot be written reads as empty: the empty-archive
    // message, not the access failure.
    void missingArchiveInReadOnlyFolder()
    {
        auto dir = TestSupport::programFolder();
        QVERIFY(QFile::setPermissions(dir->path(), QFileDevice::ReadOwner | QFileDevice::ExeOwner));
        const auto restore = qScopeGuard([&] {
            QFile::setPermissions(dir->path(),
                                  QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        });
        if (permissionsIgnored(dir->path()))
            QSKIP("this user writes into read-only folders (root)");

        for (BrowseCommand command : {BrowseCommand::First, BrowseCommand::Last, BrowseCommand::Next}) {
            const Browsed browsed = browse(dir->path(), command, QString());
            QVERIFY(browsed.shown.isEmpty());
            QCOMPARE(browsed.messages.size(), 1);
            QCOMPARE(browsed.messages.first().kind, MessageBoxes::Kind::Information);
            QCOMPARE(browsed.messages.first().text, QStringLiteral("L'archivio non contiene nessuna scheda."));
        }
        QVERIFY(!QFileInfo::exists(dir->filePath(kArchive)));
    }

    // Where the folder can be written, the first browse of a new installation creates the archive
    // empty, as before.
    void missingArchiveIsCreated()
    {
        auto dir = TestSupport::programFolder();
        const Browsed browsed = browse(dir->path(), BrowseCommand::First, QString());
        QCOMPARE(browsed.messages.size(), 1);
        QCOMPARE(browsed.messages.first().text, QStringLiteral("L'archivio non contiene nessuna scheda."));
        QVERIFY(QFileInfo::exists(dir->filePath(kArchive)));
        QCOMPARE(QFileInfo(dir->filePath(kArchive)).size(), 0);
    }
};

QTEST_MAIN(TestReadOnlyBrowse)
#include "tst_readonlybrowse.moc"
