#include "widgets/ListDialogParts.h"

#include "widgets/Artwork.h"
#include "widgets/EventHooks.h"

#include <QKeyEvent>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>

namespace ListDialogParts {

QStringList findInstructions()
{
    return {QStringLiteral("Immettere una o più parole consecutive presenti nella scheda in elenco da "
                           "cercare e premere il pulsante Trova."),
            QStringLiteral("Per spostarsi sulla voce successiva contenente la stessa chiave di ricerca, "
                           "fare di nuovo clic su Trova.")};
}

QPixmap instructionPicture(const QSize &size, const QStringList &lines)
{
    QPixmap pixmap(size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    QPainterPath panel;
    panel.addRoundedRect(QRectF(0.5, 0.5, size.width() - 1, size.height() - 1), 6, 6);
    painter.fillPath(panel, QColor(0xFF, 0xFB, 0xE6));
    painter.setPen(QPen(QColor(0xE0, 0xC8, 0x70), 1));
    painter.drawPath(panel);

    const int iconSide = qMin(size.height() - 12, 40);
    painter.drawPixmap(10, (size.height() - iconSide) / 2,
                       Artwork::picture(QStringLiteral(":/icons/dialog-information.svg"), QSize(iconSide, iconSide)));
    const int left = 20 + iconSide;
    const QRect area(left, 6, size.width() - left - 10, size.height() - 12);
    const QFont font(QStringLiteral("Verdana"), 9);
    painter.setFont(font);
    painter.setPen(QColor(0x33, 0x33, 0x33));
    int textHeight = 0;
    for (const QString &line : lines)
        textHeight += painter.boundingRect(QRect(0, 0, area.width(), 1000), Qt::TextWordWrap, line).height() + 2;
    int y = area.top() + qMax(0, (area.height() - textHeight) / 2);
    for (const QString &line : lines) {
        const QRect box(area.left(), y, area.width(), 1000);
        const QRect used = painter.boundingRect(box, Qt::TextWordWrap, line);
        painter.drawText(box, Qt::TextWordWrap, line);
        y += used.height() + 2;
    }
    return pixmap;
}

QPixmap lensPicture(const QSize &size)
{
    return Artwork::picture(QStringLiteral(":/icons/system-search.svg"), size);
}

QPixmap decorationPicture(const QSize &size, const QString &artPath)
{
    QPixmap pixmap(size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    QLinearGradient fill(0, 0, 0, size.height());
    fill.setColorAt(0, QColor(0xE8, 0xF1, 0xFA));
    fill.setColorAt(1, QColor(0xB9, 0xCF, 0xE6));
    QPainterPath panel;
    panel.addRoundedRect(QRectF(0.5, 0.5, size.width() - 1, size.height() - 1), 8, 8);
    painter.fillPath(panel, fill);
    painter.setPen(QPen(QColor(0x9F, 0xBC, 0xD9), 1));
    painter.drawPath(panel);
    const int w = size.width() - 16;
    painter.drawPixmap(8, size.height() / 5, Artwork::picture(artPath, QSize(w, w * 260 / 370)));
    const int lens = size.width() / 2;
    painter.drawPixmap((size.width() - lens) / 2, size.height() * 3 / 5, lensPicture(QSize(lens, lens)));
    return pixmap;
}

QString printFailedMessage()
{
    return QStringLiteral("Attenzione: non è stato possibile stampare il riepilogo.");
}

QPushButton *button(const QString &text, QWidget *parent)
{
    auto *b = new QPushButton(text, parent);
    b->setMinimumSize(110, 34);
    b->setAutoDefault(false);
    b->setCursor(Qt::PointingHandCursor);
    EventHooks::onKeyDown(b, [b](QKeyEvent *event) {
        if (!EventHooks::isEnter(event))
            return false;
        b->click();
        return true;
    });
    return b;
}

}  // namespace ListDialogParts
