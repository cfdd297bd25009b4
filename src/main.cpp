#include "backup/CommandLine.h"
#include "shell/AppWindows.h"
#include "shell/InstallLayout.h"
#include "shell/Startup.h"

#include <QApplication>
#include <QIcon>
#include <QLocale>
#include <QStandardPaths>
#include <QTextStream>

#include <optional>

namespace {

// The data lie beside the executable, so that the whole folder can be copied and run elsewhere;
// an installed program keeps them in the user's application data folder (see InstallLayout).
QString dataFolder()
{
    const QString executableFolder = QCoreApplication::applicationDirPath();
    const QString folder = InstallLayout::dataFolder(
        executableFolder, QStandardPaths::writableLocation(QStandardPaths::AppDataLocation));
    if (folder != executableFolder)
        InstallLayout::prepareDataFolder(folder, InstallLayout::sharedFolder(executableFolder));
    return folder;
}

}  // namespace

int main(int argc, char *argv[])
{
    // A command-line verb (export, import, backup, restore) runs without any window and needs no
    // display.
    if (argc > 1 && CommandLine::isVerb(QString::fromLocal8Bit(argv[1]))) {
        QCoreApplication app(argc, argv);
        app.setApplicationName(QStringLiteral("Cablora"));
        QStringList arguments = QCoreApplication::arguments();
        arguments.removeFirst();
        QTextStream out(stdout);
        QTextStream err(stderr);
        return CommandLine::run(arguments, dataFolder(), out, err);
    }

    // The system locale Qt reads at start-up is Italian, whatever the system's.
    std::optional<Startup::ItalianEnvironment> italian(std::in_place);
    QApplication app(argc, argv);
    QLocale::system();
    italian.reset();
    Startup::prepare(app);
    app.setWindowIcon(QIcon(QStringLiteral(":/art/cablora.svg")));

    AppWindows windows(dataFolder());
    windows.create();
    windows.start();
    return app.exec();
}
