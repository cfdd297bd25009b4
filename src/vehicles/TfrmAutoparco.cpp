#include "vehicles/TfrmAutoparco.h"

#include "archive/RecordArchive.h"
#include "common/TextRules.h"
#include "media/Logo.h"
#include "media/PhotoArea.h"
#include "media/TfrmAllegaCartella.h"
#include "reports/AutomezzoReport.h"
#include "sheets/TfrmStorico.h"
#include "shell/AppWindows.h"
#include "shell/TfrmGuida.h"
#include "vehicles/Scadenze.h"
#include "vehicles/TfrmAnteprimaAutomezzo.h"
#include "vehicles/TfrmExpAutoparco.h"
#include "vehicles/TfrmScadenze.h"
#include "vehicles/TfrmSlideshow_Automezzi.h"
#include "vehicles/TfrmStampaAutomezzo.h"
#include "vehicles/TfrmTrovaAutomezzi.h"
#include "widgets/Artwork.h"
#include "widgets/DateEdits.h"
#include "widgets/FieldInput.h"
#include "widgets/FormBuilder.h"
#include "widgets/FormHelpers.h"
#include "widgets/MessageBoxes.h"
#include "widgets/PhotoCommands.h"

#include <QDir>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

const QSize kPhotoSize(308, 173);
const QSize kPhotoButtonIcon(24, 24);

QString photoFailedMessage()
{
    return QStringLiteral("Attenzione: la scheda è stata salvata, ma non è stato possibile salvare la "
                          "foto.\n\r\n\rAccertarsi di possedere i privilegi di scrittura nella cartella di "
                          "installazione del programma.");
}

// The "SCHEDA VEICOLO" banner over the vehicle fields.
QLabel *banner(QWidget *parent)
{
    auto *label = new QLabel(QStringLiteral("SCHEDA VEICOLO"), parent);
    label->setAlignment(Qt::AlignCenter);
    label->setFont(FormHelpers::font(QStringLiteral("Verdana"), 16, true));
    label->setStyleSheet(QStringLiteral("QLabel { color: white; border-radius: 6px; padding: 4px; background: "
                                        "qlineargradient(x1:0, y1:0, x2:1, y2:0, stop:0 #1F4E8C, stop:1 #6FA0D0); }"));
    return label;
}

QFrame *separator(QWidget *parent)
{
    auto *line = new QFrame(parent);
    line->setFrameShape(QFrame::HLine);
    line->setStyleSheet(QStringLiteral("QFrame { color: #C8D6E3; }"));
    return line;
}

}  // namespace

TfrmAutoparco::TfrmAutoparco(AppWindows &windows)
    : RecordWindow(windows, QStringLiteral(" Cablora - Parco Automezzi"), AutomezzoRecord::format())
{
    auto *content = new QWidget(this);
    content->setObjectName(QStringLiteral("vehicleContent"));
    content->setStyleSheet(QStringLiteral("#vehicleContent { background: qlineargradient(x1:0, y1:0, x2:0, y2:1, "
                                          "stop:0 #427AA8, stop:1 white); }"));

    auto command = [content](const char *name, const QString &icon, const QString &caption, const QString &hint) {
        return FormBuilder::command(content, icon, caption, hint, QString::fromLatin1(name));
    };
    cmdNuovo = command("cmdNuovo", QStringLiteral(":/icons/document-new.svg"), QStringLiteral("Nuovo"),
                       QStringLiteral("Prepara la schermata per l'inserimento di una nuova scheda."));
    cmdDuplica = command("cmdDuplica", QStringLiteral(":/icons/edit-copy.svg"), QStringLiteral("Duplica"),
                         QStringLiteral("Prepara la schermata per l'inserimento di una nuova scheda "
                                        "duplicando i dati correnti."));
    cmdSalva = command("cmdSalva", QStringLiteral(":/icons/document-save.svg"), QStringLiteral("Salva"),
                       QStringLiteral("Salva la scheda in archivio."));
    cmdTrova = command("cmdTrova", QStringLiteral(":/icons/system-search.svg"), QStringLiteral("Trova"),
                       QStringLiteral("Trova una scheda in archivio."));
    cmdFile = command("cmdFile", QStringLiteral(":/icons/mail-attachment.svg"), QStringLiteral("Allega file"),
                      QStringLiteral("Allega file alla scheda."));
    cmdAnteprima =
        command("cmdAnteprima", QStringLiteral(":/icons/document-print-preview.svg"), QStringLiteral("Anteprima"),
                QStringLiteral("Visualizza l'anteprima di stampa della scheda."));
    cmdStampa = command("cmdStampa", QStringLiteral(":/icons/document-print.svg"), QStringLiteral("Stampa"),
                        QStringLiteral("Stampa la scheda."));
    cmdEsporta = command("cmdEsporta", QStringLiteral(":/icons/x-office-spreadsheet.svg"), QStringLiteral("Esporta"),
                         QStringLiteral("Esporta l'archivio in Excel."));
    cmdSlideshow = command("cmdSlideshow", QStringLiteral(":/icons/image-x-generic.svg"), QStringLiteral("Slide show"),
                           QStringLiteral("Esegui lo slide show del parco automezzi."));
    cmdScadenze = command("cmdScadenze", QStringLiteral(":/icons/office-calendar.svg"), QStringLiteral("Scadenze"),
                          QStringLiteral("Elenca le revisioni, i tagliandi, le assicurazioni e i bolli scaduti o "
                                         "in scadenza."));
    cmdStorico = command("cmdStorico", QStringLiteral(":/icons/x-office-document.svg"), QStringLiteral("Storico"),
                         QStringLiteral("Elenca gli interventi eseguiti sul veicolo con questa targa."));
    cmdGuida = command("cmdGuida", QStringLiteral(":/icons/help-browser.svg"), QStringLiteral("Guida"),
                       QStringLiteral("Visualizza la guida in linea."));
    cmdEsci = command("cmdEsci", QStringLiteral(":/icons/system-log-out.svg"), QStringLiteral("Esci"),
                      QStringLiteral("Esci da questa schermata."));

    auto *bar = new QHBoxLayout;
    bar->setSpacing(8);
    bar->addWidget(FormBuilder::commandGroup(content, {cmdNuovo, cmdDuplica, cmdSalva, cmdTrova, cmdFile}));
    bar->addWidget(FormBuilder::commandGroup(content, {cmdAnteprima}));
    bar->addWidget(FormBuilder::commandGroup(content, {cmdStampa}));
    bar->addWidget(makeBrowseBar(content, 12, true));
    bar->addWidget(FormBuilder::commandGroup(content, {cmdEsporta, cmdSlideshow}));
    bar->addWidget(FormBuilder::commandGroup(content, {cmdScadenze, cmdStorico}));
    bar->addStretch(1);
    bar->addWidget(FormBuilder::commandGroup(content, {cmdGuida, cmdEsci}));

    // Photo with its buttons.
    imgBianco = Artwork::picture(QStringLiteral(":/art/auto.svg"), kPhotoSize).toImage();
    imgFoto = new PhotoArea(kPhotoSize, imgBianco, content);
    imgFoto->setObjectName(QStringLiteral("imgFoto"));
    auto photoButton = [content](const char *name, const QString &icon, const QString &hint,
                                 const QString &caption = QString()) {
        auto *button = new PictureButton(icon, kPhotoButtonIcon, hint, content, caption);
        button->setObjectName(QString::fromLatin1(name));
        if (!caption.isEmpty())
            button->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
        return button;
    };
    btnCaricaFoto = photoButton("btnCaricaFoto", QStringLiteral(":/icons/document-open.svg"),
                                QStringLiteral("Carica una foto."), QStringLiteral("Carica foto"));
    btnSalvaFoto = photoButton("btnSalvaFoto", QStringLiteral(":/icons/media-floppy.svg"),
                               QStringLiteral("Salva la foto su disco."));
    btnCancFoto =
        photoButton("btnCancFoto", QStringLiteral(":/icons/edit-clear.svg"), QStringLiteral("Cancella la foto."));
    btnZoomFoto = photoButton("btnZoomFoto", QStringLiteral(":/icons/view-fullscreen.svg"),
                              QStringLiteral("Visualizza la foto nelle sue dimensioni reali."));

    // Fields, created in the order of the Enter chain; the maximum lengths are the record's
    // capacities (the chassis keeps 10 characters, so no more can be typed).
    auto edit = [content](const char *name, int maxLength) {
        return FormBuilder::edit(content, maxLength, QString::fromLatin1(name));
    };
    txtTipo = edit("txtTipo", 50);
    txtDestinazione = edit("txtDestinazione", 50);
    txtMarca = edit("txtMarca", 50);
    txtModello = edit("txtModello", 50);
    txtTarga = edit("txtTarga", 12);
    txtAnno = edit("txtAnno", 20);
    txtColore = edit("txtColore", 50);
    txtTelaio = edit("txtTelaio", 10);
    txtPneumatici = edit("txtPneumatici", 120);
    txtStato = edit("txtStato", 50);
    txtChilometri = edit("txtChilometri", 50);
    txtLettura = edit("txtLettura", 10);
    txtAlimentazione = edit("txtAlimentazione", 50);
    txtCilindrata = edit("txtCilindrata", 50);
    txtKW = edit("txtKW", 50);
    txtAmbiente = edit("txtAmbiente", 50);
    txtPosti = edit("txtPosti", 50);
    txtPortata = edit("txtPortata", 50);
    txtCompagnia = edit("txtCompagnia", 120);
    txtTelAssicuratore = edit("txtTelAssicuratore", 50);
    txtPolizza = edit("txtPolizza", 50);
    txtIncidenti = edit("txtIncidenti", 250);
    txtProprietario = edit("txtProprietario", 50);
    txtAutista = edit("txtAutista", 50);
    txtTelAutista = edit("txtTelAutista", 50);
    txtMeccanico = edit("txtMeccanico", 50);
    txtTelMeccanico = edit("txtTelMeccanico", 50);
    txtScadRevisione = edit("txtScadRevisione", 10);
    txtScadTagliando = edit("txtScadTagliando", 10);
    txtScadAssicurazione = edit("txtScadAssicurazione", 10);
    txtScadBollo = edit("txtScadBollo", 10);
    txtNote = edit("txtNote", 250);
    for (QLineEdit *white : {txtAutista, txtTelAutista, txtMeccanico, txtTelMeccanico, txtScadRevisione,
                             txtScadTagliando, txtScadAssicurazione, txtScadBollo, txtNote})
        FormHelpers::applyWhiteFieldColours(white);
    for (QLineEdit *date : {txtLettura, txtScadRevisione, txtScadTagliando, txtScadAssicurazione, txtScadBollo}) {
        date->setReadOnly(true);
        date->setAlignment(Qt::AlignCenter);
    }

    // Left column: photo, its buttons, the details box.
    auto *photoButtons = new QHBoxLayout;
    photoButtons->setSpacing(4);
    for (QWidget *button : {btnCaricaFoto, btnSalvaFoto, btnCancFoto, btnZoomFoto})
        photoButtons->addWidget(button);
    photoButtons->addStretch(1);
    auto *detailsGrid = new QGridLayout;
    detailsGrid->setHorizontalSpacing(10);
    detailsGrid->setVerticalSpacing(0);
    FormBuilder::CaptionGrid details(content, detailsGrid);
    details.place(QStringLiteral("Proprietario:"), txtAutista, 0);
    details.place(QStringLiteral("Telefono:"), txtTelAutista, 1);
    details.nextRow();
    details.place(QStringLiteral("Meccanico:"), txtMeccanico, 0);
    details.place(QStringLiteral("Telefono:"), txtTelMeccanico, 1);
    details.nextRow();
    details.place(QStringLiteral("Scad. revisione:"), txtScadRevisione, 0);
    details.place(QStringLiteral("Scad. tagliando:"), txtScadTagliando, 1);
    details.nextRow();
    details.place(QStringLiteral("Scad. assicurazione:"), txtScadAssicurazione, 0);
    details.place(QStringLiteral("Scad. bollo:"), txtScadBollo, 1);
    auto *left = new QVBoxLayout;
    left->setSpacing(6);
    left->addWidget(imgFoto);
    left->addLayout(photoButtons);
    left->addWidget(separator(content));
    left->addLayout(detailsGrid);
    left->addStretch(1);

    // Right: banner and the vehicle fields in nine rows.
    auto *fieldsGrid = new QGridLayout;
    fieldsGrid->setHorizontalSpacing(10);
    fieldsGrid->setVerticalSpacing(0);
    FormBuilder::CaptionGrid fields(content, fieldsGrid);
    fields.place(QStringLiteral("Tipo veicolo:"), txtTipo, 0, 2);
    fields.place(QStringLiteral("Accessori:"), txtDestinazione, 2, 1);
    fields.nextRow();
    fields.place(QStringLiteral("Marca:"), txtMarca, 0, 2);
    fields.place(QStringLiteral("Modello:"), txtModello, 2);
    fields.nextRow();
    fields.place(QStringLiteral("Targa:"), txtTarga, 0);
    fields.place(QStringLiteral("Immatricolazione:"), txtAnno, 1);
    fields.place(QStringLiteral("Colore:"), txtColore, 2);
    fields.nextRow();
    fields.place(QStringLiteral("Telaio:"), txtTelaio, 0);
    fields.place(QStringLiteral("Pneumatici:"), txtPneumatici, 1, 2);
    fields.nextRow();
    fields.place(QStringLiteral("Stato veicolo:"), txtStato, 0);
    fields.place(QStringLiteral("Chilometri percorsi:"), txtChilometri, 1);
    fields.place(QStringLiteral("Data lettura:"), txtLettura, 2);
    fields.nextRow();
    fields.place(QStringLiteral("Alimentazione:"), txtAlimentazione, 0);
    fields.place(QStringLiteral("Cilindrata:"), txtCilindrata, 1);
    fields.place(QStringLiteral("kW:"), txtKW, 2);
    fields.nextRow();
    fields.place(QStringLiteral("Compatibilità ambientale:"), txtAmbiente, 0);
    fields.place(QStringLiteral("Numero posti:"), txtPosti, 1);
    fields.place(QStringLiteral("Portata massima:"), txtPortata, 2);
    fields.nextRow();
    fields.place(QStringLiteral("Compagnia assicurativa:"), txtCompagnia, 0);
    fields.place(QStringLiteral("Tel. assicuratore:"), txtTelAssicuratore, 1);
    fields.place(QStringLiteral("Numero polizza:"), txtPolizza, 2);
    fields.nextRow();
    fields.place(QStringLiteral("Incidenti subiti:"), txtIncidenti, 0, 2);
    fields.place(QStringLiteral("Centraline installate:"), txtProprietario, 2);
    for (int c = 0; c < 3; ++c)
        fieldsGrid->setColumnStretch(c, 1);
    auto *right = new QVBoxLayout;
    right->setSpacing(6);
    right->addWidget(banner(content));
    right->addWidget(separator(content));
    right->addLayout(fieldsGrid);
    right->addStretch(1);

    auto *notes = new QHBoxLayout;
    notes->addWidget(FormHelpers::caption(QStringLiteral("Note:"), content, 9, false));
    notes->addWidget(txtNote, 1);

    auto *sheet = new QWidget(content);
    sheet->setObjectName(QStringLiteral("vehicleSheet"));
    sheet->setStyleSheet(QStringLiteral("#vehicleSheet { background-color: white; border: 1px solid #C8D6E3; "
                                        "border-radius: 6px; }"));
    auto *sheetLayout = new QVBoxLayout(sheet);
    sheetLayout->setContentsMargins(10, 8, 10, 8);
    auto *columns = new QHBoxLayout;
    columns->setSpacing(16);
    columns->addLayout(left);
    columns->addLayout(right, 1);
    sheetLayout->addLayout(columns, 1);
    sheetLayout->addLayout(notes);
    // The widgets were made with content as parent; the sheet takes them over through its layout.

    auto *work = new QWidget(content);
    work->setObjectName(QStringLiteral("vehicleWork"));
    work->setStyleSheet(QStringLiteral("#vehicleWork { background-color: #C8D6E3; border-radius: 8px; }"));
    auto *workLayout = new QVBoxLayout(work);
    workLayout->setContentsMargins(8, 8, 8, 8);
    workLayout->addWidget(sheet);

    auto *layout = new QVBoxLayout(content);
    layout->setContentsMargins(10, 6, 10, 6);
    layout->setSpacing(8);
    layout->addLayout(bar);
    layout->addWidget(work, 1);

    // Hidden state.
    makeAttachmentHolders(content);
    btnFocus = new QPushButton(content);
    btnFocus->setObjectName(QStringLiteral("btnFocus"));
    btnFocus->setFixedSize(0, 0);
    btnFocus->setFocusPolicy(Qt::StrongFocus);

    // Every field of the record, its control and its object on the printed vehicle sheet.
    using R = AutomezzoRecord;
    m_binding.edit(R::fTipo, txtTipo, QStringLiteral("txtTipo"))
        .edit(R::fAccessori, txtDestinazione, QStringLiteral("txtDestinazione"))
        .edit(R::fMarca, txtMarca, QStringLiteral("txtMarca"))
        .edit(R::fModello, txtModello, QStringLiteral("txtModello"))
        .edit(R::fTarga, txtTarga, QStringLiteral("txtTarga"))
        .edit(R::fImmatricolazione, txtAnno, QStringLiteral("txtAnno"))
        .edit(R::fColore, txtColore, QStringLiteral("txtColore"))
        .edit(R::fTelaio, txtTelaio, QStringLiteral("txtTelaio"))
        .edit(R::fPneumatici, txtPneumatici, QStringLiteral("txtPneumatici"))
        .edit(R::fStatoVeicolo, txtStato, QStringLiteral("txtStato"))
        .edit(R::fChilometri, txtChilometri, QStringLiteral("txtChilometri"))
        .edit(R::fDataLettura, txtLettura, QStringLiteral("txtLettura"))
        .edit(R::fAlimentazione, txtAlimentazione, QStringLiteral("txtAlimentazione"))
        .edit(R::fCilindrata, txtCilindrata, QStringLiteral("txtCilindrata"))
        .edit(R::fKW, txtKW, QStringLiteral("txtKW"))
        .edit(R::fAmbiente, txtAmbiente, QStringLiteral("txtAmbiente"))
        .edit(R::fPosti, txtPosti, QStringLiteral("txtPosti"))
        .edit(R::fPortata, txtPortata, QStringLiteral("txtPortata"))
        .edit(R::fCompagnia, txtCompagnia, QStringLiteral("txtCompagnia"))
        .edit(R::fTelAssicuratore, txtTelAssicuratore, QStringLiteral("txtTelAssicuratore"))
        .edit(R::fPolizza, txtPolizza, QStringLiteral("txtPolizza"))
        .edit(R::fIncidenti, txtIncidenti, QStringLiteral("txtIncidenti"))
        .edit(R::fCentraline, txtProprietario, QStringLiteral("txtProprietario"))
        .edit(R::fProprietario, txtAutista, QStringLiteral("txtAutista"))
        .edit(R::fTelProprietario, txtTelAutista, QStringLiteral("txtTelAutista"))
        .edit(R::fMeccanico, txtMeccanico, QStringLiteral("txtMeccanico"))
        .edit(R::fTelMeccanico, txtTelMeccanico, QStringLiteral("txtTelMeccanico"))
        .edit(R::fScadRevisione, txtScadRevisione, QStringLiteral("txtScadRevisione"))
        .edit(R::fScadTagliando, txtScadTagliando, QStringLiteral("txtScadTagliando"))
        .edit(R::fScadAssicurazione, txtScadAssicurazione, QStringLiteral("txtScadAssicurazione"))
        .edit(R::fScadBollo, txtScadBollo, QStringLiteral("txtScadBollo"))
        .edit(R::fNote, txtNote, QStringLiteral("txtNote"));
    bindAttachmentHolders();
    m_binding.guardInput([this](const QString &why) { panInfo->setText(why); });
    m_unsaved.addPhoto(imgFoto);

    // Enter moves along the record order, the notes back to the type; the plate refuses the symbols
    // and accented letters and is kept trimmed and upper case.
    const QList<QLineEdit *> chain = {
        txtTipo,       txtDestinazione, txtMarca,         txtModello,       txtTarga,
        txtAnno,       txtColore,       txtTelaio,        txtPneumatici,    txtStato,
        txtChilometri, txtLettura,      txtAlimentazione, txtCilindrata,    txtKW,
        txtAmbiente,   txtPosti,        txtPortata,       txtCompagnia,     txtTelAssicuratore,
        txtPolizza,    txtIncidenti,    txtProprietario,  txtAutista,       txtTelAutista,
        txtMeccanico,  txtTelMeccanico, txtScadRevisione, txtScadTagliando, txtScadAssicurazione,
        txtScadBollo,  txtNote};
    QList<FieldRule> rules;
    for (int i = 0; i < chain.size(); ++i) {
        FieldRule rule{chain[i], chain[(i + 1) % chain.size()]};
        if (chain[i] == txtTarga) {
            rule.refuse = KeyFilters::Refuse::SetA;
            rule.afterChange = KeyFilters::Rewrite::TrimUpper;
        }
        rules.append(rule);
        if (i > 0)
            setTabOrder(chain[i - 1], chain[i]);
    }
    FieldInput::apply(rules);
    // The five dates are picked, never typed: a key or a click opens the date picker.
    DateEdits::attach(windows, this, txtLettura, QStringLiteral("autoparco_lettura"));
    DateEdits::attach(windows, this, txtScadRevisione, QStringLiteral("autoparco_scadrevisione"));
    DateEdits::attach(windows, this, txtScadTagliando, QStringLiteral("autoparco_scadtagliando"));
    DateEdits::attach(windows, this, txtScadAssicurazione, QStringLiteral("autoparco_scadassicurazione"));
    DateEdits::attach(windows, this, txtScadBollo, QStringLiteral("autoparco_scadbollo"));

    connect(cmdNuovo, &QToolButton::clicked, this, &TfrmAutoparco::cmdNuovoClick);
    connect(cmdDuplica, &QToolButton::clicked, this, &TfrmAutoparco::cmdDuplicaClick);
    connect(cmdSalva, &QToolButton::clicked, this, &TfrmAutoparco::cmdSalvaClick);
    connect(cmdEsci, &QToolButton::clicked, this, &TfrmAutoparco::cmdEsciClick);
    connect(btnCaricaFoto, &QToolButton::clicked, this, &TfrmAutoparco::btnCaricaFotoClick);
    connect(btnSalvaFoto, &QToolButton::clicked, this, &TfrmAutoparco::btnSalvaFotoClick);
    connect(btnCancFoto, &QToolButton::clicked, this, &TfrmAutoparco::btnCancFotoClick);
    connect(btnZoomFoto, &QToolButton::clicked, this, &TfrmAutoparco::btnZoomFotoClick);
    // The dialogs of these commands come with their own parts of the fleet.
    connect(cmdTrova, &QToolButton::clicked, this, &TfrmAutoparco::cmdTrovaClick);
    connect(cmdStampa, &QToolButton::clicked, this, &TfrmAutoparco::cmdStampaClick);
    connect(cmdAnteprima, &QToolButton::clicked, this, &TfrmAutoparco::cmdAnteprimaClick);
    connect(cmdEsporta, &QToolButton::clicked, this, &TfrmAutoparco::cmdEsportaClick);
    connect(cmdFile, &QToolButton::clicked, this, &TfrmAutoparco::cmdFileClick);
    connect(cmdSlideshow, &QToolButton::clicked, this, &TfrmAutoparco::cmdSlideshowClick);
    connect(cmdScadenze, &QToolButton::clicked, this, &TfrmAutoparco::cmdScadenzeClick);
    connect(cmdStorico, &QToolButton::clicked, this, &TfrmAutoparco::cmdStoricoClick);
    for (QLineEdit *date : {txtScadRevisione, txtScadTagliando, txtScadAssicurazione, txtScadBollo})
        connect(date, &QLineEdit::textChanged, this, &TfrmAutoparco::showDeadlines);
    warningDays = Scadenze::warningDays(windows.programFolder());
    connect(cmdGuida, &QToolButton::clicked, this, &TfrmAutoparco::cmdGuidaClick);

    setContent(content);
    // The empty screen the window is built with holds nothing to lose.
    m_unsaved.remember();
    panInfo->setText(QStringLiteral("Pronto per registrare una nuova scheda..."));
}

// ---- Vehicle sheet: print and preview ------------------------------------------------------------

std::optional<PreparedReport> TfrmAutoparco::prepareSheet(const QImage &photo) const
{
    Report report = AutomezzoReport::buildTemplate();
    if (!AutomezzoReport::fill(report, m_binding.printTexts(), photo))
        return std::nullopt;
    return report.prepare();
}

RecordPrintDialog::Setup TfrmAutoparco::printSetup(AppWindows &windows, RecordPrintDialog::Setup face)
{
    face.centreOver = windows.frmAutoparco();
    face.picture = [&windows] {
        const TfrmAutoparco *vehicles = windows.frmAutoparco();
        const QImage photo = vehicles ? vehicles->imgFoto->fullImage() : QImage();
        return photo.isNull() ? Logo::defaultLogo() : photo;
    };
    face.build = [&windows](const QImage &photo) -> std::optional<PreparedReport> {
        const TfrmAutoparco *vehicles = windows.frmAutoparco();
        if (!vehicles)
            return std::nullopt;
        return vehicles->prepareSheet(photo);
    };
    return face;
}

void TfrmAutoparco::cmdStampaClick()
{
    TfrmStampaAutomezzo print(windows(), this);
    print.exec();
}

void TfrmAutoparco::cmdAnteprimaClick()
{
    TfrmAnteprimaAutomezzo preview(windows(), this);
    preview.exec();
}

void TfrmAutoparco::cmdGuidaClick()
{
    TfrmGuida::showTopic(windows(), HelpTopics::vehicles(), this);
}

void TfrmAutoparco::cmdFileClick()
{
    TfrmAllegaCartella::editAttachments(windows(), *this, QStringLiteral("autoparco"));
}

void TfrmAutoparco::cmdSlideshowClick()
{
    TfrmSlideshow_Automezzi show(windows(), this);
    show.exec();
}

void TfrmAutoparco::cmdScadenzeClick()
{
    TfrmScadenze deadlines(windows(), this);
    deadlines.exec();
}

void TfrmAutoparco::cmdStoricoClick()
{
    TfrmStorico history(windows(), this);
    history.lblTarga->setText(TextRules::trim(txtTarga->text()));
    history.exec();
}

void TfrmAutoparco::showDeadlines()
{
    const QDate today = QDate::currentDate();
    for (QLineEdit *date : {txtScadRevisione, txtScadTagliando, txtScadAssicurazione, txtScadBollo}) {
        const Scadenze::Status status = Scadenze::evaluate(date->text(), today, warningDays);
        switch (status.state) {
        case Scadenze::State::Overdue:
            FormHelpers::applyStateColours(date, QStringLiteral("#FFD5D5"), QStringLiteral("#B00000"));
            break;
        case Scadenze::State::Due:
            FormHelpers::applyStateColours(date, QStringLiteral("#FFE7B3"), QStringLiteral("#8A5200"));
            break;
        default: FormHelpers::applyWhiteFieldColours(date); break;
        }
        FormHelpers::setHint(date, Scadenze::hint(status));
    }
}

void TfrmAutoparco::cmdEsportaClick()
{
    TfrmExpAutoparco exportDialog(windows(), this);
    exportDialog.exec();
}

QString TfrmAutoparco::photoFile(qint64 position)
{
    return QStringLiteral("Autoparco/Scheda_Veicolo_%1.jpg").arg(position);
}

// ---- Showing -------------------------------------------------------------------------------------

void TfrmAutoparco::FormShow()
{
    warningDays = Scadenze::warningDays(windows().programFolder());
    clearScreen();
}

void TfrmAutoparco::showStored(const QByteArray &record, qint64 position)
{
    ShowRecord(AutomezzoRecord::fromBytes(record), position);
}

void TfrmAutoparco::ShowRecord(const AutomezzoRecord &record, qint64 position)
{
    m_binding.showRecord(record);
    lblPosizione->setText(QString::number(position));
    loadPhoto(position);
    m_unsaved.remember();
}

AutomezzoRecord TfrmAutoparco::RecordFromScreen() const
{
    return m_binding.collectRecord<AutomezzoRecord>();
}

void TfrmAutoparco::loadPhoto(qint64 position)
{
    // The photo's folder is made when missing; a photo that cannot be read shows the placeholder.
    QDir().mkpath(windows().filePath(QStringLiteral("Autoparco")));
    imgFoto->showStored(PhotoArea::decodeFile(windows().filePath(photoFile(position)), imgFoto->areaSize()));
}

// ---- Browsing ------------------------------------------------------------------------------------

// ---- New, duplicate, save ------------------------------------------------------------------------

void TfrmAutoparco::cmdNuovoClick()
{
    if (mayReplaceRecord())
        clearScreen();
}

void TfrmAutoparco::clearScreen()
{
    m_binding.clear();
    imgFoto->clear();
    lblPosizione->clear();
    m_unsaved.remember();
    txtTipo->setFocus(Qt::OtherFocusReason);
}

void TfrmAutoparco::cmdDuplicaClick()
{
    if (!mayDuplicate())
        return;
    clearAttachmentHolders();
    lblPosizione->clear();
    imgFoto->clear();
    txtTipo->setFocus(Qt::OtherFocusReason);
    MessageBoxes::information(this, duplicatedMessage());
}

void TfrmAutoparco::cmdSalvaClick()
{
    saveRecord();
}

QString TfrmAutoparco::changedElsewhereSentence() const
{
    return QStringLiteral("La scheda del veicolo è stata modificata da un'altra postazione dopo che è stata aperta.");
}

bool TfrmAutoparco::saveRecord()
{
    // Leaving the field being edited first, so that everything it does on leaving is done.
    btnFocus->setFocus(Qt::OtherFocusReason);
    if (!mandatoryFilled({
            {txtTipo, "Attenzione: per salvare la scheda è necessario indicare il tipo di veicolo."},
            {txtMarca, "Attenzione: per salvare la scheda è necessario indicare la marca del veicolo."},
            {txtModello, "Attenzione: per salvare la scheda è necessario indicare il modello del veicolo."},
            {txtTarga, "Attenzione: per salvare la scheda è necessario indicare la targa del veicolo."},
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

    // The photo is written when the user changed it or its file is missing (a new vehicle gets the
    // placeholder); a photo that could not be read is never overwritten. A failure keeps the
    // picture on screen and is told; the record itself is stored.
    if (!imgFoto->saveIfChanged(windows().filePath(photoFile(position)))) {
        // The photo on screen is stored nowhere: Save has not stored everything, so leaving the
        // sheet must still ask to save it, and a close that asked for Save must not go on.
        MessageBoxes::warning(this, photoFailedMessage());
        return false;
    }
    m_unsaved.remember();
    MessageBoxes::information(this, confirmation);
    return true;
}

// ---- Photo ---------------------------------------------------------------------------------------

void TfrmAutoparco::btnCaricaFotoClick()
{
    PhotoCommands::load(this, imgFoto);
}

void TfrmAutoparco::btnSalvaFotoClick()
{
    PhotoCommands::exportToFile(this, imgFoto);
}

void TfrmAutoparco::btnCancFotoClick()
{
    imgFoto->clear();
}

void TfrmAutoparco::btnZoomFotoClick()
{
    PhotoCommands::zoom(this, imgFoto);
}

void TfrmAutoparco::cmdTrovaClick()
{
    TfrmTrovaAutomezzi search(windows(), this);
    search.lblMemory->setText(QStringLiteral("autoparco"));
    search.exec();
}

void TfrmAutoparco::cmdEsciClick()
{
    close();
}
