#pragma once

#include <QList>
#include <QPixmap>
#include <QString>
#include <QStringList>
#include <QWidget>

#include <functional>

class FocusFrame;
class QLabel;
class QLineEdit;
class QPushButton;

// The controls of the criteria page under their own names; a search dialog carries them too.
struct ListCriteriaControls
{
    QLabel *imgIstruzioni = nullptr, *imgDecoro = nullptr;
    QLabel *lblAttendere = nullptr;
    QPushButton *btnAnnulla = nullptr, *btnCerca = nullptr;
};

// The criteria page of the search dialogs (sheets, customers, vehicles): the instruction picture, an
// optional decorative picture at the left, the criterion edits in columns, each under its caption and
// inside a yellow focus frame, Enter moving from one edit to the next and from the last back to the
// first, "Chiudi" (`btnAnnulla`, closes the dialog) and "Cerca" (`btnCerca`); the hidden wait label
// `lblAttendere` appears as soon as the mouse button goes down on "Cerca".
//
// Each edit carries the name given in its Criterion as object name ("txtCognome"), its frame the
// same name with "eff" for "txt" ("effCognome").
class ListCriteriaPage : public QWidget, public ListCriteriaControls
{
    Q_OBJECT
public:
    struct Criterion
    {
        QString name;     // the edit's name, "txt..."
        QString caption;  // the caption above it
    };
    struct Setup
    {
        QString title;                                    // the heading of the instruction picture
        QStringList instructions = searchInstructions();  // its lines
        QPixmap decoration;                               // the picture at the left; none when null
        QList<Criterion> criteria;                        // in tab and Enter order, filled column by column
        int perColumn = 5;
        bool boldEdits = false;  // Verdana 12, bold or not
        int width = 1000;
        QString waitText = QStringLiteral("Ricerca schede in corso. Attendere...");
        std::function<void()> search;  // "Cerca"
    };

    ListCriteriaPage(const Setup &setup, QWidget *parent);

    // The three sentences that explain the criteria ("Immettere nei campi prescelti ...").
    static QStringList searchInstructions();

    QList<QLineEdit *> edits;    // in the order of Setup::criteria
    QList<FocusFrame *> frames;  // the same order

    // The edit of that name, or nullptr.
    QLineEdit *edit(const QString &name) const;
    // The criteria as typed, in the order of the edits.
    QStringList texts() const;
    // Gives the first criterion the focus.
    void focusFirst();

    void btnCercaMouseDown();
    void btnCercaClick();
    void btnAnnullaClick();

private:
    Setup m_setup;
};
