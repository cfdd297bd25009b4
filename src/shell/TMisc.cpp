#include "shell/TMisc.h"

#include <QDesktopServices>
#include <QUrl>

namespace TMisc {

namespace {

struct Script
{
    bool scripted = false;
    QStringList opened;
};

Script &script()
{
    static Script s;
    return s;
}

}  // namespace

QString urlFor(const QString &text)
{
    QString target = text.trimmed();
    if (target.size() >= 2 && target.startsWith(QLatin1Char('"')) && target.endsWith(QLatin1Char('"')))
        target = target.mid(1, target.size() - 2);
    const QString lower = target.toLower();
    if (lower.startsWith(QLatin1String("mailto:")) || lower.startsWith(QLatin1String("http://"))
        || lower.startsWith(QLatin1String("https://")))
        return QUrl(target).toString();
    if (lower.startsWith(QLatin1String("www.")))
        return QUrl(QStringLiteral("https://") + target).toString();
    return QUrl::fromLocalFile(target).toString();
}

void Open(const QString &text)
{
    if (script().scripted) {
        script().opened.append(text);
        return;
    }
    QDesktopServices::openUrl(QUrl(urlFor(text)));
}

void setScripted(bool scripted)
{
    script().scripted = scripted;
    script().opened.clear();
}

QStringList takeOpened()
{
    return std::exchange(script().opened, {});
}

}  // namespace TMisc
