#include "widgets/DateEdits.h"

#include "widgets/AppHost.h"
#include "widgets/EventHooks.h"
#include "widgets/FormHelpers.h"
#include "widgets/TfrmCalendario.h"

#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>

void DateEdits::add(const QString &word, QLineEdit *edit)
{
    m_edits.insert(word, edit);
}

QLineEdit *DateEdits::find(const QString &word) const
{
    return m_edits.value(word);
}

QString DateEdits::hintFor(const QString &hint)
{
    if (hint.isEmpty())
        return QStringLiteral("Fare clic o premere un tasto per scegliere la data.");
    QString text = hint;
    const bool stop = text.endsWith(QLatin1Char('.'));
    if (stop)
        text.chop(1);
    return text + QStringLiteral(" (clic o un tasto per scegliere la data)") + (stop ? QStringLiteral(".") : QString());
}

void DateEdits::pick(AppHost &host, QWidget *window, const QString &word)
{
    TfrmCalendario calendar(host, window);
    calendar.lblMemory->setText(word);
    calendar.exec();
}

void DateEdits::attach(AppHost &host, QWidget *window, QLineEdit *edit, const QString &word)
{
    host.dateEdits().add(word, edit);
    edit->setReadOnly(true);
    FormHelpers::setHint(edit, hintFor(FormHelpers::hintOf(edit)));
    EventHooks::onKeyDown(edit, [&host, window, edit, word](QKeyEvent *event) {
        const int key = event->key();
        if (EventHooks::isEnter(event))
            return false;  // the Enter chain moves on
        if (key == Qt::Key_Backspace || key == Qt::Key_Delete) {
            edit->clear();
            return true;
        }
        // Moving with Tab and the bare modifier keys are not typing.
        if (key == Qt::Key_Tab || key == Qt::Key_Backtab || key == Qt::Key_Shift || key == Qt::Key_Control
            || key == Qt::Key_Alt || key == Qt::Key_AltGr || key == Qt::Key_Meta || key == 0 || key == Qt::Key_unknown)
            return false;
        pick(host, window, word);
        return true;
    });
    EventHooks::onClick(edit, [&host, window, word] { pick(host, window, word); });
}
