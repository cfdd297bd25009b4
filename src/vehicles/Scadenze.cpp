#include "vehicles/Scadenze.h"

#include "archive/AutomezzoRecord.h"
#include "archive/RecordReader.h"
#include "common/CodePage.h"
#include "common/Formats.h"
#include "common/IniFile.h"
#include "common/TextRules.h"

#include <QDir>

#include <algorithm>

namespace Scadenze {

namespace {

int fieldOf(Kind kind)
{
    switch (kind) {
    case Kind::Revisione: return AutomezzoRecord::fScadRevisione;
    case Kind::Tagliando: return AutomezzoRecord::fScadTagliando;
    case Kind::Assicurazione: return AutomezzoRecord::fScadAssicurazione;
    case Kind::Bollo: return AutomezzoRecord::fScadBollo;
    }
    return AutomezzoRecord::fScadRevisione;
}

QString days(qint64 n)
{
    return n == 1 ? QStringLiteral("1 giorno") : QStringLiteral("%1 giorni").arg(n);
}

QString text(const RecordFormat &format, const char *record, int field)
{
    const RecordFormat::Bytes bytes = format.trimmed(record, field);
    return CodePage::toUnicode(bytes.data, bytes.size);
}

struct Entry
{
    bool invalid;
    QDate date;
    qint64 position;
    int kind;
    QString line;
};

}  // namespace

QString kindName(Kind kind)
{
    switch (kind) {
    case Kind::Revisione: return QStringLiteral("Revisione");
    case Kind::Tagliando: return QStringLiteral("Tagliando");
    case Kind::Assicurazione: return QStringLiteral("Assicurazione");
    case Kind::Bollo: return QStringLiteral("Bollo");
    }
    return QString();
}

namespace {

Status statusOf(const QDate &date, bool empty, const QDate &today, int warningDays)
{
    Status status;
    if (empty)
        return status;
    status.date = date;
    if (!date.isValid()) {
        status.state = State::Invalid;
        return status;
    }
    status.daysLeft = today.daysTo(date);
    if (status.daysLeft < 0)
        status.state = State::Overdue;
    else if (status.daysLeft <= warningDays)
        status.state = State::Due;
    else
        status.state = State::Fine;
    return status;
}

}  // namespace

Status evaluate(const QString &stored, const QDate &today, int warningDays)
{
    const QString trimmed = TextRules::trim(stored);
    return statusOf(Formats::parseDate(trimmed), trimmed.isEmpty(), today, warningDays);
}

QString hint(const Status &status)
{
    switch (status.state) {
    case State::Empty: return QString();
    case State::Invalid: return QStringLiteral("Data non valida");
    case State::Overdue: return QStringLiteral("Scaduta da ") + days(-status.daysLeft);
    case State::Due:
    case State::Fine:
        return status.daysLeft == 0 ? QStringLiteral("Scade oggi")
                                    : QStringLiteral("Scade tra ") + days(status.daysLeft);
    }
    return QString();
}

int warningDays(const QString &programFolder)
{
    const QString stored = IniFile::value(QDir(programFolder).filePath(QStringLiteral("Cablora.ini")),
                                          QStringLiteral("Scadenze"), QStringLiteral("Preavviso"));
    bool ok = false;
    const int value = stored.trimmed().toInt(&ok);
    return ok && value >= 0 && value <= 3650 ? value : kDefaultWarningDays;
}

QString daysLegend()
{
    return QStringLiteral("Giorni: quanti ne mancano alla scadenza; un numero negativo dice da quanti giorni è "
                          "scaduta (-179: scaduta da 179 giorni).");
}

QString heading()
{
    return ListLines::column(QStringLiteral("Scadenza"), 17) + QStringLiteral("  ")
           + ListLines::column(QStringLiteral("Giorni"), 6) + QStringLiteral("  ")
           + ListLines::column(QStringLiteral("Tipo"), 13) + QStringLiteral("  ")
           + ListLines::column(QStringLiteral("Targa"), 12) + QStringLiteral("  ")
           + ListLines::column(QStringLiteral("Marca e modello"), 30) + QStringLiteral("  ")
           + ListLines::column(QStringLiteral("Proprietario"), 25) + QStringLiteral("  ") + QStringLiteral("Telefono");
}

bool list(const QString &archivePath, const Filter &filter, ListedRecords &found)
{
    const RecordFormat &format = AutomezzoRecord::format();
    RecordReader archive;
    if (!archive.open(archivePath, format.size()))
        return false;
    for (const Kind kind : kKinds)
        archive.need(format, fieldOf(kind));
    for (const int field : {AutomezzoRecord::fMarca, AutomezzoRecord::fModello, AutomezzoRecord::fTarga,
                            AutomezzoRecord::fProprietario, AutomezzoRecord::fTelProprietario})
        archive.need(format, field);
    QList<Entry> entries;
    while (const char *record = archive.next()) {
        for (const Kind kind : kKinds) {
            if (filter.kind && *filter.kind != kind)
                continue;
            const RecordFormat::Bytes stored = format.trimmed(record, fieldOf(kind));
            const Status status = statusOf(Formats::parseDate(QLatin1String(stored.data, stored.size)),
                                           stored.size == 0, filter.today, filter.periodDays);
            const bool invalid = status.state == State::Invalid;
            if (status.state != State::Overdue && status.state != State::Due && !invalid)
                continue;
            const QString when =
                invalid ? QStringLiteral("data non valida") : status.date.toString(QStringLiteral("dd/MM/yyyy"));
            const QString left = invalid ? QString() : QString::number(status.daysLeft);
            const QString makeModel = TextRules::trim(text(format, record, AutomezzoRecord::fMarca) + QLatin1Char(' ')
                                                      + text(format, record, AutomezzoRecord::fModello));
            const QString line = ListLines::column(when, 17) + QStringLiteral("  ")
                                 + ListLines::column(left.rightJustified(6), 6) + QStringLiteral("  ")
                                 + ListLines::column(kindName(kind), 13) + QStringLiteral("  ")
                                 + ListLines::column(text(format, record, AutomezzoRecord::fTarga), 12)
                                 + QStringLiteral("  ") + ListLines::column(makeModel, 30) + QStringLiteral("  ")
                                 + ListLines::column(text(format, record, AutomezzoRecord::fProprietario), 25)
                                 + QStringLiteral("  ") + text(format, record, AutomezzoRecord::fTelProprietario);
            entries.append({invalid, status.date, archive.position(), int(kind), line});
        }
    }
    const bool ok = !archive.failed();
    archive.close();
    std::stable_sort(entries.begin(), entries.end(), [](const Entry &a, const Entry &b) {
        if (a.invalid != b.invalid)
            return a.invalid;
        return a.date < b.date;
    });
    for (const Entry &entry : entries)
        found.add(entry.line, entry.position);
    return ok;
}

}  // namespace Scadenze
