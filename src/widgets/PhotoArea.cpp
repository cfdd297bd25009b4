#include "widgets/PhotoArea.h"

#include "common/SafeFile.h"
#include "media/PictureLimits.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QImageWriter>
#include <QPainter>

namespace {

bool isJpeg(const QByteArray &bytes)
{
    return bytes.size() > 3 && static_cast<unsigned char>(bytes[0]) == 0xFF
           && static_cast<unsigned char>(bytes[1]) == 0xD8;
}

}  // namespace

PhotoArea::PhotoArea(const QSize &size, const QImage &placeholder, QWidget *parent)
    : QLabel(parent), m_size(size), m_placeholder(placeholder)
{
    setFixedSize(size);
    setAlignment(Qt::AlignCenter);
    clear();
}

void PhotoArea::showScaled(const QImage &display)
{
    const QSize inside = m_size - QSize(2, 2);
    if (display.isNull()) {
        setPixmap(QPixmap());
        return;
    }
    QImage fitted =
        display.size() == inside ? display : display.scaled(inside, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    setPixmap(QPixmap::fromImage(fitted));
}

void PhotoArea::clear()
{
    markChanged();
    m_jpeg.clear();
    m_full = m_placeholder;
    m_placeholderShown = true;
    showScaled(m_placeholder);
}

PhotoArea::Decoded PhotoArea::decodeFile(const QString &path, const QSize &areaSize)
{
    Decoded result;
    // A file beyond the limit is refused before it is read: reading it whole would take its size in
    // memory.
    if (PictureLimits::tooLarge(path)) {
        result.tooLarge = true;
        return result;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return result;
    const QByteArray bytes = file.readAll();
    file.close();

    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    reader.setAutoTransform(true);
    PictureLimits::limit(reader);
    const QSize natural = reader.size();
    if (!natural.isValid())
        return result;
    // Decode only as many pixels as the area shows: the JPEG decoder then skips most of the work
    // of a phone photo of twelve megapixels.
    const QSize inside = areaSize - QSize(2, 2);
    const bool jpeg = isJpeg(bytes);
    const bool big = natural.width() > inside.width() || natural.height() > inside.height();
    if (big && jpeg)
        reader.setScaledSize(natural.scaled(inside, Qt::KeepAspectRatio));
    const QImage image = reader.read();
    if (image.isNull())
        return result;
    result.ok = true;
    result.display = image;
    if (jpeg)
        result.jpeg = bytes;
    if (!(big && jpeg))
        result.full = image;
    return result;
}

bool PhotoArea::show(const Decoded &decoded)
{
    if (!decoded.ok)
        return false;
    markChanged();
    m_placeholderShown = false;
    m_jpeg = decoded.jpeg;
    m_full = decoded.full;
    showScaled(decoded.display);
    return true;
}

void PhotoArea::setImage(const QImage &image)
{
    markChanged();
    m_jpeg.clear();
    m_full = image;
    m_placeholderShown = false;
    showScaled(image);
}

QImage PhotoArea::fullImage() const
{
    if (m_full.isNull() && !m_jpeg.isEmpty()) {
        QImage decoded;
        QBuffer buffer;
        buffer.setData(m_jpeg);
        buffer.open(QIODevice::ReadOnly);
        QImageReader reader(&buffer);
        reader.setAutoTransform(true);
        PictureLimits::limit(reader);
        decoded = reader.read();
        m_full = decoded;
    }
    return m_full;
}

QByteArray PhotoArea::bytesForSaving() const
{
    if (!m_jpeg.isEmpty())
        return m_jpeg;
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "jpeg");
    writer.setQuality(kJpegQuality);
    QImage image = fullImage();
    if (image.hasAlphaChannel()) {
        // JPEG has no transparency: put the picture on white, as it is shown.
        QImage flat(image.size(), QImage::Format_RGB32);
        flat.fill(Qt::white);
        QPainter(&flat).drawImage(0, 0, image);
        image = flat;
    }
    if (!writer.write(image))
        return QByteArray();
    return bytes;
}

bool PhotoArea::saveTo(const QString &path) const
{
    const QByteArray bytes = bytesForSaving();
    if (bytes.isEmpty())
        return false;
    if (!QDir().mkpath(QFileInfo(path).absolutePath()))
        return false;
    return SafeFile::replace(path, bytes);
}

void PhotoArea::markChanged()
{
    m_changed = true;
    ++m_changeCount;
}

void PhotoArea::showStored(const Decoded &decoded)
{
    if (!show(decoded))
        clear();
    m_changed = false;
}

bool PhotoArea::saveIfChanged(const QString &path)
{
    if (!m_changed && QFileInfo::exists(path))
        return true;
    if (!saveTo(path))
        return false;
    m_changed = false;
    return true;
}
