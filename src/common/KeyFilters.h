#pragma once

#include <QString>
#include <Qt>

// The keystroke filters and text rewrites of the record windows' fields, without widgets: which
// keystrokes a field refuses, and how its text is rewritten after a change or when the focus leaves.
namespace KeyFilters {

enum class Refuse {
    Nothing,
    SetA,          // & / < > £ ° and the accented letters
    SetB,          // set A without °
    AllButDigits,  // only the digits and the editing keys pass
};

// The characters of the two refused sets.
bool inSetA(QChar c);
bool inSetB(QChar c);

// Why a field refuses a keystroke.
enum class Refusal {
    None,      // the keystroke passes
    Accented,  // an accented letter (sets A and B)
    Symbol,    // & / < > £, and ° in set A
    NotDigit,  // anything typed but a digit, in a digits-only field
};

// The verdict of a field with this rule on a keystroke: its key code as Qt names it, its modifiers and
// the text it types, if any. Keys that type no printable character pass every rule: the editing and
// selection keys (Backspace, Delete, the arrows with or without Shift, Home, End), the keys with
// Ctrl (Ctrl+A, Ctrl+C, Ctrl+X, Ctrl+Z) and the keys that move the focus away (Tab, Shift+Tab, Enter,
// Esc), so that nobody is kept prisoner in a field. A digits-only field refuses every printable
// character but the digits 0 to 9; pasting there is the window's job (see digitsOf).
Refusal refusal(Refuse rule, int key, Qt::KeyboardModifiers modifiers, const QString &text);
// The same without modifiers: true when refused.
bool refuses(Refuse rule, int key, const QString &text);

// The sentence for the status line that says why the character typed was refused, with the form to
// use instead: "Lettere accentate non ammesse in questo campo: scrivere o' al posto di ò".
QString refusalMessage(Refusal why, const QString &typed);
// The apostrophe form of an accented letter ("ò" gives "o'", "È" gives "E'"); a letter with another
// mark gives its plain letter ("ñ" gives "n").
QString plainForm(QChar accented);
// Said when a key would type past the capacity of a field.
QString fullFieldMessage(int capacity);

// What a digits-only field takes from a pasted text: its digits, in order. *others receives the
// other characters that were left out, blanks excepted.
QString digitsOf(const QString &text, QString *others = nullptr);
// Said when a paste into a digits-only field left characters out.
QString digitsPasteMessage(const QString &others);

enum class Rewrite { Nothing, Trim, Upper, TrimUpper };

// The text rewritten by the rule (trimming and upper-casing follow the text rules: A to Z only).
QString rewrite(Rewrite rule, const QString &text);

}  // namespace KeyFilters
