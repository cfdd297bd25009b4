#pragma once

#include <QDate>
#include <QList>
#include <QString>

// The numbering of the invoices: one sequence a year, shared by invoices and credit notes, kept by
// the invoices already issued (their files and the register), never by a counter. The file of an
// invoice is named IT<VAT number>_<progressive>.xml, where the progressive (five characters, as the
// exchange system allows) is made of the year's last two digits and the number: "25001" for number 1
// of 2025 ... "25999", then "25A00" (1000) ... "25ZZZ" (34695), base 36 after the letter.
namespace InvoiceNumbering {

inline constexpr qint64 kLargestNumber = 999 + 26 * 36 * 36;

// The progressive of a number of a year (2000-2099), or the empty text when out of range.
QString progressive(int year, qint64 number);
// Reads a progressive back; false when it is not one of this form.
bool parseProgressive(const QString &progressive, int *year, qint64 *number);

// "IT01234567897_25001.xml".
QString fileName(const QString &vatNumber, int year, qint64 number);
// Reads a file name of this form; false for any other name.
bool parseFileName(const QString &name, int *year, qint64 *number);

// An invoice already issued, as the numbering sees it.
struct Issued
{
    int year = 0;
    qint64 number = 0;
    QDate date;        // invalid when unknown
    QString fileName;  // empty when only the register knows it
};

// The next number of a year: one more than the highest issued.
qint64 nextNumber(const QList<Issued> &issued, int year);

// Why a number may not be given to an invoice of that date, in Italian, or the empty text: already
// issued; beyond the next (it would leave a gap); out of the date order of the year's invoices (an
// invoice may not be dated before the one numbered before it, nor after the one numbered after it).
QString numberProblem(const QList<Issued> &issued, qint64 number, const QDate &date);

}  // namespace InvoiceNumbering
