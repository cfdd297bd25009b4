#pragma once

#include <QString>

#include <initializer_list>

class PictureButton;
class QGridLayout;
class QLineEdit;
class QWidget;

// The pieces every record window is built from: the command bar's groups and buttons, the edits of
// the form with their captions above them, an edit with a small button at its side.
namespace FormBuilder {

// A white rounded box holding a group of commands of the command bar.
QWidget *commandGroup(QWidget *parent, std::initializer_list<QWidget *> commands);

// A command of the command bar: picture above its caption, with its status-line hint.
PictureButton *command(QWidget *parent, const QString &iconPath, const QString &caption, const QString &hint,
                       const QString &objectName);

// An edit of the form: Verdana 12 bold, the field colours, the maximum length the user may type. An
// edit of a code (up to 16 characters: CAP, tax code, VAT number ...) is wide enough to show it whole;
// every edit shows the beginning of its text when the focus leaves it.
QLineEdit *edit(QWidget *parent, int maxLength, const QString &objectName);

// The width that shows `characters` code characters whole in the edit, with its frame.
int wholeTextWidth(const QLineEdit *edit, int characters);

// An edit with a small button at its right.
QWidget *withButton(QWidget *parent, QWidget *edit, QWidget *button);

// Puts a caption in a grid row and the control in the row below it, spanning columns.
void placeWithCaption(QWidget *parent, QGridLayout *grid, const QString &caption, QWidget *control, int row, int column,
                      int span = 1, int captionPointSize = 9);

// Selects the whole text each time the edit receives the focus, by any means (Tab, Enter chain or a
// mouse click), so that typing replaces the value instead of landing inside it.
void selectAllOnFocus(QLineEdit *edit);

}  // namespace FormBuilder
