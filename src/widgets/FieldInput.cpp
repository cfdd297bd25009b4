#include "widgets/FieldInput.h"

#include "widgets/EventHooks.h"

#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>

namespace FieldInput {

namespace {

QLineEdit *editOf(QWidget *control)
{
    if (auto *edit = qobject_cast<QLineEdit *>(control))
        return edit;
    if (auto *combo = qobject_cast<QComboBox *>(control))
        return combo->lineEdit();
    return nullptr;
}

void rewriteKeepingCursor(QLineEdit *edit, KeyFilters::Rewrite rule)
{
    const QString rewritten = KeyFilters::rewrite(rule, edit->text());
    if (rewritten == edit->text())
        return;
    const int cursor = edit->cursorPosition();
    edit->setText(rewritten);
    edit->setCursorPosition(qMin(cursor, int(rewritten.size())));
}

}  // namespace

void apply(const QList<FieldRule> &rules)
{
    for (const FieldRule &rule : rules) {
        QWidget *control = rule.control;
        QLineEdit *edit = editOf(control);
        if (!edit)
            continue;
        EventHooks::onKeyDown(control, [rule](QKeyEvent *event) {
            if (EventHooks::isEnter(event)) {
                if (!rule.next)
                    return false;
                rule.next->setFocus(Qt::OtherFocusReason);
                return true;
            }
            return KeyFilters::refuses(rule.refuse, event->key(), event->text());
        });
        if (rule.afterChange != KeyFilters::Rewrite::Nothing) {
            QObject::connect(edit, &QLineEdit::textEdited, edit,
                             [edit, how = rule.afterChange] { rewriteKeepingCursor(edit, how); });
        }
        if (rule.onLeave != KeyFilters::Rewrite::Nothing)
            EventHooks::onExit(control, [edit, how = rule.onLeave] { rewriteKeepingCursor(edit, how); });
        if (rule.upperOnKeyUp) {
            EventHooks::onKeyUp(control, [edit](QKeyEvent *) {
                rewriteKeepingCursor(edit, KeyFilters::Rewrite::Upper);
            });
        }
    }
}

}  // namespace FieldInput
