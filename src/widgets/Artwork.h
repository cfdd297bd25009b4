#pragma once

#include <QPixmap>
#include <QSize>
#include <QString>
#include <QStringList>

// Artwork drawn by the program itself: window headers and button pictures, so that every text on a
// picture is the program's own Italian text.
namespace Artwork {

// A header: a blue band with an icon at the left, a title and a few lines of text.
QPixmap header(const QSize &size, const QString &iconPath, const QString &title, const QStringList &lines = {});

// A picture rendered from an SVG (or any image) resource at the given size.
QPixmap picture(const QString &path, const QSize &size);

// A button picture: a rounded bar with a caption, as used for the launcher tiles.
QPixmap buttonPicture(const QSize &size, const QString &text, const QColor &colour);

}  // namespace Artwork
