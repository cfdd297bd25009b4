#include "widgets/FormHelpers.h"

#include "widgets/Palette.h"

#include <QApplication>
#include <QEvent>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QIcon>
#include <QKeyEvent>
#include <QPainter>
#include <QScreen>
#include <QVariant>
#include <QWidget>

namespace FormHelpers {

namespace {

const char *const kHintProperty = "cabloraHint";

class StatusHints : public QObject
{
public:
    StatusHints(QWidget *window, QLabel *statusLine) : QObject(window), m_statusLine(statusLine) { watch(window); }

    void watch(QWidget *widget)
    {
        widget->installEventFilter(this);
        for (QWidget *child : widget->findChildren<QWidget *>())
            child->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        // Entering a control shows its hint; leaving it for the background empties the line. The
        // window's first text stays until the mouse meets a control.
        if (event->type() == QEvent::FocusIn) {
            // A control reached by the keyboard tells what it does as the mouse would.
            auto *widget = qobject_cast<QWidget *>(watched);
            const QString hint = widget ? hintFor(widget) : QString();
            if (!hint.isEmpty() && static_cast<QFocusEvent *>(event)->reason() != Qt::PopupFocusReason)
                m_statusLine->setText(hint);
        } else if (event->type() == QEvent::Enter || event->type() == QEvent::Leave) {
            auto *widget = qobject_cast<QWidget *>(watched);
            const QString hint = widget ? hintFor(widget) : QString();
            if (event->type() == QEvent::Enter && !hint.isNull())
                m_statusLine->setText(hint);
            else if (event->type() == QEvent::Leave && !hint.isNull())
                m_statusLine->clear();
        } else if (event->type() == QEvent::ChildAdded) {
            auto *child = static_cast<QChildEvent *>(event)->child();
            if (child->isWidgetType())
                child->installEventFilter(this);
        }
        return false;
    }

private:
    QString hintFor(QWidget *widget) const
    {
        // A control's hint also covers the parts it is made of (the viewport of a memo, ...).
        for (QWidget *w = widget; w && w != parent(); w = w->parentWidget()) {
            const QVariant hint = w->property(kHintProperty);
            if (hint.isValid())
                return hint.toString();
        }
        return QString();  // null: the background
    }

    QLabel *m_statusLine;
};

}  // namespace

void makeFixedWithoutButtons(QWidget *window)
{
    window->setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
}

void centre(QWidget *window, const QWidget *over)
{
    window->adjustSize();
    QRect area;
    if (over && over->isVisible())
        area = over->frameGeometry();
    else if (QScreen *screen = QGuiApplication::primaryScreen())
        area = screen->availableGeometry();
    if (area.isValid()) {
        QRect frame = window->frameGeometry();
        frame.moveCenter(area.center());
        window->move(frame.topLeft());
    }
}

QFont font(const QString &family, int pointSize, bool bold)
{
    QFont f(family, pointSize);
    f.setBold(bold);
    return f;
}

namespace {

void applyColours(QWidget *edit, const QString &background, const QString &text = QStringLiteral("black"))
{
    const QString cls = QString::fromLatin1(edit->metaObject()->className());
    edit->setStyleSheet(
        QStringLiteral("%1 { background-color: %2; border: 1px solid %4; "
                       "padding: 1px 3px; color: %3; }"
                       "%1:focus { background-color: %5; }")
            .arg(cls, background, text, Palette::kFrame.name().toUpper(), Palette::kFocusYellow.name().toUpper()));
}

}  // namespace

void applyFieldColours(QWidget *edit)
{
    applyColours(edit, QStringLiteral("#F0F8FF"));
}

void applyWhiteFieldColours(QWidget *edit)
{
    applyColours(edit, QStringLiteral("white"));
}

void applyStateColours(QWidget *edit, const QString &background, const QString &text)
{
    applyColours(edit, background, text);
}

QLabel *caption(const QString &text, QWidget *parent, int pointSize, bool bold)
{
    auto *label = new QLabel(text, parent);
    label->setFont(font(QStringLiteral("Verdana"), pointSize, bold));
    return label;
}

void setHint(QWidget *control, const QString &hint)
{
    control->setProperty(kHintProperty, hint);
}

QString hintOf(const QWidget *control)
{
    return control->property(kHintProperty).toString();
}

void installStatusHints(QWidget *window, QLabel *statusLine)
{
    new StatusHints(window, statusLine);
}

}  // namespace FormHelpers

FocusFrame::FocusFrame(QWidget *control, QWidget *parent, int thickness) : QFrame(parent), m_control(control)
{
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(thickness, thickness, thickness, thickness);
    layout->addWidget(control);
    setAutoFillBackground(true);
    control->installEventFilter(this);
    setLit(false);
}

void FocusFrame::setLit(bool lit)
{
    m_lit = lit;
    QPalette p = palette();
    p.setColor(QPalette::Window, lit ? Palette::kFocusYellow : QColor(Qt::transparent));
    setPalette(p);
    setAutoFillBackground(lit);
    update();
}

bool FocusFrame::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_control) {
        if (event->type() == QEvent::FocusIn)
            setLit(true);
        else if (event->type() == QEvent::FocusOut)
            setLit(false);
    }
    return QFrame::eventFilter(watched, event);
}

PictureButton::PictureButton(const QString &iconPath, const QSize &size, const QString &hint, QWidget *parent,
                             const QString &text)
    : QToolButton(parent)
{
    setIcon(QIcon(iconPath));
    setIconSize(size);
    setAutoRaise(true);
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::NoFocus);
    if (!text.isEmpty()) {
        setText(text);
        setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    }
    FormHelpers::setHint(this, hint);
    setToolTip(QString());
}

void PictureButton::keyPressEvent(QKeyEvent *event)
{
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)
        && !(event->modifiers() & ~Qt::KeypadModifier)) {
        click();
        return;
    }
    QToolButton::keyPressEvent(event);
}

void PictureButton::paintEvent(QPaintEvent *event)
{
    QToolButton::paintEvent(event);
    if (!hasFocus())
        return;
    // A frame that stands out on the white command bars and on the launcher's blue alike.
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setBrush(QColor(0xFF, 0xD5, 0x4F, 60));
    painter.setPen(QPen(QColor(0xF5, 0x7C, 0x00), 3));
    painter.drawRoundedRect(QRectF(rect()).adjusted(1.5, 1.5, -1.5, -1.5), 6, 6);
}
