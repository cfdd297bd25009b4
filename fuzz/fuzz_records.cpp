// The three record decoders (sheet, customer and vehicle records over their field codecs and layout
// tables) and the mapped record reader over an archive file of fuzz bytes.
//
// Input: one byte that picks the decoder (low two bits: 0 sheet, 1 customer, 2 vehicle, 3 the record
// reader), then the record bytes (the reader: a few parameter bytes, then the file).
//
// Checked: every decoded text is trimmed and fits its field (a zero-terminated field without its zero
// reads its capacity + 1 bytes, as far as the field goes); the byte-level trimmed field (what lists
// and exports read) decodes to the same text as the record; decode -> encode -> decode is stable; a
// text that fits its field survives encode -> decode; the field codec never writes outside its field
// whatever the offset and capacity; the reader hands out exactly the whole records of the file.

#include "FuzzSupport.h"

#include "archive/AutomezzoRecord.h"
#include "archive/ClienteRecord.h"
#include "archive/FieldCodec.h"
#include "archive/RecordReader.h"
#include "archive/SchedaRecord.h"
#include "common/TextRules.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <cstring>

namespace {

template<typename Record>
void checkRecord(const QByteArray &bytes)
{
    const RecordFormat &format = Record::format();
    FUZZ_CHECK(format.isContiguous() && format.size() == Record::kSize, format.fileName());
    const bool zeroTerminated = Record::kEncoding == FieldEncoding::ZeroTerminated;

    QByteArray whole = bytes.left(Record::kSize);
    whole.append(QByteArray(Record::kSize - whole.size(), '\0'));

    const Record first = Record::fromBytes(bytes);
    for (int i = 0; i < Record::FieldCount; ++i) {
        const FieldSpan &f = format.field(i);
        const QString &text = first[i];
        const QString where = format.fileName() + QLatin1Char(' ') + QLatin1String(f.name);
        FUZZ_CHECK(TextRules::trim(text) == text, where + Fuzz::shown(text));
        FUZZ_CHECK(CodePage::fromUnicode(text).size() <= f.capacity + (zeroTerminated ? 1 : 0), where);

        // The stored bytes as the scans read them agree with the field codec and with the record.
        const RecordFormat::Bytes stored = format.stored(whole.constData(), i);
        const QByteArray raw = zeroTerminated ? FieldCodec::rawZeroTerminated(whole.constData(), f.offset, f.capacity)
                                              : FieldCodec::rawLengthPrefixed(whole.constData(), f.offset, f.capacity);
        FUZZ_CHECK(QByteArray(stored.data, stored.size) == raw, where);
        FUZZ_CHECK(Record::rawField(whole.constData(), i) == raw, where);
        FUZZ_CHECK(stored.data >= whole.constData() + f.offset
                       && stored.data + stored.size <= whole.constData() + f.offset + f.capacity + 1,
                   where);
        const RecordFormat::Bytes trimmed = format.trimmed(whole.constData(), i);
        FUZZ_CHECK(CodePage::toUnicode(trimmed.data, trimmed.size) == text,
                   where + QStringLiteral(": bytes ") + Fuzz::shown(QByteArray(trimmed.data, trimmed.size))
                       + QStringLiteral(", record ") + Fuzz::shown(text));
        FUZZ_CHECK(format.get(whole, i) == text, where);
    }

    const QByteArray encoded = first.toBytes();
    FUZZ_CHECK(encoded.size() == Record::kSize, format.fileName());
    const Record second = Record::fromBytes(encoded);
    for (int i = 0; i < Record::FieldCount; ++i) {
        const FieldSpan &f = format.field(i);
        const QByteArray stored = CodePage::fromUnicode(first[i]);
        const QString where = format.fileName() + QLatin1Char(' ') + QLatin1String(f.name);
        if (stored.size() <= f.capacity)
            FUZZ_CHECK(second[i] == first[i],
                       where + Fuzz::shown(first[i]) + QStringLiteral(" -> ") + Fuzz::shown(second[i]));
        else
            FUZZ_CHECK(second[i] == TextRules::trim(CodePage::toUnicode(stored.left(f.capacity))), where);
    }
    // Decoding is stable from here on. The bytes need not be: a zero-terminated text is stored as
    // given, and one cut to its capacity may end in blanks that the next decode trims.
    const Record third = Record::fromBytes(second.toBytes());
    for (int i = 0; i < Record::FieldCount; ++i)
        FUZZ_CHECK(third[i] == second[i], format.fileName() + QLatin1Char(' ') + QLatin1String(format.field(i).name)
                                              + QStringLiteral(": decoding is not stable"));
    if (!zeroTerminated)
        FUZZ_CHECK(second.toBytes() == encoded, format.fileName() + QStringLiteral(": encoding is not stable"));
}

// put / get of one field with any offset and capacity on a small buffer: nothing outside the field's
// capacity + 1 bytes changes, and a field that does not fit is neither written nor read.
void checkCodec(Fuzz::Input &input)
{
    const int bufferSize = input.byte() % 64;
    const int offset = int(qint8(input.byte()));
    const int capacity = int(qint16(input.word())) % 300;
    const bool zeroTerminated = input.byte() & 1;
    const QString text = Fuzz::codePageText(input.bytes(input.byte() % 80));
    const QByteArray before = input.bytes(bufferSize).leftJustified(bufferSize, '\x5a');

    QByteArray record = before;
    if (zeroTerminated)
        FieldCodec::putZeroTerminated(record, offset, capacity, text);
    else
        FieldCodec::putLengthPrefixed(record, offset, capacity, text);
    FUZZ_CHECK(record.size() == before.size(), QStringLiteral("the buffer changed size"));
    const bool fits =
        offset >= 0 && capacity >= 0 && offset + capacity + 1 <= record.size() && (zeroTerminated || capacity <= 255);
    for (int i = 0; i < record.size(); ++i) {
        if (!fits || i < offset || i > offset + capacity)
            FUZZ_CHECK(record.at(i) == before.at(i),
                       QStringLiteral("byte %1 outside the field changed (offset %2, capacity %3)")
                           .arg(i)
                           .arg(offset)
                           .arg(capacity));
    }
    const QString back = zeroTerminated ? FieldCodec::getZeroTerminated(record, offset, capacity)
                                        : FieldCodec::getLengthPrefixed(record, offset, capacity);
    if (!(offset >= 0 && capacity >= 0 && offset + capacity + 1 <= record.size()))
        FUZZ_CHECK(back.isEmpty(), QStringLiteral("a field outside the buffer was read"));
    if (fits) {
        QByteArray expected = CodePage::fromUnicode(zeroTerminated ? text : TextRules::trim(text)).left(capacity);
        if (zeroTerminated)
            expected.replace('\0', ' ');
        FUZZ_CHECK(back == TextRules::trim(CodePage::toUnicode(expected)),
                   Fuzz::shown(text) + QStringLiteral(" -> ") + Fuzz::shown(back));
    }
}

const QString &scratchFile()
{
    static QTemporaryDir dir;
    static const QString path = dir.path() + QStringLiteral("/archivio.pro");
    return path;
}

void checkReader(Fuzz::Input &input)
{
    const int recordSize = 1 + input.byte() % 48;
    const quint8 how = input.byte();
    constexpr RecordReader::Mode kModes[] = {RecordReader::Mode::Map, RecordReader::Mode::Span,
                                             RecordReader::Mode::Whole, RecordReader::Mode::Ring,
                                             RecordReader::Mode::Auto};
    const RecordReader::Mode mode = kModes[how % 5];
    const qint64 window = qint64(recordSize) * (1 + input.byte() % 5);
    // Up to two declared fields somewhere in the record (none: the whole record).
    QVector<FieldSpan> spans;
    const int fields = input.byte() % 3;
    for (int i = 0; i < fields; ++i) {
        const int offset = input.byte() % recordSize;
        const int capacity = input.byte() % (recordSize - offset);
        spans.append({i == 0 ? "a" : "b", offset, capacity});
    }
    const QByteArray file = input.rest();

    QFile out(scratchFile());
    FUZZ_CHECK(out.open(QIODevice::WriteOnly | QIODevice::Truncate) && out.write(file) == file.size(), scratchFile());
    out.close();

    RecordReader::setMode(mode);
    RecordReader::setMapWindowBytes(window);
    RecordReader::setBlockBytes(window);
    const RecordFormat format(QStringLiteral("archivio.pro"), recordSize, FieldEncoding::ZeroTerminated, spans);
    RecordReader reader;
    FUZZ_CHECK(reader.open(scratchFile(), recordSize), reader.errorString());
    for (int i = 0; i < spans.size(); ++i)
        reader.need(format, i);
    qint64 count = 0;
    while (const char *record = reader.next()) {
        ++count;
        FUZZ_CHECK(reader.position() == count,
                   QStringLiteral("position %1 at record %2").arg(reader.position()).arg(count));
        const char *expected = file.constData() + (count - 1) * recordSize;
        if (spans.isEmpty()) {
            FUZZ_CHECK(std::memcmp(record, expected, size_t(recordSize)) == 0, QStringLiteral("record %1").arg(count));
        } else {
            for (const FieldSpan &f : std::as_const(spans))
                FUZZ_CHECK(std::memcmp(record + f.offset, expected + f.offset, size_t(f.capacity) + 1) == 0,
                           QStringLiteral("record %1, field at %2").arg(count).arg(f.offset));
        }
    }
    FUZZ_CHECK(!reader.failed(), reader.errorString());
    FUZZ_CHECK(count == file.size() / recordSize,
               QStringLiteral("%1 records of %2").arg(count).arg(file.size() / recordSize));
    reader.close();
    RecordReader::setMode(RecordReader::Mode::Auto);
    RecordReader::setMapWindowBytes(RecordReader::kDefaultMapWindowBytes);
    RecordReader::setBlockBytes(RecordReader::kDefaultBlockBytes);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    Fuzz::Input input(data, size);
    switch (input.byte() & 3) {
    case 0: checkRecord<SchedaRecord>(input.rest()); break;
    case 1: checkRecord<ClienteRecord>(input.rest()); break;
    case 2: checkRecord<AutomezzoRecord>(input.rest()); break;
    default:
        if (input.byte() & 1)
            checkCodec(input);
        else
            checkReader(input);
        break;
    }
    return 0;
}
