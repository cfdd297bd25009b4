#pragma once

#include "reports/SpreadsheetExport.h"
#include "shell/HelpTopics.h"

#include <QDialog>

class AppHost;
class ExportGridModel;
class PictureButton;
class QLabel;
class QProgressBar;
class QTableView;

// What the two spreadsheet exports share (customers, vehicles): a fixed window of 862 x 560 without
// title-bar buttons, centred on the screen; a white strip with the banner, the hand pointing at the
// Excel button `cmdEsporta`, `cmdGuida` and `cmdEsci`; the grid `grdRecords` over the whole archive
// (row number, then the table's columns; edits in the editable columns change only what the export
// writes); the status line `panInfo` with the buttons' hints and, while the file is written, a
// progress bar. The export file goes into the program folder.
//
// An archive that cannot be read entirely is said at once, and the export then refuses to write a
// file that would miss records; the old file stays. A file that cannot be written is said too.
class ExportDialog : public QDialog
{
    Q_OBJECT
public:
    QLabel *imgBanner;
    QLabel *imgMano;
    PictureButton *cmdEsporta;
    PictureButton *cmdGuida;
    PictureButton *cmdEsci;
    QTableView *grdRecords;
    QLabel *panInfo;
    QProgressBar *prgEsporta;

    ExportGridModel *model() const { return m_model; }
    // The full name of the export file.
    QString exportPath() const;

    // Fills the grid from the archive (each time the dialog is shown).
    void FormShow();
    // Asks, writes the file and offers to open it.
    void cmdEsportaClick();
    void cmdGuidaClick();
    void cmdEsciClick();

    static QString firstHint() { return QStringLiteral("Esportazione archivio in Microsoft Excel."); }
    static QString exportQuestion();
    static QString openQuestion();

protected:
    ExportDialog(AppHost &host, const QString &caption, const SpreadsheetExport::Table &table,
                 const HelpTopics::Topic &help, QWidget *parent);

    void showEvent(QShowEvent *event) override;
    void enterEvent(QEnterEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void reject() override;

private:
    void setBusy(bool busy);
    void tellUnreadable();

    AppHost &m_host;
    QString m_folder;
    HelpTopics::Topic m_help;
    const SpreadsheetExport::Table &m_table;
    ExportGridModel *m_model;
    bool m_busy = false;
    bool m_mouseCame = false;
};
