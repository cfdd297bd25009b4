#include "media/TfrmLogo.h"

#include "media/Logo.h"
#include "media/PictureLimits.h"
#include "widgets/AppHost.h"
#include "widgets/Artwork.h"
#include "widgets/FileDialogs.h"
#include "widgets/FormHelpers.h"
#include "widgets/MessageBoxes.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

const QSize kLogoSize(297, 184);

}  // namespace

QString TfrmLogo::savingFailed()
{
    return QStringLiteral("Attenzione: non è stato possibile salvare il logo. Il logo impostato in "
                          "precedenza non è stato modificato.");
}

TfrmLogo::TfrmLogo(AppHost &host, QWidget *parent) : QDialog(parent), m_host(host)
{
    setWindowTitle(QStringLiteral(" Impostazione logo"));
    FormHelpers::makeFixedWithoutButtons(this);
    setModal(true);

    imgTemp = Logo::defaultLogo();
    imgBianco = Logo::blankLogo();

    imgTitolo = new QLabel(this);
    imgTitolo->setPixmap(Artwork::header(
        QSize(470, 100), QStringLiteral(":/icons/preferences-desktop-theme.svg"), QStringLiteral("IMPOSTAZIONE LOGO"),
        {QStringLiteral("Caricare il logo della propria azienda come immagine Jpeg o Bitmap "
                        "di 297 x 184 pixel.")}));

    imgLogo = new QLabel(this);
    imgLogo->setFixedSize(kLogoSize + QSize(2, 2));
    imgLogo->setAlignment(Qt::AlignCenter);
    imgLogo->setObjectName(QStringLiteral("imgLogo"));

    imgEuro = new PictureButton(QString(), QSize(32, 32), QStringLiteral("Logo predefinito"), this);
    imgEuro->setIcon(QIcon(QPixmap::fromImage(Logo::euroIcon(64))));
    imgEuro->setToolTip(QStringLiteral("Logo predefinito"));
    btnCancLogo = new PictureButton(QStringLiteral(":/icons/edit-clear.svg"), QSize(32, 32),
                                    QStringLiteral("Cancella il logo"), this);
    btnCancLogo->setToolTip(QStringLiteral("Cancella il logo"));

    btnAnnulla = new QPushButton(QStringLiteral("Annulla"), this);
    btnSfoglia = new QPushButton(QStringLiteral("Sfoglia..."), this);
    btnApplica = new QPushButton(QStringLiteral("Applica e chiudi"), this);
    for (QPushButton *button : {btnAnnulla, btnSfoglia, btnApplica}) {
        button->setMinimumSize(120, 32);
        button->setAutoDefault(false);
    }

    auto *icons = new QVBoxLayout;
    icons->addWidget(imgEuro);
    icons->addWidget(btnCancLogo);
    icons->addStretch(1);
    auto *picture = new QHBoxLayout;
    picture->addStretch(1);
    picture->addWidget(imgLogo);
    picture->addLayout(icons);
    picture->addStretch(1);

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(btnAnnulla);
    buttons->addStretch(1);
    buttons->addWidget(btnSfoglia);
    buttons->addWidget(btnApplica);

    auto *body = new QVBoxLayout;
    body->setContentsMargins(20, 16, 20, 18);
    body->setSpacing(14);
    body->addLayout(picture);
    body->addLayout(buttons);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(imgTitolo);
    layout->addLayout(body);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    setTabOrder(btnApplica, btnAnnulla);
    setTabOrder(btnAnnulla, btnSfoglia);

    connect(btnSfoglia, &QPushButton::clicked, this, &TfrmLogo::btnSfogliaClick);
    connect(btnApplica, &QPushButton::clicked, this, &TfrmLogo::btnApplicaClick);
    connect(btnAnnulla, &QPushButton::clicked, this, &TfrmLogo::btnAnnullaClick);
    connect(btnCancLogo, &QToolButton::clicked, this, &TfrmLogo::btnCancLogoClick);
    connect(imgEuro, &QToolButton::clicked, this, &TfrmLogo::imgEuroClick);

    showPicture(imgTemp);
    FormHelpers::centre(this, parent ? parent->window() : nullptr);
}

void TfrmLogo::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (!m_shown) {
        m_shown = true;
        FormShow();
    }
}

void TfrmLogo::showPicture(const QImage &picture)
{
    m_picture = picture;
    QImage shown = picture;
    if (shown.size() != kLogoSize)
        shown = shown.scaled(kLogoSize, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    imgLogo->setPixmap(QPixmap::fromImage(shown));
}

void TfrmLogo::FormShow()
{
    const QImage stored = Logo::readPicture(Logo::filePath(m_host.programFolder()));
    showPicture(stored.isNull() ? imgTemp : stored);
    btnApplica->setFocus(Qt::OtherFocusReason);
}

void TfrmLogo::btnSfogliaClick()
{
    const QString path =
        FileDialogs::openFileName(this, QStringLiteral("Selezionare il logo della Ditta in formato Jpeg o Bitmap."),
                                  QStringLiteral("Immagine JPEG (*.jpg *.jpeg);;Immagine Bitmap (*.bmp)"));
    if (path.isEmpty())
        return;
    if (PictureLimits::tooLarge(path)) {
        MessageBoxes::warning(this, PictureLimits::tooLargeMessage(path));
        return;
    }
    const QImage chosen = Logo::readPicture(path);
    showPicture(chosen.isNull() ? imgTemp : chosen);
}

void TfrmLogo::btnApplicaClick()
{
    // The user must not believe a logo was set that could not be stored.
    if (!Logo::save(m_host.programFolder(), m_picture))
        MessageBoxes::warning(this, savingFailed());
    accept();
}

void TfrmLogo::btnAnnullaClick()
{
    reject();
}

void TfrmLogo::btnCancLogoClick()
{
    showPicture(imgBianco);
}

void TfrmLogo::imgEuroClick()
{
    showPicture(imgTemp);
}
