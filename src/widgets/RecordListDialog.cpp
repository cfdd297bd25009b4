#include "widgets/RecordListDialog.h"

#include "widgets/FormHelpers.h"
#include "widgets/RecordListView.h"

#include <QLabel>
#include <QLineEdit>
#include <QShowEvent>
#include <QStackedWidget>
#include <QVBoxLayout>

RecordListDialog::RecordListDialog(const QString &caption, const ListResultsPage::Setup &results, QWidget *parent)
    : QDialog(parent)
{
    setWindowTitle(caption);
    FormHelpers::makeFixedWithoutButtons(this);
    setWindowFlag(Qt::Dialog, true);

    panContainer = new ListResultsPage(results, this);
    static_cast<ListResultsControls &>(*this) = *panContainer;

    m_pages = new QStackedWidget(this);
    m_pages->addWidget(panContainer);
    m_layout = new QVBoxLayout(this);
    m_layout->setContentsMargins(0, 0, 0, 0);
    m_layout->setSpacing(0);
    m_layout->addWidget(m_pages);
    m_layout->setSizeConstraint(QLayout::SetFixedSize);
    FormHelpers::centre(this);
}

void RecordListDialog::addHeading(QWidget *heading)
{
    m_layout->insertWidget(0, heading);
    FormHelpers::centre(this);
}

void RecordListDialog::addFooter(QWidget *footer)
{
    m_layout->addWidget(footer);
    FormHelpers::centre(this);
}

void RecordListDialog::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (!event->spontaneous())
        FormShow();
}

void RecordListDialog::FormShow()
{
    panContainer->reset();
}

void RecordListDialog::done(int result)
{
    FormClose();
    QDialog::done(result);
}

void RecordListDialog::FormClose()
{
    panContainer->clear();
}

RecordSearchDialog::RecordSearchDialog(const QString &caption, ListCriteriaPage::Setup criteria,
                                       const ListResultsPage::Setup &results, Search search, QWidget *parent)
    : RecordListDialog(caption, results, parent), m_search(std::move(search))
{
    lblMemory = new QLabel(this);
    lblMemory->setObjectName(QStringLiteral("lblMemory"));
    lblMemory->hide();

    criteria.search = [this] { btnCercaClick(); };
    panAvvio = new ListCriteriaPage(criteria, this);
    static_cast<ListCriteriaControls &>(*this) = *panAvvio;
    m_pages->insertWidget(0, panAvvio);
    m_pages->setCurrentWidget(panAvvio);
    FormHelpers::centre(this);
}

QList<QLineEdit *> RecordSearchDialog::criterionEdits() const
{
    return panAvvio->edits;
}

void RecordSearchDialog::nameEdits(std::initializer_list<QLineEdit **> members)
{
    int i = 0;
    for (QLineEdit **member : members)
        *member = i < panAvvio->edits.size() ? panAvvio->edits.at(i++) : nullptr;
}

void RecordSearchDialog::FormShow()
{
    RecordListDialog::FormShow();
    if (m_pages->currentWidget() == panAvvio)
        panAvvio->focusFirst();
}

void RecordSearchDialog::btnCercaClick()
{
    const QStringList criteria = panAvvio->texts();
    const bool complete = panContainer->fill([&](ListedRecords &found) { return m_search(criteria, found); });
    if (!complete && lstRecords->count() == 0) {
        // Nothing could be read: the criteria stay, to try again.
        lblAttendere->hide();
        return;
    }
    m_pages->setCurrentWidget(panContainer);
    panContainer->focusFind();
}

void RecordSearchDialog::FormClose()
{
    RecordListDialog::FormClose();
    lblAttendere->hide();
}
