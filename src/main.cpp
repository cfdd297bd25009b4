#include "backup/CommandLine.h"
#include "shell/AppWindows.h"
#include "shell/InstallLayout.h"
#include "shell/Startup.h"
#include "widgets/MessageBoxes.h"

#include <QApplication>
#include <QIcon>
#include <QLocale>
#include <QStandardPaths>
#include <QTextStream>

#include <cstdio>
#include <cstdlib>
#include <optional>

namespace {

// The data lie beside the executable, so that the whole folder can be copied and run elsewhere;
// an installed program keeps them in the user's application data folder (see InstallLayout), made
// ready here: what could not be made ready is added to problems, and *usable turns false when the
// folder itself could not be made.
QString dataFolder(QStringList *problems, bool *usable)
{
    *usable = true;
    const QString executableFolder = QCoreApplication::applicationDirPath();
    const QString folder =
        InstallLayout::dataFolder(executableFolder, QStandardPaths::writableLocation(QStandardPaths::AppDataLocation));
    if (folder != executableFolder)
        *usable = InstallLayout::prepareDataFolder(folder, InstallLayout::sharedFolder(executableFolder), problems);
    return folder;
}

// Where a display must exist for the windows and none is named, Qt would abort: without one the
// program says so, prints the usage and ends with exit code 2.
[[noreturn]] void noDisplay()
{
    QTextStream err(stderr);
    err << CommandLine::noDisplayMessage() << '\n' << CommandLine::usage();
    err.flush();
    std::fflush(stderr);
    std::_Exit(2);
}

bool displayNamed(const QStringList &arguments)
{
#if defined(Q_OS_UNIX) && !defined(Q_OS_MACOS) && !defined(Q_OS_ANDROID)
    if (arguments.contains(QLatin1String("-platform")) || arguments.contains(QLatin1String("--platform")))
        return true;
    return !qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") || !qEnvironmentVariableIsEmpty("DISPLAY")
           || !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
#else
    Q_UNUSED(arguments);
    return true;
#endif
}

// While the windows' application starts: a display that is named but cannot be reached (or no
// platform plugin that works) makes Qt end with a fatal message and abort; the program ends as
// without a display instead.
QtMessageHandler g_previousHandler = nullptr;
void startupMessages(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (type == QtFatalMsg) {
        QTextStream(stderr) << message << '\n';
        noDisplay();
    }
    if (g_previousHandler)
        g_previousHandler(type, context, message);
}

}  // namespace

int main(int argc, char *argv[])
{
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);

    // A command-line verb (export, import, backup, restore), with its options before or after it,
    // runs without any window and needs no display.
    if (CommandLine::isCommandLine(arguments)) {
        QCoreApplication app(argc, argv);
        app.setApplicationName(QStringLiteral("Cablora"));
        QTextStream out(stdout);
        QTextStream err(stderr);
        QStringList problems;
        bool usable = true;
        const QString folder = dataFolder(&problems, &usable);
        for (const QString &problem : std::as_const(problems))
            err << problem << '\n';
        err.flush();
        if (!usable && !arguments.contains(QLatin1String("--cartella")))
            return 1;
        return CommandLine::run(arguments, folder, out, err);
    }

    if (!displayNamed(arguments))
        noDisplay();
    // The system locale Qt reads at start-up is Italian, whatever the system's.
    std::optional<Startup::ItalianEnvironment> italian(std::in_place);
    g_previousHandler = qInstallMessageHandler(startupMessages);
    QApplication app(argc, argv);
    qInstallMessageHandler(g_previousHandler);
    QLocale::system();
    italian.reset();
    Startup::prepare(app);
    app.setWindowIcon(QIcon(QStringLiteral(":/art/cablora.svg")));

    QStringList problems;
    bool usable = true;
    const QString folder = dataFolder(&problems, &usable);
    if (!problems.isEmpty()) {
        const QString text = problems.join(QStringLiteral("\n\r\n\r"));
        if (!usable) {
            MessageBoxes::error(nullptr, text);
            return 1;
        }
        MessageBoxes::warning(nullptr, text);
    }
    AppWindows windows(folder);
    windows.create();
    windows.start();
    return app.exec();
}
