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

// The edit of a row is made here, with its typing limit.
void makeRowEdit(QWidget *content, const RecordFormat &format, const FieldRow &row)
{
    QLineEdit **member = std::get<QLineEdit **>(row.control);
    const int maxLength = row.maxLength > 0 ? row.maxLength : format.field(row.field).capacity;
    *member = FormBuilder::edit(content, maxLength, QString::fromLatin1(row.name));
}

// What the grid shows for a control: the control, its focus frame when the window framed it, with the
// row's button at its right.
QWidget *shownInGrid(QWidget *content, const FieldRow &row)
{
    QWidget *control = controlOf(row);
    QWidget *shown = control;
    for (FocusFrame *frame : content->findChildren<FocusFrame *>()) {
        if (frame->control() == control)
            shown = frame;
    }
    if (row.button)
        shown = FormBuilder::withButton(content, shown, content->findChild<QWidget *>(QString::fromLatin1(row.button)));
    return shown;
}

void bindRow(FormBinding &binding, const FieldRow &row)
{
    const QString printName = row.printed ? QString::fromLatin1(row.name) : QString();
    if (auto edit = std::get_if<QLineEdit **>(&row.control))
        binding.edit(row.field, **edit, printName);
    else if (auto combo = std::get_if<QComboBox **>(&row.control))
        binding.combo(row.field, **combo, printName);
    else if (auto memo = std::get_if<QPlainTextEdit **>(&row.control))
        binding.memo(row.field, **memo, printName);
    else if (auto flag = std::get_if<QCheckBox **>(&row.control))
        binding.flag(row.field, **flag, printName);
}

bool takesEnterKey(const FieldRow &row)
{
    return std::holds_alternative<QLineEdit **>(row.control) || std::holds_alternative<QComboBox **>(row.control);
}

// The control Enter moves to from row i: the next row's, passing over check boxes, after the last
// row the first.
QWidget *enterTarget(const QList<FieldRow> &rows, qsizetype i)
{
    for (qsizetype n = 1; n < rows.size(); ++n) {
        const FieldRow &next = rows.at((i + n) % rows.size());
        if (!std::holds_alternative<QCheckBox **>(next.control))
            return controlOf(next);
    }
    return nullptr;
}

}  // namespace

QWidget *controlOf(const FieldRow &row)
{
    return std::visit([](auto member) -> QWidget * { return *member; }, row.control);
}

void build(AppWindows &windows, QWidget *window, QWidget *content, FormBinding &binding, const RecordFormat &format,
           const QList<FieldRow> &rows, const QList<QGridLayout *> &sections, EnterMoves enter,
           const std::function<void(const QString &)> &tellUser)
{
    for (const FieldRow &row : rows) {
        if (std::holds_alternative<QLineEdit **>(row.control))
            makeRowEdit(content, format, row);
        QWidget *control = controlOf(row);
        Q_ASSERT_X(control, "FieldTable::build", row.name);
        if (row.datePicker) {
            auto *date = qobject_cast<QLineEdit *>(control);
            date->setReadOnly(true);
            date->setAlignment(Qt::AlignCenter);
        }
    }

    for (const FieldRow &row : rows) {
        if (row.place.section < 0)
            continue;
        QWidget *shown = shownInGrid(content, row);
        QGridLayout *grid = sections.at(row.place.section);
        const int gridRow = 2 * row.place.row;
        if (*row.caption) {
            FormBuilder::placeWithCaption(content, grid, QString::fromUtf8(row.caption), shown, gridRow,
                                          row.place.column, row.place.span);
        } else {
            grid->addWidget(shown, gridRow, row.place.column, 1, row.place.span);
        }
    }

    for (const FieldRow &row : rows)
        bindRow(binding, row);
    binding.guardInput(tellUser);

    QList<FieldRule> rules;
    for (qsizetype i = 0; i < rows.size(); ++i) {
        const FieldRow &row = rows.at(i);
        if (!takesEnterKey(row))
            continue;
        QWidget *next = row.enterMovesOn ? enterTarget(rows, i) : nullptr;
        rules.append({controlOf(row), next, row.refuse, row.afterChange, row.onLeave, row.upperOnKeyUp,
                      enter == EnterMoves::AsTab ? Qt::TabFocusReason : Qt::OtherFocusReason});
    }
    FieldInput::apply(rules);
    for (const FieldRow &row : rows) {
        if (row.datePicker) {
            DateEdits::attach(windows, window, qobject_cast<QLineEdit *>(controlOf(row)),
                              QString::fromLatin1(row.datePicker));
        }
    }

    for (qsizetype i = 1; i < rows.size(); ++i)
        QWidget::setTabOrder(controlOf(rows.at(i - 1)), controlOf(rows.at(i)));
}

}  // namespace FieldTable
