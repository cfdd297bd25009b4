#include "widgets/ListResultsPage.h"

#include "archive/RecordArchive.h"
#include "reports/SummaryPrinting.h"
#include "widgets/EventHooks.h"
#include "widgets/FormHelpers.h"
#include "widgets/ListDialogParts.h"
#include "widgets/MessageBoxes.h"
#include "widgets/RecordListView.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

int g_failNextScanAfter = -1;

// Every control carries its name as its object name.
template<typename Control>
Control *named(Control *control, const char *name)
{
    control->setObjectName(QLatin1String(name));
    return control;
}

}  // namespace

ListResultsPage::ListResultsPage(const Setup &setup, QWidget *parent) : QWidget(parent), m_setup(setup)
{
    setObjectName(QStringLiteral("panContainer"));
    imgIstruzioniTrova = named(new QLabel(this), "imgIstruzioniTrova");
    imgIstruzioniTrova->setPixmap(ListDialogParts::instructionPicture(QSize(setup.width - 28, 58),
                                                                      ListDialogParts::findInstructions()));
    imgLente = named(new QLabel(this), "imgLente");
    imgLente->setPixmap(ListDialogParts::lensPicture(QSize(32, 32)));
    txtTrova = named(new QLineEdit(this), "txtTrova");
    txtTrova->setFont(FormHelpers::font(QStringLiteral("Verdana"), 12, true));
    FormHelpers::applyFieldColours(txtTrova);
    btnTrova = named(ListDialogParts::button(QStringLiteral("Trova"), this), "btnTrova");
    lstRecords = named(new RecordListView(this), "lstRecords");
    lstRecords->setMinimumHeight(setup.listHeight);
    lblTrovate = named(new QLabel(this), "lblTrovate");
    lblTrovate->setFont(FormHelpers::font(QStringLiteral("Verdana"), 11, true));
    lblTrovate->setStyleSheet(QStringLiteral("color: #008B8B;"));
    lblTrovate->setAlignment(Qt::AlignCenter);
    lblTrovate->setVisible(setup.countLabel);
    lblRigo03 = named(new QLabel(setup.openHint, this), "lblRigo03");
    lblRigo03->setFont(FormHelpers::font(QStringLiteral("Verdana"), 10, true));
    lblRigo03->setStyleSheet(QStringLiteral("color: #DC143C;"));
    lblRigo03->setAlignment(Qt::AlignCenter);
    btnChiudi = named(ListDialogParts::button(QStringLiteral("Chiudi"), this), "btnChiudi");
    btnStampa = named(ListDialogParts::button(QStringLiteral("Stampa"), this), "btnStampa");

    auto *findRow = new QHBoxLayout;
    findRow->addWidget(imgLente);
    findRow->addWidget(txtTrova, 1);
    findRow->addWidget(btnTrova);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(btnChiudi);
    buttons->addStretch(1);
    buttons->addWidget(btnStampa);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(14, 12, 14, 14);
    layout->setSpacing(8);
    layout->addWidget(imgIstruzioniTrova);
    layout->addLayout(findRow);
    layout->addWidget(lstRecords, 1);
    layout->addWidget(lblTrovate);
    layout->addWidget(lblRigo03);
    layout->addLayout(buttons);
    setFixedWidth(setup.width);

    setTabOrder(txtTrova, btnTrova);
    setTabOrder(btnTrova, lstRecords);
    setTabOrder(lstRecords, btnChiudi);
    setTabOrder(btnChiudi, btnStampa);

    EventHooks::onKeyDown(txtTrova, [this](QKeyEvent *event) { return txtTrovaKeyDown(event); });
    connect(btnTrova, &QPushButton::clicked, this, &ListResultsPage::btnTrovaClick);
    connect(lstRecords, &QAbstractItemView::doubleClicked, this, &ListResultsPage::lstRecordsDblClick);
    connect(btnStampa, &QPushButton::clicked, this, &ListResultsPage::btnStampaClick);
    connect(btnChiudi, &QPushButton::clicked, this, &ListResultsPage::btnChiudiClick);
}

QString ListResultsPage::incompleteNote()
{
    return QStringLiteral(" (elenco incompleto)");
}

QString ListResultsPage::incompleteText()
{
    return QStringLiteral("Elenco incompleto: non è stato possibile leggere tutto l'archivio.");
}

void ListResultsPage::failNextScanAfter(int lines)
{
    g_failNextScanAfter = lines;
}

void ListResultsPage::reset()
{
    lstRecords->forgetFindText();
    lstRecords->selectRow(0);
    txtTrova->clear();
}

bool ListResultsPage::fill(const std::function<bool(ListedRecords &found)> &scan)
{
    lstRecords->clear();
    ListedRecords found;
    bool ok = scan(found);
    if (g_failNextScanAfter >= 0) {
        while (found.size() > g_failNextScanAfter) {
            found.lines.removeLast();
            found.positions.removeLast();
        }
        g_failNextScanAfter = -1;
        ok = false;
    }
    if (!ok)
        MessageBoxes::plain(window(), archiveAccessMessage());
    setRecords(std::move(found), ok);
    return ok;
}

void ListResultsPage::setRecords(ListedRecords records, bool complete)
{
    m_complete = complete;
    lstRecords->setRecords(std::move(records));
    if (m_setup.countLabel) {
        lblTrovate->setText(ListLines::countText(lstRecords->count(), m_setup.countEnding)
                            + (complete ? QString() : incompleteNote()));
    } else {
        lblTrovate->setText(complete ? QString() : incompleteText());
        lblTrovate->setVisible(!complete);
    }
}

void ListResultsPage::focusFind()
{
    txtTrova->clear();
    txtTrova->setFocus(Qt::OtherFocusReason);
}

void ListResultsPage::clear()
{
    lstRecords->clear();
}

bool ListResultsPage::txtTrovaKeyDown(QKeyEvent *event)
{
    // Enter only moves to "Trova"; it does not search.
    if (!EventHooks::isEnter(event))
        return false;
    btnTrova->setFocus(Qt::OtherFocusReason);
    return true;
}

void ListResultsPage::btnTrovaClick()
{
    lstRecords->findNext(txtTrova->text());
}

void ListResultsPage::lstRecordsDblClick()
{
    // The line keeps the position of the record it was built from: exactly that record is read again
    // and shown, whatever other records give the same line.
    const qint64 position = lstRecords->selectedPosition();
    if (position > 0 && m_setup.open)
        m_setup.open(position);
    window()->close();
}

void ListResultsPage::btnStampaClick()
{
    // An incomplete list must not pass for the whole archive on paper either. Cancelling the print
    // dialog prints nothing and is no failure.
    const QString title = m_setup.reportTitle + (m_complete ? QString() : incompleteNote());
    if (!SummaryPrinting::print(window(), m_setup.reportName, title, lstRecords->lines()))
        MessageBoxes::error(window(), ListDialogParts::printFailedMessage());
}

void ListResultsPage::btnChiudiClick()
{
    window()->close();
}
