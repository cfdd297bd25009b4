#include "sheets/TfrmDaSaldare.h"

#include "reports/SummaryReport.h"
#include "sheets/SchedaSearch.h"
#include "sheets/TfrmInterventi.h"
#include "shell/AppWindows.h"
#include "widgets/Artwork.h"
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
#include <QShowEvent>
#include <QVBoxLayout>

namespace {

constexpr int kWidth = 1000;

}  // namespace

TfrmDaSaldare::TfrmDaSaldare(AppWindows &windows, QWidget *parent) : QDialog(parent), m_windows(windows)
{
    setWindowTitle(QStringLiteral(" Riepilogo conti non saldati"));
    FormHelpers::makeFixedWithoutButtons(this);
    setWindowFlag(Qt::Dialog, true);
    setStyleSheet(QStringLiteral("TfrmDaSaldare { background-color: #F4F6F9; }"));

    imgTitolo = new QLabel(this);
    imgTitolo->setPixmap(Artwork::header(QSize(kWidth, 76), QStringLiteral(":/icons/accessories-calculator.svg"),
                                         QStringLiteral("CONTI NON SALDATI")));
    imgIstruzioni = new QLabel(this);
    imgIstruzioni->setPixmap(
        ListDialogParts::instructionPicture(QSize(kWidth - 28, 58), ListDialogParts::findInstructions()));
    imgLente = new QLabel(this);
    imgLente->setPixmap(ListDialogParts::lensPicture(QSize(32, 32)));
    txtTrova = new QLineEdit(this);
    txtTrova->setFont(FormHelpers::font(QStringLiteral("Verdana"), 12, true));
    FormHelpers::applyFieldColours(txtTrova);
    btnTrova = ListDialogParts::button(QStringLiteral("Trova"), this);
    lstRecords = new RecordListView(this);
    lstRecords->setMinimumHeight(400);
    lblRigo03 = new QLabel(QStringLiteral("Fare doppio clic su una voce in elenco per richiamare la scheda"),
                           this);
    lblRigo03->setFont(FormHelpers::font(QStringLiteral("Verdana"), 10, true));
    lblRigo03->setStyleSheet(QStringLiteral("color: #DC143C;"));
    lblRigo03->setAlignment(Qt::AlignCenter);
    btnChiudi = ListDialogParts::button(QStringLiteral("Chiudi"), this);
    btnStampa = ListDialogParts::button(QStringLiteral("Stampa"), this);

    auto *findRow = new QHBoxLayout;
    findRow->addWidget(imgLente);
    findRow->addWidget(txtTrova, 1);
    findRow->addWidget(btnTrova);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(btnChiudi);
    buttons->addStretch(1);
    buttons->addWidget(btnStampa);
    auto *body = new QVBoxLayout;
    body->setContentsMargins(14, 10, 14, 14);
    body->setSpacing(8);
    body->addWidget(imgIstruzioni);
    body->addLayout(findRow);
    body->addWidget(lstRecords, 1);
    body->addWidget(lblRigo03);
    body->addLayout(buttons);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(imgTitolo);
    layout->addLayout(body);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    setTabOrder(txtTrova, btnTrova);
    setTabOrder(btnTrova, lstRecords);
    setTabOrder(lstRecords, btnChiudi);
    setTabOrder(btnChiudi, btnStampa);

    EventHooks::onKeyDown(txtTrova, [this](QKeyEvent *event) { return txtTrovaKeyDown(event); });
    connect(btnTrova, &QPushButton::clicked, this, &TfrmDaSaldare::btnTrovaClick);
    connect(lstRecords, &QAbstractItemView::doubleClicked, this, &TfrmDaSaldare::lstRecordsDblClick);
    connect(btnStampa, &QPushButton::clicked, this, &TfrmDaSaldare::btnStampaClick);
    connect(btnChiudi, &QPushButton::clicked, this, &TfrmDaSaldare::btnChiudiClick);
    FormHelpers::centre(this);
}

void TfrmDaSaldare::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (!event->spontaneous())
        FormShow();
}

void TfrmDaSaldare::FormShow()
{
    lstRecords->forgetFindText();
    lstRecords->selectRow(0);
    txtTrova->clear();
    lstRecords->clear();
    // A failure while reading ends the building silently: the list keeps the lines read so far.
    ListedRecords found;
    SchedaSearch::unpaid(m_windows.filePath(SchedaRecord::fileName()), found);
    lstRecords->setRecords(std::move(found));
    txtTrova->setFocus(Qt::OtherFocusReason);
}

bool TfrmDaSaldare::txtTrovaKeyDown(QKeyEvent *event)
{
    if (!EventHooks::isEnter(event))
        return false;
    btnTrova->setFocus(Qt::OtherFocusReason);
    return true;
}

void TfrmDaSaldare::btnTrovaClick()
{
    lstRecords->findNext(txtTrova->text());
}

void TfrmDaSaldare::lstRecordsDblClick()
{
    // The line keeps the position of its record: exactly that sheet is read again and shown.
    const qint64 position = lstRecords->selectedPosition();
    if (position > 0)
        m_windows.frmInterventi()->ShowRecordAt(position);
    close();
}

void TfrmDaSaldare::btnStampaClick()
{
    // Cancelling the print dialog prints nothing and is no failure.
    if (!SummaryReport::print(this, reportName(), reportTitle(), lstRecords->lines()))
        MessageBoxes::error(this, ListDialogParts::printFailedMessage());
}

void TfrmDaSaldare::btnChiudiClick()
{
    close();
}

void TfrmDaSaldare::done(int result)
{
    FormClose();
    QDialog::done(result);
}

void TfrmDaSaldare::FormClose()
{
    lstRecords->clear();
}
