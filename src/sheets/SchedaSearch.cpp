#include "sheets/SchedaSearch.h"

#include "archive/RecordArchive.h"
#include "common/CodePage.h"
#include "common/TextRules.h"

namespace SchedaSearch {

namespace {

struct Bytes
{
    const char *data;
    qsizetype size;
};

// A zero-terminated field as stored, up to its terminator.
Bytes storedField(const char *record, SchedaRecord::Field field)
{
    const SchedaRecord::Layout &l = SchedaRecord::layout()[field];
    const char *start = record + l.offset;
    return {start, FieldMatch::zeroTerminatedLength(start, l.capacity)};
}

// The same field without leading and trailing bytes of code 32 or below (in Windows-1252 exactly the
// characters that the text rules trim).
Bytes trimmedField(const char *record, SchedaRecord::Field field)
{
    Bytes b = storedField(record, field);
    while (b.size > 0 && static_cast<unsigned char>(b.data[0]) <= 32) {
        ++b.data;
        --b.size;
    }
    while (b.size > 0 && static_cast<unsigned char>(b.data[b.size - 1]) <= 32)
        --b.size;
    return b;
}

// One column of the line, in code-page bytes (one byte is one character).
void appendColumn(QByteArray &line, const char *record, SchedaRecord::Field field, int width)
{
    const Bytes b = trimmedField(record, field);
    const qsizetype used = qMin<qsizetype>(b.size, width);
    line.append(b.data, used);
    line.append(width - used, ' ');
}

template<typename Keep>
bool scan(const QString &archivePath, Keep keep, ListedRecords &found)
{
    RecordArchive archive;
    if (!archive.OpenForReading(archivePath, SchedaRecord::kSize))
        return false;
    while (const char *record = archive.NextRecord()) {
        if (keep(record))
            found.add(listLine(record), archive.CurrentPosition());
    }
    const bool ok = !archive.Failed();
    archive.Close();
    return ok;
}

}  // namespace

const std::array<SchedaRecord::Field, 10> &criterionFields()
{
    static const std::array<SchedaRecord::Field, 10> fields = {
        SchedaRecord::fNumScheda, SchedaRecord::fData,     SchedaRecord::fTecnico,
        SchedaRecord::fPratica,   SchedaRecord::fCliente,  SchedaRecord::fRecapito,
        SchedaRecord::fMarca,     SchedaRecord::fTarga,    SchedaRecord::fStato,
        SchedaRecord::fNote,
    };
    return fields;
}

Criteria::Criteria(const QList<Criterion> &criteria)
{
    for (const Criterion &c : criteria) {
        if (TextRules::trim(c.text).isEmpty())
            continue;
        const SchedaRecord::Layout &l = SchedaRecord::layout()[c.field];
        m_parts.append({l.offset, l.capacity, FieldPattern(c.text)});
    }
}

bool Criteria::matches(const char *record) const
{
    for (const Part &part : m_parts) {
        const char *field = record + part.offset;
        if (!part.pattern.foundIn(field, FieldMatch::zeroTerminatedLength(field, part.capacity)))
            return false;
    }
    return true;
}

QString listLine(const char *record)
{
    QByteArray line;
    line.reserve(192);
    line.append("Scheda n. ");
    appendColumn(line, record, SchedaRecord::fNumScheda, 10);
    line.append("  Data: ");
    appendColumn(line, record, SchedaRecord::fData, 10);
    line.append("  Cliente: ");
    appendColumn(line, record, SchedaRecord::fCliente, 25);
    line.append("  Tel. ");
    appendColumn(line, record, SchedaRecord::fRecapito, 14);
    line.append("  ");
    appendColumn(line, record, SchedaRecord::fMarca, 25);
    line.append("  Targa: ");
    appendColumn(line, record, SchedaRecord::fTarga, 10);
    line.append("  \x80 ");  // the euro sign in Windows-1252
    const Bytes total = trimmedField(record, SchedaRecord::fTotale);
    line.append(total.data, total.size);
    return CodePage::toUnicode(line);
}

QString listLine(const SchedaRecord &record)
{
    return listLine(record.toBytes().constData());
}

bool isUnpaid(const char *record)
{
    const Bytes b = trimmedField(record, SchedaRecord::fPagato);
    return b.size == 2 && b.data[0] == 'N' && b.data[1] == 'o';
}

bool search(const QString &archivePath, const Criteria &criteria, ListedRecords &found)
{
    return scan(archivePath, [&criteria](const char *record) { return criteria.matches(record); },
                found);
}

bool unpaid(const QString &archivePath, ListedRecords &found)
{
    return scan(archivePath, [](const char *record) { return isUnpaid(record); }, found);
}

}  // namespace SchedaSearch
