#pragma once

#include "invoice/InvoiceXml.h"
#include "reports/Report.h"

#include <QImage>
#include <QString>

// The courtesy copy of an electronic invoice ("Copia di cortesia"): what its XML file says, readable
// on paper or as a PDF for the customer. A4 portrait: the workshop's logo and heading, the document's
// kind, number and date, the customer, one band per line, the VAT summary, the total, the payment,
// and the note that the valid document is the XML file sent to the exchange system.
namespace InvoiceReport {

QString reportName();  // "Copia di cortesia"
// "Copia di cortesia — il documento valido ai fini fiscali è il file XML trasmesso allo SdI".
QString courtesyNote();

// The report of a file's contents; logo: the workshop's logo (none when null).
Report build(const InvoiceXml::Contents &contents, const QImage &logo);

}  // namespace InvoiceReport
