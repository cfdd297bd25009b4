#include "common/KeyFilters.h"

#include "common/TextRules.h"

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

bool refuses(Refuse rule, int key, const QString &text)
{
    switch (rule) {
    case Refuse::Nothing:
        return false;
    case Refuse::SetA:
    case Refuse::SetB:
        for (const QChar c : text) {
            if (rule == Refuse::SetA ? inSetA(c) : inSetB(c))
                return true;
        }
        return false;
    case Refuse::AllButDigits:
        switch (key) {
        case Qt::Key_Return: case Qt::Key_Enter: case Qt::Key_Backspace: case Qt::Key_Delete:
        case Qt::Key_Left: case Qt::Key_Right: case Qt::Key_Tab: case Qt::Key_Backtab:
            return false;
        default:
            return !(text.size() == 1 && text.at(0) >= QLatin1Char('0') && text.at(0) <= QLatin1Char('9'));
        }
    }
    return false;
}

QString rewrite(Rewrite rule, const QString &text)
{
    switch (rule) {
    case Rewrite::Nothing:
        return text;
    case Rewrite::Trim:
        return TextRules::trim(text);
    case Rewrite::Upper:
        return TextRules::upperAZ(text);
    case Rewrite::TrimUpper:
        return TextRules::trim(TextRules::upperAZ(text));
    }
    return text;
}

}  // namespace KeyFilters
