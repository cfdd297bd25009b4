#pragma once

#include <QImage>
#include <QObject>

#include <memory>

// The computer's default camera as a stream of pictures, scriptable for tests. Switching it on starts
// the default video input, if there is one; every new frame reaches frameReady on the thread of the
// feed's owner (the user-interface thread), however the camera delivers it. Without a camera, or
// when it cannot start, nothing happens and no frame ever comes: the caller's live view stays as it
// is.
class CameraFeed : public QObject
{
    Q_OBJECT
public:
    explicit CameraFeed(QObject *parent = nullptr);
    ~CameraFeed() override;

    void start();
    void stop();
    bool isActive() const { return m_active; }

    // Scripting for tests: once scripted, no device is touched; start() succeeds unless the camera is
    // scripted as missing, and feed() hands a picture to every scripted feed that is switched on.
    static void setScripted(bool scripted);
    static void setCameraPresent(bool present);
    static void feed(const QImage &frame);

signals:
    void frameReady(const QImage &frame);

private:
    void deliver(const QImage &frame);

    struct Device;
    std::unique_ptr<Device> m_device;
    bool m_active = false;
};
