#include "backup/BackupPlace.h"

#include <QDir>
#include <QFileInfo>

namespace BackupPlace {

namespace {

QString resolved(const QString &folder)
{
    const QFileInfo info(folder);
    const QString canonical = info.canonicalFilePath();
    QString path = QDir::cleanPath(canonical.isEmpty() ? info.absoluteFilePath() : canonical);
#ifdef Q_OS_WIN
    path = path.toLower();
#endif
    return path;
}

}  // namespace

bool insideProgramFolder(const QString &programFolder, const QString &destination)
{
    const QString program = resolved(programFolder);
    const QString chosen = resolved(destination);
    if (program.isEmpty() || chosen.isEmpty())
        return false;
    const QString withSlash = program.endsWith(QLatin1Char('/')) ? program : program + QLatin1Char('/');
    return chosen == program || chosen.startsWith(withSlash);
}

QString insideMessage(const QString &programFolder)
{
    return QStringLiteral("La copia di sicurezza non può essere salvata nella cartella del programma (%1) né in una "
                          "sua sottocartella: andrebbe perduta insieme ai dati che deve proteggere.\r\n\r\n"
                          "Scegliere un'altra cartella, meglio su una chiavetta USB o su un disco esterno.")
        .arg(QDir::toNativeSeparators(programFolder));
}

}  // namespace BackupPlace
