#pragma once

#include <QDate>
#include <QList>
#include <QMetaType>
#include <QString>
#include <QStringList>

// An electronic invoice (FatturaPA 1.2, format FPR12) as Cablora issues it: the workshop, the
// customer, the lines, the payment, and the amounts worked out in whole cents. The member names are
// the XML element names of the FatturaPA schema. No window, no file: see InvoiceXml for the file,
// InvoiceRegister for issuing it.
namespace Invoice {

// The two tax regimes that workshops use.
inline const QString kOrdinario = QStringLiteral("RF01");
inline const QString kForfettario = QStringLiteral("RF19");
// Invoice and credit note.
inline const QString kFattura = QStringLiteral("TD01");
inline const QString kNotaDiCredito = QStringLiteral("TD04");
// Cash, bank transfer, card.
inline const QString kContanti = QStringLiteral("MP01");
inline const QString kBonifico = QStringLiteral("MP05");
inline const QString kCarta = QStringLiteral("MP08");
// The VAT rates a line may carry under RF01.
const QList<int> &vatRates();
// The nature code and legal reference of the forfettario lines (rate 0.00, no VAT).
inline const QString kNaturaForfettario = QStringLiteral("N2.2");
QString forfettarioReference();
// The virtual stamp duty of a forfettario invoice whose total exceeds 77,47 euro.
inline constexpr qint64 kBolloThreshold = 7747;
inline constexpr qint64 kBollo = 200;

// Payment methods the dialogs offer, with their Italian names.
QString paymentName(const QString &code);
QStringList paymentCodes();

struct Sede
{
    QString Indirizzo, NumeroCivico, CAP, Comune, Provincia, Nazione = QStringLiteral("IT");
};

// The workshop ("Dati dell'officina"): Denominazione, or Nome and Cognome.
struct Cedente
{
    QString Denominazione, Nome, Cognome, PartitaIva, CodiceFiscale, RegimeFiscale = kOrdinario;
    Sede sede;
    QString REAUfficio, REANumero, Telefono, Email, IBAN, ModalitaPagamento = kContanti;
};

// The customer: Denominazione (a company), or Nome and Cognome; VAT number and/or tax code; the
// recipient code of the exchange system or a PEC address.
struct Cessionario
{
    QString Denominazione, Nome, Cognome, PartitaIva, CodiceFiscale;
    Sede sede;
    QString CodiceDestinatario, PEC;

    // "Rossi Mario" or the company name.
    QString displayName() const;
};

struct Riga
{
    QString Descrizione;
    qint64 quantita = 100;  // hundredths: 1,00
    qint64 prezzo = 0;      // cents per unit, VAT included or not as the document says
    int aliquota = 22;      // percent; ignored under RF19 (0.00, N2.2)
};

struct Documento
{
    QString TipoDocumento = kFattura;
    qint64 Numero = 0;
    QDate Data;
    Cedente cedente;
    Cessionario cessionario;
    QList<Riga> righe;
    // The prices include VAT: the taxable amount of each rate is worked out from the total paid.
    bool prezziIvaInclusa = true;
    QString ModalitaPagamento = kContanti;
    bool pagato = false;
    // A credit note names the invoice it corrects.
    QString fatturaCollegataNumero;
    QDate fatturaCollegataData;
    // The sheet the invoice comes from (its number), kept in the register; may be empty.
    QString scheda;

    bool forfettario() const { return cedente.RegimeFiscale == kForfettario; }
};

// The amounts of one line as the file states them.
struct ImportiRiga
{
    qint64 lordo = 0;         // quantity x price as entered, rounded to the cent
    qint64 prezzoTotale = 0;  // PrezzoTotale: the taxable amount of the line, in cents
    QString prezzoUnitario;   // PrezzoUnitario, XML text (2 to 8 decimals)
    int aliquota = 0;
    QString natura;  // "N2.2" or empty
};

// One DatiRiepilogo: one per rate.
struct Riepilogo
{
    int aliquota = 0;
    QString natura;
    qint64 imponibile = 0;
    qint64 imposta = 0;
};

struct Totali
{
    QList<ImportiRiga> righe;
    QList<Riepilogo> riepiloghi;  // highest rate first
    qint64 imponibile = 0;
    qint64 imposta = 0;
    qint64 totale = 0;   // ImportoTotaleDocumento: taxable + VAT
    bool bollo = false;  // DatiBollo: virtual stamp duty of 2,00 euro
};

// The amounts, exact to the cent:
// - prices without VAT: a line's taxable amount is quantity x price rounded half up; a rate's tax
//   is its taxable amount x rate, rounded half up;
// - prices with VAT: a rate's taxable amount is its total / (1 + rate), rounded half up, and its tax
//   the total less the taxable amount, so that the two add up to what the customer pays; the lines
//   of the rate share the taxable amount (each its own share rounded, the cents left over going to
//   the largest line) and state their unit price as their share / quantity, to eight decimals;
// - RF19: rate 0.00 with nature N2.2, no VAT, the stamp duty above 77,47 euro.
Totali compute(const Documento &documento);

// Everything that stops the invoice, in Italian, the most important first, each naming its field
// ("Manca il CAP del cliente."): the workshop's and the customer's data (the project's VAT number
// and tax code checks), the lines, the characters the schema's Latin type allows, the lengths.
// today: the date the invoice may not follow.
QStringList problems(const Documento &documento, const QDate &today);

// The checks of the workshop's data alone (the "Dati dell'officina" dialog).
QStringList cedenteProblems(const Cedente &cedente);

// The characters the schema's Latin texts allow: the printable characters of Basic Latin and of the
// Latin-1 Supplement (U+0020-U+007E, U+00A0-U+00FF). Line breaks and tabs are not allowed either.
bool isLatinCharacter(QChar c);
// The first character of a text that the Latin texts refuse, or a null QChar.
QChar firstRefused(const QString &text);
// "Il carattere «€» non è ammesso (campo: <field>): ..." for the first refused character of the text, or
// the empty text when all are allowed.
QString refusedCharacterMessage(const QString &text, const QString &field);

}  // namespace Invoice

Q_DECLARE_METATYPE(Invoice::Documento)
