#pragma once

#include <QString>

// The payment card number: Luhn formula and card type.
namespace CartaCredito {

// The card check of the text of the card edit. Only the first 20 characters are read, and of those
// only the digits. 0 when the number fails the Luhn formula (or has no digits); otherwise the type
// code: the first digit minus 2 (1 for 3..., 2 Visa, 3 MasterCard, 4 Discover; other values name no
// card), except that the MasterCard numbers of the 2221 to 2720 series give 3 (MasterCard).
int typeCode(const QString &text);

// The card type that a valid number shows: for type code 1 it depends on the first two characters of
// `trimmedText` (empty for 32, 39 and anything else); for 2, 3 and 4 the fixed names; empty for any
// other code.
QString typeName(int code, const QString &trimmedText);

}  // namespace CartaCredito
