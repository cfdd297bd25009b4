#pragma once

#include <QString>
#include <QStringList>

// Where the program keeps its data. By default (the portable folder that scripts/run.sh assembles,
// or the build folder) the data lie beside the executable. An installed program (cmake --install,
// the .deb) keeps them in the user's writable application data folder instead, because the
// executable's folder (/usr/bin) is not writable and is shared by every program.
//
// The executable counts as installed when all of these hold:
//  - its folder is named "bin";
//  - the folder <prefix>/share/cablora (installed beside bin/, holding the manual) exists;
//  - no data file of the program lies beside the executable.
// A portable folder that someone named "bin" therefore stays portable as soon as it holds data.
namespace InstallLayout {

// <prefix>/share/cablora of an executable in <prefix>/bin.
QString sharedFolder(const QString &executableFolder);

bool isInstalled(const QString &executableFolder);

// The data folder: appDataFolder when installed, otherwise the executable's folder.
QString dataFolder(const QString &executableFolder, const QString &appDataFolder);

// Makes an installed program's data folder ready: creates it, writes the password store with the
// initial password when it is absent, and puts the installed manual beside the data (where the help
// window opens it) when it is missing or differs. False when the folder cannot be made. Every step
// that failed adds one Italian sentence to problems (when given), for the user to be told: a folder
// that cannot be made, a password store or a manual that cannot be written.
bool prepareDataFolder(const QString &dataFolder, const QString &sharedFolder, QStringList *problems = nullptr);

}  // namespace InstallLayout
