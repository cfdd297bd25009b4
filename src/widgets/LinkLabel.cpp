#include "widgets/LinkLabel.h"

#include "widgets/FormHelpers.h"
#include "widgets/Palette.h"

#include <QMouseEvent>

LinkLabel::LinkLabel(const QString &text, QWidget *parent) : QLabel(text, parent)
{
    QFont font = FormHelpers::font(QStringLiteral("Tahoma"), 14);
    font.setUnderline(true);
    setFont(font);
    setCursor(Qt::PointingHandCursor);
    setPressed(false);
}

QColor LinkLabel::normalColour()
{
    return Palette::kLink;
}

QColor LinkLabel::pressedColour()
{
    return Palette::kLinkPressed;
}

void LinkLabel::setPressed(bool pressed)
{
    QPalette p = palette();
    p.setColor(QPalette::WindowText, pressed ? pressedColour() : normalColour());
    setPalette(p);
}

QColor LinkLabel::textColour() const
{
    return palette().color(QPalette::WindowText);
}

void LinkLabel::addIcon(QWidget *icon)
{
    m_icons.append(icon);
    icon->setCursor(Qt::PointingHandCursor);
    icon->installEventFilter(this);
}

bool LinkLabel::press()
{
    emit mouseDown();
    return true;
}

bool LinkLabel::release(QWidget *target, Qt::MouseButton button, const QPoint &position)
{
    // A click is a left press and release on the same control, the mouse still over it.
    const bool click = button == Qt::LeftButton && m_pressedOn == target && target->rect().contains(position);
    m_pressedOn = nullptr;
    emit mouseUp();
    if (click)
        emit clicked();
    return true;
}

void LinkLabel::mousePressEvent(QMouseEvent *event)
{
    m_pressedOn = event->button() == Qt::LeftButton ? this : nullptr;
    press();
    event->accept();
}

void LinkLabel::mouseReleaseEvent(QMouseEvent *event)
{
    release(this, event->button(), event->position().toPoint());
    event->accept();
}

bool LinkLabel::eventFilter(QObject *watched, QEvent *event)
{
    auto *icon = qobject_cast<QWidget *>(watched);
    if (icon && m_icons.contains(icon)) {
        if (event->type() == QEvent::MouseButtonPress) {
            auto *mouse = static_cast<QMouseEvent *>(event);
            m_pressedOn = mouse->button() == Qt::LeftButton ? icon : nullptr;
            return press();
        }
        if (event->type() == QEvent::MouseButtonRelease) {
            auto *mouse = static_cast<QMouseEvent *>(event);
            return release(icon, mouse->button(), mouse->position().toPoint());
        }
    }
    return QLabel::eventFilter(watched, event);
}
