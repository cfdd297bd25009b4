// Times showing a sheet whose two photos are phone-size JPEG files (4000 x 3000), next to one full
// decode of one of those photos, in the same run.
//
//   QT_QPA_PLATFORM=offscreen mostra_scheda [repetitions]

#include "PhonePhoto.h"
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
