#include "widgets/AppStyle.h"

#include "widgets/Palette.h"

#include <QApplication>
#include <QFile>
#include <QRegularExpression>

QString AppStyle::sheet()
{
    QFile file(QStringLiteral(":/style/cablora.qss"));
    if (!file.open(QIODevice::ReadOnly))
        return QString();
    return withColours(QString::fromUtf8(file.readAll()));
}

QString AppStyle::withColours(const QString &text)
{
    QString filled;
    static const QRegularExpression name(QStringLiteral("@([A-Za-z]+)"));
    qsizetype done = 0;
    for (const QRegularExpressionMatch &match : name.globalMatch(text)) {
        filled += text.mid(done, match.capturedStart() - done);
        QString colour = match.captured(0);
        for (const auto &[known, value] : Palette::named()) {
            if (known == match.captured(1))
                colour = value.name();
        }
        filled += colour;
        done = match.capturedEnd();
    }
    return filled + text.mid(done);
}

void AppStyle::apply(QApplication &app)
{
    app.setStyleSheet(sheet());
}
