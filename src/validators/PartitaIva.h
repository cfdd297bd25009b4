#pragma once

#include <QString>

// The Italian VAT number (partita IVA, 11 digits): check digit and issuing office.
namespace PartitaIva {

// True exactly when `number` has 11 characters, all digits 0 to 9, and the 11th is the check digit
// of the first ten.
bool isValid(const QString &number);

// The office code of a number: its characters 8 to 10 (as many of them as there are).
QString officeCode(const QString &number);

// The name of the VAT office with the three-digit `code`, or an empty text when no office has it.
QString officeName(const QString &code);

}  // namespace PartitaIva
