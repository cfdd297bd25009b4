#include "widgets/EventHooks.h"

#include <QEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QVector>
#include <QWidget>

namespace EventHooks {

namespace {

// One filter per control holds every hook of that control.
class Hooks : public QObject
{
public:
    explicit Hooks(QWidget *control) : QObject(control), m_controlClass(control->metaObject())
    {
        setObjectName(QLatin1String(kName));
        control->installEventFilter(this);
    }

    static Hooks *of(QWidget *control)
    {
        QObject *found = control->findChild<QObject *>(QLatin1String(kName), Qt::FindDirectChildrenOnly);
        return found ? static_cast<Hooks *>(found) : new Hooks(control);
    }

    static constexpr const char *kName = "cabloraEventHooks";

    QVector<std::function<bool(QKeyEvent *)>> keyDown;
    QVector<std::function<void(QKeyEvent *)>> keyUp;
    QVector<std::function<void()>> enter, exit, click, doubleClick, shown, mouseDown, mouseUp;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        // A control that is being destroyed is a plain QWidget by the time QWidget's destructor
        // clears its focus: the focus-out it sends then must not run handlers, whose windows are
        // being torn down around it. (A class that hooks itself in its constructor records its own
        // class there; its subclasses still inherit it.)
        if (!watched->metaObject()->inherits(m_controlClass))
            return QObject::eventFilter(watched, event);
        switch (event->type()) {
        case QEvent::KeyPress:
            for (auto &h : keyDown) {
                if (h(static_cast<QKeyEvent *>(event)))
                    return true;
            }
            break;
        case QEvent::ShortcutOverride:
            // Let a swallowed Enter reach KeyPress even inside dialogs with a default button.
            if (!keyDown.isEmpty() && isEnter(static_cast<QKeyEvent *>(event)))
                event->accept();
            break;
        case QEvent::KeyRelease:
            for (auto &h : keyUp)
                h(static_cast<QKeyEvent *>(event));
            break;
        case QEvent::FocusIn:
            for (auto &h : enter)
                h();
            break;
        case QEvent::FocusOut:
            for (auto &h : exit)
                h();
            break;
        case QEvent::MouseButtonPress:
            if (static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton) {
                m_pressed = true;
                for (auto &h : mouseDown)
                    h();
            }
            break;
        case QEvent::MouseButtonRelease:
            if (static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton) {
                for (auto &h : mouseUp)
                    h();
                const bool inside = static_cast<QWidget *>(watched)->rect().contains(
                    static_cast<QMouseEvent *>(event)->position().toPoint());
                if (m_pressed && inside) {
                    m_pressed = false;
                    for (auto &h : click)
                        h();
                }
                m_pressed = false;
            }
            break;
        case QEvent::MouseButtonDblClick:
            for (auto &h : doubleClick)
                h();
            break;
        case QEvent::Show:
            for (auto &h : shown)
                h();
            break;
        default: break;
        }
        return QObject::eventFilter(watched, event);
    }

private:
    const QMetaObject *m_controlClass;
    bool m_pressed = false;
};

}  // namespace

bool isEnter(const QKeyEvent *event)
{
    return event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
}

void onKeyDown(QWidget *control, std::function<bool(QKeyEvent *)> handler)
{
    Hooks::of(control)->keyDown.append(std::move(handler));
}

void onKeyUp(QWidget *control, std::function<void(QKeyEvent *)> handler)
{
    Hooks::of(control)->keyUp.append(std::move(handler));
}

void onEnter(QWidget *control, std::function<void()> handler)
{
    Hooks::of(control)->enter.append(std::move(handler));
}

void onExit(QWidget *control, std::function<void()> handler)
{
    Hooks::of(control)->exit.append(std::move(handler));
}

void onClick(QWidget *control, std::function<void()> handler)
{
    Hooks::of(control)->click.append(std::move(handler));
}

void onDoubleClick(QWidget *control, std::function<void()> handler)
{
    Hooks::of(control)->doubleClick.append(std::move(handler));
}

void onShow(QWidget *control, std::function<void()> handler)
{
    Hooks::of(control)->shown.append(std::move(handler));
}

void onMouseDown(QWidget *control, std::function<void()> handler)
{
    Hooks::of(control)->mouseDown.append(std::move(handler));
}

void onMouseUp(QWidget *control, std::function<void()> handler)
{
    Hooks::of(control)->mouseUp.append(std::move(handler));
}

void enterChain(std::initializer_list<QWidget *> chain, QWidget *wrapTo)
{
    const QVector<QWidget *> controls(chain);
    for (int i = 0; i < controls.size(); ++i) {
        QWidget *next = i + 1 < controls.size() ? controls[i + 1] : wrapTo;
        if (!next)
            continue;
        onKeyDown(controls[i], [next](QKeyEvent *event) {
            if (!isEnter(event))
                return false;
            next->setFocus(Qt::TabFocusReason);
            return true;
        });
    }
}

}  // namespace EventHooks
