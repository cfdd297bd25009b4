#include "sheets/TfrmStorico.h"

#include "archive/SchedaRecord.h"
#include "sheets/TfrmInterventi.h"
#include "shell/AppWindows.h"
#include "widgets/Artwork.h"
#include "widgets/FormHelpers.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

TfrmStorico::TfrmStorico(AppWindows &windows, QWidget *parent)
    : RecordListDialog(QStringLiteral(" Storico interventi del veicolo"),
                       {.reportName = reportName(),
                        .reportTitle = reportTitle(),
                        .openHint = QStringLiteral("Fare doppio clic su una voce in elenco per richiamare la "
                                                   "scheda di intervento"),
                        .countLabel = true,
                        .width = 1000,
                        .listHeight = 340,
                        // From the vehicle window the sheet window may be hidden: it is brought up.
                        .open = [&windows](qint64 position) { windows.frmInterventi()->OpenRecordAt(position); }},
                       parent),
      m_windows(windows)
{
    auto *heading = new QWidget(this);
    imgTitolo = new QLabel(heading);
    imgTitolo->setObjectName(QStringLiteral("imgTitolo"));
    imgTitolo->setPixmap(Artwork::header(QSize(panContainer->width(), 76),
                                         QStringLiteral(":/art/scheda-intervento.svg"),
                                         QStringLiteral("STORICO INTERVENTI"),
                                         {QStringLiteral("Tutte le schede di intervento del veicolo, dalla più "
                                                         "vecchia alla più recente.")}));
    lblTarga = new QLabel(heading);
    lblTarga->setObjectName(QStringLiteral("lblTarga"));
    lblTarga->setFont(FormHelpers::font(QStringLiteral("Verdana"), 12, true));
    lblTotali = new QLabel(heading);
    lblTotali->setObjectName(QStringLiteral("lblTotali"));
    lblTotali->setFont(FormHelpers::font(QStringLiteral("Verdana"), 11, true));
    lblIntestazione = new QLabel(StoricoTarga::heading(), heading);
    lblIntestazione->setObjectName(QStringLiteral("lblIntestazione"));
    lblIntestazione->setFont(FormHelpers::font(QStringLiteral("Courier New"), 12, true));

    auto *layout = new QVBoxLayout(heading);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(imgTitolo);
    auto *line = new QHBoxLayout;
    line->setContentsMargins(14, 6, 14, 0);
    line->addWidget(new QLabel(QStringLiteral("Targa:"), heading));
    line->addWidget(lblTarga);
    line->addStretch(1);
    layout->addLayout(line);
    auto *columns = new QHBoxLayout;
    columns->setContentsMargins(14, 6, 14, 0);
    columns->addWidget(lblIntestazione);
    layout->addLayout(columns);
    addHeading(heading);

    // The sums stand under the list.
    auto *footer = new QWidget(this);
    auto *sums = new QHBoxLayout(footer);
    sums->setContentsMargins(14, 0, 14, 10);
    sums->addStretch(1);
    sums->addWidget(lblTotali);
    lblTotali->setParent(footer);
    addFooter(footer);
}

void TfrmStorico::FormShow()
{
    RecordListDialog::FormShow();
    const QString path = m_windows.filePath(SchedaRecord::fileName());
    const QString plate = lblTarga->text();
    panContainer->fill([&](ListedRecords &found) {
        const bool ok = StoricoTarga::scan(path, plate, m_history);
        found = m_history.sheets;
        return ok;
    });
    panContainer->reset();
    lblTotali->setText(StoricoTarga::summary(m_history));
    txtTrova->setFocus(Qt::OtherFocusReason);
}
