#pragma once

#include <QKeySequence>
#include <QList>
#include <QString>

class PictureButton;
class QWidget;

// Keyboard access to the picture commands of a window (the command bar of a record window, the tiles
// and icons of the launcher), so that the mouse is never required:
//
// - group(): the commands become Tab stops after the last control of the window's Tab chain, in their
//   order on the screen (row by row, left to right); the arrow keys move along them (Right and Down to
//   the next, Left and Up to the previous, wrapping around); Enter and Space press the focused one,
//   which wears a visible frame and shows its hint in the status line.
// - shortcut(): a key presses the command while its window is active, and the command's hint ends
//   with the key's name ("Salva la scheda in archivio. (Ctrl+S)").
namespace CommandKeys {

void group(QWidget *window, const QList<PictureButton *> &commands);

void shortcut(QWidget *window, PictureButton *command, const QKeySequence &key, const QString &keyName);

// The commands of a group in their order on the screen, as Tab and the arrows visit them.
QList<PictureButton *> screenOrder(const QList<PictureButton *> &commands);

// The hint of a command with the name of its key added.
QString hintWithKey(const QString &hint, const QString &keyName);

}  // namespace CommandKeys
