#include "media/TfrmWebCam.h"

#include "media/PhotoCommands.h"
#include "sheets/TfrmInterventi.h"
#include "shell/AppWindows.h"
#include "shell/ContextWords.h"
#include "widgets/Artwork.h"
#include "widgets/CameraFeed.h"
#include "widgets/FormHelpers.h"
#include "widgets/PhotoArea.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

TfrmWebCam::TfrmWebCam(AppWindows &windows, QWidget *parent) : QDialog(parent), m_windows(windows)
{
    setWindowTitle(QStringLiteral(" Cattura foto con webcam"));
    FormHelpers::makeFixedWithoutButtons(this);
    setModal(true);
    setObjectName(QStringLiteral("frmWebCam"));

    imgBianco = Artwork::picture(QStringLiteral(":/icons/camera-video.svg"), QSize(274, 274)).toImage();
    const QImage photoCamera = Artwork::picture(QStringLiteral(":/icons/camera-photo.svg"), QSize(274, 274)).toImage();
    imgCamera = new PhotoArea(kPanelSize, imgBianco, this);
    imgCamera->setObjectName(QStringLiteral("imgCamera"));
    imgTarget = new PhotoArea(kPanelSize, photoCamera, this);
    imgTarget->setObjectName(QStringLiteral("imgTarget"));

    lblMemory = new QLabel(this);
    lblMemory->setObjectName(QStringLiteral("lblMemory"));
    lblMemory->hide();

    auto button = [this](const char *name, const QString &text) {
        auto *b = new QPushButton(text, this);
        b->setObjectName(QString::fromLatin1(name));
        b->setMinimumSize(160, 32);
        b->setAutoDefault(false);
        return b;
    };
    btnAccendi = button("btnAccendi", QStringLiteral("Accendi webcam"));
    btnCattura = button("btnCattura", QStringLiteral("Cattura foto"));
    btnSalvaFotogramma = button("btnSalvaFotogramma", QStringLiteral("Salva foto su disco"));
    btnSpegni = button("btnSpegni", QStringLiteral("Spegni webcam"));
    btnImportaFoto = button("btnImportaFoto", QStringLiteral("Importa foto in scheda"));
    btnClose = button("btnClose", QStringLiteral("Annulla"));

    auto *panels = new QHBoxLayout;
    panels->setSpacing(12);
    panels->addWidget(imgCamera);
    panels->addWidget(imgTarget);

    auto *commands = new QGridLayout;
    commands->setHorizontalSpacing(10);
    commands->setVerticalSpacing(8);
    commands->addWidget(btnAccendi, 0, 0);
    commands->addWidget(btnSpegni, 1, 0);
    commands->addWidget(btnCattura, 0, 1);
    commands->addWidget(btnSalvaFotogramma, 1, 1);
    commands->addWidget(btnImportaFoto, 0, 3);
    commands->addWidget(btnClose, 1, 3);
    commands->setColumnStretch(2, 1);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(16, 16, 16, 16);
    layout->setSpacing(14);
    layout->addLayout(panels);
    layout->addLayout(commands);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    QWidget *previous = btnAccendi;
    for (QWidget *next : {static_cast<QWidget *>(btnCattura), static_cast<QWidget *>(btnSalvaFotogramma),
                          static_cast<QWidget *>(btnSpegni), static_cast<QWidget *>(btnImportaFoto),
                          static_cast<QWidget *>(btnClose)}) {
        setTabOrder(previous, next);
        previous = next;
    }

    camCamera = new CameraFeed(this);
    connect(camCamera, &CameraFeed::frameReady, this, &TfrmWebCam::camCameraSampleBufferReady);
    connect(btnAccendi, &QPushButton::clicked, this, &TfrmWebCam::btnAccendiClick);
    connect(btnSpegni, &QPushButton::clicked, this, &TfrmWebCam::btnSpegniClick);
    connect(btnCattura, &QPushButton::clicked, this, &TfrmWebCam::btnCatturaClick);
    connect(btnSalvaFotogramma, &QPushButton::clicked, this, &TfrmWebCam::btnSalvaFotogrammaClick);
    connect(btnImportaFoto, &QPushButton::clicked, this, &TfrmWebCam::btnImportaFotoClick);
    connect(btnClose, &QPushButton::clicked, this, &TfrmWebCam::btnCloseClick);

    btnAccendi->setFocus(Qt::OtherFocusReason);
    FormHelpers::centre(this, parent ? parent->window() : nullptr);
}

TfrmWebCam::~TfrmWebCam()
{
    camCamera->stop();
}

void TfrmWebCam::keyPressEvent(QKeyEvent *event)
{
    // The dialog ends through its two buttons only; Esc does what "Annulla" does.
    if (event->key() == Qt::Key_Escape) {
        btnCloseClick();
        return;
    }
    QDialog::keyPressEvent(event);
}

void TfrmWebCam::btnAccendiClick()
{
    camCamera->start();
}

void TfrmWebCam::btnSpegniClick()
{
    // The live view keeps its last frame.
    camCamera->stop();
}

void TfrmWebCam::camCameraSampleBufferReady(const QImage &frame)
{
    imgCamera->setImage(frame);
}

void TfrmWebCam::btnCatturaClick()
{
    imgTarget->setImage(imgCamera->fullImage());
}

void TfrmWebCam::btnSalvaFotogrammaClick()
{
    // A failed write keeps the captured photo in the dialog and tells the user.
    PhotoCommands::exportToFile(this, imgTarget);
}

void TfrmWebCam::btnImportaFotoClick()
{
    camCamera->stop();
    if (TfrmInterventi *sheet = m_windows.frmInterventi()) {
        switch (ContextWords::of(lblMemory->text().trimmed())) {
        case ContextWords::Target::Foto01: sheet->setPhoto(0, imgTarget->fullImage()); break;
        case ContextWords::Target::Foto02: sheet->setPhoto(1, imgTarget->fullImage()); break;
        default: break;
        }
    }
    accept();
}

void TfrmWebCam::btnCloseClick()
{
    camCamera->stop();
    reject();
}
