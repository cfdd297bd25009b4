#include "customers/TfrmClienti.h"

#include "archive/AutomezzoRecord.h"
#include "archive/RecordArchive.h"
#include "common/TextRules.h"
#include "customers/ClienteRules.h"
#include "customers/TfrmExpClienti.h"
#include "customers/TfrmRicontatta.h"
#include "customers/TfrmTrovaClienti.h"
#include "media/TfrmAllegaCartella.h"
#include "reports/ClienteReport.h"
#include "reports/SummaryReport.h"
#include "shell/AppWindows.h"
#include "shell/ContextWords.h"
#include "shell/TMisc.h"
#include "shell/TfrmGuida.h"
#include "validators/TfrmCarta.h"
#include "validators/TfrmCodFisc.h"
#include "validators/TfrmIban.h"
#include "validators/TfrmPartitaIva.h"
#include "vehicles/TfrmTrovaAutomezzi.h"
#include "widgets/AppStyle.h"
#include "widgets/EventHooks.h"
#include "widgets/FormBuilder.h"
#include "widgets/FormHelpers.h"
#include "widgets/MessageBoxes.h"
#include "widgets/ReportPreview.h"
#include "widgets/ReportPrinting.h"

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
    grid = new QGridLayout(box);
    grid->setHorizontalSpacing(10);
    grid->setVerticalSpacing(0);
    grid->setContentsMargins(8, 8, 8, 6);
    return box;
}

}  // namespace

TfrmClienti::TfrmClienti(AppWindows &windows)
    : RecordWindowOf(windows, QStringLiteral(" Cablora - Anagrafica Clienti"), ClienteRecord::format())
{
    auto *content = new QWidget(this);
    content->setObjectName(QStringLiteral("customerContent"));
    // The one sheet set on a widget, for the gradient: the province boxes, made inside this panel, take
    // the height of the edits beside them only when their parent has a sheet of its own as they are
    // polished.
    content->setStyleSheet(
        AppStyle::withColours(QStringLiteral("#customerContent { background: qlineargradient(x1:0, y1:0, x2:0, y2:1, "
                                             "stop:0 @customerGradientTop, stop:1 white); }")));

    makeCommands(content, QStringLiteral("l'inserimento di una nuova scheda"));
    cmdPDF = addCommand("cmdPDF", QStringLiteral(":/icons/gnome-mime-application-pdf.svg"), QStringLiteral("Crea PDF"),
                        QStringLiteral("Esporta la scheda in formato PDF."));
    cmdRicontatta =
        addCommand("cmdRicontatta", QStringLiteral(":/icons/office-calendar.svg"), QStringLiteral("Da ricontattare"),
                   QStringLiteral("Visualizza l'elenco dei clienti da ricontattare."));
    cmdEsporta = addCommand("cmdEsporta", QStringLiteral(":/icons/x-office-spreadsheet.svg"),
                            QStringLiteral("Esporta archivio"), QStringLiteral("Esporta l'archivio in Excel."));

    // The controls of the table that are not plain edits, and the small buttons beside the fields.
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
    txtProvRes = province("txtProvRes");
    txtProvNasc = province("txtProvNasc");
    btnEmail = small("btnEmail", QStringLiteral(":/icons/internet-mail.svg"),
                     QStringLiteral("Invia una e-mail all'indirizzo indicato."));
    btnCodFisc =
        small("btnCodFisc", QStringLiteral(":/icons/check-tick.svg"), QStringLiteral("Controlla il codice fiscale."));
    btnCarta = small("btnCarta", QStringLiteral(":/icons/check-tick.svg"),
                     QStringLiteral("Controlla il numero di carta di credito."));
    btnPartitaIva = small("btnPartitaIva", QStringLiteral(":/icons/check-tick.svg"),
                          QStringLiteral("Controlla il numero di partita IVA."));
    btnIban = small("btnIban", QStringLiteral(":/icons/check-tick.svg"), QStringLiteral("Controlla l'IBAN."));
    impAutomezzo = small("impAutomezzo", QStringLiteral(":/icons/import-arrow.svg"),
                         QStringLiteral("Importa i dati dal parco automezzi."));
    chkRicontatta = new QCheckBox(QStringLiteral("Da ricontattare"), content);
    chkRicontatta->setObjectName(QStringLiteral("chkRicontatta"));
    chkRicontatta->setFont(FormHelpers::font(QStringLiteral("Verdana"), 11, true));
    FormHelpers::setHint(chkRicontatta, QStringLiteral("Annota che il cliente è da ricontattare per questioni "
                                                       "in sospeso."));

    // The five sections, in the order of their numbers in the field table.
    QGridLayout *personalGrid = nullptr, *contactsGrid = nullptr, *codesGrid = nullptr, *vehicleGrid = nullptr,
                *pendingGrid = nullptr;
    QGroupBox *personal = section(content, QStringLiteral("Dati anagrafici"), personalGrid);
    QGroupBox *contacts = section(content, QStringLiteral("Recapiti"), contactsGrid);
    QGroupBox *codes = section(content, QStringLiteral("Codici e pagamenti"), codesGrid);
    QGroupBox *vehicle = section(content, QStringLiteral("Automezzo"), vehicleGrid);
    QGroupBox *pending = section(content, QStringLiteral("Questioni in sospeso"), pendingGrid);
    for (int c : {0, 1, 3})
        personalGrid->setColumnStretch(c, 3);
    personalGrid->setColumnStretch(2, 1);
    personalGrid->setColumnStretch(4, 1);
    pendingGrid->setColumnStretch(0, 2);
    pendingGrid->setColumnStretch(1, 2);
    pendingGrid->setColumnStretch(2, 1);

    // Every field of the record in Tab order: its control, caption, place (section, row, column,
    // span) and input rules; the printed customer sheet names its objects after the controls.
    using R = ClienteRecord;
    using KeyFilters::Refuse;
    using KeyFilters::Rewrite;
    // The rows stay packed, one field to a row.
    // clang-format off
    buildFields(
        content,
        {
            {.name = "txtCognome", .control = &txtCognome, .field = R::fCognome, .caption = "Cognome:",
             .place = {0, 0, 0, 2}, .refuse = Refuse::SetA,
             .mandatory = "Attenzione: per salvare la scheda è necessario indicare il cognome del cliente."},
            {.name = "txtNome", .control = &txtNome, .field = R::fNome, .caption = "Nome:", .place = {0, 0, 2, 2},
             .refuse = Refuse::SetA,
             .mandatory = "Attenzione: per salvare la scheda è necessario indicare il nome del cliente."},
            {.name = "txtDitta", .control = &txtDitta, .field = R::fDitta, .caption = "Denominazione Ditta:",
             .place = {0, 1, 0, 3}, .refuse = Refuse::SetA},
            {.name = "txtSesso", .control = &txtSesso, .field = R::fSesso, .caption = "Sesso:", .place = {0, 0, 4},
             .upperOnKeyUp = true},
            {.name = "txtRecapito", .control = &txtRecapito, .field = R::fRecapito,
             .caption = "Telefono preferenziale:", .place = {0, 1, 3, 2}, .refuse = Refuse::SetA},
            {.name = "txtIndirizzoRes", .control = &txtIndirizzoRes, .field = R::fIndirizzoRes,
             .caption = "Residente in Via / Piazza e numero civico:", .place = {0, 2, 0, 2}, .refuse = Refuse::SetA},
            {.name = "txtProvRes", .control = &txtProvRes, .field = R::fProvRes, .caption = "Prov.", .place = {0, 2, 2},
             .refuse = Refuse::SetA, .afterChange = Rewrite::TrimUpper, .onLeave = Rewrite::TrimUpper},
            {.name = "txtComuneRes", .control = &txtComuneRes, .field = R::fComuneRes,
             .caption = "Comune di residenza:", .place = {0, 2, 3}, .refuse = Refuse::SetA},
            {.name = "txtCapRes", .control = &txtCapRes, .field = R::fCapRes, .caption = "CAP:", .place = {0, 2, 4},
             .refuse = Refuse::AllButDigits, .afterChange = Rewrite::TrimUpper},
            {.name = "txtDataNasc", .control = &txtDataNasc, .field = R::fDataNasc, .caption = "Data di nascita:",
             .place = {0, 3, 0}},
            {.name = "txtComuneNasc", .control = &txtComuneNasc, .field = R::fComuneNasc,
             .caption = "Comune di nascita:", .place = {0, 3, 1}},
            {.name = "txtProvNasc", .control = &txtProvNasc, .field = R::fProvNasc, .caption = "Prov.",
             .place = {0, 3, 2}, .afterChange = Rewrite::TrimUpper, .onLeave = Rewrite::TrimUpper},
            {.name = "txtTelCasa", .control = &txtTelCasa, .field = R::fTelCasa, .caption = "Tel. casa:",
             .place = {1, 0, 0}},
            {.name = "txtTelUff", .control = &txtTelUff, .field = R::fTelUff, .caption = "Tel. ufficio:",
             .place = {1, 0, 1}},
            {.name = "txtTelCel", .control = &txtTelCel, .field = R::fTelCel, .caption = "Tel. cellulare:",
             .place = {1, 0, 2}},
            {.name = "txtPec", .control = &txtPec, .field = R::fPec, .caption = "Indirizzo PEC:", .place = {1, 1, 0},
             .refuse = Refuse::SetA, .afterChange = Rewrite::Trim},
            {.name = "txtEmail", .control = &txtEmail, .field = R::fEmail, .caption = "E-mail:", .place = {1, 1, 1, 2},
             .afterChange = Rewrite::Trim, .onLeave = Rewrite::Trim, .button = "btnEmail"},
            {.name = "txtCodFisc", .control = &txtCodFisc, .field = R::fCodFisc, .caption = "Codice fiscale:",
             .place = {2, 0, 0}, .refuse = Refuse::SetA, .afterChange = Rewrite::TrimUpper, .button = "btnCodFisc"},
            {.name = "txtCarta", .control = &txtCarta, .field = R::fCarta, .caption = "Carta di credito n.",
             .place = {2, 0, 1}, .refuse = Refuse::AllButDigits, .button = "btnCarta"},
            {.name = "txtScadeCarta", .control = &txtScadeCarta, .field = R::fScadeCarta, .caption = "Scadenza:",
             .place = {2, 0, 2}},
            {.name = "txtPartitaIva", .control = &txtPartitaIva, .field = R::fPartitaIva, .caption = "Partita IVA:",
             .place = {2, 1, 0}, .refuse = Refuse::AllButDigits, .button = "btnPartitaIva"},
            {.name = "txtIban", .control = &txtIban, .field = R::fIban, .caption = "IBAN:", .place = {2, 1, 1, 2},
             .refuse = Refuse::SetA, .afterChange = Rewrite::TrimUpper, .button = "btnIban"},
            {.name = "txtVeicolo", .control = &txtVeicolo, .field = R::fVeicolo, .caption = "Tipo veicolo:",
             .place = {3, 0, 0}},
            {.name = "txtMarca", .control = &txtMarca, .field = R::fMarca, .caption = "Marca e modello:",
             .place = {3, 0, 1}, .refuse = Refuse::SetA},
            {.name = "txtColore", .control = &txtColore, .field = R::fTelaio, .caption = "Telaio:", .place = {3, 0, 2},
             .refuse = Refuse::SetA},
            {.name = "txtImmatricolazione", .control = &txtImmatricolazione, .field = R::fImmatricolazione,
             .caption = "Data immatricolazione:", .place = {3, 1, 0}},
            {.name = "txtAlimentazione", .control = &txtAlimentazione, .field = R::fAlimentazione,
             .caption = "Alimentazione:", .place = {3, 1, 1}},
            {.name = "txtTarga", .control = &txtTarga, .field = R::fTarga, .caption = "Targa:", .place = {3, 1, 2},
             .refuse = Refuse::SetA, .afterChange = Rewrite::TrimUpper, .button = "impAutomezzo"},
            {.name = "txtQuestioni", .control = &txtQuestioni, .field = R::fQuestioni,
             .caption = "Questioni in sospeso:", .place = {4, 0, 0, 3}},
            {.name = "chkRicontatta", .control = &chkRicontatta, .field = R::fRicontatta, .place = {4, 1, 0, 3},
             .printed = false},
            {.name = "txtNote", .control = &txtNote, .field = R::fNote, .caption = "Note:", .place = {4, 2, 0, 2}},
            {.name = "txtCodiceDest", .control = &txtCodiceDest, .field = R::fCodiceDest,
             .caption = "Codice Destinatario:", .place = {4, 2, 2}, .refuse = Refuse::SetB,
             .afterChange = Rewrite::TrimUpper},
        },
        {personalGrid, contactsGrid, codesGrid, vehicleGrid, pendingGrid});
    // clang-format on
    txtSesso->setAlignment(Qt::AlignCenter);
    for (QComboBox *combo : {txtProvRes, txtProvNasc})
        EventHooks::onEnter(combo, [this, combo] { txtProvEnter(combo); });

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

    connect(btnEmail, &QToolButton::clicked, this, &TfrmClienti::btnEmailClick);
    connect(btnCodFisc, &QToolButton::clicked, this, &TfrmClienti::btnCodFiscClick);
    connect(btnPartitaIva, &QToolButton::clicked, this, &TfrmClienti::btnPartitaIvaClick);
    connect(btnCarta, &QToolButton::clicked, this, &TfrmClienti::btnCartaClick);
    connect(btnIban, &QToolButton::clicked, this, &TfrmClienti::btnIbanClick);
    connect(cmdRicontatta, &QToolButton::clicked, this, &TfrmClienti::cmdRicontattaClick);
    connect(impAutomezzo, &QToolButton::clicked, this, &TfrmClienti::impAutomezzoClick);
    connect(cmdPDF, &QToolButton::clicked, this, &TfrmClienti::cmdPDFClick);
    connect(cmdEsporta, &QToolButton::clicked, this, &TfrmClienti::cmdEsportaClick);

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

bool TfrmClienti::prepareDuplicate()
{
    RecordArchive archive;
    const bool reachable = archive.OpenOrCreate(archivePath(), ClienteRecord::kSize);
    archive.Close();
    if (!reachable)
        MessageBoxes::error(this, archiveAccessMessage());
    return reachable;
}

QString TfrmClienti::changedElsewhereSentence() const
{
    return QStringLiteral("La scheda del cliente è stata modificata da un'altra postazione dopo che è stata aperta.");
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
    search.lblMemory->setText(ContextWords::word(ContextWords::Target::Clienti));
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
    TfrmAllegaCartella::editAttachments(windows(), *this, ContextWords::word(ContextWords::Target::Clienti));
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
    search.lblMemory->setText(ContextWords::word(ContextWords::Target::Clienti));
    search.exec();
}

void TfrmClienti::importVehicle(const AutomezzoRecord &vehicle)
{
    using R = ClienteRecord;
    setFieldText(R::fVeicolo, vehicle.Tipo);
    setFieldText(R::fMarca, vehicle.Marca + QLatin1Char(' ') + vehicle.Modello);
    setFieldText(R::fTelaio, vehicle.Telaio);
    setFieldText(R::fImmatricolazione, vehicle.Immatricolazione);
    setFieldText(R::fAlimentazione, vehicle.Alimentazione);
    setFieldText(R::fTarga, vehicle.Targa);
}
