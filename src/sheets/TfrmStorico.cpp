#include "sheets/TfrmStorico.h"

#include "archive/SchedaRecord.h"
#include "common/TextRules.h"
#include "sheets/TfrmInterventi.h"
#include "shell/AppWindows.h"
#include "widgets/Artwork.h"
#include "widgets/EventHooks.h"
#include "widgets/FormBuilder.h"
#include "widgets/FormHelpers.h"

#include <QHBoxLayout>
#include <QKeyEvent>
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
                        // The whole dialog, totals included, fits a 768-pixel screen with a task bar.
                        .listHeight = 280,
                        // From the vehicle window the sheet window may be hidden: it is brought up.
                        .open = [&windows](qint64 position) { windows.frmInterventi()->OpenRecordAt(position); },
                        .columnHeading = StoricoTarga::heading()},
                       parent),
      m_windows(windows)
{
    auto *heading = new QWidget(this);
    imgTitolo = new QLabel(heading);
    imgTitolo->setObjectName(QStringLiteral("imgTitolo"));
    imgTitolo->setPixmap(Artwork::header(QSize(panContainer->width(), 64),
                                         QStringLiteral(":/art/scheda-intervento.svg"),
                                         QStringLiteral("STORICO INTERVENTI"),
                                         {QStringLiteral("Tutte le schede di intervento del veicolo, dalla più "
                                                         "vecchia alla più recente.")}));
    // The plate as the caller gave it; the edit shows it and takes another.
    lblTarga = new QLabel(heading);
    lblTarga->setObjectName(QStringLiteral("lblTarga"));
    lblTarga->hide();
    txtTarga = FormBuilder::edit(heading, 30, QStringLiteral("txtTarga"));
    txtTarga->setMinimumWidth(FormBuilder::wholeTextWidth(txtTarga, 12));
    FormHelpers::setHint(txtTarga, QStringLiteral("Scrivere la targa e premere Invio per elencarne gli interventi."));
    EventHooks::onKeyDown(txtTarga, [this](QKeyEvent *event) {
        if (!EventHooks::isEnter(event))
            return false;
        txtTargaEnter();
        return true;
    });
    // The columns stand on the list itself (lblColonne); the sums under it.
    lblIntestazione = lblColonne;
    lblTotali = lblRiepilogo;

    auto *layout = new QVBoxLayout(heading);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(imgTitolo);
    auto *line = new QHBoxLayout;
    line->setContentsMargins(14, 6, 14, 0);
    auto *caption = new QLabel(QStringLiteral("Targa:"), heading);
    caption->setFont(FormHelpers::font(QStringLiteral("Verdana"), 11, true));
    line->addWidget(caption);
    line->addWidget(txtTarga);
    auto *plateHint =
        new QLabel(QStringLiteral("(scrivere un'altra targa e premere Invio per vederne gli interventi)"), heading);
    plateHint->setFont(FormHelpers::font(QStringLiteral("Verdana"), 9));
    line->addWidget(plateHint);
    line->addStretch(1);
    layout->addLayout(line);
    addHeading(heading);
}

QString TfrmStorico::noPlateText()
{
    return QStringLiteral("Nessuna targa: scrivere la targa del veicolo nel campo Targa e premere Invio, oppure "
                          "richiamare prima la scheda del veicolo.");
}

void TfrmStorico::FormShow()
{
    RecordListDialog::FormShow();
    txtTarga->setText(TextRules::trim(lblTarga->text()));
    showHistory();
    if (TextRules::trim(lblTarga->text()).isEmpty())
        txtTarga->setFocus(Qt::OtherFocusReason);
    else
        txtTrova->setFocus(Qt::OtherFocusReason);
}

void TfrmStorico::txtTargaEnter()
{
    lblTarga->setText(TextRules::trim(txtTarga->text()));
    txtTarga->setText(lblTarga->text());
    showHistory();
    txtTrova->setFocus(Qt::OtherFocusReason);
}

void TfrmStorico::showHistory()
{
    const QString path = m_windows.filePath(SchedaRecord::fileName());
    const QString plate = TextRules::trim(lblTarga->text());
    panContainer->fill([&](ListedRecords &found) {
        const bool ok = StoricoTarga::scan(path, plate, m_history);
        found = m_history.sheets;
        return ok;
    });
    panContainer->reset();
    if (plate.isEmpty()) {
        panContainer->setSummary(noPlateText());
        panContainer->setPrintTitle(QString());
        return;
    }
    panContainer->setSummary(StoricoTarga::summary(m_history));
    panContainer->setPrintTitle(reportTitle() + QStringLiteral(" - targa ") + plate);
}
