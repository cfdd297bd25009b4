#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// The check of a FatturaPA file against the official XML schema, with libxml2, before the file is
// written. The schema is compiled into the program (see cmake/FatturaPASchema.cmake): version 1.2.1
// as the npm package @digitalia/fatturapa carries it, with the Natura codes of version 1.2.2 (N2.1,
// N2.2, N3.x, N6.x) added to its enumeration and the W3C signature schema it imports replaced by a
// local stand-in. libxml2 never reaches the network: every external load but that stand-in is
// refused.
namespace InvoiceSchema {

// "FatturaPA 1.2.1 ... con i codici Natura della versione 1.2.2".
QString description();

// The compiled schema is usable; otherwise why not (a broken build), in Italian.
bool isAvailable(QString *error = nullptr);

// Every schema error of the file, in Italian, each naming the field ("Manca il CAP del cliente
// (FatturaElettronicaHeader/CessionarioCommittente/Sede)."); empty when the file is valid.
QStringList problems(const QByteArray &xml);

// The Italian name of the field at a path of element names from the root ("il CAP del cliente").
// line: the line number for paths inside DettaglioLinee (0 when unknown).
QString fieldName(const QStringList &path, int line = 0);

// The patched schema and the signature stand-in as compiled in (for tests).
QByteArray schemaText();
QByteArray signatureStandInText();

}  // namespace InvoiceSchema
