#pragma once

#include <QByteArray>
#include <QString>

// Conversion between screen text and the single-byte Windows-1252 code page in which every archive,
// settings file and password is stored. The table is built in, so the stored bytes never depend on
// the converters that a particular Qt build happens to carry.
namespace CodePage {

// Converts to Windows-1252; a character the code page lacks becomes '?'.
QByteArray fromUnicode(const QString &text);

// Converts Windows-1252 bytes to text. The five bytes that the code page leaves undefined map onto
// the control characters of the same code, as the Windows converter does.
QString toUnicode(const char *data, qsizetype size);
inline QString toUnicode(const QByteArray &bytes)
{
    return toUnicode(bytes.constData(), bytes.size());
}

// The byte that stands for one character, or -1 when the code page lacks it.
int byteFor(QChar c);

// True when every character of the text has a byte of its own in the code page.
bool canEncode(const QString &text);

}  // namespace CodePage
