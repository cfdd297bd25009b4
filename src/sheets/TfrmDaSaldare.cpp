#include "sheets/TfrmDaSaldare.h"

#include "sheets/SchedaSearch.h"
#include "sheets/TfrmInterventi.h"
#include "shell/AppWindows.h"
#include "widgets/Artwork.h"
#include "widgets/RecordListView.h"

#include <QLabel>
#include <QLineEdit>

TfrmDaSaldare::TfrmDaSaldare(AppWindows &windows, QWidget *parent)
    : RecordListDialog(QStringLiteral(" Riepilogo conti non saldati"),
                       {.reportName = reportName(),
                        .reportTitle = reportTitle(),
                        .openHint = QStringLiteral("Fare doppio clic su una voce in elenco per richiamare la scheda"),
                        .countLabel = false,
                        // The amount owed, at the end of the line, shows on a 1366-pixel screen.
                        .width = 1300,
                        .listHeight = 330,
                        // The line keeps the position of its record: exactly that sheet is read again
                        // and shown, paid or not.
                        .open = [&windows](qint64 position) { windows.frmInterventi()->ShowRecordAt(position); }},
                       parent),
      m_windows(windows)
{
    imgTitolo = new QLabel(this);
    imgTitolo->setObjectName(QStringLiteral("imgTitolo"));
    imgTitolo->setPixmap(Artwork::header(QSize(panContainer->width(), 76),
                                         QStringLiteral(":/icons/accessories-calculator.svg"),
                                         QStringLiteral("CONTI NON SALDATI")));
    addHeading(imgTitolo);
}

void TfrmDaSaldare::FormShow()
{
    RecordListDialog::FormShow();
    // A failure while reading is told, and the lines read so far are shown as an incomplete list.
    panContainer->fill([this](ListedRecords &found) {
        return SchedaSearch::unpaid(m_windows.filePath(SchedaRecord::fileName()), found);
    });
    // What the listed sheets owe, under the list and on its print.
    panContainer->setSummary(SchedaSearch::owedText(SchedaSearch::owedOf(lstRecords->lines())));
    txtTrova->setFocus(Qt::OtherFocusReason);
}
