#include "widgets/CameraFeed.h"

#include <QList>
#include <QPointer>

#ifdef CABLORA_HAS_MULTIMEDIA
#  include <QCamera>
#  include <QMediaCaptureSession>
#  include <QMediaDevices>
#  include <QVideoFrame>
#  include <QVideoSink>
#endif

namespace {

struct CameraScript
{
    bool scripted = false;
    bool cameraPresent = true;
    QList<QPointer<CameraFeed>> active;
};

CameraScript &cameraScript()
{
    static CameraScript s;
    return s;
}

}  // namespace

#ifdef CABLORA_HAS_MULTIMEDIA
struct CameraFeed::Device
{
    QCamera camera;
    QMediaCaptureSession session;
    QVideoSink sink;

    explicit Device(const QCameraDevice &device) : camera(device) {}
};
#else
struct CameraFeed::Device
{
};
#endif

CameraFeed::CameraFeed(QObject *parent) : QObject(parent)
{
}

CameraFeed::~CameraFeed()
{
    stop();
}

void CameraFeed::start()
{
    if (m_active)
        return;
    CameraScript &s = cameraScript();
    if (s.scripted) {
        if (!s.cameraPresent)
            return;
        m_active = true;
        s.active.append(this);
        return;
    }
#ifdef CABLORA_HAS_MULTIMEDIA
    const QCameraDevice input = QMediaDevices::defaultVideoInput();
    if (input.isNull())
        return;
    m_device = std::make_unique<Device>(input);
    m_device->session.setCamera(&m_device->camera);
    m_device->session.setVideoSink(&m_device->sink);
    // The sink may announce frames on a thread of the camera service. The picture is made from the
    // frame there, and handed to this object's thread through a queued call; a frame that arrives
    // while an older one is still waiting replaces nothing: the live view simply shows each in turn.
    QObject::connect(
        &m_device->sink, &QVideoSink::videoFrameChanged, this,
        [this](const QVideoFrame &frame) {
            const QImage picture = frame.toImage();
            if (!picture.isNull())
                QMetaObject::invokeMethod(
                    this, [this, picture] { deliver(picture); }, Qt::QueuedConnection);
        },
        Qt::DirectConnection);
    m_device->camera.start();
    m_active = m_device->camera.isActive() || m_device->camera.error() == QCamera::NoError;
    if (!m_active)
        m_device.reset();
#endif
}

void CameraFeed::stop()
{
    cameraScript().active.removeAll(this);
    if (m_device) {
#ifdef CABLORA_HAS_MULTIMEDIA
        m_device->camera.stop();
        QObject::disconnect(&m_device->sink, nullptr, this, nullptr);
#endif
        m_device.reset();
    }
    m_active = false;
}

void CameraFeed::deliver(const QImage &frame)
{
    // A frame still on its way when the camera was switched off is dropped.
    if (m_active)
        emit frameReady(frame);
}

void CameraFeed::setScripted(bool scripted)
{
    cameraScript() = CameraScript{};
    cameraScript().scripted = scripted;
}

void CameraFeed::setCameraPresent(bool present)
{
    cameraScript().cameraPresent = present;
}

void CameraFeed::feed(const QImage &frame)
{
    const QList<QPointer<CameraFeed>> active = cameraScript().active;
    for (const QPointer<CameraFeed> &camera : active) {
        if (camera)
            camera->deliver(frame);
    }
}
