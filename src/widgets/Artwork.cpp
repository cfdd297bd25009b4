#include "widgets/Artwork.h"

#include <QFont>
#include <QIcon>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QSvgRenderer>

namespace Artwork {

QPixmap picture(const QString &path, const QSize &size)
{
    QPixmap pixmap(size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    if (path.endsWith(QLatin1String(".svg"))) {
        QSvgRenderer renderer(path);
        QSizeF natural = renderer.defaultSize();
        natural.scale(size, Qt::KeepAspectRatio);
        const QRectF target(QPointF((size.width() - natural.width()) / 2.0, (size.height() - natural.height()) / 2.0),
                            natural);
        renderer.render(&painter, target);
    } else {
        const QPixmap source(path);
        const QPixmap scaled = source.scaled(size, Qt::KeepAspectRatio, Qt::SmoothTransformation);
        painter.drawPixmap((size.width() - scaled.width()) / 2, (size.height() - scaled.height()) / 2, scaled);
    }
    return pixmap;
}

QPixmap header(const QSize &size, const QString &iconPath, const QString &title, const QStringList &lines)
{
    QPixmap pixmap(size);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    QLinearGradient band(0, 0, 0, size.height());
    band.setColorAt(0, QColor(0x2F, 0x6D, 0xB5));
    band.setColorAt(1, QColor(0x17, 0x3F, 0x75));
    painter.fillRect(pixmap.rect(), band);
    painter.fillRect(QRect(0, size.height() - 3, size.width(), 3), QColor(0xF5, 0xA6, 0x23));

    const int iconSide = qMin(size.height() - 24, 72);
    const int margin = 14;
    if (!iconPath.isEmpty()) {
        painter.drawPixmap(margin, (size.height() - iconSide) / 2, picture(iconPath, QSize(iconSide, iconSide)));
    }
    const int textLeft = iconPath.isEmpty() ? margin : margin * 2 + iconSide;
    const QRect textArea(textLeft, 8, size.width() - textLeft - margin, size.height() - 16);

    QFont titleFont(QStringLiteral("Verdana"), 16, QFont::Bold);
    // A title too long for a narrow picture is drawn smaller, never cut.
    while (titleFont.pointSize() > 9 && QFontMetrics(titleFont).horizontalAdvance(title) > textArea.width())
        titleFont.setPointSize(titleFont.pointSize() - 1);
    QFont lineFont(QStringLiteral("Verdana"), 9);
    const QFontMetrics titleMetrics(titleFont);
    const QFontMetrics lineMetrics(lineFont);
    int linesHeight = 0;
    for (const QString &line : lines)
        linesHeight +=
            lineMetrics.boundingRect(QRect(0, 0, textArea.width(), 1000), Qt::TextWordWrap, line).height() + 2;
    int y = textArea.top() + qMax(0, (textArea.height() - titleMetrics.height() - linesHeight) / 2);

    painter.setPen(Qt::white);
    painter.setFont(titleFont);
    painter.drawText(QRect(textArea.left(), y, textArea.width(), titleMetrics.height()),
                     Qt::AlignLeft | Qt::AlignVCenter, title);
    y += titleMetrics.height() + 2;
    painter.setFont(lineFont);
    painter.setPen(QColor(0xE4, 0xEE, 0xF8));
    for (const QString &line : lines) {
        const QRect box(textArea.left(), y, textArea.width(), 1000);
        const QRect used = painter.boundingRect(box, Qt::TextWordWrap, line);
        painter.drawText(box, Qt::TextWordWrap, line);
        y += used.height() + 2;
    }
    return pixmap;
}

QPixmap buttonPicture(const QSize &size, const QString &text, const QColor &colour)
{
    QPixmap pixmap(size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    QLinearGradient fill(0, 0, 0, size.height());
    fill.setColorAt(0, colour.lighter(125));
    fill.setColorAt(1, colour.darker(115));
    QPainterPath shape;
    shape.addRoundedRect(QRectF(1, 1, size.width() - 2, size.height() - 2), 8, 8);
    painter.fillPath(shape, fill);
    painter.setPen(QPen(colour.darker(150), 1.5));
    painter.drawPath(shape);
    QFont font(QStringLiteral("Verdana"), 11, QFont::Bold);
    painter.setFont(font);
    painter.setPen(Qt::white);
    painter.drawText(pixmap.rect(), Qt::AlignCenter, text);
    return pixmap;
}

}  // namespace Artwork
