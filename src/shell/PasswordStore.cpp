#include "shell/PasswordStore.h"

#include "common/CodePage.h"
#include "common/IniFile.h"
#include "common/TextRules.h"

#include <QDir>

namespace {

constexpr quint32 kKeyStart = 2963;
constexpr quint32 kKeyMultiplier = 47317;
constexpr quint32 kKeyAddend = 30529;

quint16 nextKey(quint16 key, quint8 scrambled)
{
    return quint16((quint64(scrambled) + key) * kKeyMultiplier + kKeyAddend);
}

int hexDigit(QChar c)
{
    const char16_t u = c.unicode();
    if (u >= '0' && u <= '9')
        return u - '0';
    if (u >= 'A' && u <= 'F')
        return u - 'A' + 10;
    if (u >= 'a' && u <= 'f')
        return u - 'a' + 10;
    return -1;
}

const QString kSection = QStringLiteral("Accesso");
const QString kKey = QStringLiteral("Valore");

}  // namespace

QString CodificaPassword(const QString &password)
{
    static const char digits[] = "0123456789ABCDEF";
    const QByteArray bytes = CodePage::fromUnicode(password);
    QString result;
    result.reserve(bytes.size() * 2);
    quint16 key = kKeyStart;
    for (const char c : bytes) {
        const quint8 s = quint8(static_cast<quint8>(c) ^ (key >> 8));
        result.append(QLatin1Char(digits[s >> 4]));
        result.append(QLatin1Char(digits[s & 0x0F]));
        key = nextKey(key, s);
    }
    return result;
}

QString DecodificaPassword(const QString &stored, bool *ok)
{
    if (ok)
        *ok = true;
    QByteArray bytes;
    quint16 key = kKeyStart;
    for (qsizetype i = 0; i + 1 < stored.size(); i += 2) {
        const int high = hexDigit(stored.at(i));
        const int low = hexDigit(stored.at(i + 1));
        if (high < 0 || low < 0) {
            if (ok)
                *ok = false;
            return QString();
        }
        const quint8 s = quint8(high * 16 + low);
        bytes.append(char(s ^ (key >> 8)));
        key = nextKey(key, s);
    }
    return CodePage::toUnicode(bytes);
}

namespace PasswordStore {

QString fileName(const QString &programFolder)
{
    return QDir(programFolder).filePath(QStringLiteral("unins000.dll"));
}

QString storedPassword(const QString &programFolder, bool *ok)
{
    bool readOk = true;
    const QString value = IniFile::value(fileName(programFolder), kSection, kKey, &readOk);
    bool decodeOk = true;
    const QString password = TextRules::trim(DecodificaPassword(value, &decodeOk));
    // A store that is missing, or that holds no password (a damaged or foreign file), cannot be read:
    // taken as an empty password it would only ever answer "password errata".
    const bool present = readOk && IniFile::contains(fileName(programFolder), kSection, kKey);
    *ok = present && decodeOk;
    return *ok ? password : QString();
}

bool store(const QString &programFolder, const QString &password)
{
    if (!canBeStored(password))
        return false;
    return IniFile::setValue(fileName(programFolder), kSection, kKey, TextRules::trim(CodificaPassword(password)));
}

bool canBeStored(const QString &password)
{
    return password.size() <= kMaxLength && CodePage::canEncode(password);
}

}  // namespace PasswordStore
