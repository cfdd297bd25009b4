#pragma once

// What the fuzz targets share: a check that stops the run with a readable message (libFuzzer then
// keeps the input as a crash; the seed runner fails its test), and a reader that splits one fuzz input
// into the pieces a target needs.

#include "common/CodePage.h"

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size);

namespace Fuzz {

[[noreturn]] inline void fail(const char *file, int line, const char *condition, const QString &detail)
{
    std::fprintf(stderr, "%s:%d: check failed: %s\n  %s\n", file, line, condition, detail.toUtf8().constData());
    std::fflush(stderr);
    std::abort();
}

// Shows a text with its unprintable characters as \u escapes, for failure messages.
inline QString shown(const QString &text)
{
    QString out;
    for (const QChar c : text) {
        if (c.unicode() < 0x20 || c.unicode() > 0x7E)
            out += QStringLiteral("\\u%1").arg(c.unicode(), 4, 16, QLatin1Char('0'));
        else
            out += c;
    }
    return QLatin1Char('"') + out + QLatin1Char('"');
}

inline QString shown(const QByteArray &bytes)
{
    return QString::fromLatin1(bytes.toHex());
}

// Reads one fuzz input front to back. Past the end every read gives zeros / empty pieces, so a
// target never needs to check the size itself.
class Input
{
public:
    Input(const uint8_t *data, size_t size) : m_data(reinterpret_cast<const char *>(data)), m_size(qsizetype(size)) {}

    bool atEnd() const { return m_pos >= m_size; }
    qsizetype remaining() const { return m_size - m_pos; }

    quint8 byte() { return atEnd() ? 0 : quint8(m_data[m_pos++]); }
    quint16 word() { return quint16(byte() | (byte() << 8)); }
    quint64 quad()
    {
        quint64 v = 0;
        for (int i = 0; i < 8; ++i)
            v |= quint64(byte()) << (8 * i);
        return v;
    }
    QByteArray bytes(qsizetype count)
    {
        const qsizetype n = qMax<qsizetype>(0, qMin(count, remaining()));
        const QByteArray out(m_data + m_pos, n);
        m_pos += n;
        return out;
    }
    QByteArray rest() { return bytes(remaining()); }
    // The bytes up to the next separator byte (dropped) or the end.
    QByteArray piece(char separator)
    {
        qsizetype end = m_pos;
        while (end < m_size && m_data[end] != separator)
            ++end;
        const QByteArray out(m_data + m_pos, end - m_pos);
        m_pos = end < m_size ? end + 1 : end;
        return out;
    }

private:
    const char *m_data;
    qsizetype m_size;
    qsizetype m_pos = 0;
};

// Text as the program reads it from its files (Windows-1252) or from an import file (UTF-8).
inline QString codePageText(const QByteArray &bytes)
{
    return CodePage::toUnicode(bytes);
}
inline QString utf8Text(const QByteArray &bytes)
{
    return QString::fromUtf8(bytes);
}

}  // namespace Fuzz

#define FUZZ_CHECK(condition, detail)                                                                                  \
  do {                                                                                                                 \
    if (!(condition))                                                                                                  \
      ::Fuzz::fail(__FILE__, __LINE__, #condition, (detail));                                                          \
  } while (false)
