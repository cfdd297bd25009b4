#pragma once

#include "reports/Report.h"

#include <QDialog>
#include <QPrinter>

class QAction;
class QLabel;
class QPrintPreviewWidget;
class QToolBar;

// The preview window of the report engine: the prepared pages as they will print, with print, zoom,
// full screen and close. It opens with the whole page fitted in the window. The pages cannot be
// edited there. Page Up / Page Down turn the pages; Esc leaves the full screen, then closes.
class ReportPreview : public QDialog
{
    Q_OBJECT
public:
    ReportPreview(const PreparedReport &report, QWidget *parent);

    QToolBar *barStrumenti;
    QAction *actStampa, *actIngrandisci, *actRiduci, *actPaginaIntera, *actLarghezza;
    QAction *actPrecedente, *actSuccessiva, *actSchermoIntero, *actChiudi;
    QLabel *lblPagina;
    QPrintPreviewWidget *preview;

    int pageCount() const;

    void actStampaClick();
    void actSchermoInteroClick();
    // Esc: back from the full screen, else closes the window.
    void reject() override;

    // Shows the report modally and returns when the user closes the window. False when the pages
    // could not be drawn. Many pages show a progress window first, whose Annulla gives the preview up.
    static bool run(const PreparedReport &report, QWidget *parent);

    // Scripting for tests: once scripted, run() builds the window and draws the pages but returns
    // at once instead of waiting for the user; it records the report and the number of pages the
    // window would show.
    static void setScripted(bool scripted);
    static int timesShown();
    static PreparedReport lastShown();
    static int lastPageCount();

private:
    void paintPages(QPrinter *printer);
    void updatePageLabel();

    PreparedReport m_report;
    QPrinter m_printer;
    bool m_drawn = true;
    bool m_cancelled = false;
};
