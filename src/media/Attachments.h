#pragma once

#include <QString>

// The attachments folder: one flat folder "Documenti_Allegati" in the program folder, shared by every
// record of the three archives. A record names each attached file by its file name alone; the file
// lies in the folder under that name.
namespace Attachments {

// The capacity in bytes (Windows-1252) of a record's attachment name field.
constexpr int kNameCapacity = 250;

QString folderName();
// The attachments folder of a program folder.
QString folderPath(const QString &programFolder);

// True when the name is a file name alone: not empty, not "." or "..", and without anything that
// could lead out of the folder or break the quoted path (a slash, a backslash, a colon as in a drive
// letter, a double quote, a control character).
bool isPlainName(const QString &name);

// The file that "Apri" opens for a slot's name (trimmed first): the name inside the attachments
// folder, or the empty text when the name is not a plain file name, so that a name read from a
// damaged record can never reach a file elsewhere.
QString pathForOpening(const QString &programFolder, const QString &name);

// Whether a file name can be kept in a record's name field as it is.
enum class NameFit {
    Fits,
    TooLong,          // more than kNameCapacity bytes in the code page: the record would cut it
    Unrepresentable,  // a character the code page lacks: the record would store '?' instead
};
NameFit fitOfName(const QString &name);

// Creates the attachments folder with any missing parents; true when it exists as a folder.
bool ensureFolder(const QString &programFolder);

// Copies source to target, replacing a file of that name. The bytes go to a temporary file beside the
// target, which is renamed over it only once complete: a failed copy never leaves half a file and
// keeps the file that was there. False when the source cannot be read or the target not written.
bool copyReplacing(const QString &source, const QString &target);

}  // namespace Attachments
