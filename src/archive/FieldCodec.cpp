#include "archive/FieldCodec.h"

#include "common/CodePage.h"
#include "common/TextRules.h"

#include <cstring>

namespace FieldCodec {

namespace {

QByteArray encodeCut(const QString &text, int capacity)
{
    QByteArray bytes = CodePage::fromUnicode(text);
    if (bytes.size() > capacity)
        bytes.truncate(capacity);
    return bytes;
}

// True when the whole field, capacity + 1 bytes from offset, lies inside the record. A caller with a
// wrong layout must not write past the buffer, in release builds too.
bool fieldFits(const QByteArray &record, int offset, int capacity)
{
    return offset >= 0 && capacity >= 0 && qsizetype(offset) + capacity + 1 <= record.size();
}

}  // namespace

void putZeroTerminated(QByteArray &record, int offset, int capacity, const QString &text)
{
    if (!fieldFits(record, offset, capacity))
        return;
    QByteArray bytes = encodeCut(text, capacity);
    // A zero byte would end the text early; the screen never produces one, but keep the field whole.
    bytes.replace('\0', ' ');
    char *field = record.data() + offset;
    std::memset(field, 0, size_t(capacity) + 1);
    std::memcpy(field, bytes.constData(), size_t(bytes.size()));
}

QByteArray rawZeroTerminated(const char *record, int offset, int capacity)
{
    const char *field = record + offset;
    const void *zero = std::memchr(field, 0, size_t(capacity) + 1);
    const int length = zero ? int(static_cast<const char *>(zero) - field) : capacity + 1;
    return QByteArray(field, length);
}

QString getZeroTerminated(const QByteArray &record, int offset, int capacity)
{
    if (!fieldFits(record, offset, capacity))
        return QString();
    return TextRules::trim(CodePage::toUnicode(rawZeroTerminated(record.constData(), offset, capacity)));
}

void putLengthPrefixed(QByteArray &record, int offset, int capacity, const QString &text)
{
    // The length byte holds at most 255.
    if (!fieldFits(record, offset, capacity) || capacity > 255)
        return;
    const QByteArray bytes = encodeCut(TextRules::trim(text), capacity);
    char *field = record.data() + offset;
    std::memset(field, 0, size_t(capacity) + 1);
    field[0] = char(static_cast<unsigned char>(bytes.size()));
    std::memcpy(field + 1, bytes.constData(), size_t(bytes.size()));
}

QByteArray rawLengthPrefixed(const char *record, int offset, int capacity)
{
    const int stored = static_cast<unsigned char>(record[offset]);
    const int length = stored > capacity ? capacity : stored;  // a damaged length byte is clamped
    return QByteArray(record + offset + 1, length);
}

QString getLengthPrefixed(const QByteArray &record, int offset, int capacity)
{
    if (!fieldFits(record, offset, capacity))
        return QString();
    return TextRules::trim(CodePage::toUnicode(rawLengthPrefixed(record.constData(), offset, capacity)));
}

QString yesText()
{
    return QStringLiteral("S\u00EC");
}

QString noText()
{
    return QStringLiteral("No");
}

}  // namespace FieldCodec
