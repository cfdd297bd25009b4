#include "common/SystemError.h"

#include <QFileDevice>

#include <cerrno>

namespace SystemError {

QString italian(int errorNumber)
{
    switch (errorNumber) {
    case ENOSPC: return QStringLiteral("spazio esaurito sul disco");
#ifdef EDQUOT
    case EDQUOT: return QStringLiteral("spazio concesso sul disco esaurito");
#endif
    case EACCES:
    case EPERM: return QStringLiteral("accesso negato");
    case EROFS: return QStringLiteral("il disco è di sola lettura");
    case EIO: return QStringLiteral("errore di lettura o scrittura del disco");
    case ENOENT: return QStringLiteral("file o cartella inesistente");
    case ENOTDIR: return QStringLiteral("un elemento del percorso non è una cartella");
    case EISDIR: return QStringLiteral("il percorso indica una cartella");
    case EFBIG: return QStringLiteral("file troppo grande");
    case EMFILE:
    case ENFILE: return QStringLiteral("troppi file aperti");
    case ENAMETOOLONG: return QStringLiteral("nome di file troppo lungo");
    case EBUSY:
#ifdef ETXTBSY
    case ETXTBSY:
#endif
        return QStringLiteral("file in uso");
    case ENOLCK: return QStringLiteral("il sistema non concede il blocco del file");
    case EDEADLK: return QStringLiteral("blocco del file rifiutato per evitare un'attesa senza fine");
    case EAGAIN: return QStringLiteral("risorsa temporaneamente non disponibile");
    case EINTR: return QStringLiteral("operazione interrotta");
    case EBADF: return QStringLiteral("file non aperto per questa operazione");
    case EINVAL: return QStringLiteral("operazione non ammessa su questo file");
    case ENOSYS:
#if defined(EOPNOTSUPP)
    case EOPNOTSUPP:
#endif
        return QStringLiteral("operazione non supportata dal file system");
#ifdef ESTALE
    case ESTALE: return QStringLiteral("file di rete non più raggiungibile");
#endif
#ifdef ETIMEDOUT
    case ETIMEDOUT: return QStringLiteral("tempo scaduto nell'accesso al file");
#endif
#ifdef EXDEV
    case EXDEV: return QStringLiteral("origine e destinazione su dischi diversi");
#endif
    case EEXIST: return QStringLiteral("il file esiste già");
    default: return QStringLiteral("errore di sistema n. %1").arg(errorNumber);
    }
}

QString lastError(const QFileDevice &file)
{
    const int number = errno;
    if (file.error() == QFileDevice::NoError)
        return QStringLiteral("causa sconosciuta");
#ifndef Q_OS_WIN
    if (number != 0)
        return italian(number);
#else
    Q_UNUSED(number);
#endif
    switch (file.error()) {
    case QFileDevice::ReadError: return QStringLiteral("errore di lettura");
    case QFileDevice::WriteError: return QStringLiteral("errore di scrittura");
    case QFileDevice::OpenError: return QStringLiteral("impossibile aprire il file");
    case QFileDevice::PermissionsError: return QStringLiteral("accesso negato");
    case QFileDevice::ResourceError: return QStringLiteral("risorse del sistema esaurite (disco pieno?)");
    case QFileDevice::ResizeError: return QStringLiteral("impossibile cambiare la lunghezza del file");
    case QFileDevice::PositionError: return QStringLiteral("posizione nel file non raggiungibile");
    case QFileDevice::RenameError: return QStringLiteral("impossibile rinominare il file");
    case QFileDevice::RemoveError: return QStringLiteral("impossibile eliminare il file");
    case QFileDevice::CopyError: return QStringLiteral("impossibile copiare il file");
    default: return QStringLiteral("errore di accesso al file");
    }
}

QString refused()
{
    return italian(EIO);
}

}  // namespace SystemError
