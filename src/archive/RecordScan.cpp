#include "archive/RecordScan.h"

#include "common/CodePage.h"
#include "common/TextRules.h"

#include <QVarLengthArray>

#include <cstring>

namespace RecordScan {

Criteria::Criteria(const RecordFormat &format, const QList<Criterion> &criteria) : m_format(&format)
{
    for (const Criterion &c : criteria) {
        if (c.field < 0 || c.field >= format.fieldCount() || TextRules::trim(c.text).isEmpty())
            continue;
        m_parts.append({c.field, FieldPattern(c.text)});
    }
}

bool Criteria::matches(const char *record) const
{
    for (const Part &part : m_parts) {
        const RecordFormat::Bytes field = m_format->stored(record, part.field);
        if (!part.pattern.foundIn(field.data, field.size))
            return false;
    }
    return true;
}

QList<int> Criteria::fields() const
{
    QList<int> fields;
    for (const Part &part : m_parts)
        fields.append(part.field);
    return fields;
}

LineLayout::LineLayout(const RecordFormat &format, QVector<Piece> pieces)
    : m_format(&format), m_pieces(std::move(pieces))
{
}

QString LineLayout::build(const char *record) const
{
    Bytes line;
    encode(record, line);
    return CodePage::toUnicode(line.constData(), line.size());
}

void LineLayout::addTo(ListedRecords &found, const char *record, qint64 position) const
{
    Bytes line;
    encode(record, line);
    found.addBytes(line.constData(), line.size(), position);
}

void LineLayout::encode(const char *record, Bytes &line) const
{
    // The fields lie in several cache lines of a record that the scan has mostly not read yet: all
    // are asked for at once, so that the processor waits for memory once rather than once a field.
    for (const Piece &piece : m_pieces) {
        prefetchField(record, piece.field);
        if (piece.joined >= 0)
            prefetchField(record, piece.joined);
    }
    // Built in code-page bytes, where one byte is one character.
    for (const Piece &piece : m_pieces) {
        line.append(piece.before.constData(), piece.before.size());
        const qsizetype start = line.size();
        const RecordFormat::Bytes b = m_format->trimmed(record, piece.field);
        line.append(b.data, b.size);
        if (piece.joined >= 0) {
            const RecordFormat::Bytes second = m_format->trimmed(record, piece.joined);
            line.append(' ');
            line.append(second.data, second.size);
        }
        if (piece.width <= 0)
            continue;
        const qsizetype used = line.size() - start;
        line.resize(start + piece.width);
        if (used < piece.width)
            std::memset(line.data() + start + used, ' ', size_t(piece.width - used));
    }
}

void LineLayout::prefetchField(const char *record, int field) const
{
#if defined(__GNUC__) || defined(__clang__)
    __builtin_prefetch(record + m_format->field(field).offset);
#else
    Q_UNUSED(record);
    Q_UNUSED(field);
#endif
}

QList<int> LineLayout::fields() const
{
    QList<int> fields;
    for (const Piece &piece : m_pieces) {
        fields.append(piece.field);
        if (piece.joined >= 0)
            fields.append(piece.joined);
    }
    return fields;
}

bool search(const QString &archivePath, const LineLayout &line, const Criteria &criteria, ListedRecords &found)
{
    return scan(
        archivePath, line, [&criteria](const char *record) { return criteria.matches(record); }, criteria.fields(),
        found);
}

bool fieldIs(const RecordFormat &format, const char *record, int field, const QByteArray &text)
{
    const RecordFormat::Bytes b = format.trimmed(record, field);
    return b.size == text.size() && QByteArrayView(b.data, b.size) == QByteArrayView(text);
}

}  // namespace RecordScan
