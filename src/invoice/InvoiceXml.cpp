#include "invoice/InvoiceXml.h"

#include "invoice/Amounts.h"

#include <QXmlStreamReader>
#include <QXmlStreamWriter>

namespace InvoiceXml {

using namespace Invoice;

QString rateXml(int percent)
{
    return QStringLiteral("%1.00").arg(percent);
}

namespace {

void text(QXmlStreamWriter &w, const char *name, const QString &value)
{
    w.writeTextElement(QLatin1String(name), value);
}

void optional(QXmlStreamWriter &w, const char *name, const QString &value)
{
    if (!value.isEmpty())
        text(w, name, value);
}

void idFiscale(QXmlStreamWriter &w, const char *element, const QString &code)
{
    w.writeStartElement(QLatin1String(element));
    text(w, "IdPaese", QStringLiteral("IT"));
    text(w, "IdCodice", code);
    w.writeEndElement();
}

void anagrafica(QXmlStreamWriter &w, const QString &denominazione, const QString &nome, const QString &cognome)
{
    w.writeStartElement(QStringLiteral("Anagrafica"));
    if (!denominazione.trimmed().isEmpty()) {
        text(w, "Denominazione", denominazione.trimmed());
    } else {
        text(w, "Nome", nome.trimmed());
        text(w, "Cognome", cognome.trimmed());
    }
    w.writeEndElement();
}

void sede(QXmlStreamWriter &w, const Sede &s)
{
    w.writeStartElement(QStringLiteral("Sede"));
    text(w, "Indirizzo", s.Indirizzo.trimmed());
    optional(w, "NumeroCivico", s.NumeroCivico.trimmed());
    text(w, "CAP", s.CAP);
    text(w, "Comune", s.Comune.trimmed());
    optional(w, "Provincia", s.Provincia);
    text(w, "Nazione", s.Nazione);
    w.writeEndElement();
}

}  // namespace

QByteArray write(const Documento &d, const Totali &t, const QString &progressivo)
{
    QByteArray bytes;
    QXmlStreamWriter w(&bytes);
    w.setAutoFormatting(true);
    w.setAutoFormattingIndent(2);
    w.writeStartDocument(QStringLiteral("1.0"));
    w.writeNamespace(QStringLiteral("http://www.w3.org/2000/09/xmldsig#"), QStringLiteral("ds"));
    w.writeNamespace(kNamespace, QStringLiteral("p"));
    w.writeNamespace(QStringLiteral("http://www.w3.org/2001/XMLSchema-instance"), QStringLiteral("xsi"));
    w.writeStartElement(kNamespace, QStringLiteral("FatturaElettronica"));
    w.writeAttribute(QStringLiteral("versione"), QStringLiteral("FPR12"));

    const Cedente &c = d.cedente;
    const Cessionario &b = d.cessionario;
    w.writeStartElement(QStringLiteral("FatturaElettronicaHeader"));
    w.writeStartElement(QStringLiteral("DatiTrasmissione"));
    idFiscale(w, "IdTrasmittente", c.CodiceFiscale.isEmpty() ? c.PartitaIva : c.CodiceFiscale);
    text(w, "ProgressivoInvio", progressivo);
    text(w, "FormatoTrasmissione", QStringLiteral("FPR12"));
    const bool hasCode = !b.CodiceDestinatario.isEmpty() && b.CodiceDestinatario != QLatin1String("0000000");
    text(w, "CodiceDestinatario", hasCode ? b.CodiceDestinatario : QStringLiteral("0000000"));
    if (!hasCode && !b.PEC.isEmpty())
        text(w, "PECDestinatario", b.PEC);
    w.writeEndElement();  // DatiTrasmissione

    w.writeStartElement(QStringLiteral("CedentePrestatore"));
    w.writeStartElement(QStringLiteral("DatiAnagrafici"));
    idFiscale(w, "IdFiscaleIVA", c.PartitaIva);
    optional(w, "CodiceFiscale", c.CodiceFiscale);
    anagrafica(w, c.Denominazione, c.Nome, c.Cognome);
    text(w, "RegimeFiscale", c.RegimeFiscale);
    w.writeEndElement();  // DatiAnagrafici
    sede(w, c.sede);
    if (!c.REAUfficio.isEmpty() && !c.REANumero.isEmpty()) {
        w.writeStartElement(QStringLiteral("IscrizioneREA"));
        text(w, "Ufficio", c.REAUfficio);
        text(w, "NumeroREA", c.REANumero);
        text(w, "StatoLiquidazione", QStringLiteral("LN"));
        w.writeEndElement();
    }
    if (!c.Telefono.isEmpty() || !c.Email.isEmpty()) {
        w.writeStartElement(QStringLiteral("Contatti"));
        optional(w, "Telefono", c.Telefono);
        optional(w, "Email", c.Email);
        w.writeEndElement();
    }
    w.writeEndElement();  // CedentePrestatore

    w.writeStartElement(QStringLiteral("CessionarioCommittente"));
    w.writeStartElement(QStringLiteral("DatiAnagrafici"));
    if (!b.PartitaIva.isEmpty())
        idFiscale(w, "IdFiscaleIVA", b.PartitaIva);
    optional(w, "CodiceFiscale", b.CodiceFiscale);
    anagrafica(w, b.Denominazione, b.Nome, b.Cognome);
    w.writeEndElement();  // DatiAnagrafici
    sede(w, b.sede);
    w.writeEndElement();  // CessionarioCommittente
    w.writeEndElement();  // FatturaElettronicaHeader

    w.writeStartElement(QStringLiteral("FatturaElettronicaBody"));
    w.writeStartElement(QStringLiteral("DatiGenerali"));
    w.writeStartElement(QStringLiteral("DatiGeneraliDocumento"));
    text(w, "TipoDocumento", d.TipoDocumento);
    text(w, "Divisa", QStringLiteral("EUR"));
    text(w, "Data", d.Data.toString(Qt::ISODate));
    text(w, "Numero", QString::number(d.Numero));
    if (t.bollo) {
        w.writeStartElement(QStringLiteral("DatiBollo"));
        text(w, "BolloVirtuale", QStringLiteral("SI"));
        text(w, "ImportoBollo", Amounts::centsXml(kBollo));
        w.writeEndElement();
    }
    text(w, "ImportoTotaleDocumento", Amounts::centsXml(t.totale));
    w.writeEndElement();  // DatiGeneraliDocumento
    if (d.TipoDocumento == kNotaDiCredito) {
        w.writeStartElement(QStringLiteral("DatiFattureCollegate"));
        text(w, "IdDocumento", d.fatturaCollegataNumero.trimmed());
        if (d.fatturaCollegataData.isValid())
            text(w, "Data", d.fatturaCollegataData.toString(Qt::ISODate));
        w.writeEndElement();
    }
    w.writeEndElement();  // DatiGenerali

    w.writeStartElement(QStringLiteral("DatiBeniServizi"));
    for (int i = 0; i < d.righe.size(); ++i) {
        const Riga &r = d.righe.at(i);
        const ImportiRiga &a = t.righe.at(i);
        w.writeStartElement(QStringLiteral("DettaglioLinee"));
        text(w, "NumeroLinea", QString::number(i + 1));
        text(w, "Descrizione", r.Descrizione.trimmed());
        text(w, "Quantita", Amounts::quantityXml(r.quantita));
        text(w, "PrezzoUnitario", a.prezzoUnitario);
        text(w, "PrezzoTotale", Amounts::centsXml(a.prezzoTotale));
        text(w, "AliquotaIVA", rateXml(a.aliquota));
        optional(w, "Natura", a.natura);
        w.writeEndElement();
    }
    for (const Riepilogo &s : t.riepiloghi) {
        w.writeStartElement(QStringLiteral("DatiRiepilogo"));
        text(w, "AliquotaIVA", rateXml(s.aliquota));
        optional(w, "Natura", s.natura);
        text(w, "ImponibileImporto", Amounts::centsXml(s.imponibile));
        text(w, "Imposta", Amounts::centsXml(s.imposta));
        if (s.natura.isEmpty())
            text(w, "EsigibilitaIVA", QStringLiteral("I"));
        else
            text(w, "RiferimentoNormativo", forfettarioReference());
        w.writeEndElement();
    }
    w.writeEndElement();  // DatiBeniServizi

    w.writeStartElement(QStringLiteral("DatiPagamento"));
    text(w, "CondizioniPagamento", QStringLiteral("TP02"));
    w.writeStartElement(QStringLiteral("DettaglioPagamento"));
    text(w, "ModalitaPagamento", d.ModalitaPagamento);
    text(w, "ImportoPagamento", Amounts::centsXml(t.totale));
    if (d.ModalitaPagamento == kBonifico)
        optional(w, "IBAN", c.IBAN);
    w.writeEndElement();  // DettaglioPagamento
    w.writeEndElement();  // DatiPagamento
    w.writeEndElement();  // FatturaElettronicaBody

    w.writeEndElement();  // FatturaElettronica
    w.writeEndDocument();
    return bytes;
}

// ---- Reading -------------------------------------------------------------------------------------

namespace {

int rateFromXml(const QString &text)
{
    qint64 cents = 0;
    return Amounts::parseXmlCents(text, &cents) ? int(cents / 100) : 0;
}

qint64 quantityFromXml(const QString &text)
{
    // Two to eight decimals; hundredths are what Cablora writes and shows.
    const qsizetype point = text.indexOf(QLatin1Char('.'));
    const QString whole = point < 0 ? text : text.left(point);
    const QString decimals = point < 0 ? QString() : (text.mid(point + 1) + QStringLiteral("00")).left(2);
    return whole.toLongLong() * 100 + decimals.toLongLong();
}

}  // namespace

bool read(const QByteArray &xml, Contents *out, QString *error)
{
    Contents c;
    c.documento.righe.clear();
    QXmlStreamReader r(xml);
    QStringList path;
    Riga *riga = nullptr;
    ImportiRiga *importi = nullptr;
    Riepilogo *riepilogo = nullptr;
    bool sawRoot = false;
    QString pending;
    // Each element's text is handled at its end, whole (entities split the text into pieces).
    const auto handle = [&](const QString &value) {
        const QString &leaf = path.last();
        const QString &parent = path.at(path.size() - 2);
        const bool inCedente = path.contains(QLatin1String("CedentePrestatore"));
        const bool inCessionario = path.contains(QLatin1String("CessionarioCommittente"));
        qint64 cents = 0;
        if (inCedente || inCessionario) {
            Cedente &ce = c.documento.cedente;
            Cessionario &cc = c.documento.cessionario;
            Sede &s = inCedente ? ce.sede : cc.sede;
            if (parent == QLatin1String("IdFiscaleIVA") && leaf == QLatin1String("IdCodice"))
                (inCedente ? ce.PartitaIva : cc.PartitaIva) = value;
            else if (leaf == QLatin1String("CodiceFiscale"))
                (inCedente ? ce.CodiceFiscale : cc.CodiceFiscale) = value;
            else if (leaf == QLatin1String("Denominazione"))
                (inCedente ? ce.Denominazione : cc.Denominazione) = value;
            else if (leaf == QLatin1String("Nome") && parent == QLatin1String("Anagrafica"))
                (inCedente ? ce.Nome : cc.Nome) = value;
            else if (leaf == QLatin1String("Cognome") && parent == QLatin1String("Anagrafica"))
                (inCedente ? ce.Cognome : cc.Cognome) = value;
            else if (leaf == QLatin1String("RegimeFiscale"))
                ce.RegimeFiscale = value;
            else if (parent == QLatin1String("Sede")) {
                if (leaf == QLatin1String("Indirizzo"))
                    s.Indirizzo = value;
                else if (leaf == QLatin1String("NumeroCivico"))
                    s.NumeroCivico = value;
                else if (leaf == QLatin1String("CAP"))
                    s.CAP = value;
                else if (leaf == QLatin1String("Comune"))
                    s.Comune = value;
                else if (leaf == QLatin1String("Provincia"))
                    s.Provincia = value;
                else if (leaf == QLatin1String("Nazione"))
                    s.Nazione = value;
            } else if (leaf == QLatin1String("Ufficio"))
                ce.REAUfficio = value;
            else if (leaf == QLatin1String("NumeroREA"))
                ce.REANumero = value;
            else if (leaf == QLatin1String("Telefono"))
                ce.Telefono = value;
            else if (leaf == QLatin1String("Email"))
                ce.Email = value;
        } else if (parent == QLatin1String("DatiTrasmissione")) {
            if (leaf == QLatin1String("ProgressivoInvio"))
                c.progressivo = value;
            else if (leaf == QLatin1String("CodiceDestinatario"))
                c.documento.cessionario.CodiceDestinatario = value;
            else if (leaf == QLatin1String("PECDestinatario"))
                c.documento.cessionario.PEC = value;
        } else if (parent == QLatin1String("DatiGeneraliDocumento")) {
            if (leaf == QLatin1String("TipoDocumento"))
                c.documento.TipoDocumento = value;
            else if (leaf == QLatin1String("Data"))
                c.documento.Data = QDate::fromString(value, Qt::ISODate);
            else if (leaf == QLatin1String("Numero"))
                c.documento.Numero = value.toLongLong();
            else if (leaf == QLatin1String("ImportoTotaleDocumento") && Amounts::parseXmlCents(value, &cents))
                c.totali.totale = cents;
        } else if (parent == QLatin1String("DatiFattureCollegate")) {
            if (leaf == QLatin1String("IdDocumento"))
                c.documento.fatturaCollegataNumero = value;
            else if (leaf == QLatin1String("Data"))
                c.documento.fatturaCollegataData = QDate::fromString(value, Qt::ISODate);
        } else if (parent == QLatin1String("DettaglioLinee") && riga) {
            if (leaf == QLatin1String("Descrizione"))
                riga->Descrizione = value;
            else if (leaf == QLatin1String("Quantita"))
                riga->quantita = quantityFromXml(value);
            else if (leaf == QLatin1String("PrezzoUnitario"))
                importi->prezzoUnitario = value;
            else if (leaf == QLatin1String("PrezzoTotale") && Amounts::parseXmlCents(value, &cents))
                importi->prezzoTotale = cents;
            else if (leaf == QLatin1String("AliquotaIVA"))
                riga->aliquota = importi->aliquota = rateFromXml(value);
            else if (leaf == QLatin1String("Natura"))
                importi->natura = value;
        } else if (parent == QLatin1String("DatiRiepilogo") && riepilogo) {
            if (leaf == QLatin1String("AliquotaIVA"))
                riepilogo->aliquota = rateFromXml(value);
            else if (leaf == QLatin1String("Natura"))
                riepilogo->natura = value;
            else if (leaf == QLatin1String("ImponibileImporto") && Amounts::parseXmlCents(value, &cents))
                riepilogo->imponibile = cents;
            else if (leaf == QLatin1String("Imposta") && Amounts::parseXmlCents(value, &cents))
                riepilogo->imposta = cents;
        } else if (parent == QLatin1String("DettaglioPagamento")) {
            if (leaf == QLatin1String("ModalitaPagamento"))
                c.documento.ModalitaPagamento = value;
            else if (leaf == QLatin1String("IBAN"))
                c.documento.cedente.IBAN = value;
        }
    };
    while (!r.atEnd()) {
        r.readNext();
        if (r.isStartElement()) {
            pending.clear();
            const QString name = r.name().toString();
            if (path.isEmpty()) {
                if (name != QLatin1String("FatturaElettronica") || r.namespaceUri() != kNamespace) {
                    *error = QStringLiteral("Il file non è una fattura elettronica FatturaPA.");
                    return false;
                }
                sawRoot = true;
            }
            path << name;
            if (name == QLatin1String("DettaglioLinee")) {
                c.documento.righe.append(Riga{});
                c.totali.righe.append(ImportiRiga{});
                riga = &c.documento.righe.last();
                importi = &c.totali.righe.last();
            } else if (name == QLatin1String("DatiRiepilogo")) {
                c.totali.riepiloghi.append(Riepilogo{});
                riepilogo = &c.totali.riepiloghi.last();
            } else if (name == QLatin1String("DatiBollo")) {
                c.totali.bollo = true;
            }
        } else if (r.isCharacters()) {
            pending += r.text();
        } else if (r.isEndElement()) {
            if (path.size() >= 2 && !pending.trimmed().isEmpty())
                handle(pending);
            pending.clear();
            if (!path.isEmpty())
                path.removeLast();
        }
    }
    if (r.hasError() || !sawRoot) {
        *error = QStringLiteral("Il file non è un documento XML leggibile: %1").arg(r.errorString());
        return false;
    }
    for (const Riepilogo &s : c.totali.riepiloghi) {
        c.totali.imponibile += s.imponibile;
        c.totali.imposta += s.imposta;
    }
    c.documento.cedente.ModalitaPagamento = c.documento.ModalitaPagamento;
    *out = c;
    return true;
}

}  // namespace InvoiceXml
