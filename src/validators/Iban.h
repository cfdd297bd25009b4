#pragma once

#include <QString>

// The IBAN check of ISO 13616: the rearranged account number leaves the remainder 1 modulo 97.
namespace Iban {

// The remainder modulo 97 of a text of digits, worked out in pieces of at most nine digits; 0 as
// soon as a piece holds anything but the digits 0 to 9, and for an empty text.
int remainder97(const QString &digits);

// The IBAN check of a text: spaces removed, letters a-z upper-cased, a leading "IBAN" deleted (the
// word before the number, not the same letters inside it), the first four characters moved to the
// end, letters A-Z replaced by 10 to 35, then the remainder modulo 97 must be 1.
bool isValid(const QString &text);

}  // namespace Iban
