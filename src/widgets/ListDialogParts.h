#pragma once

#include <QPixmap>
#include <QSize>
#include <QStringList>

class QPushButton;
class QWidget;

// Pieces that the list dialogs share besides the list itself.
namespace ListDialogParts {

// The two sentences that explain "Trova" above every list.
QStringList findInstructions();

// An instruction picture: the lines of text on a light panel with an information sign.
QPixmap instructionPicture(const QSize &size, const QStringList &lines);

// The lens shown beside the find edit.
QPixmap lensPicture(const QSize &size);

// The decorative picture at the left of a criteria page: the given artwork and the lens on a tall
// light panel.
QPixmap decorationPicture(const QSize &size, const QString &artPath = QStringLiteral(":/art/auto.svg"));

// The error shown when the summary of a list could not be printed (the report engine reports the
// failure without a message of its own).
QString printFailedMessage();

// A command button of a list dialog ("Cerca", "Trova", "Stampa", "Chiudi"): never the dialog's
// default button, but Enter clicks it while it has the focus.
QPushButton *button(const QString &text, QWidget *parent);

}  // namespace ListDialogParts
