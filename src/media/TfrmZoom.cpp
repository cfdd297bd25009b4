#include "media/TfrmZoom.h"

#include "widgets/EventHooks.h"

#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QShowEvent>
#include <QVBoxLayout>

TfrmZoom::TfrmZoom(const QImage &photo, QWidget *parent) : QDialog(parent), m_photo(photo)
{
    setWindowTitle(QStringLiteral(" Fai clic sulla foto per chiudere questa finestra"));
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::CustomizeWindowHint);
    setWindowState(Qt::WindowMaximized);

    panContainer = new QWidget(this);
    imgFoto = new QLabel(panContainer);
    imgFoto->setAlignment(Qt::AlignCenter);
    imgFoto->setCursor(Qt::PointingHandCursor);
    auto *inner = new QVBoxLayout(panContainer);
    inner->setContentsMargins(0, 0, 0, 0);
    inner->addWidget(imgFoto);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(panContainer, 0, Qt::AlignCenter);

    EventHooks::onClick(imgFoto, [this] { imgFotoClick(); });
    EventHooks::onClick(panContainer, [this] { panContainerClick(); });
    EventHooks::onClick(this, [this] { panContainerClick(); });
}

QSize TfrmZoom::photoArea(const QSize &screen)
{
    return QSize(qMax(1, screen.width() - 60), qMax(1, screen.height() - 90));
}

void TfrmZoom::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (!event->spontaneous())
        FormShow();
}

void TfrmZoom::FormShow()
{
    QSize screen(1366, 768);
    // The room the screen leaves to windows: a task bar takes its share.
    if (QScreen *primary = QGuiApplication::primaryScreen())
        screen = primary->availableSize();
    const QSize area = photoArea(screen);
    panContainer->setFixedSize(area);
    imgFoto->setFixedSize(area);
    if (!m_photo.isNull()) {
        // Small photos are enlarged and large ones reduced, always keeping their proportions.
        imgFoto->setPixmap(QPixmap::fromImage(m_photo.scaled(area, Qt::KeepAspectRatio, Qt::SmoothTransformation)));
    }
}

void TfrmZoom::imgFotoClick()
{
    accept();
}

void TfrmZoom::panContainerClick()
{
    accept();
}
