// The INI reader and writer (Cablora.ini, Contratti.ini, the password store) over a file of fuzz bytes.
//
// Input: one byte that picks the section and key (one of the program's own), a value line (up to
// the first LF... or CR, which a value may hold and the writer must flatten), a zero byte, then the
// file content.
//
// Checked: reading never fails on an existing file; writing a value and reading it back gives the
// value as the profile rules read it (one line, blanks around it and one pair of quotes dropped);
// writing the same value again changes nothing; every other line of the file is kept in its order and
// no other key of the program changes; the file ends with CR LF.

#include "FuzzSupport.h"

#include "common/IniFile.h"

#include <QFile>
#include <QTemporaryDir>

namespace {

struct Entry
{
    const char *section;
    const char *key;
};

// The entries the program reads and writes.
constexpr Entry kEntries[] = {
    {"Schede Interventi", "Intestazione Azienda"},
    {"Numerazione Contratti", "Inizio"},
    {"Accesso", "Valore"},
    {"SCHEDE INTERVENTI", "intestazione azienda"},
};
constexpr int kEntryCount = int(sizeof kEntries / sizeof kEntries[0]);

const QString &scratchFile()
{
    static QTemporaryDir dir;
    static const QString path = dir.path() + QStringLiteral("/Cablora.ini");
    return path;
}

void writeFile(const QByteArray &content)
{
    QFile out(scratchFile());
    FUZZ_CHECK(out.open(QIODevice::WriteOnly | QIODevice::Truncate) && out.write(content) == content.size(),
               scratchFile());
}

QString read(const Entry &e)
{
    bool ok = false;
    const QString v = IniFile::value(scratchFile(), QLatin1String(e.section), QLatin1String(e.key), &ok);
    FUZZ_CHECK(ok, QStringLiteral("an existing file could not be read"));
    return v;
}

// The value as a profile reader gives it back: on one line, blanks around it dropped, then one pair
// of enclosing quotes.
QString readBack(QString value)
{
    value.replace(QStringLiteral("\r\n"), QStringLiteral(" "));
    value.replace(QLatin1Char('\r'), QLatin1Char(' '));
    value.replace(QLatin1Char('\n'), QLatin1Char(' '));
    value = value.trimmed();
    if (value.size() >= 2 && (value.front() == QLatin1Char('"') || value.front() == QLatin1Char('\''))
        && value.back() == value.front())
        value = value.mid(1, value.size() - 2);
    return value;
}

QList<QByteArray> linesOf(const QByteArray &content)
{
    QList<QByteArray> lines = content.split('\n');
    for (QByteArray &line : lines) {
        if (line.endsWith('\r'))
            line.chop(1);
    }
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    Fuzz::Input input(data, size);
    const Entry &entry = kEntries[input.byte() % kEntryCount];
    const QString value = Fuzz::codePageText(input.piece('\0'));
    const QByteArray content = input.rest();

    writeFile(content);
    QString before[kEntryCount];
    for (int i = 0; i < kEntryCount; ++i)
        before[i] = read(kEntries[i]);

    const QByteArray written =
        IniFile::withValue(content, QLatin1String(entry.section), QLatin1String(entry.key), value);
    FUZZ_CHECK(written.endsWith("\r\n"), Fuzz::shown(written));
    FUZZ_CHECK(IniFile::withValue(written, QLatin1String(entry.section), QLatin1String(entry.key), value) == written,
               QStringLiteral("writing the same value again changed the file"));

    // The old lines, in order, with one changed or one or two added.
    const QList<QByteArray> oldLines = linesOf(content);
    const QList<QByteArray> newLines = linesOf(written);
    const qsizetype added = newLines.size() - oldLines.size();
    FUZZ_CHECK(added >= 0 && added <= 2, QStringLiteral("%1 lines added").arg(added));
    if (added == 0) {
        qsizetype changed = 0;
        for (qsizetype i = 0; i < oldLines.size(); ++i)
            changed += newLines.at(i) != oldLines.at(i) ? 1 : 0;
        FUZZ_CHECK(changed <= 1, QStringLiteral("%1 lines changed").arg(changed));
    } else {
        qsizetype o = 0;
        for (qsizetype n = 0; n < newLines.size() && o < oldLines.size(); ++n) {
            if (newLines.at(n) == oldLines.at(o))
                ++o;
        }
        FUZZ_CHECK(o == oldLines.size(), QStringLiteral("old line %1 lost").arg(o));
    }

    writeFile(written);
    const QString back = read(entry);
    FUZZ_CHECK(back == readBack(value), Fuzz::shown(value) + QStringLiteral(" read back as ") + Fuzz::shown(back));
    for (int i = 0; i < kEntryCount; ++i) {
        if (QString::fromLatin1(kEntries[i].section).compare(QLatin1String(entry.section), Qt::CaseInsensitive) == 0
            && QString::fromLatin1(kEntries[i].key).compare(QLatin1String(entry.key), Qt::CaseInsensitive) == 0)
            continue;
        FUZZ_CHECK(read(kEntries[i]) == before[i],
                   QStringLiteral("%1 / %2 changed").arg(kEntries[i].section, kEntries[i].key));
    }
    return 0;
}
