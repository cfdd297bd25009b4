#include "backup/OpenFormats.h"

#include "archive/AutomezzoRecord.h"
#include "archive/ClienteRecord.h"
#include "archive/RecordArchive.h"
#include "archive/SchedaRecord.h"
#include "common/CodePage.h"
#include "common/FaultInjection.h"

#include <QDir>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonParseError>
#include <QSaveFile>

namespace OpenFormats {

QString positionColumn()
{
    return QStringLiteral("Posizione");
}

const RecordFormat *formatForArchive(const QString &word)
{
    const QString w = word.toLower();
    if (w == QLatin1String("schede"))
        return &SchedaRecord::format();
    if (w == QLatin1String("clienti"))
        return &ClienteRecord::format();
    if (w == QLatin1String("automezzi"))
        return &AutomezzoRecord::format();
    return nullptr;
}

bool formatFromName(const QString &name, Format *format)
{
    const QString n = name.toLower();
    if (n == QLatin1String("csv"))
        *format = Format::Csv;
    else if (n == QLatin1String("json"))
        *format = Format::Json;
    else
        return false;
    return true;
}

bool formatFromFileName(const QString &fileName, Format *format)
{
    return formatFromName(QFileInfo(fileName).suffix(), format);
}

QString csvField(const QString &text)
{
    static const QString special = QStringLiteral(",\"\r\n");
    bool quote = false;
    for (QChar c : text) {
        if (special.contains(c)) {
            quote = true;
            break;
        }
    }
    if (!quote)
        return text;
    QString quoted = text;
    quoted.replace(QLatin1Char('"'), QLatin1String("\"\""));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

QString jsonString(const QString &text)
{
    QString out;
    out.reserve(text.size() + 2);
    out += QLatin1Char('"');
    for (QChar c : text) {
        switch (c.unicode()) {
        case '"': out += QLatin1String("\\\""); break;
        case '\\': out += QLatin1String("\\\\"); break;
        case '\n': out += QLatin1String("\\n"); break;
        case '\r': out += QLatin1String("\\r"); break;
        case '\t': out += QLatin1String("\\t"); break;
        default:
            if (c.unicode() < 0x20)
                out += QStringLiteral("\\u%1").arg(c.unicode(), 4, 16, QLatin1Char('0'));
            else
                out += c;
        }
    }
    out += QLatin1Char('"');
    return out;
}

namespace {

QByteArray csvLine(const QStringList &fields)
{
    // A row of one empty field is written as "", since an empty line reads as no row at all.
    if (fields.size() == 1 && fields.at(0).isEmpty())
        return QByteArrayLiteral("\"\"\r\n");
    QString line;
    for (int i = 0; i < fields.size(); ++i) {
        if (i > 0)
            line += QLatin1Char(',');
        line += csvField(fields.at(i));
    }
    line += QLatin1String("\r\n");
    return line.toUtf8();
}

// One JSON object of a row; the records are written one after another so that a big archive is
// streamed, not built in memory.
QByteArray jsonObject(const QStringList &header, const QStringList &row, bool first)
{
    QString out = first ? QStringLiteral("\n  {") : QStringLiteral(",\n  {");
    for (int i = 0; i < header.size(); ++i) {
        out += i == 0 ? QStringLiteral("\n    ") : QStringLiteral(",\n    ");
        out += jsonString(header.at(i)) + QLatin1String(": ");
        const QString value = row.value(i);
        bool isNumber = false;
        qlonglong number = 0;
        if (header.at(i) == positionColumn())
            number = value.toLongLong(&isNumber);
        // The number as JSON spells it ("05" and "+5" are not JSON numbers).
        out += isNumber ? QString::number(number) : jsonString(value);
    }
    out += QLatin1String("\n  }");
    return out.toUtf8();
}

QByteArray jsonEnd(bool empty)
{
    return empty ? QByteArray("[]\n") : QByteArray("\n]\n");
}

QStringList headerOf(const RecordFormat &record)
{
    QStringList header{positionColumn()};
    for (int i = 0; i < record.fieldCount(); ++i)
        header << QString::fromLatin1(record.field(i).name);
    return header;
}

}  // namespace

QByteArray write(Format format, const QStringList &header, const QVector<QStringList> &rows)
{
    QByteArray out;
    if (format == Format::Csv) {
        out += csvLine(header);
        for (const QStringList &row : rows)
            out += csvLine(row);
        return out;
    }
    if (rows.isEmpty())
        return jsonEnd(true);
    out += '[';
    for (int i = 0; i < rows.size(); ++i)
        out += jsonObject(header, rows.at(i), i == 0);
    out += jsonEnd(false);
    return out;
}

qint64 exportArchive(const QString &folder, const RecordFormat &record, Format format,
                     const QString &fileName, QString *error)
{
    RecordArchive archive;
    if (!archive.OpenForReading(QDir(folder).filePath(record.fileName()), record.size())) {
        *error = QStringLiteral("Impossibile leggere l'archivio %1: %2")
                     .arg(record.fileName(), archive.ErrorString());
        return -1;
    }
    QSaveFile out(fileName);
    using FaultInjection::Step;
    const auto writeFailed = [&] {
        *error = QStringLiteral("Impossibile scrivere il file %1: %2")
                     .arg(fileName, out.errorString().isEmpty() ? QStringLiteral("errore di scrittura")
                                                                : out.errorString());
        out.cancelWriting();
        return -1;
    };
    if (FaultInjection::fails(Step::Open) || !out.open(QIODevice::WriteOnly))
        return writeFailed();
    // Every piece is checked: a file that lost a line must not take the place of the old one.
    const auto put = [&out](const QByteArray &bytes) {
        return !FaultInjection::fails(Step::Write) && out.write(bytes) == bytes.size();
    };
    const QStringList header = headerOf(record);
    if (format == Format::Csv && !put(csvLine(header)))
        return writeFailed();
    qint64 count = 0;
    QByteArray bytes;
    while (archive.ReadNext(bytes)) {
        QStringList row{QString::number(archive.CurrentPosition())};
        for (int i = 0; i < record.fieldCount(); ++i)
            row << record.get(bytes, i);
        const bool written = format == Format::Csv
                                 ? put(csvLine(row))
                                 : (count != 0 || put("[")) && put(jsonObject(header, row, count == 0));
        if (!written)
            return writeFailed();
        ++count;
    }
    if (archive.Failed()) {
        out.cancelWriting();
        *error = QStringLiteral("Impossibile leggere l'archivio %1: %2")
                     .arg(record.fileName(), archive.ErrorString());
        return -1;
    }
    if (format == Format::Json && !put(jsonEnd(count == 0)))
        return writeFailed();
    // Flushed here, not left to commit(): commit() does not notice a buffered write that fails
    // (a full disk) and would put the short file in place of the old one.
    if (FaultInjection::fails(Step::Flush) || !out.flush() || FaultInjection::fails(Step::Rename)
        || !out.commit())
        return writeFailed();
    return count;
}

namespace {

// RFC 4180 reading; a bare LF also ends a line, and a UTF-8 byte-order mark is skipped.
Parsed parseCsv(const QByteArray &bytes)
{
    Parsed parsed;
    QString text = QString::fromUtf8(bytes);
    if (text.startsWith(QChar(0xFEFF)))
        text.remove(0, 1);
    QVector<QStringList> lines;
    QStringList fields;
    QString field;
    bool inQuotes = false;
    bool lineHasContent = false;
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = text.at(i);
        if (inQuotes) {
            if (c == QLatin1Char('"')) {
                if (i + 1 < n && text.at(i + 1) == QLatin1Char('"')) {
                    field += c;
                    ++i;
                } else {
                    inQuotes = false;
                }
            } else {
                field += c;
            }
            continue;
        }
        if (c == QLatin1Char('"')) {
            inQuotes = true;
            lineHasContent = true;
        } else if (c == QLatin1Char(',')) {
            fields << field;
            field.clear();
            lineHasContent = true;
        } else if (c == QLatin1Char('\r') || c == QLatin1Char('\n')) {
            if (c == QLatin1Char('\r') && i + 1 < n && text.at(i + 1) == QLatin1Char('\n'))
                ++i;
            if (lineHasContent || !field.isEmpty()) {
                fields << field;
                lines << fields;
            }
            fields.clear();
            field.clear();
            lineHasContent = false;
        } else {
            field += c;
            lineHasContent = true;
        }
    }
    if (inQuotes) {
        parsed.error = QStringLiteral("Il file CSV termina dentro un campo tra virgolette.");
        return parsed;
    }
    if (lineHasContent || !field.isEmpty()) {
        fields << field;
        lines << fields;
    }
    if (lines.isEmpty()) {
        parsed.error = QStringLiteral("Il file CSV non contiene la riga d'intestazione.");
        return parsed;
    }
    parsed.header = lines.takeFirst();
    for (const QStringList &line : lines) {
        parsed.rows << line;
        parsed.rowErrors << (line.size() == parsed.header.size()
                                 ? QString()
                                 : QStringLiteral("ha %1 campi invece di %2")
                                       .arg(line.size())
                                       .arg(parsed.header.size()));
    }
    return parsed;
}

Parsed parseJson(const QByteArray &bytes)
{
    Parsed parsed;
    QJsonParseError jsonError;
    const QJsonDocument document = QJsonDocument::fromJson(bytes, &jsonError);
    if (jsonError.error != QJsonParseError::NoError) {
        parsed.error = QStringLiteral("Il file JSON non è valido (carattere %1: %2).")
                           .arg(jsonError.offset)
                           .arg(jsonError.errorString());
        return parsed;
    }
    if (!document.isArray()) {
        parsed.error = QStringLiteral("Il file JSON deve contenere un elenco (array) di oggetti.");
        return parsed;
    }
    // The header is every key met, in the order first met.
    const QJsonArray array = document.array();
    for (const QJsonValue &value : array) {
        const QJsonObject object = value.toObject();
        for (auto it = object.begin(); it != object.end(); ++it) {
            if (!parsed.header.contains(it.key()))
                parsed.header << it.key();
        }
    }
    for (const QJsonValue &value : array) {
        QStringList row;
        QString rowError;
        if (!value.isObject()) {
            rowError = QStringLiteral("non è un oggetto");
        } else {
            const QJsonObject object = value.toObject();
            for (const QString &key : std::as_const(parsed.header)) {
                const QJsonValue v = object.value(key);
                if (v.isString()) {
                    row << v.toString();
                } else if (v.isUndefined() || v.isNull()) {
                    row << QString();
                } else if (v.isDouble() && key == positionColumn()) {
                    row << QString::number(v.toInteger());
                } else {
                    row << QString();
                    if (rowError.isEmpty())
                        rowError = QStringLiteral("il valore di \"%1\" non è un testo").arg(key);
                }
            }
        }
        parsed.rows << row;
        parsed.rowErrors << rowError;
    }
    return parsed;
}

}  // namespace

Parsed parse(Format format, const QByteArray &bytes)
{
    return format == Format::Csv ? parseCsv(bytes) : parseJson(bytes);
}

Checked check(const RecordFormat &record, const Parsed &parsed)
{
    Checked checked;
    // Which field each column fills (-1: the position column, which is not stored).
    QVector<int> fieldOf;
    for (const QString &column : parsed.header) {
        if (column == positionColumn()) {
            fieldOf << -1;
            continue;
        }
        const int index = record.indexOf(column.toLatin1().constData());
        if (index < 0 || QString::fromLatin1(record.field(index).name) != column) {
            checked.problems << QStringLiteral("Colonna sconosciuta: \"%1\".").arg(column);
            fieldOf << -1;
            continue;
        }
        if (fieldOf.contains(index))
            checked.problems << QStringLiteral("Colonna ripetuta: \"%1\".").arg(column);
        fieldOf << index;
    }
    for (qsizetype r = 0; r < parsed.rows.size(); ++r) {
        // Records are counted from 1 after the header, in the order of the file.
        const QString where = QStringLiteral("Record %1").arg(r + 1);
        const QString &rowError = parsed.rowErrors.value(r);
        if (!rowError.isEmpty()) {
            checked.problems << QStringLiteral("%1: %2.").arg(where, rowError);
            continue;
        }
        const QStringList &row = parsed.rows.at(r);
        QByteArray bytes(record.size(), '\0');
        QStringList reasons;
        for (int c = 0; c < fieldOf.size() && c < row.size(); ++c) {
            const QString &value = row.at(c);
            if (fieldOf.at(c) < 0) {
                if (parsed.header.at(c) == positionColumn() && !value.isEmpty()) {
                    bool ok = false;
                    value.toLongLong(&ok);
                    if (!ok)
                        reasons << QStringLiteral("\"%1\" non è un numero").arg(positionColumn());
                }
                continue;
            }
            const FieldSpan &field = record.field(fieldOf.at(c));
            const QString name = QString::fromLatin1(field.name);
            if (value.contains(QChar(0)) || !CodePage::canEncode(value)) {
                reasons << QStringLiteral("\"%1\" contiene caratteri che l'archivio non può conservare")
                               .arg(name);
                continue;
            }
            const qsizetype length = CodePage::fromUnicode(value).size();
            if (length > field.capacity) {
                reasons << QStringLiteral("\"%1\" è lungo %2 caratteri, al massimo %3")
                               .arg(name)
                               .arg(length)
                               .arg(field.capacity);
                continue;
            }
            record.put(bytes, fieldOf.at(c), value);
        }
        if (!reasons.isEmpty())
            checked.problems << QStringLiteral("%1: %2.").arg(where, reasons.join(QLatin1String("; ")));
        else
            checked.records << bytes;
    }
    if (!checked.problems.isEmpty())
        checked.records.clear();
    return checked;
}

qint64 appendRecords(const QString &folder, const RecordFormat &record, const QVector<QByteArray> &records,
                     QString *error)
{
    if (records.isEmpty())
        return 0;
    RecordArchive archive;
    if (!archive.OpenOrCreate(QDir(folder).filePath(record.fileName()), record.size())) {
        *error = QStringLiteral("Impossibile aprire l'archivio %1: %2")
                     .arg(record.fileName(), archive.ErrorString());
        return 0;
    }
    if (archive.AppendAll(records) < 0) {
        *error = QStringLiteral("Scrittura nell'archivio %1 non riuscita: %2. L'archivio è rimasto com'era.")
                     .arg(record.fileName(), archive.ErrorString());
        return 0;
    }
    return records.size();
}

}  // namespace OpenFormats
