#pragma once

#include <QString>
#include <QStringList>

// Hands one text to the desktop's default handler: a file path (possibly in double quotes), a web
// address or "mailto:" followed by an address. Nothing is returned; the desktop reports its own
// failures.
namespace TMisc {

void Open(const QString &text);

// The address handed to the desktop for a text (exposed for tests).
QString urlFor(const QString &text);

// Scripting for tests: once scripted, nothing is opened and every text is recorded.
void setScripted(bool scripted);
QStringList takeOpened();

}  // namespace TMisc
