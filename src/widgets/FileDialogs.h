#pragma once

#include <QString>

class QWidget;

// Every open-file and save-file dialog of the program goes through here, so that a test can script
// the chosen file name. Filters are given in Qt's form: "Immagine JPEG (*.jpg *.jpeg);;...".
//
// Each kind of dialog (known by its title) remembers the folder of the last choice and opens there
// the next time, also after a restart (in the section [Cartelle] of the settings file given to
// rememberFoldersIn); a kind never used opens in the folder the caller gives, else in the user's
// documents, never in the program folder.
class FileDialogs
{
public:
    // The settings file where the folders are remembered (the empty text: for this run only).
    static void rememberFoldersIn(const QString &iniPath);
    // The folder a dialog of this title opens in: the remembered one while it exists, else
    // `fallback` when it exists, else the user's documents folder.
    static QString startFolder(const QString &title, const QString &fallback = QString());
    // The folder remembered for the dialogs of this title (empty: none).
    static QString lastFolder(const QString &title);
    // Sets it (empty: none), for a choice the caller refused: the refused folder is not offered again.
    static void setLastFolder(const QString &title, const QString &folder);

    // The chosen file, or the empty text when the user cancels.
    static QString openFileName(QWidget *parent, const QString &title, const QString &filters,
                                const QString &folder = QString());
    // Asks before it overwrites an existing file; a name typed without extension gets
    // defaultSuffix added.
    static QString saveFileName(QWidget *parent, const QString &title, const QString &filters,
                                const QString &defaultSuffix, const QString &proposedName,
                                const QString &folder = QString());
    // The chosen existing folder, or the empty text when the user cancels.
    static QString folderName(QWidget *parent, const QString &title, const QString &folder = QString());

    // Scripting for tests: once scripted, no dialog is shown and each call takes the next queued
    // name (the empty text, or nothing queued, means cancel). A save name without extension gets the
    // default suffix added, as the real dialog does. The titles asked for are recorded. Scripted
    // dialogs remember their folders for the run only (the settings file is read, never written).
    static void setScripted(bool scripted);
    static void setNextFileName(const QString &fileName);
    static QStringList takeTitles();
    // The folders the scripted dialogs would have opened in, in order.
    static QStringList takeFolders();
};
