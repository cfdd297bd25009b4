#pragma once

#include <QByteArray>
#include <QString>

// Case-folding substring search on the stored bytes of a record field, as the search dialogs match
// their criteria: the criterion, lower-cased on the letters A to Z only, must occur in the field,
// lower-cased the same way. In Windows-1252 the letters A to Z are the bytes 41..5A and no other byte
// stands for them, so folding the stored bytes gives exactly what folding the decoded text would:
// the field is never decoded, and the criterion is converted to the code page once.
class FieldPattern
{
public:
    FieldPattern() = default;
    // The criterion as typed (not trimmed).
    explicit FieldPattern(const QString &typed);

    // True when the pattern occurs in the field's bytes. The empty pattern occurs everywhere; a
    // pattern with a character that the code page lacks occurs nowhere (no stored text can hold it).
    bool foundIn(const char *field, qsizetype length) const;
    bool foundIn(const QByteArray &field) const { return foundIn(field.constData(), field.size()); }

private:
    QByteArray m_lower;
    bool m_never = false;
};

namespace FieldMatch {

// Lower-cases the bytes A..Z (41..5A) and leaves every other byte as it is.
inline unsigned char lowerAZ(unsigned char b)
{
    return (b >= 'A' && b <= 'Z') ? static_cast<unsigned char>(b + 32) : b;
}

// The length of a zero-terminated field of the given capacity inside a record buffer: up to the
// first zero byte, or all capacity + 1 bytes when there is none.
qsizetype zeroTerminatedLength(const char *field, int capacity);

}  // namespace FieldMatch
