#include "shell/ItalianTexts.h"

#include <QFile>
#include <QStringList>

namespace {

QString keyOf(const QString &context, const QString &source)
{
    return context + QChar(0x1F) + source;
}

}  // namespace

ItalianTexts::ItalianTexts(QObject *parent) : QTranslator(parent)
{
    QFile file(tablePath());
    if (file.open(QIODevice::ReadOnly))
        m_texts = parse(QString::fromUtf8(file.readAll()));
}

QHash<QString, QString> ItalianTexts::parse(const QString &table)
{
    QHash<QString, QString> texts;
    for (const QString &line : table.split(QLatin1Char('\n'))) {
        QString entry = line;
        if (entry.endsWith(QLatin1Char('\r')))
            entry.chop(1);
        if (entry.isEmpty() || entry.startsWith(QLatin1Char('#')))
            continue;
        QStringList parts = entry.split(QLatin1Char('\t'));
        if (parts.size() != 3 || parts.at(1).isEmpty() || parts.at(2).isEmpty())
            continue;
        for (QString &part : parts)
            part.replace(QStringLiteral("\\n"), QStringLiteral("\n"));
        texts.insert(keyOf(parts.at(0), parts.at(1)), parts.at(2));
    }
    return texts;
}

QString ItalianTexts::translate(const char *context, const char *sourceText, const char *, int) const
{
    if (!sourceText)
        return QString();
    const QString source = QString::fromUtf8(sourceText);
    const auto found = m_texts.constFind(keyOf(QString::fromUtf8(context), source));
    if (found != m_texts.constEnd())
        return *found;
    return m_texts.value(keyOf(QString(), source));
}
