#include "vehicles/TfrmAutoparco.h"

#include "archive/RecordArchive.h"
#include "common/TextRules.h"
#include "media/Logo.h"
#include "media/PhotoCommands.h"
#include "media/TfrmAllegaCartella.h"
#include "reports/AutomezzoReport.h"
#include "sheets/TfrmStorico.h"
#include "shell/AppWindows.h"
#include "shell/ContextWords.h"
#include "shell/TfrmGuida.h"
#include "vehicles/Scadenze.h"
#include "vehicles/TfrmAnteprimaAutomezzo.h"
#include "vehicles/TfrmExpAutoparco.h"
#include "vehicles/TfrmScadenze.h"
#include "vehicles/TfrmSlideshow_Automezzi.h"
#include "vehicles/TfrmStampaAutomezzo.h"
#include "vehicles/TfrmTrovaAutomezzi.h"
#include "widgets/Artwork.h"
#include "widgets/FormBuilder.h"
#include "widgets/FormHelpers.h"
#include "widgets/MessageBoxes.h"
#include "widgets/Palette.h"
#include "widgets/PhotoArea.h"

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
    label->setObjectName(QStringLiteral("vehicleBanner"));
    return label;
}

QFrame *separator(QWidget *parent)
{
    auto *line = new QFrame(parent);
    line->setFrameShape(QFrame::HLine);
    line->setObjectName(QStringLiteral("vehicleSeparator"));
    return line;
}

}  // namespace

TfrmAutoparco::TfrmAutoparco(AppWindows &windows)
    : RecordWindowOf(windows, QStringLiteral(" Cablora - Parco Automezzi"), AutomezzoRecord::format())
{
    auto *content = new QWidget(this);
    content->setObjectName(QStringLiteral("vehicleContent"));

    makeCommands(content, QStringLiteral("l'inserimento di una nuova scheda"));
    cmdEsporta = addCommand("cmdEsporta", QStringLiteral(":/icons/x-office-spreadsheet.svg"), QStringLiteral("Esporta"),
                            QStringLiteral("Esporta l'archivio in Excel."));
    cmdSlideshow =
        addCommand("cmdSlideshow", QStringLiteral(":/icons/image-x-generic.svg"), QStringLiteral("Slide show"),
                   QStringLiteral("Esegui lo slide show del parco automezzi."));
    cmdScadenze = addCommand("cmdScadenze", QStringLiteral(":/icons/office-calendar.svg"), QStringLiteral("Scadenze"),
                             QStringLiteral("Elenca le revisioni, i tagliandi, le assicurazioni e i bolli scaduti o "
                                            "in scadenza."));
    cmdStorico = addCommand("cmdStorico", QStringLiteral(":/icons/x-office-document.svg"), QStringLiteral("Storico"),
                            QStringLiteral("Elenca gli interventi eseguiti sul veicolo con questa targa."));

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

    // The two grids of fields: the details box under the photo, the vehicle fields at the right.
    auto *detailsGrid = new QGridLayout;
    detailsGrid->setHorizontalSpacing(10);
    detailsGrid->setVerticalSpacing(0);
    auto *fieldsGrid = new QGridLayout;
    fieldsGrid->setHorizontalSpacing(10);
    fieldsGrid->setVerticalSpacing(0);
    for (int c = 0; c < 3; ++c)
        fieldsGrid->setColumnStretch(c, 1);

    // Every field of the record in Tab order (the record's order): its control, caption, place
    // (section 0 the details, 1 the vehicle fields; row, column, span) and input rules; the printed
    // vehicle sheet names its objects after the controls. Enter moves along the same order, the
    // notes back to the type; the plate refuses the symbols and accented letters and is kept trimmed
    // and upper case. The five dates are picked, never typed.
    using R = AutomezzoRecord;
    using KeyFilters::Refuse;
    using KeyFilters::Rewrite;
    // The rows stay packed, one field to a row.
    // clang-format off
    buildFields(
        content,
        {
            {.name = "txtTipo", .control = &txtTipo, .field = R::fTipo, .caption = "Tipo veicolo:",
             .place = {1, 0, 0, 2},
             .mandatory = "Attenzione: per salvare la scheda è necessario indicare il tipo di veicolo."},
            {.name = "txtDestinazione", .control = &txtDestinazione, .field = R::fAccessori, .caption = "Accessori:",
             .place = {1, 0, 2}},
            {.name = "txtMarca", .control = &txtMarca, .field = R::fMarca, .caption = "Marca:", .place = {1, 1, 0, 2},
             .mandatory = "Attenzione: per salvare la scheda è necessario indicare la marca del veicolo."},
            {.name = "txtModello", .control = &txtModello, .field = R::fModello, .caption = "Modello:",
             .place = {1, 1, 2},
             .mandatory = "Attenzione: per salvare la scheda è necessario indicare il modello del veicolo."},
            {.name = "txtTarga", .control = &txtTarga, .field = R::fTarga, .caption = "Targa:", .place = {1, 2, 0},
             .refuse = Refuse::SetA, .afterChange = Rewrite::TrimUpper,
             .mandatory = "Attenzione: per salvare la scheda è necessario indicare la targa del veicolo."},
            {.name = "txtAnno", .control = &txtAnno, .field = R::fImmatricolazione, .caption = "Immatricolazione:",
             .place = {1, 2, 1}},
            {.name = "txtColore", .control = &txtColore, .field = R::fColore, .caption = "Colore:", .place = {1, 2, 2}},
            {.name = "txtTelaio", .control = &txtTelaio, .field = R::fTelaio, .caption = "Telaio:", .place = {1, 3, 0}},
            {.name = "txtPneumatici", .control = &txtPneumatici, .field = R::fPneumatici, .caption = "Pneumatici:",
             .place = {1, 3, 1, 2}},
            {.name = "txtStato", .control = &txtStato, .field = R::fStatoVeicolo, .caption = "Stato veicolo:",
             .place = {1, 4, 0}},
            {.name = "txtChilometri", .control = &txtChilometri, .field = R::fChilometri,
             .caption = "Chilometri percorsi:", .place = {1, 4, 1}},
            {.name = "txtLettura", .control = &txtLettura, .field = R::fDataLettura, .caption = "Data lettura:",
             .place = {1, 4, 2}, .datePicker = "autoparco_lettura"},
            {.name = "txtAlimentazione", .control = &txtAlimentazione, .field = R::fAlimentazione,
             .caption = "Alimentazione:", .place = {1, 5, 0}},
            {.name = "txtCilindrata", .control = &txtCilindrata, .field = R::fCilindrata, .caption = "Cilindrata:",
             .place = {1, 5, 1}},
            {.name = "txtKW", .control = &txtKW, .field = R::fKW, .caption = "kW:", .place = {1, 5, 2}},
            {.name = "txtAmbiente", .control = &txtAmbiente, .field = R::fAmbiente,
             .caption = "Compatibilità ambientale:", .place = {1, 6, 0}},
            {.name = "txtPosti", .control = &txtPosti, .field = R::fPosti, .caption = "Numero posti:",
             .place = {1, 6, 1}},
            {.name = "txtPortata", .control = &txtPortata, .field = R::fPortata, .caption = "Portata massima:",
             .place = {1, 6, 2}},
            {.name = "txtCompagnia", .control = &txtCompagnia, .field = R::fCompagnia,
             .caption = "Compagnia assicurativa:", .place = {1, 7, 0}},
            {.name = "txtTelAssicuratore", .control = &txtTelAssicuratore, .field = R::fTelAssicuratore,
             .caption = "Tel. assicuratore:", .place = {1, 7, 1}},
            {.name = "txtPolizza", .control = &txtPolizza, .field = R::fPolizza, .caption = "Numero polizza:",
             .place = {1, 7, 2}},
            {.name = "txtIncidenti", .control = &txtIncidenti, .field = R::fIncidenti, .caption = "Incidenti subiti:",
             .place = {1, 8, 0, 2}},
            {.name = "txtProprietario", .control = &txtProprietario, .field = R::fCentraline,
             .caption = "Centraline installate:", .place = {1, 8, 2}},
            {.name = "txtAutista", .control = &txtAutista, .field = R::fProprietario, .caption = "Proprietario:",
             .place = {0, 0, 0}},
            {.name = "txtTelAutista", .control = &txtTelAutista, .field = R::fTelProprietario, .caption = "Telefono:",
             .place = {0, 0, 1}},
            {.name = "txtMeccanico", .control = &txtMeccanico, .field = R::fMeccanico, .caption = "Meccanico:",
             .place = {0, 1, 0}},
            {.name = "txtTelMeccanico", .control = &txtTelMeccanico, .field = R::fTelMeccanico, .caption = "Telefono:",
             .place = {0, 1, 1}},
            {.name = "txtScadRevisione", .control = &txtScadRevisione, .field = R::fScadRevisione,
             .caption = "Scad. revisione:", .place = {0, 2, 0}, .datePicker = "autoparco_scadrevisione"},
            {.name = "txtScadTagliando", .control = &txtScadTagliando, .field = R::fScadTagliando,
             .caption = "Scad. tagliando:", .place = {0, 2, 1}, .datePicker = "autoparco_scadtagliando"},
            {.name = "txtScadAssicurazione", .control = &txtScadAssicurazione, .field = R::fScadAssicurazione,
             .caption = "Scad. assicurazione:", .place = {0, 3, 0}, .datePicker = "autoparco_scadassicurazione"},
            {.name = "txtScadBollo", .control = &txtScadBollo, .field = R::fScadBollo, .caption = "Scad. bollo:",
             .place = {0, 3, 1}, .datePicker = "autoparco_scadbollo"},
            {.name = "txtNote", .control = &txtNote, .field = R::fNote},
        },
        {detailsGrid, fieldsGrid});
    // clang-format on
    for (QLineEdit *white : {txtAutista, txtTelAutista, txtMeccanico, txtTelMeccanico, txtScadRevisione,
                             txtScadTagliando, txtScadAssicurazione, txtScadBollo, txtNote})
        FormHelpers::applyWhiteFieldColours(white);
    m_unsaved.addPhoto(imgFoto);

    // Left column: photo, its buttons, the details box.
    auto *photoButtons = new QHBoxLayout;
    photoButtons->setSpacing(4);
    for (QWidget *button : {btnCaricaFoto, btnSalvaFoto, btnCancFoto, btnZoomFoto})
        photoButtons->addWidget(button);
    photoButtons->addStretch(1);
    auto *left = new QVBoxLayout;
    left->setSpacing(6);
    left->addWidget(imgFoto);
    left->addLayout(photoButtons);
    left->addWidget(separator(content));
    left->addLayout(detailsGrid);
    left->addStretch(1);

    // Right: banner and the vehicle fields in nine rows.
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
    auto *workLayout = new QVBoxLayout(work);
    workLayout->setContentsMargins(8, 8, 8, 8);
    workLayout->addWidget(sheet);

    auto *layout = new QVBoxLayout(content);
    layout->setContentsMargins(10, 6, 10, 6);
    layout->setSpacing(8);
    layout->addLayout(bar);
    layout->addWidget(work, 1);

    // Hidden state.
    btnFocus = new QPushButton(content);
    btnFocus->setObjectName(QStringLiteral("btnFocus"));
    btnFocus->setFixedSize(0, 0);
    btnFocus->setFocusPolicy(Qt::StrongFocus);

    connect(btnCaricaFoto, &QToolButton::clicked, this, &TfrmAutoparco::btnCaricaFotoClick);
    connect(btnSalvaFoto, &QToolButton::clicked, this, &TfrmAutoparco::btnSalvaFotoClick);
    connect(btnCancFoto, &QToolButton::clicked, this, &TfrmAutoparco::btnCancFotoClick);
    connect(btnZoomFoto, &QToolButton::clicked, this, &TfrmAutoparco::btnZoomFotoClick);
    connect(cmdEsporta, &QToolButton::clicked, this, &TfrmAutoparco::cmdEsportaClick);
    connect(cmdSlideshow, &QToolButton::clicked, this, &TfrmAutoparco::cmdSlideshowClick);
    connect(cmdScadenze, &QToolButton::clicked, this, &TfrmAutoparco::cmdScadenzeClick);
    connect(cmdStorico, &QToolButton::clicked, this, &TfrmAutoparco::cmdStoricoClick);
    for (QLineEdit *date : {txtScadRevisione, txtScadTagliando, txtScadAssicurazione, txtScadBollo})
        connect(date, &QLineEdit::textChanged, this, &TfrmAutoparco::showDeadlines);
    warningDays = Scadenze::warningDays(windows.programFolder());

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
    TfrmAllegaCartella::editAttachments(windows(), *this, ContextWords::word(ContextWords::Target::Autoparco));
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
            FormHelpers::applyStateColours(date, Palette::kDeadlinePastBackground.name().toUpper(),
                                           Palette::kDeadlinePastText.name().toUpper());
            break;
        case Scadenze::State::Due:
            FormHelpers::applyStateColours(date, Palette::kDeadlineNearBackground.name().toUpper(),
                                           Palette::kDeadlineNearText.name().toUpper());
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

void TfrmAutoparco::shownAt(qint64 position)
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

bool TfrmAutoparco::prepareDuplicate()
{
    imgFoto->clear();
    return true;
}

QString TfrmAutoparco::changedElsewhereSentence() const
{
    return QStringLiteral("La scheda del veicolo è stata modificata da un'altra postazione dopo che è stata aperta.");
}

void TfrmAutoparco::beforeSave()
{
    // Leaving the field being edited first, so that everything it does on leaving is done.
    btnFocus->setFocus(Qt::OtherFocusReason);
}

bool TfrmAutoparco::storedAt(qint64 position)
{
    // The photo is written when the user changed it or its file is missing (a new vehicle gets the
    // placeholder); a photo that could not be read is never overwritten. A failure keeps the
    // picture on screen and is told; the record itself is stored.
    if (!imgFoto->saveIfChanged(windows().filePath(photoFile(position)))) {
        // The photo on screen is stored nowhere: Save has not stored everything, so leaving the
        // sheet must still ask to save it, and a close that asked for Save must not go on.
        MessageBoxes::warning(this, photoFailedMessage());
        return false;
    }
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
    search.lblMemory->setText(ContextWords::word(ContextWords::Target::Autoparco));
    search.exec();
}
