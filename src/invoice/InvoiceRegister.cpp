#include "invoice/InvoiceRegister.h"

#include "archive/RecordArchive.h"
#include "archive/RecordReader.h"
#include "common/Formats.h"
#include "common/SafeFile.h"
#include "invoice/Amounts.h"
#include "invoice/FatturaRecord.h"
#include "invoice/InvoiceSchema.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QSet>

#include <archive.h>
#include <archive_entry.h>

#include <algorithm>
#include <memory>

namespace InvoiceRegister {

using namespace Invoice;
using InvoiceNumbering::Issued;

QString folderName()
{
    return QStringLiteral("Fatture_Elettroniche");
}

QString folderPath(const QString &programFolder)
{
    return QDir(programFolder).filePath(folderName());
}

QString registerPath(const QString &programFolder)
{
    return QDir(programFolder).filePath(FatturaRecord::fileName());
}

namespace {

const QString kYes = QStringLiteral("Sì");
const QString kNo = QStringLiteral("No");

QString dateText(const QDate &date)
{
    return date.toString(QStringLiteral("dd/MM/yyyy"));
}

QDate dateFromText(const QString &text)
{
    return Formats::parseDate(text);
}

// The register's lines, from the first to the last, for a list or a proposed number: no lock is
// needed, a line is appended whole.
bool scanRecords(const QString &programFolder, QList<FatturaRecord> *records, QString *error)
{
    RecordReader reader;
    if (!reader.open(registerPath(programFolder), FatturaRecord::kSize)) {
        *error = QStringLiteral("impossibile aprire il registro delle fatture (%1)").arg(reader.errorString());
        return false;
    }
    reader.needWhole();
    while (const char *record = reader.next())
        records->append(FatturaRecord::fromBytes(QByteArray::fromRawData(record, FatturaRecord::kSize)));
    if (reader.failed()) {
        *error =
            QStringLiteral("impossibile leggere per intero il registro delle fatture (%1)").arg(reader.errorString());
        return false;
    }
    return true;
}

// The register's lines, from an archive held under its write lock.
bool readRecords(RecordArchive &archive, qint64 count, QList<FatturaRecord> *records, QString *error)
{
    QByteArray bytes;
    for (qint64 p = 1; p <= count; ++p) {
        if (!archive.ReadAt(p, bytes)) {
            *error = archive.ErrorString();
            return false;
        }
        records->append(FatturaRecord::fromBytes(bytes));
    }
    return true;
}

// The XML files of the folder that carry a number, by name.
QStringList invoiceFiles(const QString &programFolder)
{
    QStringList files;
    const QDir dir(folderPath(programFolder));
    for (const QString &name : dir.entryList({QStringLiteral("*.xml"), QStringLiteral("*.XML")}, QDir::Files)) {
        int year = 0;
        qint64 number = 0;
        if (InvoiceNumbering::parseFileName(name, &year, &number))
            files << name;
    }
    return files;
}

// The numbering's view of the register lines and the folder's files.
QList<Issued> issuedFrom(const QString &programFolder, const QList<FatturaRecord> &records)
{
    QList<Issued> out;
    QSet<QString> named;
    for (const FatturaRecord &r : records) {
        Issued i;
        i.fileName = r.File;
        i.date = dateFromText(r.Data);
        i.year = r.Anno.toInt();
        i.number = r.Numero.toLongLong();
        if (i.year == 0) {
            int fileYear = 0;
            qint64 fileNumber = 0;
            if (InvoiceNumbering::parseFileName(r.File, &fileYear, &fileNumber)) {
                i.year = fileYear;
                i.number = fileNumber;
            }
        }
        named.insert(r.File.toUpper());
        out << i;
    }
    for (const QString &name : invoiceFiles(programFolder)) {
        if (named.contains(name.toUpper()))
            continue;
        Issued i;
        i.fileName = name;
        InvoiceNumbering::parseFileName(name, &i.year, &i.number);
        // The date of a file that the register does not know comes from the file itself.
        InvoiceXml::Contents contents;
        QString ignored;
        if (readInvoice(programFolder, name, &contents, &ignored))
            i.date = contents.documento.Data;
        out << i;
    }
    return out;
}

FatturaRecord recordOf(const Documento &d, const Totali &t, const QString &fileName)
{
    FatturaRecord r;
    r.File = fileName;
    r.Anno = QString::number(d.Data.year());
    r.Numero = QString::number(d.Numero);
    r.Data = dateText(d.Data);
    r.Tipo = d.TipoDocumento;
    r.Cliente = d.cessionario.displayName().left(80);
    r.Imponibile = Amounts::centsText(t.imponibile);
    r.Imposta = Amounts::centsText(t.imposta);
    r.Totale = Amounts::centsText(t.totale);
    r.Pagato = d.pagato ? kYes : kNo;
    r.Scheda = d.scheda.left(50);
    return r;
}

}  // namespace

bool readInvoice(const QString &programFolder, const QString &fileName, InvoiceXml::Contents *contents, QString *error)
{
    QFile file(QDir(folderPath(programFolder)).filePath(fileName));
    if (!file.open(QIODevice::ReadOnly)) {
        *error = QStringLiteral("Impossibile leggere il file %1: %2").arg(fileName, file.errorString());
        return false;
    }
    return InvoiceXml::read(file.readAll(), contents, error);
}

bool issued(const QString &programFolder, QList<Issued> *out, QString *error)
{
    QList<FatturaRecord> records;
    if (!scanRecords(programFolder, &records, error))
        return false;
    *out = issuedFrom(programFolder, records);
    return true;
}

qint64 proposedNumber(const QString &programFolder, int year)
{
    QList<Issued> all;
    QString error;
    return issued(programFolder, &all, &error) ? InvoiceNumbering::nextNumber(all, year) : 0;
}

IssueResult issue(const QString &programFolder, Documento d, bool numberChosen, const QDate &today)
{
    IssueResult result;
    // The number is decided under the lock; a proposed one only needs to be in range here.
    const qint64 proposed = d.Numero;
    if (!numberChosen && d.Numero < 1)
        d.Numero = 1;
    result.problems = problems(d, today);
    if (!result.problems.isEmpty())
        return result;
    QString unavailable;
    if (!InvoiceSchema::isAvailable(&unavailable)) {
        result.problems << unavailable;
        return result;
    }
    const QString folder = folderPath(programFolder);
    if (!QDir().mkpath(folder)) {
        result.problems << QStringLiteral("Impossibile creare la cartella %1.").arg(QDir::toNativeSeparators(folder));
        return result;
    }
    RecordArchive archive;
    if (!archive.OpenOrCreate(registerPath(programFolder), FatturaRecord::kSize)) {
        result.problems << archive.ErrorString();
        return result;
    }
    QString written;  // the file written under the lock, removed again when the line is not stored
    const qint64 position = archive.Append([&](qint64 count) -> QByteArray {
        QList<FatturaRecord> records;
        QString error;
        if (!readRecords(archive, count, &records, &error)) {
            result.problems << error;
            return {};
        }
        const QList<Issued> all = issuedFrom(programFolder, records);
        const int year = d.Data.year();
        if (!numberChosen) {
            d.Numero = InvoiceNumbering::nextNumber(all, year);
            if (proposed > 0 && proposed != d.Numero)
                result.note = QStringLiteral("Il numero %1 è stato appena usato da un'altra postazione: la fattura "
                                             "prende il numero %2.")
                                  .arg(proposed)
                                  .arg(d.Numero);
        }
        if (d.Numero > InvoiceNumbering::kLargestNumber) {
            result.problems << QStringLiteral("Il numero della fattura deve essere tra 1 e %1.")
                                   .arg(InvoiceNumbering::kLargestNumber);
            return {};
        }
        const QString numbering = InvoiceNumbering::numberProblem(all, d.Numero, d.Data);
        if (!numbering.isEmpty()) {
            result.problems << numbering;
            return {};
        }
        const Totali totals = compute(d);
        const QString progressive = InvoiceNumbering::progressive(year, d.Numero);
        const QByteArray xml = InvoiceXml::write(d, totals, progressive);
        const QStringList invalid = InvoiceSchema::problems(xml);
        if (!invalid.isEmpty()) {
            result.problems << invalid;
            return {};
        }
        const QString name = InvoiceNumbering::fileName(d.cedente.PartitaIva, year, d.Numero);
        const QString path = QDir(folder).filePath(name);
        if (QFileInfo::exists(path)) {
            result.problems << QStringLiteral("Il file %1 esiste già: la fattura n. %2 del %3 risulta già emessa.")
                                   .arg(name)
                                   .arg(d.Numero)
                                   .arg(year);
            return {};
        }
        if (!SafeFile::replace(path, xml)) {
            result.problems << QStringLiteral("Impossibile scrivere il file %1: accertarsi di possedere i privilegi "
                                              "di scrittura nella cartella %2.")
                                   .arg(name, QDir::toNativeSeparators(folder));
            return {};
        }
        written = path;
        result.path = path;
        result.xml = xml;
        return recordOf(d, totals, name).toBytes();
    });
    if (position < 1) {
        if (!written.isEmpty())
            QFile::remove(written);
        if (result.problems.isEmpty())
            result.problems << archive.ErrorString();
        result.path.clear();
        result.xml.clear();
        result.note.clear();
        return result;
    }
    result.ok = true;
    result.number = d.Numero;
    result.position = position;
    return result;
}

bool list(const QString &programFolder, int year, QList<Entry> *out, QString *error)
{
    out->clear();
    QList<FatturaRecord> records;
    const bool ok = scanRecords(programFolder, &records, error);
    QHash<QString, qint64> positionOf;
    for (qint64 p = 0; p < records.size(); ++p)
        positionOf.insert(records.at(p).File.toUpper(), p + 1);
    QSet<QString> listed;
    for (const QString &name : invoiceFiles(programFolder)) {
        int fileYear = 0;
        qint64 number = 0;
        InvoiceNumbering::parseFileName(name, &fileYear, &number);
        InvoiceXml::Contents contents;
        QString unreadable;
        const bool read = readInvoice(programFolder, name, &contents, &unreadable);
        const int entryYear = read && contents.documento.Data.isValid() ? contents.documento.Data.year() : fileYear;
        if (entryYear != year)
            continue;
        Entry e;
        e.fileName = name;
        e.year = entryYear;
        e.number = read && contents.documento.Numero > 0 ? contents.documento.Numero : number;
        if (read) {
            const Documento &d = contents.documento;
            e.date = d.Data;
            e.tipo = d.TipoDocumento;
            e.cliente = d.cessionario.displayName();
            e.clientePartitaIva = d.cessionario.PartitaIva;
            e.clienteCodiceFiscale = d.cessionario.CodiceFiscale;
            e.imponibile = contents.totali.imponibile;
            e.imposta = contents.totali.imposta;
            e.totale = contents.totali.totale;
        } else {
            e.cliente = QStringLiteral("(file illeggibile)");
        }
        e.position = positionOf.value(name.toUpper(), 0);
        if (e.position > 0) {
            const FatturaRecord &r = records.at(e.position - 1);
            e.pagato = r.Pagato == kYes;
            e.scheda = r.Scheda;
        }
        listed.insert(name.toUpper());
        *out << e;
    }
    // Lines whose file is missing from the folder are listed from the register, marked.
    for (qint64 p = 0; p < records.size(); ++p) {
        const FatturaRecord &r = records.at(p);
        if (r.Anno.toInt() != year || listed.contains(r.File.toUpper()))
            continue;
        Entry e;
        e.fileName = r.File;
        e.year = year;
        e.number = r.Numero.toLongLong();
        e.date = dateFromText(r.Data);
        e.tipo = r.Tipo;
        e.cliente = r.Cliente;
        Amounts::parseCents(r.Imponibile, &e.imponibile);
        Amounts::parseCents(r.Imposta, &e.imposta);
        Amounts::parseCents(r.Totale, &e.totale);
        e.pagato = r.Pagato == kYes;
        e.scheda = r.Scheda;
        e.position = p + 1;
        e.fileFound = false;
        *out << e;
    }
    std::sort(out->begin(), out->end(), [](const Entry &a, const Entry &b) { return a.number < b.number; });
    return ok;
}

QList<int> years(const QString &programFolder, int currentYear)
{
    QSet<int> found{currentYear};
    QList<Issued> all;
    QString error;
    if (issued(programFolder, &all, &error)) {
        for (const Issued &i : all) {
            if (i.year > 0)
                found.insert(i.date.isValid() ? i.date.year() : i.year);
        }
    }
    QList<int> sorted(found.begin(), found.end());
    std::sort(sorted.begin(), sorted.end(), std::greater<int>());
    return sorted;
}

bool setPaid(const QString &programFolder, const Entry &entry, bool paid, QString *error)
{
    RecordArchive archive;
    if (!archive.OpenOrCreate(registerPath(programFolder), FatturaRecord::kSize)) {
        *error = archive.ErrorString();
        return false;
    }
    QByteArray bytes;
    if (entry.position > 0) {
        if (!archive.ReadAt(entry.position, bytes)) {
            *error = archive.ErrorString();
            return false;
        }
        FatturaRecord r = FatturaRecord::fromBytes(bytes);
        if (r.File.compare(entry.fileName, Qt::CaseInsensitive) != 0) {
            *error = QStringLiteral("Il registro delle fatture è cambiato: riaprire l'elenco.");
            return false;
        }
        r.Pagato = paid ? kYes : kNo;
        if (!archive.WriteAt(entry.position, r.toBytes())) {
            *error = archive.ErrorString();
            return false;
        }
        return true;
    }
    FatturaRecord r;
    r.File = entry.fileName;
    r.Anno = QString::number(entry.year);
    r.Numero = QString::number(entry.number);
    r.Data = dateText(entry.date);
    r.Tipo = entry.tipo;
    r.Cliente = entry.cliente.left(80);
    r.Imponibile = Amounts::centsText(entry.imponibile);
    r.Imposta = Amounts::centsText(entry.imposta);
    r.Totale = Amounts::centsText(entry.totale);
    r.Pagato = paid ? kYes : kNo;
    if (archive.Append(r.toBytes()) < 1) {
        *error = archive.ErrorString();
        return false;
    }
    return true;
}

namespace {

QString csvCell(const QString &text)
{
    if (!text.contains(QLatin1Char(';')) && !text.contains(QLatin1Char('"')) && !text.contains(QLatin1Char('\n'))
        && !text.contains(QLatin1Char('\r')))
        return text;
    QString quoted = text;
    quoted.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

QString tipoText(const QString &tipo)
{
    return tipo == kNotaDiCredito ? QStringLiteral("Nota di credito") : QStringLiteral("Fattura");
}

}  // namespace

QByteArray csv(const QList<Entry> &entries)
{
    QStringList lines{QStringLiteral("Numero;Data;Tipo;Cliente;Partita IVA;Codice fiscale;Imponibile;IVA;Totale;"
                                     "Pagata;Scheda;File")};
    for (const Entry &e : entries) {
        const QStringList cells{QString::number(e.number),
                                dateText(e.date),
                                tipoText(e.tipo),
                                e.cliente,
                                e.clientePartitaIva,
                                e.clienteCodiceFiscale,
                                Amounts::centsText(e.imponibile),
                                Amounts::centsText(e.imposta),
                                Amounts::centsText(e.totale),
                                e.pagato ? kYes : kNo,
                                e.scheda,
                                e.fileName};
        QStringList quoted;
        for (const QString &cell : cells)
            quoted << csvCell(cell);
        lines << quoted.join(QLatin1Char(';'));
    }
    return QByteArray("\xEF\xBB\xBF") + (lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n")).toUtf8();
}

QStringList summaryLines(const QList<Entry> &entries)
{
    QStringList lines;
    qint64 taxable = 0, tax = 0, total = 0;
    for (const Entry &e : entries) {
        const qint64 sign = e.tipo == kNotaDiCredito ? -1 : 1;
        taxable += sign * e.imponibile;
        tax += sign * e.imposta;
        total += sign * e.totale;
        lines << QStringLiteral("%1  %2  %3  %4  Imp. %5  IVA %6  Tot. %7  %8")
                     .arg(QString::number(e.number).rightJustified(5), dateText(e.date),
                          (e.tipo == kNotaDiCredito ? QStringLiteral("NC") : QStringLiteral("FT")),
                          e.cliente.left(30).leftJustified(30), Amounts::centsGrouped(e.imponibile).rightJustified(12),
                          Amounts::centsGrouped(e.imposta).rightJustified(10),
                          Amounts::centsGrouped(e.totale).rightJustified(12),
                          e.pagato ? QStringLiteral("Pagata") : QStringLiteral("Da pagare"));
    }
    lines << QString()
          << QStringLiteral("%1 documenti.  Imponibile %2  IVA %3  Totale %4 (note di credito sottratte)")
                 .arg(entries.size())
                 .arg(Amounts::centsGrouped(taxable), Amounts::centsGrouped(tax), Amounts::centsGrouped(total));
    return lines;
}

QString zipName(int year, int month)
{
    return QStringLiteral("Fatture_%1-%2.zip").arg(year).arg(month, 2, 10, QLatin1Char('0'));
}

namespace {

struct ZipWriter
{
    void operator()(archive *a) const { archive_write_free(a); }
};
struct ZipEntry
{
    void operator()(archive_entry *e) const { archive_entry_free(e); }
};

}  // namespace

bool zipMonth(const QString &programFolder, int year, int month, const QString &destFolder, QString *path, int *count,
              QString *error)
{
    QList<Entry> entries;
    if (!list(programFolder, year, &entries, error))
        return false;
    QStringList names;
    for (const Entry &e : entries) {
        if (e.fileFound && e.date.month() == month)
            names << e.fileName;
    }
    if (names.isEmpty()) {
        *error =
            QStringLiteral("Nessuna fattura con data nel mese %1/%2.").arg(month, 2, 10, QLatin1Char('0')).arg(year);
        return false;
    }
    const QString final = QDir(destFolder).filePath(zipName(year, month));
    const QString temporary = final + QStringLiteral(".tmp");
    QFile::remove(temporary);
    std::unique_ptr<archive, ZipWriter> zip(archive_write_new());
    const auto failed = [&](const QString &why) {
        zip.reset();
        QFile::remove(temporary);
        *error = QStringLiteral("Impossibile scrivere %1: %2").arg(QDir::toNativeSeparators(final), why);
        return false;
    };
    if (archive_write_set_format_zip(zip.get()) != ARCHIVE_OK
        || archive_write_open_filename(zip.get(), QFile::encodeName(temporary).constData()) != ARCHIVE_OK)
        return failed(QString::fromLocal8Bit(archive_error_string(zip.get())));
    for (const QString &name : names) {
        QFile file(QDir(folderPath(programFolder)).filePath(name));
        if (!file.open(QIODevice::ReadOnly))
            return failed(file.errorString());
        const QByteArray bytes = file.readAll();
        std::unique_ptr<archive_entry, ZipEntry> entry(archive_entry_new());
        archive_entry_set_pathname_utf8(entry.get(), name.toUtf8().constData());
        archive_entry_set_filetype(entry.get(), AE_IFREG);
        archive_entry_set_perm(entry.get(), 0644);
        archive_entry_set_size(entry.get(), bytes.size());
        archive_entry_set_mtime(entry.get(), QFileInfo(file).lastModified().toSecsSinceEpoch(), 0);
        if (archive_write_header(zip.get(), entry.get()) != ARCHIVE_OK
            || archive_write_data(zip.get(), bytes.constData(), size_t(bytes.size())) != bytes.size())
            return failed(QString::fromLocal8Bit(archive_error_string(zip.get())));
    }
    if (archive_write_close(zip.get()) != ARCHIVE_OK)
        return failed(QString::fromLocal8Bit(archive_error_string(zip.get())));
    zip.reset();
    QFile::remove(final);
    if (!QFile::rename(temporary, final)) {
        QFile::remove(temporary);
        *error = QStringLiteral("Impossibile scrivere %1.").arg(QDir::toNativeSeparators(final));
        return false;
    }
    *path = final;
    *count = int(names.size());
    return true;
}

}  // namespace InvoiceRegister
