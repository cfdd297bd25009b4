#pragma once

#include <QString>

class QImageReader;

// The limits on the pictures the program reads (photos of the records, the logo): a file beyond
// kMaxFileBytes is refused before a byte of it is read, and a decoder may not allocate more than
// kDecodeLimitMegabytes for one picture (a small file that claims a huge picture is refused too), so
// that no file handed in can exhaust the memory.
namespace PictureLimits {

constexpr qint64 kMaxFileBytes = 64 * 1024 * 1024;  // a phone photo is 2 to 15 MB
constexpr int kDecodeLimitMegabytes = 256;          // 64 megapixels in 32 bits

// True when the file is larger than kMaxFileBytes.
bool tooLarge(const QString &path);
// Sets the decoder's allocation limit.
void limit(QImageReader &reader);
// The message that refuses a file that is too large.
QString tooLargeMessage(const QString &path);

}  // namespace PictureLimits
