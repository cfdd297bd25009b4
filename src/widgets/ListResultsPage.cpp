#include "widgets/ListResultsPage.h"

#include "archive/RecordArchive.h"
#include "widgets/EventHooks.h"
#include "widgets/FormHelpers.h"
#include "widgets/ListDialogParts.h"
#include "widgets/MessageBoxes.h"
#include "widgets/RecordListView.h"
#include "widgets/SummaryPrinting.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QStyle>
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
    imgIstruzioniTrova->setPixmap(
        ListDialogParts::instructionPicture(QSize(setup.width - 28, 58), ListDialogParts::findInstructions()));
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
    lblTrovate->setAlignment(Qt::AlignCenter);
    lblTrovate->setVisible(setup.countLabel);
    lblRiepilogo = named(new QLabel(this), "lblRiepilogo");
    lblRiepilogo->setFont(FormHelpers::font(QStringLiteral("Verdana"), 11, true));
    lblRiepilogo->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    lblRiepilogo->setWordWrap(true);
    lblRiepilogo->hide();
    // The headings sit on the list, in its font, on a strip that moves sideways with the lines.
    m_headingStrip = new QWidget(this);
    m_headingStrip->setObjectName(QStringLiteral("headingStrip"));
    lblColonne = named(new QLabel(setup.columnHeading, m_headingStrip), "lblColonne");
    QFont headingFont = lstRecords->font();
    headingFont.setBold(true);
    lblColonne->setFont(headingFont);
    lblColonne->adjustSize();
    m_headingStrip->setFixedHeight(lblColonne->sizeHint().height() + 4);
    m_headingStrip->setVisible(!setup.columnHeading.isEmpty());
    followSideways(0);
    connect(lstRecords->horizontalScrollBar(), &QScrollBar::valueChanged, this, &ListResultsPage::followSideways);
    lblRigo03 = named(new QLabel(setup.openHint, this), "lblRigo03");
    // Enter on the selected line opens it as the double-click does: the tip of the line says so.
    FormHelpers::setHint(lstRecords, QStringLiteral("Doppio clic o Invio sulla voce per richiamare la scheda."));
    lblRigo03->setFont(FormHelpers::font(QStringLiteral("Verdana"), 10, true));
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
    auto *listWithHeading = new QVBoxLayout;
    listWithHeading->setSpacing(0);
    listWithHeading->addWidget(m_headingStrip);
    listWithHeading->addWidget(lstRecords, 1);
    layout->addLayout(listWithHeading, 1);
    layout->addWidget(lblRiepilogo);
    layout->addWidget(lblTrovate);
    layout->addWidget(lblRigo03);
    layout->addLayout(buttons);
    setFixedWidth(setup.width);

    setTabOrder(txtTrova, btnTrova);
    setTabOrder(btnTrova, lstRecords);
    setTabOrder(lstRecords, btnChiudi);
    setTabOrder(btnChiudi, btnStampa);

    EventHooks::onKeyDown(txtTrova, [this](QKeyEvent *event) { return txtTrovaKeyDown(event); });
    // Enter on the selected line does what the double-click does.
    // A list reached by Tab has a current line without a selection: Enter takes that line.
    EventHooks::onKeyDown(lstRecords, [this](QKeyEvent *event) {
        if (!EventHooks::isEnter(event))
            return false;
        if (lstRecords->selectedRow() < 0 && lstRecords->currentIndex().isValid())
            lstRecords->selectRow(lstRecords->currentIndex().row());
        if (lstRecords->selectedRow() < 0)
            return false;
        lstRecordsDblClick();
        return true;
    });
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

void ListResultsPage::followSideways(int offset)
{
    // The text of a line starts a few pixels into the list's viewport.
    const int indent = lstRecords->frameWidth() + lstRecords->style()->pixelMetric(QStyle::PM_FocusFrameHMargin) + 1;
    lblColonne->move(indent - offset, 2);
}

void ListResultsPage::setSummary(const QString &text)
{
    lblRiepilogo->setText(text);
    lblRiepilogo->setVisible(!text.isEmpty());
}

void ListResultsPage::setPrintTitle(const QString &title)
{
    m_printTitle = title;
}

QString ListResultsPage::printedTitle() const
{
    // An incomplete list must not pass for the whole archive on paper either.
    return (m_printTitle.isEmpty() ? m_setup.reportTitle : m_printTitle) + (m_complete ? QString() : incompleteNote());
}

QStringList ListResultsPage::printedLines() const
{
    QStringList lines;
    if (!m_setup.columnHeading.isEmpty()) {
        lines << m_setup.columnHeading;
        lines << QString(m_setup.columnHeading.size(), QLatin1Char('-'));
    }
    lines += lstRecords->lines();
    if (!lblRiepilogo->text().isEmpty())
        lines << QString() << lblRiepilogo->text();
    return lines;
}

void ListResultsPage::btnStampaClick()
{
    // Cancelling the print dialog prints nothing and is no failure.
    if (!SummaryPrinting::print(window(), m_setup.reportName, printedTitle(), printedLines()))
        MessageBoxes::error(window(), ListDialogParts::printFailedMessage());
}

void ListResultsPage::btnChiudiClick()
{
    window()->close();
}
