#include "widgets/CodePageGuard.h"

#include "common/CodePage.h"

#include <QAction>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QDropEvent>
#include <QGuiApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QStringList>

namespace CodePageGuard {

namespace {

// At most this many refused characters are named in one message.
constexpr int kNamedAtMost = 5;

// What the guard needs of the two kinds of edit.
class Guard : public QObject
{
public:
    Guard(QWidget *edit, TellUser tellUser)
        : QObject(edit), m_edit(edit), m_editClass(edit->metaObject()), m_tellUser(std::move(tellUser))
    {
    }

protected:
    virtual bool isReadOnly() const = 0;
    // Inserts text at the cursor as typing would (replacing the selection).
    virtual void insertTyped(const QString &text) = 0;
    // Moves the cursor to a point of the widget that received the mouse event.
    virtual void placeCursorAt(QObject *receiver, const QPoint &point) = 0;
    virtual QMenu *standardMenu(QObject *receiver, const QPoint &point) = 0;
    // The standard menu's Paste, cut off from the edit; nullptr when there is none.
    virtual QAction *detachPaste(QMenu *menu) = 0;
    virtual void pasteAsUsual() = 0;

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        // The guard is a child of the edit, so it outlives the edit's own destructor: while QWidget's
        // destructor deletes the children (the text edit's viewport first), events still arrive here,
        // but the edit is a plain QWidget by then and its QLineEdit / QPlainTextEdit calls are invalid.
        if (m_edit->metaObject() != m_editClass)
            return false;
        if (m_forwarding || isReadOnly())
            return false;
        switch (event->type()) {
        case QEvent::KeyPress: return keyPress(static_cast<QKeyEvent *>(event));
        case QEvent::InputMethod: return inputMethod(watched, static_cast<QInputMethodEvent *>(event));
        case QEvent::ContextMenu: return contextMenu(watched, static_cast<QContextMenuEvent *>(event));
        case QEvent::MouseButtonRelease: return middleClick(watched, static_cast<QMouseEvent *>(event));
        case QEvent::Drop: return drop(watched, static_cast<QDropEvent *>(event));
        default: return false;
        }
    }

    QWidget *m_edit;

private:
    const QMetaObject *m_editClass;
    // Hands over what may be stored (nothing left is handed over only when `always`) and tells the
    // user about the rest. True when something was refused (the caller then swallows the original
    // event).
    bool filtered(const QString &text, const std::function<void(const QString &)> &use, bool always = false)
    {
        QString refused;
        const QString kept = storable(text, &refused);
        if (refused.isEmpty())
            return false;
        if (!kept.isEmpty() || always)
            use(kept);
        if (m_tellUser)
            m_tellUser(refusalMessage(refused));
        return true;
    }

    bool pasteFrom(QClipboard::Mode mode)
    {
        const QClipboard *clipboard = QGuiApplication::clipboard();
        return filtered(clipboard->text(mode), [this](const QString &kept) { insertTyped(kept); });
    }

    bool keyPress(QKeyEvent *event)
    {
        if (event->matches(QKeySequence::Paste))
            return pasteFrom(QClipboard::Clipboard);
        QString text = event->text();
        if (text.isEmpty())
            return false;
        // A character beyond 16 bits may come as two key events, one per half.
        if (!m_pendingHigh.isNull()) {
            text.prepend(m_pendingHigh);
            m_pendingHigh = QChar();
        }
        if (text.size() == 1 && text.front().isHighSurrogate()) {
            m_pendingHigh = text.front();
            return true;
        }
        return filtered(text, [this](const QString &kept) { insertTyped(kept); });
    }

    bool inputMethod(QObject *watched, QInputMethodEvent *event)
    {
        return filtered(
            event->commitString(),
            [&](const QString &kept) {
                QInputMethodEvent allowed(event->preeditString(), event->attributes());
                allowed.setCommitString(kept, event->replacementStart(), event->replacementLength());
                forward(watched, &allowed);  // also when nothing is left: it ends the composition
            },
            true);
    }

    bool contextMenu(QObject *watched, QContextMenuEvent *event)
    {
        if (m_edit->contextMenuPolicy() != Qt::DefaultContextMenu)
            return false;
        QMenu *menu = standardMenu(watched, event->pos());
        if (!menu)
            return false;
        // The menu's Paste goes through the guard; everything else stays as Qt made it.
        if (QAction *paste = detachPaste(menu)) {
            paste->setObjectName(QStringLiteral("edit-paste"));
            connect(paste, &QAction::triggered, this, [this] {
                if (!pasteFrom(QClipboard::Clipboard))
                    pasteAsUsual();
            });
        }
        menu->setAttribute(Qt::WA_DeleteOnClose);
        menu->popup(event->globalPos());
        event->accept();
        return true;
    }

    bool middleClick(QObject *watched, QMouseEvent *event)
    {
        if (event->button() != Qt::MiddleButton || !QGuiApplication::clipboard()->supportsSelection())
            return false;
        return filtered(QGuiApplication::clipboard()->text(QClipboard::Selection), [&](const QString &kept) {
            placeCursorAt(watched, event->position().toPoint());
            insertTyped(kept);
        });
    }

    bool drop(QObject *watched, QDropEvent *event)
    {
        const QMimeData *data = event->mimeData();
        if (!data || !data->hasText())
            return false;
        return filtered(data->text(), [&](const QString &kept) {
            QMimeData allowedData;
            allowedData.setText(kept);
            QDropEvent allowed(event->position(), event->possibleActions(), &allowedData, event->buttons(),
                               event->modifiers(), event->type());
            forward(watched, &allowed);
            event->setDropAction(allowed.dropAction());
            event->setAccepted(allowed.isAccepted());
        });
    }

    // Sends the filtered copy of an event to where the original was going, past this guard.
    void forward(QObject *receiver, QEvent *event)
    {
        m_forwarding = true;
        QCoreApplication::sendEvent(receiver, event);
        m_forwarding = false;
    }

    TellUser m_tellUser;
    bool m_forwarding = false;
    QChar m_pendingHigh;
};

class LineEditGuard : public Guard
{
public:
    LineEditGuard(QLineEdit *edit, TellUser tellUser) : Guard(edit, std::move(tellUser)), m_line(edit)
    {
        edit->installEventFilter(this);
    }

protected:
    bool isReadOnly() const override { return m_line->isReadOnly(); }
    void insertTyped(const QString &text) override { m_line->insert(text); }
    void placeCursorAt(QObject *, const QPoint &point) override
    {
        m_line->deselect();
        m_line->setCursorPosition(m_line->cursorPositionAt(point));
    }
    QMenu *standardMenu(QObject *, const QPoint &) override { return m_line->createStandardContextMenu(); }
    QAction *detachPaste(QMenu *menu) override
    {
        // The action that the edit's paste slot listens to.
        for (QAction *action : menu->actions()) {
            if (QObject::disconnect(action, &QAction::triggered, m_line, &QLineEdit::paste)
                || QObject::disconnect(action, SIGNAL(triggered(bool)), m_line, SLOT(paste()))
                || QObject::disconnect(action, SIGNAL(triggered()), m_line, SLOT(paste())))
                return action;
        }
        return nullptr;
    }
    void pasteAsUsual() override { m_line->paste(); }

private:
    QLineEdit *m_line;
};

class PlainTextGuard : public Guard
{
public:
    PlainTextGuard(QPlainTextEdit *edit, TellUser tellUser) : Guard(edit, std::move(tellUser)), m_text(edit)
    {
        // Keys and input methods reach the edit; the mouse, menus and drops reach its viewport.
        edit->installEventFilter(this);
        edit->viewport()->installEventFilter(this);
    }

protected:
    bool isReadOnly() const override { return m_text->isReadOnly(); }
    void insertTyped(const QString &text) override
    {
        QTextCursor cursor = m_text->textCursor();
        cursor.insertText(text);
        m_text->setTextCursor(cursor);
        m_text->ensureCursorVisible();
    }
    void placeCursorAt(QObject *receiver, const QPoint &point) override
    {
        const QPoint inViewport = receiver == m_text->viewport() ? point : m_text->viewport()->mapFrom(m_text, point);
        m_text->setTextCursor(m_text->cursorForPosition(inViewport));
    }
    QMenu *standardMenu(QObject *receiver, const QPoint &point) override
    {
        const QPoint inViewport = receiver == m_text->viewport() ? point : m_text->viewport()->mapFrom(m_text, point);
        return m_text->createStandardContextMenu(inViewport);
    }
    QAction *detachPaste(QMenu *menu) override
    {
        // Qt names the standard actions of a text control after their icons.
        QAction *paste = menu->findChild<QAction *>(QStringLiteral("edit-paste"));
        if (paste)
            QObject::disconnect(paste, &QAction::triggered, nullptr, nullptr);
        return paste;
    }
    void pasteAsUsual() override { m_text->paste(); }

private:
    QPlainTextEdit *m_text;
};

}  // namespace

QString storable(const QString &text, QString *refused)
{
    QString kept;
    kept.reserve(text.size());
    QStringList refusedList;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (CodePage::byteFor(c) >= 0) {
            kept += c;
            continue;
        }
        QString character(c);
        if (c.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate())
            character += text.at(++i);
        if (!refusedList.contains(character))
            refusedList << character;
    }
    if (refused)
        *refused = refusedList.join(QString());
    return kept;
}

QString refusalMessage(const QString &refused)
{
    QStringList named;
    for (qsizetype i = 0; i < refused.size() && named.size() < kNamedAtMost; ++i) {
        QString character(refused.at(i));
        if (refused.at(i).isHighSurrogate() && i + 1 < refused.size() && refused.at(i + 1).isLowSurrogate())
            character += refused.at(++i);
        named << QStringLiteral("«%1»").arg(character);
    }
    if (named.size() == 1)
        return QStringLiteral("Carattere non ammesso: %1 non può essere archiviato.").arg(named.first());
    return QStringLiteral("Caratteri non ammessi: %1 non possono essere archiviati.")
        .arg(named.join(QStringLiteral(", ")));
}

void install(QLineEdit *edit, TellUser tellUser)
{
    new LineEditGuard(edit, std::move(tellUser));
}

void install(QPlainTextEdit *edit, TellUser tellUser)
{
    new PlainTextGuard(edit, std::move(tellUser));
}

}  // namespace CodePageGuard
