#include "widgets/ExportDialog.h"

#include "reports/ExportGridModel.h"
#include "shell/TMisc.h"
#include "widgets/AppHost.h"
#include "widgets/Artwork.h"
#include "widgets/FormBuilder.h"
#include "widgets/FormHelpers.h"
#include "widgets/MessageBoxes.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QDir>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPainter>
#include <QProgressBar>
#include <QShowEvent>
#include <QTableView>
#include <QVBoxLayout>

namespace {

constexpr int kExportDialogWidth = 862;
constexpr int kExportDialogHeight = 560;
constexpr int kRowHeight = 21;
const QSize kBanner(470, 86);

// The banner of the white strip: the spreadsheet icon and what the window does.
QPixmap bannerPicture()
{
    QPixmap pixmap(kBanner);
    pixmap.fill(Qt::white);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    const int side = kBanner.height() - 16;
    painter.drawPixmap(8, 8, Artwork::picture(QStringLiteral(":/icons/x-office-spreadsheet.svg"), QSize(side, side)));
    const int left = side + 24;
    painter.setPen(QColor(0x1D, 0x6F, 0x42));
    painter.setFont(QFont(QStringLiteral("Verdana"), 17, QFont::Bold));
    painter.drawText(QRect(left, 10, kBanner.width() - left, 36), Qt::AlignLeft | Qt::AlignVCenter,
                     QStringLiteral("Esporta in Microsoft Excel"));
    painter.setPen(QColor(0x55, 0x55, 0x55));
    painter.setFont(QFont(QStringLiteral("Verdana"), 9));
    painter.drawText(QRect(left, 46, kBanner.width() - left, 32), Qt::AlignLeft | Qt::TextWordWrap,
                     QStringLiteral("Tutte le schede dell'archivio in un foglio di lavoro, "
                                    "da aprire con Excel, LibreOffice o OpenOffice."));
    return pixmap;
}

// The grid. An edit still open in a cell is handed to the model before the file is written, as if
// the user had pressed Enter.
class ExportGrid : public QTableView
{
public:
    using QTableView::QTableView;

    void commitOpenEdit()
    {
        if (state() != QAbstractItemView::EditingState)
            return;
        if (QWidget *editor = indexWidget(currentIndex())) {
            commitData(editor);
            closeEditor(editor, QAbstractItemDelegate::NoHint);
        }
    }
};

}  // namespace

QString ExportDialog::exportQuestion()
{
    return QStringLiteral("L'esportazione dei dati in Excel pu\u00F2 richiedere diversi minuti a seconda del "
                          "numero di schede presenti in archivio.\r\n\r\nSi vuole esportare i dati adesso?");
}

QString ExportDialog::openQuestion()
{
    return QStringLiteral("Le schede in archivio sono state esportate con successo.\r\n\r\n"
                          "Si vuole aprire il file di Excel?");
}

ExportDialog::ExportDialog(AppHost &host, const QString &caption, const SpreadsheetExport::Table &table,
                           const HelpTopics::Topic &help, QWidget *parent)
    : QDialog(parent), m_host(host), m_folder(host.programFolder()), m_help(help), m_table(table)
{
    setWindowTitle(caption);
    FormHelpers::makeFixedWithoutButtons(this);
    setWindowFlag(Qt::Dialog, true);
    setFixedSize(kExportDialogWidth, kExportDialogHeight);

    // The white strip: banner, the hand pointing at the Excel button, help and exit.
    auto *strip = new QWidget(this);
    strip->setObjectName(QStringLiteral("stripEsporta"));
    strip->setAttribute(Qt::WA_StyledBackground, true);
    imgBanner = new QLabel(strip);
    imgBanner->setObjectName(QStringLiteral("imgBanner"));
    imgBanner->setPixmap(bannerPicture());
    cmdEsporta = FormBuilder::command(
        strip, QStringLiteral(":/icons/x-office-spreadsheet.svg"), QStringLiteral("Esporta"),
        QStringLiteral("Esporta l'archivio in formato Microsoft Excel."), QStringLiteral("cmdEsporta"));
    cmdEsporta->setIconSize(QSize(48, 48));
    imgMano = new QLabel(strip);
    imgMano->setObjectName(QStringLiteral("imgMano"));
    imgMano->setPixmap(Artwork::picture(QStringLiteral(":/art/mano.svg"), QSize(64, 46)));
    cmdGuida = FormBuilder::command(strip, QStringLiteral(":/icons/help-browser.svg"), QStringLiteral("Guida"),
                                    QStringLiteral("Visualizza la pagina della guida sensibile al contesto."),
                                    QStringLiteral("cmdGuida"));
    cmdEsci = FormBuilder::command(strip, QStringLiteral(":/icons/system-log-out.svg"), QStringLiteral("Esci"),
                                   QStringLiteral("Esci da questo ambiente di lavoro."), QStringLiteral("cmdEsci"));
    auto *stripLayout = new QHBoxLayout(strip);
    stripLayout->setContentsMargins(6, 4, 10, 4);
    stripLayout->addWidget(imgBanner);
    stripLayout->addStretch(1);
    stripLayout->addWidget(cmdEsporta);
    stripLayout->addWidget(imgMano);
    stripLayout->addSpacing(24);
    stripLayout->addWidget(cmdGuida);
    stripLayout->addWidget(cmdEsci);

    // The grid over the archive.
    m_model = new ExportGridModel(table, this);
    auto *grid = new ExportGrid(this);
    grdRecords = grid;
    grdRecords->setObjectName(QStringLiteral("grdRecords"));
    grdRecords->setModel(m_model);
    grdRecords->setAlternatingRowColors(true);
    grdRecords->setSelectionMode(QAbstractItemView::SingleSelection);
    grdRecords->setSelectionBehavior(QAbstractItemView::SelectItems);
    grdRecords->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed
                                | QAbstractItemView::AnyKeyPressed | QAbstractItemView::SelectedClicked);
    grdRecords->setWordWrap(false);
    grdRecords->verticalHeader()->hide();
    // Fixed row heights: the view never measures rows, so a grid of any length opens at once.
    grdRecords->verticalHeader()->setMinimumSectionSize(kRowHeight);
    grdRecords->verticalHeader()->setDefaultSectionSize(kRowHeight);
    grdRecords->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    grdRecords->horizontalHeader()->setHighlightSections(false);
    grdRecords->setColumnWidth(0, SpreadsheetExport::kNumberColumnWidth);
    for (int c = 0; c < table.columns.size(); ++c)
        grdRecords->setColumnWidth(c + 1, table.columns.at(c).gridWidth);
    connect(m_model, &ExportGridModel::readFailed, this, &ExportDialog::tellUnreadable);

    // The status line, with the progress bar of the export at its right.
    panInfo = new QLabel(firstHint(), this);
    panInfo->setObjectName(QStringLiteral("panInfo"));
    panInfo->setFont(FormHelpers::font(QStringLiteral("Tahoma"), 12));
    panInfo->setFixedHeight(28);
    prgEsporta = new QProgressBar(panInfo);
    prgEsporta->setObjectName(QStringLiteral("prgEsporta"));
    prgEsporta->setRange(0, 100);
    prgEsporta->setFixedSize(300, 18);
    prgEsporta->hide();
    auto *statusLayout = new QHBoxLayout(panInfo);
    statusLayout->setContentsMargins(0, 0, 8, 0);
    statusLayout->addStretch(1);
    statusLayout->addWidget(prgEsporta);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(strip);
    auto *gridFrame = new QVBoxLayout;
    gridFrame->setContentsMargins(8, 8, 8, 8);
    gridFrame->addWidget(grdRecords);
    layout->addLayout(gridFrame, 1);
    layout->addWidget(panInfo);

    connect(cmdEsporta, &QToolButton::clicked, this, &ExportDialog::cmdEsportaClick);
    connect(cmdGuida, &QToolButton::clicked, this, &ExportDialog::cmdGuidaClick);
    connect(cmdEsci, &QToolButton::clicked, this, &ExportDialog::cmdEsciClick);
    FormHelpers::installStatusHints(this, panInfo);
    FormHelpers::centre(this);
}

QString ExportDialog::exportPath() const
{
    return QDir(m_folder).filePath(m_table.fileName);
}

void ExportDialog::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (!event->spontaneous())
        FormShow();
}

void ExportDialog::enterEvent(QEnterEvent *event)
{
    // The first text stays until the mouse first comes over the window; the buttons' hints follow.
    if (!m_mouseCame) {
        m_mouseCame = true;
        if (panInfo->text() == firstHint())
            panInfo->clear();
    }
    QDialog::enterEvent(event);
}

void ExportDialog::FormShow()
{
    if (!m_model->load(QDir(m_folder).filePath(m_table.format->fileName())))
        tellUnreadable();
}

void ExportDialog::tellUnreadable()
{
    MessageBoxes::error(this, SpreadsheetExport::archiveUnreadableMessage(m_table));
}

void ExportDialog::setBusy(bool busy)
{
    m_busy = busy;
    for (QWidget *button :
         {static_cast<QWidget *>(cmdEsporta), static_cast<QWidget *>(cmdGuida), static_cast<QWidget *>(cmdEsci)})
        button->setEnabled(!busy);
    prgEsporta->setValue(0);
    prgEsporta->setVisible(busy);
    panInfo->setText(busy ? QStringLiteral("Esportazione in corso...") : QString());
}

void ExportDialog::cmdEsportaClick()
{
    if (m_busy)
        return;
    // A grid that does not hold the whole archive is not written over the last good export.
    if (m_model->failed()) {
        tellUnreadable();
        return;
    }
    if (!MessageBoxes::confirm(this, exportQuestion()))
        return;
    static_cast<ExportGrid *>(grdRecords)->commitOpenEdit();

    // The file is written here, on the window's thread, as every command of the program runs: the
    // archive and the edits need no hand-over and nothing can change them meanwhile. Between blocks of
    // rows the window repaints itself (progress bar included) but takes no input: clicks and keys
    // wait until the export is over, and closing the window is refused while it runs.
    setBusy(true);
    const SpreadsheetExport::Outcome outcome =
        SpreadsheetExport::write(m_table, m_model->archivePath(), m_model->rowCount(), m_model->edits(), exportPath(),
                                 [this](qint64 done, qint64 total) {
                                     prgEsporta->setValue(total > 0 ? int(done * 100 / total) : 100);
                                     QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
                                 });
    setBusy(false);

    switch (outcome) {
    case SpreadsheetExport::Outcome::Written:
        if (MessageBoxes::confirm(this, openQuestion()))
            TMisc::Open(QLatin1Char('"') + QDir::toNativeSeparators(exportPath()) + QLatin1Char('"'));
        break;
    case SpreadsheetExport::Outcome::ArchiveUnreadable: tellUnreadable(); break;
    case SpreadsheetExport::Outcome::FileNotWritten:
        MessageBoxes::plain(this, SpreadsheetExport::writeFailedMessage());
        break;
    }
}

void ExportDialog::cmdGuidaClick()
{
    m_host.showHelp(m_help, this);
}

void ExportDialog::cmdEsciClick()
{
    close();
}

void ExportDialog::closeEvent(QCloseEvent *event)
{
    if (m_busy) {
        event->ignore();
        return;
    }
    QDialog::closeEvent(event);
}

void ExportDialog::reject()
{
    if (!m_busy)
        QDialog::reject();
}
