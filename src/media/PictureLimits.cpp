#include "media/PictureLimits.h"

#include <QDir>
#include <QFileInfo>
#include <QImageReader>

namespace PictureLimits {

bool tooLarge(const QString &path)
{
    return QFileInfo(path).size() > kMaxFileBytes;
}

void limit(QImageReader &reader)
{
    reader.setAllocationLimit(kDecodeLimitMegabytes);
}

QString tooLargeMessage(const QString &path)
{
    const QFileInfo info(path);
    return QStringLiteral("Attenzione: l'immagine %1 è troppo grande (%2 MB).\n\r\n\r"
                          "Si possono caricare immagini fino a %3 MB.")
        .arg(QDir::toNativeSeparators(info.fileName()))
        .arg(info.size() / (1024 * 1024))
        .arg(kMaxFileBytes / (1024 * 1024));
}

}  // namespace PictureLimits
