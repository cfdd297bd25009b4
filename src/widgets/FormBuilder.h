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

// A grid of captions above their edits. Each place() puts a caption in the current row and its edit
// in the row below, spanning columns; nextRow() moves on by two rows.
class CaptionGrid
{
public:
    CaptionGrid(QWidget *parent, QGridLayout *grid, int captionPointSize = 9);
    void place(const QString &caption, QWidget *edit, int column, int span = 1);
    void nextRow() { m_row += 2; }
    int row() const { return m_row; }

private:
    QWidget *m_parent;
    QGridLayout *m_grid;
    int m_pointSize;
    int m_row = 0;
};

// Selects the whole text each time the edit receives the focus, by any means (Tab, Enter chain or a
// mouse click), so that typing replaces the value instead of landing inside it.
void selectAllOnFocus(QLineEdit *edit);

}  // namespace FormBuilder
