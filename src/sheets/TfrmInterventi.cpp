#include "sheets/TfrmInterventi.h"

#include "archive/RecordArchive.h"
#include "common/Formats.h"
#include "common/TextRules.h"
#include "customers/TfrmTrovaClienti.h"
#include "invoicing/TfrmFattura.h"
#include "media/PhotoArea.h"
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
#include "shell/TfrmGuida.h"
#include "widgets/Artwork.h"
#include "widgets/DateEdits.h"
#include "widgets/EventHooks.h"
#include "widgets/FieldInput.h"
#include "widgets/FormBuilder.h"
#include "widgets/FormHelpers.h"
#include "widgets/MessageBoxes.h"
#include "widgets/PhotoCommands.h"

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
    label->setStyleSheet(QStringLiteral("QLabel { background-color: #C62828; color: white; border-radius: 14px; }"));
    return label;
}

}  // namespace

TfrmInterventi::TfrmInterventi(AppWindows &windows)
    : RecordWindow(windows, QStringLiteral(" Cablora - Schede Interventi"), SchedaRecord::format())
{
    auto *content = new QWidget(this);
    content->setObjectName(QStringLiteral("sheetContent"));
    content->setStyleSheet(QStringLiteral("#sheetContent { background-color: #E6EDF5; }"));

    // Command bar.
    auto command = [content](const char *name, const QString &icon, const QString &text, const QString &hint) {
        return FormBuilder::command(content, icon, text, hint, QString::fromLatin1(name));
    };
    cmdNuovo = command("cmdNuovo", QStringLiteral(":/icons/document-new.svg"), QStringLiteral("Nuovo"),
                       QStringLiteral("Prepara la schermata per l'emissione di una nuova scheda."));
    cmdDuplica = command("cmdDuplica", QStringLiteral(":/icons/edit-copy.svg"), QStringLiteral("Duplica"),
                         QStringLiteral("Prepara la schermata per l'emissione di una nuova scheda "
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
    cmdFattura = command("cmdFattura", QStringLiteral(":/icons/x-office-spreadsheet.svg"), QStringLiteral("Fattura"),
                         QStringLiteral("Emette la fattura elettronica della scheda salvata."));
    cmdNonPagati =
        command("cmdNonPagati", QStringLiteral(":/icons/accessories-calculator.svg"), QStringLiteral("Da saldare"),
                QStringLiteral("Visualizza il riepilogo dei conti non ancora saldati."));
    cmdNumerazione = command("cmdNumerazione", QStringLiteral(":/icons/numbering.svg"), QStringLiteral("Numerazione"),
                             QStringLiteral("Imposta il numero iniziale per la numerazione delle schede "
                                            "interventi."));
    cmdGuida = command("cmdGuida", QStringLiteral(":/icons/help-browser.svg"), QStringLiteral("Guida"),
                       QStringLiteral("Visualizza la guida in linea."));
    cmdEsci = command("cmdEsci", QStringLiteral(":/icons/system-log-out.svg"), QStringLiteral("Esci"),
                      QStringLiteral("Esci da questa schermata."));

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

    // Fields, created in tab order. The maximum lengths of the screen are the field capacities, but
    // labour takes 50 characters (a longer stored labour text is still shown and kept whole).
    auto edit = [content](const char *name, int maxLength) {
        return FormBuilder::edit(content, maxLength, QString::fromLatin1(name));
    };
    txtNumScheda = edit("txtNumScheda", 50);
    txtNumScheda->setAlignment(Qt::AlignCenter);
    txtData = edit("txtData", 10);
    txtTecnico = edit("txtTecnico", 120);
    txtAzienda = edit("txtAzienda", 500);
    txtPratica = edit("txtPratica", 250);
    txtCliente = edit("txtCliente", 500);
    txtRecapito = edit("txtRecapito", 50);
    txtVeicolo = edit("txtVeicolo", 50);
    txtTarga = edit("txtTarga", 30);
    txtMarca = edit("txtMarca", 50);
    txtChilometraggio = edit("txtChilometraggio", 50);
    txtDanni = edit("txtDanni", 1000);
    txtDataInizio = edit("txtDataInizio", 10);
    txtStato = edit("txtStato", 50);
    txtDataFine = edit("txtDataFine", 10);
    txtVernice = edit("txtVernice", 500);
    txtRicambi = edit("txtRicambi", 1000);
    txtInterventi = new QPlainTextEdit(content);
    txtInterventi->setObjectName(QStringLiteral("txtInterventi"));
    txtInterventi->setFont(FormHelpers::font(QStringLiteral("Verdana"), 12, true));
    txtInterventi->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    txtInterventi->setTabChangesFocus(true);
    txtInterventi->setStyleSheet(QStringLiteral("QPlainTextEdit { background-color: #F0F8FF; "
                                                "border: 1px solid #87CEEB; color: black; }"));
    effInterventi = new FocusFrame(txtInterventi, content, 3);
    effInterventi->setObjectName(QStringLiteral("effInterventi"));
    txtManodopera = edit("txtManodopera", 50);
    chkPagato = new QCheckBox(QStringLiteral(" Pagato"), content);
    chkPagato->setObjectName(QStringLiteral("chkPagato"));
    chkPagato->setFont(FormHelpers::font(QStringLiteral("Verdana"), 12, true));
    FormHelpers::setHint(chkPagato, QStringLiteral("Spunta questa casella per annotare che il conto è stato "
                                                   "saldato."));
    txtNote = edit("txtNote", 1000);
    txtTotale = edit("txtTotale", 15);
    txtTotale->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    txtTotale->setText(QStringLiteral("0,00"));
    FormBuilder::selectAllOnFocus(txtTotale);
    for (QLineEdit *date : {txtData, txtDataInizio, txtDataFine}) {
        date->setReadOnly(true);
        date->setAlignment(Qt::AlignCenter);
    }

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
    FormBuilder::CaptionGrid grid(content, fields);
    grid.place(QStringLiteral("Scheda n."), FormBuilder::withButton(content, txtNumScheda, btnLogo), 0);
    grid.place(QStringLiteral("Data emissione:"), txtData, 1);
    grid.place(QStringLiteral("Tecnico assegnato:"), txtTecnico, 2, 2);
    grid.nextRow();
    grid.place(QStringLiteral("Intestazione azienda elettrauto:"), txtAzienda, 0, 2);
    grid.place(QStringLiteral("Estremi pratica assicurativa:"), txtPratica, 2, 2);
    grid.nextRow();
    grid.place(QStringLiteral("Cliente:"), FormBuilder::withButton(content, txtCliente, impCliente), 0, 2);
    grid.place(QStringLiteral("Recapito telefonico:"), txtRecapito, 2);
    grid.place(QStringLiteral("Tipo veicolo:"), txtVeicolo, 3);
    grid.nextRow();
    grid.place(QStringLiteral("Targa:"), FormBuilder::withButton(content, txtTarga, btnStorico), 0);
    grid.place(QStringLiteral("Marca e modello:"), txtMarca, 1, 2);
    grid.place(QStringLiteral("Chilometraggio:"), txtChilometraggio, 3);
    grid.nextRow();
    grid.place(QStringLiteral("Problema segnalato dal cliente:"), txtDanni, 0, 4);
    grid.nextRow();
    grid.place(QStringLiteral("Data inizio lavori:"), txtDataInizio, 0);
    grid.place(QStringLiteral("Stato avanzamento lavori:"), txtStato, 1, 2);
    grid.place(QStringLiteral("Data fine lavori:"), txtDataFine, 3);
    grid.nextRow();
    grid.place(QStringLiteral("Spie accese:"), txtVernice, 0, 4);
    grid.nextRow();
    grid.place(QStringLiteral("Ricambi e materiali utilizzati:"), txtRicambi, 0, 4);
    grid.nextRow();
    grid.place(QStringLiteral("Test e interventi eseguiti:"), effInterventi, 0, 4);
    fields->setRowStretch(grid.row() + 1, 1);
    grid.nextRow();
    auto *paid = new QWidget(content);
    auto *paidLayout = new QHBoxLayout(paid);
    paidLayout->setContentsMargins(0, 0, 0, 0);
    paidLayout->addWidget(chkPagato);
    auto *banknotes = new QLabel(paid);
    banknotes->setPixmap(Artwork::picture(QStringLiteral(":/art/banconote.svg"), QSize(48, 28)));
    paidLayout->addWidget(banknotes);
    paidLayout->addStretch(1);
    grid.place(QStringLiteral("Manodopera:"), txtManodopera, 0);
    fields->addWidget(paid, grid.row() + 1, 1);
    grid.place(QStringLiteral("Note:"), txtNote, 2);
    grid.place(QStringLiteral("Totale: \u20AC"), txtTotale, 3);
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
    makeAttachmentHolders(content);
    auto hidden = [content](const char *name) {
        auto *holder = new QLabel(content);
        holder->setObjectName(QString::fromLatin1(name));
        holder->hide();
        return holder;
    };
    lblInizio = hidden("lblInizio");
    lblInizio->setText(QStringLiteral("1"));

    // Every field of the record, its control and its object on the printed sheet.
    using R = SchedaRecord;
    m_binding.edit(R::fNumScheda, txtNumScheda, QStringLiteral("txtNumScheda"))
        .edit(R::fData, txtData, QStringLiteral("txtData"))
        .edit(R::fTecnico, txtTecnico, QStringLiteral("txtTecnico"))
        .edit(R::fAzienda, txtAzienda, QStringLiteral("txtAzienda"))
        .edit(R::fPratica, txtPratica, QStringLiteral("txtPratica"))
        .edit(R::fCliente, txtCliente, QStringLiteral("txtCliente"))
        .edit(R::fRecapito, txtRecapito, QStringLiteral("txtRecapito"))
        .edit(R::fVeicolo, txtVeicolo, QStringLiteral("txtVeicolo"))
        .edit(R::fTarga, txtTarga, QStringLiteral("txtTarga"))
        .edit(R::fMarca, txtMarca, QStringLiteral("txtMarca"))
        .edit(R::fChilometraggio, txtChilometraggio, QStringLiteral("txtChilometraggio"))
        .edit(R::fDanni, txtDanni, QStringLiteral("txtDanni"))
        .edit(R::fDataInizio, txtDataInizio, QStringLiteral("txtDataInizio"))
        .edit(R::fStato, txtStato, QStringLiteral("txtStato"))
        .edit(R::fDataFine, txtDataFine, QStringLiteral("txtDataFine"))
        .edit(R::fVernice, txtVernice, QStringLiteral("txtVernice"))
        .edit(R::fRicambi, txtRicambi, QStringLiteral("txtRicambi"))
        .memo(R::fInterventi, txtInterventi, QStringLiteral("txtInterventi"))
        .edit(R::fManodopera, txtManodopera, QStringLiteral("txtManodopera"))
        .edit(R::fNote, txtNote, QStringLiteral("txtNote"))
        .edit(R::fTotale, txtTotale, QStringLiteral("txtTotale"))
        .flag(R::fPagato, chkPagato);
    bindAttachmentHolders();
    m_binding.guardInput([this](const QString &why) { panInfo->setText(why); });
    m_unsaved.addPhoto(imgFoto);
    m_unsaved.addPhoto(imgFoto02);

    setTabOrder(txtNumScheda, txtData);
    QWidget *previous = txtData;
    for (QWidget *next : std::initializer_list<QWidget *>{
             txtTecnico, txtAzienda,        txtPratica,    txtCliente,    txtRecapito, txtVeicolo,  txtTarga,
             txtMarca,   txtChilometraggio, txtDanni,      txtDataInizio, txtStato,    txtDataFine, txtVernice,
             txtRicambi, txtInterventi,     txtManodopera, chkPagato,     txtNote,     txtTotale}) {
        setTabOrder(previous, next);
        previous = next;
    }

    // Enter moves along the fields; the memo keeps Enter for its line breaks, the date edits and
    // the total add their own key handling below.
    EventHooks::enterChain({txtNumScheda, txtData, txtTecnico, txtAzienda, txtPratica, txtCliente, txtRecapito,
                            txtVeicolo, txtTarga, txtMarca, txtChilometraggio, txtDanni, txtDataInizio, txtStato,
                            txtDataFine, txtVernice, txtRicambi},
                           txtInterventi);
    EventHooks::enterChain({txtManodopera, txtNote, txtTotale});
    // The dates are picked, never typed: a key or a click opens the date picker.
    DateEdits::attach(windows, this, txtData, QStringLiteral("interventi_data"));
    DateEdits::attach(windows, this, txtDataInizio, QStringLiteral("interventi_datainizio"));
    DateEdits::attach(windows, this, txtDataFine, QStringLiteral("interventi_datafine"));
    EventHooks::onKeyDown(txtTotale, [this](QKeyEvent *e) { return txtTotaleKeyDown(e); });
    EventHooks::onExit(txtTotale, [this] { txtTotaleExit(); });
    connect(txtTarga, &QLineEdit::textEdited, this, &TfrmInterventi::txtTargaChange);
    connect(txtNumScheda, &QLineEdit::textEdited, this, [this] { m_proposal.edited = true; });

    connect(cmdNuovo, &QToolButton::clicked, this, &TfrmInterventi::cmdNuovoClick);
    connect(cmdDuplica, &QToolButton::clicked, this, &TfrmInterventi::cmdDuplicaClick);
    connect(cmdSalva, &QToolButton::clicked, this, &TfrmInterventi::cmdSalvaClick);
    connect(cmdTrova, &QToolButton::clicked, this, &TfrmInterventi::cmdTrovaClick);
    connect(cmdFile, &QToolButton::clicked, this, &TfrmInterventi::cmdFileClick);
    connect(cmdAnteprima, &QToolButton::clicked, this, &TfrmInterventi::cmdAnteprimaClick);
    connect(cmdStampa, &QToolButton::clicked, this, &TfrmInterventi::cmdStampaClick);
    connect(cmdFattura, &QToolButton::clicked, this, &TfrmInterventi::cmdFatturaClick);
    connect(cmdNonPagati, &QToolButton::clicked, this, &TfrmInterventi::cmdNonPagatiClick);
    connect(cmdNumerazione, &QToolButton::clicked, this, &TfrmInterventi::cmdNumerazioneClick);
    connect(cmdGuida, &QToolButton::clicked, this, &TfrmInterventi::cmdGuidaClick);
    connect(cmdEsci, &QToolButton::clicked, this, &TfrmInterventi::cmdEsciClick);
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

void TfrmInterventi::showStored(const QByteArray &record, qint64 position)
{
    ShowRecord(SchedaRecord::fromBytes(record), position);
}

void TfrmInterventi::ShowRecord(const SchedaRecord &record, qint64 position)
{
    m_binding.showRecord(record);
    lblPosizione->setText(QString::number(position));
    loadPhotos(position);
    m_unsaved.remember();
}

void TfrmInterventi::loadPhotos(qint64 position)
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

SchedaRecord TfrmInterventi::RecordFromScreen() const
{
    return m_binding.collectRecord<SchedaRecord>();
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

void TfrmInterventi::cmdDuplicaClick()
{
    if (!mayDuplicate())
        return;
    txtNumScheda->clear();
    txtData->setText(Formats::todayText());
    clearAttachmentHolders();
    lblPosizione->clear();
    imgFoto->clear();
    imgFoto02->clear();
    txtNumScheda->setFocus(Qt::OtherFocusReason);
    MessageBoxes::information(this, duplicatedMessage());
}

void TfrmInterventi::cmdSalvaClick()
{
    saveRecord();
}

QString TfrmInterventi::changedElsewhereSentence() const
{
    return QStringLiteral("La scheda è stata modificata da un'altra postazione dopo che è stata aperta.");
}

bool TfrmInterventi::saveRecord()
{
    // The total is normalised when the focus leaves it; Save must store the normalised text.
    if (txtTotale->hasFocus())
        txtTotaleExit();

    if (!mandatoryFilled({
            {txtNumScheda, "Attenzione: per salvare la scheda è necessario assegnarle un numero."},
            {txtData, "Attenzione: per salvare la scheda è necessario indicare la data di emissione."},
            {txtAzienda, "Attenzione: per salvare la scheda è necessario indicare l'intestazione dell'azienda "
                         "di elettrauto."},
            {txtCliente, "Attenzione: per salvare la scheda è necessario indicare il nome del cliente."},
            {txtRecapito, "Attenzione: per salvare la scheda è necessario indicare il recapito telefonico del "
                          "cliente."},
            {txtTarga, "Attenzione: per salvare la scheda è necessario indicare il numero di targa del "
                       "veicolo."},
            {txtMarca, "Attenzione: per salvare la scheda è necessario indicare marca e modello del veicolo."},
        }))
        return false;

    QString confirmation;
    QString renumbered;
    const bool numberProposed = TextRules::trim(lblPosizione->text()).isEmpty() && m_proposal.active
                                && !m_proposal.edited && txtNumScheda->text() == QString::number(m_proposal.number);
    const qint64 position = numberProposed ? appendProposedSheet(&confirmation, &renumbered)
                                           : storeRecord(RecordFromScreen().toBytes(), &confirmation);
    if (position == 0)
        return false;  // another workstation's sheet kept, as the user chose
    if (position < 0) {
        MessageBoxes::plain(this, archiveAccessMessage());
        return false;
    }
    m_proposal = {};
    if (!renumbered.isEmpty())
        MessageBoxes::information(this, renumbered);

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
    m_unsaved.remember();
    MessageBoxes::information(this, confirmation);
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

void TfrmInterventi::txtTargaChange()
{
    const QString plate = TextRules::trim(TextRules::upperAZ(txtTarga->text()));
    if (plate == txtTarga->text())
        return;
    const int cursor = txtTarga->cursorPosition();
    txtTarga->setText(plate);
    txtTarga->setCursorPosition(qMin(cursor, int(plate.size())));
}

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
    webcam.lblMemory->setText(area == imgFoto02 ? QStringLiteral("foto02") : QStringLiteral("foto01"));
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
    numbering.lblMemory->setText(QStringLiteral("contratti"));
    numbering.exec();
}

void TfrmInterventi::cmdTrovaClick()
{
    TfrmTrovaInterventi search(windows(), this);
    search.lblMemory->setText(QStringLiteral("interventi"));
    search.exec();
}

void TfrmInterventi::cmdFileClick()
{
    TfrmAllegaCartella::editAttachments(windows(), *this, QStringLiteral("interventi"));
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
    search.lblMemory->setText(QStringLiteral("interventi"));
    search.exec();
}

void TfrmInterventi::cmdEsciClick()
{
    close();
}
