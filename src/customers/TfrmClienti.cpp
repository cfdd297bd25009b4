#include "customers/TfrmClienti.h"

#include "archive/RecordArchive.h"
#include "common/TextRules.h"
#include "customers/ClienteRules.h"
#include "customers/TfrmExpClienti.h"
#include "customers/TfrmRicontatta.h"
#include "customers/TfrmTrovaClienti.h"
#include "media/TfrmAllegaCartella.h"
#include "reports/ClienteReport.h"
#include "reports/ReportPreview.h"
#include "reports/ReportPrinting.h"
#include "reports/SummaryReport.h"
#include "shell/AppWindows.h"
#include "shell/TMisc.h"
#include "shell/TfrmGuida.h"
#include "validators/TfrmCarta.h"
#include "validators/TfrmCodFisc.h"
#include "validators/TfrmIban.h"
#include "validators/TfrmPartitaIva.h"
#include "vehicles/TfrmTrovaAutomezzi.h"
#include "widgets/EventHooks.h"
#include "widgets/FieldInput.h"
#include "widgets/FormBuilder.h"
#include "widgets/FormHelpers.h"
#include "widgets/MessageBoxes.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace {

const QSize kSmallButton(24, 24);

// A framed section of the form with its title.
QGroupBox *section(QWidget *parent, const QString &title, QGridLayout *&grid)
{
    auto *box = new QGroupBox(title, parent);
    box->setFont(FormHelpers::font(QStringLiteral("Verdana"), 9, true));
    box->setStyleSheet(QStringLiteral("QGroupBox { background-color: #F7FAFD; border: 1px solid #9DB3CC; "
                                      "border-radius: 6px; margin-top: 10px; padding: 4px 6px 6px 6px; } "
                                      "QGroupBox::title { subcontrol-origin: margin; left: 10px; "
                                      "color: #1F4E8C; }"));
    grid = new QGridLayout(box);
    grid->setHorizontalSpacing(10);
    grid->setVerticalSpacing(0);
    grid->setContentsMargins(8, 8, 8, 6);
    return box;
}

}  // namespace

TfrmClienti::TfrmClienti(AppWindows &windows)
    : RecordWindow(windows, QStringLiteral(" Cablora - Anagrafica Clienti"), ClienteRecord::format())
{
    auto *content = new QWidget(this);
    content->setObjectName(QStringLiteral("customerContent"));
    content->setStyleSheet(QStringLiteral("#customerContent { background: qlineargradient(x1:0, y1:0, x2:0, "
                                          "y2:1, stop:0 #4682B4, stop:1 white); }"));

    auto command = [content](const char *name, const QString &icon, const QString &caption, const QString &hint) {
        return FormBuilder::command(content, icon, caption, hint, QString::fromLatin1(name));
    };
    cmdNuovo = command("cmdNuovo", QStringLiteral(":/icons/document-new.svg"), QStringLiteral("Nuovo"),
                       QStringLiteral("Prepara la schermata per l'inserimento di una nuova scheda."));
    cmdDuplica = command("cmdDuplica", QStringLiteral(":/icons/edit-copy.svg"), QStringLiteral("Duplica"),
                         QStringLiteral("Prepara la schermata per l'inserimento di una nuova scheda "
                                        "duplicando i dati correnti."));
    cmdFile = command("cmdFile", QStringLiteral(":/icons/mail-attachment.svg"), QStringLiteral("Allega file"),
                      QStringLiteral("Allega file alla scheda."));
    cmdSalva = command("cmdSalva", QStringLiteral(":/icons/document-save.svg"), QStringLiteral("Salva"),
                       QStringLiteral("Salva la scheda in archivio."));
    cmdTrova = command("cmdTrova", QStringLiteral(":/icons/system-search.svg"), QStringLiteral("Trova"),
                       QStringLiteral("Trova una scheda in archivio."));
    cmdAnteprima =
        command("cmdAnteprima", QStringLiteral(":/icons/document-print-preview.svg"), QStringLiteral("Anteprima"),
                QStringLiteral("Visualizza l'anteprima di stampa della scheda."));
    cmdStampa = command("cmdStampa", QStringLiteral(":/icons/document-print.svg"), QStringLiteral("Stampa"),
                        QStringLiteral("Stampa la scheda."));
    cmdPDF = command("cmdPDF", QStringLiteral(":/icons/gnome-mime-application-pdf.svg"), QStringLiteral("Crea PDF"),
                     QStringLiteral("Esporta la scheda in formato PDF."));
    cmdRicontatta =
        command("cmdRicontatta", QStringLiteral(":/icons/office-calendar.svg"), QStringLiteral("Da ricontattare"),
                QStringLiteral("Visualizza l'elenco dei clienti da ricontattare."));
    cmdEsporta = command("cmdEsporta", QStringLiteral(":/icons/x-office-spreadsheet.svg"),
                         QStringLiteral("Esporta archivio"), QStringLiteral("Esporta l'archivio in Excel."));
    cmdGuida = command("cmdGuida", QStringLiteral(":/icons/help-browser.svg"), QStringLiteral("Guida"),
                       QStringLiteral("Visualizza la guida in linea."));
    cmdEsci = command("cmdEsci", QStringLiteral(":/icons/system-log-out.svg"), QStringLiteral("Esci"),
                      QStringLiteral("Esci da questa schermata."));

    // Fields, created in tab order; the maximum lengths are the record's capacities.
    auto edit = [content](const char *name, int maxLength) {
        return FormBuilder::edit(content, maxLength, QString::fromLatin1(name));
    };
    auto province = [content](const char *name) {
        auto *combo = new QComboBox(content);
        combo->setObjectName(QString::fromLatin1(name));
        combo->setEditable(true);
        combo->setInsertPolicy(QComboBox::NoInsert);
        combo->addItems(ClienteRules::provinceCodes());
        combo->setCurrentIndex(-1);
        combo->lineEdit()->setMaxLength(2);
        combo->setMaxVisibleItems(15);
        combo->setFont(FormHelpers::font(QStringLiteral("Verdana"), 12, true));
        combo->setMinimumWidth(70);
        FormHelpers::applyFieldColours(combo);
        return combo;
    };
    auto small = [content](const char *name, const QString &icon, const QString &hint) {
        auto *button = new PictureButton(icon, kSmallButton, hint, content);
        button->setObjectName(QString::fromLatin1(name));
        return button;
    };
    txtCognome = edit("txtCognome", 50);
    txtNome = edit("txtNome", 50);
    txtDitta = edit("txtDitta", 50);
    txtSesso = edit("txtSesso", 1);
    txtSesso->setAlignment(Qt::AlignCenter);
    txtRecapito = edit("txtRecapito", 50);
    txtIndirizzoRes = edit("txtIndirizzoRes", 50);
    txtProvRes = province("txtProvRes");
    txtComuneRes = edit("txtComuneRes", 50);
    txtCapRes = edit("txtCapRes", 5);
    txtDataNasc = edit("txtDataNasc", 30);
    txtComuneNasc = edit("txtComuneNasc", 50);
    txtProvNasc = province("txtProvNasc");
    txtTelCasa = edit("txtTelCasa", 30);
    txtTelUff = edit("txtTelUff", 30);
    txtTelCel = edit("txtTelCel", 30);
    txtPec = edit("txtPec", 60);
    txtEmail = edit("txtEmail", 50);
    btnEmail = small("btnEmail", QStringLiteral(":/icons/internet-mail.svg"),
                     QStringLiteral("Invia una e-mail all'indirizzo indicato."));
    txtCodFisc = edit("txtCodFisc", 16);
    btnCodFisc =
        small("btnCodFisc", QStringLiteral(":/icons/check-tick.svg"), QStringLiteral("Controlla il codice fiscale."));
    txtCarta = edit("txtCarta", 30);
    btnCarta = small("btnCarta", QStringLiteral(":/icons/check-tick.svg"),
                     QStringLiteral("Controlla il numero di carta di credito."));
    txtScadeCarta = edit("txtScadeCarta", 30);
    txtPartitaIva = edit("txtPartitaIva", 11);
    btnPartitaIva = small("btnPartitaIva", QStringLiteral(":/icons/check-tick.svg"),
                          QStringLiteral("Controlla il numero di partita IVA."));
    txtIban = edit("txtIban", 27);
    btnIban = small("btnIban", QStringLiteral(":/icons/check-tick.svg"), QStringLiteral("Controlla l'IBAN."));
    txtVeicolo = edit("txtVeicolo", 50);
    txtMarca = edit("txtMarca", 50);
    txtColore = edit("txtColore", 50);
    txtImmatricolazione = edit("txtImmatricolazione", 30);
    txtAlimentazione = edit("txtAlimentazione", 50);
    txtTarga = edit("txtTarga", 30);
    impAutomezzo = small("impAutomezzo", QStringLiteral(":/icons/import-arrow.svg"),
                         QStringLiteral("Importa i dati dal parco automezzi."));
    txtQuestioni = edit("txtQuestioni", 250);
    chkRicontatta = new QCheckBox(QStringLiteral("Da ricontattare"), content);
    chkRicontatta->setObjectName(QStringLiteral("chkRicontatta"));
    chkRicontatta->setFont(FormHelpers::font(QStringLiteral("Verdana"), 11, true));
    FormHelpers::setHint(chkRicontatta, QStringLiteral("Annota che il cliente è da ricontattare per questioni "
                                                       "in sospeso."));
    txtNote = edit("txtNote", 250);
    txtCodiceDest = edit("txtCodiceDest", 7);

    // The five sections.
    QGridLayout *g = nullptr;
    QGroupBox *personal = section(content, QStringLiteral("Dati anagrafici"), g);
    {
        FormBuilder::CaptionGrid grid(personal, g);
        grid.place(QStringLiteral("Cognome:"), txtCognome, 0, 2);
        grid.place(QStringLiteral("Nome:"), txtNome, 2, 2);
        grid.place(QStringLiteral("Sesso:"), txtSesso, 4);
        grid.nextRow();
        grid.place(QStringLiteral("Denominazione Ditta:"), txtDitta, 0, 3);
        grid.place(QStringLiteral("Telefono preferenziale:"), txtRecapito, 3, 2);
        grid.nextRow();
        grid.place(QStringLiteral("Residente in Via / Piazza e numero civico:"), txtIndirizzoRes, 0, 2);
        grid.place(QStringLiteral("Prov."), txtProvRes, 2);
        grid.place(QStringLiteral("Comune di residenza:"), txtComuneRes, 3);
        grid.place(QStringLiteral("CAP:"), txtCapRes, 4);
        grid.nextRow();
        grid.place(QStringLiteral("Data di nascita:"), txtDataNasc, 0);
        grid.place(QStringLiteral("Comune di nascita:"), txtComuneNasc, 1);
        grid.place(QStringLiteral("Prov."), txtProvNasc, 2);
        for (int c : {0, 1, 3})
            g->setColumnStretch(c, 3);
        g->setColumnStretch(2, 1);
        g->setColumnStretch(4, 1);
    }
    QGroupBox *contacts = section(content, QStringLiteral("Recapiti"), g);
    {
        FormBuilder::CaptionGrid grid(contacts, g);
        grid.place(QStringLiteral("Tel. casa:"), txtTelCasa, 0);
        grid.place(QStringLiteral("Tel. ufficio:"), txtTelUff, 1);
        grid.place(QStringLiteral("Tel. cellulare:"), txtTelCel, 2);
        grid.nextRow();
        grid.place(QStringLiteral("Indirizzo PEC:"), txtPec, 0, 1);
        grid.place(QStringLiteral("E-mail:"), FormBuilder::withButton(contacts, txtEmail, btnEmail), 1, 2);
    }
    QGroupBox *codes = section(content, QStringLiteral("Codici e pagamenti"), g);
    {
        FormBuilder::CaptionGrid grid(codes, g);
        grid.place(QStringLiteral("Codice fiscale:"), FormBuilder::withButton(codes, txtCodFisc, btnCodFisc), 0);
        grid.place(QStringLiteral("Carta di credito n."), FormBuilder::withButton(codes, txtCarta, btnCarta), 1);
        grid.place(QStringLiteral("Scadenza:"), txtScadeCarta, 2);
        grid.nextRow();
        grid.place(QStringLiteral("Partita IVA:"), FormBuilder::withButton(codes, txtPartitaIva, btnPartitaIva), 0);
        grid.place(QStringLiteral("IBAN:"), FormBuilder::withButton(codes, txtIban, btnIban), 1, 2);
    }
    QGroupBox *vehicle = section(content, QStringLiteral("Automezzo"), g);
    {
        FormBuilder::CaptionGrid grid(vehicle, g);
        grid.place(QStringLiteral("Tipo veicolo:"), txtVeicolo, 0);
        grid.place(QStringLiteral("Marca e modello:"), txtMarca, 1);
        grid.place(QStringLiteral("Telaio:"), txtColore, 2);
        grid.nextRow();
        grid.place(QStringLiteral("Data immatricolazione:"), txtImmatricolazione, 0);
        grid.place(QStringLiteral("Alimentazione:"), txtAlimentazione, 1);
        grid.place(QStringLiteral("Targa:"), FormBuilder::withButton(vehicle, txtTarga, impAutomezzo), 2);
    }
    QGroupBox *pending = section(content, QStringLiteral("Questioni in sospeso"), g);
    {
        FormBuilder::CaptionGrid grid(pending, g);
        grid.place(QStringLiteral("Questioni in sospeso:"), txtQuestioni, 0, 3);
        grid.nextRow();
        g->addWidget(chkRicontatta, grid.row(), 0, 1, 3);
        grid.nextRow();
        grid.place(QStringLiteral("Note:"), txtNote, 0, 2);
        grid.place(QStringLiteral("Codice Destinatario:"), txtCodiceDest, 2);
        g->setColumnStretch(0, 2);
        g->setColumnStretch(1, 2);
        g->setColumnStretch(2, 1);
    }

    auto *left = new QVBoxLayout;
    left->setSpacing(6);
    left->addWidget(personal);
    left->addWidget(contacts);
    left->addWidget(codes);
    left->addStretch(1);
    auto *right = new QVBoxLayout;
    right->setSpacing(6);
    right->addWidget(vehicle);
    right->addWidget(pending);
    right->addStretch(1);

    auto *commands = new QGridLayout;
    commands->setSpacing(4);
    const QList<QWidget *> column = {cmdNuovo,  cmdDuplica, cmdFile,       cmdSalva,   cmdTrova, cmdAnteprima,
                                     cmdStampa, cmdPDF,     cmdRicontatta, cmdEsporta, cmdGuida, cmdEsci};
    for (int i = 0; i < column.size(); ++i) {
        column[i]->setMinimumWidth(96);
        commands->addWidget(column[i], i / 2, i % 2);
    }
    auto *commandBox = new QWidget(content);
    commandBox->setObjectName(QStringLiteral("commandGroup"));
    commandBox->setStyleSheet(QStringLiteral("#commandGroup { background-color: white; border: 1px solid #B8C7D9; "
                                             "border-radius: 6px; }"));
    auto *commandColumn = new QVBoxLayout(commandBox);
    commandColumn->setContentsMargins(4, 4, 4, 4);
    commandColumn->addLayout(commands);
    commandColumn->addStretch(1);

    auto *browseBar = new QHBoxLayout;
    browseBar->addStretch(1);
    browseBar->addWidget(makeBrowseBar(content, 12, false));

    auto *body = new QHBoxLayout;
    body->setSpacing(10);
    body->addLayout(left, 5);
    body->addLayout(right, 4);
    auto *side = new QVBoxLayout;
    side->addWidget(commandBox);
    side->addStretch(1);
    body->addLayout(side);

    auto *layout = new QVBoxLayout(content);
    layout->setContentsMargins(10, 8, 10, 6);
    layout->setSpacing(6);
    layout->addLayout(body, 1);
    layout->addLayout(browseBar);

    makeAttachmentHolders(content);

    // Every field of the record and its control; the printed customer sheet names its objects after
    // the controls.
    using R = ClienteRecord;
    m_binding.edit(R::fCognome, txtCognome, QStringLiteral("txtCognome"))
        .edit(R::fNome, txtNome, QStringLiteral("txtNome"))
        .edit(R::fDitta, txtDitta, QStringLiteral("txtDitta"))
        .edit(R::fSesso, txtSesso, QStringLiteral("txtSesso"))
        .edit(R::fRecapito, txtRecapito, QStringLiteral("txtRecapito"))
        .edit(R::fIndirizzoRes, txtIndirizzoRes, QStringLiteral("txtIndirizzoRes"))
        .combo(R::fProvRes, txtProvRes, QStringLiteral("txtProvRes"))
        .edit(R::fComuneRes, txtComuneRes, QStringLiteral("txtComuneRes"))
        .edit(R::fCapRes, txtCapRes, QStringLiteral("txtCapRes"))
        .edit(R::fDataNasc, txtDataNasc, QStringLiteral("txtDataNasc"))
        .edit(R::fComuneNasc, txtComuneNasc, QStringLiteral("txtComuneNasc"))
        .combo(R::fProvNasc, txtProvNasc, QStringLiteral("txtProvNasc"))
        .edit(R::fTelCasa, txtTelCasa, QStringLiteral("txtTelCasa"))
        .edit(R::fTelUff, txtTelUff, QStringLiteral("txtTelUff"))
        .edit(R::fTelCel, txtTelCel, QStringLiteral("txtTelCel"))
        .edit(R::fPec, txtPec, QStringLiteral("txtPec"))
        .edit(R::fEmail, txtEmail, QStringLiteral("txtEmail"))
        .edit(R::fCodFisc, txtCodFisc, QStringLiteral("txtCodFisc"))
        .edit(R::fCarta, txtCarta, QStringLiteral("txtCarta"))
        .edit(R::fScadeCarta, txtScadeCarta, QStringLiteral("txtScadeCarta"))
        .edit(R::fPartitaIva, txtPartitaIva, QStringLiteral("txtPartitaIva"))
        .edit(R::fIban, txtIban, QStringLiteral("txtIban"))
        .edit(R::fVeicolo, txtVeicolo, QStringLiteral("txtVeicolo"))
        .edit(R::fMarca, txtMarca, QStringLiteral("txtMarca"))
        .edit(R::fTelaio, txtColore, QStringLiteral("txtColore"))
        .edit(R::fImmatricolazione, txtImmatricolazione, QStringLiteral("txtImmatricolazione"))
        .edit(R::fAlimentazione, txtAlimentazione, QStringLiteral("txtAlimentazione"))
        .edit(R::fTarga, txtTarga, QStringLiteral("txtTarga"))
        .edit(R::fQuestioni, txtQuestioni, QStringLiteral("txtQuestioni"))
        .edit(R::fNote, txtNote, QStringLiteral("txtNote"))
        .edit(R::fCodiceDest, txtCodiceDest, QStringLiteral("txtCodiceDest"))
        .flag(R::fRicontatta, chkRicontatta);
    bindAttachmentHolders();

    m_binding.guardInput([this](const QString &why) { panInfo->setText(why); });
    // The input rules: Enter chain, refused keystrokes, rewrites after a change and on leaving.
    using KeyFilters::Refuse;
    using KeyFilters::Rewrite;
    FieldInput::apply({
        {txtCognome, txtNome, Refuse::SetA},
        {txtNome, txtDitta, Refuse::SetA},
        {txtDitta, txtSesso, Refuse::SetA},
        {txtSesso, txtRecapito, Refuse::Nothing, Rewrite::Nothing, Rewrite::Nothing, true},
        {txtRecapito, txtIndirizzoRes, Refuse::SetA},
        {txtIndirizzoRes, txtProvRes, Refuse::SetA},
        {txtProvRes, txtComuneRes, Refuse::SetA, Rewrite::TrimUpper, Rewrite::TrimUpper},
        {txtComuneRes, txtCapRes, Refuse::SetA},
        {txtCapRes, txtDataNasc, Refuse::AllButDigits, Rewrite::TrimUpper},
        {txtDataNasc, txtComuneNasc},
        {txtComuneNasc, txtProvNasc},
        {txtProvNasc, txtTelCasa, Refuse::Nothing, Rewrite::TrimUpper, Rewrite::TrimUpper},
        {txtTelCasa, txtTelUff},
        {txtTelUff, txtTelCel},
        {txtTelCel, txtPec},
        {txtPec, txtEmail, Refuse::SetA, Rewrite::Trim},
        {txtEmail, txtCodFisc, Refuse::Nothing, Rewrite::Trim, Rewrite::Trim},
        {txtCodFisc, txtCarta, Refuse::SetA, Rewrite::TrimUpper},
        {txtCarta, txtScadeCarta, Refuse::AllButDigits},
        {txtScadeCarta, txtPartitaIva},
        {txtPartitaIva, txtIban, Refuse::AllButDigits},
        {txtIban, txtVeicolo, Refuse::SetA, Rewrite::TrimUpper},
        {txtVeicolo, txtMarca},
        {txtMarca, txtColore, Refuse::SetA},
        {txtColore, txtImmatricolazione, Refuse::SetA},
        {txtImmatricolazione, txtAlimentazione},
        {txtAlimentazione, txtTarga},
        {txtTarga, txtQuestioni, Refuse::SetA, Rewrite::TrimUpper},
        {txtQuestioni, txtNote},
        {txtNote, txtCodiceDest},
        {txtCodiceDest, txtCognome, Refuse::SetB, Rewrite::TrimUpper},
    });
    for (QComboBox *combo : {txtProvRes, txtProvNasc})
        EventHooks::onEnter(combo, [this, combo] { txtProvEnter(combo); });

    QWidget *previous = txtCognome;
    for (QWidget *next : std::initializer_list<QWidget *>{
             txtNome,          txtDitta,     txtSesso,     txtRecapito,   txtIndirizzoRes,
             txtProvRes,       txtComuneRes, txtCapRes,    txtDataNasc,   txtComuneNasc,
             txtProvNasc,      txtTelCasa,   txtTelUff,    txtTelCel,     txtPec,
             txtEmail,         txtCodFisc,   txtCarta,     txtScadeCarta, txtPartitaIva,
             txtIban,          txtVeicolo,   txtMarca,     txtColore,     txtImmatricolazione,
             txtAlimentazione, txtTarga,     txtQuestioni, chkRicontatta, txtNote,
             txtCodiceDest}) {
        setTabOrder(previous, next);
        previous = next;
    }

    connect(cmdNuovo, &QToolButton::clicked, this, &TfrmClienti::cmdNuovoClick);
    connect(cmdDuplica, &QToolButton::clicked, this, &TfrmClienti::cmdDuplicaClick);
    connect(cmdSalva, &QToolButton::clicked, this, &TfrmClienti::cmdSalvaClick);
    connect(cmdEsci, &QToolButton::clicked, this, &TfrmClienti::cmdEsciClick);
    connect(btnEmail, &QToolButton::clicked, this, &TfrmClienti::btnEmailClick);
    connect(btnCodFisc, &QToolButton::clicked, this, &TfrmClienti::btnCodFiscClick);
    connect(btnPartitaIva, &QToolButton::clicked, this, &TfrmClienti::btnPartitaIvaClick);
    connect(btnCarta, &QToolButton::clicked, this, &TfrmClienti::btnCartaClick);
    connect(btnIban, &QToolButton::clicked, this, &TfrmClienti::btnIbanClick);
    // The dialogs of these commands come with their own parts of the register.
    connect(cmdTrova, &QToolButton::clicked, this, &TfrmClienti::cmdTrovaClick);
    connect(cmdRicontatta, &QToolButton::clicked, this, &TfrmClienti::cmdRicontattaClick);
    connect(impAutomezzo, &QToolButton::clicked, this, &TfrmClienti::impAutomezzoClick);
    connect(cmdStampa, &QToolButton::clicked, this, &TfrmClienti::cmdStampaClick);
    connect(cmdAnteprima, &QToolButton::clicked, this, &TfrmClienti::cmdAnteprimaClick);
    connect(cmdPDF, &QToolButton::clicked, this, &TfrmClienti::cmdPDFClick);
    connect(cmdEsporta, &QToolButton::clicked, this, &TfrmClienti::cmdEsportaClick);
    connect(cmdFile, &QToolButton::clicked, this, &TfrmClienti::cmdFileClick);
    connect(cmdGuida, &QToolButton::clicked, this, &TfrmClienti::cmdGuidaClick);

    setContent(content);
    // The empty screen the window is built with holds nothing to lose.
    m_unsaved.remember();
    panInfo->setText(QStringLiteral("Pronto per archiviare una nuova scheda..."));
}

// ---- Showing -------------------------------------------------------------------------------------

void TfrmClienti::clearScreen()
{
    m_binding.clear();
    for (QComboBox *combo : {txtProvRes, txtProvNasc}) {
        combo->setCurrentIndex(-1);
        combo->setEditText(QString());
    }
    lblPosizione->clear();
}

void TfrmClienti::FormShow()
{
    clearScreen();
    m_unsaved.remember();
    txtCognome->setFocus(Qt::OtherFocusReason);
}

void TfrmClienti::showStored(const QByteArray &record, qint64 position)
{
    ShowRecord(ClienteRecord::fromBytes(record), position);
}

void TfrmClienti::ShowRecord(const ClienteRecord &record, qint64 position)
{
    m_binding.showRecord(record);
    lblPosizione->setText(QString::number(position));
    m_unsaved.remember();
}

ClienteRecord TfrmClienti::RecordFromScreen() const
{
    return m_binding.collectRecord<ClienteRecord>();
}

void TfrmClienti::txtProvEnter(QComboBox *combo)
{
    // The list selection is reset each time the box takes the focus; the typed code stays.
    const QString text = combo->currentText();
    combo->setCurrentIndex(-1);
    combo->setEditText(text);
}

// ---- Browsing ------------------------------------------------------------------------------------

// ---- New, duplicate, save ------------------------------------------------------------------------

void TfrmClienti::cmdNuovoClick()
{
    if (!mayReplaceRecord())
        return;
    clearScreen();
    m_unsaved.remember();
    txtCognome->setFocus(Qt::OtherFocusReason);
}

void TfrmClienti::cmdDuplicaClick()
{
    if (!mayDuplicate())
        return;
    clearAttachmentHolders();
    lblPosizione->clear();
    RecordArchive archive;
    const bool reachable = archive.OpenOrCreate(archivePath(), ClienteRecord::kSize);
    archive.Close();
    if (!reachable) {
        MessageBoxes::error(this, archiveAccessMessage());
        return;
    }
    txtCognome->setFocus(Qt::OtherFocusReason);
    MessageBoxes::information(this, duplicatedMessage());
}

void TfrmClienti::cmdSalvaClick()
{
    saveRecord();
}

QString TfrmClienti::changedElsewhereSentence() const
{
    return QStringLiteral("La scheda del cliente è stata modificata da un'altra postazione dopo che è stata aperta.");
}

bool TfrmClienti::saveRecord()
{
    if (!mandatoryFilled({
            {txtCognome, "Attenzione: per salvare la scheda è necessario indicare il cognome del cliente."},
            {txtNome, "Attenzione: per salvare la scheda è necessario indicare il nome del cliente."},
        }))
        return false;
    QString confirmation;
    const qint64 position = storeRecord(RecordFromScreen().toBytes(), &confirmation);
    if (position == 0)
        return false;  // another workstation's record kept, as the user chose
    if (position < 0) {
        MessageBoxes::error(this, archiveAccessMessage());
        return false;
    }
    m_unsaved.remember();
    MessageBoxes::information(this, confirmation);
    return true;
}

// ---- Checks and e-mail ---------------------------------------------------------------------------

void TfrmClienti::btnEmailClick()
{
    TMisc::Open(ClienteRules::mailOpenText(txtEmail->text()));
}

void TfrmClienti::btnCodFiscClick()
{
    const QString code = TextRules::trim(txtCodFisc->text());
    if (ClienteRules::taxCodeIsVatNumber(code))
        TfrmPartitaIva::check(this, code);
    else
        TfrmCodFisc::check(this, code);
}

void TfrmClienti::btnPartitaIvaClick()
{
    TfrmPartitaIva::check(this, TextRules::trim(txtPartitaIva->text()));
}

void TfrmClienti::btnCartaClick()
{
    TfrmCarta::check(this, TextRules::trim(txtCarta->text()));
}

void TfrmClienti::btnIbanClick()
{
    TfrmIban::check(this, TextRules::trim(txtIban->text()));
}

// ---- Dialogs -------------------------------------------------------------------------------------

void TfrmClienti::cmdTrovaClick()
{
    TfrmTrovaClienti search(windows(), this);
    search.lblMemory->setText(QStringLiteral("clienti"));
    search.exec();
}

// ---- Customer sheet: print, preview, PDF ---------------------------------------------------------

PreparedReport TfrmClienti::prepareSheet() const
{
    Report report = ClienteReport::buildTemplate();
    ClienteReport::fill(report, m_binding.printTexts(), SummaryReport::footerText());
    return report.prepare();
}

QString TfrmClienti::printFailureMessage()
{
    return QStringLiteral("Attenzione: la stampa della scheda non è andata a buon fine.\n\r\n\r"
                          "Controllare che la stampante sia accesa e collegata, poi riprovare.");
}

QString TfrmClienti::previewFailureMessage()
{
    return QStringLiteral("Attenzione: la visualizzazione dell'anteprima di stampa della scheda non è andata "
                          "a buon fine.");
}

QString TfrmClienti::pdfFailureMessage()
{
    return QStringLiteral("Attenzione: non è stato possibile creare il file PDF della scheda.\n\r\n\r"
                          "Accertarsi che il file Cliente.pdf non sia già aperto in un altro programma e che "
                          "la cartella del programma consenta la scrittura, poi riprovare.");
}

void TfrmClienti::cmdStampaClick()
{
    if (ReportPrinting::print(prepareSheet(), this) == ReportPrinting::Outcome::Failed)
        MessageBoxes::warning(this, printFailureMessage());
}

void TfrmClienti::cmdAnteprimaClick()
{
    if (!ReportPreview::run(prepareSheet(), this))
        MessageBoxes::warning(this, previewFailureMessage());
}

void TfrmClienti::cmdPDFClick()
{
    // Every export replaces the same file, whatever customer is shown; a failed export keeps the
    // earlier file and the screen's data, and says why.
    const QString path = windows().filePath(pdfFileName());
    const QString name = ClienteReport::reportName();
    if (!ReportRender::exportPdf(prepareSheet(), path, {name, name})) {
        MessageBoxes::warning(this, pdfFailureMessage());
        return;
    }
    if (MessageBoxes::confirm(this, QStringLiteral("L'esportazione della scheda in PDF è terminata con successo."
                                                   "\r\n\r\nSi vuole aprire il file?")))
        TMisc::Open(QLatin1Char('"') + path + QLatin1Char('"'));
}

void TfrmClienti::cmdGuidaClick()
{
    TfrmGuida::showTopic(windows(), HelpTopics::customers(), this);
}

void TfrmClienti::cmdFileClick()
{
    TfrmAllegaCartella::editAttachments(windows(), *this, QStringLiteral("clienti"));
}

void TfrmClienti::cmdEsportaClick()
{
    TfrmExpClienti exportDialog(windows(), this);
    exportDialog.exec();
}

void TfrmClienti::cmdRicontattaClick()
{
    TfrmRicontatta recontact(windows(), this);
    recontact.exec();
}

void TfrmClienti::impAutomezzoClick()
{
    TfrmTrovaAutomezzi search(windows(), this);
    search.lblMemory->setText(QStringLiteral("clienti"));
    search.exec();
}

void TfrmClienti::cmdEsciClick()
{
    close();
}
