#include "shell/AppWindows.h"
#include "shell/Startup.h"

#include <QApplication>
#include <QIcon>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    Startup::prepare(app);
    app.setWindowIcon(QIcon(QStringLiteral(":/art/cablora.svg")));

    // All data lives beside the executable, so the whole folder can be copied and run elsewhere.
    AppWindows windows(QCoreApplication::applicationDirPath());
    windows.create();
    windows.start();
    return app.exec();
}
