#include "media/Logo.h"

#include "common/SafeFile.h"
#include "media/PictureLimits.h"

#include <QBuffer>
#include <QDir>
#include <QImageReader>
#include <QImageWriter>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace Logo {

namespace {

// A euro sign drawn with strokes, so it needs no font: an open ring and two bars, in `box`.
void drawEuro(QPainter &painter, const QRectF &box)
{
    const double side = std::min(box.width(), box.height());
    const QPointF centre = box.center() + QPointF(side * 0.06, 0);
    const double radius = side * 0.36;
    const double stroke = side * 0.11;

    QLinearGradient blue(box.topLeft(), box.bottomLeft());
    blue.setColorAt(0, QColor(0x2E, 0x6B, 0xE6));
    blue.setColorAt(1, QColor(0x0B, 0x2F, 0x8A));
    QPen pen(QBrush(blue), stroke, Qt::SolidLine, Qt::FlatCap);
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    const QRectF ring(centre.x() - radius, centre.y() - radius, radius * 2, radius * 2);
    painter.drawArc(ring, 45 * 16, 270 * 16);

    painter.setPen(Qt::NoPen);
    painter.setBrush(QBrush(blue));
    const double barHeight = stroke * 0.8;
    const double barLeft = centre.x() - radius - stroke * 1.4;
    const double barLength = radius * 1.55;
    for (const double dy : {-stroke * 0.85, stroke * 0.85}) {
        QPainterPath bar;
        const double top = centre.y() + dy - barHeight / 2;
        // Slanted at the right end, as the sign is usually drawn.
        bar.moveTo(barLeft, top);
        bar.lineTo(barLeft + barLength, top);
        bar.lineTo(barLeft + barLength - barHeight * 0.5, top + barHeight);
        bar.lineTo(barLeft - barHeight * 0.5, top + barHeight);
        bar.closeSubpath();
        painter.drawPath(bar);
    }
}

}  // namespace

QString fileName()
{
    return QStringLiteral("Logo.bmp");
}

QString filePath(const QString &programFolder)
{
    return QDir(programFolder).filePath(fileName());
}

QImage defaultLogo()
{
    QImage image(297, 184, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    drawEuro(painter, QRectF(0, 0, 297, 184).adjusted(8, 8, -8, -8));
    return image;
}

QImage blankLogo()
{
    QImage image(2, 2, QImage::Format_RGB32);
    image.fill(Qt::white);
    return image;
}

QImage euroIcon(int side)
{
    QImage image(side, side, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    drawEuro(painter, QRectF(0, 0, side, side));
    return image;
}

QImage readPicture(const QString &path)
{
    if (PictureLimits::tooLarge(path))
        return QImage();
    QImageReader reader(path);
    reader.setAutoTransform(true);
    PictureLimits::limit(reader);
    return reader.read();
}

QImage load(const QString &programFolder)
{
    const QImage logo = readPicture(filePath(programFolder));
    return logo.isNull() ? defaultLogo() : logo;
}

bool save(const QString &programFolder, const QImage &picture)
{
    if (picture.isNull())
        return false;
    // A bitmap has no transparency: the picture goes onto white, as it is shown.
    QImage flat(picture.size(), QImage::Format_RGB32);
    flat.fill(Qt::white);
    {
        QPainter painter(&flat);
        painter.drawImage(0, 0, picture);
    }
    QByteArray bytes;
    {
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        QImageWriter writer(&buffer, "bmp");
        if (!writer.write(flat))
            return false;
    }
    return SafeFile::replace(filePath(programFolder), bytes);
}

}  // namespace Logo
