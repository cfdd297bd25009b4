#pragma once

#include "archive/ClienteRecord.h"
#include "archive/SchedaRecord.h"
#include "invoice/Invoice.h"

#include <QDate>
#include <QList>
#include <QString>

// The invoice of a finished job as the sheet and the customer register give it: the customer's
// fiscal data from the register, one line with the sheet's number, date, vehicle and work at the
// sheet's total. Rules only: the "Fattura" dialog and the command-line verb both start from here.
namespace InvoiceFromSheet {

// The customer as the register keeps them: Ditta as the company name (Nome and Cognome otherwise),
// VAT number, tax code, address, CAP, town, province, recipient code, PEC. Only blanks are trimmed
// and letters of codes upper-cased; nothing else is changed.
Invoice::Cessionario customerOf(const ClienteRecord &customer);

// The description of the sheet's line: "Scheda n. 12 del 03/02/2025 - Fiat Panda targa AB123CD:
// <work done>", the memo's line breaks as "; ", cut to the 1000 characters the file allows. The
// typographic signs that Windows-1252 has and the file's Latin set lacks become their plain
// forms (’ ‘ → ', “ ” → ", – — → -, … → ..., € → EUR).
QString lineDescription(const SchedaRecord &sheet);
// The plain forms above.
QString plainPunctuation(const QString &text);

// The sheet's total in cents; false when the text is not an amount.
bool sheetTotal(const SchedaRecord &sheet, qint64 *cents);

// The document prefilled from the sheet: one line at the sheet's total (prices with VAT unless
// vatIncluded is false), the rate, the workshop's default payment, paid as the sheet says.
Invoice::Documento documentOf(const SchedaRecord &sheet, const Invoice::Cedente &cedente,
                              const Invoice::Cessionario &customer, const QDate &date, int rate, bool vatIncluded);

// The customers of the register whose name is the sheet's customer name ("Rossi Mario", "Mario
// Rossi" or the company name; letter case and blanks aside), by position. False when the register
// cannot be read.
bool findCustomers(const QString &archivePath, const QString &name, QList<qint64> *positions, QString *error);

}  // namespace InvoiceFromSheet
