#include "vehicles/TfrmScadenze.h"

#include "archive/AutomezzoRecord.h"
#include "shell/AppWindows.h"
#include "vehicles/Scadenze.h"
#include "vehicles/TfrmAutoparco.h"
#include "widgets/Artwork.h"
#include "widgets/FormHelpers.h"
#include "widgets/RecordListView.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

TfrmScadenze::TfrmScadenze(AppWindows &windows, QWidget *parent)
    : RecordListDialog(QStringLiteral(" Scadenze del parco automezzi"),
                       {.reportName = reportName(),
                        .reportTitle = reportTitle(),
                        .openHint = QStringLiteral("Fare doppio clic su una voce in elenco per richiamare la "
                                                   "scheda del veicolo"),
                        .countLabel = false,
                        // Wide enough for the whole list line in the fixed-pitch font, on a
                        // 1366-pixel laptop screen.
                        .width = 1300,
                        .listHeight = 310,
                        // From the launcher the vehicle window may be hidden: it is brought up.
                        .open = [&windows](qint64 position) { windows.frmAutoparco()->OpenRecordAt(position); },
                        .columnHeading = Scadenze::heading()},
                       parent),
      today(QDate::currentDate()), m_windows(windows)
{
    auto *heading = new QWidget(this);
    imgTitolo = new QLabel(heading);
    imgTitolo->setObjectName(QStringLiteral("imgTitolo"));
    imgTitolo->setPixmap(Artwork::header(QSize(panContainer->width(), 76),
                                         QStringLiteral(":/icons/office-calendar.svg"), QStringLiteral("SCADENZE"),
                                         {QStringLiteral("Revisioni, tagliandi, assicurazioni e bolli scaduti o in "
                                                         "scadenza: i clienti da chiamare.")}));

    cmbPeriodo = new QComboBox(heading);
    cmbPeriodo->setObjectName(QStringLiteral("cmbPeriodo"));
    for (const int days : Scadenze::kPeriods)
        cmbPeriodo->addItem(QStringLiteral("Entro %1 giorni (scadute comprese)").arg(days), days);
    cmbPeriodo->setCurrentIndex(1);
    cmbTipo = new QComboBox(heading);
    cmbTipo->setObjectName(QStringLiteral("cmbTipo"));
    cmbTipo->addItem(QStringLiteral("Tutte le scadenze"), -1);
    for (const Scadenze::Kind kind : Scadenze::kKinds)
        cmbTipo->addItem(Scadenze::kindName(kind), int(kind));
    for (QComboBox *combo : {cmbPeriodo, cmbTipo}) {
        combo->setFont(FormHelpers::font(QStringLiteral("Verdana"), 10));
        FormHelpers::setHint(combo, QStringLiteral("Scegliere il periodo e il tipo delle scadenze da elencare."));
    }
    lblConteggio = new QLabel(heading);
    lblConteggio->setObjectName(QStringLiteral("lblConteggio"));
    lblConteggio->setFont(FormHelpers::font(QStringLiteral("Verdana"), 10, true));
    // The columns stand on the list itself.
    lblIntestazione = lblColonne;

    auto *filters = new QHBoxLayout;
    filters->setContentsMargins(12, 6, 12, 0);
    filters->addWidget(new QLabel(QStringLiteral("Periodo:"), heading));
    filters->addWidget(cmbPeriodo);
    filters->addSpacing(16);
    filters->addWidget(new QLabel(QStringLiteral("Tipo:"), heading));
    filters->addWidget(cmbTipo);
    filters->addStretch(1);
    filters->addWidget(lblConteggio);

    auto *layout = new QVBoxLayout(heading);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(imgTitolo);
    layout->addLayout(filters);
    addHeading(heading);

    connect(cmbPeriodo, &QComboBox::currentIndexChanged, this, &TfrmScadenze::cmbFiltroChange);
    connect(cmbTipo, &QComboBox::currentIndexChanged, this, &TfrmScadenze::cmbFiltroChange);
}

void TfrmScadenze::FormShow()
{
    RecordListDialog::FormShow();
    cmbFiltroChange();
    txtTrova->setFocus(Qt::OtherFocusReason);
}

void TfrmScadenze::cmbFiltroChange()
{
    Scadenze::Filter filter;
    filter.today = today;
    filter.periodDays = cmbPeriodo->currentData().toInt();
    if (const int kind = cmbTipo->currentData().toInt(); kind >= 0)
        filter.kind = Scadenze::Kind(kind);
    const QString path = m_windows.filePath(AutomezzoRecord::fileName());
    panContainer->fill([&](ListedRecords &found) { return Scadenze::list(path, filter, found); });
    panContainer->reset();
    const int count = lstRecords->count();
    lblConteggio->setText(count == 1 ? QStringLiteral("1 scadenza") : QStringLiteral("%1 scadenze").arg(count));
    // What the list holds and what its numbers mean, on the screen and on paper.
    panContainer->setSummary(lblConteggio->text() + QStringLiteral(". ") + Scadenze::daysLegend());
    panContainer->setPrintTitle(printTitle());
}

QString TfrmScadenze::printTitle() const
{
    return reportTitle() + QStringLiteral(" - ") + cmbPeriodo->currentText() + QStringLiteral(" - ")
           + cmbTipo->currentText() + QStringLiteral(" - al ") + today.toString(QStringLiteral("dd/MM/yyyy"));
}
