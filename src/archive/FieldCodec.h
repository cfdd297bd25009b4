#pragma once

#include <QByteArray>
#include <QString>

// The two encodings of a fixed-capacity text field inside a record buffer.
// A field of capacity C always occupies C + 1 bytes:
//  - zero-terminated: the text, then a zero byte (intervention sheets);
//  - length-prefixed: one length byte, then C bytes of which the first <length> are the text
//    (customers and vehicles).
// Text is stored in Windows-1252 and cut to C bytes. Readers trim the text they return and never
// trust the stored bytes: a missing terminator or a length above C is read as far as the field goes.
// A field that does not lie wholly inside the record (a wrong offset or capacity) is never touched:
// writing it does nothing and reading it gives the empty text.
namespace FieldCodec {

// Writes text into record[offset .. offset + capacity]; the bytes after the text are zeroed.
void putZeroTerminated(QByteArray &record, int offset, int capacity, const QString &text);
QString getZeroTerminated(const QByteArray &record, int offset, int capacity);
// The raw stored bytes of the field, up to the terminator (no conversion, no trimming).
QByteArray rawZeroTerminated(const char *record, int offset, int capacity);

void putLengthPrefixed(QByteArray &record, int offset, int capacity, const QString &text);
QString getLengthPrefixed(const QByteArray &record, int offset, int capacity);
QByteArray rawLengthPrefixed(const char *record, int offset, int capacity);

// The flag texts "Sì" and "No" as stored and shown.
QString yesText();
QString noText();

}  // namespace FieldCodec
