#include "widgets/CommandKeys.h"

#include "widgets/FormHelpers.h"

#include <QEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPointer>
#include <QShortcut>

#include <algorithm>

namespace CommandKeys {

namespace {

QRect placeIn(const QWidget *window, const PictureButton *command)
{
    return QRect(command->mapTo(window, QPoint(0, 0)), command->size());
}

// One group of commands of a window: keeps the Tab order and moves along with the arrows.
class Group : public QObject
{
public:
    Group(QWidget *window, const QList<PictureButton *> &commands) : QObject(window), m_window(window)
    {
        for (PictureButton *command : commands) {
            m_commands.append(command);
            command->setFocusPolicy(Qt::TabFocus);
            command->installEventFilter(this);
        }
        window->installEventFilter(this);
        arrangeTabOrder();
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (watched == m_window) {
            // The places on the screen are known once the window is laid out to be shown.
            if (event->type() == QEvent::Show)
                arrangeTabOrder();
            return false;
        }
        if (event->type() == QEvent::KeyPress) {
            const auto *key = static_cast<QKeyEvent *>(event);
            if (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
                return false;
            switch (key->key()) {
            case Qt::Key_Right:
            case Qt::Key_Down: return move(static_cast<PictureButton *>(watched), +1);
            case Qt::Key_Left:
            case Qt::Key_Up: return move(static_cast<PictureButton *>(watched), -1);
            default: break;
            }
        }
        return false;
    }

private:
    QList<PictureButton *> alive() const
    {
        QList<PictureButton *> commands;
        for (const QPointer<PictureButton> &command : m_commands) {
            if (command)
                commands.append(command);
        }
        return commands;
    }

    // The commands after the last control of the window's Tab chain, in their order on the screen.
    void arrangeTabOrder()
    {
        const QList<PictureButton *> ordered = screenOrder(alive());
        if (ordered.isEmpty())
            return;
        QWidget *last = nullptr;
        for (QWidget *w = m_window->nextInFocusChain(); w && w != m_window; w = w->nextInFocusChain()) {
            if (w->window() == m_window && (w->focusPolicy() & Qt::TabFocus) && !ordered.contains(w))
                last = w;
        }
        if (last)
            QWidget::setTabOrder(last, ordered.first());
        for (qsizetype i = 1; i < ordered.size(); ++i)
            QWidget::setTabOrder(ordered.at(i - 1), ordered.at(i));
    }

    bool move(PictureButton *from, int step)
    {
        const QList<PictureButton *> ordered = screenOrder(alive());
        const qsizetype at = ordered.indexOf(from);
        if (at < 0)
            return false;
        for (qsizetype n = 1; n < ordered.size(); ++n) {
            PictureButton *next = ordered.at((at + step * n + ordered.size() * n) % ordered.size());
            if (next->isVisible() && next->isEnabled()) {
                next->setFocus(step > 0 ? Qt::TabFocusReason : Qt::BacktabFocusReason);
                return true;
            }
        }
        return true;
    }

    QWidget *m_window;
    QList<QPointer<PictureButton>> m_commands;
};

// The one-line fields of a window take Ctrl+Home and Ctrl+End for themselves (the same as Home and
// End there): the command keys of the window win over them. Multi-line texts keep theirs.
class FieldsYield : public QObject
{
public:
    explicit FieldsYield(QWidget *window) : QObject(window)
    {
        setObjectName(QStringLiteral("commandKeysFieldsYield"));
        for (QLineEdit *edit : window->findChildren<QLineEdit *>())
            edit->installEventFilter(this);
    }

    static FieldsYield *of(QWidget *window)
    {
        auto *found =
            window->findChild<FieldsYield *>(QStringLiteral("commandKeysFieldsYield"), Qt::FindDirectChildrenOnly);
        return found ? found : new FieldsYield(window);
    }

    QList<QKeyCombination> keys;

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() != QEvent::ShortcutOverride)
            return false;
        const QKeyCombination pressed = static_cast<QKeyEvent *>(event)->keyCombination();
        // Not accepted: the window's shortcut runs.
        return keys.contains(pressed);
    }
};

}  // namespace

QList<PictureButton *> screenOrder(const QList<PictureButton *> &commands)
{
    if (commands.isEmpty())
        return commands;
    const QWidget *window = commands.first()->window();
    QList<PictureButton *> byMiddle = commands;
    std::stable_sort(byMiddle.begin(), byMiddle.end(), [window](PictureButton *a, PictureButton *b) {
        return placeIn(window, a).center().y() < placeIn(window, b).center().y();
    });
    // Rows: a command whose middle lies within the height of the row's first command joins that row.
    QList<PictureButton *> ordered;
    qsizetype rowStart = 0;
    for (qsizetype i = 0; i <= byMiddle.size(); ++i) {
        const bool newRow =
            i == byMiddle.size()
            || placeIn(window, byMiddle.at(i)).center().y() > placeIn(window, byMiddle.at(rowStart)).bottom();
        if (!newRow)
            continue;
        QList<PictureButton *> row = byMiddle.mid(rowStart, i - rowStart);
        std::stable_sort(row.begin(), row.end(), [window](PictureButton *a, PictureButton *b) {
            return placeIn(window, a).x() < placeIn(window, b).x();
        });
        ordered += row;
        rowStart = i;
    }
    return ordered;
}

void group(QWidget *window, const QList<PictureButton *> &commands)
{
    new Group(window, commands);
}

QString hintWithKey(const QString &hint, const QString &keyName)
{
    return hint + QStringLiteral(" (") + keyName + QLatin1Char(')');
}

void shortcut(QWidget *window, PictureButton *command, const QKeySequence &key, const QString &keyName)
{
    auto *shortcut = new QShortcut(key, window);
    shortcut->setContext(Qt::WindowShortcut);
    shortcut->setObjectName(command->objectName() + QStringLiteral("Key"));
    QObject::connect(shortcut, &QShortcut::activated, command, [command] {
        if (command->isEnabled())
            command->click();
    });
    FormHelpers::setHint(command, hintWithKey(FormHelpers::hintOf(command), keyName));
    if (!key.isEmpty())
        FieldsYield::of(window)->keys.append(key[0]);
}

}  // namespace CommandKeys
