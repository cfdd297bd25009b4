#pragma once

#include "common/KeyFilters.h"

#include <QList>
#include <Qt>

class QWidget;

// The input rules of a record window as one table: for each field (an edit, or an editable combo
// box) where Enter moves the focus, which keystrokes it refuses, how its text is rewritten after each
// change the user makes and when the focus leaves it.
struct FieldRule
{
    QWidget *control;
    QWidget *next;  // Enter moves the focus here (nullptr: Enter is left to the control)
    KeyFilters::Refuse refuse = KeyFilters::Refuse::Nothing;
    KeyFilters::Rewrite afterChange = KeyFilters::Rewrite::Nothing;
    KeyFilters::Rewrite onLeave = KeyFilters::Rewrite::Nothing;
    bool upperOnKeyUp = false;  // upper-cased when a key is released
    // How Enter gives the focus to next: as Tab (an edit then selects its whole text) or not.
    Qt::FocusReason enterReason = Qt::OtherFocusReason;
};

class QKeyEvent;
class QLineEdit;
class QString;

namespace FieldInput {

// Installs every rule of the table on its control. Refused keystrokes are cancelled entirely and the
// status line says why, with the form to use (see KeyFilters::refusalMessage); so does a key that
// would type past the field's capacity. A digits-only field takes from a paste (Ctrl+V, Shift+Ins)
// its digits only. Rewrites keep the cursor where it was (as far as the new text allows) and act on
// typing only, never on a text the window sets.
void apply(const QList<FieldRule> &rules);

// The verdict of a rule on a key pressed in an edit, told to the user when it refuses: true when the
// key must be swallowed. A digits-only edit handles a paste itself (the digits go in). Used by apply
// and by the dialogs with an edit of their own.
bool refuseKey(QLineEdit *edit, KeyFilters::Refuse rule, QKeyEvent *event);

// Tells the user why a key was refused: in the status line `panInfo` of the control's window, or,
// in a window without one, in a tip under the control.
void tell(QWidget *control, const QString &message);

}  // namespace FieldInput
