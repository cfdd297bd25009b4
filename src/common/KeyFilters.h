#pragma once

#include <QString>

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

// True when a field with this rule cancels the keystroke (its key code as Qt names it, and the
// character it types, if any). Keys that type no character pass the sets A and B. A digits-only field
// lets through Enter, Backspace, Delete, Left, Right, the digits, and the keys that move the focus
// away (Tab, Shift+Tab), so that nobody is kept prisoner in a field.
bool refuses(Refuse rule, int key, const QString &text);

enum class Rewrite { Nothing, Trim, Upper, TrimUpper };

// The text rewritten by the rule (trimming and upper-casing follow the text rules: A to Z only).
QString rewrite(Rewrite rule, const QString &text);

}  // namespace KeyFilters
