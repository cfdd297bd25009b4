#pragma once

#include "invoice/Invoice.h"

#include <QString>
#include <QStringList>

// The workshop's own fiscal data ("Dati dell'officina"), kept in Cablora.ini, section [Fatturazione]:
// Denominazione (or Nome and Cognome), PartitaIva, CodiceFiscale, RegimeFiscale (RF01 / RF19),
// Indirizzo, NumeroCivico, CAP, Comune, Provincia, Nazione, REAUfficio, REANumero, Telefono, Email,
// IBAN, ModalitaPagamento.
namespace WorkshopSettings {

QString iniFile();  // "Cablora.ini"
QString section();  // "Fatturazione"
// The keys, in the order the file lists them.
const QStringList &keys();

// What the file holds (missing keys empty; RegimeFiscale RF01, Nazione IT and ModalitaPagamento
// MP01 when missing). ok turns false when the file exists but cannot be read.
Invoice::Cedente read(const QString &programFolder, bool *ok = nullptr);
// Writes every key at once; false, with the file as it was, when it cannot.
bool write(const QString &programFolder, const Invoice::Cedente &cedente);

// The value of a key of the data, and the data with a key set (for the dialog and the tests).
QString value(const Invoice::Cedente &cedente, const QString &key);
void setValue(Invoice::Cedente &cedente, const QString &key, const QString &value);

// True when the data are enough to issue an invoice (Invoice::cedenteProblems finds nothing).
bool isComplete(const Invoice::Cedente &cedente);

}  // namespace WorkshopSettings
