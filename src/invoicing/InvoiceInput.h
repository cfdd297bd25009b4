#pragma once

#include <QString>

class QLabel;
class QLineEdit;
class QWidget;
struct PreparedReport;

namespace InvoiceXml {
struct Contents;
}

// What the invoice windows share: the edits that accept only the characters of the invoice's Latin
// set (another character is refused as it is typed or pasted, and the status line says why), and the
// courtesy copy printed or saved as a PDF.
namespace InvoiceInput {

// Refuses in the edit every character the invoice file cannot carry; field names it in the status
// line's message ("comune del cliente"). upper: letters a-z become A-Z as they are typed (codes).
void guard(QLineEdit *edit, QLabel *statusLine, const QString &field, bool upper = false);

// The courtesy copy of an issued invoice, from its file: printed through the print dialog (where
// a PDF printer may be chosen), or written as a PDF file the user names. False when it failed (the
// user was told); cancelling counts as done.
bool printCopy(QWidget *parent, const QString &programFolder, const QString &fileName);
bool saveCopyAsPdf(QWidget *parent, const QString &programFolder, const QString &fileName);
// The prepared copy (null pages when the file cannot be read: error says why).
PreparedReport preparedCopy(const QString &programFolder, const QString &fileName, QString *error);

}  // namespace InvoiceInput
