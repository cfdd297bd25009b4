#include "sheets/TfrmTrovaInterventi.h"

#include "archive/RecordArchive.h"
#include "reports/SummaryReport.h"
#include "sheets/TfrmInterventi.h"
#include "shell/AppWindows.h"
#include "widgets/Artwork.h"
#include "widgets/EventHooks.h"
#include "widgets/FormHelpers.h"
#include "widgets/ListDialogParts.h"
#include "widgets/MessageBoxes.h"
#include "widgets/RecordListView.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QShowEvent>
#include <QStackedWidget>
#include <QVBoxLayout>

namespace {

constexpr int kWidth = 1000;

// The decorative picture at the left of the criteria: the car and the lens on a tall light panel.
QPixmap decorPicture(const QSize &size)
{
    QPixmap pixmap(size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    QLinearGradient fill(0, 0, 0, size.height());
    fill.setColorAt(0, QColor(0xE8, 0xF1, 0xFA));
    fill.setColorAt(1, QColor(0xB9, 0xCF, 0xE6));
    QPainterPath panel;
    panel.addRoundedRect(QRectF(0.5, 0.5, size.width() - 1, size.height() - 1), 8, 8);
    painter.fillPath(panel, fill);
    painter.setPen(QPen(QColor(0x9F, 0xBC, 0xD9), 1));
    painter.drawPath(panel);
    const int w = size.width() - 16;
    painter.drawPixmap(8, size.height() / 5, Artwork::picture(QStringLiteral(":/art/auto.svg"), QSize(w, w * 260 / 370)));
    const int lens = size.width() / 2;
    painter.drawPixmap((size.width() - lens) / 2, size.height() * 3 / 5,
                       Artwork::picture(QStringLiteral(":/icons/system-search.svg"), QSize(lens, lens)));
    return pixmap;
}

}  // namespace

TfrmTrovaInterventi::TfrmTrovaInterventi(AppWindows &windows, QWidget *parent)
    : QDialog(parent), m_windows(windows)
{
    setWindowTitle(QStringLiteral(" Trova schede interventi in archivio"));
    FormHelpers::makeFixedWithoutButtons(this);
    setWindowFlag(Qt::Dialog, true);
    setStyleSheet(QStringLiteral("TfrmTrovaInterventi { background-color: #F4F6F9; }"));

    lblMemory = new QLabel(this);
    lblMemory->hide();

    // Criteria page.
    panAvvio = new QWidget(this);
    imgDecoro = new QLabel(panAvvio);
    imgDecoro->setPixmap(decorPicture(QSize(220, 570)));
    imgDecoro->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    imgIstruzioni = new QLabel(panAvvio);
    imgIstruzioni->setPixmap(Artwork::header(
        QSize(kWidth - 260, 118), QStringLiteral(":/icons/system-search.svg"),
        QStringLiteral("Trova schede interventi"),
        {QStringLiteral("Immettere nei campi prescelti una o più parole consecutive presenti nelle "
                        "schede da trovare e premere il pulsante Cerca."),
         QStringLiteral("Lasciare in bianco tutti gli altri campi."),
         QStringLiteral("Per ogni ricerca è possibile utilizzare uno o più campi contemporaneamente.")}));

    const QFont editFont = FormHelpers::font(QStringLiteral("Verdana"), 12);
    auto *grid = new QGridLayout;
    grid->setHorizontalSpacing(18);
    grid->setVerticalSpacing(2);
    int index = 0;
    auto makeCriterion = [&](QLineEdit *&edit, FocusFrame *&frame, const QString &caption) {
        edit = new QLineEdit(panAvvio);
        edit->setFont(editFont);
        frame = new FocusFrame(edit, panAvvio);
        const int column = index / 5;
        const int row = (index % 5) * 2;
        if (index % 5)
            grid->setRowMinimumHeight(row, 34);
        auto *label = FormHelpers::caption(caption, panAvvio, 10);
        label->setAlignment(Qt::AlignLeft | Qt::AlignBottom);
        grid->addWidget(label, row, column);
        grid->addWidget(frame, row + 1, column);
        ++index;
    };
    makeCriterion(txtNumScheda, effNumScheda, QStringLiteral("Scheda n."));
    makeCriterion(txtData, effData, QStringLiteral("Data emissione (gg/mm/aaaa):"));
    makeCriterion(txtTecnico, effTecnico, QStringLiteral("Tecnico assegnato:"));
    makeCriterion(txtPratica, effPratica, QStringLiteral("Estremi pratica assicurativa:"));
    makeCriterion(txtCliente, effCliente, QStringLiteral("Cliente:"));
    makeCriterion(txtRecapito, effRecapito, QStringLiteral("Recapito telefonico:"));
    makeCriterion(txtMarca, effMarca, QStringLiteral("Marca e modello veicolo:"));
    makeCriterion(txtTarga, effTarga, QStringLiteral("Targa veicolo:"));
    makeCriterion(txtStato, effStato, QStringLiteral("Stato avanzamento lavori:"));
    makeCriterion(txtNote, effNote, QStringLiteral("Note:"));

    lblAttendere = new QLabel(QStringLiteral("Ricerca schede in corso. Attendere..."), panAvvio);
    lblAttendere->setFont(FormHelpers::font(QStringLiteral("Verdana"), 10, true));
    lblAttendere->setStyleSheet(QStringLiteral("color: #8B0000;"));
    lblAttendere->setAlignment(Qt::AlignCenter);
    lblAttendere->hide();
    btnAnnulla = ListDialogParts::button(QStringLiteral("Chiudi"), panAvvio);
    btnCerca = ListDialogParts::button(QStringLiteral("Cerca"), panAvvio);

    auto *criteriaButtons = new QHBoxLayout;
    criteriaButtons->addWidget(btnAnnulla);
    criteriaButtons->addStretch(1);
    criteriaButtons->addWidget(lblAttendere);
    criteriaButtons->addStretch(1);
    criteriaButtons->addWidget(btnCerca);
    auto *criteriaRight = new QVBoxLayout;
    criteriaRight->setSpacing(8);
    criteriaRight->addWidget(imgIstruzioni);
    criteriaRight->addLayout(grid);
    criteriaRight->addStretch(1);
    criteriaRight->addLayout(criteriaButtons);
    auto *criteriaLayout = new QHBoxLayout(panAvvio);
    criteriaLayout->setContentsMargins(12, 12, 16, 14);
    criteriaLayout->setSpacing(16);
    criteriaLayout->addWidget(imgDecoro);
    criteriaLayout->addLayout(criteriaRight, 1);

    // Results page.
    panContainer = new QWidget(this);
    imgIstruzioniTrova = new QLabel(panContainer);
    imgIstruzioniTrova->setPixmap(
        ListDialogParts::instructionPicture(QSize(kWidth - 28, 58), ListDialogParts::findInstructions()));
    imgLente = new QLabel(panContainer);
    imgLente->setPixmap(ListDialogParts::lensPicture(QSize(32, 32)));
    txtTrova = new QLineEdit(panContainer);
    txtTrova->setFont(FormHelpers::font(QStringLiteral("Verdana"), 12, true));
    FormHelpers::applyFieldColours(txtTrova);
    btnTrova = ListDialogParts::button(QStringLiteral("Trova"), panContainer);
    lstRecords = new RecordListView(panContainer);
    lstRecords->setMinimumHeight(380);
    lblTrovate = new QLabel(panContainer);
    lblTrovate->setFont(FormHelpers::font(QStringLiteral("Verdana"), 11, true));
    lblTrovate->setStyleSheet(QStringLiteral("color: #008B8B;"));
    lblTrovate->setAlignment(Qt::AlignCenter);
    lblRigo03 = new QLabel(QStringLiteral("Fare doppio clic sulla voce in elenco per richiamare la scheda"),
                           panContainer);
    lblRigo03->setFont(FormHelpers::font(QStringLiteral("Verdana"), 10, true));
    lblRigo03->setStyleSheet(QStringLiteral("color: #DC143C;"));
    lblRigo03->setAlignment(Qt::AlignCenter);
    btnChiudi = ListDialogParts::button(QStringLiteral("Chiudi"), panContainer);
    btnStampa = ListDialogParts::button(QStringLiteral("Stampa"), panContainer);

    auto *findRow = new QHBoxLayout;
    findRow->addWidget(imgLente);
    findRow->addWidget(txtTrova, 1);
    findRow->addWidget(btnTrova);
    auto *resultButtons = new QHBoxLayout;
    resultButtons->addWidget(btnChiudi);
    resultButtons->addStretch(1);
    resultButtons->addWidget(btnStampa);
    auto *resultsLayout = new QVBoxLayout(panContainer);
    resultsLayout->setContentsMargins(14, 12, 14, 14);
    resultsLayout->setSpacing(8);
    resultsLayout->addWidget(imgIstruzioniTrova);
    resultsLayout->addLayout(findRow);
    resultsLayout->addWidget(lstRecords, 1);
    resultsLayout->addWidget(lblTrovate);
    resultsLayout->addWidget(lblRigo03);
    resultsLayout->addLayout(resultButtons);

    m_pages = new QStackedWidget(this);
    m_pages->addWidget(panAvvio);
    m_pages->addWidget(panContainer);
    m_pages->setCurrentWidget(panAvvio);
    m_pages->setFixedWidth(kWidth);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_pages);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    const QList<QLineEdit *> edits = criterionEdits();
    for (int i = 0; i + 1 < edits.size(); ++i)
        setTabOrder(edits[i], edits[i + 1]);
    setTabOrder(edits.last(), btnAnnulla);
    setTabOrder(btnAnnulla, btnCerca);
    setTabOrder(txtTrova, btnTrova);
    setTabOrder(btnTrova, lstRecords);
    setTabOrder(lstRecords, btnChiudi);
    setTabOrder(btnChiudi, btnStampa);
    EventHooks::enterChain({txtNumScheda, txtData, txtTecnico, txtPratica, txtCliente, txtRecapito,
                            txtMarca, txtTarga, txtStato, txtNote},
                           txtNumScheda);

    EventHooks::onMouseDown(btnCerca, [this] { btnCercaMouseDown(); });
    connect(btnCerca, &QPushButton::clicked, this, &TfrmTrovaInterventi::btnCercaClick);
    connect(btnAnnulla, &QPushButton::clicked, this, &TfrmTrovaInterventi::btnAnnullaClick);
    EventHooks::onKeyDown(txtTrova, [this](QKeyEvent *event) { return txtTrovaKeyDown(event); });
    connect(btnTrova, &QPushButton::clicked, this, &TfrmTrovaInterventi::btnTrovaClick);
    connect(lstRecords, &QAbstractItemView::doubleClicked, this, &TfrmTrovaInterventi::lstRecordsDblClick);
    connect(btnStampa, &QPushButton::clicked, this, &TfrmTrovaInterventi::btnStampaClick);
    connect(btnChiudi, &QPushButton::clicked, this, &TfrmTrovaInterventi::btnChiudiClick);
    FormHelpers::centre(this);
}

QList<QLineEdit *> TfrmTrovaInterventi::criterionEdits() const
{
    return {txtNumScheda, txtData,  txtTecnico, txtPratica, txtCliente,
            txtRecapito,  txtMarca, txtTarga,   txtStato,   txtNote};
}

QList<SchedaSearch::Criterion> TfrmTrovaInterventi::criteriaFromScreen() const
{
    QList<SchedaSearch::Criterion> criteria;
    const QList<QLineEdit *> edits = criterionEdits();
    const auto &fields = SchedaSearch::criterionFields();
    for (int i = 0; i < edits.size(); ++i)
        criteria.append({fields[size_t(i)], edits[i]->text()});
    return criteria;
}

void TfrmTrovaInterventi::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (!event->spontaneous())
        FormShow();
}

void TfrmTrovaInterventi::FormShow()
{
    lstRecords->forgetFindText();
    lstRecords->selectRow(0);
    txtTrova->clear();
    if (m_pages->currentWidget() == panAvvio)
        txtNumScheda->setFocus(Qt::OtherFocusReason);
}

void TfrmTrovaInterventi::btnCercaMouseDown()
{
    lblAttendere->show();
    lblAttendere->repaint();
}

void TfrmTrovaInterventi::btnCercaClick()
{
    const SchedaSearch::Criteria criteria(criteriaFromScreen());
    lstRecords->clear();
    ListedRecords found;
    if (!SchedaSearch::search(m_windows.filePath(SchedaRecord::fileName()), criteria, found)) {
        lblAttendere->hide();
        MessageBoxes::plain(this, archiveAccessMessage());
        return;
    }
    lstRecords->setRecords(std::move(found));
    lblTrovate->setText(ListLines::countText(lstRecords->count()));
    m_pages->setCurrentWidget(panContainer);
    txtTrova->clear();
    txtTrova->setFocus(Qt::OtherFocusReason);
}

void TfrmTrovaInterventi::btnAnnullaClick()
{
    close();
}

bool TfrmTrovaInterventi::txtTrovaKeyDown(QKeyEvent *event)
{
    if (!EventHooks::isEnter(event))
        return false;
    btnTrova->setFocus(Qt::OtherFocusReason);
    return true;
}

void TfrmTrovaInterventi::btnTrovaClick()
{
    lstRecords->findNext(txtTrova->text());
}

void TfrmTrovaInterventi::lstRecordsDblClick()
{
    // The line keeps the position of the record it was built from: that record is read again and
    // shown, whatever other sheets give the same line.
    const qint64 position = lstRecords->selectedPosition();
    if (position > 0 && lblMemory->text() == QLatin1String("interventi"))
        m_windows.frmInterventi()->ShowRecordAt(position);
    close();
}

void TfrmTrovaInterventi::btnStampaClick()
{
    // Cancelling the print dialog prints nothing and is no failure.
    if (!SummaryReport::print(this, reportName(), reportTitle(), lstRecords->lines()))
        MessageBoxes::error(this, ListDialogParts::printFailedMessage());
}

void TfrmTrovaInterventi::btnChiudiClick()
{
    close();
}

void TfrmTrovaInterventi::done(int result)
{
    FormClose();
    QDialog::done(result);
}

void TfrmTrovaInterventi::FormClose()
{
    lstRecords->clear();
    lblAttendere->hide();
}
