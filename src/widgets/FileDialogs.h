#pragma once

#include <QString>

class QWidget;

// Every open-file and save-file dialog of the program goes through here, so that a test can script
// the chosen file name. Filters are given in Qt's form: "Immagine JPEG (*.jpg *.jpeg);;...".
class FileDialogs
{
public:
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
    // default suffix added, as the real dialog does. The titles asked for are recorded.
    static void setScripted(bool scripted);
    static void setNextFileName(const QString &fileName);
    static QStringList takeTitles();
};
