// Build tool: writes the user manual Guida.pdf into a folder (the build puts it beside the program).
// The text is the help text of the program; the pictures are the real windows, drawn offscreen as
// they look on a 1366 x 768 laptop screen.
//
//   crea-guida <cartella>

#include "customers/TfrmClienti.h"
#include "customers/TfrmExpClienti.h"
#include "sheets/TfrmInterventi.h"
#include "shell/AppWindows.h"
#include "shell/HelpManual.h"
#include "shell/HelpTopics.h"
#include "shell/Startup.h"
#include "shell/TfrmAvvio.h"
#include "shell/TfrmGuida.h"
#include "shell/TfrmPassword.h"
#include "vehicles/TfrmAutoparco.h"
#include "vehicles/TfrmExpAutoparco.h"
#include "widgets/Artwork.h"

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>

#include <cstdio>
#include <memory>

namespace {

// The picture of a window as shown; a whole-run (maximised) window at the laptop's screen size.
QImage shoot(QWidget *window, bool maximised)
{
    if (maximised)
        window->resize(1366, 768 - 24);
    window->show();
    QApplication::processEvents();
    const QImage picture = window->grab().toImage();
    window->hide();
    return picture;
}

QImage shoot(AppWindows &windows, const QString &name)
{
    if (name == QLatin1String("TfrmAvvio"))
        return shoot(windows.frmAvvio(), true);
    if (name == QLatin1String("TfrmPassword"))
        return shoot(windows.frmPassword(), false);
    if (name == QLatin1String("TfrmClienti"))
        return shoot(windows.frmClienti(), true);
    if (name == QLatin1String("TfrmAutoparco"))
        return shoot(windows.frmAutoparco(), true);
    if (name == QLatin1String("TfrmInterventi"))
        return shoot(windows.frmInterventi(), true);
    if (name == QLatin1String("TfrmGuida")) {
        TfrmGuida guida(windows, windows.frmAvvio());
        guida.setTopic(HelpTopics::launcher());
        return shoot(&guida, false);
    }
    if (name == QLatin1String("TfrmExpClienti")) {
        TfrmExpClienti exportWindow(windows, windows.frmClienti());
        return shoot(&exportWindow, false);
    }
    if (name == QLatin1String("TfrmExpAutoparco")) {
        TfrmExpAutoparco exportWindow(windows, windows.frmAutoparco());
        return shoot(&exportWindow, false);
    }
    return QImage();
}

}  // namespace

int main(int argc, char *argv[])
{
    // The tool never needs a screen.
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    Startup::prepare(app);
    if (argc < 2) {
        std::fprintf(stderr, "uso: crea-guida <cartella>\n");
        return 2;
    }
    const QString folder = QString::fromLocal8Bit(argv[1]);
    if (!QDir().mkpath(folder)) {
        std::fprintf(stderr, "crea-guida: impossibile creare la cartella %s\n", argv[1]);
        return 1;
    }

    // The windows are pictured over an empty program folder of their own.
    QTemporaryDir scratch;
    if (!scratch.isValid()) {
        std::fprintf(stderr, "crea-guida: impossibile creare una cartella temporanea\n");
        return 1;
    }
    AppWindows windows(scratch.path());
    windows.setEndHandler([] {});
    windows.create();

    HelpManual::Pictures pictures;
    pictures.cover = Artwork::picture(QStringLiteral(":/art/cablora.svg"), QSize(512, 512)).toImage();
    for (const HelpManual::Illustration &illustration : HelpManual::illustrations()) {
        if (!pictures.windows.contains(illustration.window))
            pictures.windows.insert(illustration.window, shoot(windows, illustration.window));
    }

    const QString path = HelpTopics::manualPath(folder);
    if (!HelpManual::write(path, pictures)) {
        std::fprintf(stderr, "crea-guida: impossibile scrivere %s\n", qPrintable(path));
        return 1;
    }
    std::printf("%s\n", qPrintable(QDir::toNativeSeparators(path)));
    return 0;
}
