#pragma once

#include <QString>

#include <functional>

class QLineEdit;
class QPlainTextEdit;

// Keeps out of an edit every character that the archives' code page (Windows-1252) cannot store, so
// that what the screen shows is what Save stores. It guards what the user puts in: typing, input
// methods, pasting (keyboard, context menu, middle click) and dropping. A refused character is left
// out, the rest of a paste is kept, and tellUser receives a sentence saying why (for the window's
// status line). Text that the program sets (setText, insert, setPlainText) passes unfiltered, so
// stored data always shows whole.
namespace CodePageGuard {

using TellUser = std::function<void(const QString &message)>;

void install(QLineEdit *edit, TellUser tellUser);
void install(QPlainTextEdit *edit, TellUser tellUser);

// The characters of text that the code page stores, in order; the refused ones (each once, in the
// order met, a character beyond 16 bits whole) go to *refused when given.
QString storable(const QString &text, QString *refused = nullptr);

// The sentence shown when characters are refused: "Carattere non ammesso: «王» non può essere
// archiviato." for one, "Caratteri non ammessi: «王», «😀» non possono essere archiviati." for more.
QString refusalMessage(const QString &refused);

}  // namespace CodePageGuard
