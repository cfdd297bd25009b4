#include "media/Attachments.h"

#include "common/CodePage.h"
#include "common/SafeFile.h"
#include "common/TextRules.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace Attachments {

QString folderName()
{
    return QStringLiteral("Documenti_Allegati");
}

QString folderPath(const QString &programFolder)
{
    return QDir(programFolder).filePath(folderName());
}

bool isPlainName(const QString &name)
{
    if (name.isEmpty() || name == QLatin1String(".") || name == QLatin1String(".."))
        return false;
    for (const QChar c : name) {
        if (c.unicode() < 32 || c == QLatin1Char('/') || c == QLatin1Char('\\') || c == QLatin1Char(':')
            || c == QLatin1Char('"'))
            return false;
    }
    return true;
}

QString pathForOpening(const QString &programFolder, const QString &name)
{
    const QString plain = TextRules::trim(name);
    if (!isPlainName(plain))
        return QString();
    return folderPath(programFolder) + QLatin1Char('/') + plain;
}

NameFit fitOfName(const QString &name)
{
    if (!CodePage::canEncode(name))
        return NameFit::Unrepresentable;
    // Every character of the code page is one byte.
    if (name.size() > kNameCapacity)
        return NameFit::TooLong;
    return NameFit::Fits;
}

bool ensureFolder(const QString &programFolder)
{
    const QString folder = folderPath(programFolder);
    QDir().mkpath(folder);
    return QFileInfo(folder).isDir();
}

bool copyReplacing(const QString &source, const QString &target)
{
    QFile in(source);
    if (!in.open(QIODevice::ReadOnly))
        return false;
    SafeFile::Writer out(target);
    if (!out.open())
        return false;
    // Attachments may be large scans: copied in blocks rather than read whole.
    constexpr qint64 kBlock = 1024 * 1024;
    QByteArray block;
    while (!in.atEnd()) {
        block = in.read(kBlock);
        if (block.isEmpty())
            break;
        if (!out.write(block))
            return false;
    }
    return in.error() == QFileDevice::NoError && out.commit();
}

}  // namespace Attachments
