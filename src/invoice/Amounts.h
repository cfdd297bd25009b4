#pragma once

#include <QString>

// Amounts in whole cents and quantities in hundredths, as 64-bit integers: every sum, product and
// rounding of an invoice is exact. Input uses the Italian decimal comma ("1.234,50" or "1234,5");
// the XML file uses a decimal point and a fixed number of decimals ("1234.50").
namespace Amounts {

// The largest amount a line, a price or a total may hold: 99.999.999,99 (in cents), so that every
// product and quotient of the invoice stays within 64 bits.
inline constexpr qint64 kLargestCents = Q_INT64_C(9999999999);
// The largest quantity: 999.999,99 (in hundredths).
inline constexpr qint64 kLargestQuantity = Q_INT64_C(99999999);

// a / b rounded half up (half away from zero for a negative a); b must be positive.
qint64 roundedDivision(qint64 a, qint64 b);

// Reads an amount typed by the user into cents: optional sign, digits, a decimal comma (or point)
// and at most two decimals; a point or comma followed by three digits groups thousands ("1.234,50").
// Blanks and a euro sign are ignored. False for anything else or beyond kLargestCents.
bool parseCents(const QString &text, qint64 *cents);
// The same for a quantity, in hundredths, not negative and at most kLargestQuantity.
bool parseQuantity(const QString &text, qint64 *hundredths);

// "1234,50": the amount as the windows show it (no thousands grouping, decimal comma).
QString centsText(qint64 cents);
// "1.234,50": with thousands grouped by points, for printed copies.
QString centsGrouped(qint64 cents);
// "1234.50": the XML form of an amount with two decimals.
QString centsXml(qint64 cents);
// "2,5" / "2": a quantity without trailing zeros, as the windows show it.
QString quantityText(qint64 hundredths);
// "2.50": the XML form of a quantity.
QString quantityXml(qint64 hundredths);
// A value in units of 10^-8 as XML with two to eight decimals ("12.34", "10.24590164").
QString eightDecimalsXml(qint64 value);

// Reads an XML amount with two decimals ("-12.30") into cents; false when it is not one.
bool parseXmlCents(const QString &text, qint64 *cents);

}  // namespace Amounts
