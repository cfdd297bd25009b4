#include "archive/RecordLayout.h"

#include "archive/FieldMatch.h"

#include <cstring>
#include <utility>

RecordFormat::RecordFormat(QString fileName, int size, FieldEncoding encoding, QVector<FieldSpan> fields)
    : m_fileName(std::move(fileName)), m_size(size), m_encoding(encoding), m_fields(std::move(fields))
{
}

int RecordFormat::indexOf(const char *name) const
{
    for (int i = 0; i < m_fields.size(); ++i) {
        if (std::strcmp(m_fields.at(i).name, name) == 0)
            return i;
    }
    return -1;
}

RecordFormat::Bytes RecordFormat::stored(const char *record, int index) const
{
    const FieldSpan &f = m_fields.at(index);
    const char *start = record + f.offset;
    if (m_encoding == FieldEncoding::ZeroTerminated)
        return {start, FieldMatch::zeroTerminatedLength(start, f.capacity)};
    const int length = static_cast<unsigned char>(start[0]);
    return {start + 1, length > f.capacity ? f.capacity : length};  // a damaged length is clamped
}

RecordFormat::Bytes RecordFormat::trimmed(const char *record, int index) const
{
    Bytes b = stored(record, index);
    while (b.size > 0 && static_cast<unsigned char>(b.data[0]) <= 32) {
        ++b.data;
        --b.size;
    }
    while (b.size > 0 && static_cast<unsigned char>(b.data[b.size - 1]) <= 32)
        --b.size;
    return b;
}

bool RecordFormat::sameFields(const QByteArray &a, const QByteArray &b) const
{
    if (a.size() != m_size || b.size() != m_size)
        return a == b;
    for (int i = 0; i < fieldCount(); ++i) {
        const Bytes x = stored(a.constData(), i);
        const Bytes y = stored(b.constData(), i);
        if (x.size != y.size || std::memcmp(x.data, y.data, size_t(x.size)) != 0)
            return false;
    }
    return true;
}

void RecordFormat::put(QByteArray &record, int index, const QString &text) const
{
    const FieldSpan &f = m_fields.at(index);
    if (m_encoding == FieldEncoding::ZeroTerminated)
        FieldCodec::putZeroTerminated(record, f.offset, f.capacity, text);
    else
        FieldCodec::putLengthPrefixed(record, f.offset, f.capacity, text);
}

QString RecordFormat::get(const QByteArray &record, int index) const
{
    const FieldSpan &f = m_fields.at(index);
    if (m_encoding == FieldEncoding::ZeroTerminated)
        return FieldCodec::getZeroTerminated(record, f.offset, f.capacity);
    return FieldCodec::getLengthPrefixed(record, f.offset, f.capacity);
}

bool RecordFormat::isContiguous() const
{
    int next = 0;
    for (const FieldSpan &f : m_fields) {
        if (f.offset != next || f.capacity < 1)
            return false;
        next = f.offset + f.capacity + 1;
    }
    return next == m_size;
}
