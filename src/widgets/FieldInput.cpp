#include "widgets/FieldInput.h"

#include "widgets/EventHooks.h"

#include <QClipboard>
#include <QComboBox>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QToolTip>

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

void tell(QWidget *control, const QString &message)
{
    if (auto *statusLine = control->window()->findChild<QLabel *>(QStringLiteral("panInfo"))) {
        statusLine->setText(message);
        return;
    }
    QToolTip::showText(control->mapToGlobal(QPoint(0, control->height())), message, control);
}

bool refuseKey(QLineEdit *edit, KeyFilters::Refuse rule, QKeyEvent *event)
{
    if (rule == KeyFilters::Refuse::AllButDigits && event->matches(QKeySequence::Paste)) {
        if (edit->isReadOnly())
            return true;
        QString others;
        const QString digits = KeyFilters::digitsOf(QGuiApplication::clipboard()->text(), &others);
        if (!digits.isEmpty())
            edit->insert(digits);
        if (!others.isEmpty())
            tell(edit, KeyFilters::digitsPasteMessage(others));
        return true;
    }
    const KeyFilters::Refusal why = KeyFilters::refusal(rule, event->key(), event->modifiers(), event->text());
    if (why != KeyFilters::Refusal::None) {
        tell(edit, KeyFilters::refusalMessage(why, event->text()));
        return true;
    }
    // A character typed into a full field is lost by the edit without a word: it is told.
    const QString text = event->text();
    if (!text.isEmpty() && text.front().isPrint() && !(event->modifiers() & Qt::ControlModifier) && !edit->isReadOnly()
        && !edit->hasSelectedText() && edit->maxLength() > 0 && edit->text().size() >= edit->maxLength())
        tell(edit, KeyFilters::fullFieldMessage(edit->maxLength()));
    return false;
}

void apply(const QList<FieldRule> &rules)
{
    for (const FieldRule &rule : rules) {
        QWidget *control = rule.control;
        QLineEdit *edit = editOf(control);
        if (!edit)
            continue;
        EventHooks::onKeyDown(control, [rule, edit](QKeyEvent *event) {
            if (EventHooks::isEnter(event)) {
                if (!rule.next)
                    return false;
                rule.next->setFocus(rule.enterReason);
                return true;
            }
            return refuseKey(edit, rule.refuse, event);
        });
        if (rule.afterChange != KeyFilters::Rewrite::Nothing) {
            QObject::connect(edit, &QLineEdit::textEdited, edit,
                             [edit, how = rule.afterChange] { rewriteKeepingCursor(edit, how); });
        }
        if (rule.onLeave != KeyFilters::Rewrite::Nothing)
            EventHooks::onExit(control, [edit, how = rule.onLeave] { rewriteKeepingCursor(edit, how); });
        if (rule.upperOnKeyUp) {
            EventHooks::onKeyUp(control,
                                [edit](QKeyEvent *) { rewriteKeepingCursor(edit, KeyFilters::Rewrite::Upper); });
        }
    }
}

}  // namespace FieldInput
