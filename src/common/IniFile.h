#pragma once

#include <QString>

// INI files as Windows profile files treat them: "[section]" lines and "key=value" lines, sections and
// keys matched without regard to letter case, values as plain text (blanks around them and one pair of
// enclosing quotes dropped), every other line kept as it is. Text is stored in Windows-1252 with CR LF
// line ends. A write replaces the whole file atomically, so a failed write leaves the old file intact.
namespace IniFile {

// A settings file holds a few short lines: one larger than this is not read into memory (a damaged or
// foreign file), it counts as a file that cannot be read.
constexpr qint64 kMaxBytes = 4 * 1024 * 1024;

// The value of key in section, or the empty text when the file, section or key is missing.
// ok (when given) turns false only when the file exists but cannot be read (or is beyond kMaxBytes).
QString value(const QString &path, const QString &section, const QString &key, bool *ok = nullptr);

// True when the file holds key in section (whatever its value, the empty text included); false when
// the file, the section or the key is missing, or the file cannot be read.
bool contains(const QString &path, const QString &section, const QString &key);

// Sets key in section to value, adding the section and the key when missing and creating the file.
// The entry stays on one line: line breaks in the value (a CR LF pair, a lone CR or LF) are stored
// as blanks. Returns false, leaving the file as it was, when the file cannot be written (or is
// beyond kMaxBytes).
bool setValue(const QString &path, const QString &section, const QString &key, const QString &value);

// The whole new file content that setValue writes for the given old content (exposed for tests).
QByteArray withValue(const QByteArray &content, const QString &section, const QString &key, const QString &value);

}  // namespace IniFile
