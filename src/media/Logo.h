#pragma once

#include <QImage>
#include <QString>

// The workshop logo: the file Logo.bmp in the program folder, printed on every intervention sheet.
namespace Logo {

QString fileName();  // "Logo.bmp"
QString filePath(const QString &programFolder);

// The built-in default: a blue euro sign, 297 x 184.
QImage defaultLogo();
// The built-in blank logo: 2 x 2 white pixels. Storing it clears the logo.
QImage blankLogo();
// A small euro sign for buttons.
QImage euroIcon(int side);

// Reads a picture file; a null picture when the file is missing or not a readable picture.
QImage readPicture(const QString &path);
// The logo to print or show: Logo.bmp of the program folder, or the default when it is missing or
// cannot be read.
QImage load(const QString &programFolder);
// Writes the picture as a Windows bitmap to Logo.bmp, replacing the earlier file atomically: a
// failed write leaves the earlier file as it was. False when it could not be written.
bool save(const QString &programFolder, const QImage &picture);

}  // namespace Logo
