#pragma once

#include "common/KeyFilters.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <functional>
#include <variant>

class AppHost;
class FormBinding;
class QCheckBox;
class QComboBox;
class QGridLayout;
class QLineEdit;
class QPlainTextEdit;
class QWidget;
class RecordFormat;

// Where a field's control lies on the window: in the grid `section` of the window (see
// FieldTable::build), in caption row `row` (a caption row is two grid rows: the caption, then the
// control below it), from `column` over `span` columns. Section -1: the window places the control
// itself.
struct FieldPlace
{
    int section = -1;
    int row = 0;
    int column = 0;
    int span = 1;
};

// One field of a record window: everything the window states about it, in one row. The rows of a
// window's table are in Tab order; Enter moves from a typed field to the next row's control (a
// check box is passed over; a multi-line text keeps Enter for its line breaks), the last one back
// to the first.
struct FieldRow
{
    // The control's object name: the name the texts, the tests and the printed sheet use.
    const char *name;
    // The window's member that holds the control. The table makes the edits (an edit row may leave
    // the member out: its edit is then reached by its name); any other control (a combo box, a
    // multi-line text, a check box) is made by the window, with this object name, before the table
    // is built.
    std::variant<QLineEdit **, QComboBox **, QPlainTextEdit **, QCheckBox **> control;
    // The record field the control shows.
    int field;
    // The caption above the control ("": none).
    const char *caption = "";
    FieldPlace place = {};
    // Input rules (see FieldRule).
    KeyFilters::Refuse refuse = KeyFilters::Refuse::Nothing;
    KeyFilters::Rewrite afterChange = KeyFilters::Rewrite::Nothing;
    KeyFilters::Rewrite onLeave = KeyFilters::Rewrite::Nothing;
    bool upperOnKeyUp = false;
    // What the user may type at most; 0: the field's capacity.
    int maxLength = 0;
    // The object name of the small button at the control's right (made by the window), or nullptr.
    const char *button = nullptr;
    // A date picked, never typed: the date picker's word for this edit (see DateEdits), or nullptr.
    const char *datePicker = nullptr;
    // Save refuses an empty field with this warning, or nullptr.
    const char *mandatory = nullptr;
    // The printed sheet shows the field in its object of the control's name.
    bool printed = true;
    // Enter moves on to the next field; false: the window handles Enter in this control itself.
    bool enterMovesOn = true;
};

namespace FieldTable {

// How Enter moves the focus along the fields: as Tab does (the next edit's text is selected whole)
// or only moving the cursor there.
enum class EnterMoves { AsTab, FocusOnly };

// Builds a record window's fields from its table: makes the edits (with their typing limits) in
// `content`, places every control with its caption in the grid of its section, binds each row in
// `binding` (printed under the control's name), installs the input rules with the Enter chain,
// attaches the date pickers, sets the Tab order and keeps out of the fields what the archives' code
// page cannot store (tellUser receives the sentence that says why). Returns the control of each row.
QList<QWidget *> build(AppHost &host, QWidget *window, QWidget *content, FormBinding &binding,
                       const RecordFormat &format, const QList<FieldRow> &rows, const QList<QGridLayout *> &sections,
                       EnterMoves enter, const std::function<void(const QString &)> &tellUser);

}  // namespace FieldTable
