#include "sheets/TfrmInterventi.h"

#include "archive/ClienteRecord.h"
#include "archive/RecordArchive.h"
#include "common/Formats.h"
#include "common/TextRules.h"
#include "customers/TfrmTrovaClienti.h"
#include "invoicing/TfrmFattura.h"
#include "media/PhotoCommands.h"
#include "media/TfrmAllegaCartella.h"
#include "media/TfrmLogo.h"
#include "media/TfrmWebCam.h"
#include "sheets/SchedaRules.h"
#include "sheets/TfrmAnteprimaScheda.h"
#include "sheets/TfrmDaSaldare.h"
#include "sheets/TfrmNumerazione.h"
#include "sheets/TfrmStampaScheda.h"
#include "sheets/TfrmStorico.h"
#include "sheets/TfrmTrovaInterventi.h"
#include "shell/AppWindows.h"
#include "shell/ContextWords.h"
#include "shell/TfrmGuida.h"
#include "widgets/Artwork.h"
#include "widgets/EventHooks.h"
#include "widgets/FieldInput.h"
#include "widgets/FormBuilder.h"
#include "widgets/FormHelpers.h"
#include "widgets/MessageBoxes.h"
#include "widgets/PhotoArea.h"

#include <QCheckBox>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QVBoxLayout>

#include <future>

namespace {

const QSize kPhotoSize(370, 260);
const QSize kPhotoButtonIcon(26, 26);

QString photoFailedMessage()
{
    return QStringLiteral("Attenzione: la scheda è stata salvata, ma non è stato possibile salvare le "
                          "foto.\n\r\n\rAccertarsi di possedere i privilegi di scrittura nella "
                          "cartella di installazione del programma.");
}

// The round badge "1" or "2" beside a photo area.
QLabel *badge(const QString &text, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    label->setFixedSize(28, 28);
    label->setAlignment(Qt::AlignCenter);
    label->setFont(FormHelpers::font(QStringLiteral("Verdana"), 12, true));
    label->setObjectName(QStringLiteral("photoBadge"));
    return label;
}

}  // namespace

TfrmInterventi::TfrmInterventi(AppWindows &windows)
    : RecordWindowOf(windows, QStringLiteral(" Cablora - Schede Interventi"), SchedaRecord::format())
{
    auto *content = new QWidget(this);
    content->setObjectName(QStringLiteral("sheetContent"));

    // Command bar.
    makeCommands(content, QStringLiteral("l'emissione di una nuova scheda"));
    cmdFattura = addCommand("cmdFattura", QStringLiteral(":/icons/x-office-spreadsheet.svg"), QStringLiteral("Fattura"),
                            QStringLiteral("Emette la fattura elettronica della scheda salvata."));
    cmdNonPagati =
        addCommand("cmdNonPagati", QStringLiteral(":/icons/accessories-calculator.svg"), QStringLiteral("Da saldare"),
                   QStringLiteral("Visualizza il riepilogo dei conti non ancora saldati."));
    cmdNumerazione =
        addCommand("cmdNumerazione", QStringLiteral(":/icons/numbering.svg"), QStringLiteral("Numerazione"),
                   QStringLiteral("Imposta il numero iniziale per la numerazione delle schede "
                                  "interventi."));

    auto *bar = new QHBoxLayout;
    bar->setSpacing(8);
    bar->addWidget(FormBuilder::commandGroup(content, {cmdNuovo, cmdDuplica, cmdSalva}));
    bar->addWidget(FormBuilder::commandGroup(content, {cmdTrova, cmdFile, cmdAnteprima, cmdStampa, cmdFattura}));
    bar->addWidget(makeBrowseBar(content, 14, true));
    bar->addWidget(FormBuilder::commandGroup(content, {cmdNonPagati, cmdNumerazione, cmdGuida}));
    bar->addStretch(1);
    bar->addWidget(FormBuilder::commandGroup(content, {cmdEsci}));

    // Photo areas with their buttons.
    imgBianco = Artwork::picture(QStringLiteral(":/art/auto.svg"), kPhotoSize).toImage();
    imgBianco02 = imgBianco;
    imgFoto = new PhotoArea(kPhotoSize, imgBianco, content);
    imgFoto02 = new PhotoArea(kPhotoSize, imgBianco02, content);
    auto photoButtons = [content](PictureButton *&carica, PictureButton *&acquisisci, PictureButton *&salva,
                                  PictureButton *&canc, PictureButton *&zoom) {
        carica = new PictureButton(QStringLiteral(":/icons/document-open.svg"), kPhotoButtonIcon,
                                   QStringLiteral("Carica una foto esistente."), content);
        acquisisci = new PictureButton(QStringLiteral(":/icons/camera-video.svg"), kPhotoButtonIcon,
                                       QStringLiteral("Acquisisci la foto da webcam."), content);
        salva = new PictureButton(QStringLiteral(":/icons/media-floppy.svg"), kPhotoButtonIcon,
                                  QStringLiteral("Salva la foto su disco."), content);
        canc = new PictureButton(QStringLiteral(":/icons/edit-clear.svg"), kPhotoButtonIcon,
                                 QStringLiteral("Cancella la foto."), content);
        zoom = new PictureButton(QStringLiteral(":/icons/view-fullscreen.svg"), kPhotoButtonIcon,
                                 QStringLiteral("Visualizza la foto nelle sue dimensioni reali."), content);
    };
    photoButtons(btnCaricaFoto, btnAcquisisciFoto, btnSalvaFoto, btnCancFoto, btnZoomFoto);
    photoButtons(btnCaricaFoto02, btnAcquisisciFoto02, btnSalvaFoto02, btnCancFoto02, btnZoomFoto02);
    auto photoRow = [content](const QString &number, PhotoArea *area, std::initializer_list<QWidget *> buttons) {
        auto *row = new QHBoxLayout;
        row->setSpacing(4);
        auto *side = new QVBoxLayout;
        side->setSpacing(2);
        side->addWidget(badge(number, content), 0, Qt::AlignHCenter);
        for (QWidget *button : buttons)
            side->addWidget(button);
        side->addStretch(1);
        row->addWidget(area);
        row->addLayout(side);
        return row;
    };
    auto *photos = new QVBoxLayout;
    photos->setSpacing(10);
    photos->addLayout(photoRow(QStringLiteral("1"), imgFoto,
                               {btnCaricaFoto, btnAcquisisciFoto, btnSalvaFoto, btnCancFoto, btnZoomFoto}));
    photos->addLayout(photoRow(QStringLiteral("2"), imgFoto02,
                               {btnCaricaFoto02, btnAcquisisciFoto02, btnSalvaFoto02, btnCancFoto02, btnZoomFoto02}));
    photos->addStretch(1);

    // The controls of the table that are not plain edits, and the small buttons beside the fields.
    txtInterventi = new QPlainTextEdit(content);
    txtInterventi->setObjectName(QStringLiteral("txtInterventi"));
    txtInterventi->setFont(FormHelpers::font(QStringLiteral("Verdana"), 12, true));
    txtInterventi->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    txtInterventi->setTabChangesFocus(true);
    effInterventi = new FocusFrame(txtInterventi, content, 3);
    effInterventi->setObjectName(QStringLiteral("effInterventi"));
    chkPagato = new QCheckBox(QStringLiteral(" Pagato"), content);
    chkPagato->setObjectName(QStringLiteral("chkPagato"));
    chkPagato->setFont(FormHelpers::font(QStringLiteral("Verdana"), 12, true));
    FormHelpers::setHint(chkPagato, QStringLiteral("Spunta questa casella per annotare che il conto è stato "
                                                   "saldato."));
    btnLogo = new PictureButton(QStringLiteral(":/icons/image-x-generic.svg"), QSize(28, 28),
                                QStringLiteral("Imposta il logo dell'azienda."), content);
    btnLogo->setObjectName(QStringLiteral("btnLogo"));
    impCliente = new PictureButton(QStringLiteral(":/icons/x-office-address-book.svg"), QSize(28, 28),
                                   QStringLiteral("Importa i dati dall'archivio anagrafico dei clienti."), content);
    impCliente->setObjectName(QStringLiteral("impCliente"));
    btnStorico =
        new PictureButton(QStringLiteral(":/icons/x-office-document.svg"), QSize(28, 28),
                          QStringLiteral("Elenca gli interventi eseguiti sul veicolo con questa targa."), content);
    btnStorico->setObjectName(QStringLiteral("btnStorico"));

    auto *fields = new QGridLayout;
    fields->setHorizontalSpacing(12);
    fields->setVerticalSpacing(1);

    // Every field of the record in Tab order: its control, caption, place (row, column, span of the
    // one grid) and input rules; the printed sheet names its objects after the controls. Enter moves
    // along the fields as Tab does; the multi-line text keeps Enter for its line breaks and the
    // total handles its own keys (below). The plate is kept trimmed and upper case; the dates are
    // picked, never typed. Labour takes 50 characters (a longer stored labour text is still shown
    // and kept whole).
    using R = SchedaRecord;
    using KeyFilters::Rewrite;
    // The rows stay packed, one field to a row.
    // clang-format off
    buildFields(
        content,
        {
            {.name = "txtNumScheda", .control = &txtNumScheda, .field = R::fNumScheda, .caption = "Scheda n.",
             .place = {0, 0, 0}, .button = "btnLogo",
             .mandatory = "Attenzione: per salvare la scheda è necessario assegnarle un numero."},
            {.name = "txtData", .control = &txtData, .field = R::fData, .caption = "Data emissione:",
             .place = {0, 0, 1}, .datePicker = "interventi_data",
             .mandatory = "Attenzione: per salvare la scheda è necessario indicare la data di emissione."},
            {.name = "txtTecnico", .control = &txtTecnico, .field = R::fTecnico, .caption = "Tecnico assegnato:",
             .place = {0, 0, 2, 2}},
            {.name = "txtAzienda", .control = &txtAzienda, .field = R::fAzienda,
             .caption = "Intestazione azienda elettrauto:", .place = {0, 1, 0, 2},
             .mandatory = "Attenzione: per salvare la scheda è necessario indicare l'intestazione dell'azienda di "
                          "elettrauto."},
            {.name = "txtPratica", .control = &txtPratica, .field = R::fPratica,
             .caption = "Estremi pratica assicurativa:", .place = {0, 1, 2, 2}},
            {.name = "txtCliente", .control = &txtCliente, .field = R::fCliente, .caption = "Cliente:",
             .place = {0, 2, 0, 2}, .button = "impCliente",
             .mandatory = "Attenzione: per salvare la scheda è necessario indicare il nome del cliente."},
            {.name = "txtRecapito", .control = &txtRecapito, .field = R::fRecapito, .caption = "Recapito telefonico:",
             .place = {0, 2, 2},
             .mandatory = "Attenzione: per salvare la scheda è necessario indicare il recapito telefonico del "
                          "cliente."},
            {.name = "txtVeicolo", .control = &txtVeicolo, .field = R::fVeicolo, .caption = "Tipo veicolo:",
             .place = {0, 2, 3}},
            {.name = "txtTarga", .control = &txtTarga, .field = R::fTarga, .caption = "Targa:", .place = {0, 3, 0},
             .afterChange = Rewrite::TrimUpper, .button = "btnStorico",
             .mandatory = "Attenzione: per salvare la scheda è necessario indicare il numero di targa del veicolo."},
            {.name = "txtMarca", .control = &txtMarca, .field = R::fMarca, .caption = "Marca e modello:",
             .place = {0, 3, 1, 2},
             .mandatory = "Attenzione: per salvare la scheda è necessario indicare marca e modello del veicolo."},
            {.name = "txtChilometraggio", .control = &txtChilometraggio, .field = R::fChilometraggio,
             .caption = "Chilometraggio:", .place = {0, 3, 3}},
            {.name = "txtDanni", .control = &txtDanni, .field = R::fDanni, .caption = "Problema segnalato dal cliente:",
             .place = {0, 4, 0, 4}},
            {.name = "txtDataInizio", .control = &txtDataInizio, .field = R::fDataInizio,
             .caption = "Data inizio lavori:", .place = {0, 5, 0}, .datePicker = "interventi_datainizio"},
            {.name = "txtStato", .control = &txtStato, .field = R::fStato, .caption = "Stato avanzamento lavori:",
             .place = {0, 5, 1, 2}},
            {.name = "txtDataFine", .control = &txtDataFine, .field = R::fDataFine, .caption = "Data fine lavori:",
             .place = {0, 5, 3}, .datePicker = "interventi_datafine"},
            {.name = "txtVernice", .control = &txtVernice, .field = R::fVernice, .caption = "Spie accese:",
             .place = {0, 6, 0, 4}},
            {.name = "txtRicambi", .control = &txtRicambi, .field = R::fRicambi,
             .caption = "Ricambi e materiali utilizzati:", .place = {0, 7, 0, 4}},
            {.name = "txtInterventi", .control = &txtInterventi, .field = R::fInterventi,
             .caption = "Test e interventi eseguiti:", .place = {0, 8, 0, 4}},
            {.name = "txtManodopera", .control = &txtManodopera, .field = R::fManodopera, .caption = "Manodopera:",
             .place = {0, 9, 0}, .maxLength = 50},
            {.name = "chkPagato", .control = &chkPagato, .field = R::fPagato, .printed = false},
            {.name = "txtNote", .control = &txtNote, .field = R::fNote, .caption = "Note:", .place = {0, 9, 2}},
            {.name = "txtTotale", .control = &txtTotale, .field = R::fTotale, .caption = "Totale: \u20AC",
             .place = {0, 9, 3}, .enterMovesOn = false},
        },
        {fields}, FieldTable::EnterMoves::AsTab);
    // clang-format on
    txtNumScheda->setAlignment(Qt::AlignCenter);
    txtTotale->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    txtTotale->setText(QStringLiteral("0,00"));
    FormBuilder::selectAllOnFocus(txtTotale);
    m_unsaved.addPhoto(imgFoto);
    m_unsaved.addPhoto(imgFoto02);

    // The multi-line text's row takes the height left; the paid box lies beside labour.
    fields->setRowStretch(2 * 8 + 1, 1);
    auto *paid = new QWidget(content);
    auto *paidLayout = new QHBoxLayout(paid);
    paidLayout->setContentsMargins(0, 0, 0, 0);
    paidLayout->addWidget(chkPagato);
    auto *banknotes = new QLabel(paid);
    banknotes->setPixmap(Artwork::picture(QStringLiteral(":/art/banconote.svg"), QSize(48, 28)));
    paidLayout->addWidget(banknotes);
    paidLayout->addStretch(1);
    fields->addWidget(paid, 2 * 9 + 1, 1);
    for (int c = 0; c < 4; ++c)
        fields->setColumnStretch(c, 1);

    auto *body = new QHBoxLayout;
    body->setSpacing(16);
    body->addLayout(photos);
    body->addLayout(fields, 1);

    auto *layout = new QVBoxLayout(content);
    layout->setContentsMargins(10, 6, 10, 6);
    layout->setSpacing(8);
    layout->addLayout(bar);
    layout->addLayout(body, 1);

    // Hidden state.
    auto hidden = [content](const char *name) {
        auto *holder = new QLabel(content);
        holder->setObjectName(QString::fromLatin1(name));
        holder->hide();
        return holder;
    };
    lblInizio = hidden("lblInizio");
    lblInizio->setText(QStringLiteral("1"));

    EventHooks::onKeyDown(txtTotale, [this](QKeyEvent *e) { return txtTotaleKeyDown(e); });
    EventHooks::onExit(txtTotale, [this] { txtTotaleExit(); });
    connect(txtNumScheda, &QLineEdit::textEdited, this, [this] { m_proposal.edited = true; });

    connect(cmdFattura, &QToolButton::clicked, this, &TfrmInterventi::cmdFatturaClick);
    connect(cmdNonPagati, &QToolButton::clicked, this, &TfrmInterventi::cmdNonPagatiClick);
    connect(cmdNumerazione, &QToolButton::clicked, this, &TfrmInterventi::cmdNumerazioneClick);
    connect(btnLogo, &QToolButton::clicked, this, &TfrmInterventi::btnLogoClick);
    connect(impCliente, &QToolButton::clicked, this, &TfrmInterventi::impClienteClick);
    connect(btnStorico, &QToolButton::clicked, this, &TfrmInterventi::btnStoricoClick);
    auto photoCommands = [this](PhotoArea *area, PictureButton *carica, PictureButton *acquisisci, PictureButton *salva,
                                PictureButton *canc, PictureButton *zoom) {
        connect(carica, &QToolButton::clicked, this, [this, area] { btnCaricaFotoClick(area); });
        connect(acquisisci, &QToolButton::clicked, this, [this, area] { btnAcquisisciFotoClick(area); });
        connect(salva, &QToolButton::clicked, this, [this, area] { btnSalvaFotoClick(area); });
        connect(canc, &QToolButton::clicked, this, [this, area] { btnCancFotoClick(area); });
        connect(zoom, &QToolButton::clicked, this, [this, area] { btnZoomFotoClick(area); });
    };
    photoCommands(imgFoto, btnCaricaFoto, btnAcquisisciFoto, btnSalvaFoto, btnCancFoto, btnZoomFoto);
    photoCommands(imgFoto02, btnCaricaFoto02, btnAcquisisciFoto02, btnSalvaFoto02, btnCancFoto02, btnZoomFoto02);

    setContent(content);
    // The empty screen the window is built with holds nothing to lose.
    m_unsaved.remember();
}

QString TfrmInterventi::photoFileA(qint64 position)
{
    return QStringLiteral("Foto_A_%1.jpg").arg(position);
}

QString TfrmInterventi::photoFileB(qint64 position)
{
    return QStringLiteral("Foto_B_%1.jpg").arg(position);
}

// ---- Showing -------------------------------------------------------------------------------------

void TfrmInterventi::clearScreen()
{
    // The workshop heading stays: it is the same on every sheet.
    const QString heading = txtAzienda->text();
    m_binding.clear();
    FormBinding::setEditText(txtAzienda, heading);
    txtTotale->setText(QStringLiteral("0,00"));
    lblPosizione->clear();
    imgFoto->clear();
    imgFoto02->clear();
}

void TfrmInterventi::FormShow()
{
    txtAzienda->setText(SchedaRules::readHeading(windows().programFolder()));
    clearScreen();
    m_unsaved.remember();
    panInfo->setText(QStringLiteral("Pronto per archiviare una nuova scheda..."));
    txtNumScheda->setFocus(Qt::OtherFocusReason);
}

void TfrmInterventi::FormClose()
{
    // The heading shown when the window closes is the one the next sheet starts with.
    if (!SchedaRules::writeHeading(windows().programFolder(), txtAzienda->text()))
        MessageBoxes::warning(this, QStringLiteral("Attenzione: non è stato possibile memorizzare "
                                                   "l'intestazione dell'azienda.\n\r\n\rAccertarsi di "
                                                   "possedere i privilegi di scrittura nella cartella di "
                                                   "installazione del programma."));
}

void TfrmInterventi::shownAt(qint64 position)
{
    // The two files are decoded at the same time, the first on another thread. Each area shows its
    // own file, or its placeholder when that file cannot be read.
    auto decodedA = std::async(std::launch::async, &PhotoArea::decodeFile, windows().filePath(photoFileA(position)),
                               imgFoto->areaSize());
    const PhotoArea::Decoded decodedB =
        PhotoArea::decodeFile(windows().filePath(photoFileB(position)), imgFoto02->areaSize());
    imgFoto->showStored(decodedA.get());
    imgFoto02->showStored(decodedB);
}

// ---- Browsing ------------------------------------------------------------------------------------

// ---- New, duplicate, save ------------------------------------------------------------------------

void TfrmInterventi::cmdNuovoClick()
{
    // Asked first: a sheet saved now counts in the number that New proposes.
    if (!mayReplaceRecord())
        return;
    const QString stored = SchedaRules::readNumberingStart(windows().programFolder());
    lblInizio->setText(TextRules::trim(stored).isEmpty() ? QStringLiteral("1") : stored);

    // Counting needs no write access: a read-only folder still proposes the next number.
    RecordArchive archive;
    qint64 count = -1;
    if (archive.OpenForReading(archivePath(), SchedaRecord::kSize))
        count = archive.Count();
    archive.Close();
    if (count < 0) {
        MessageBoxes::error(this, archiveAccessMessage());
        return;
    }

    clearScreen();
    bool ok = false;
    const qint64 start = SchedaRules::numberingStartValue(lblInizio->text(), &ok);
    const qint64 proposed = ok ? SchedaRules::proposedNumber(start, count, &ok) : 0;
    if (!ok) {
        // The archive was read: what fails is the numbering's start.
        MessageBoxes::error(this, SchedaRules::numberingStartMessage(lblInizio->text()));
        return;
    }
    txtNumScheda->setText(QString::number(proposed));
    m_proposal = {true, proposed, start, count, false};
    txtData->setText(Formats::todayText());
    m_unsaved.remember();
    txtTecnico->setFocus(Qt::OtherFocusReason);
}

bool TfrmInterventi::prepareDuplicate()
{
    txtNumScheda->clear();
    txtData->setText(Formats::todayText());
    imgFoto->clear();
    imgFoto02->clear();
    return true;
}

QString TfrmInterventi::changedElsewhereSentence() const
{
    return QStringLiteral("La scheda è stata modificata da un'altra postazione dopo che è stata aperta.");
}

void TfrmInterventi::beforeSave()
{
    // The total is normalised when the focus leaves it; Save must store the normalised text.
    if (txtTotale->hasFocus())
        txtTotaleExit();
}

qint64 TfrmInterventi::storeScreen(QString *confirmation)
{
    QString renumbered;
    const bool numberProposed = TextRules::trim(lblPosizione->text()).isEmpty() && m_proposal.active
                                && !m_proposal.edited && txtNumScheda->text() == QString::number(m_proposal.number);
    const qint64 position = numberProposed ? appendProposedSheet(confirmation, &renumbered)
                                           : storeRecord(RecordFromScreen().toBytes(), confirmation);
    if (position >= 1) {
        m_proposal = {};
        if (!renumbered.isEmpty())
            MessageBoxes::information(this, renumbered);
    }
    return position;
}

void TfrmInterventi::tellArchiveFailure()
{
    MessageBoxes::plain(this, archiveAccessMessage());
}

bool TfrmInterventi::storedAt(qint64 position)
{
    // Both photo files exist for every saved sheet (a cleared area writes its placeholder). An area is
    // written only when the user changed it or its file is missing, so a photo that could not be
    // read when the sheet was shown is never overwritten by the placeholder. A photo that cannot be
    // written does not undo the saved record, and the user is told.
    const bool savedA = imgFoto->saveIfChanged(windows().filePath(photoFileA(position)));
    const bool savedB = imgFoto02->saveIfChanged(windows().filePath(photoFileB(position)));
    if (!savedA || !savedB) {
        // A photo on screen is stored nowhere: Save has not stored everything, so leaving the sheet
        // must still ask to save it, and a close that asked for Save must not go on.
        MessageBoxes::warning(this, photoFailedMessage());
        return false;
    }
    return true;
}

// A new sheet whose number New proposed: another workstation may have stored a sheet with the same
// number since. The sheets stored meanwhile are read under the write lock that the append holds, so
// no third one can slip in between; when one of them took the number, the sheet takes the next free
// one and renumbered tells the user. A number the user typed never comes here.
qint64 TfrmInterventi::appendProposedSheet(QString *confirmation, QString *renumbered)
{
    const Proposal proposal = m_proposal;
    qint64 number = proposal.number;
    bool ok = true;
    SchedaRecord record = RecordFromScreen();
    const qint64 position = appendRecord(
        [&](RecordArchive &archive, qint64 count) -> QByteArray {
            if (count > proposal.count) {
                QStringList storedSince;
                QByteArray bytes;
                for (qint64 p = proposal.count + 1; p <= count; ++p) {
                    // An unreadable sheet counts as having taken the number.
                    storedSince << (archive.ReadAt(p, bytes) ? SchedaRecord::fromBytes(bytes).NumScheda
                                                             : QString::number(proposal.number));
                }
                number = SchedaRules::numberAtSave(proposal.number, proposal.start, count, storedSince, &ok);
            }
            if (!ok)
                return {};  // not stored: the record size check refuses it
            record.NumScheda = QString::number(number);
            return record.toBytes();
        },
        confirmation);
    if (position >= 1 && number != proposal.number) {
        txtNumScheda->setText(QString::number(number));
        *renumbered = QStringLiteral("Il numero %1 è stato appena usato da un'altra postazione: la scheda prende "
                                     "il numero %2.")
                          .arg(proposal.number)
                          .arg(number);
    }
    return position;
}

// ---- Field behaviour -----------------------------------------------------------------------------

bool TfrmInterventi::txtTotaleKeyDown(QKeyEvent *event)
{
    const int key = event->key();
    if (EventHooks::isEnter(event)) {
        txtNumScheda->setFocus(Qt::OtherFocusReason);
        return true;
    }
    // Moving, selecting, deleting and copying pass; typing is limited to digits and the comma.
    switch (key) {
    case Qt::Key_Backspace:
    case Qt::Key_Delete:
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Home:
    case Qt::Key_End:
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
    case Qt::Key_Shift:
    case Qt::Key_Control:
    case Qt::Key_Alt:
    case Qt::Key_Meta: return false;
    default: break;
    }
    if (event->matches(QKeySequence::SelectAll) || event->matches(QKeySequence::Copy)
        || event->matches(QKeySequence::Cut) || event->matches(QKeySequence::Undo)
        || event->matches(QKeySequence::Redo))
        return false;
    const QString text = event->text();
    if (text.size() == 1 && SchedaRules::isTotaleCharacter(text.at(0))
        && !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier)))
        return false;
    // A character refused is told, with what the total takes.
    if (!text.isEmpty() && text.front().isPrint() && !(event->modifiers() & Qt::ControlModifier))
        FieldInput::tell(txtTotale, totaleRefusedMessage(text));
    return true;
}

QString TfrmInterventi::totaleRefusedMessage(const QString &typed)
{
    return QStringLiteral("Nel totale si scrivono soltanto cifre e la virgola dei decimali: «%1» non è ammesso")
        .arg(typed);
}

void TfrmInterventi::txtTotaleExit()
{
    const QString normalised = SchedaRules::normaliseTotale(txtTotale->text());
    if (normalised != txtTotale->text())
        txtTotale->setText(normalised);
}

// ---- Photos --------------------------------------------------------------------------------------

void TfrmInterventi::btnCaricaFotoClick(PhotoArea *area)
{
    PhotoCommands::load(this, area);
}

void TfrmInterventi::btnAcquisisciFotoClick(PhotoArea *area)
{
    TfrmWebCam webcam(windows(), this);
    webcam.lblMemory->setText(
        ContextWords::word(area == imgFoto02 ? ContextWords::Target::Foto02 : ContextWords::Target::Foto01));
    webcam.exec();
}

void TfrmInterventi::btnSalvaFotoClick(PhotoArea *area)
{
    PhotoCommands::exportToFile(this, area);
}

void TfrmInterventi::btnCancFotoClick(PhotoArea *area)
{
    area->clear();
}

void TfrmInterventi::btnZoomFotoClick(PhotoArea *area)
{
    PhotoCommands::zoom(this, area);
}

// ---- Dialogs -------------------------------------------------------------------------------------

void TfrmInterventi::cmdNumerazioneClick()
{
    TfrmNumerazione numbering(windows(), this);
    numbering.lblMemory->setText(ContextWords::word(ContextWords::Target::Contratti));
    numbering.exec();
}

void TfrmInterventi::cmdTrovaClick()
{
    TfrmTrovaInterventi search(windows(), this);
    search.lblMemory->setText(ContextWords::word(ContextWords::Target::Interventi));
    search.exec();
}

void TfrmInterventi::cmdFileClick()
{
    TfrmAllegaCartella::editAttachments(windows(), *this, ContextWords::word(ContextWords::Target::Interventi));
}

void TfrmInterventi::cmdAnteprimaClick()
{
    TfrmAnteprimaScheda preview(windows(), this);
    preview.exec();
}

void TfrmInterventi::cmdStampaClick()
{
    TfrmStampaScheda print(windows(), this);
    print.exec();
}

void TfrmInterventi::cmdFatturaClick()
{
    // Only a stored sheet is invoiced, as it is stored: changes on screen are saved first.
    if (TextRules::trim(lblPosizione->text()).isEmpty()) {
        MessageBoxes::warning(this, QStringLiteral("Attenzione: per emettere la fattura è necessario salvare prima la "
                                                   "scheda."));
        return;
    }
    if (!mayReplaceRecord())
        return;
    QByteArray stored;
    if (!RecordArchive::readRecordAt(archivePath(), SchedaRecord::kSize, lblPosizione->text().toLongLong(), stored)) {
        MessageBoxes::error(this, archiveAccessMessage());
        return;
    }
    TfrmFattura invoice(windows(), SchedaRecord::fromBytes(stored), this);
    invoice.exec();
}

void TfrmInterventi::cmdNonPagatiClick()
{
    TfrmDaSaldare unpaid(windows(), this);
    unpaid.exec();
}

void TfrmInterventi::cmdGuidaClick()
{
    TfrmGuida::showTopic(windows(), HelpTopics::sheets(), this);
}

void TfrmInterventi::btnStoricoClick()
{
    TfrmStorico history(windows(), this);
    history.lblTarga->setText(TextRules::trim(txtTarga->text()));
    history.exec();
}

void TfrmInterventi::btnLogoClick()
{
    TfrmLogo logo(windows(), this);
    logo.exec();
}

void TfrmInterventi::impClienteClick()
{
    TfrmTrovaClienti search(windows(), this);
    search.lblMemory->setText(ContextWords::word(ContextWords::Target::Interventi));
    search.exec();
}

void TfrmInterventi::importCustomer(const ClienteRecord &customer)
{
    using R = SchedaRecord;
    setFieldText(R::fCliente, customer.Cognome + QLatin1Char(' ') + customer.Nome);
    setFieldText(R::fRecapito, customer.Recapito);
    setFieldText(R::fVeicolo, customer.Veicolo);
    setFieldText(R::fMarca, customer.Marca);
    setFieldText(R::fTarga, customer.Targa);
}

void TfrmInterventi::setPhoto(int slot, const QImage &photo)
{
    PhotoArea *const areas[] = {imgFoto, imgFoto02};
    if (slot >= 0 && slot < 2)
        areas[slot]->setImage(photo);
}
