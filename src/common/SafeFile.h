#pragma once

#include <QByteArray>
#include <QString>

// Whole files that a command replaces (settings, password store, photos, logo, PDF) are written to a
// temporary file and renamed over the old one, so a crash or a full disk never leaves half a file
// and a failed write keeps the old content.
namespace SafeFile {

// False, with the old file untouched, when the bytes cannot be written in full.
bool replace(const QString &path, const QByteArray &bytes);

}  // namespace SafeFile
