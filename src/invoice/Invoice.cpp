#include "invoice/Invoice.h"

#include "invoice/Amounts.h"
#include "invoice/InvoiceNumbering.h"
#include "validators/CodiceFiscale.h"
#include "validators/Iban.h"
#include "validators/PartitaIva.h"

#include <QMap>
#include <QRegularExpression>

#include <algorithm>

namespace Invoice {

const QList<int> &vatRates()
{
    static const QList<int> rates{22, 10, 5, 4};
    return rates;
}

QString forfettarioReference()
{
    return QStringLiteral("Operazione in franchigia da IVA ai sensi dell'art. 1, commi 54-89, Legge 190/2014");
}

QStringList paymentCodes()
{
    return {kContanti, kBonifico, kCarta};
}

QString paymentName(const QString &code)
{
    if (code == kContanti)
        return QStringLiteral("Contanti");
    if (code == kBonifico)
        return QStringLiteral("Bonifico bancario");
    if (code == kCarta)
        return QStringLiteral("Carta di pagamento");
    return code;
}

QString Cessionario::displayName() const
{
    if (!Denominazione.trimmed().isEmpty())
        return Denominazione.trimmed();
    return (Cognome.trimmed() + QLatin1Char(' ') + Nome.trimmed()).trimmed();
}

// ---- Amounts -------------------------------------------------------------------------------------

Totali compute(const Documento &d)
{
    Totali t;
    const bool forfettario = d.forfettario();
    QMap<int, QList<int>> byRate;
    for (int i = 0; i < d.righe.size(); ++i) {
        const Riga &riga = d.righe.at(i);
        ImportiRiga r;
        r.aliquota = forfettario ? 0 : riga.aliquota;
        r.natura = forfettario ? kNaturaForfettario : QString();
        r.lordo = Amounts::roundedDivision(riga.quantita * riga.prezzo, 100);
        t.righe << r;
        byRate[r.aliquota] << i;
    }
    for (auto it = byRate.constEnd(); it != byRate.constBegin();) {
        --it;
        const int rate = it.key();
        const QList<int> &lines = it.value();
        Riepilogo s;
        s.aliquota = rate;
        s.natura = forfettario ? kNaturaForfettario : QString();
        if (forfettario || !d.prezziIvaInclusa) {
            for (int i : lines) {
                ImportiRiga &r = t.righe[i];
                r.prezzoTotale = r.lordo;
                r.prezzoUnitario = Amounts::centsXml(d.righe.at(i).prezzo);
                s.imponibile += r.prezzoTotale;
            }
            s.imposta = forfettario ? 0 : Amounts::roundedDivision(s.imponibile * rate, 100);
        } else {
            qint64 gross = 0;
            for (int i : lines)
                gross += t.righe.at(i).lordo;
            s.imponibile = Amounts::roundedDivision(gross * 100, 100 + rate);
            s.imposta = gross - s.imponibile;
            // Each line's share of the taxable amount, the cents left over to the largest line.
            qint64 shared = 0;
            int largest = lines.first();
            for (int i : lines) {
                ImportiRiga &r = t.righe[i];
                r.prezzoTotale = Amounts::roundedDivision(r.lordo * 100, 100 + rate);
                shared += r.prezzoTotale;
                if (qAbs(r.lordo) > qAbs(t.righe.at(largest).lordo))
                    largest = i;
            }
            t.righe[largest].prezzoTotale += s.imponibile - shared;
            for (int i : lines) {
                ImportiRiga &r = t.righe[i];
                const qint64 quantity = qMax<qint64>(1, d.righe.at(i).quantita);
                r.prezzoUnitario = Amounts::eightDecimalsXml(
                    Amounts::roundedDivision(r.prezzoTotale * Q_INT64_C(100000000), quantity));
            }
        }
        t.riepiloghi << s;
        t.imponibile += s.imponibile;
        t.imposta += s.imposta;
    }
    t.totale = t.imponibile + t.imposta;
    t.bollo = forfettario && t.totale > kBolloThreshold;
    return t;
}

// ---- Characters ----------------------------------------------------------------------------------

bool isLatinCharacter(QChar c)
{
    const char16_t u = c.unicode();
    return (u >= 0x20 && u <= 0x7E) || (u >= 0xA0 && u <= 0xFF);
}

QChar firstRefused(const QString &text)
{
    for (const QChar c : text) {
        if (!isLatinCharacter(c))
            return c;
    }
    return {};
}

QString refusedCharacterMessage(const QString &text, const QString &field)
{
    const QChar c = firstRefused(text);
    if (c.isNull())
        return {};
    QString shown;
    if (c.unicode() < 0x20)
        shown = c == QLatin1Char('\n') || c == QLatin1Char('\r') ? QStringLiteral("a capo")
                                                                 : QStringLiteral("di controllo");
    else
        shown = QStringLiteral("«%1»").arg(c.isSurrogate() ? text.mid(text.indexOf(c), 2) : QString(c));
    return QStringLiteral("Il carattere %1 non è ammesso (campo: %2): la fattura elettronica accetta solo "
                          "lettere latine (anche accentate), cifre e segni comuni.")
        .arg(shown, field);
}

// ---- Checks --------------------------------------------------------------------------------------

namespace {

bool isEmail(const QString &text)
{
    static const QRegularExpression email(QStringLiteral("^[^@\\s]+@[^@\\s]+\\.[^@\\s]+$"));
    return text.size() >= 7 && text.size() <= 256 && email.match(text).hasMatch();
}

bool matches(const QString &text, const char *pattern)
{
    return QRegularExpression(QStringLiteral("^(?:%1)$").arg(QLatin1String(pattern))).match(text).hasMatch();
}

// Collects the problems of one party or of the document, in order.
class Checks
{
public:
    explicit Checks(QStringList &out, const QString &whose, const QString &where = QString())
        : m_out(out), m_whose(whose), m_where(where)
    {
    }
    // The message, with where to correct it before its full stop.
    void add(const QString &message)
    {
        QString m = message;
        if (!m_where.isEmpty()) {
            if (m.endsWith(QLatin1Char('.')))
                m.chop(1);
            m += m_where + QLatin1Char('.');
        }
        m_out << m;
    }
    // A Latin text: its characters and length. The field is named "comune del cliente".
    void latin(const QString &value, const QString &field, int maxLength)
    {
        const QString named = field + QLatin1Char(' ') + m_whose;
        const QString refused = refusedCharacterMessage(value, named);
        if (!refused.isEmpty())
            add(refused);
        else if (value.size() > maxLength)
            add(QStringLiteral("Testo troppo lungo per %1: al massimo %2 caratteri.").arg(named).arg(maxLength));
    }
    void required(const QString &value, const QString &missing)
    {
        if (value.trimmed().isEmpty())
            add(missing);
    }
    QString whose() const { return m_whose; }

private:
    QStringList &m_out;
    QString m_whose;
    QString m_where;
};

void checkTaxCode(Checks &c, const QString &code)
{
    if (code.isEmpty())
        return;
    if (code.size() == 11 && matches(code, "[0-9]{11}")) {
        if (!PartitaIva::isValid(code))
            c.add(QStringLiteral("Il codice fiscale %1 (%2) non è valido: la cifra di controllo non torna.")
                      .arg(c.whose(), code));
    } else if (code.size() != 16 || !matches(code, "[A-Z0-9]{16}")) {
        c.add(QStringLiteral("Il codice fiscale %1 (%2) non è valido: deve avere 16 caratteri (11 cifre per "
                             "una società).")
                  .arg(c.whose(), code));
    } else if (!CodiceFiscale::isValid(code)) {
        c.add(QStringLiteral("Il codice fiscale %1 (%2) non è valido: il carattere di controllo non torna.")
                  .arg(c.whose(), code));
    }
}

void checkVatNumber(Checks &c, const QString &number)
{
    if (!number.isEmpty() && !PartitaIva::isValid(number))
        c.add(QStringLiteral("La partita IVA %1 (%2) non è valida.").arg(c.whose(), number));
}

void checkName(Checks &c, const QString &denominazione, const QString &nome, const QString &cognome,
               const QString &missing)
{
    if (!denominazione.trimmed().isEmpty()) {
        c.latin(denominazione, QStringLiteral("denominazione"), 80);
        return;
    }
    if (nome.trimmed().isEmpty() && cognome.trimmed().isEmpty()) {
        c.add(missing);
        return;
    }
    c.required(cognome, QStringLiteral("Manca il cognome %1.").arg(c.whose()));
    c.required(nome, QStringLiteral("Manca il nome %1.").arg(c.whose()));
    c.latin(cognome, QStringLiteral("cognome"), 60);
    c.latin(nome, QStringLiteral("nome"), 60);
}

void checkSede(Checks &c, const Sede &s)
{
    c.required(s.Indirizzo, QStringLiteral("Manca l'indirizzo %1.").arg(c.whose()));
    c.latin(s.Indirizzo, QStringLiteral("indirizzo"), 60);
    if (!s.NumeroCivico.isEmpty()) {
        if (s.NumeroCivico.size() > 8 || !matches(s.NumeroCivico, "[\\x20-\\x7E]+"))
            c.add(
                QStringLiteral("Il numero civico %1 deve avere al massimo 8 caratteri senza accenti.").arg(c.whose()));
    }
    if (s.CAP.trimmed().isEmpty())
        c.add(QStringLiteral("Manca il CAP %1.").arg(c.whose()));
    else if (!matches(s.CAP, "[0-9]{5}"))
        c.add(QStringLiteral("Il CAP %1 (%2) deve essere di 5 cifre.").arg(c.whose(), s.CAP));
    c.required(s.Comune, QStringLiteral("Manca il comune %1.").arg(c.whose()));
    c.latin(s.Comune, QStringLiteral("comune"), 60);
    if (!s.Provincia.isEmpty() && !matches(s.Provincia, "[A-Z]{2}"))
        c.add(QStringLiteral("La provincia %1 (%2) deve essere la sigla di due lettere maiuscole.")
                  .arg(c.whose(), s.Provincia));
    if (!matches(s.Nazione, "[A-Z]{2}"))
        c.add(QStringLiteral("La nazione %1 deve essere il codice di due lettere (IT).").arg(c.whose()));
}

void checkCedente(QStringList &out, const Cedente &w)
{
    Checks c(out, QStringLiteral("dell'officina"), QStringLiteral(" (Dati dell'officina)"));
    checkName(c, w.Denominazione, w.Nome, w.Cognome,
              QStringLiteral("Manca la denominazione (o il nome e il cognome) dell'officina."));
    if (w.PartitaIva.isEmpty())
        c.add(QStringLiteral("Manca la partita IVA dell'officina."));
    else
        checkVatNumber(c, w.PartitaIva);
    checkTaxCode(c, w.CodiceFiscale);
    if (w.RegimeFiscale != kOrdinario && w.RegimeFiscale != kForfettario)
        c.add(QStringLiteral("Il regime fiscale dell'officina deve essere RF01 (ordinario) o RF19 (forfettario)."));
    checkSede(c, w.sede);
    if (w.REAUfficio.isEmpty() != w.REANumero.isEmpty())
        c.add(QStringLiteral("Per l'iscrizione al REA servono sia la provincia dell'ufficio sia il numero."));
    if (!w.REAUfficio.isEmpty() && !matches(w.REAUfficio, "[A-Z]{2}"))
        c.add(QStringLiteral("La provincia dell'ufficio REA deve essere la sigla di due lettere maiuscole."));
    if (!w.REANumero.isEmpty() && (w.REANumero.size() > 20 || !matches(w.REANumero, "[\\x20-\\x7E]+")))
        c.add(QStringLiteral("Il numero REA dell'officina deve avere al massimo 20 caratteri senza accenti."));
    if (!w.Telefono.isEmpty() && !matches(w.Telefono, "[\\x20-\\x7E]{5,12}"))
        c.add(QStringLiteral("Il telefono dell'officina deve avere da 5 a 12 caratteri senza accenti."));
    if (!w.Email.isEmpty() && !isEmail(w.Email))
        c.add(QStringLiteral("L'indirizzo e-mail dell'officina (%1) non è valido.").arg(w.Email));
    if (!w.IBAN.isEmpty() && (!Iban::isValid(w.IBAN) || !matches(w.IBAN, "[A-Z]{2}[0-9]{2}[A-Z0-9]{11,30}")))
        c.add(QStringLiteral("L'IBAN dell'officina (%1) non è valido.").arg(w.IBAN));
    if (!paymentCodes().contains(w.ModalitaPagamento))
        c.add(QStringLiteral("La modalità di pagamento predefinita dell'officina deve essere MP01, MP05 o MP08."));
}

void checkCessionario(QStringList &out, const Cessionario &b)
{
    Checks c(out, QStringLiteral("del cliente"));
    checkName(c, b.Denominazione, b.Nome, b.Cognome, QStringLiteral("Manca il nome del cliente."));
    if (b.PartitaIva.isEmpty() && b.CodiceFiscale.isEmpty())
        c.add(QStringLiteral("Manca il codice fiscale (o la partita IVA) del cliente."));
    checkVatNumber(c, b.PartitaIva);
    checkTaxCode(c, b.CodiceFiscale);
    checkSede(c, b.sede);
    if (!b.CodiceDestinatario.isEmpty() && !matches(b.CodiceDestinatario, "[A-Z0-9]{7}"))
        c.add(QStringLiteral("Il codice destinatario del cliente (%1) deve avere 7 caratteri, lettere maiuscole "
                             "e cifre.")
                  .arg(b.CodiceDestinatario));
    if (!b.PEC.isEmpty() && !isEmail(b.PEC))
        c.add(QStringLiteral("L'indirizzo PEC del cliente (%1) non è valido.").arg(b.PEC));
}

}  // namespace

QStringList cedenteProblems(const Cedente &cedente)
{
    QStringList out;
    checkCedente(out, cedente);
    return out;
}

QStringList problems(const Documento &d, const QDate &today)
{
    QStringList out;
    checkCedente(out, d.cedente);
    checkCessionario(out, d.cessionario);

    Checks c(out, QStringLiteral("della fattura"));
    if (d.TipoDocumento != kFattura && d.TipoDocumento != kNotaDiCredito)
        c.add(QStringLiteral("Il tipo di documento deve essere TD01 (fattura) o TD04 (nota di credito)."));
    if (d.Numero < 1 || d.Numero > InvoiceNumbering::kLargestNumber)
        c.add(QStringLiteral("Il numero della fattura deve essere tra 1 e %1.").arg(InvoiceNumbering::kLargestNumber));
    if (!d.Data.isValid())
        c.add(QStringLiteral("Manca la data della fattura."));
    else if (d.Data.year() < 2000 || d.Data.year() > 2099)
        c.add(QStringLiteral("La data della fattura deve cadere tra il 2000 e il 2099."));
    else if (today.isValid() && d.Data > today)
        c.add(QStringLiteral("La data della fattura non può essere successiva a oggi (%1).")
                  .arg(today.toString(QStringLiteral("dd/MM/yyyy"))));
    if (d.TipoDocumento == kNotaDiCredito) {
        if (d.fatturaCollegataNumero.trimmed().isEmpty())
            c.add(QStringLiteral("Manca il numero della fattura a cui si riferisce la nota di credito."));
        else if (d.fatturaCollegataNumero.size() > 20 || !matches(d.fatturaCollegataNumero, "[\\x20-\\x7E]+"))
            c.add(
                QStringLiteral("Il numero della fattura collegata deve avere al massimo 20 caratteri senza accenti."));
        if (!d.fatturaCollegataData.isValid())
            c.add(QStringLiteral("Manca la data della fattura a cui si riferisce la nota di credito."));
    }
    if (!paymentCodes().contains(d.ModalitaPagamento))
        c.add(QStringLiteral("La modalità di pagamento deve essere MP01 (contanti), MP05 (bonifico) o MP08 (carta)."));
    else if (d.ModalitaPagamento == kBonifico && d.cedente.IBAN.isEmpty())
        c.add(QStringLiteral("Per il pagamento con bonifico manca l'IBAN dell'officina (Dati dell'officina)."));

    if (d.righe.isEmpty()) {
        c.add(QStringLiteral("La fattura non ha righe."));
        return out;
    }
    if (d.righe.size() > 9999)
        c.add(QStringLiteral("La fattura ha troppe righe (al massimo 9999)."));
    bool amountsOk = true;
    for (int i = 0; i < d.righe.size(); ++i) {
        const Riga &r = d.righe.at(i);
        const QString line = QStringLiteral("della riga %1").arg(i + 1);
        if (r.Descrizione.trimmed().isEmpty())
            c.add(QStringLiteral("Manca la descrizione %1.").arg(line));
        else {
            const QString refused = refusedCharacterMessage(r.Descrizione, QStringLiteral("descrizione ") + line);
            if (!refused.isEmpty())
                c.add(refused);
            else if (r.Descrizione.size() > 1000)
                c.add(QStringLiteral("La descrizione %1 è troppo lunga: al massimo 1000 caratteri.").arg(line));
        }
        if (r.quantita <= 0 || r.quantita > Amounts::kLargestQuantity) {
            c.add(QStringLiteral("La quantità %1 deve essere maggiore di zero.").arg(line));
            amountsOk = false;
        }
        if (qAbs(r.prezzo) > Amounts::kLargestCents
            || (r.quantita > 0 && qAbs(r.prezzo) > Amounts::kLargestCents * 100 / r.quantita)) {
            c.add(QStringLiteral("L'importo %1 è troppo grande.").arg(line));
            amountsOk = false;
        }
        if (!d.forfettario() && !vatRates().contains(r.aliquota))
            c.add(QStringLiteral("L'aliquota IVA %1 deve essere 22, 10, 5 o 4 %.").arg(line));
    }
    if (!amountsOk)
        return out;
    const Totali t = compute(d);
    for (const Riepilogo &s : t.riepiloghi) {
        if (s.imponibile < 0)
            c.add(QStringLiteral("Il totale delle righe con IVA al %1% non può essere negativo.").arg(s.aliquota));
    }
    if (t.totale <= 0)
        c.add(QStringLiteral("Il totale della fattura deve essere maggiore di zero."));
    else if (t.totale > Amounts::kLargestCents)
        c.add(QStringLiteral("Il totale della fattura è troppo grande."));
    return out;
}

}  // namespace Invoice
