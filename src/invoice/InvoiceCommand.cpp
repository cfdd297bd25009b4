#include "invoice/InvoiceCommand.h"

#include "archive/ClienteRecord.h"
#include "archive/RecordArchive.h"
#include "archive/SchedaRecord.h"
#include "common/Formats.h"
#include "invoice/InvoiceFromSheet.h"
#include "invoice/InvoiceRegister.h"
#include "invoice/WorkshopSettings.h"

#include <QDir>
#include <QRegularExpression>
#include <QTextStream>

namespace InvoiceCommand {

QString usage()
{
    return QStringLiteral(
        "  cablora fattura POSIZIONE_SCHEDA --cliente POSIZIONE_CLIENTE [--data gg/mm/aaaa] [--numero N]\n"
        "          [--aliquota 22|10|5|4] [--iva-esclusa] [--pagamento MP01|MP05|MP08]\n");
}

namespace {

int wrong(QTextStream &err, const QString &message)
{
    err << message << '\n'
        << QStringLiteral("Uso:\n") << usage()
        << QStringLiteral("Con --cartella DIR si lavora sui dati della cartella DIR invece di quella del programma.\n");
    return 2;
}

bool position(const QString &text, qint64 *value)
{
    static const QRegularExpression digits(QStringLiteral("^[0-9]{1,12}$"));
    if (!digits.match(text).hasMatch())
        return false;
    *value = text.toLongLong();
    return *value >= 1;
}

template<typename Record>
bool readRecord(const QString &folder, qint64 at, Record *record, const QString &what, QTextStream &err)
{
    RecordArchive archive;
    const QString path = QDir(folder).filePath(Record::fileName());
    if (!archive.OpenForReading(path, Record::kSize)) {
        err << archive.ErrorString() << '\n';
        return false;
    }
    const qint64 count = archive.Count();
    if (count < 0) {
        err << archive.ErrorString() << '\n';
        return false;
    }
    if (at > count) {
        err << QStringLiteral("%1 %2 non esiste: l'archivio %3 ne contiene %4.\n")
                   .arg(what)
                   .arg(at)
                   .arg(Record::fileName())
                   .arg(count);
        return false;
    }
    QByteArray bytes;
    if (!archive.ReadAt(at, bytes)) {
        err << archive.ErrorString() << '\n';
        return false;
    }
    *record = Record::fromBytes(bytes);
    return true;
}

}  // namespace

int run(const QStringList &arguments, const QString &defaultFolder, const QDate &today, QTextStream &out,
        QTextStream &err)
{
    QString folder = defaultFolder;
    QStringList positional;
    QString customerText, dateText, numberText, rateText, payment;
    bool vatExcluded = false;
    for (int i = 1; i < arguments.size(); ++i) {
        const QString &a = arguments.at(i);
        QString *target = nullptr;
        if (a == QLatin1String("--cartella"))
            target = &folder;
        else if (a == QLatin1String("--cliente"))
            target = &customerText;
        else if (a == QLatin1String("--data"))
            target = &dateText;
        else if (a == QLatin1String("--numero"))
            target = &numberText;
        else if (a == QLatin1String("--aliquota"))
            target = &rateText;
        else if (a == QLatin1String("--pagamento"))
            target = &payment;
        else if (a == QLatin1String("--iva-esclusa")) {
            vatExcluded = true;
            continue;
        } else if (a.startsWith(QLatin1String("--")))
            return wrong(err, QStringLiteral("Opzione sconosciuta: %1.").arg(a));
        else {
            positional << a;
            continue;
        }
        if (i + 1 >= arguments.size())
            return wrong(err, QStringLiteral("Manca il valore dopo %1.").arg(a));
        *target = arguments.at(++i);
    }
    qint64 sheetAt = 0, customerAt = 0, number = 0;
    if (positional.size() != 1 || !position(positional.first(), &sheetAt))
        return wrong(err, QStringLiteral("fattura vuole la posizione della scheda in archivio (1, 2, ...)."));
    if (customerText.isEmpty())
        return wrong(err, QStringLiteral("Indicare il cliente con --cliente POSIZIONE_CLIENTE."));
    if (!position(customerText, &customerAt))
        return wrong(err, QStringLiteral("--cliente vuole la posizione del cliente in archivio (1, 2, ...)."));
    QDate date = today;
    if (!dateText.isEmpty()) {
        date = Formats::parseDate(dateText);
        if (!date.isValid())
            return wrong(err, QStringLiteral("La data %1 non è nella forma gg/mm/aaaa.").arg(dateText));
    }
    if (!numberText.isEmpty() && !position(numberText, &number))
        return wrong(err, QStringLiteral("--numero vuole un numero intero maggiore di zero."));
    int rate = 22;
    if (!rateText.isEmpty()) {
        rate = rateText.toInt();
        if (!Invoice::vatRates().contains(rate) || QString::number(rate) != rateText)
            return wrong(err, QStringLiteral("--aliquota vuole 22, 10, 5 o 4."));
    }
    if (!payment.isEmpty() && !Invoice::paymentCodes().contains(payment))
        return wrong(err, QStringLiteral("--pagamento vuole MP01 (contanti), MP05 (bonifico) o MP08 (carta)."));

    bool settingsRead = true;
    const Invoice::Cedente cedente = WorkshopSettings::read(folder, &settingsRead);
    if (!settingsRead) {
        err << QStringLiteral("Impossibile leggere %1.\n").arg(WorkshopSettings::iniFile());
        return 1;
    }
    SchedaRecord sheet;
    ClienteRecord customer;
    if (!readRecord(folder, sheetAt, &sheet, QStringLiteral("La scheda"), err)
        || !readRecord(folder, customerAt, &customer, QStringLiteral("Il cliente"), err)) {
        err.flush();
        return 1;
    }
    Invoice::Documento d =
        InvoiceFromSheet::documentOf(sheet, cedente, InvoiceFromSheet::customerOf(customer), date, rate, !vatExcluded);
    if (!payment.isEmpty())
        d.ModalitaPagamento = payment;
    d.Numero = number;
    const InvoiceRegister::IssueResult result = InvoiceRegister::issue(folder, d, number > 0, today);
    if (!result.ok) {
        for (const QString &problem : result.problems)
            err << problem << '\n';
        err << QStringLiteral("Nessuna fattura è stata scritta.\n");
        err.flush();
        return 1;
    }
    out << QDir::toNativeSeparators(result.path) << '\n';
    out.flush();
    return 0;
}

}  // namespace InvoiceCommand
