#include "widgets/FieldTable.h"

#include "archive/RecordLayout.h"
#include "widgets/DateEdits.h"
#include "widgets/FieldInput.h"
#include "widgets/FormBinding.h"
#include "widgets/FormBuilder.h"
#include "widgets/FormHelpers.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QLineEdit>
#include <QPlainTextEdit>

namespace FieldTable {

namespace {

// The control of each row: the edits made here with their typing limits (and handed to the window's
// member when the row names one), the other controls as the window made them.
QList<QWidget *> makeControls(QWidget *content, const RecordFormat &format, const QList<FieldRow> &rows)
{
    QList<QWidget *> controls;
    for (const FieldRow &row : rows) {
        QWidget *control = nullptr;
        if (auto edit = std::get_if<QLineEdit **>(&row.control)) {
            const int maxLength = row.maxLength > 0 ? row.maxLength : format.field(row.field).capacity;
            QLineEdit *made = FormBuilder::edit(content, maxLength, QString::fromLatin1(row.name));
            if (*edit)
                **edit = made;
            if (row.datePicker) {
                made->setReadOnly(true);
                made->setAlignment(Qt::AlignCenter);
            }
            control = made;
        } else {
            control = std::visit([](auto member) -> QWidget * { return *member; }, row.control);
        }
        Q_ASSERT_X(control, "FieldTable::build", row.name);
        controls.append(control);
    }
    return controls;
}

// What the grid shows for a control: the control, its focus frame when the window framed it, with the
// row's button at its right.
QWidget *shownInGrid(QWidget *content, const FieldRow &row, QWidget *control)
{
    QWidget *shown = control;
    for (FocusFrame *frame : content->findChildren<FocusFrame *>()) {
        if (frame->control() == control)
            shown = frame;
    }
    if (row.button)
        shown = FormBuilder::withButton(content, shown, content->findChild<QWidget *>(QString::fromLatin1(row.button)));
    return shown;
}

void bindRow(FormBinding &binding, const FieldRow &row, QWidget *control)
{
    const QString printName = row.printed ? QString::fromLatin1(row.name) : QString();
    if (auto *edit = qobject_cast<QLineEdit *>(control))
        binding.edit(row.field, edit, printName);
    else if (auto *combo = qobject_cast<QComboBox *>(control))
        binding.combo(row.field, combo, printName);
    else if (auto *memo = qobject_cast<QPlainTextEdit *>(control))
        binding.memo(row.field, memo, printName);
    else if (auto *flag = qobject_cast<QCheckBox *>(control))
        binding.flag(row.field, flag, printName);
}

// The control Enter moves to from row i: the next row's, passing over check boxes, after the last
// row the first.
QWidget *enterTarget(const QList<QWidget *> &controls, qsizetype i)
{
    for (qsizetype n = 1; n < controls.size(); ++n) {
        QWidget *next = controls.at((i + n) % controls.size());
        if (!qobject_cast<QCheckBox *>(next))
            return next;
    }
    return nullptr;
}

}  // namespace

QList<QWidget *> build(AppHost &host, QWidget *window, QWidget *content, FormBinding &binding,
                       const RecordFormat &format, const QList<FieldRow> &rows, const QList<QGridLayout *> &sections,
                       EnterMoves enter, const std::function<void(const QString &)> &tellUser)
{
    const QList<QWidget *> controls = makeControls(content, format, rows);

    for (qsizetype i = 0; i < rows.size(); ++i) {
        const FieldRow &row = rows.at(i);
        if (row.place.section < 0)
            continue;
        QWidget *shown = shownInGrid(content, row, controls.at(i));
        QGridLayout *grid = sections.at(row.place.section);
        const int gridRow = 2 * row.place.row;
        if (*row.caption) {
            FormBuilder::placeWithCaption(content, grid, QString::fromUtf8(row.caption), shown, gridRow,
                                          row.place.column, row.place.span);
        } else {
            grid->addWidget(shown, gridRow, row.place.column, 1, row.place.span);
        }
    }

    for (qsizetype i = 0; i < rows.size(); ++i)
        bindRow(binding, rows.at(i), controls.at(i));
    binding.guardInput(tellUser);

    QList<FieldRule> rules;
    for (qsizetype i = 0; i < rows.size(); ++i) {
        const FieldRow &row = rows.at(i);
        QWidget *control = controls.at(i);
        // Enter is a line break in a multi-line text and a press of a check box.
        if (!qobject_cast<QLineEdit *>(control) && !qobject_cast<QComboBox *>(control))
            continue;
        QWidget *next = row.enterMovesOn ? enterTarget(controls, i) : nullptr;
        rules.append({control, next, row.refuse, row.afterChange, row.onLeave, row.upperOnKeyUp,
                      enter == EnterMoves::AsTab ? Qt::TabFocusReason : Qt::OtherFocusReason});
    }
    FieldInput::apply(rules);
    for (qsizetype i = 0; i < rows.size(); ++i) {
        if (rows.at(i).datePicker) {
            DateEdits::attach(host, window, qobject_cast<QLineEdit *>(controls.at(i)),
                              QString::fromLatin1(rows.at(i).datePicker));
        }
    }

    for (qsizetype i = 1; i < controls.size(); ++i)
        QWidget::setTabOrder(controls.at(i - 1), controls.at(i));
    return controls;
}

}  // namespace FieldTable
