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
    return QDir(executableFolder).dirName() == QLatin1String("bin")
           && QFileInfo(sharedFolder(executableFolder)).isDir() && !Backup::hasData(executableFolder);
}

QString dataFolder(const QString &executableFolder, const QString &appDataFolder)
{
    return isInstalled(executableFolder) ? appDataFolder : executableFolder;
}

bool prepareDataFolder(const QString &dataFolder, const QString &sharedFolder)
{
    if (!QDir().mkpath(dataFolder))
        return false;
    if (!QFileInfo::exists(PasswordStore::fileName(dataFolder)))
        PasswordStore::store(dataFolder, QStringLiteral("PORTIERASICURA"));
    const QString manual = HelpTopics::manualFileName();
    const QFileInfo installed(QDir(sharedFolder).filePath(manual));
    const QFileInfo present(QDir(dataFolder).filePath(manual));
    if (installed.exists()
        && (!present.exists() || present.size() != installed.size()
            || present.lastModified() < installed.lastModified())) {
        QFile::remove(present.filePath());
        QFile::copy(installed.filePath(), present.filePath());
    }
    return true;
}

}  // namespace InstallLayout
