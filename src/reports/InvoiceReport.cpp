#include "reports/InvoiceReport.h"

#include "invoice/Amounts.h"

namespace InvoiceReport {

using namespace Invoice;

namespace {

const QString kArial = QStringLiteral("Arial");
const QColor kHeader(0xB0, 0xC4, 0xDE);
constexpr double kWidth = 190;

QString date(const QDate &d)
{
    return d.toString(QStringLiteral("dd/MM/yyyy"));
}

QString partyName(const QString &denominazione, const QString &nome, const QString &cognome)
{
    return denominazione.isEmpty() ? (nome + QLatin1Char(' ') + cognome).trimmed() : denominazione;
}

QString address(const Sede &s)
{
    QString street = s.Indirizzo;
    if (!s.NumeroCivico.isEmpty())
        street += QStringLiteral(", ") + s.NumeroCivico;
    QString town = (s.CAP + QLatin1Char(' ') + s.Comune).trimmed();
    if (!s.Provincia.isEmpty())
        town += QStringLiteral(" (%1)").arg(s.Provincia);
    return street + QLatin1Char('\n') + town;
}

QString unitPrice(const QString &xml)
{
    QString text = xml;
    text.replace(QLatin1Char('.'), QLatin1Char(','));
    return text;
}

ReportObject cell(const QRectF &rect, const QString &text, Qt::Alignment alignment, bool bold = false)
{
    return ReportObject::textObject(QString(), rect, text).font(kArial, 9, bold).align(alignment | Qt::AlignVCenter);
}

}  // namespace

QString reportName()
{
    return QStringLiteral("Copia di cortesia");
}

QString courtesyNote()
{
    return QStringLiteral(
        "Copia di cortesia \u2014 il documento valido ai fini fiscali è il file XML trasmesso allo SdI");
}

Report build(const InvoiceXml::Contents &contents, const QImage &logo)
{
    const Documento &d = contents.documento;
    const Totali &t = contents.totali;
    const Cedente &c = d.cedente;
    const Cessionario &b = d.cessionario;
    Report report(reportName());
    ReportPage &page = report.addPage(ReportPage::a4(QPageLayout::Portrait, 10));

    // Heading: logo, workshop, document, customer.
    ReportBand &title = page.addBand(ReportBand::Kind::Title, QStringLiteral("Intestazione"), 92);
    ReportObject picture = ReportObject::pictureObject(QStringLiteral("imgLogo"), {0, 0, 60, 32});
    picture.picture = logo;
    title.objects << picture;
    QStringList workshop{partyName(c.Denominazione, c.Nome, c.Cognome), address(c.sede),
                         QStringLiteral("Partita IVA %1").arg(c.PartitaIva)};
    if (!c.CodiceFiscale.isEmpty() && c.CodiceFiscale != c.PartitaIva)
        workshop << QStringLiteral("Codice fiscale %1").arg(c.CodiceFiscale);
    QStringList contacts;
    if (!c.Telefono.isEmpty())
        contacts << QStringLiteral("Tel. %1").arg(c.Telefono);
    if (!c.Email.isEmpty())
        contacts << c.Email;
    if (!contacts.isEmpty())
        workshop << contacts.join(QStringLiteral(" - "));
    title.objects << ReportObject::textObject(QStringLiteral("txtOfficina"), {66, 0, 124, 32}, workshop.join('\n'))
                         .font(kArial, 10)
                         .align(Qt::AlignRight | Qt::AlignTop);
    const QString kind =
        d.TipoDocumento == kNotaDiCredito ? QStringLiteral("NOTA DI CREDITO") : QStringLiteral("FATTURA");
    title.objects << ReportObject::rectangle({0, 36, kWidth, 9}, kHeader, kHeader);
    title.objects << ReportObject::textObject(
                         QStringLiteral("txtDocumento"), {2, 36, kWidth - 4, 9},
                         QStringLiteral("%1 N. %2 DEL %3").arg(kind).arg(d.Numero).arg(date(d.Data)))
                         .font(kArial, 13, true)
                         .align(Qt::AlignCenter);
    QString reference;
    if (d.TipoDocumento == kNotaDiCredito)
        reference = QStringLiteral("Rettifica della fattura n. %1 del %2")
                        .arg(d.fatturaCollegataNumero, date(d.fatturaCollegataData));
    title.objects << ReportObject::textObject(QStringLiteral("txtRiferimento"), {0, 46, kWidth, 5}, reference)
                         .font(kArial, 9, false, true)
                         .align(Qt::AlignCenter);
    QStringList customer{QStringLiteral("Spett.le"), b.displayName(), address(b.sede)};
    if (!b.PartitaIva.isEmpty())
        customer << QStringLiteral("Partita IVA %1").arg(b.PartitaIva);
    if (!b.CodiceFiscale.isEmpty())
        customer << QStringLiteral("Codice fiscale %1").arg(b.CodiceFiscale);
    title.objects << ReportObject::rectangle({96, 52, 94, 34}, QColor(), Qt::black);
    title.objects << ReportObject::textObject(QStringLiteral("txtCliente"), {99, 54, 89, 31}, customer.join('\n'))
                         .font(kArial, 10)
                         .align(Qt::AlignLeft | Qt::AlignTop);

    // The lines, one band each, under their column heads.
    ReportBand &heads = page.addBand(ReportBand::Kind::Data, QStringLiteral("Colonne"), 7);
    heads.objects << ReportObject::rectangle({0, 0, kWidth, 6}, kHeader, kHeader);
    heads.objects << cell({1, 0, 97, 6}, QStringLiteral("Descrizione"), Qt::AlignLeft, true)
                  << cell({98, 0, 16, 6}, QStringLiteral("Quantità"), Qt::AlignRight, true)
                  << cell({114, 0, 28, 6}, QStringLiteral("Prezzo unit."), Qt::AlignRight, true)
                  << cell({142, 0, 14, 6}, QStringLiteral("IVA %"), Qt::AlignRight, true)
                  << cell({156, 0, 33, 6}, QStringLiteral("Importo"), Qt::AlignRight, true);
    for (int i = 0; i < d.righe.size() && i < t.righe.size(); ++i) {
        const Riga &r = d.righe.at(i);
        const ImportiRiga &a = t.righe.at(i);
        // About 55 characters a line in the description column.
        const int lines = qMax(1, int((r.Descrizione.size() + 54) / 55));
        ReportBand &band = page.addBand(ReportBand::Kind::Data, QStringLiteral("Riga%1").arg(i + 1), 2 + lines * 4.2);
        band.canSplit = false;
        band.objects << ReportObject::textObject(QStringLiteral("txtDescrizione%1").arg(i + 1), {1, 1, 96, lines * 4.2},
                                                 r.Descrizione)
                            .font(kArial, 9)
                            .align(Qt::AlignLeft | Qt::AlignTop)
                            .wrap();
        const QString rate = a.natura.isEmpty() ? QString::number(a.aliquota) : a.natura;
        band.objects << cell({98, 1, 16, 4.2}, Amounts::quantityText(r.quantita), Qt::AlignRight)
                     << cell({114, 1, 28, 4.2}, unitPrice(a.prezzoUnitario), Qt::AlignRight)
                     << cell({142, 1, 14, 4.2}, rate, Qt::AlignRight)
                     << cell({156, 1, 33, 4.2}, Amounts::centsGrouped(a.prezzoTotale), Qt::AlignRight);
        band.objects << ReportObject::horizontalLine(0, 1.6 + lines * 4.2, kWidth, QColor(0xC0, 0xC0, 0xC0));
    }

    // The VAT summary, the total and the payment.
    const int summaries = int(t.riepiloghi.size());
    ReportBand &summary = page.addBand(ReportBand::Kind::Data, QStringLiteral("Riepilogo"), 30 + summaries * 5);
    summary.objects << ReportObject::rectangle({80, 3, 110, 6}, kHeader, kHeader);
    summary.objects << cell({81, 3, 40, 6}, QStringLiteral("Aliquota / natura"), Qt::AlignLeft, true)
                    << cell({121, 3, 34, 6}, QStringLiteral("Imponibile"), Qt::AlignRight, true)
                    << cell({155, 3, 34, 6}, QStringLiteral("Imposta"), Qt::AlignRight, true);
    double y = 9;
    for (const Riepilogo &s : t.riepiloghi) {
        const QString what = s.natura.isEmpty() ? QStringLiteral("IVA %1%").arg(s.aliquota)
                                                : QStringLiteral("%1 - operazione senza IVA").arg(s.natura);
        summary.objects << cell({81, y, 40, 5}, what, Qt::AlignLeft)
                        << cell({121, y, 34, 5}, Amounts::centsGrouped(s.imponibile), Qt::AlignRight)
                        << cell({155, y, 34, 5}, Amounts::centsGrouped(s.imposta), Qt::AlignRight);
        y += 5;
    }
    summary.objects << ReportObject::rectangle({80, y + 2, 110, 8}, QColor(0xF5, 0xF5, 0xDC), Qt::black);
    summary.objects << ReportObject::textObject(
                           QStringLiteral("txtTotale"), {82, y + 2, 106, 8},
                           QStringLiteral("TOTALE DOCUMENTO  \u20AC %1").arg(Amounts::centsGrouped(t.totale)))
                           .font(kArial, 12, true)
                           .align(Qt::AlignRight | Qt::AlignVCenter);
    QStringList notes{QStringLiteral("Pagamento: %1").arg(paymentName(d.ModalitaPagamento))};
    if (d.ModalitaPagamento == kBonifico && !c.IBAN.isEmpty())
        notes << QStringLiteral("IBAN %1").arg(c.IBAN);
    if (!t.riepiloghi.isEmpty() && !t.riepiloghi.first().natura.isEmpty())
        notes << forfettarioReference();
    if (t.bollo)
        notes << QStringLiteral("Imposta di bollo assolta in modo virtuale (\u20AC 2,00).");
    summary.objects << ReportObject::textObject(QStringLiteral("txtPagamento"), {0, 3, 78, y + 4}, notes.join('\n'))
                           .font(kArial, 9)
                           .align(Qt::AlignLeft | Qt::AlignTop)
                           .wrap();

    ReportBand &footer = page.addBand(ReportBand::Kind::Footer, QStringLiteral("Nota"), 10);
    footer.objects << ReportObject::textObject(QStringLiteral("txtNota"), {0, 2, kWidth, 6}, courtesyNote())
                          .font(kArial, 9, true, true)
                          .align(Qt::AlignCenter);
    return report;
}

}  // namespace InvoiceReport
