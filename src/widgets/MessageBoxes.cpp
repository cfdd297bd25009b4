#include "widgets/MessageBoxes.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

namespace {

struct MessageScript
{
    bool scripted = false;
    QList<MessageBoxes::Answer> answers;
    QList<MessageBoxes::Shown> shown;
};

MessageScript &messageScript()
{
    static MessageScript s;
    return s;
}

}  // namespace

void MessageBoxes::setScripted(bool scripted)
{
    messageScript().scripted = scripted;
    messageScript().answers.clear();
    messageScript().shown.clear();
}

bool MessageBoxes::isScripted()
{
    return messageScript().scripted;
}

void MessageBoxes::setNextAnswer(Answer answer)
{
    messageScript().answers.append(answer);
}

QList<MessageBoxes::Shown> MessageBoxes::takeShown()
{
    return std::exchange(messageScript().shown, {});
}

QString MessageBoxes::displayText(const QString &text)
{
    QString shown = text;
    if (shown.contains(QLatin1Char('\n')))
        shown.remove(QLatin1Char('\r'));
    else
        shown.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return shown;
}

MessageBoxes::Answer MessageBoxes::show(QWidget *parent, Kind kind, const QString &text)
{
    MessageScript &s = messageScript();
    if (s.scripted) {
        s.shown.append({kind, text});
        if (!s.answers.isEmpty())
            return s.answers.takeFirst();
        if (kind == Kind::OverwriteQuestion)
            return Answer::Cancel;
        return kind == Kind::Question || kind == Kind::SaveQuestion ? Answer::Yes : Answer::Ok;
    }

    QMessageBox box(parent);
    box.setText(displayText(text));
    box.setTextFormat(Qt::PlainText);
    if (kind == Kind::OverwriteQuestion) {
        // Overwriting another workstation's work is never the default: Enter and Esc cancel.
        box.setIcon(QMessageBox::Warning);
        box.setWindowTitle(QStringLiteral("Attenzione"));
        QPushButton *overwrite = box.addButton(QStringLiteral("Sovrascrivi"), QMessageBox::AcceptRole);
        QPushButton *reload = box.addButton(QStringLiteral("Ricarica"), QMessageBox::ResetRole);
        QPushButton *cancel = box.addButton(QStringLiteral("Annulla"), QMessageBox::RejectRole);
        box.setDefaultButton(cancel);
        box.setEscapeButton(cancel);
        box.exec();
        if (box.clickedButton() == overwrite)
            return Answer::Overwrite;
        if (box.clickedButton() == reload)
            return Answer::Reload;
        return Answer::Cancel;
    }
    switch (kind) {
    case Kind::Warning:
        box.setIcon(QMessageBox::Warning);
        box.setWindowTitle(QStringLiteral("Attenzione"));
        box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
        break;
    case Kind::Error:
        box.setIcon(QMessageBox::Critical);
        box.setWindowTitle(QStringLiteral("Errore"));
        box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
        break;
    case Kind::Information:
        box.setIcon(QMessageBox::Information);
        box.setWindowTitle(QStringLiteral("Informazione"));
        box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
        break;
    case Kind::Plain:
        box.setIcon(QMessageBox::NoIcon);
        box.setWindowTitle(QStringLiteral("Cablora"));
        box.setStandardButtons(QMessageBox::Ok);
        break;
    case Kind::Question:
        box.setIcon(QMessageBox::Question);
        box.setWindowTitle(QStringLiteral("Conferma"));
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        break;
    case Kind::SaveQuestion:
        box.setIcon(QMessageBox::Question);
        box.setWindowTitle(QStringLiteral("Conferma"));
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        box.setEscapeButton(QMessageBox::Cancel);
        break;
    case Kind::OverwriteQuestion: break;  // above
    }
    box.setDefaultButton(kind == Kind::Question || kind == Kind::SaveQuestion ? QMessageBox::Yes : QMessageBox::Ok);
    switch (box.exec()) {
    case QMessageBox::Cancel: return Answer::Cancel;
    case QMessageBox::Yes: return Answer::Yes;
    case QMessageBox::No: return Answer::No;
    default: return Answer::Ok;
    }
}
