#pragma once

#include "archive/ListRules.h"

#include <QString>
#include <QStringList>
#include <QWidget>

#include <functional>

class QKeyEvent;
class QLabel;
class QLineEdit;
class QPushButton;
class RecordListView;

// The controls of the results page under their own names; a list dialog carries them too
// (dlg->lstRecords, dlg->txtTrova ...).
struct ListResultsControls
{
    QLabel *imgIstruzioniTrova = nullptr, *imgLente = nullptr;
    QLineEdit *txtTrova = nullptr;
    QPushButton *btnTrova = nullptr;
    RecordListView *lstRecords = nullptr;
    QLabel *lblTrovate = nullptr, *lblRigo03 = nullptr;
    QPushButton *btnChiudi = nullptr, *btnStampa = nullptr;
    // The column headings on top of the list (hidden when the list has none) and the summary line
    // under it (hidden while empty).
    QLabel *lblColonne = nullptr, *lblRiepilogo = nullptr;
};

// The results page that every list dialog shows (sheet search, unpaid sheets, customer search,
// customers to recontact, vehicle search): the instruction picture, the lens, the find edit `txtTrova`
// with "Trova" (find the next line containing a text, wrapping around), the list `lstRecords`, the
// count label `lblTrovate`, the line `lblRigo03` telling to double-click (Enter on the selected line
// does the same), "Stampa" (the list as a summary) and "Chiudi" (closes the dialog); Esc closes the
// dialog too. A list may have column headings on top (`lblColonne`) and a summary line under it
// (`lblRiepilogo`, the totals), both printed with the lines.
//
// The dialog gives what differs in a Setup, fills the list with fill(scan), and receives a double-click
// as the archive position of the clicked line's record. A scan that fails shows the archive access
// message and the page says that the list is incomplete, on screen and on the printed summary.
//
//     ListResultsPage::Setup setup;
//     setup.reportName = ...; setup.reportTitle = ...;
//     setup.open = [this](qint64 position) { ... show the record at position ... };
//     auto *page = new ListResultsPage(setup, dialog);
//     page->fill([&](ListedRecords &found) { return SomeSearch::scan(path, found); });
class ListResultsPage : public QWidget, public ListResultsControls
{
    Q_OBJECT
public:
    struct Setup
    {
        // The summary print ("Stampa"): the report's name and the title printed above the lines.
        QString reportName;
        QString reportTitle;
        // The line under the list.
        QString openHint = QStringLiteral("Fare doppio clic sulla voce in elenco per richiamare la scheda");
        // The count label: "Il presente riepilogo contiene <n> schede" followed by countEnding. A list
        // without a count label (countLabel false) shows lblTrovate only to say it is incomplete.
        bool countLabel = true;
        QString countEnding = QStringLiteral(".");
        int width = 1000;
        int listHeight = 380;
        // A double-click on a line: the archive position of that line's record. The dialog closes
        // afterwards, whatever the callback did. No line selected: not called.
        std::function<void(qint64 position)> open;
        // The column headings of the lines, shown on top of the list (scrolled sideways with it) and
        // printed above the lines; none: the lines name their columns themselves.
        QString columnHeading = QString();
    };

    ListResultsPage(const Setup &setup, QWidget *parent);

    // On showing the dialog: forgets the remembered find text, selects the first line, empties the
    // find edit.
    void reset();
    // Empties the list and runs scan to fill it again. When the scan fails (returns false), the
    // archive access message is shown and the lines found before the failure are listed as an
    // incomplete list. Returns what the scan returned.
    bool fill(const std::function<bool(ListedRecords &found)> &scan);
    // Shows the lines and the count label; an incomplete list says so.
    void setRecords(ListedRecords records, bool complete);
    bool isComplete() const { return m_complete; }
    // Empties the find edit and gives it the focus.
    void focusFind();
    // Closing the dialog empties the list.
    void clear();
    // The summary under the list (the totals, what a column means), printed under the lines too;
    // the empty text hides it.
    void setSummary(const QString &text);
    // The title printed above the lines, when it says more than the report's title (the plate, the
    // period and kind chosen); the empty text goes back to the report's title.
    void setPrintTitle(const QString &title);
    // What "Stampa" prints, as on the screen: the title (with the note of an incomplete list), then
    // the column headings over a rule, the lines, and the summary after a blank line.
    QString printedTitle() const;
    QStringList printedLines() const;

    bool txtTrovaKeyDown(QKeyEvent *event);
    void btnTrovaClick();
    void lstRecordsDblClick();
    void btnStampaClick();
    void btnChiudiClick();

    // Added to the count text and to the printed title of an incomplete list.
    static QString incompleteNote();
    // Shown in lblTrovate of an incomplete list that has no count label.
    static QString incompleteText();

    // Scripting for tests: the next scan that fill() runs fails after listing at most `lines` lines,
    // as a scan does when the archive becomes unreadable halfway. -1 (the default) scripts nothing.
    static void failNextScanAfter(int lines);

private:
    void followSideways(int offset);

    Setup m_setup;
    bool m_complete = true;
    QString m_printTitle;
    QWidget *m_headingStrip = nullptr;
};
