#pragma once

#include <QString>

// Where a backup copy may be written: never inside the folder it copies (the copy would copy itself,
// and a lost or broken program folder would take its copies along).
namespace BackupPlace {

// True when destination is the program folder or a folder within it (after resolving links and
// "..", without regard to letter case on Windows).
bool insideProgramFolder(const QString &programFolder, const QString &destination);

// What the user is told when the chosen destination lies inside the program folder.
QString insideMessage(const QString &programFolder);

}  // namespace BackupPlace
