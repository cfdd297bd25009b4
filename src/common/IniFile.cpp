#include "common/IniFile.h"

#include "common/CodePage.h"
#include "common/SafeFile.h"

#include <QFile>
#include <QFileInfo>
#include <QList>

namespace IniFile {

namespace {

bool isSectionLine(const QString &line, QString *name)
{
    const QString t = line.trimmed();
    if (!t.startsWith(QLatin1Char('[')))
        return false;
    const qsizetype close = t.indexOf(QLatin1Char(']'));
    if (close < 0)
        return false;
    *name = t.mid(1, close - 1).trimmed();
    return true;
}

bool isKeyLine(const QString &line, QString *key, QString *value)
{
    const qsizetype eq = line.indexOf(QLatin1Char('='));
    if (eq < 0)
        return false;
    const QString k = line.left(eq).trimmed();
    if (k.isEmpty() || k.startsWith(QLatin1Char(';')))
        return false;
    *key = k;
    if (value) {
        QString v = line.mid(eq + 1).trimmed();
        if (v.size() >= 2 && (v.front() == QLatin1Char('"') || v.front() == QLatin1Char('\'')) && v.back() == v.front())
            v = v.mid(1, v.size() - 2);
        *value = v;
    }
    return true;
}

// A profile file keeps one entry per line: line breaks inside a name or a value become blanks (a
// CR LF pair one blank), so a value can never add lines, sections or keys to the file.
QString oneLine(const QString &text)
{
    if (!text.contains(QLatin1Char('\r')) && !text.contains(QLatin1Char('\n')))
        return text;
    QString line = text;
    line.replace(QStringLiteral("\r\n"), QStringLiteral(" "));
    line.replace(QLatin1Char('\r'), QLatin1Char(' '));
    line.replace(QLatin1Char('\n'), QLatin1Char(' '));
    return line;
}

bool sameName(const QString &a, const QString &b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

QList<QString> splitLines(const QByteArray &content)
{
    QList<QString> lines;
    if (content.isEmpty())
        return lines;
    const QString text = CodePage::toUnicode(content);
    for (QString line : text.split(QLatin1Char('\n'))) {
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
        lines.append(line);
    }
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();  // the line break that ends the last line
    return lines;
}

}  // namespace

QString value(const QString &path, const QString &section, const QString &key, bool *ok)
{
    if (ok)
        *ok = true;
    QFile file(path);
    if (!file.exists())
        return QString();
    if (file.size() > kMaxBytes || !file.open(QIODevice::ReadOnly)) {
        if (ok)
            *ok = false;
        return QString();
    }
    const QList<QString> lines = splitLines(file.readAll());
    bool inSection = false;
    for (const QString &line : lines) {
        QString name, k, v;
        if (isSectionLine(line, &name))
            inSection = sameName(name, section);
        else if (inSection && isKeyLine(line, &k, &v) && sameName(k, key))
            return v;
    }
    return QString();
}

bool contains(const QString &path, const QString &section, const QString &key)
{
    QFile file(path);
    if (file.size() > kMaxBytes || !file.open(QIODevice::ReadOnly))
        return false;
    const QList<QString> lines = splitLines(file.readAll());
    bool inSection = false;
    for (const QString &line : lines) {
        QString name, k;
        if (isSectionLine(line, &name))
            inSection = sameName(name, section);
        else if (inSection && isKeyLine(line, &k, nullptr) && sameName(k, key))
            return true;
    }
    return false;
}

QByteArray withValue(const QByteArray &content, const QString &sectionName, const QString &keyName,
                     const QString &valueText)
{
    const QString section = oneLine(sectionName);
    const QString key = oneLine(keyName);
    const QString value = oneLine(valueText);
    QList<QString> lines = splitLines(content);
    const QString newLine = key + QLatin1Char('=') + value;

    qsizetype sectionAt = -1;
    qsizetype lastKeyAt = -1;  // the last line of the section that is not blank
    bool done = false;
    for (qsizetype i = 0; i < lines.size() && !done; ++i) {
        QString name, k;
        if (isSectionLine(lines[i], &name)) {
            if (sectionAt >= 0)
                break;  // end of the wanted section
            if (sameName(name, section)) {
                sectionAt = i;
                lastKeyAt = i;
            }
        } else if (sectionAt >= 0) {
            if (isKeyLine(lines[i], &k, nullptr) && sameName(k, key)) {
                lines[i] = newLine;
                done = true;
            } else if (!lines[i].trimmed().isEmpty()) {
                lastKeyAt = i;
            }
        }
    }
    if (!done) {
        if (sectionAt >= 0) {
            lines.insert(lastKeyAt + 1, newLine);
        } else {
            lines.append(QLatin1Char('[') + section + QLatin1Char(']'));
            lines.append(newLine);
        }
    }
    QByteArray out;
    for (const QString &line : lines) {
        out += CodePage::fromUnicode(line);
        out += "\r\n";
    }
    return out;
}

bool setValue(const QString &path, const QString &section, const QString &key, const QString &value)
{
    QByteArray content;
    QFile old(path);
    if (old.exists()) {
        if (old.size() > kMaxBytes || !old.open(QIODevice::ReadOnly))
            return false;
        content = old.readAll();
        old.close();
    }
    return SafeFile::replace(path, withValue(content, section, key, value));
}

}  // namespace IniFile
