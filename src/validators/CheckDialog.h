#pragma once

#include <QDialog>

class FocusFrame;
class QKeyEvent;
class QLabel;
class QLineEdit;
class QPushButton;

// What the four identifier checks share: a header picture, an instruction, one large edit for the
// identifier and the buttons "Controlla" and "Chiudi". A check dialog is created per use by its
// caller, which may put a text into the edit before showing it; it only reports and writes nothing
// back.
class CheckDialog : public QDialog
{
    Q_OBJECT
public:
    QLabel *imgLogo;
    QLabel *lblTitolo;
    QPushButton *btnControlla;
    QPushButton *btnChiudi;

protected:
    CheckDialog(QWidget *caller, const QString &caption, const QString &artwork, const QString &title,
                const QString &instruction, int editCharacters);

    // The identifier edit, which each dialog names after what it holds.
    QLineEdit *edit() const { return m_edit; }

    // Typing stops at `maxLength` characters. A longer text that the caller puts into the edit before
    // showing the dialog stays whole (it can only be shortened), so that the check judges exactly
    // what the caller passed.
    void setTypingLimit(int maxLength);

    // After a change made by typing, the edit holds its trimmed, upper-cased text.
    void keepTrimmedUpper();

    // Enter moves the focus to "Controlla" (it does not check by itself).
    bool enterToControlla(QKeyEvent *event);

    // An edit that takes digits only: true when the key must be swallowed (a character other than a
    // digit, told under the edit); the editing and selection keys and the keys that move between
    // controls or leave the dialog pass, and a paste brings in its digits only.
    bool refusesNonDigit(QKeyEvent *event);

    virtual void FormShow() = 0;

    void showEvent(QShowEvent *event) override;

private:
    void applyTypingLimit();

    QLineEdit *m_edit;
    FocusFrame *m_frame;
    int m_typingLimit = 0;
    bool m_shown = false;
};
