#include "widgets/FileDialogs.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QStringList>

namespace {

struct FileDialogScript
{
    bool scripted = false;
    QStringList names;
    QStringList titles;
};

FileDialogScript &fileDialogScript()
{
    static FileDialogScript s;
    return s;
}

QString nextScripted(const QString &title)
{
    FileDialogScript &s = fileDialogScript();
    s.titles.append(title);
    return s.names.isEmpty() ? QString() : s.names.takeFirst();
}

}  // namespace

void FileDialogs::setScripted(bool scripted)
{
    fileDialogScript().scripted = scripted;
    fileDialogScript().names.clear();
    fileDialogScript().titles.clear();
}

void FileDialogs::setNextFileName(const QString &fileName)
{
    fileDialogScript().names.append(fileName);
}

QStringList FileDialogs::takeTitles()
{
    return std::exchange(fileDialogScript().titles, {});
}

QString FileDialogs::openFileName(QWidget *parent, const QString &title, const QString &filters,
                                  const QString &folder)
{
    if (fileDialogScript().scripted)
        return nextScripted(title);
    // "*.*" means every file on Windows; elsewhere it would hide the files without an extension.
    QString shownFilters = filters;
#ifndef Q_OS_WIN
    shownFilters.replace(QStringLiteral("(*.*)"), QStringLiteral("(*)"));
#endif
    QFileDialog dialog(parent, title, folder, shownFilters);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    return dialog.selectedFiles().constFirst();
}

QString FileDialogs::saveFileName(QWidget *parent, const QString &title, const QString &filters,
                                  const QString &defaultSuffix, const QString &proposedName,
                                  const QString &folder)
{
    if (fileDialogScript().scripted) {
        QString name = nextScripted(title);
        if (!name.isEmpty() && QFileInfo(name).suffix().isEmpty() && !defaultSuffix.isEmpty())
            name += QLatin1Char('.') + defaultSuffix;
        return name;
    }
    QFileDialog dialog(parent, title, folder, filters);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix(defaultSuffix);
    dialog.selectFile(proposedName);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    return dialog.selectedFiles().constFirst();
}

QString FileDialogs::folderName(QWidget *parent, const QString &title, const QString &folder)
{
    if (fileDialogScript().scripted)
        return nextScripted(title);
    QFileDialog dialog(parent, title, folder);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::Directory);
    dialog.setOption(QFileDialog::ShowDirsOnly, true);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    return dialog.selectedFiles().constFirst();
}
