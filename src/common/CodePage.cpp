#include "common/CodePage.h"

#include <array>
#include <cstring>

namespace CodePage {

namespace {

// Unicode code points of the bytes 0x80..0x9F; the others equal their byte (Latin-1).
constexpr std::array<char16_t, 32> kHighControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

}  // namespace

int byteFor(QChar c)
{
    const char16_t u = c.unicode();
    if (u < 0x80 || (u >= 0xA0 && u <= 0xFF))
        return u;
    for (int i = 0; i < 32; ++i) {
        if (kHighControls[i] == u)
            return 0x80 + i;
    }
    return -1;
}

QByteArray fromUnicode(const QString &text)
{
    QByteArray bytes;
    bytes.reserve(text.size());
    for (const QChar c : text) {
        const int b = byteFor(c);
        bytes.append(b < 0 ? '?' : char(b));
    }
    return bytes;
}

QString toUnicode(const char *data, qsizetype size)
{
    // Latin-1 (which Qt widens fast) for all bytes but 0x80..0x9F, which are rare: those are
    // looked up afterwards.
    QString text = QString::fromLatin1(data, size);
    QChar *out = nullptr;
    qsizetype i = 0;
    // Eight bytes at a time while none of them is 0x80..0x9F (top three bits 100): such a byte
    // becomes a zero byte of v, which the classic test below finds.
    constexpr quint64 kOnes = 0x0101010101010101ULL;
    constexpr quint64 kHighs = 0x8080808080808080ULL;
    for (; i + 8 <= size; i += 8) {
        quint64 word;
        std::memcpy(&word, data + i, sizeof word);
        const quint64 v = (word & 0xE0E0E0E0E0E0E0E0ULL) ^ kHighs;
        if (((v - kOnes) & ~v & kHighs) != 0)
            break;
    }
    for (; i < size; ++i) {
        const unsigned char b = static_cast<unsigned char>(data[i]);
        if (static_cast<unsigned char>(b - 0x80) < 0x20) {
            if (!out)
                out = text.data();
            out[i] = QChar(kHighControls[b - 0x80]);
        }
    }
    return text;
}

bool canEncode(const QString &text)
{
    for (const QChar c : text) {
        if (byteFor(c) < 0)
            return false;
    }
    return true;
}

}  // namespace CodePage
