#include "shell/TfrmAvvio.h"

#include "backup/Backup.h"
#include "backup/BackupPlace.h"
#include "customers/TfrmClienti.h"
#include "invoicing/TfrmDatiOfficina.h"
#include "invoicing/TfrmFattureEmesse.h"
#include "sheets/TfrmInterventi.h"
#include "shell/AppWindows.h"
#include "shell/HelpTopics.h"
#include "shell/TMisc.h"
#include "shell/TfrmGuida.h"
#include "shell/TfrmInfo.h"
#include "shell/TfrmSplash.h"
#include "vehicles/TfrmAutoparco.h"
#include "vehicles/TfrmScadenze.h"
#include "widgets/Artwork.h"
#include "widgets/CommandKeys.h"
#include "widgets/FileDialogs.h"
#include "widgets/FormHelpers.h"
#include "widgets/MessageBoxes.h"
#include "widgets/Palette.h"
#include "widgets/WorkProgress.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLinearGradient>
#include <QPainter>
#include <QShortcut>
#include <QShowEvent>
#include <QVBoxLayout>

namespace {

const QSize kTilePicture(230, 170);
const QSize kTileButton(230, 46);

}  // namespace

QString TfrmAvvio::webAddress()
{
    return HelpTopics::makerWebAddress();
}

TfrmAvvio::TfrmAvvio(AppWindows &windows) : m_windows(windows)
{
    setWindowTitle(QStringLiteral(" Cablora"));
    setWindowIcon(QIcon(QStringLiteral(":/art/cablora.svg")));

    icoIcona = new QLabel(this);
    icoIcona->setPixmap(Artwork::picture(QStringLiteral(":/art/cablora.svg"), QSize(64, 64)));
    icoTitoloApp = new QLabel(QStringLiteral("Cablora"), this);
    icoTitoloApp->setFont(FormHelpers::font(QStringLiteral("Verdana"), 34, true));
    imgSottotitolo =
        new QLabel(QStringLiteral("Software rivolto alle officine di elettrauto per compilare e stampare le schede "
                                  "d'intervento e archiviare i dati di clienti e veicoli"),
                   this);
    imgSottotitolo->setFont(FormHelpers::font(QStringLiteral("Verdana"), 12));
    imgSottotitolo->setAlignment(Qt::AlignCenter);
    imgSottotitolo->setWordWrap(true);

    auto tile = [this](PictureButton *&picture, PictureButton *&button, const QString &art, const QString &caption,
                       const QColor &colour) {
        picture = new PictureButton(QString(), kTilePicture, QString(), this);
        picture->setIcon(QIcon(Artwork::picture(art, kTilePicture)));
        button = new PictureButton(QString(), kTileButton, QString(), this);
        button->setIcon(QIcon(Artwork::buttonPicture(kTileButton, caption, colour)));
        auto *column = new QVBoxLayout;
        column->setSpacing(10);
        column->addWidget(picture, 0, Qt::AlignHCenter);
        column->addWidget(button, 0, Qt::AlignHCenter);
        return column;
    };
    auto *tiles = new QHBoxLayout;
    tiles->setSpacing(40);
    tiles->addLayout(tile(imgApp01, btnApp01, QStringLiteral(":/icons/system-users.svg"),
                          QStringLiteral("ANAGRAFICA CLIENTI"), QColor(0x2E, 0x7D, 0x32)));
    tiles->addLayout(tile(imgApp02, btnApp02, QStringLiteral(":/art/auto.svg"), QStringLiteral("PARCO AUTOMEZZI"),
                          QColor(0x1F, 0x5F, 0xA8)));
    tiles->addLayout(tile(imgApp03, btnApp03, QStringLiteral(":/art/scheda-intervento.svg"),
                          QStringLiteral("SCHEDE INTERVENTI"), QColor(0xC6, 0x28, 0x28)));

    auto *panel = new QWidget(this);
    panel->setObjectName(QStringLiteral("panTiles"));
    auto *panelLayout = new QVBoxLayout(panel);
    panelLayout->setContentsMargins(36, 30, 36, 30);
    panelLayout->addLayout(tiles);

    const QSize iconSize(48, 48);
    const QString infoHint = QStringLiteral("Informazioni su Cablora");
    imgInfo = new PictureButton(QStringLiteral(":/icons/dialog-information.svg"), iconSize, infoHint, this);
    imgInfo->setToolTip(infoHint);
    const QString guideHint = QStringLiteral("Guida all'utilizzo del software");
    imgGuida = new PictureButton(QStringLiteral(":/icons/help-browser.svg"), iconSize, guideHint, this);
    imgGuida->setToolTip(guideHint);
    const QString splashHint = QStringLiteral("Chi siamo");
    imgSplash = new PictureButton(QStringLiteral(":/icons/emblem-favorite.svg"), iconSize, splashHint, this);
    imgSplash->setToolTip(splashHint);
    const QString deadlinesHint = QStringLiteral("Scadenze di revisioni, tagliandi, assicurazioni e bolli");
    imgScadenze = new PictureButton(QStringLiteral(":/icons/office-calendar.svg"), iconSize, deadlinesHint, this,
                                    QStringLiteral("Scadenze"));
    imgScadenze->setToolTip(deadlinesHint);
    const QString exitHint = QStringLiteral("Esci dal programma");
    const QString copyHint = QStringLiteral("Copia di sicurezza di archivi, foto, allegati e impostazioni");
    imgCopia = new PictureButton(QStringLiteral(":/icons/media-floppy.svg"), iconSize, copyHint, this,
                                 QStringLiteral("Copia di sicurezza"));
    imgCopia->setToolTip(copyHint);
    const QString restoreHint = QStringLiteral("Ripristina i dati da una copia di sicurezza");
    imgRipristina = new PictureButton(QStringLiteral(":/icons/view-refresh.svg"), iconSize, restoreHint, this,
                                      QStringLiteral("Ripristina"));
    imgRipristina->setToolTip(restoreHint);
    const QString workshopHint = QStringLiteral("Dati dell'officina per la fattura elettronica");
    imgOfficina = new PictureButton(QStringLiteral(":/icons/x-office-address-book.svg"), iconSize, workshopHint, this,
                                    QStringLiteral("Dati dell'officina"));
    imgOfficina->setToolTip(workshopHint);
    const QString invoicesHint = QStringLiteral("Fatture elettroniche emesse");
    imgFatture = new PictureButton(QStringLiteral(":/icons/x-office-spreadsheet.svg"), iconSize, invoicesHint, this,
                                   QStringLiteral("Fatture emesse"));
    imgFatture->setToolTip(invoicesHint);
    imgEsci = new PictureButton(QStringLiteral(":/icons/system-log-out.svg"), iconSize, exitHint, this);
    imgEsci->setToolTip(exitHint);
    imgSito = new PictureButton(QStringLiteral(":/icons/internet-web-browser.svg"), QSize(28, 28), QString(), this,
                                HelpTopics::makerWebLabel());
    imgSito->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    imgSito->setFont(FormHelpers::font(QStringLiteral("Tahoma"), 14));

    auto *top = new QGridLayout;
    top->addWidget(imgInfo, 0, 0, Qt::AlignLeft | Qt::AlignTop);
    auto *title = new QHBoxLayout;
    title->addStretch(1);
    title->addWidget(icoIcona);
    title->addSpacing(12);
    title->addWidget(icoTitoloApp);
    title->addStretch(1);
    top->addLayout(title, 0, 1);
    top->addWidget(imgGuida, 0, 2, Qt::AlignRight | Qt::AlignTop);
    top->setColumnStretch(1, 1);

    auto *bottom = new QHBoxLayout;
    bottom->addWidget(imgSplash, 0, Qt::AlignLeft | Qt::AlignBottom);
    bottom->addSpacing(24);
    bottom->addWidget(imgScadenze, 0, Qt::AlignLeft | Qt::AlignBottom);
    bottom->addSpacing(12);
    bottom->addWidget(imgOfficina, 0, Qt::AlignLeft | Qt::AlignBottom);
    bottom->addSpacing(12);
    bottom->addWidget(imgFatture, 0, Qt::AlignLeft | Qt::AlignBottom);
    bottom->addStretch(1);
    bottom->addWidget(imgSito, 0, Qt::AlignBottom);
    bottom->addStretch(1);
    // The backup icons balance the two icons on the left, so that the web strip stays centred.
    bottom->addWidget(imgCopia, 0, Qt::AlignRight | Qt::AlignBottom);
    bottom->addSpacing(12);
    bottom->addWidget(imgRipristina, 0, Qt::AlignRight | Qt::AlignBottom);
    bottom->addSpacing(24);
    bottom->addWidget(imgEsci, 0, Qt::AlignRight | Qt::AlignBottom);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(18, 14, 18, 14);
    layout->addLayout(top);
    layout->addWidget(imgSottotitolo);
    layout->addStretch(1);
    layout->addWidget(panel, 0, Qt::AlignCenter);
    layout->addStretch(1);
    layout->addLayout(bottom);

    panInfo = new QLabel(this);
    panInfo->setObjectName(QStringLiteral("panInfo"));
    panInfo->setFont(FormHelpers::font(QStringLiteral("Tahoma"), 12));
    panInfo->setMinimumHeight(26);
    layout->addSpacing(8);
    layout->addWidget(panInfo);

    connect(imgApp01, &QToolButton::clicked, this, &TfrmAvvio::btnApp01Click);
    connect(btnApp01, &QToolButton::clicked, this, &TfrmAvvio::btnApp01Click);
    connect(imgApp02, &QToolButton::clicked, this, &TfrmAvvio::btnApp02Click);
    connect(btnApp02, &QToolButton::clicked, this, &TfrmAvvio::btnApp02Click);
    connect(imgApp03, &QToolButton::clicked, this, &TfrmAvvio::btnApp03Click);
    connect(btnApp03, &QToolButton::clicked, this, &TfrmAvvio::btnApp03Click);
    connect(imgInfo, &QToolButton::clicked, this, &TfrmAvvio::imgInfoClick);
    connect(imgGuida, &QToolButton::clicked, this, &TfrmAvvio::imgGuidaClick);
    connect(imgSplash, &QToolButton::clicked, this, &TfrmAvvio::imgSplashClick);
    connect(imgSito, &QToolButton::clicked, this, &TfrmAvvio::imgSitoClick);
    connect(imgScadenze, &QToolButton::clicked, this, &TfrmAvvio::imgScadenzeClick);
    connect(imgEsci, &QToolButton::clicked, this, &TfrmAvvio::imgEsciClick);
    connect(imgCopia, &QToolButton::clicked, this, &TfrmAvvio::imgCopiaClick);
    connect(imgRipristina, &QToolButton::clicked, this, &TfrmAvvio::imgRipristinaClick);
    connect(imgOfficina, &QToolButton::clicked, this, &TfrmAvvio::imgOfficinaClick);
    connect(imgFatture, &QToolButton::clicked, this, &TfrmAvvio::imgFattureClick);
    // Every control carries its name, for tests, style sheets and accessibility tools.
    const QList<QPair<QWidget *, const char *>> names = {{icoIcona, "icoIcona"},
                                                         {icoTitoloApp, "icoTitoloApp"},
                                                         {imgSottotitolo, "imgSottotitolo"},
                                                         {imgApp01, "imgApp01"},
                                                         {btnApp01, "btnApp01"},
                                                         {imgApp02, "imgApp02"},
                                                         {btnApp02, "btnApp02"},
                                                         {imgApp03, "imgApp03"},
                                                         {btnApp03, "btnApp03"},
                                                         {imgInfo, "imgInfo"},
                                                         {imgGuida, "imgGuida"},
                                                         {imgSplash, "imgSplash"},
                                                         {imgSito, "imgSito"},
                                                         {imgEsci, "imgEsci"},
                                                         {imgScadenze, "imgScadenze"},
                                                         {imgCopia, "imgCopia"},
                                                         {imgRipristina, "imgRipristina"},
                                                         {imgOfficina, "imgOfficina"},
                                                         {imgFatture, "imgFatture"}};
    for (const auto &[control, name] : names)
        control->setObjectName(QLatin1String(name));
    FormHelpers::installStatusHints(this, panInfo);

    // The keyboard reaches every tile (by its caption button) and every icon: Tab and the arrows move
    // along them, Enter and Space open, Esc leaves the program after asking.
    QList<PictureButton *> commands;
    for (PictureButton *button : findChildren<PictureButton *>()) {
        if (button != imgApp01 && button != imgApp02 && button != imgApp03)
            commands.append(button);
    }
    CommandKeys::group(this, commands);
    const QList<QPair<PictureButton *, PictureButton *>> tilePair = {
        {imgApp01, btnApp01}, {imgApp02, btnApp02}, {imgApp03, btnApp03}};
    const QStringList tileHints = {QStringLiteral("Apre l'anagrafica dei clienti."),
                                   QStringLiteral("Apre il parco automezzi."),
                                   QStringLiteral("Apre le schede di intervento.")};
    for (int i = 0; i < tilePair.size(); ++i) {
        FormHelpers::setHint(tilePair[i].first, tileHints[i]);
        FormHelpers::setHint(tilePair[i].second, tileHints[i]);
    }
    FormHelpers::setHint(imgEsci, CommandKeys::hintWithKey(exitHint, QStringLiteral("Esc")));
    auto *escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    escape->setObjectName(QStringLiteral("imgEsciKey"));
    connect(escape, &QShortcut::activated, this, &TfrmAvvio::escapeKey);
}

void TfrmAvvio::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (!focusWidget())
        btnApp01->setFocus(Qt::OtherFocusReason);
}

void TfrmAvvio::escapeKey()
{
    if (MessageBoxes::confirm(this, QStringLiteral("Uscire da Cablora?")))
        imgEsciClick();
}

void TfrmAvvio::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    QLinearGradient background(0, 0, 0, height());
    background.setColorAt(0, Palette::kLauncherLight);
    background.setColorAt(1, Palette::kLauncherDark);
    painter.fillRect(rect(), background);
}

void TfrmAvvio::btnApp01Click()
{
    m_windows.showApp(m_windows.frmClienti());
}

void TfrmAvvio::btnApp02Click()
{
    m_windows.showApp(m_windows.frmAutoparco());
}

void TfrmAvvio::btnApp03Click()
{
    m_windows.showApp(m_windows.frmInterventi());
}

void TfrmAvvio::imgInfoClick()
{
    TfrmInfo info(m_windows, this);
    info.exec();
}

void TfrmAvvio::imgGuidaClick()
{
    TfrmGuida::showTopic(m_windows, HelpTopics::launcher(), this);
}

void TfrmAvvio::imgSplashClick()
{
    TfrmSplash splash(m_windows, this);
    splash.exec();
}

void TfrmAvvio::imgScadenzeClick()
{
    TfrmScadenze deadlines(m_windows, this);
    deadlines.exec();
}

QString TfrmAvvio::backupTitle()
{
    return QStringLiteral("Scegli la cartella in cui salvare la copia di sicurezza");
}

void TfrmAvvio::imgCopiaClick()
{
    // The dialog opens in the folder of the last copy (the stick, when it is plugged in again), else
    // in the user's documents; a folder inside the program folder is refused and asked again.
    QString destination;
    for (;;) {
        const QString before = FileDialogs::lastFolder(backupTitle());
        destination = FileDialogs::folderName(this, backupTitle());
        if (destination.isEmpty())
            return;
        if (!BackupPlace::insideProgramFolder(m_windows.programFolder(), destination))
            break;
        FileDialogs::setLastFolder(backupTitle(), before);
        // OK chooses again, Annulla gives up.
        if (MessageBoxes::show(this, MessageBoxes::Kind::Warning, BackupPlace::insideMessage(m_windows.programFolder()))
            == MessageBoxes::Answer::Cancel)
            return;
    }
    Backup::Result result;
    {
        WorkProgress progress(this, QStringLiteral("Copia di sicurezza in corso..."));
        result =
            Backup::create(m_windows.programFolder(), destination, QDateTime::currentDateTime(), progress.callback());
    }
    if (!result.ok) {
        MessageBoxes::error(this, result.error);
        return;
    }
    MessageBoxes::information(this, QStringLiteral("Copia di sicurezza completata e verificata (%1 file):\r\n%2")
                                        .arg(result.files)
                                        .arg(QDir::toNativeSeparators(result.path)));
}

void TfrmAvvio::imgRipristinaClick()
{
    // Opens where the last copy was written, unless a restore chose elsewhere before.
    const QString copy = FileDialogs::openFileName(
        this, QStringLiteral("Scegli la copia di sicurezza da ripristinare"),
        QStringLiteral("Copia di sicurezza di Cablora (Cablora_copia_*.zip);;Archivio zip (*.zip)"),
        FileDialogs::lastFolder(backupTitle()));
    if (copy.isEmpty())
        return;
    const QString folder = m_windows.programFolder();
    const QDateTime now = QDateTime::currentDateTime();
    if (Backup::hasData(folder)
        && !MessageBoxes::confirm(
            this, QStringLiteral("La cartella del programma contiene già dei dati.\r\n\r\nI dati attuali "
                                 "verranno spostati nella cartella %1 e sostituiti da quelli della copia "
                                 "di sicurezza.\r\n\r\nProcedere con il ripristino?")
                      .arg(Backup::asideFolderName(now))))
        return;
    Backup::Result result;
    bool declined = false;
    {
        WorkProgress progress(this, QStringLiteral("Ripristino in corso..."));
        // A copy without some of the archives would leave those registers empty: asked first.
        result = Backup::restore(copy, folder, now, progress.callback(), [&](const QStringList &missing) {
            QStringList lines;
            for (const QString &name : missing)
                lines << QStringLiteral("- ") + Backup::archiveDescription(name);
            declined = !MessageBoxes::confirm(
                this, QStringLiteral("La copia di sicurezza %1 non contiene questi archivi:\r\n%2\r\n\r\nDopo il "
                                     "ripristino questi registri saranno vuoti.\r\n\r\nRipristinare comunque la "
                                     "copia?")
                          .arg(QFileInfo(copy).fileName(), lines.join(QLatin1String("\r\n"))));
            return !declined;
        });
    }
    if (declined)
        return;  // nothing was changed, as the user chose
    // A restore stopped earlier, run to its end before this one, is told first.
    const QString earlier = result.note.isEmpty() ? QString() : result.note + QStringLiteral("\r\n\r\n");
    if (!result.ok) {
        MessageBoxes::error(this, earlier + result.error);
        return;
    }
    QString text = earlier + QStringLiteral("Ripristino completato: %1 file ripristinati.").arg(result.files);
    if (!result.asideFolder.isEmpty())
        text += QStringLiteral("\r\nI dati precedenti sono nella cartella %1.")
                    .arg(QDir::toNativeSeparators(result.asideFolder));
    MessageBoxes::information(this, text);
}

void TfrmAvvio::imgOfficinaClick()
{
    TfrmDatiOfficina workshop(m_windows, this);
    workshop.exec();
}

void TfrmAvvio::imgFattureClick()
{
    TfrmFattureEmesse invoices(m_windows, this);
    invoices.exec();
}

void TfrmAvvio::imgSitoClick()
{
    TMisc::Open(webAddress());
}

void TfrmAvvio::imgEsciClick()
{
    m_windows.endProgram();
}

void TfrmAvvio::closeEvent(QCloseEvent *event)
{
    event->accept();
    m_windows.endProgram();
}
