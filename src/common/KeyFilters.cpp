#include "common/KeyFilters.h"

#include "common/TextRules.h"

#include <QStringList>
#include <Qt>

namespace KeyFilters {

namespace {

const QString &accentedLetters()
{
    static const QString letters = QStringLiteral(
        "\u00C0\u00C1\u00C2\u00C4\u00C7\u00C8\u00C9\u00CA\u00CB\u00CC\u00CD\u00CE\u00CF\u00D1\u00D2\u00D3"
        "\u00D4\u00D6\u00D9\u00DA\u00DB\u00DC\u00E0\u00E1\u00E2\u00E4\u00E7\u00E8\u00E9\u00EA\u00EB\u00EC"
        "\u00ED\u00EE\u00EF\u00F1\u00F2\u00F3\u00F4\u00F6\u00F9\u00FA\u00FB\u00FC");
    return letters;
}

}  // namespace

bool inSetB(QChar c)
{
    static const QString symbols = QStringLiteral("&/<>\u00A3");
    return symbols.contains(c) || accentedLetters().contains(c);
}

bool inSetA(QChar c)
{
    return c == QChar(0x00B0) || inSetB(c);
}

namespace {

bool isPlainDigit(QChar c)
{
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

// How a character is named in a sentence: «A», or "lo spazio".
QString refusedCharName(QChar c)
{
    if (c == QLatin1Char(' '))
        return QStringLiteral("lo spazio");
    return QStringLiteral("«") + c + QStringLiteral("»");
}

}  // namespace

Refusal refusal(Refuse rule, int, Qt::KeyboardModifiers modifiers, const QString &text)
{
    // A key held with Ctrl (and not with Alt too, which is AltGr on Windows) is a command, whatever
    // text it carries: Ctrl+A, Ctrl+C ...
    if ((modifiers & (Qt::ControlModifier | Qt::MetaModifier)) && !(modifiers & Qt::AltModifier))
        return Refusal::None;
    // Only printable characters are typed; control characters (Ctrl+A gives one) are commands.
    QString typed;
    for (const QChar c : text) {
        if (c.isPrint())
            typed += c;
    }
    if (typed.isEmpty())
        return Refusal::None;
    switch (rule) {
    case Refuse::Nothing: return Refusal::None;
    case Refuse::SetA:
    case Refuse::SetB:
        for (const QChar c : typed) {
            if (accentedLetters().contains(c))
                return Refusal::Accented;
            if (rule == Refuse::SetA ? inSetA(c) : inSetB(c))
                return Refusal::Symbol;
        }
        return Refusal::None;
    case Refuse::AllButDigits:
        for (const QChar c : typed) {
            if (!isPlainDigit(c))
                return Refusal::NotDigit;
        }
        return Refusal::None;
    }
    return Refusal::None;
}

bool refuses(Refuse rule, int key, const QString &text)
{
    return refusal(rule, key, Qt::NoModifier, text) != Refusal::None;
}

QString plainForm(QChar accented)
{
    const QString decomposed = QString(accented).normalized(QString::NormalizationForm_D);
    if (decomposed.size() < 2)
        return QString(accented);
    const QChar mark = decomposed.at(1);
    // The grave and the acute accent are written with the apostrophe, as the names are kept.
    if (mark == QChar(0x0300) || mark == QChar(0x0301))
        return decomposed.at(0) + QStringLiteral("'");
    return QString(decomposed.at(0));
}

QString refusalMessage(Refusal why, const QString &typed)
{
    QChar c;
    for (const QChar t : typed) {
        if (t.isPrint() && (why == Refusal::NotDigit ? !isPlainDigit(t) : inSetA(t))) {
            c = t;
            break;
        }
    }
    if (c.isNull() && !typed.isEmpty())
        c = typed.front();
    switch (why) {
    case Refusal::None: return QString();
    case Refusal::Accented:
        return QStringLiteral("Lettere accentate non ammesse in questo campo: scrivere %1 al posto di %2")
            .arg(plainForm(c), QString(c));
    case Refusal::Symbol:
        if (c == QLatin1Char('&'))
            return QStringLiteral("Simbolo & non ammesso in questo campo: scrivere e al posto di &");
        if (c == QLatin1Char('/'))
            return QStringLiteral("Simbolo / non ammesso in questo campo: scrivere - al posto di /");
        if (c == QChar(0x00B0))
            return QStringLiteral("Simbolo ° non ammesso in questo campo: scrivere n. al posto di n°");
        return QStringLiteral("Simbolo %1 non ammesso in questo campo").arg(QString(c));
    case Refusal::NotDigit:
        return QStringLiteral("In questo campo si scrivono soltanto cifre (da 0 a 9): %1 non è ammesso")
            .arg(refusedCharName(c));
    }
    return QString();
}

QString fullFieldMessage(int capacity)
{
    return QStringLiteral("Il campo è pieno: contiene al massimo %1 caratteri").arg(capacity);
}

QString digitsOf(const QString &text, QString *others)
{
    QString digits;
    QString left;
    for (const QChar c : text) {
        if (isPlainDigit(c))
            digits += c;
        else if (!c.isSpace() && !left.contains(c))
            left += c;
    }
    if (others)
        *others = left;
    return digits;
}

QString digitsPasteMessage(const QString &others)
{
    QStringList names;
    for (const QChar c : others)
        names << refusedCharName(c);
    return QStringLiteral("In questo campo si scrivono soltanto cifre (da 0 a 9): sono state incollate soltanto "
                          "le cifre, senza %1")
        .arg(names.join(QStringLiteral(", ")));
}

QString rewrite(Rewrite rule, const QString &text)
{
    switch (rule) {
    case Rewrite::Nothing: return text;
    case Rewrite::Trim: return TextRules::trim(text);
    case Rewrite::Upper: return TextRules::upperAZ(text);
    case Rewrite::TrimUpper: return TextRules::trim(TextRules::upperAZ(text));
    }
    return text;
}

}  // namespace KeyFilters
