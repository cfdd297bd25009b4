#pragma once

#include <QDate>
#include <QString>
#include <QStringList>

class QTextStream;

// The command-line verb
//   cablora fattura SHEET_POSITION --cliente CUSTOMER_POSITION [--data dd/mm/yyyy] [--numero N]
//       [--aliquota 22|10|5|4] [--iva-esclusa] [--pagamento MP01|MP05|MP08] [--cartella DIR]
// writes the invoice of that sheet for that customer (one line: the sheet's number, date and work at
// the sheet's total; prices with VAT unless --iva-esclusa), with the same checks as the dialog, and
// prints the path of the XML file. Exit code 0; 1 with an Italian message on stderr when the data are
// incomplete or invalid (nothing written); 2 for a wrong command line.
namespace InvoiceCommand {

inline const QString kVerb = QStringLiteral("fattura");

// arguments: the verb first. today: the date the invoice takes by default and may not follow.
int run(const QStringList &arguments, const QString &defaultFolder, const QDate &today, QTextStream &out,
        QTextStream &err);

QString usage();

}  // namespace InvoiceCommand
