#include "backup/CommandLine.h"
#include "shell/AppWindows.h"
#include "shell/Startup.h"

#include <QApplication>
#include <QIcon>
#include <QTextStream>

int main(int argc, char *argv[])
{
    // A command-line verb (export, import, backup, restore) runs without any window and needs no
    // display.
    if (argc > 1 && CommandLine::isVerb(QString::fromLocal8Bit(argv[1]))) {
        QCoreApplication app(argc, argv);
        QStringList arguments = QCoreApplication::arguments();
        arguments.removeFirst();
        QTextStream out(stdout);
        QTextStream err(stderr);
        return CommandLine::run(arguments, QCoreApplication::applicationDirPath(), out, err);
    }

    QApplication app(argc, argv);
    Startup::prepare(app);
    app.setWindowIcon(QIcon(QStringLiteral(":/art/cablora.svg")));

    // All data lives beside the executable, so the whole folder can be copied and run elsewhere.
    AppWindows windows(QCoreApplication::applicationDirPath());
    windows.create();
    windows.start();
    return app.exec();
}
