#include "shell/Startup.h"

#include "shell/ItalianTexts.h"
#include "widgets/AppStyle.h"

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
    AppStyle::apply(app);

    // Our own words for what Qt leaves in English, asked after Qt's translations (a translator
    // installed later is asked first).
    app.installTranslator(new ItalianTexts(&app));
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

ItalianEnvironment::ItalianEnvironment()
{
#ifndef Q_OS_WIN
    // Qt reads the system locale from these variables when the application starts (the file
    // dialogs' dates, for one, follow it). The character set stays the one the system gives: a
    // locale in LC_ALL moves to LC_CTYPE.
    const QByteArray all = qgetenv("LC_ALL");
    for (const char *name : {"LC_ALL", "LC_CTYPE", "LC_TIME", "LC_NUMERIC", "LC_MONETARY", "LC_MESSAGES", "LC_PAPER",
                             "LC_MEASUREMENT", "LANGUAGE"})
        m_saved.append({QByteArray(name), qEnvironmentVariableIsSet(name), qgetenv(name)});
    if (!all.isEmpty() && !qEnvironmentVariableIsSet("LC_CTYPE"))
        qputenv("LC_CTYPE", all);
    qunsetenv("LC_ALL");
    for (const char *name : {"LC_TIME", "LC_NUMERIC", "LC_MONETARY", "LC_MESSAGES", "LC_PAPER", "LC_MEASUREMENT"})
        qputenv(name, "it_IT.UTF-8");
    qputenv("LANGUAGE", "it");
#endif
}

ItalianEnvironment::~ItalianEnvironment()
{
    // The programs started later (the browser, the PDF reader) get the user's own settings.
    for (const Saved &saved : m_saved) {
        if (saved.set)
            qputenv(saved.name.constData(), saved.value);
        else
            qunsetenv(saved.name.constData());
    }
}

}  // namespace Startup
