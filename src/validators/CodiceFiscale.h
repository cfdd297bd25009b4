#pragma once

#include <QChar>
#include <QString>

// The check character of the Italian personal tax code (codice fiscale, 16 characters).
namespace CodiceFiscale {

// Value of a character at an odd (1, 3, ... 15) or even (2, 4, ... 14) position, for the characters
// from '0' to 'Z'; -1 for any character outside that range.
int oddValue(QChar c);
int evenValue(QChar c);

// The check character of the first fifteen characters of `code`, 'A' to 'Z'; a null QChar when
// `code` is shorter than fifteen characters or one of them lies outside '0' to 'Z'.
QChar checkCharacter(const QString &code);

// True exactly when `code` has 16 characters and the last one is the check character of the others.
// Letters must already be upper case; where letters and digits stand is not examined.
bool isValid(const QString &code);

}  // namespace CodiceFiscale
