#include "widgets/ReportPreview.h"

#include "widgets/MessageBoxes.h"
#include "widgets/ReportPrinting.h"
#include "widgets/WorkProgress.h"

#include <QAction>
#include <QGuiApplication>
#include <QIcon>
#include <QLabel>
#include <QPrintPreviewWidget>
#include <QScreen>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

struct Script
{
    bool scripted = false;
    int shown = 0;
    PreparedReport last;
    int lastPages = 0;
};

Script &script()
{
    static Script s;
    return s;
}

}  // namespace

ReportPreview::ReportPreview(const PreparedReport &report, QWidget *parent)
    : QDialog(parent), m_report(report), m_printer(QPrinter::HighResolution)
{
    setWindowTitle(QStringLiteral(" Anteprima di stampa - ") + report.name);
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint | Qt::WindowMaximizeButtonHint);
    setModal(true);
    if (!report.pages.isEmpty())
        m_printer.setPageLayout(report.pages.constFirst().layout);
    m_printer.setDocName(report.name);

    barStrumenti = new QToolBar(this);
    barStrumenti->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    barStrumenti->setMovable(false);
    actStampa = barStrumenti->addAction(QIcon(QStringLiteral(":/icons/document-print.svg")), QStringLiteral("Stampa"));
    actStampa->setToolTip(QStringLiteral("Stampa il documento"));
    barStrumenti->addSeparator();
    actIngrandisci = barStrumenti->addAction(QStringLiteral("Ingrandisci"));
    actRiduci = barStrumenti->addAction(QStringLiteral("Riduci"));
    actPaginaIntera = barStrumenti->addAction(QStringLiteral("Pagina intera"));
    actLarghezza = barStrumenti->addAction(QStringLiteral("Larghezza pagina"));
    barStrumenti->addSeparator();
    actPrecedente =
        barStrumenti->addAction(QIcon(QStringLiteral(":/icons/go-previous.svg")), QStringLiteral("Pagina precedente"));
    lblPagina = new QLabel(barStrumenti);
    lblPagina->setContentsMargins(8, 0, 8, 0);
    barStrumenti->addWidget(lblPagina);
    actSuccessiva =
        barStrumenti->addAction(QIcon(QStringLiteral(":/icons/go-next.svg")), QStringLiteral("Pagina successiva"));
    barStrumenti->addSeparator();
    actSchermoIntero =
        barStrumenti->addAction(QIcon(QStringLiteral(":/icons/view-fullscreen.svg")), QStringLiteral("Schermo intero"));
    actSchermoIntero->setCheckable(true);
    actChiudi = barStrumenti->addAction(QIcon(QStringLiteral(":/icons/system-log-out.svg")), QStringLiteral("Chiudi"));
    // The page arrows speak through their tooltips, so that the whole bar fits a small screen.
    for (QAction *arrow : {actPrecedente, actSuccessiva}) {
        if (auto *button = qobject_cast<QToolButton *>(barStrumenti->widgetForAction(arrow)))
            button->setToolButtonStyle(Qt::ToolButtonIconOnly);
    }
    actIngrandisci->setShortcut(QKeySequence::ZoomIn);
    actRiduci->setShortcut(QKeySequence::ZoomOut);
    actStampa->setShortcut(QKeySequence::Print);
    actPrecedente->setShortcut(QKeySequence(Qt::Key_PageUp));
    actSuccessiva->setShortcut(QKeySequence(Qt::Key_PageDown));
    // The keys are named in the tooltips, in the words of an Italian keyboard.
    actStampa->setToolTip(QStringLiteral("Stampa il documento (Ctrl+P)"));
    actIngrandisci->setToolTip(QStringLiteral("Ingrandisci (Ctrl++)"));
    actRiduci->setToolTip(QStringLiteral("Riduci (Ctrl+-)"));
    actPrecedente->setToolTip(QStringLiteral("Pagina precedente (PgSu)"));
    actSuccessiva->setToolTip(QStringLiteral("Pagina successiva (PgGiù)"));
    actChiudi->setToolTip(QStringLiteral("Chiudi l'anteprima (Esc)"));

    preview = new QPrintPreviewWidget(&m_printer, this);
    preview->setViewMode(QPrintPreviewWidget::SinglePageView);
    // The whole page at first, so that the user sees the page as it will print; the zoom buttons
    // come from there.
    preview->setZoomMode(QPrintPreviewWidget::FitInView);
    connect(preview, &QPrintPreviewWidget::paintRequested, this, &ReportPreview::paintPages);
    connect(preview, &QPrintPreviewWidget::previewChanged, this, &ReportPreview::updatePageLabel);

    connect(actStampa, &QAction::triggered, this, &ReportPreview::actStampaClick);
    connect(actIngrandisci, &QAction::triggered, preview, [this] { preview->zoomIn(); });
    connect(actRiduci, &QAction::triggered, preview, [this] { preview->zoomOut(); });
    connect(actPaginaIntera, &QAction::triggered, preview, &QPrintPreviewWidget::fitInView);
    connect(actLarghezza, &QAction::triggered, preview, &QPrintPreviewWidget::fitToWidth);
    connect(actPrecedente, &QAction::triggered, this, [this] {
        preview->setCurrentPage(preview->currentPage() - 1);
        updatePageLabel();
    });
    connect(actSuccessiva, &QAction::triggered, this, [this] {
        preview->setCurrentPage(preview->currentPage() + 1);
        updatePageLabel();
    });
    connect(actSchermoIntero, &QAction::triggered, this, &ReportPreview::actSchermoInteroClick);
    connect(actChiudi, &QAction::triggered, this, &QDialog::accept);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(barStrumenti);
    layout->addWidget(preview, 1);

    QSize size(1200, 720);
    if (QScreen *screen = QGuiApplication::primaryScreen())
        size = size.boundedTo(screen->availableGeometry().size() - QSize(40, 60));
    resize(size);
}

int ReportPreview::pageCount() const
{
    return preview->pageCount();
}

void ReportPreview::paintPages(QPrinter *printer)
{
    // Many pages take a while: the progress shows it, and Annulla gives the preview up.
    WorkProgress progress(parentWidget(), QStringLiteral("Preparazione dell'anteprima..."));
    const auto told = progress.callback();
    try {
        m_drawn =
            ReportRender::render(m_report, *printer, 1, 0, [&told](int done, int total) { return told(done, total); });
    } catch (const std::bad_alloc &) {
        m_drawn = false;
    }
    if (progress.wasCancelled()) {
        m_cancelled = true;
        m_drawn = true;
    }
}

void ReportPreview::updatePageLabel()
{
    lblPagina->setText(QStringLiteral("Pagina %1 di %2").arg(preview->currentPage()).arg(preview->pageCount()));
}

void ReportPreview::actStampaClick()
{
    if (ReportPrinting::print(m_report, this) == ReportPrinting::Outcome::Failed)
        MessageBoxes::warning(this, QStringLiteral("Attenzione: la stampa non è andata a buon fine."));
}

void ReportPreview::reject()
{
    // Esc leaves the full screen first, then closes.
    if (isFullScreen()) {
        actSchermoInteroClick();
        return;
    }
    QDialog::reject();
}

void ReportPreview::actSchermoInteroClick()
{
    if (isFullScreen())
        showNormal();
    else
        showFullScreen();
    actSchermoIntero->setChecked(isFullScreen());
}

bool ReportPreview::run(const PreparedReport &report, QWidget *parent)
{
    if (report.pages.isEmpty())
        return false;
    ReportPreview window(report, parent);
    window.preview->updatePreview();
    if (!window.m_drawn)
        return false;
    if (window.m_cancelled)
        return true;  // given up by the user: nothing to show, nothing failed
    Script &s = script();
    if (s.scripted) {
        ++s.shown;
        s.last = report;
        s.lastPages = window.pageCount();
        return true;
    }
    window.exec();
    return window.m_drawn;
}

void ReportPreview::setScripted(bool scripted)
{
    script() = Script{};
    script().scripted = scripted;
}

int ReportPreview::timesShown()
{
    return script().shown;
}

PreparedReport ReportPreview::lastShown()
{
    return script().last;
}

int ReportPreview::lastPageCount()
{
    return script().lastPages;
}
