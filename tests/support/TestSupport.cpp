#include "support/TestSupport.h"

#include "archive/SchedaRecord.h"
#include "reports/Report.h"
#include "shell/AppWindows.h"
#include "shell/Startup.h"
#include "shell/TMisc.h"
#include "widgets/CameraFeed.h"
#include "widgets/FileDialogs.h"
#include "widgets/MessageBoxes.h"
#include "widgets/PrintDialogs.h"
#include "widgets/ReportPreview.h"

#include <QApplication>
#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QProcess>

namespace TestSupport {

void scriptEverything()
{
    if (auto *app = qobject_cast<QApplication *>(QCoreApplication::instance()))
        Startup::prepare(*app);
    MessageBoxes::setScripted(true);
    FileDialogs::setScripted(true);
    PrintDialogs::setScripted(true);
    ReportPreview::setScripted(true);
    TMisc::setScripted(true);
    CameraFeed::setScripted(true);
}

std::unique_ptr<QTemporaryDir> programFolder()
{
    auto dir = std::make_unique<QTemporaryDir>();
    // Without a folder every file the test writes would land in the working folder: stop here.
    if (!dir->isValid())
        qFatal("TestSupport: no temporary program folder: %s", qPrintable(dir->errorString()));
    return dir;
}

std::unique_ptr<AppWindows> createWindows(const QString &folder, bool *ended)
{
    auto windows = std::make_unique<AppWindows>(folder);
    windows->setEndHandler([ended] {
        if (ended)
            *ended = true;
    });
    windows->create();
    return windows;
}

QImage solid(const QColor &colour, const QSize &size)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(colour);
    return image;
}

QByteArray solidJpeg(const QColor &colour, const QSize &size)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    solid(colour, size).save(&buffer, "JPEG", 80);
    return bytes;
}

const ReportObject *objectNamed(const PreparedReport &report, const QString &name)
{
    for (const PreparedPage &page : report.pages) {
        for (const ReportObject &object : page.objects) {
            if (object.name == name)
                return &object;
        }
    }
    return nullptr;
}

QByteArray readFile(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QByteArray();
    return file.readAll();
}

bool writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

SchedaRecord sampleSheet(const QString &number)
{
    SchedaRecord r;
    r.NumScheda = number;
    r.Data = QStringLiteral("01/03/2026");
    r.Azienda = QStringLiteral("Elettrauto Bianchi");
    r.Cliente = QStringLiteral("Mario Rossi");
    r.Recapito = QStringLiteral("333 1234567");
    r.Targa = QStringLiteral("AB123CD");
    r.Marca = QStringLiteral("Fiat Panda");
    r.Totale = QStringLiteral("10,00");
    r.Pagato = QStringLiteral("No");
    return r;
}

bool saveOnAnotherWorkstation(const QString &folder, const QString &archive, qint64 position, const QStringList &fields)
{
    QProcess workstation;
    workstation.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    workstation.start(QDir(QStringLiteral(CABLORA_TEST_HELPER_DIR)).filePath(QStringLiteral("helper_workstation")),
                      QStringList{folder, archive, QString::number(position)} + fields);
    return workstation.waitForFinished(30000) && workstation.exitStatus() == QProcess::NormalExit
           && workstation.exitCode() == 0;
}

}  // namespace TestSupport
