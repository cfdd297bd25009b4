#pragma once

#include "common/KeyFilters.h"

#include <QList>

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
};

namespace FieldInput {

// Installs every rule of the table on its control. Refused keystrokes are cancelled entirely;
// rewrites keep the cursor where it was (as far as the new text allows) and act on typing only,
// never on a text the window sets.
void apply(const QList<FieldRule> &rules);

}  // namespace FieldInput
