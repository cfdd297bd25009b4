#include "shell/Startup.h"

#include <QApplication>
#include <QDir>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace Startup {

void prepare(QApplication &app)
{
    QLocale italian(QLocale::Italian, QLocale::Italy);
    italian.setNumberOptions(QLocale::OmitGroupSeparator);
    QLocale::setDefault(italian);

    app.setApplicationName(QStringLiteral("Cablora"));
    app.setQuitOnLastWindowClosed(false);

    // A translations folder beside the executable wins (a portable folder on Windows carries its
    // own), then Qt's installed translations.
    const QStringList folders = {
        QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("translations")),
        QLibraryInfo::path(QLibraryInfo::TranslationsPath),
    };
    for (const QString &name : {QStringLiteral("qtbase_it"), QStringLiteral("qtmultimedia_it")}) {
        for (const QString &folder : folders) {
            auto *translator = new QTranslator(&app);
            if (translator->load(name, folder)) {
                app.installTranslator(translator);
                break;
            }
            delete translator;
        }
    }
}

}  // namespace Startup
