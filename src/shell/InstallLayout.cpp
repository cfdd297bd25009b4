#include "shell/InstallLayout.h"

#include "backup/Backup.h"
#include "shell/HelpTopics.h"
#include "shell/PasswordStore.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace InstallLayout {

QString sharedFolder(const QString &executableFolder)
{
    return QDir::cleanPath(executableFolder + QStringLiteral("/../share/cablora"));
}

bool isInstalled(const QString &executableFolder)
{
    return QDir(executableFolder).dirName() == QLatin1String("bin") && QFileInfo(sharedFolder(executableFolder)).isDir()
           && !Backup::hasData(executableFolder);
}

QString dataFolder(const QString &executableFolder, const QString &appDataFolder)
{
    return isInstalled(executableFolder) ? appDataFolder : executableFolder;
}

bool prepareDataFolder(const QString &dataFolder, const QString &sharedFolder, QStringList *problems)
{
    const QString shown = QDir::toNativeSeparators(dataFolder);
    const auto tell = [problems](const QString &problem) {
        if (problems)
            *problems << problem;
    };
    const auto whyNot = [&dataFolder] {
        const QFileInfo folder(dataFolder);
        return folder.isDir() && !folder.isWritable() ? QStringLiteral(" (la cartella è di sola lettura)") : QString();
    };
    if (!QDir().mkpath(dataFolder)) {
        tell(QStringLiteral("Impossibile creare la cartella dei dati %1: il programma non può conservare "
                            "i suoi archivi.")
                 .arg(shown));
        return false;
    }
    if (!QFileInfo::exists(PasswordStore::fileName(dataFolder))
        && !PasswordStore::store(dataFolder, QStringLiteral("PORTIERASICURA")))
        tell(QStringLiteral("Impossibile scrivere l'archivio delle password (unins000.dll) nella cartella dei "
                            "dati %1%2: senza di esso non si può accedere al programma.")
                 .arg(shown, whyNot()));
    const QString manual = HelpTopics::manualFileName();
    const QFileInfo installed(QDir(sharedFolder).filePath(manual));
    const QFileInfo present(QDir(dataFolder).filePath(manual));
    if (installed.exists()
        && (!present.exists() || present.size() != installed.size()
            || present.lastModified() < installed.lastModified())) {
        QFile::remove(present.filePath());
        if (!QFile::copy(installed.filePath(), present.filePath()))
            tell(QStringLiteral("Impossibile copiare il manuale %1 nella cartella dei dati %2%3: la guida non "
                                "si potrà aprire dal programma.")
                     .arg(manual, shown, whyNot()));
    }
    return true;
}

}  // namespace InstallLayout
