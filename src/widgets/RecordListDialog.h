#pragma once

#include "archive/RecordScan.h"
#include "widgets/ListCriteriaPage.h"
#include "widgets/ListResultsPage.h"

#include <QDialog>

#include <functional>

class QLabel;
class QLineEdit;
class QPushButton;
class QStackedWidget;
class QVBoxLayout;
class RecordListView;

// A list dialog: fixed size, no window buttons, centred on the screen, showing the results page of
// its list (ListResultsPage). On showing, the remembered find text is forgotten, the first line
// selected and the find edit emptied (FormShow); closing, by any button or a double-click, empties
// the list (FormClose). A list built from the archive at every showing (the unpaid sheets, the
// customers to recontact) overrides FormShow and calls panContainer->fill(scan).
//
// The controls of the page are reachable under their own names (dlg->lstRecords, dlg->txtTrova ...).
class RecordListDialog : public QDialog, public ListResultsControls
{
    Q_OBJECT
public:
    ListResultsPage *panContainer;

    virtual void FormShow();
    virtual void FormClose();

protected:
    RecordListDialog(const QString &caption, const ListResultsPage::Setup &results, QWidget *parent);

    // A picture above the pages (the heading of the unpaid list).
    void addHeading(QWidget *heading);
    // A line under the pages (the sums of the plate history).
    void addFooter(QWidget *footer);

    void showEvent(QShowEvent *event) override;
    void done(int result) override;

    QStackedWidget *m_pages;

private:
    QVBoxLayout *m_layout;
};

// A search dialog (sheets, customers, vehicles): the criteria page first (ListCriteriaPage), then,
// after "Cerca", the results page; there is no way back within one opening. The caller writes its
// context word into the hidden label lblMemory before showing the dialog.
//
// "Cerca" hands the criteria as typed, in the order of the edits, to the dialog's search and lists
// what it found. When the archive cannot be read the access message is shown: if nothing was listed
// before the failure the criteria page stays, so that the user can try again; otherwise the lines
// read so far are shown as an incomplete list.
class RecordSearchDialog : public RecordListDialog, public ListCriteriaControls
{
    Q_OBJECT
public:
    using Search = std::function<bool(const QStringList &criteria, ListedRecords &found)>;

    QLabel *lblMemory;
    ListCriteriaPage *panAvvio;

    // The criterion edits in their order.
    QList<QLineEdit *> criterionEdits() const;

    // The criteria of a search: texts[i] as typed, searched in fields[i] (the record fields in the
    // order of the criterion edits).
    template<typename Fields>
    static QList<RecordScan::Criterion> criteriaOf(const Fields &fields, const QStringList &texts)
    {
        QList<RecordScan::Criterion> criteria;
        int i = 0;
        for (const auto field : fields) {
            if (i >= texts.size())
                break;
            criteria.append({int(field), texts.at(i++)});
        }
        return criteria;
    }

    void FormShow() override;
    void FormClose() override;
    void btnCercaClick();

protected:
    RecordSearchDialog(const QString &caption, ListCriteriaPage::Setup criteria, const ListResultsPage::Setup &results,
                       Search search, QWidget *parent);

    // Points the dialog's own edit members at the criterion edits, in their order:
    //     nameEdits({&txtCognome, &txtDitta, ...});
    void nameEdits(std::initializer_list<QLineEdit **> members);

private:
    Search m_search;
};
