// Times showing a sheet whose two photos are phone-size JPEG files (4000 x 3000), next to one full
// decode of one of those photos, in the same run.
//
//   QT_QPA_PLATFORM=offscreen mostra_scheda [repetitions]

#include "archive/RecordArchive.h"
#include "archive/SchedaRecord.h"
#include "sheets/TfrmInterventi.h"
#include "shell/AppWindows.h"
#include "shell/Startup.h"

#include <QApplication>
#include <QBuffer>
#include <QDir>
#include <QElapsedTimer>
#include <QImage>
#include <QImageReader>
#include <QLabel>
#include <QPainter>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <cstdio>

namespace {

// A photo with smooth shapes and fine grain, so the JPEG weighs what a phone photo weighs
// (a few megabytes).
QByteArray phonePhoto(quint32 seed)
{
    QImage image(4000, 3000, QImage::Format_RGB32);
    QRandomGenerator random(seed);
    for (int y = 0; y < image.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            const int grain = random.bounded(24);
            line[x] = qRgb(qBound(0, 60 + x / 24 + grain, 255), qBound(0, 80 + y / 16 + grain, 255),
                           qBound(0, 120 + ((x / 40 + y / 40) % 2) * 60 + grain, 255));
        }
    }
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "JPEG", 92);
    return bytes;
}

bool writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

}  // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    Startup::prepare(app);
    const int repetitions = argc > 1 ? QString::fromLocal8Bit(argv[1]).toInt() : 5;

    QTemporaryDir folder;
    const QByteArray photoA = phonePhoto(1);
    const QByteArray photoB = phonePhoto(2);
    writeFile(QDir(folder.path()).filePath(QStringLiteral("Foto_A_1.jpg")), photoA);
    writeFile(QDir(folder.path()).filePath(QStringLiteral("Foto_B_1.jpg")), photoB);
    SchedaRecord record;
    record.NumScheda = QStringLiteral("1");
    RecordArchive archive;
    archive.OpenOrCreate(QDir(folder.path()).filePath(SchedaRecord::fileName()), SchedaRecord::kSize);
    archive.Append(record.toBytes());
    archive.Close();

    AppWindows windows(folder.path());
    windows.setEndHandler([] {});
    windows.create();
    TfrmInterventi *sheet = windows.frmInterventi();

    std::printf("foto: 4000 x 3000 JPEG, %.1f MB e %.1f MB\n", photoA.size() / 1e6, photoB.size() / 1e6);
    double bestShow = 1e9;
    double bestDecode = 1e9;
    for (int i = 0; i < repetitions; ++i) {
        QElapsedTimer timer;
        timer.start();
        sheet->ShowRecordAt(1);
        bestShow = qMin(bestShow, timer.nsecsElapsed() / 1e6);

        timer.restart();
        QBuffer buffer;
        buffer.setData(photoA);
        buffer.open(QIODevice::ReadOnly);
        const QImage full = QImageReader(&buffer).read();
        bestDecode = qMin(bestDecode, timer.nsecsElapsed() / 1e6);
        if (full.isNull())
            return 1;
    }
    std::printf("mostra scheda con due foto: %.1f ms\n", bestShow);
    std::printf("decodifica completa di una foto: %.1f ms\n", bestDecode);
    return 0;
}
