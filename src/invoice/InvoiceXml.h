#pragma once

#include "invoice/Invoice.h"

#include <QByteArray>
#include <QString>

// The FatturaPA 1.2 file (format FPR12) of an invoice, and the reading of such a file back (for the
// register and the courtesy copy, which show exactly what the file says).
namespace InvoiceXml {

inline const QString kNamespace = QStringLiteral("http://ivaservizi.agenziaentrate.gov.it/docs/xsd/fatture/v1.2");

// The file in UTF-8: DatiTrasmissione (the workshop's tax code, or VAT number, as transmitter; the
// customer's recipient code, "0000000" with PECDestinatario when the customer has only a PEC,
// "0000000" alone otherwise), CedentePrestatore, CessionarioCommittente, DatiGeneraliDocumento
// (with DatiBollo when due), DatiFattureCollegate for a credit note, one DettaglioLinee per line,
// one DatiRiepilogo per rate, DatiPagamento. progressivo: ProgressivoInvio, as in the file name.
// The document is expected to have passed Invoice::problems(); the schema check follows.
QByteArray write(const Invoice::Documento &documento, const Invoice::Totali &totali, const QString &progressivo);

// What a file says.
struct Contents
{
    Invoice::Documento documento;  // lines: description and quantity; prices are in totali
    Invoice::Totali totali;        // lines, summaries and total as stated
    QString progressivo;
};

// Reads a FatturaPA file; false with an Italian reason when it is not one Cablora can read.
bool read(const QByteArray &xml, Contents *contents, QString *error);

// The XML form of a VAT rate ("22.00").
QString rateXml(int percent);

}  // namespace InvoiceXml
