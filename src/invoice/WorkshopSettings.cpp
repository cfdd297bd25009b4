#include "invoice/WorkshopSettings.h"

#include "common/IniFile.h"
#include "common/SafeFile.h"

#include <QDir>
#include <QFile>

namespace WorkshopSettings {

using Invoice::Cedente;

QString iniFile()
{
    return QStringLiteral("Cablora.ini");
}

QString section()
{
    return QStringLiteral("Fatturazione");
}

const QStringList &keys()
{
    static const QStringList list{
        QStringLiteral("Denominazione"), QStringLiteral("Nome"),          QStringLiteral("Cognome"),
        QStringLiteral("PartitaIva"),    QStringLiteral("CodiceFiscale"), QStringLiteral("RegimeFiscale"),
        QStringLiteral("Indirizzo"),     QStringLiteral("NumeroCivico"),  QStringLiteral("CAP"),
        QStringLiteral("Comune"),        QStringLiteral("Provincia"),     QStringLiteral("Nazione"),
        QStringLiteral("REAUfficio"),    QStringLiteral("REANumero"),     QStringLiteral("Telefono"),
        QStringLiteral("Email"),         QStringLiteral("IBAN"),          QStringLiteral("ModalitaPagamento")};
    return list;
}

namespace {

QString *field(Cedente &c, const QString &key)
{
    if (key == QLatin1String("Denominazione"))
        return &c.Denominazione;
    if (key == QLatin1String("Nome"))
        return &c.Nome;
    if (key == QLatin1String("Cognome"))
        return &c.Cognome;
    if (key == QLatin1String("PartitaIva"))
        return &c.PartitaIva;
    if (key == QLatin1String("CodiceFiscale"))
        return &c.CodiceFiscale;
    if (key == QLatin1String("RegimeFiscale"))
        return &c.RegimeFiscale;
    if (key == QLatin1String("Indirizzo"))
        return &c.sede.Indirizzo;
    if (key == QLatin1String("NumeroCivico"))
        return &c.sede.NumeroCivico;
    if (key == QLatin1String("CAP"))
        return &c.sede.CAP;
    if (key == QLatin1String("Comune"))
        return &c.sede.Comune;
    if (key == QLatin1String("Provincia"))
        return &c.sede.Provincia;
    if (key == QLatin1String("Nazione"))
        return &c.sede.Nazione;
    if (key == QLatin1String("REAUfficio"))
        return &c.REAUfficio;
    if (key == QLatin1String("REANumero"))
        return &c.REANumero;
    if (key == QLatin1String("Telefono"))
        return &c.Telefono;
    if (key == QLatin1String("Email"))
        return &c.Email;
    if (key == QLatin1String("IBAN"))
        return &c.IBAN;
    if (key == QLatin1String("ModalitaPagamento"))
        return &c.ModalitaPagamento;
    return nullptr;
}

}  // namespace

QString value(const Cedente &cedente, const QString &key)
{
    QString *f = field(const_cast<Cedente &>(cedente), key);
    return f ? *f : QString();
}

void setValue(Cedente &cedente, const QString &key, const QString &value)
{
    if (QString *f = field(cedente, key))
        *f = value;
}

Cedente read(const QString &programFolder, bool *ok)
{
    const QString path = QDir(programFolder).filePath(iniFile());
    Cedente c;
    bool allRead = true;
    for (const QString &key : keys()) {
        bool readOk = true;
        const QString v = IniFile::value(path, section(), key, &readOk).trimmed();
        allRead = allRead && readOk;
        if (!v.isEmpty())
            setValue(c, key, v);
    }
    if (ok)
        *ok = allRead;
    return c;
}

bool write(const QString &programFolder, const Cedente &cedente)
{
    // Every key in one replacement of the whole file: a failure leaves the file as it was.
    const QString path = QDir(programFolder).filePath(iniFile());
    QByteArray content;
    QFile file(path);
    if (file.exists()) {
        if (!file.open(QIODevice::ReadOnly))
            return false;
        content = file.readAll();
        file.close();
    }
    for (const QString &key : keys())
        content = IniFile::withValue(content, section(), key, value(cedente, key).trimmed());
    return SafeFile::replace(path, content);
}

bool isComplete(const Cedente &cedente)
{
    return Invoice::cedenteProblems(cedente).isEmpty();
}

}  // namespace WorkshopSettings
