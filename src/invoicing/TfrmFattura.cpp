#include "invoicing/TfrmFattura.h"

#include "archive/ClienteRecord.h"
#include "archive/RecordArchive.h"
#include "customers/TfrmTrovaClienti.h"
#include "invoice/Amounts.h"
#include "invoice/InvoiceFromSheet.h"
#include "invoice/InvoiceRegister.h"
#include "invoice/WorkshopSettings.h"
#include "invoicing/InvoiceInput.h"
#include "shell/AppWindows.h"
#include "shell/ContextWords.h"
#include "widgets/FormHelpers.h"
#include "widgets/MessageBoxes.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

using namespace Invoice;

namespace {

enum Column { cDescrizione, cQuantita, cPrezzo, cAliquota, ColumnCount };

QDateEdit *dateEdit(QWidget *parent, const char *name)
{
    auto *edit = new QDateEdit(parent);
    edit->setObjectName(QLatin1String(name));
    edit->setCalendarPopup(true);
    edit->setDisplayFormat(QStringLiteral("dd/MM/yyyy"));
    edit->setDate(QDate::currentDate());
    return edit;
}

}  // namespace

TfrmFattura::TfrmFattura(AppWindows &windows, const SchedaRecord &sheet, QWidget *parent)
    : QDialog(parent), m_windows(windows), m_sheet(sheet)
{
    setWindowTitle(QStringLiteral(" Fattura elettronica della scheda n. %1").arg(sheet.NumScheda.trimmed()));
    panInfo = new QLabel(this);
    panInfo->setObjectName(QStringLiteral("panInfo"));
    panInfo->setWordWrap(true);
    panInfo->setMinimumHeight(34);
    const auto edit = [this](const char *name, int maxLength, const QString &field, bool upper = false) {
        auto *e = new QLineEdit(this);
        e->setObjectName(QLatin1String(name));
        e->setMaxLength(maxLength);
        FormHelpers::applyWhiteFieldColours(e);
        InvoiceInput::guard(e, panInfo, field, upper);
        return e;
    };

    // The document.
    cboTipo = new QComboBox(this);
    cboTipo->setObjectName(QStringLiteral("cboTipo"));
    cboTipo->addItem(QStringLiteral("TD01 - Fattura"), kFattura);
    cboTipo->addItem(QStringLiteral("TD04 - Nota di credito"), kNotaDiCredito);
    txtNumero = edit("txtNumero", 5, QStringLiteral("numero"));
    txtNumero->setMaximumWidth(110);
    txtData = dateEdit(this, "txtData");
    txtCollegataNumero = edit("txtCollegataNumero", 20, QStringLiteral("numero della fattura collegata"));
    txtCollegataData = dateEdit(this, "txtCollegataData");
    auto *document = new QGroupBox(QStringLiteral(" Documento "), this);
    auto *documentGrid = new QGridLayout(document);
    documentGrid->addWidget(FormHelpers::caption(QStringLiteral("Tipo"), document, 9), 0, 0);
    documentGrid->addWidget(cboTipo, 1, 0);
    documentGrid->addWidget(FormHelpers::caption(QStringLiteral("Numero"), document, 9), 0, 1);
    documentGrid->addWidget(txtNumero, 1, 1);
    documentGrid->addWidget(FormHelpers::caption(QStringLiteral("Data"), document, 9), 0, 2);
    documentGrid->addWidget(txtData, 1, 2);
    documentGrid->addWidget(FormHelpers::caption(QStringLiteral("Rettifica la fattura n."), document, 9), 0, 3);
    documentGrid->addWidget(txtCollegataNumero, 1, 3);
    documentGrid->addWidget(FormHelpers::caption(QStringLiteral("del"), document, 9), 0, 4);
    documentGrid->addWidget(txtCollegataData, 1, 4);
    documentGrid->setColumnStretch(3, 1);

    // The customer.
    cboCliente = new QComboBox(this);
    cboCliente->setObjectName(QStringLiteral("cboCliente"));
    cmdCercaCliente = new QPushButton(QStringLiteral("Cerca cliente..."), this);
    cmdCercaCliente->setObjectName(QStringLiteral("cmdCercaCliente"));
    txtClienteDenominazione = edit("txtClienteDenominazione", 80, QStringLiteral("denominazione del cliente"));
    txtClienteNome = edit("txtClienteNome", 60, QStringLiteral("nome del cliente"));
    txtClienteCognome = edit("txtClienteCognome", 60, QStringLiteral("cognome del cliente"));
    txtClientePartitaIva = edit("txtClientePartitaIva", 11, QStringLiteral("partita IVA del cliente"), true);
    txtClienteCodiceFiscale = edit("txtClienteCodiceFiscale", 16, QStringLiteral("codice fiscale del cliente"), true);
    txtClienteIndirizzo = edit("txtClienteIndirizzo", 60, QStringLiteral("indirizzo del cliente"));
    txtClienteCAP = edit("txtClienteCAP", 5, QStringLiteral("CAP del cliente"));
    txtClienteComune = edit("txtClienteComune", 60, QStringLiteral("comune del cliente"));
    txtClienteProvincia = edit("txtClienteProvincia", 2, QStringLiteral("provincia del cliente"), true);
    txtClienteCodiceDestinatario = edit("txtClienteCodiceDestinatario", 7, QStringLiteral("codice destinatario"), true);
    txtClientePec = edit("txtClientePec", 100, QStringLiteral("PEC del cliente"));
    auto *customer = new QGroupBox(QStringLiteral(" Cliente (le correzioni valgono per questa fattura) "), this);
    auto *customerGrid = new QGridLayout(customer);
    customerGrid->setVerticalSpacing(2);
    int row = 0;
    const auto place = [&](QWidget *control, const QString &caption, int column, int span = 1) {
        customerGrid->addWidget(FormHelpers::caption(caption, customer, 9), row, column, 1, span);
        customerGrid->addWidget(control, row + 1, column, 1, span);
    };
    place(cboCliente, QStringLiteral("Cliente in anagrafica"), 0, 3);
    customerGrid->addWidget(cmdCercaCliente, 1, 3);
    row += 2;
    place(txtClienteDenominazione, QStringLiteral("Ditta"), 0, 2);
    place(txtClienteCognome, QStringLiteral("Cognome"), 2);
    place(txtClienteNome, QStringLiteral("Nome"), 3);
    row += 2;
    place(txtClientePartitaIva, QStringLiteral("Partita IVA"), 0);
    place(txtClienteCodiceFiscale, QStringLiteral("Codice fiscale"), 1);
    place(txtClienteCodiceDestinatario, QStringLiteral("Codice destinatario"), 2);
    place(txtClientePec, QStringLiteral("PEC"), 3);
    row += 2;
    place(txtClienteIndirizzo, QStringLiteral("Indirizzo"), 0, 2);
    place(txtClienteCAP, QStringLiteral("CAP"), 2);
    auto *town = new QHBoxLayout;
    town->addWidget(txtClienteComune, 1);
    town->addWidget(txtClienteProvincia);
    txtClienteProvincia->setFixedWidth(44);
    customerGrid->addWidget(FormHelpers::caption(QStringLiteral("Comune e provincia"), customer, 9), row, 3);
    customerGrid->addLayout(town, row + 1, 3);

    // The lines.
    tblRighe = new QTableWidget(0, ColumnCount, this);
    tblRighe->setObjectName(QStringLiteral("tblRighe"));
    tblRighe->setHorizontalHeaderLabels({QStringLiteral("Descrizione"), QStringLiteral("Quantità"),
                                         QStringLiteral("Prezzo \u20AC"), QStringLiteral("IVA %")});
    tblRighe->horizontalHeader()->setSectionResizeMode(cDescrizione, QHeaderView::Stretch);
    for (int c : {cQuantita, cPrezzo, cAliquota})
        tblRighe->setColumnWidth(c, c == cPrezzo ? 110 : 80);
    tblRighe->verticalHeader()->setDefaultSectionSize(24);
    tblRighe->setMinimumHeight(130);
    cmdAggiungiRiga = new QPushButton(QStringLiteral("Aggiungi riga"), this);
    cmdAggiungiRiga->setObjectName(QStringLiteral("cmdAggiungiRiga"));
    cmdRimuoviRiga = new QPushButton(QStringLiteral("Rimuovi riga"), this);
    cmdRimuoviRiga->setObjectName(QStringLiteral("cmdRimuoviRiga"));
    chkIvaInclusa = new QCheckBox(QStringLiteral("Prezzi IVA inclusa"), this);
    chkIvaInclusa->setObjectName(QStringLiteral("chkIvaInclusa"));
    chkIvaInclusa->setChecked(true);
    cboPagamento = new QComboBox(this);
    cboPagamento->setObjectName(QStringLiteral("cboPagamento"));
    for (const QString &code : paymentCodes())
        cboPagamento->addItem(code + QStringLiteral(" - ") + paymentName(code), code);
    chkPagata = new QCheckBox(QStringLiteral("Pagata"), this);
    chkPagata->setObjectName(QStringLiteral("chkPagata"));
    lblTotali = new QLabel(this);
    lblTotali->setObjectName(QStringLiteral("lblTotali"));
    lblTotali->setFont(FormHelpers::font(QStringLiteral("Verdana"), 10, true));
    auto *lineButtons = new QHBoxLayout;
    lineButtons->addWidget(cmdAggiungiRiga);
    lineButtons->addWidget(cmdRimuoviRiga);
    lineButtons->addSpacing(16);
    lineButtons->addWidget(chkIvaInclusa);
    lineButtons->addSpacing(16);
    lineButtons->addWidget(FormHelpers::caption(QStringLiteral("Pagamento"), this, 9, false));
    lineButtons->addWidget(cboPagamento);
    lineButtons->addWidget(chkPagata);
    lineButtons->addStretch(1);
    lineButtons->addWidget(lblTotali);

    cmdEmetti = new QPushButton(QStringLiteral("Emetti fattura"), this);
    cmdEmetti->setObjectName(QStringLiteral("cmdEmetti"));
    cmdStampaCopia = new QPushButton(QStringLiteral("Stampa copia di cortesia"), this);
    cmdStampaCopia->setObjectName(QStringLiteral("cmdStampaCopia"));
    cmdSalvaCopia = new QPushButton(QStringLiteral("Salva copia PDF"), this);
    cmdSalvaCopia->setObjectName(QStringLiteral("cmdSalvaCopia"));
    cmdChiudi = new QPushButton(QStringLiteral("Chiudi"), this);
    cmdChiudi->setObjectName(QStringLiteral("cmdChiudi"));
    for (QPushButton *b : {cmdEmetti, cmdStampaCopia, cmdSalvaCopia, cmdChiudi}) {
        b->setAutoDefault(false);
        b->setMinimumHeight(32);
    }
    cmdStampaCopia->setEnabled(false);
    cmdSalvaCopia->setEnabled(false);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(cmdChiudi);
    buttons->addStretch(1);
    buttons->addWidget(cmdStampaCopia);
    buttons->addWidget(cmdSalvaCopia);
    buttons->addWidget(cmdEmetti);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(10, 8, 10, 0);
    layout->addWidget(document);
    layout->addWidget(customer);
    layout->addWidget(tblRighe, 1);
    layout->addLayout(lineButtons);
    layout->addLayout(buttons);
    layout->addWidget(panInfo);
    resize(1000, 680);

    // Prefilled: the workshop's data, the proposed number, the sheet's line, its customer.
    m_cedente = WorkshopSettings::read(m_windows.programFolder());
    const QDate today = QDate::currentDate();
    m_filling = true;
    txtNumero->setText(
        QString::number(qMax<qint64>(1, InvoiceRegister::proposedNumber(m_windows.programFolder(), today.year()))));
    const Documento prefilled = InvoiceFromSheet::documentOf(m_sheet, m_cedente, {}, today, 22, true);
    for (const Riga &r : prefilled.righe)
        addLine(r);
    cboPagamento->setCurrentIndex(qMax(0, cboPagamento->findData(prefilled.ModalitaPagamento)));
    chkPagata->setChecked(prefilled.pagato);
    m_filling = false;
    QList<qint64> matches;
    QString error;
    InvoiceFromSheet::findCustomers(m_windows.filePath(ClienteRecord::fileName()), m_sheet.Cliente, &matches, &error);
    cboCliente->addItem(QStringLiteral("(nessuno: dati da inserire)"), qint64(0));
    for (qint64 position : matches) {
        QByteArray bytes;
        if (RecordArchive::readRecordAt(m_windows.filePath(ClienteRecord::fileName()), ClienteRecord::kSize, position,
                                        bytes)) {
            const ClienteRecord c = ClienteRecord::fromBytes(bytes);
            cboCliente->addItem(QStringLiteral("%1 %2 - %3 (n. %4)").arg(c.Cognome, c.Nome, c.ComuneRes).arg(position),
                                position);
        }
    }
    if (matches.size() >= 1)
        cboCliente->setCurrentIndex(1);
    showCustomer(cboCliente->currentData().toLongLong());

    const bool forfettario = m_cedente.RegimeFiscale == kForfettario;
    tblRighe->setColumnHidden(cAliquota, forfettario);
    chkIvaInclusa->setEnabled(!forfettario);
    const auto creditNote = [this] {
        const bool credit = cboTipo->currentData().toString() == kNotaDiCredito;
        txtCollegataNumero->setEnabled(credit);
        txtCollegataData->setEnabled(credit);
    };
    creditNote();
    connect(cboTipo, &QComboBox::currentIndexChanged, this, creditNote);
    connect(cboCliente, &QComboBox::currentIndexChanged, this, &TfrmFattura::cboClienteChange);
    connect(cmdCercaCliente, &QPushButton::clicked, this, &TfrmFattura::cmdCercaClienteClick);
    connect(cmdAggiungiRiga, &QPushButton::clicked, this, &TfrmFattura::cmdAggiungiRigaClick);
    connect(cmdRimuoviRiga, &QPushButton::clicked, this, &TfrmFattura::cmdRimuoviRigaClick);
    connect(cmdEmetti, &QPushButton::clicked, this, &TfrmFattura::cmdEmettiClick);
    connect(cmdStampaCopia, &QPushButton::clicked, this, &TfrmFattura::cmdStampaCopiaClick);
    connect(cmdSalvaCopia, &QPushButton::clicked, this, &TfrmFattura::cmdSalvaCopiaClick);
    connect(cmdChiudi, &QPushButton::clicked, this, &QDialog::accept);
    connect(txtNumero, &QLineEdit::textEdited, this, [this] { m_numberEdited = true; });
    connect(chkIvaInclusa, &QCheckBox::toggled, this, &TfrmFattura::refreshTotals);
    connect(tblRighe, &QTableWidget::itemChanged, this, [this](QTableWidgetItem *item) {
        if (m_filling)
            return;
        if (item->column() == cDescrizione) {
            const QString refused =
                refusedCharacterMessage(item->text(), QStringLiteral("descrizione della riga %1").arg(item->row() + 1));
            if (!refused.isEmpty()) {
                QString kept;
                for (const QChar c : item->text()) {
                    if (isLatinCharacter(c))
                        kept += c;
                }
                m_filling = true;
                item->setText(kept);
                m_filling = false;
                panInfo->setText(refused);
            }
        }
        refreshTotals();
    });
    for (QLineEdit *e : customerEdits())
        connect(e, &QLineEdit::textChanged, this, &TfrmFattura::markChangedCustomerFields);
    if (!WorkshopSettings::isComplete(m_cedente))
        panInfo->setText(
            QStringLiteral("Attenzione: i dati dell'officina sono incompleti (icona \"Dati dell'officina\" "
                           "nella schermata iniziale)."));
    else
        panInfo->setText(QStringLiteral("Controllare i dati e premere Emetti fattura."));
    refreshTotals();
}

QList<QLineEdit *> TfrmFattura::customerEdits() const
{
    return {txtClienteDenominazione,
            txtClienteNome,
            txtClienteCognome,
            txtClientePartitaIva,
            txtClienteCodiceFiscale,
            txtClienteIndirizzo,
            txtClienteCAP,
            txtClienteComune,
            txtClienteProvincia,
            txtClienteCodiceDestinatario,
            txtClientePec};
}

void TfrmFattura::showCustomer(qint64 position)
{
    Cessionario b;
    if (position > 0) {
        QByteArray bytes;
        if (RecordArchive::readRecordAt(m_windows.filePath(ClienteRecord::fileName()), ClienteRecord::kSize, position,
                                        bytes))
            b = InvoiceFromSheet::customerOf(ClienteRecord::fromBytes(bytes));
    }
    m_registered = b;
    const QStringList values{b.Denominazione,
                             b.Nome,
                             b.Cognome,
                             b.PartitaIva,
                             b.CodiceFiscale,
                             b.sede.Indirizzo,
                             b.sede.CAP,
                             b.Denominazione.isEmpty() ? b.sede.Comune : b.sede.Comune,
                             b.sede.Provincia,
                             b.CodiceDestinatario,
                             b.PEC};
    const QList<QLineEdit *> edits = customerEdits();
    for (int i = 0; i < edits.size(); ++i)
        edits.at(i)->setText(values.at(i));
    markChangedCustomerFields();
}

Cessionario TfrmFattura::customerOnScreen() const
{
    Cessionario b;
    b.Denominazione = txtClienteDenominazione->text().trimmed();
    if (b.Denominazione.isEmpty()) {
        b.Nome = txtClienteNome->text().trimmed();
        b.Cognome = txtClienteCognome->text().trimmed();
    }
    b.PartitaIva = txtClientePartitaIva->text().trimmed();
    b.CodiceFiscale = txtClienteCodiceFiscale->text().trimmed();
    b.sede.Indirizzo = txtClienteIndirizzo->text().trimmed();
    b.sede.CAP = txtClienteCAP->text().trimmed();
    b.sede.Comune = txtClienteComune->text().trimmed();
    b.sede.Provincia = txtClienteProvincia->text().trimmed();
    b.CodiceDestinatario = txtClienteCodiceDestinatario->text().trimmed();
    b.PEC = txtClientePec->text().trimmed();
    return b;
}

QStringList TfrmFattura::changedCustomerFields() const
{
    const Cessionario &r = m_registered;
    const QStringList registered{r.Denominazione,
                                 r.Nome,
                                 r.Cognome,
                                 r.PartitaIva,
                                 r.CodiceFiscale,
                                 r.sede.Indirizzo,
                                 r.sede.CAP,
                                 r.sede.Comune,
                                 r.sede.Provincia,
                                 r.CodiceDestinatario,
                                 r.PEC};
    static const QStringList names{QStringLiteral("ditta"),
                                   QStringLiteral("nome"),
                                   QStringLiteral("cognome"),
                                   QStringLiteral("partita IVA"),
                                   QStringLiteral("codice fiscale"),
                                   QStringLiteral("indirizzo"),
                                   QStringLiteral("CAP"),
                                   QStringLiteral("comune"),
                                   QStringLiteral("provincia"),
                                   QStringLiteral("codice destinatario"),
                                   QStringLiteral("PEC")};
    QStringList changed;
    const QList<QLineEdit *> edits = customerEdits();
    for (int i = 0; i < edits.size(); ++i) {
        if (edits.at(i)->text().trimmed() != registered.at(i))
            changed << names.at(i);
    }
    return changed;
}

void TfrmFattura::markChangedCustomerFields()
{
    const QStringList changed = changedCustomerFields();
    const QList<QLineEdit *> edits = customerEdits();
    const Cessionario &r = m_registered;
    const QStringList registered{r.Denominazione,
                                 r.Nome,
                                 r.Cognome,
                                 r.PartitaIva,
                                 r.CodiceFiscale,
                                 r.sede.Indirizzo,
                                 r.sede.CAP,
                                 r.sede.Comune,
                                 r.sede.Provincia,
                                 r.CodiceDestinatario,
                                 r.PEC};
    for (int i = 0; i < edits.size(); ++i) {
        if (edits.at(i)->text().trimmed() != registered.at(i))
            FormHelpers::applyStateColours(edits.at(i), QStringLiteral("#FFF3B0"), QStringLiteral("black"));
        else
            FormHelpers::applyWhiteFieldColours(edits.at(i));
    }
    if (!changed.isEmpty() && cboCliente->currentData().toLongLong() > 0)
        panInfo->setText(
            QStringLiteral("Dati diversi dall'anagrafica del cliente: %1 (valgono solo per questa fattura).")
                .arg(changed.join(QStringLiteral(", "))));
}

void TfrmFattura::cboClienteChange()
{
    showCustomer(cboCliente->currentData().toLongLong());
}

void TfrmFattura::cmdCercaClienteClick()
{
    TfrmTrovaClienti search(m_windows, this);
    search.lblMemory->setText(ContextWords::word(ContextWords::Target::Fattura));
    qint64 chosen = 0;
    search.onChosen = [&](qint64 position) {
        chosen = position;
        search.accept();
    };
    search.exec();
    if (chosen <= 0)
        return;
    int index = cboCliente->findData(chosen);
    if (index < 0) {
        QByteArray bytes;
        if (!RecordArchive::readRecordAt(m_windows.filePath(ClienteRecord::fileName()), ClienteRecord::kSize, chosen,
                                         bytes))
            return;
        const ClienteRecord c = ClienteRecord::fromBytes(bytes);
        cboCliente->addItem(QStringLiteral("%1 %2 - %3 (n. %4)").arg(c.Cognome, c.Nome, c.ComuneRes).arg(chosen),
                            chosen);
        index = cboCliente->count() - 1;
    }
    cboCliente->setCurrentIndex(index);
    showCustomer(chosen);
}

void TfrmFattura::addLine(const Riga &riga)
{
    const int row = tblRighe->rowCount();
    tblRighe->insertRow(row);
    tblRighe->setItem(row, cDescrizione, new QTableWidgetItem(riga.Descrizione));
    tblRighe->setItem(row, cQuantita, new QTableWidgetItem(Amounts::quantityText(riga.quantita)));
    tblRighe->setItem(row, cPrezzo, new QTableWidgetItem(Amounts::centsText(riga.prezzo)));
    tblRighe->setItem(row, cAliquota, new QTableWidgetItem(QString::number(riga.aliquota)));
    for (int c : {cQuantita, cPrezzo, cAliquota})
        tblRighe->item(row, c)->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
}

void TfrmFattura::cmdAggiungiRigaClick()
{
    m_filling = true;
    addLine(Riga{QString(), 100, 0, 22});
    m_filling = false;
    tblRighe->setCurrentCell(tblRighe->rowCount() - 1, cDescrizione);
    tblRighe->editItem(tblRighe->item(tblRighe->rowCount() - 1, cDescrizione));
    refreshTotals();
}

void TfrmFattura::cmdRimuoviRigaClick()
{
    const int row = tblRighe->currentRow();
    if (row >= 0)
        tblRighe->removeRow(row);
    refreshTotals();
}

bool TfrmFattura::collect(Documento *d)
{
    d->TipoDocumento = cboTipo->currentData().toString();
    d->Numero = txtNumero->text().trimmed().toLongLong();
    d->Data = txtData->date();
    d->cedente = m_cedente;
    d->cessionario = customerOnScreen();
    d->prezziIvaInclusa = chkIvaInclusa->isChecked();
    d->ModalitaPagamento = cboPagamento->currentData().toString();
    d->pagato = chkPagata->isChecked();
    d->fatturaCollegataNumero = txtCollegataNumero->text().trimmed();
    d->fatturaCollegataData = txtCollegataData->date();
    d->scheda = m_sheet.NumScheda.trimmed();
    d->righe.clear();
    for (int row = 0; row < tblRighe->rowCount(); ++row) {
        const auto text = [&](int column) {
            const QTableWidgetItem *item = tblRighe->item(row, column);
            return item ? item->text().trimmed() : QString();
        };
        Riga r;
        r.Descrizione = text(cDescrizione);
        if (!Amounts::parseQuantity(text(cQuantita), &r.quantita)) {
            panInfo->setText(QStringLiteral("La quantità della riga %1 non è un numero (es. 1 o 2,5).").arg(row + 1));
            return false;
        }
        if (!Amounts::parseCents(text(cPrezzo), &r.prezzo)) {
            panInfo->setText(QStringLiteral("Il prezzo della riga %1 non è un importo (es. 120,50).").arg(row + 1));
            return false;
        }
        bool ok = false;
        r.aliquota = text(cAliquota).remove(QLatin1Char('%')).trimmed().toInt(&ok);
        if (!ok && m_cedente.RegimeFiscale != kForfettario) {
            panInfo->setText(QStringLiteral("L'aliquota IVA della riga %1 deve essere 22, 10, 5 o 4.").arg(row + 1));
            return false;
        }
        d->righe << r;
    }
    return true;
}

void TfrmFattura::refreshTotals()
{
    Documento d;
    if (!collect(&d)) {
        lblTotali->setText(QStringLiteral("Totale: -"));
        return;
    }
    const Totali t = compute(d);
    lblTotali->setText(QStringLiteral("Imponibile %1   IVA %2   Totale \u20AC %3")
                           .arg(Amounts::centsGrouped(t.imponibile), Amounts::centsGrouped(t.imposta),
                                Amounts::centsGrouped(t.totale)));
}

void TfrmFattura::cmdEmettiClick()
{
    Documento d;
    if (!collect(&d)) {
        MessageBoxes::warning(this, panInfo->text());
        return;
    }
    const QStringList found = problems(d, QDate::currentDate());
    if (!found.isEmpty()) {
        panInfo->setText(found.first());
        MessageBoxes::warning(this, QStringLiteral("La fattura non può essere emessa:\r\n\r\n- %1")
                                        .arg(found.mid(0, 8).join(QStringLiteral("\r\n- "))));
        return;
    }
    const QStringList changed = changedCustomerFields();
    if (!changed.isEmpty() && cboCliente->currentData().toLongLong() > 0
        && !MessageBoxes::confirm(this, QStringLiteral("I dati del cliente in fattura differiscono dall'anagrafica "
                                                       "(%1).\r\n\r\nEmettere la fattura con i dati indicati?")
                                            .arg(changed.join(QStringLiteral(", ")))))
        return;
    const InvoiceRegister::IssueResult result =
        InvoiceRegister::issue(m_windows.programFolder(), d, m_numberEdited, QDate::currentDate());
    if (!result.ok) {
        panInfo->setText(result.problems.value(0));
        MessageBoxes::warning(this, QStringLiteral("La fattura non è stata emessa:\r\n\r\n- %1")
                                        .arg(result.problems.mid(0, 8).join(QStringLiteral("\r\n- "))));
        return;
    }
    m_issuedFile = QFileInfo(result.path).fileName();
    txtNumero->setText(QString::number(result.number));
    cmdEmetti->setEnabled(false);
    cmdStampaCopia->setEnabled(true);
    cmdSalvaCopia->setEnabled(true);
    panInfo->setText(QStringLiteral("Fattura emessa: %1").arg(m_issuedFile));
    QString text = QStringLiteral("Fattura n. %1 del %2 emessa e verificata con lo schema FatturaPA:\r\n%3")
                       .arg(result.number)
                       .arg(d.Data.toString(QStringLiteral("dd/MM/yyyy")), QDir::toNativeSeparators(result.path));
    if (!result.note.isEmpty())
        text = result.note + QStringLiteral("\r\n\r\n") + text;
    MessageBoxes::information(this, text);
}

void TfrmFattura::cmdStampaCopiaClick()
{
    InvoiceInput::printCopy(this, m_windows.programFolder(), m_issuedFile);
}

void TfrmFattura::cmdSalvaCopiaClick()
{
    InvoiceInput::saveCopyAsPdf(this, m_windows.programFolder(), m_issuedFile);
}
