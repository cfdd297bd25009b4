#pragma once

#include <QString>
#include <QStringList>

// The rules of the customer window that need no window.
namespace ClienteRules {

// The 112 province codes that both province combo boxes offer, in their order.
const QStringList &provinceCodes();

// The tax-code check button checks a VAT number instead when the trimmed code is made of digits
// only (a company's tax code is its VAT number).
bool taxCodeIsVatNumber(const QString &code);

// The text handed to the desktop by the e-mail button: "mailto:" and the trimmed address, in double
// quotes.
QString mailOpenText(const QString &address);

}  // namespace ClienteRules
