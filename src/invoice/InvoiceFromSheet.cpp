#include "invoice/InvoiceFromSheet.h"

#include "archive/RecordReader.h"
#include "common/TextRules.h"
#include "invoice/Amounts.h"

#include <QRegularExpression>

namespace InvoiceFromSheet {

using namespace Invoice;

namespace {

QString code(const QString &text)
{
    QString c = TextRules::upperAZ(TextRules::trim(text));
    c.remove(QLatin1Char(' '));
    return c;
}

QString simplified(const QString &text)
{
    return TextRules::upperAZ(text.simplified());
}

}  // namespace

Cessionario customerOf(const ClienteRecord &c)
{
    Cessionario b;
    b.Denominazione = TextRules::trim(c.Ditta);
    if (b.Denominazione.isEmpty()) {
        b.Nome = TextRules::trim(c.Nome);
        b.Cognome = TextRules::trim(c.Cognome);
    }
    b.PartitaIva = code(c.PartitaIva);
    if (b.PartitaIva.startsWith(QLatin1String("IT")) && b.PartitaIva.size() == 13)
        b.PartitaIva = b.PartitaIva.mid(2);
    b.CodiceFiscale = code(c.CodFisc);
    b.sede.Indirizzo = TextRules::trim(c.IndirizzoRes);
    b.sede.CAP = TextRules::trim(c.CapRes);
    b.sede.Comune = TextRules::trim(c.ComuneRes);
    b.sede.Provincia = code(c.ProvRes);
    b.CodiceDestinatario = code(c.CodiceDest);
    b.PEC = TextRules::trim(c.Pec);
    return b;
}

QString plainPunctuation(const QString &text)
{
    QString t = text;
    t.replace(QChar(0x2019), QLatin1Char('\'')).replace(QChar(0x2018), QLatin1Char('\''));
    t.replace(QChar(0x201C), QLatin1Char('"')).replace(QChar(0x201D), QLatin1Char('"'));
    t.replace(QChar(0x2013), QLatin1Char('-')).replace(QChar(0x2014), QLatin1Char('-'));
    t.replace(QChar(0x2026), QStringLiteral("..."));
    t.replace(QChar(0x20AC), QStringLiteral("EUR"));
    return t;
}

QString lineDescription(const SchedaRecord &s)
{
    QString text = QStringLiteral("Scheda n. %1 del %2").arg(TextRules::trim(s.NumScheda), TextRules::trim(s.Data));
    const QString vehicle = TextRules::trim(s.Marca);
    const QString plate = TextRules::trim(s.Targa);
    if (!vehicle.isEmpty() || !plate.isEmpty()) {
        text += QStringLiteral(" -");
        if (!vehicle.isEmpty())
            text += QLatin1Char(' ') + vehicle;
        if (!plate.isEmpty())
            text += QStringLiteral(" targa ") + plate;
    }
    QStringList work;
    for (const QString &line :
         s.Interventi.split(QRegularExpression(QStringLiteral("[\\r\\n]+")), Qt::SkipEmptyParts)) {
        const QString trimmed = line.simplified();
        if (!trimmed.isEmpty())
            work << trimmed;
    }
    if (!work.isEmpty())
        text += QStringLiteral(": ") + work.join(QStringLiteral("; "));
    text = plainPunctuation(text);
    // Control characters other than line breaks have no place in the file either.
    for (QChar &c : text) {
        if (c.unicode() < 0x20)
            c = QLatin1Char(' ');
    }
    return text.left(1000);
}

bool sheetTotal(const SchedaRecord &sheet, qint64 *cents)
{
    const QString total = TextRules::trim(sheet.Totale);
    return Amounts::parseCents(total.isEmpty() ? QStringLiteral("0") : total, cents);
}

Documento documentOf(const SchedaRecord &sheet, const Cedente &cedente, const Cessionario &customer, const QDate &date,
                     int rate, bool vatIncluded)
{
    Documento d;
    d.Data = date;
    d.cedente = cedente;
    d.cessionario = customer;
    d.prezziIvaInclusa = vatIncluded;
    d.ModalitaPagamento = paymentCodes().contains(cedente.ModalitaPagamento) ? cedente.ModalitaPagamento : kContanti;
    d.pagato = TextRules::trim(sheet.Pagato) == QStringLiteral("Sì");
    d.scheda = TextRules::trim(sheet.NumScheda);
    Riga r;
    r.Descrizione = lineDescription(sheet);
    r.quantita = 100;
    qint64 total = 0;
    sheetTotal(sheet, &total);
    r.prezzo = total;
    r.aliquota = rate;
    d.righe << r;
    return d;
}

bool findCustomers(const QString &archivePath, const QString &name, QList<qint64> *positions, QString *error)
{
    positions->clear();
    const QString wanted = simplified(name);
    if (wanted.isEmpty())
        return true;
    const RecordFormat &format = ClienteRecord::format();
    RecordReader archive;
    if (!archive.open(archivePath, format.size())) {
        *error = QStringLiteral("impossibile aprire l'archivio dei clienti (%1)").arg(archive.errorString());
        return false;
    }
    for (const int field : {ClienteRecord::fCognome, ClienteRecord::fNome, ClienteRecord::fDitta})
        archive.need(format, field);
    while (const char *stored = archive.next()) {
        const QByteArray bytes = QByteArray::fromRawData(stored, format.size());
        const QString surname = format.get(bytes, ClienteRecord::fCognome);
        const QString name = format.get(bytes, ClienteRecord::fNome);
        const QString surnameFirst = simplified(surname + QLatin1Char(' ') + name);
        const QString nameFirst = simplified(name + QLatin1Char(' ') + surname);
        const QString company = simplified(format.get(bytes, ClienteRecord::fDitta));
        if (wanted == surnameFirst || wanted == nameFirst || (!company.isEmpty() && wanted == company))
            positions->append(archive.position());
    }
    if (archive.failed()) {
        *error =
            QStringLiteral("impossibile leggere per intero l'archivio dei clienti (%1)").arg(archive.errorString());
        return false;
    }
    return true;
}

}  // namespace InvoiceFromSheet
