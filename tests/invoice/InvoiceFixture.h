#pragma once

// Shared by the invoice tests: a workshop, customers, a program folder with a sheet and customers.

#include "archive/ClienteRecord.h"
#include "archive/RecordArchive.h"
#include "archive/SchedaRecord.h"
#include "invoice/Invoice.h"
#include "invoice/WorkshopSettings.h"

#include <QDir>

namespace InvoiceFixture {

// The day the tests issue their invoices.
inline const QDate kToday(2025, 12, 31);

// Valid by the project's checks: VAT numbers 01234567897, 12345678903, 09876543217; tax codes
// RSSMRA80A01H501U, BNCLCU75C45F205R; IBAN IT60X0542811101000000123456.
inline Invoice::Cedente workshop(const QString &regime = Invoice::kOrdinario)
{
    Invoice::Cedente c;
    c.Denominazione = QStringLiteral("Elettrauto Bianchi S.n.c.");
    c.PartitaIva = QStringLiteral("01234567897");
    c.CodiceFiscale = QStringLiteral("01234567897");
    c.RegimeFiscale = regime;
    c.sede.Indirizzo = QStringLiteral("Via dell'Industria");
    c.sede.NumeroCivico = QStringLiteral("12");
    c.sede.CAP = QStringLiteral("20100");
    c.sede.Comune = QStringLiteral("Milano");
    c.sede.Provincia = QStringLiteral("MI");
    c.Telefono = QStringLiteral("02 1234567");
    c.Email = QStringLiteral("officina@example.it");
    c.IBAN = QStringLiteral("IT60X0542811101000000123456");
    c.ModalitaPagamento = Invoice::kBonifico;
    return c;
}

inline Invoice::Cessionario company()
{
    Invoice::Cessionario b;
    b.Denominazione = QStringLiteral("Trasporti Verdi S.r.l.");
    b.PartitaIva = QStringLiteral("12345678903");
    b.sede.Indirizzo = QStringLiteral("Corso Italia 5");
    b.sede.CAP = QStringLiteral("10121");
    b.sede.Comune = QStringLiteral("Torino");
    b.sede.Provincia = QStringLiteral("TO");
    b.CodiceDestinatario = QStringLiteral("M5UXCR1");
    return b;
}

inline Invoice::Cessionario person()
{
    Invoice::Cessionario b;
    b.Nome = QStringLiteral("Mario");
    b.Cognome = QStringLiteral("Rossi");
    b.CodiceFiscale = QStringLiteral("RSSMRA80A01H501U");
    b.sede.Indirizzo = QStringLiteral("Via Roma 1");
    b.sede.CAP = QStringLiteral("00184");
    b.sede.Comune = QStringLiteral("Roma");
    b.sede.Provincia = QStringLiteral("RM");
    return b;
}

inline Invoice::Cessionario withPecOnly()
{
    Invoice::Cessionario b = company();
    b.Denominazione = QStringLiteral("Studio Neri");
    b.PartitaIva = QStringLiteral("09876543217");
    b.CodiceDestinatario.clear();
    b.PEC = QStringLiteral("studioneri@pec.example.it");
    return b;
}

inline Invoice::Riga line(const QString &description, qint64 cents, int rate = 22, qint64 hundredths = 100)
{
    Invoice::Riga r;
    r.Descrizione = description;
    r.prezzo = cents;
    r.aliquota = rate;
    r.quantita = hundredths;
    return r;
}

inline Invoice::Documento document(const Invoice::Cessionario &customer, const QList<Invoice::Riga> &lines,
                                   bool vatIncluded = true, const QString &regime = Invoice::kOrdinario)
{
    Invoice::Documento d;
    d.Numero = 1;
    d.Data = QDate(2025, 3, 14);
    d.cedente = workshop(regime);
    d.cessionario = customer;
    d.righe = lines;
    d.prezziIvaInclusa = vatIncluded;
    d.ModalitaPagamento = Invoice::kContanti;
    return d;
}

// A customer of the register: Mario Rossi, private, with address and tax code.
inline ClienteRecord customerRecord()
{
    ClienteRecord c;
    c.Cognome = QStringLiteral("Rossi");
    c.Nome = QStringLiteral("Mario");
    c.IndirizzoRes = QStringLiteral("Via Roma 1");
    c.CapRes = QStringLiteral("00184");
    c.ComuneRes = QStringLiteral("Roma");
    c.ProvRes = QStringLiteral("RM");
    c.CodFisc = QStringLiteral("rssmra80a01h501u");
    c.Recapito = QStringLiteral("333 1234567");
    return c;
}

inline SchedaRecord sheetRecord()
{
    SchedaRecord s;
    s.NumScheda = QStringLiteral("57");
    s.Data = QStringLiteral("10/03/2025");
    s.Cliente = QStringLiteral("Mario Rossi");
    s.Recapito = QStringLiteral("333 1234567");
    s.Targa = QStringLiteral("AB123CD");
    s.Marca = QStringLiteral("Fiat Panda");
    s.Interventi = QStringLiteral("Sostituzione batteria\r\nControllo alternatore");
    s.Totale = QStringLiteral("183,00");
    s.Pagato = QStringLiteral("Sì");
    return s;
}

template<typename Record>
inline bool append(const QString &folder, const Record &record)
{
    RecordArchive archive;
    return archive.OpenOrCreate(QDir(folder).filePath(Record::fileName()), Record::kSize)
           && archive.Append(record.toBytes()) >= 1;
}

// A program folder with the workshop's data, one sheet and one customer (both at position 1).
inline bool prepareFolder(const QString &folder, const Invoice::Cedente &cedente = workshop())
{
    return WorkshopSettings::write(folder, cedente) && append(folder, sheetRecord())
           && append(folder, customerRecord());
}

}  // namespace InvoiceFixture
