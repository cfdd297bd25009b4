#pragma once

#include <QString>

class QFileDevice;

// The reason a file step failed, in Italian, for the messages the user reads: the system's own text
// follows the machine's language (English on most servers and under the tests), so the usual causes
// are worded here.
namespace SystemError {

// The reason for a system error number (errno on Unix); a number without its own wording is named.
QString italian(int errorNumber);

// The reason the last step of file failed. Call it right after the failing step: it reads the
// system's error number of that step where the platform keeps one, and otherwise words the kind of
// error the file reports.
QString lastError(const QFileDevice &file);

// The reason of a step refused through the fault seam: what the system says for an input/output error.
QString refused();

}  // namespace SystemError
