#pragma once

#include <QString>

// The text rules every part of the program shares: trimming and the ASCII-only letter case changes.
namespace TextRules {

// Removes leading and trailing characters whose code is 32 or less (blanks, line breaks, controls).
QString trim(const QString &text);

// Maps only the letters a-z onto A-Z; accented letters and everything else stay as they are.
QString upperAZ(const QString &text);

// Maps only the letters A-Z onto a-z.
QString lowerAZ(const QString &text);

}  // namespace TextRules
