#include "backup/OpenFormats.h"

#include "archive/AutomezzoRecord.h"
#include "archive/ClienteRecord.h"
#include "archive/RecordArchive.h"
#include "archive/RecordReader.h"
#include "archive/SchedaRecord.h"
#include "common/CodePage.h"
#include "common/SafeFile.h"
#include "common/SystemError.h"

#include <QBuffer>
#include <QDir>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonParseError>
#include <QSet>
#include <QStringDecoder>

#include <cstring>

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

qint64 exportArchive(const QString &folder, const RecordFormat &record, Format format, const QString &fileName,
                     QString *error)
{
    RecordReader archive;
    if (!archive.open(QDir(folder).filePath(record.fileName()), record.size())) {
        *error = QStringLiteral("Impossibile leggere l'archivio %1: %2").arg(record.fileName(), archive.errorString());
        return -1;
    }
    archive.needWhole();
    SafeFile::Writer out(fileName);
    const auto writeFailed = [&] {
        *error = QStringLiteral("Impossibile scrivere il file %1: %2").arg(fileName, out.lastError());
        return -1;
    };
    if (!out.open())
        return writeFailed();
    // Every piece is checked: a file that lost a line must not take the place of the old one.
    const auto put = [&out](const QByteArray &bytes) { return out.write(bytes); };
    const QStringList header = headerOf(record);
    if (format == Format::Csv && !put(csvLine(header)))
        return writeFailed();
    qint64 count = 0;
    while (const char *stored = archive.next()) {
        const QByteArray bytes = QByteArray::fromRawData(stored, record.size());
        QStringList row{QString::number(archive.position())};
        for (int i = 0; i < record.fieldCount(); ++i)
            row << record.get(bytes, i);
        const bool written = format == Format::Csv
                                 ? put(csvLine(row))
                                 : (count != 0 || put("[")) && put(jsonObject(header, row, count == 0));
        if (!written)
            return writeFailed();
        ++count;
    }
    if (archive.failed()) {
        *error = QStringLiteral("Impossibile leggere l'archivio %1: %2").arg(record.fileName(), archive.errorString());
        return -1;
    }
    if (format == Format::Json && !put(jsonEnd(count == 0)))
        return writeFailed();
    if (!out.commit())
        return writeFailed();
    return count;
}

namespace {

// The device is read in pieces of this size.
constexpr qint64 kReadChunk = 64 * 1024;
// Deeper nesting than this inside one JSON record is refused for the record (no record field holds
// anything but text).
constexpr int kMaxJsonDepth = 32;

QString notUtf8()
{
    return QStringLiteral("il testo non è in codifica UTF-8 (il file è forse in Windows-1252 o in un'altra "
                          "codifica: salvarlo come UTF-8)");
}

// The reason a JSON parser gives, in Italian.
QString jsonReason(QJsonParseError::ParseError error)
{
    switch (error) {
    case QJsonParseError::UnterminatedObject: return QStringLiteral("un oggetto non è chiuso");
    case QJsonParseError::MissingNameSeparator: return QStringLiteral("mancano i due punti dopo un nome");
    case QJsonParseError::UnterminatedArray: return QStringLiteral("un elenco non è chiuso");
    case QJsonParseError::MissingValueSeparator: return QStringLiteral("manca una virgola tra due valori");
    case QJsonParseError::IllegalValue: return QStringLiteral("valore non ammesso");
    case QJsonParseError::TerminationByNumber: return QStringLiteral("il testo termina dentro un numero");
    case QJsonParseError::IllegalNumber: return QStringLiteral("numero non valido");
    case QJsonParseError::IllegalEscapeSequence: return QStringLiteral("sequenza con \\ non valida");
    case QJsonParseError::IllegalUTF8String: return notUtf8();
    case QJsonParseError::UnterminatedString: return QStringLiteral("un testo tra virgolette non è chiuso");
    case QJsonParseError::MissingObject: return QStringLiteral("manca un oggetto");
    case QJsonParseError::DeepNesting: return QStringLiteral("valori annidati troppo in profondità");
    case QJsonParseError::DocumentTooLarge: return QStringLiteral("valore troppo grande");
    case QJsonParseError::GarbageAtEnd: return QStringLiteral("altro testo dopo la fine");
    default: return QStringLiteral("errore di sintassi");
    }
}

QString readFailed(QIODevice *device)
{
    if (auto *file = qobject_cast<QFileDevice *>(device))
        return QStringLiteral("Lettura del file non riuscita: %1.").arg(SystemError::lastError(*file));
    return QStringLiteral("Lettura del file non riuscita.");
}

bool isJsonBlank(int c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

}  // namespace

RowReader::RowReader(Format format, QIODevice *device) : m_format(format), m_device(device)
{
}

// True while there is a byte at m_at; false at the end of the device or when it cannot be read
// (m_error set).
bool RowReader::fill()
{
    if (m_at < m_buffer.size())
        return true;
    if (!m_error.isEmpty())
        return false;
    m_offset += m_buffer.size();
    m_buffer.resize(kReadChunk);
    const qint64 read = m_device->read(m_buffer.data(), kReadChunk);
    m_at = 0;
    if (read < 0) {
        m_buffer.clear();
        m_error = readFailed(m_device);
        return false;
    }
    m_buffer.resize(read);
    return read > 0;
}

int RowReader::peek()
{
    return fill() ? static_cast<unsigned char>(m_buffer.at(m_at)) : -1;
}

bool RowReader::next(Row &row)
{
    row.columns.clear();
    row.values.clear();
    row.error.clear();
    if (m_ended || !m_error.isEmpty())
        return false;
    if (!m_started) {
        m_started = true;
        // A UTF-8 byte-order mark is skipped.
        if (peek() == 0xEF && m_buffer.mid(m_at, 3) == "\xEF\xBB\xBF")
            m_at += 3;
    }
    const bool got = m_format == Format::Csv ? nextCsv(row) : nextJson(row);
    if (!got)
        m_ended = true;
    else
        ++m_rowsRead;
    return got;
}

// One CSV line as its raw fields: false at the end of the file (no line) or on a failure of the whole
// file (m_error set). A row error (a stray quote, text after a closing quote) leaves the line read to
// its end, with its fields as written.
bool RowReader::readCsvLine(QList<QByteArray> &fields, QString &rowError, bool *any)
{
    fields.clear();
    rowError.clear();
    *any = false;
    QByteArray field;
    qint64 lineBytes = 0;
    enum { Start, Plain, Quoted, AfterQuote } state = Start;
    const auto tooLong = [&] {
        const QString what = m_header.isEmpty() ? QStringLiteral("La riga d'intestazione")
                                                : QStringLiteral("Il record %1").arg(m_rowsRead + 1);
        m_error = QStringLiteral("%1 supera i %2 MB: il file non è un elenco di record.")
                      .arg(what)
                      .arg(kMaxRowBytes / (1024 * 1024));
        return false;
    };
    for (;;) {
        if (!fill()) {
            if (!m_error.isEmpty())
                return false;
            if (state == Quoted) {
                m_error = QStringLiteral("Il file CSV termina dentro un campo tra virgolette (record %1, campo %2): "
                                         "una virgoletta di apertura non è mai chiusa.")
                              .arg(m_rowsRead + 1)
                              .arg(fields.size() + 1);
                return false;
            }
            if (!*any && field.isEmpty())
                return false;
            fields << field;
            return true;
        }
        const char *data = m_buffer.constData() + m_at;
        const qsizetype available = m_buffer.size() - m_at;
        if (state == Quoted) {
            // Everything up to the next quote belongs to the field, line breaks and commas included.
            const char *quote = static_cast<const char *>(std::memchr(data, '"', size_t(available)));
            const qsizetype run = quote ? quote - data : available;
            if ((lineBytes += run + (quote ? 1 : 0)) > kMaxRowBytes)
                return tooLong();
            field.append(data, run);
            m_at += run;
            if (quote) {
                ++m_at;
                state = AfterQuote;
            }
            continue;
        }
        if (state == Plain || state == Start) {
            // A run of plain characters at once.
            qsizetype run = 0;
            while (run < available && data[run] != ',' && data[run] != '"' && data[run] != '\r' && data[run] != '\n')
                ++run;
            if (run > 0) {
                if ((lineBytes += run) > kMaxRowBytes)
                    return tooLong();
                field.append(data, run);
                m_at += run;
                state = Plain;
                *any = true;
                continue;
            }
        }
        const char c = data[0];
        ++m_at;
        if (++lineBytes > kMaxRowBytes)
            return tooLong();
        if (c == '"') {
            if (state == Start) {
                state = Quoted;
                *any = true;
            } else if (state == AfterQuote) {
                field += '"';  // a doubled quote inside a quoted field
                state = Quoted;
            } else {
                // A quote inside a field that did not start with one: an error of this row, and the
                // quote opens nothing.
                if (rowError.isEmpty())
                    rowError = QStringLiteral("il campo %1 contiene una virgoletta (\") ma non è scritto tra "
                                              "virgolette (un campo con virgolette va racchiuso tra virgolette, "
                                              "con quelle interne raddoppiate)")
                                   .arg(fields.size() + 1);
                field += '"';
            }
            continue;
        }
        if (c == ',') {
            fields << field;
            field.clear();
            state = Start;
            *any = true;
            continue;
        }
        if (c == '\r' || c == '\n') {
            if (c == '\r' && peek() == '\n')
                ++m_at;
            if (*any || !field.isEmpty()) {
                fields << field;
                return true;
            }
            // An empty line is no row.
            lineBytes = 0;
            state = Start;
            continue;
        }
        // Text after the closing quote of a field.
        if (rowError.isEmpty())
            rowError =
                QStringLiteral("nel campo %1 segue altro testo dopo le virgolette di chiusura").arg(fields.size() + 1);
        field += c;
        state = Plain;
    }
}

bool RowReader::nextCsv(Row &row)
{
    QList<QByteArray> fields;
    QString rowError;
    bool any = false;
    const auto decode = [](const QList<QByteArray> &raw, QStringList &out) {
        QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
        out.reserve(raw.size());
        for (const QByteArray &bytes : raw)
            out << decoder.decode(bytes);
        return !decoder.hasError();
    };
    if (!m_opened) {
        m_opened = true;
        if (!readCsvLine(fields, rowError, &any)) {
            if (m_error.isEmpty())
                m_error = QStringLiteral("Il file CSV non contiene la riga d'intestazione.");
            return false;
        }
        if (!rowError.isEmpty()) {
            m_error = QStringLiteral("La riga d'intestazione del file CSV non è valida: %1.").arg(rowError);
            return false;
        }
        if (!decode(fields, m_header)) {
            m_error = QStringLiteral("La riga d'intestazione del file CSV non si può leggere: %1.").arg(notUtf8());
            return false;
        }
    }
    if (!readCsvLine(fields, rowError, &any))
        return false;
    row.columns = m_header;
    if (!decode(fields, row.values) && rowError.isEmpty())
        rowError = notUtf8();
    if (rowError.isEmpty() && row.values.size() != m_header.size())
        rowError = QStringLiteral("ha %1 campi invece di %2").arg(row.values.size()).arg(m_header.size());
    row.error = rowError;
    return true;
}

bool RowReader::skipJsonBlanks()
{
    while (fill() && isJsonBlank(static_cast<unsigned char>(m_buffer.at(m_at))))
        ++m_at;
    return m_error.isEmpty();
}

bool RowReader::jsonFailed(const QString &what)
{
    if (m_error.isEmpty())
        m_error = QStringLiteral("Il file JSON non è valido (carattere %1: %2).").arg(m_offset + m_at).arg(what);
    return false;
}

bool RowReader::nextJson(Row &row)
{
    // m_header is unused for JSON; m_rowsRead counts the values of the array read so far.
    if (!m_opened) {
        if (!skipJsonBlanks())
            return false;
        if (peek() != '[') {
            if (m_error.isEmpty())
                m_error = QStringLiteral("Il file JSON deve contenere un elenco (array) di oggetti.");
            return false;
        }
        ++m_at;
        m_opened = true;
    }
    if (!skipJsonBlanks())
        return false;
    int c = peek();
    if (m_rowsRead > 0) {
        if (c == ',') {
            ++m_at;
            if (!skipJsonBlanks())
                return false;
            c = peek();
            if (c == ']')
                return jsonFailed(QStringLiteral("una virgola prima della fine dell'elenco"));
        } else if (c != ']') {
            return jsonFailed(c < 0 ? QStringLiteral("il file termina prima della fine dell'elenco")
                                    : QStringLiteral("manca una virgola tra due valori"));
        }
    }
    if (c == ']') {
        ++m_at;
        if (!skipJsonBlanks())
            return false;
        if (peek() >= 0)
            return jsonFailed(QStringLiteral("altro testo dopo la fine dell'elenco"));
        return false;
    }
    if (c < 0)
        return jsonFailed(QStringLiteral("il file termina prima della fine dell'elenco"));

    // One value of the array, up to its end: an object or array to its closing bracket, a text to its
    // closing quote, anything else to the next comma, bracket or blank.
    const qint64 valueStart = m_offset + m_at;
    QByteArray value;
    int depth = 0;
    int deepest = 0;
    bool inString = false;
    bool escaped = false;
    for (;;) {
        if (!fill()) {
            if (!m_error.isEmpty())
                return false;
            if (depth > 0 || inString)
                return jsonFailed(QStringLiteral("il file termina dentro un valore"));
            break;
        }
        const char ch = m_buffer.at(m_at);
        if (depth == 0 && !inString && !value.isEmpty() && value.at(0) != '"'
            && (ch == ',' || ch == ']' || ch == '}' || isJsonBlank(static_cast<unsigned char>(ch))))
            break;  // the end of a number, true, false or null
        ++m_at;
        if (value.size() >= RowReader::kMaxRowBytes)
            return jsonFailed(QStringLiteral("un record è più lungo di %1 MB").arg(kMaxRowBytes / (1024 * 1024)));
        value += ch;
        if (inString) {
            if (escaped)
                escaped = false;
            else if (ch == '\\')
                escaped = true;
            else if (ch == '"') {
                inString = false;
                if (depth == 0)
                    break;
            }
            continue;
        }
        if (ch == '"') {
            inString = true;
        } else if (ch == '{' || ch == '[') {
            deepest = qMax(deepest, ++depth);
        } else if (ch == '}' || ch == ']') {
            if (--depth < 0)
                return jsonFailed(QStringLiteral("parentesi chiusa senza apertura"));
            if (depth == 0)
                break;
        }
    }
    if (deepest > kMaxJsonDepth) {
        row.error = QStringLiteral("contiene valori annidati oltre %1 livelli").arg(kMaxJsonDepth);
        return true;
    }
    QJsonParseError jsonError;
    const QJsonDocument document = QJsonDocument::fromJson("[" + value + "]", &jsonError);
    if (jsonError.error != QJsonParseError::NoError) {
        m_error = QStringLiteral("Il file JSON non è valido (carattere %1: %2).")
                      .arg(valueStart + qMax(0, jsonError.offset - 1))
                      .arg(jsonReason(jsonError.error));
        return false;
    }
    const QJsonValue element = document.array().at(0);
    if (!element.isObject()) {
        row.error = QStringLiteral("non è un oggetto");
        return true;
    }
    const QJsonObject object = element.toObject();
    for (auto it = object.begin(); it != object.end(); ++it) {
        const QJsonValue v = it.value();
        row.columns << it.key();
        if (v.isString()) {
            row.values << v.toString();
        } else if (v.isUndefined() || v.isNull()) {
            row.values << QString();
        } else if (v.isDouble() && it.key() == positionColumn()) {
            row.values << QString::number(v.toInteger());
        } else {
            row.values << QString();
            if (row.error.isEmpty())
                row.error = QStringLiteral("il valore di \"%1\" non è un testo").arg(it.key());
        }
    }
    return true;
}

RowChecker::RowChecker(const RecordFormat &record) : m_record(record)
{
}

// The field a column fills: -1 for the position column (not stored), -2 for a column that names no
// field (its problem appended the first time it is met).
int RowChecker::fieldOf(const QString &column, QStringList *problems)
{
    const auto known = m_fields.constFind(column);
    if (known != m_fields.cend())
        return known.value();
    int field = -1;
    if (column != positionColumn()) {
        const int index = m_record.indexOf(column.toLatin1().constData());
        if (index < 0 || QString::fromLatin1(m_record.field(index).name) != column) {
            if (problems)
                *problems << QStringLiteral("Colonna sconosciuta: \"%1\".").arg(column);
            field = -2;
        } else {
            field = index;
        }
    }
    m_fields.insert(column, field);
    return field;
}

QStringList RowChecker::checkColumns(const QStringList &columns)
{
    QStringList problems;
    QSet<int> seen;
    QSet<QString> repeated;
    for (const QString &column : columns) {
        const int field = fieldOf(column, &problems);  // an unknown column is told once
        if (field == -2)
            continue;
        if (seen.contains(field)) {
            if (!repeated.contains(column))
                problems << QStringLiteral("Colonna ripetuta: \"%1\".").arg(column);
            repeated.insert(column);
        }
        seen.insert(field);
    }
    return problems;
}

bool RowChecker::check(const Row &row, qint64 number, QByteArray *bytes, QStringList *problems)
{
    // Records are counted from 1 after the header, in the order of the file.
    const QString where = QStringLiteral("Record %1").arg(number);
    if (!row.error.isEmpty()) {
        *problems << QStringLiteral("%1: %2.").arg(where, row.error);
        return false;
    }
    bytes->fill('\0', m_record.size());
    QStringList reasons;
    for (qsizetype c = 0; c < row.columns.size() && c < row.values.size(); ++c) {
        const QString &value = row.values.at(c);
        const int field = fieldOf(row.columns.at(c), problems);
        if (field == -2)
            continue;
        if (field == -1) {
            if (!value.isEmpty()) {
                bool ok = false;
                value.toLongLong(&ok);
                if (!ok)
                    reasons << QStringLiteral("\"%1\" non è un numero").arg(positionColumn());
            }
            continue;
        }
        const FieldSpan &span = m_record.field(field);
        const QString name = QString::fromLatin1(span.name);
        if (value.contains(QChar(0)) || !CodePage::canEncode(value)) {
            reasons << QStringLiteral("\"%1\" contiene caratteri che l'archivio non può conservare "
                                      "(non esistono nella codifica Windows-1252)")
                           .arg(name);
            continue;
        }
        const qsizetype length = CodePage::fromUnicode(value).size();
        if (length > span.capacity) {
            reasons << QStringLiteral("\"%1\" è lungo %2 caratteri, al massimo %3")
                           .arg(name)
                           .arg(length)
                           .arg(span.capacity);
            continue;
        }
        m_record.put(*bytes, field, value);
    }
    if (reasons.isEmpty())
        return true;
    *problems << QStringLiteral("%1: %2.").arg(where, reasons.join(QLatin1String("; ")));
    return false;
}

Parsed parse(Format format, const QByteArray &bytes)
{
    Parsed parsed;
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    RowReader reader(format, &buffer);
    Row row;
    QVector<Row> rows;
    while (reader.next(row))
        rows << row;
    if (!reader.error().isEmpty()) {
        parsed.error = reader.error();
        return parsed;
    }
    if (format == Format::Csv) {
        parsed.header = reader.header();
        for (const Row &r : std::as_const(rows)) {
            parsed.rows << r.values;
            parsed.rowErrors << r.error;
        }
        return parsed;
    }
    // JSON: the header is every key met, in the order first met; a row holds a value per key.
    QSet<QString> known;
    for (const Row &r : std::as_const(rows)) {
        for (const QString &key : r.columns) {
            if (!known.contains(key)) {
                known.insert(key);
                parsed.header << key;
            }
        }
    }
    for (const Row &r : std::as_const(rows)) {
        QStringList values;
        if (!r.columns.isEmpty() || r.error.isEmpty()) {
            for (const QString &key : std::as_const(parsed.header)) {
                const qsizetype at = r.columns.indexOf(key);
                values << (at >= 0 ? r.values.at(at) : QString());
            }
        }
        parsed.rows << values;
        parsed.rowErrors << r.error;
    }
    return parsed;
}

Checked check(const RecordFormat &record, const Parsed &parsed)
{
    Checked checked;
    RowChecker checker(record);
    checked.problems << checker.checkColumns(parsed.header);
    QByteArray bytes;
    for (qsizetype r = 0; r < parsed.rows.size(); ++r) {
        const Row row{parsed.header, parsed.rows.at(r), parsed.rowErrors.value(r)};
        if (checker.check(row, r + 1, &bytes, &checked.problems))
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
        *error = QStringLiteral("Impossibile aprire l'archivio %1: %2").arg(record.fileName(), archive.ErrorString());
        return 0;
    }
    if (archive.AppendAll(records) < 0) {
        *error = QStringLiteral("Scrittura nell'archivio %1 non riuscita: %2. L'archivio è rimasto com'era.")
                     .arg(record.fileName(), archive.ErrorString());
        return 0;
    }
    return records.size();
}

void Problems::add(const QString &problem)
{
    if (shown.size() < kShown)
        shown << problem;
    ++total;
}

void Problems::add(const QStringList &problems)
{
    for (const QString &problem : problems)
        add(problem);
}

QStringList Problems::lines() const
{
    QStringList out = shown;
    if (total > shown.size())
        out << QStringLiteral("... e altri %1 problemi (%2 in tutto).").arg(total - shown.size()).arg(total);
    return out;
}

ImportResult importFile(const QString &folder, const RecordFormat &record, Format format, const QString &fileName,
                        bool dryRun)
{
    ImportResult result;
    const QString shown = QDir::toNativeSeparators(fileName);
    const QFileInfo info(fileName);
    if (info.exists() && !info.isFile()) {
        result.error = QStringLiteral("Impossibile leggere %1: non è un file su disco (è una cartella, un "
                                      "dispositivo o una pipe), e l'importazione deve poterlo leggere due volte.")
                           .arg(shown);
        return result;
    }
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly)) {
        result.error = QStringLiteral("Impossibile leggere il file %1: %2.").arg(shown, SystemError::lastError(file));
        return result;
    }

    // First pass: every row is read and checked; only the problems (capped) and the count are kept.
    qint64 rows = 0;
    {
        RowReader reader(format, &file);
        RowChecker checker(record);
        Row row;
        QByteArray bytes;
        QStringList problems;
        bool columnsChecked = format != Format::Csv;
        while (reader.next(row)) {
            if (!columnsChecked) {
                result.problems.add(checker.checkColumns(reader.header()));
                columnsChecked = true;
            }
            problems.clear();
            if (!checker.check(row, ++rows, &bytes, &problems))
                result.problems.add(problems);
        }
        if (!reader.error().isEmpty()) {
            result.error = reader.error();
            return result;
        }
        if (!columnsChecked)
            result.problems.add(checker.checkColumns(reader.header()));
    }
    if (result.problems.total > 0) {
        result.outcome = ImportResult::Refused;
        return result;
    }
    result.records = rows;
    if (dryRun || rows == 0) {
        result.outcome = ImportResult::Appended;
        return result;
    }

    // Second pass: the same rows, read again and appended while they are read, all or nothing.
    if (!file.seek(0)) {
        result.error = QStringLiteral("Impossibile rileggere il file %1: %2.").arg(shown, SystemError::lastError(file));
        return result;
    }
    RecordArchive archive;
    if (!archive.OpenOrCreate(QDir(folder).filePath(record.fileName()), record.size())) {
        result.outcome = ImportResult::NotWritten;
        result.error =
            QStringLiteral("Impossibile aprire l'archivio %1: %2").arg(record.fileName(), archive.ErrorString());
        return result;
    }
    RowReader reader(format, &file);
    RowChecker checker(record);
    Row row;
    QStringList problems;
    qint64 read = 0;
    QString sourceError;
    const qint64 first = archive.AppendAll([&](QByteArray &bytes) {
        if (!reader.next(row)) {
            if (!reader.error().isEmpty())
                sourceError = reader.error();
            else if (read == rows)
                return RecordArchive::Source::End;
            else
                sourceError = QStringLiteral("Il file %1 è cambiato durante l'importazione.").arg(shown);
            return RecordArchive::Source::Failed;
        }
        problems.clear();
        if (++read > rows || !checker.check(row, read, &bytes, &problems)) {
            sourceError = QStringLiteral("Il file %1 è cambiato durante l'importazione.").arg(shown);
            return RecordArchive::Source::Failed;
        }
        return RecordArchive::Source::Record;
    });
    if (first < 0) {
        result.outcome = ImportResult::NotWritten;
        result.records = 0;
        result.error =
            !sourceError.isEmpty()
                ? sourceError + QStringLiteral(" L'archivio %1 è rimasto com'era.").arg(record.fileName())
                : QStringLiteral("Scrittura nell'archivio %1 non riuscita: %2. L'archivio è rimasto com'era.")
                      .arg(record.fileName(), archive.ErrorString());
        return result;
    }
    result.outcome = ImportResult::Appended;
    return result;
}

}  // namespace OpenFormats
