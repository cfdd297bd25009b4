// The password store: the unscrambler over any stored value, the scrambler over any password, and the
// whole store file ("unins000.dll") read from fuzz bytes.
//
// Input: one byte (bit 0: the bytes are the whole store file; otherwise a stored value / a password),
// then the bytes.
//
// Checked: a stored value that decodes scrambles back to itself (upper-cased, without a last odd
// digit); any password of the code page scrambles to two upper-case hex digits per character and
// unscrambles to itself; reading a store never crashes and gives a trimmed password that the
// scrambler can keep.

#include "FuzzSupport.h"

#include "common/TextRules.h"
#include "shell/PasswordStore.h"

#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>

namespace {

void checkStoredValue(const QString &stored)
{
    bool ok = false;
    const QString password = DecodificaPassword(stored, &ok);
    if (!ok) {
        FUZZ_CHECK(password.isEmpty(), Fuzz::shown(stored));
        return;
    }
    FUZZ_CHECK(password.size() == stored.size() / 2, Fuzz::shown(stored));
    const QString again = CodificaPassword(password);
    FUZZ_CHECK(again == stored.left(stored.size() / 2 * 2).toUpper(),
               Fuzz::shown(stored) + QStringLiteral(" -> ") + Fuzz::shown(password) + QStringLiteral(" -> ") + again);
}

void checkPassword(const QString &password)
{
    const QString stored = CodificaPassword(password);
    static const QRegularExpression hex(QStringLiteral("^([0-9A-F][0-9A-F])*$"));
    FUZZ_CHECK(stored.size() == 2 * CodePage::fromUnicode(password).size() && hex.match(stored).hasMatch(), stored);
    bool ok = false;
    const QString back = DecodificaPassword(stored, &ok);
    FUZZ_CHECK(ok, stored);
    if (CodePage::canEncode(password))
        FUZZ_CHECK(back == password, Fuzz::shown(password) + QStringLiteral(" -> ") + Fuzz::shown(back));
    FUZZ_CHECK(PasswordStore::canBeStored(password)
                   == (password.size() <= PasswordStore::kMaxLength && CodePage::canEncode(password)),
               Fuzz::shown(password));
}

void checkStore(const QByteArray &content)
{
    static QTemporaryDir dir;
    QFile out(PasswordStore::fileName(dir.path()));
    FUZZ_CHECK(out.open(QIODevice::WriteOnly | QIODevice::Truncate) && out.write(content) == content.size(),
               out.fileName());
    out.close();
    bool ok = false;
    const QString password = PasswordStore::storedPassword(dir.path(), &ok);
    if (!ok)
        return;
    FUZZ_CHECK(TextRules::trim(password) == password, Fuzz::shown(password));
    FUZZ_CHECK(CodePage::canEncode(password), Fuzz::shown(password));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    Fuzz::Input input(data, size);
    const quint8 flags = input.byte();
    const QByteArray bytes = input.rest();
    if (flags & 1) {
        checkStore(bytes);
        return 0;
    }
    // A stored value is read from the store through the code page; a password may be typed with any
    // character.
    checkStoredValue(Fuzz::codePageText(bytes));
    checkPassword(Fuzz::codePageText(bytes));
    checkPassword(Fuzz::utf8Text(bytes));
    return 0;
}
