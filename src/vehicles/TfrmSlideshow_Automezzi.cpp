#include "vehicles/TfrmSlideshow_Automezzi.h"

#include "archive/AutomezzoRecord.h"
#include "archive/RecordArchive.h"
#include "common/TextRules.h"
#include "vehicles/TfrmAutoparco.h"
#include "widgets/AppHost.h"
#include "widgets/Artwork.h"
#include "widgets/EventHooks.h"
#include "widgets/FormHelpers.h"
#include "widgets/PhotoArea.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QShowEvent>
#include <QTimer>
#include <QVBoxLayout>

TfrmSlideshow_Automezzi::TfrmSlideshow_Automezzi(AppHost &host, QWidget *parent) : QDialog(parent), m_host(host)
{
    setWindowTitle(QStringLiteral(" Slide Show Parco Automezzi"));
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowCloseButtonHint | Qt::CustomizeWindowHint);
    setWindowState(Qt::WindowMaximized);

    imgBianco = placeholderPicture();

    panContainer = new QWidget(this);
    panContainer->setObjectName(QStringLiteral("panContainer"));
    panContainer->setCursor(Qt::PointingHandCursor);
    imgFoto = new QLabel(panContainer);
    imgFoto->setObjectName(QStringLiteral("imgFoto"));
    imgFoto->setAlignment(Qt::AlignCenter);
    imgFoto->setCursor(Qt::PointingHandCursor);
    auto *inner = new QVBoxLayout(panContainer);
    inner->setContentsMargins(0, 0, 0, 0);
    inner->addWidget(imgFoto, 0, Qt::AlignCenter);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(panContainer, 0, Qt::AlignCenter);

    lblPosizione = new QLabel(this);
    lblPosizione->setObjectName(QStringLiteral("lblPosizione"));
    lblPosizione->hide();

    cmdAvanti = new QPushButton(this);
    cmdAvanti->setObjectName(QStringLiteral("cmdAvanti"));
    cmdAvanti->setAutoDefault(false);
    cmdAvanti->hide();

    Timer = new QTimer(this);
    Timer->setObjectName(QStringLiteral("Timer"));
    Timer->setInterval(kInterval);

    connect(Timer, &QTimer::timeout, this, &TfrmSlideshow_Automezzi::TimerTimer);
    connect(cmdAvanti, &QPushButton::clicked, this, &TfrmSlideshow_Automezzi::cmdAvantiClick);
    EventHooks::onClick(imgFoto, [this] { imgFotoClick(); });
    EventHooks::onClick(panContainer, [this] { panContainerClick(); });

    showPlaceholder();
}

TfrmSlideshow_Automezzi::~TfrmSlideshow_Automezzi()
{
    Timer->stop();
}

QSize TfrmSlideshow_Automezzi::photoArea(const QSize &screen)
{
    return QSize(qMax(1, screen.width() - 60), qMax(1, screen.height() - 90));
}

QImage TfrmSlideshow_Automezzi::placeholderPicture()
{
    const QSize size(685, 427);
    QImage picture(size, QImage::Format_RGB32);
    picture.fill(Qt::white);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.drawPixmap(QRect(80, 24, 525, 260), Artwork::picture(QStringLiteral(":/art/auto.svg"), QSize(525, 260)));
    painter.setPen(QColor(0x46, 0x82, 0xB4));
    painter.setFont(FormHelpers::font(QStringLiteral("Verdana"), 26, true));
    painter.drawText(QRect(0, 296, size.width(), 56), Qt::AlignCenter, QStringLiteral("Avvio Slide Show"));
    painter.setPen(QColor(0x60, 0x60, 0x60));
    painter.setFont(FormHelpers::font(QStringLiteral("Verdana"), 16));
    painter.drawText(QRect(0, 352, size.width(), 40), Qt::AlignCenter, QStringLiteral("Attendere..."));
    return picture;
}

void TfrmSlideshow_Automezzi::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (!event->spontaneous())
        FormShow();
}

void TfrmSlideshow_Automezzi::keyPressEvent(QKeyEvent *event)
{
    // Esc closes the show as a click does; the right arrow, Space and Page Down show the next photo
    // at once. Every other key is ignored, so that a stray key does not end the show.
    switch (event->key()) {
    case Qt::Key_Escape: close(); break;
    case Qt::Key_Right:
    case Qt::Key_Space:
    case Qt::Key_PageDown: cmdAvantiClick(); break;
    default: break;
    }
    event->accept();
}

void TfrmSlideshow_Automezzi::done(int result)
{
    Timer->stop();
    QDialog::done(result);
}

void TfrmSlideshow_Automezzi::FormShow()
{
    QSize screen(1366, 768);
    // The room the screen leaves to windows: a task bar takes its share.
    if (QScreen *primary = QGuiApplication::primaryScreen())
        screen = primary->availableSize();
    const QSize area = photoArea(screen);
    panContainer->setFixedSize(area);
    imgFoto->setFixedSize(area);
    showPlaceholder();
    Timer->start();
}

void TfrmSlideshow_Automezzi::TimerTimer()
{
    cmdAvantiClick();
}

void TfrmSlideshow_Automezzi::cmdAvantiClick()
{
    // The show only reads: an archive in a folder that cannot be written is read as it is.
    RecordArchive archive;
    const QString path = m_host.filePath(AutomezzoRecord::fileName());
    if (!archive.OpenOrCreate(path, AutomezzoRecord::kSize) && !archive.OpenForReading(path, AutomezzoRecord::kSize)) {
        archiveFailed();
        return;
    }
    QString text = TextRules::trim(lblPosizione->text());
    if (text.isEmpty()) {
        text = QStringLiteral("0");
        lblPosizione->setText(text);
    }
    const qint64 position = text.toLongLong();
    const qint64 count = archive.Count();
    if (count < 0) {
        archive.Close();
        archiveFailed();
        return;
    }
    if (count == 0) {
        lblPosizione->clear();
        archive.Close();
        Timer->stop();
        showMessage(MessageBoxes::Kind::Information, emptyArchiveMessage());
        accept();
        return;
    }
    if (position < count) {
        const qint64 next = position + 1;
        QByteArray record;
        if (!archive.ReadAt(next, record)) {
            archive.Close();
            archiveFailed();
            return;
        }
        lblPosizione->setText(QString::number(next));
        archive.Close();
        showPhoto(next);
        return;
    }
    // Past the last vehicle the show starts again; an archive that became shorter meanwhile (a
    // restored copy) starts it again too, instead of leaving it on its last photo for ever.
    lblPosizione->setText(QStringLiteral("0"));
    archive.Close();
}

void TfrmSlideshow_Automezzi::archiveFailed()
{
    // The next tick tries again, but not while the message is open: otherwise a box would pile up on
    // the screen every six seconds.
    const bool running = Timer->isActive();
    Timer->stop();
    showMessage(MessageBoxes::Kind::Error, archiveAccessMessage());
    if (running)
        Timer->start();
}

MessageBoxes::Answer TfrmSlideshow_Automezzi::showMessage(MessageBoxes::Kind kind, const QString &text)
{
    return MessageBoxes::show(this, kind, text);
}

void TfrmSlideshow_Automezzi::showPhoto(qint64 position)
{
    const QSize area = imgFoto->size();
    // Decoded only at the size shown (the area adds two pixels of frame that the slide show lacks).
    const PhotoArea::Decoded decoded =
        PhotoArea::decodeFile(m_host.filePath(TfrmAutoparco::photoFile(position)), area + QSize(2, 2));
    if (!decoded.ok) {
        showPlaceholder();
        return;
    }
    m_placeholderShown = false;
    showPicture(decoded.display, true);
}

void TfrmSlideshow_Automezzi::showPlaceholder()
{
    m_placeholderShown = true;
    showPicture(imgBianco, false);
}

void TfrmSlideshow_Automezzi::showPicture(const QImage &picture, bool enlarge)
{
    const QSize area = imgFoto->size();
    const bool fits = picture.width() <= area.width() && picture.height() <= area.height();
    const bool filling = picture.width() == area.width() || picture.height() == area.height();
    QImage shown = picture;
    if (!fits || (enlarge && !filling))
        shown = picture.scaled(area, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    imgFoto->setPixmap(QPixmap::fromImage(shown));
}

void TfrmSlideshow_Automezzi::imgFotoClick()
{
    accept();
}

void TfrmSlideshow_Automezzi::panContainerClick()
{
    accept();
}
