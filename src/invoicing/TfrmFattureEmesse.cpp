#include "invoicing/TfrmFattureEmesse.h"

#include "common/SafeFile.h"
#include "invoice/Amounts.h"
#include "invoicing/InvoiceInput.h"
#include "widgets/AppHost.h"
#include "widgets/FileDialogs.h"
#include "widgets/FormHelpers.h"
#include "widgets/MessageBoxes.h"
#include "widgets/ReportPreview.h"
#include "widgets/SummaryPrinting.h"

#include <QComboBox>
#include <QDir>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

TfrmFattureEmesse::TfrmFattureEmesse(AppHost &host, QWidget *parent) : QDialog(parent), m_host(host)
{
    setWindowTitle(QStringLiteral(" Fatture emesse"));
    cboAnno = new QComboBox(this);
    cboAnno->setObjectName(QStringLiteral("cboAnno"));
    for (int year : InvoiceRegister::years(host.programFolder(), QDate::currentDate().year()))
        cboAnno->addItem(QString::number(year), year);
    cboMese = new QComboBox(this);
    cboMese->setObjectName(QStringLiteral("cboMese"));
    const QLocale italian(QLocale::Italian, QLocale::Italy);
    for (int m = 1; m <= 12; ++m)
        cboMese->addItem(italian.standaloneMonthName(m), m);
    cboMese->setCurrentIndex(QDate::currentDate().month() - 1);

    lstFatture = new QTableWidget(0, 8, this);
    lstFatture->setObjectName(QStringLiteral("lstFatture"));
    lstFatture->setHorizontalHeaderLabels({QStringLiteral("Numero"), QStringLiteral("Data"), QStringLiteral("Tipo"),
                                           QStringLiteral("Cliente"), QStringLiteral("Imponibile"),
                                           QStringLiteral("IVA"), QStringLiteral("Totale"), QStringLiteral("Pagata")});
    lstFatture->setEditTriggers(QAbstractItemView::NoEditTriggers);
    lstFatture->setSelectionBehavior(QAbstractItemView::SelectRows);
    lstFatture->setSelectionMode(QAbstractItemView::SingleSelection);
    lstFatture->verticalHeader()->hide();
    lstFatture->horizontalHeader()->setSectionResizeMode(3, QHeaderView::Stretch);

    const auto button = [this](const char *name, const QString &text) {
        auto *b = new QPushButton(text, this);
        b->setObjectName(QLatin1String(name));
        b->setAutoDefault(false);
        b->setMinimumHeight(30);
        return b;
    };
    cmdApri = button("cmdApri", QStringLiteral("Apri"));
    cmdPagata = button("cmdPagata", QStringLiteral("Pagata / da pagare"));
    cmdStampa = button("cmdStampa", QStringLiteral("Stampa elenco"));
    cmdCsv = button("cmdCsv", QStringLiteral("Esporta CSV"));
    cmdZip = button("cmdZip", QStringLiteral("Zip del mese"));
    cmdChiudi = button("cmdChiudi", QStringLiteral("Chiudi"));
    panInfo = new QLabel(this);
    panInfo->setObjectName(QStringLiteral("panInfo"));
    panInfo->setWordWrap(true);
    panInfo->setMinimumHeight(26);

    auto *top = new QHBoxLayout;
    top->addWidget(FormHelpers::caption(QStringLiteral("Anno"), this, 10));
    top->addWidget(cboAnno);
    top->addStretch(1);
    top->addWidget(cmdApri);
    top->addWidget(cmdPagata);
    top->addWidget(cmdStampa);
    top->addWidget(cmdCsv);
    auto *bottom = new QHBoxLayout;
    bottom->addWidget(cmdChiudi);
    bottom->addStretch(1);
    bottom->addWidget(FormHelpers::caption(QStringLiteral("File XML del mese di"), this, 10, false));
    bottom->addWidget(cboMese);
    bottom->addWidget(cmdZip);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(10, 8, 10, 0);
    layout->addLayout(top);
    layout->addWidget(lstFatture, 1);
    layout->addLayout(bottom);
    layout->addWidget(panInfo);
    resize(960, 560);

    connect(cboAnno, &QComboBox::currentIndexChanged, this, &TfrmFattureEmesse::FormShow);
    connect(lstFatture, &QTableWidget::cellDoubleClicked, this, &TfrmFattureEmesse::cmdApriClick);
    connect(cmdApri, &QPushButton::clicked, this, &TfrmFattureEmesse::cmdApriClick);
    connect(cmdPagata, &QPushButton::clicked, this, &TfrmFattureEmesse::cmdPagataClick);
    connect(cmdStampa, &QPushButton::clicked, this, &TfrmFattureEmesse::cmdStampaClick);
    connect(cmdCsv, &QPushButton::clicked, this, &TfrmFattureEmesse::cmdCsvClick);
    connect(cmdZip, &QPushButton::clicked, this, &TfrmFattureEmesse::cmdZipClick);
    connect(cmdChiudi, &QPushButton::clicked, this, &QDialog::accept);
    FormShow();
}

int TfrmFattureEmesse::chosenYear() const
{
    return cboAnno->currentData().toInt();
}

void TfrmFattureEmesse::FormShow()
{
    const int keep = lstFatture->currentRow();
    QString error;
    if (!InvoiceRegister::list(m_host.programFolder(), chosenYear(), &m_entries, &error))
        MessageBoxes::error(this, error);
    lstFatture->setRowCount(int(m_entries.size()));
    for (int row = 0; row < m_entries.size(); ++row) {
        const InvoiceRegister::Entry &e = m_entries.at(row);
        const QStringList cells{QString::number(e.number),
                                e.date.toString(QStringLiteral("dd/MM/yyyy")),
                                e.tipo == Invoice::kNotaDiCredito ? QStringLiteral("Nota di credito")
                                                                  : QStringLiteral("Fattura"),
                                e.fileFound ? e.cliente : e.cliente + QStringLiteral(" (file mancante)"),
                                Amounts::centsGrouped(e.imponibile),
                                Amounts::centsGrouped(e.imposta),
                                Amounts::centsGrouped(e.totale),
                                e.pagato ? QStringLiteral("Sì") : QStringLiteral("No")};
        for (int c = 0; c < cells.size(); ++c) {
            auto *item = new QTableWidgetItem(cells.at(c));
            if (c >= 4 && c <= 6)
                item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            lstFatture->setItem(row, c, item);
        }
    }
    if (keep >= 0 && keep < lstFatture->rowCount())
        lstFatture->selectRow(keep);
    panInfo->setText(QStringLiteral("%1 documenti nel %2. Doppio clic su una fattura per la copia di cortesia.")
                         .arg(m_entries.size())
                         .arg(chosenYear()));
}

void TfrmFattureEmesse::cmdApriClick()
{
    const int row = lstFatture->currentRow();
    if (row < 0 || row >= m_entries.size()) {
        panInfo->setText(QStringLiteral("Scegliere una fattura nell'elenco."));
        return;
    }
    QString error;
    const PreparedReport copy = InvoiceInput::preparedCopy(m_host.programFolder(), m_entries.at(row).fileName, &error);
    if (copy.pageCount() == 0) {
        MessageBoxes::error(this, error);
        return;
    }
    ReportPreview::run(copy, this);
}

void TfrmFattureEmesse::cmdPagataClick()
{
    const int row = lstFatture->currentRow();
    if (row < 0 || row >= m_entries.size()) {
        panInfo->setText(QStringLiteral("Scegliere una fattura nell'elenco."));
        return;
    }
    QString error;
    if (!InvoiceRegister::setPaid(m_host.programFolder(), m_entries.at(row), !m_entries.at(row).pagato, &error)) {
        MessageBoxes::error(this, error);
        return;
    }
    FormShow();
}

void TfrmFattureEmesse::cmdStampaClick()
{
    if (!SummaryPrinting::print(this, reportName(), QStringLiteral("Fatture emesse nel %1").arg(chosenYear()),
                                InvoiceRegister::summaryLines(m_entries)))
        MessageBoxes::error(this, QStringLiteral("Impossibile stampare l'elenco delle fatture."));
}

void TfrmFattureEmesse::cmdCsvClick()
{
    const QString path = FileDialogs::saveFileName(this, QStringLiteral("Esporta le fatture per il commercialista"),
                                                   QStringLiteral("File CSV (*.csv)"), QStringLiteral("csv"),
                                                   QStringLiteral("Fatture_%1.csv").arg(chosenYear()));
    if (path.isEmpty())
        return;
    if (!SafeFile::replace(path, InvoiceRegister::csv(m_entries))) {
        MessageBoxes::error(this,
                            QStringLiteral("Impossibile scrivere il file %1.").arg(QDir::toNativeSeparators(path)));
        return;
    }
    panInfo->setText(
        QStringLiteral("Esportate %1 fatture in %2.").arg(m_entries.size()).arg(QDir::toNativeSeparators(path)));
}

void TfrmFattureEmesse::cmdZipClick()
{
    const QString folder = FileDialogs::folderName(this, QStringLiteral("Scegli la cartella in cui salvare lo zip"));
    if (folder.isEmpty())
        return;
    QString path, error;
    int count = 0;
    if (!InvoiceRegister::zipMonth(m_host.programFolder(), chosenYear(), cboMese->currentData().toInt(), folder, &path,
                                   &count, &error)) {
        MessageBoxes::error(this, error);
        return;
    }
    MessageBoxes::information(
        this, QStringLiteral("%1 fatture del mese in %2.").arg(count).arg(QDir::toNativeSeparators(path)));
}
