#pragma once

#include "archive/FieldCodec.h"

#include <QByteArray>
#include <QString>
#include <QVector>

#include <array>
#include <cstddef>

// How the fields of one kind of record lie in its fixed-size buffer. The three archives differ only
// in their tables: the sheet record uses zero-terminated fields, the customer and vehicle records
// length-prefixed ones (see FieldCodec).
enum class FieldEncoding { ZeroTerminated, LengthPrefixed };

// One field of a record: its name, where it starts and how many characters it keeps (it occupies
// capacity + 1 bytes).
struct FieldSpan
{
    const char *name;
    int offset;
    int capacity;
};

// A record format without its C++ type: what the scans, list lines, criteria and exports need to
// read any archive.
class RecordFormat
{
public:
    RecordFormat(QString fileName, int size, FieldEncoding encoding, QVector<FieldSpan> fields);

    const QString &fileName() const { return m_fileName; }
    int size() const { return m_size; }
    FieldEncoding encoding() const { return m_encoding; }
    int fieldCount() const { return int(m_fields.size()); }
    const FieldSpan &field(int index) const { return m_fields.at(index); }
    // The index of the field with this name, or -1.
    int indexOf(const char *name) const;

    // The stored bytes of a field of a whole record buffer (size() bytes), untouched: up to the
    // terminator, or as many as the (clamped) length byte says.
    struct Bytes
    {
        const char *data;
        qsizetype size;
    };
    Bytes stored(const char *record, int index) const;
    // The same without leading and trailing bytes of code 32 or below (in Windows-1252 exactly the
    // characters that the text rules trim).
    Bytes trimmed(const char *record, int index) const;

    // True when two whole records hold the same stored bytes in every field (what lies after a
    // field's text carries no meaning and is not compared).
    bool sameFields(const QByteArray &a, const QByteArray &b) const;
    // Writes / reads one field's text with the format's encoding (see FieldCodec).
    void put(QByteArray &record, int index, const QString &text) const;
    QString get(const QByteArray &record, int index) const;

    // True when the fields follow one another without gap or overlap from offset 0 and the last one
    // ends exactly at the record size.
    bool isContiguous() const;

private:
    QString m_fileName;
    int m_size;
    FieldEncoding m_encoding;
    QVector<FieldSpan> m_fields;
};

// One row of a record type's layout table: the field's span and the member that holds its text.
template<typename Record>
struct FieldLayout
{
    const char *name;
    int offset;
    int capacity;  // the field occupies capacity + 1 bytes
    QString Record::*member;
};

// What every record type derives from its layout table. A record type declares
//     static constexpr int kSize;                        // bytes per record
//     static constexpr FieldEncoding kEncoding;
//     static QString fileName();                         // the archive in the program folder
//     enum Field { ..., FieldCount };                    // in table order
//     static const std::array<FieldLayout<R>, FieldCount> &layout();
// and its QString members; bytes, field access and the untyped format all come from here.
template<typename Record>
struct RecordBase
{
    using Layout = FieldLayout<Record>;

    QString &operator[](int field) { return self().*Record::layout()[field].member; }
    const QString &operator[](int field) const { return self().*Record::layout()[field].member; }

    // The stored bytes: each text converted to Windows-1252 and cut to its field's capacity, in the
    // record's encoding (zero-terminated texts are stored as given, length-prefixed ones trimmed);
    // the rest of each field is zero.
    QByteArray toBytes() const
    {
        QByteArray bytes(Record::kSize, '\0');
        for (int i = 0; i < Record::FieldCount; ++i)
            format().put(bytes, i, (*this)[i]);
        return bytes;
    }

    // Reads a record (missing bytes of a short buffer read as zero); every text comes back trimmed.
    static Record fromBytes(const QByteArray &bytes)
    {
        QByteArray whole = bytes.left(Record::kSize);
        if (whole.size() < Record::kSize)
            whole.append(QByteArray(Record::kSize - whole.size(), '\0'));
        Record record;
        for (int i = 0; i < Record::FieldCount; ++i)
            record[i] = format().get(whole, i);
        return record;
    }

    // The stored bytes of one field of a whole record buffer, untouched.
    static QByteArray rawField(const char *record, int field)
    {
        const RecordFormat::Bytes b = format().stored(record, field);
        return QByteArray(b.data, b.size);
    }

    // The untyped format of this record type, made once from its table.
    static const RecordFormat &format()
    {
        static const RecordFormat made = [] {
            QVector<FieldSpan> spans;
            for (const Layout &l : Record::layout())
                spans.append({l.name, l.offset, l.capacity});
            return RecordFormat(Record::fileName(), Record::kSize, Record::kEncoding, spans);
        }();
        return made;
    }

private:
    Record &self() { return static_cast<Record &>(*this); }
    const Record &self() const { return static_cast<const Record &>(*this); }
};
