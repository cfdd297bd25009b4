#include "customers/TfrmRicontatta.h"

#include "customers/ClienteSearch.h"
#include "customers/TfrmClienti.h"
#include "shell/AppWindows.h"

#include <QLineEdit>

TfrmRicontatta::TfrmRicontatta(AppWindows &windows, QWidget *parent)
    : RecordListDialog(QStringLiteral(" Riepilogo clienti da ricontattare"),
                       {.reportName = reportName(),
                        .reportTitle = reportTitle(),
                        .openHint = QStringLiteral("Fare doppio clic su una voce in elenco per richiamare la scheda"),
                        .countLabel = false,
                        // Wide enough for the pending matter to show on a 1366-pixel screen.
                        .width = 1300,
                        // The line keeps the position of its record: exactly that customer is shown.
                        .open = [&windows](qint64 position) { windows.frmClienti()->ShowRecordAt(position); }},
                       parent),
      m_windows(windows)
{
}

void TfrmRicontatta::FormShow()
{
    RecordListDialog::FormShow();
    panContainer->fill([this](ListedRecords &found) {
        const bool ok = ClienteSearch::toRecontact(m_windows.filePath(ClienteRecord::fileName()), found);
        found.sortByLineFoldingAZ();
        return ok;
    });
    txtTrova->setFocus(Qt::OtherFocusReason);
}
