#include "invoice/InvoiceSchema.h"

#include <QFile>
#include <QHash>
#include <QRegularExpression>

#include <libxml/parser.h>
#include <libxml/parserInternals.h>
#include <libxml/xmlerror.h>
#include <libxml/xmlschemas.h>

#include <mutex>

namespace InvoiceSchema {

namespace {

const QString kSchemaResource = QStringLiteral(":/fatturapa/FatturaPA_1.2.1_N2x.xsd");
const QString kSignatureResource = QStringLiteral(":/fatturapa/xmldsig-core-schema.xsd");
const char *const kSignatureName = "xmldsig-core-schema.xsd";

QByteArray resourceBytes(const QString &name)
{
    QFile file(name);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

struct Compiled
{
    xmlSchemaPtr schema = nullptr;
    QString error;
    QByteArray signature;  // kept alive while the schema is parsed
};

QStringList *g_refusedLoads = nullptr;

// While the schema is compiled: the signature schema it imports comes from the built-in stand-in,
// anything else is refused (no file, no network).
xmlParserInputPtr localOnlyLoader(const char *url, const char *, xmlParserCtxtPtr context)
{
    const QByteArray name(url ? url : "");
    if (name == kSignatureName || name.endsWith(QByteArray("/") + kSignatureName)) {
        static const QByteArray signature = resourceBytes(kSignatureResource);
        if (!signature.isEmpty())
            return xmlNewStringInputStream(context, reinterpret_cast<const xmlChar *>(signature.constData()));
    }
    if (g_refusedLoads)
        g_refusedLoads->append(QString::fromUtf8(name));
    return nullptr;
}

void collectText(void *userData, xmlErrorPtr error)
{
    auto *messages = static_cast<QStringList *>(userData);
    if (error && error->message)
        messages->append(QString::fromUtf8(error->message).trimmed());
}

const Compiled &compiled()
{
    static Compiled made;
    static std::once_flag once;
    std::call_once(once, [] {
        xmlInitParser();
        const QByteArray text = resourceBytes(kSchemaResource);
        if (text.isEmpty()) {
            made.error = QStringLiteral("Lo schema FatturaPA non è incluso nel programma.");
            return;
        }
        QStringList messages;
        QStringList refused;
        g_refusedLoads = &refused;
        const xmlExternalEntityLoader previous = xmlGetExternalEntityLoader();
        xmlSetExternalEntityLoader(localOnlyLoader);
        xmlSchemaParserCtxtPtr parser = xmlSchemaNewMemParserCtxt(text.constData(), int(text.size()));
        if (parser) {
            xmlSchemaSetParserStructuredErrors(parser, collectText, &messages);
            made.schema = xmlSchemaParse(parser);
            xmlSchemaFreeParserCtxt(parser);
        }
        xmlSetExternalEntityLoader(previous);
        g_refusedLoads = nullptr;
        if (!made.schema || !refused.isEmpty())
            made.error = QStringLiteral("Lo schema FatturaPA incluso nel programma non si può usare: %1")
                             .arg((messages + refused).join(QStringLiteral("; ")));
    });
    return made;
}

QString article(const QString &element, const QString &parent)
{
    static const QHash<QString, QString> names{
        {QStringLiteral("CAP"), QStringLiteral("il CAP")},
        {QStringLiteral("Indirizzo"), QStringLiteral("l'indirizzo")},
        {QStringLiteral("NumeroCivico"), QStringLiteral("il numero civico")},
        {QStringLiteral("Comune"), QStringLiteral("il comune")},
        {QStringLiteral("Provincia"), QStringLiteral("la provincia")},
        {QStringLiteral("Nazione"), QStringLiteral("la nazione")},
        {QStringLiteral("Sede"), QStringLiteral("la sede")},
        {QStringLiteral("Anagrafica"), QStringLiteral("il nome")},
        {QStringLiteral("Denominazione"), QStringLiteral("la denominazione")},
        {QStringLiteral("Nome"), QStringLiteral("il nome")},
        {QStringLiteral("Cognome"), QStringLiteral("il cognome")},
        {QStringLiteral("IdFiscaleIVA"), QStringLiteral("la partita IVA")},
        {QStringLiteral("CodiceFiscale"), QStringLiteral("il codice fiscale")},
        {QStringLiteral("RegimeFiscale"), QStringLiteral("il regime fiscale")},
        {QStringLiteral("IdTrasmittente"), QStringLiteral("il codice fiscale del trasmittente")},
        {QStringLiteral("ProgressivoInvio"), QStringLiteral("il progressivo di invio")},
        {QStringLiteral("FormatoTrasmissione"), QStringLiteral("il formato di trasmissione")},
        {QStringLiteral("CodiceDestinatario"), QStringLiteral("il codice destinatario")},
        {QStringLiteral("PECDestinatario"), QStringLiteral("la PEC")},
        {QStringLiteral("TipoDocumento"), QStringLiteral("il tipo di documento")},
        {QStringLiteral("Divisa"), QStringLiteral("la valuta")},
        {QStringLiteral("Data"), QStringLiteral("la data")},
        {QStringLiteral("Numero"), QStringLiteral("il numero")},
        {QStringLiteral("ImportoTotaleDocumento"), QStringLiteral("il totale")},
        {QStringLiteral("BolloVirtuale"), QStringLiteral("il bollo virtuale")},
        {QStringLiteral("ImportoBollo"), QStringLiteral("l'importo del bollo")},
        {QStringLiteral("IdDocumento"), QStringLiteral("il numero")},
        {QStringLiteral("NumeroLinea"), QStringLiteral("il numero di riga")},
        {QStringLiteral("Descrizione"), QStringLiteral("la descrizione")},
        {QStringLiteral("Quantita"), QStringLiteral("la quantità")},
        {QStringLiteral("PrezzoUnitario"), QStringLiteral("il prezzo unitario")},
        {QStringLiteral("PrezzoTotale"), QStringLiteral("il prezzo totale")},
        {QStringLiteral("AliquotaIVA"), QStringLiteral("l'aliquota IVA")},
        {QStringLiteral("Natura"), QStringLiteral("la natura IVA")},
        {QStringLiteral("ImponibileImporto"), QStringLiteral("l'imponibile")},
        {QStringLiteral("Imposta"), QStringLiteral("l'imposta")},
        {QStringLiteral("EsigibilitaIVA"), QStringLiteral("l'esigibilità IVA")},
        {QStringLiteral("RiferimentoNormativo"), QStringLiteral("il riferimento normativo")},
        {QStringLiteral("CondizioniPagamento"), QStringLiteral("le condizioni di pagamento")},
        {QStringLiteral("ModalitaPagamento"), QStringLiteral("la modalità di pagamento")},
        {QStringLiteral("ImportoPagamento"), QStringLiteral("l'importo")},
        {QStringLiteral("IBAN"), QStringLiteral("l'IBAN")},
        {QStringLiteral("Telefono"), QStringLiteral("il telefono")},
        {QStringLiteral("Email"), QStringLiteral("l'e-mail")},
        {QStringLiteral("Ufficio"), QStringLiteral("la provincia dell'ufficio REA")},
        {QStringLiteral("NumeroREA"), QStringLiteral("il numero REA")},
        {QStringLiteral("StatoLiquidazione"), QStringLiteral("lo stato di liquidazione")},
        {QStringLiteral("DatiRiepilogo"), QStringLiteral("il riepilogo IVA")},
        {QStringLiteral("DettaglioLinee"), QStringLiteral("le righe")},
    };
    if (element == QLatin1String("IdCodice"))
        return parent == QLatin1String("IdTrasmittente") ? QStringLiteral("il codice fiscale del trasmittente")
                                                         : QStringLiteral("la partita IVA");
    if (element == QLatin1String("IdPaese"))
        return QStringLiteral("il paese della partita IVA");
    return names.value(element, QStringLiteral("il campo %1").arg(element));
}

// The path of element names from the root to a node.
QStringList nodePath(xmlNodePtr node, int *line)
{
    QStringList path;
    *line = 0;
    for (xmlNodePtr n = node; n && n->type == XML_ELEMENT_NODE; n = n->parent) {
        const QString name = QString::fromUtf8(reinterpret_cast<const char *>(n->name));
        if (name == QLatin1String("DettaglioLinee")) {
            int index = 1;
            for (xmlNodePtr s = n->prev; s; s = s->prev) {
                if (s->type == XML_ELEMENT_NODE && xmlStrEqual(s->name, n->name))
                    ++index;
            }
            *line = index;
        }
        path.prepend(name);
    }
    return path;
}

struct Collected
{
    QStringList messages;
};

void collectProblem(void *userData, xmlErrorPtr error)
{
    auto *collected = static_cast<Collected *>(userData);
    if (!error)
        return;
    const QString raw = QString::fromUtf8(error->message ? error->message : "").trimmed();
    int line = 0;
    QStringList path = nodePath(static_cast<xmlNodePtr>(error->node), &line);
    // The elements expected there: the optional ones, then the required one that is missing.
    static const QRegularExpression expected(QStringLiteral("Expected is (?:one of )?\\( ([^)]+) \\)"));
    const QRegularExpressionMatch m = expected.match(raw);
    QString message;
    if (m.hasMatch()) {
        // A missing element: "Missing child element(s)" names the parent, "This element is not
        // expected" the element found in its place.
        QStringList where = path;
        if (raw.contains(QLatin1String("not expected")) && !where.isEmpty())
            where.removeLast();
        const QString missing = m.captured(1).split(QLatin1Char(',')).last().trimmed().section(QLatin1Char('}'), -1);
        message = QStringLiteral("Manca %1").arg(fieldName(where + QStringList{missing}, line));
        path = where;
    } else if (raw.contains(QLatin1String("not expected")) && !path.isEmpty()) {
        message = QStringLiteral("Elemento non previsto: %1").arg(path.last());
    } else {
        QString value;
        if (error->node) {
            xmlChar *content = xmlNodeGetContent(static_cast<xmlNodePtr>(error->node));
            value = QString::fromUtf8(reinterpret_cast<const char *>(content));
            xmlFree(content);
        }
        message = value.isEmpty() ? QStringLiteral("Manca %1").arg(fieldName(path, line))
                                  : QStringLiteral("Valore non ammesso per %1: «%2»").arg(fieldName(path, line), value);
    }
    collected->messages << QStringLiteral("%1 (%2; schema: %3)").arg(message, path.mid(1).join(QLatin1Char('/')), raw);
}

}  // namespace

QString description()
{
    return QStringLiteral("FatturaPA 1.2.1 (pacchetto npm @digitalia/fatturapa 1.3.1) con i codici Natura della "
                          "versione 1.2.2");
}

bool isAvailable(QString *error)
{
    const Compiled &c = compiled();
    if (error)
        *error = c.error;
    return c.schema && c.error.isEmpty();
}

QString fieldName(const QStringList &path, int line)
{
    if (path.isEmpty())
        return QStringLiteral("la fattura");
    const QString element = path.last();
    const QString parent = path.size() > 1 ? path.at(path.size() - 2) : QString();
    QString owner;
    if (path.contains(QLatin1String("CessionarioCommittente")))
        owner = QStringLiteral(" del cliente");
    else if (path.contains(QLatin1String("CedentePrestatore")))
        owner = QStringLiteral(" dell'officina");
    else if (path.contains(QLatin1String("DettaglioLinee")))
        owner = line > 0 ? QStringLiteral(" della riga %1").arg(line) : QStringLiteral(" di una riga");
    else if (path.contains(QLatin1String("DatiRiepilogo")))
        owner = QStringLiteral(" del riepilogo IVA");
    else if (path.contains(QLatin1String("DatiPagamento")))
        owner = QStringLiteral(" del pagamento");
    else if (path.contains(QLatin1String("DatiFattureCollegate")))
        owner = QStringLiteral(" della fattura collegata");
    else if (path.contains(QLatin1String("CodiceDestinatario")) || path.contains(QLatin1String("PECDestinatario")))
        owner = QStringLiteral(" del cliente");
    else if (path.contains(QLatin1String("DatiTrasmissione")))
        owner = element == QLatin1String("IdCodice") || element == QLatin1String("IdTrasmittente")
                    ? QString()
                    : QStringLiteral(" della trasmissione");
    else if (path.contains(QLatin1String("DatiBollo")))
        owner = QString();
    else if (path.contains(QLatin1String("DatiGeneraliDocumento")))
        owner = QStringLiteral(" della fattura");
    return article(element, parent) + owner;
}

QStringList problems(const QByteArray &xml)
{
    QString unavailable;
    if (!isAvailable(&unavailable))
        return {unavailable};
    QStringList parseErrors;
    xmlParserCtxtPtr parser = xmlNewParserCtxt();
    if (!parser)
        return {QStringLiteral("Memoria insufficiente per controllare la fattura.")};
    xmlSetStructuredErrorFunc(&parseErrors, collectText);
    xmlDocPtr doc = xmlCtxtReadMemory(parser, xml.constData(), int(xml.size()), "fattura.xml", "UTF-8",
                                      XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING);
    xmlSetStructuredErrorFunc(nullptr, nullptr);
    xmlFreeParserCtxt(parser);
    if (!doc)
        return {QStringLiteral("La fattura non è un documento XML ben formato: %1")
                    .arg(parseErrors.value(0, QStringLiteral("errore sconosciuto")))};
    Collected collected;
    xmlSchemaValidCtxtPtr validator = xmlSchemaNewValidCtxt(compiled().schema);
    int result = -1;
    if (validator) {
        xmlSchemaSetValidStructuredErrors(validator, collectProblem, &collected);
        result = xmlSchemaValidateDoc(validator, doc);
        xmlSchemaFreeValidCtxt(validator);
    }
    xmlFreeDoc(doc);
    if (result != 0 && collected.messages.isEmpty())
        collected.messages << QStringLiteral("La fattura non rispetta lo schema FatturaPA.");
    return collected.messages;
}

QByteArray schemaText()
{
    return resourceBytes(kSchemaResource);
}

QByteArray signatureStandInText()
{
    return resourceBytes(kSignatureResource);
}

}  // namespace InvoiceSchema
