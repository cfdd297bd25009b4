#pragma once

#include <QBuffer>
#include <QByteArray>
#include <QImage>
#include <QRandomGenerator>

// A 4000 x 3000 photo (12 megapixels) with smooth shapes and fine grain, so that the JPEG weighs
// what a phone photo weighs (a few megabytes).
inline QByteArray phonePhoto(quint32 seed)
{
    QImage image(4000, 3000, QImage::Format_RGB32);
    QRandomGenerator random(seed);
    for (int y = 0; y < image.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            const int grain = random.bounded(24);
            line[x] = qRgb(qBound(0, 60 + x / 24 + grain, 255), qBound(0, 80 + y / 16 + grain, 255),
                           qBound(0, 120 + ((x / 40 + y / 40) % 2) * 60 + grain, 255));
        }
    }
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "JPEG", 92);
    return bytes;
}
