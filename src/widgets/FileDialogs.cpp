#include "widgets/FileDialogs.h"

#include "common/IniFile.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QHash>
#include <QStandardPaths>
#include <QStringList>

namespace {

struct FileDialogScript
{
    bool scripted = false;
    QStringList names;
    QStringList titles;
    QStringList folders;
};

FileDialogScript &fileDialogScript()
{
    static FileDialogScript s;
    return s;
}

struct FolderMemory
{
    QString iniPath;
    QHash<QString, QString> folders;  // by title
};

FolderMemory &folderMemory()
{
    static FolderMemory m;
    return m;
}

const QString kFolderSection = QStringLiteral("Cartelle");

// The key of a kind of dialog in the settings file: its title made safe for an INI key.
QString folderKey(const QString &title)
{
    return QString::fromLatin1(QCryptographicHash::hash(title.toUtf8(), QCryptographicHash::Md5).toHex().left(16));
}

void rememberFolder(const QString &title, const QString &folder, bool evenEmpty = false)
{
    if (folder.isEmpty() && !evenEmpty)
        return;
    FolderMemory &m = folderMemory();
    m.folders.insert(title, folder);
    // A scripted run (the tests) keeps its folders for the run only.
    if (!m.iniPath.isEmpty() && !fileDialogScript().scripted)
        IniFile::setValue(m.iniPath, kFolderSection, folderKey(title), QDir::toNativeSeparators(folder));
}

// The folder a file was chosen in.
QString folderOf(const QString &file)
{
    return QFileInfo(file).absolutePath();
}

QString nextScripted(const QString &title, const QString &folder)
{
    FileDialogScript &s = fileDialogScript();
    s.titles.append(title);
    s.folders.append(folder);
    return s.names.isEmpty() ? QString() : s.names.takeFirst();
}

}  // namespace

void FileDialogs::rememberFoldersIn(const QString &iniPath)
{
    folderMemory() = FolderMemory{iniPath, {}};
}

QString FileDialogs::lastFolder(const QString &title)
{
    FolderMemory &m = folderMemory();
    if (m.folders.contains(title))
        return m.folders.value(title);
    if (m.iniPath.isEmpty())
        return QString();
    const QString stored = QDir::fromNativeSeparators(IniFile::value(m.iniPath, kFolderSection, folderKey(title)));
    if (!stored.isEmpty())
        m.folders.insert(title, stored);
    return stored;
}

QString FileDialogs::startFolder(const QString &title, const QString &fallback)
{
    const QString last = lastFolder(title);
    if (!last.isEmpty() && QFileInfo(last).isDir())
        return last;
    if (!fallback.isEmpty() && QFileInfo(fallback).isDir())
        return fallback;
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (!documents.isEmpty() && QFileInfo(documents).isDir())
        return documents;
    return QDir::homePath();
}

void FileDialogs::setLastFolder(const QString &title, const QString &folder)
{
    rememberFolder(title, folder, true);
}

QStringList FileDialogs::takeFolders()
{
    return std::exchange(fileDialogScript().folders, {});
}

void FileDialogs::setScripted(bool scripted)
{
    fileDialogScript().scripted = scripted;
    fileDialogScript().names.clear();
    fileDialogScript().titles.clear();
    fileDialogScript().folders.clear();
    folderMemory().folders.clear();
}

void FileDialogs::setNextFileName(const QString &fileName)
{
    fileDialogScript().names.append(fileName);
}

QStringList FileDialogs::takeTitles()
{
    return std::exchange(fileDialogScript().titles, {});
}

QString FileDialogs::openFileName(QWidget *parent, const QString &title, const QString &filters, const QString &folder)
{
    const QString start = startFolder(title, folder);
    if (fileDialogScript().scripted) {
        const QString name = nextScripted(title, start);
        if (!name.isEmpty())
            rememberFolder(title, folderOf(name));
        return name;
    }
    // "*.*" means every file on Windows; elsewhere it would hide the files without an extension.
    QString shownFilters = filters;
#ifndef Q_OS_WIN
    shownFilters.replace(QStringLiteral("(*.*)"), QStringLiteral("(*)"));
#endif
    QFileDialog dialog(parent, title, start, shownFilters);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    const QString chosen = dialog.selectedFiles().constFirst();
    rememberFolder(title, folderOf(chosen));
    return chosen;
}

QString FileDialogs::saveFileName(QWidget *parent, const QString &title, const QString &filters,
                                  const QString &defaultSuffix, const QString &proposedName, const QString &folder)
{
    const QString start = startFolder(title, folder);
    if (fileDialogScript().scripted) {
        QString name = nextScripted(title, start);
        if (!name.isEmpty() && QFileInfo(name).suffix().isEmpty() && !defaultSuffix.isEmpty())
            name += QLatin1Char('.') + defaultSuffix;
        if (!name.isEmpty())
            rememberFolder(title, folderOf(name));
        return name;
    }
    QFileDialog dialog(parent, title, start, filters);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix(defaultSuffix);
    dialog.selectFile(QDir(start).filePath(proposedName));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    const QString chosen = dialog.selectedFiles().constFirst();
    rememberFolder(title, folderOf(chosen));
    return chosen;
}

QString FileDialogs::folderName(QWidget *parent, const QString &title, const QString &folder)
{
    const QString start = startFolder(title, folder);
    if (fileDialogScript().scripted) {
        const QString name = nextScripted(title, start);
        rememberFolder(title, name);
        return name;
    }
    QFileDialog dialog(parent, title, start);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::Directory);
    dialog.setOption(QFileDialog::ShowDirsOnly, true);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    const QString chosen = dialog.selectedFiles().constFirst();
    rememberFolder(title, chosen);
    return chosen;
}
