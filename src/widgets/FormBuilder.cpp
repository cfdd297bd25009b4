#include "widgets/FormBuilder.h"

#include "widgets/FormHelpers.h"

#include <QEvent>
#include <QFocusEvent>
#include <QFontMetricsF>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QTimer>

#include <cmath>

namespace FormBuilder {

namespace {

const QSize kCommandIcon(34, 34);

// Selects all on focus-in; a mouse click would place the cursor after the focus arrived, so the
// selection is made again once the click's own handling is over.
class SelectAllOnFocus : public QObject
{
public:
    explicit SelectAllOnFocus(QLineEdit *edit) : QObject(edit), m_edit(edit) {}

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::FocusIn) {
            m_edit->selectAll();
            m_selectOnRelease = true;
        } else if (event->type() == QEvent::MouseButtonRelease && m_selectOnRelease) {
            m_selectOnRelease = false;
            QTimer::singleShot(0, m_edit, [edit = m_edit] { edit->selectAll(); });
        } else if (event->type() == QEvent::FocusOut) {
            m_selectOnRelease = false;
        }
        return false;
    }

private:
    QLineEdit *m_edit;
    bool m_selectOnRelease = false;
};

// When the focus leaves, the edit shows the beginning of its text (a long text typed stays scrolled to
// its end otherwise: "iat Panda 1.2").
class BeginningOnLeave : public QObject
{
public:
    explicit BeginningOnLeave(QLineEdit *edit) : QObject(edit), m_edit(edit) {}

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::FocusOut && static_cast<QFocusEvent *>(event)->reason() != Qt::PopupFocusReason
            && static_cast<QFocusEvent *>(event)->reason() != Qt::ActiveWindowFocusReason)
            m_edit->setCursorPosition(0);
        return false;
    }

private:
    QLineEdit *m_edit;
};

// Fields up to this capacity hold codes (CAP, tax code, VAT number, plate ...): they are never
// narrower than their whole text.
constexpr int kCodeCapacity = 16;

}  // namespace

int wholeTextWidth(const QLineEdit *edit, int characters)
{
    // The advance of an average code character (capital letters and digits of a tax code), the
    // padding and border of the field colours and the edit's own margins.
    const QFontMetricsF metrics(edit->font());
    const qreal average = metrics.horizontalAdvance(QStringLiteral("RSSMRA85T10A562S")) / 16.0;
    const QMargins margins = edit->textMargins();
    return int(std::ceil(average * characters)) + margins.left() + margins.right() + 2 * 3 + 2 * 1 + 2 * 2 + 2;
}

QWidget *commandGroup(QWidget *parent, std::initializer_list<QWidget *> commands)
{
    auto *box = new QWidget(parent);
    box->setObjectName(QStringLiteral("commandGroup"));
    auto *layout = new QHBoxLayout(box);
    layout->setContentsMargins(4, 2, 4, 2);
    layout->setSpacing(2);
    for (QWidget *command : commands)
        layout->addWidget(command);
    return box;
}

PictureButton *command(QWidget *parent, const QString &iconPath, const QString &caption, const QString &hint,
                       const QString &objectName)
{
    auto *button = new PictureButton(iconPath, kCommandIcon, hint, parent, caption);
    button->setFont(FormHelpers::font(QStringLiteral("Verdana"), 8));
    button->setObjectName(objectName);
    return button;
}

QLineEdit *edit(QWidget *parent, int maxLength, const QString &objectName)
{
    auto *edit = new QLineEdit(parent);
    edit->setObjectName(objectName);
    edit->setMaxLength(maxLength);
    edit->setFont(FormHelpers::font(QStringLiteral("Verdana"), 12, true));
    FormHelpers::applyFieldColours(edit);
    if (maxLength <= kCodeCapacity)
        edit->setMinimumWidth(wholeTextWidth(edit, maxLength));
    edit->installEventFilter(new BeginningOnLeave(edit));
    return edit;
}

QWidget *withButton(QWidget *parent, QWidget *edit, QWidget *button)
{
    auto *box = new QWidget(parent);
    auto *layout = new QHBoxLayout(box);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(4);
    layout->addWidget(edit, 1);
    layout->addWidget(button);
    return box;
}

void placeWithCaption(QWidget *parent, QGridLayout *grid, const QString &caption, QWidget *control, int row, int column,
                      int span, int captionPointSize)
{
    QLabel *label = FormHelpers::caption(caption, parent, captionPointSize, false);
    label->setContentsMargins(0, 4, 0, 0);
    grid->addWidget(label, row, column, 1, span, Qt::AlignBottom);
    grid->addWidget(control, row + 1, column, 1, span);
}

void selectAllOnFocus(QLineEdit *edit)
{
    edit->installEventFilter(new SelectAllOnFocus(edit));
}

}  // namespace FormBuilder
