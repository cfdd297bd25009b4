#include "archive/FieldMatch.h"

#include "common/CodePage.h"
#include "common/TextRules.h"

#include <cstring>

FieldPattern::FieldPattern(const QString &typed)
{
    const QString lower = TextRules::lowerAZ(typed);
    m_never = !CodePage::canEncode(lower);
    m_lower = CodePage::fromUnicode(lower);
}

bool FieldPattern::foundIn(const char *field, qsizetype length) const
{
    if (m_never)
        return false;
    const qsizetype m = m_lower.size();
    if (m == 0)
        return true;
    if (m > length)
        return false;
    const auto *h = reinterpret_cast<const unsigned char *>(field);
    const auto *n = reinterpret_cast<const unsigned char *>(m_lower.constData());
    const unsigned char first = n[0];
    const qsizetype last = length - m;
    for (qsizetype i = 0; i <= last; ++i) {
        if (FieldMatch::lowerAZ(h[i]) != first)
            continue;
        qsizetype j = 1;
        while (j < m && FieldMatch::lowerAZ(h[i + j]) == n[j])
            ++j;
        if (j == m)
            return true;
    }
    return false;
}

namespace FieldMatch {

qsizetype zeroTerminatedLength(const char *field, int capacity)
{
    const void *zero = std::memchr(field, 0, size_t(capacity) + 1);
    return zero ? qsizetype(static_cast<const char *>(zero) - field) : qsizetype(capacity) + 1;
}

}  // namespace FieldMatch
