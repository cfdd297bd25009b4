#pragma once

#include "validators/CheckDialog.h"
#include "widgets/MessageBoxes.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <functional>

Q_DECLARE_METATYPE(MessageBoxes::Kind)

// Drives a check dialog as its user would, without ever blocking on it.
namespace CheckDriver {

struct Outcome
{
    QList<MessageBoxes::Shown> shown;
    bool closed = false;
    bool editFocusedAtStart = false;
    bool enterMovedToControlla = false;
};

// Shows the dialog (not modally), presses Enter in its edit, which must move the focus to
// "Controlla", then presses Enter there.
inline Outcome enterAndControlla(CheckDialog &dialog, QLineEdit *edit)
{
    Outcome outcome;
    MessageBoxes::takeShown();
    dialog.show();
    outcome.editFocusedAtStart = dialog.focusWidget() == edit;
    QTest::keyClick(edit, Qt::Key_Return);
    outcome.enterMovedToControlla = dialog.focusWidget() == dialog.btnControlla;
    QTest::keyClick(dialog.btnControlla, Qt::Key_Return);
    outcome.shown = MessageBoxes::takeShown();
    outcome.closed = !dialog.isVisible();
    return outcome;
}

// Opens a dialog through its own static check(caller, text), which runs it modally; `whileOpen` runs
// once the dialog is up and must close it.
template<typename Dialog>
void whileModal(const QString &text, const std::function<void(Dialog *)> &whileOpen)
{
    QTimer::singleShot(0, [whileOpen] {
        Dialog *dialog = nullptr;
        for (QWidget *window : QApplication::topLevelWidgets()) {
            if (auto *open = qobject_cast<Dialog *>(window); open && open->isVisible())
                dialog = open;
        }
        QVERIFY(dialog);
        QVERIFY(dialog->isModal());
        whileOpen(dialog);
        if (dialog->isVisible()) {
            dialog->reject();  // never leave the test blocked
            QFAIL("the dialog stayed open");
        }
    });
    Dialog::check(nullptr, text);
}

}  // namespace CheckDriver
