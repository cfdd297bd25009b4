// Pictures and settings files handed in from outside never take memory in proportion to their size:
// a photo, a logo or a settings file beyond its limit is refused unread (an 8 GB sparse file is read
// as nothing, not allocated), a small file that claims a huge picture is refused by the decoder's
// allocation limit, and a photo or logo chosen in a window is refused with a message.

#include "common/IniFile.h"
#include "media/Logo.h"
#include "media/PhotoCommands.h"
#include "media/PictureLimits.h"
#include "media/TfrmLogo.h"
#include "shell/AppWindows.h"
#include "support/TestSupport.h"
#include "widgets/FileDialogs.h"
#include "widgets/MessageBoxes.h"
#include "widgets/PhotoArea.h"

#include <QtTest>

namespace {

// A file of the given length that takes no room on the disk (its bytes read as zeros).
bool sparseFile(const QString &path, qint64 length)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.resize(length);
}

// A bitmap header that claims width x height pixels in 32 bits, followed by a few bytes only.
QByteArray bitmapClaiming(qint32 width, qint32 height)
{
    QByteArray bytes(54, '\0');
    QDataStream out(&bytes, QIODevice::WriteOnly);
    out.setByteOrder(QDataStream::LittleEndian);
    out.writeRawData("BM", 2);
    out << quint32(54 + 64) << quint32(0) << quint32(54);
    out << quint32(40) << width << height << quint16(1) << quint16(32) << quint32(0) << quint32(0) << qint32(2835)
        << qint32(2835) << quint32(0) << quint32(0);
    return bytes + QByteArray(64, '\x7F');
}

}  // namespace

class TestPictureLimits : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { TestSupport::scriptEverything(); }

    void refusedBeforeReading_data()
    {
        QTest::addColumn<qint64>("length");
        QTest::addColumn<bool>("tooLarge");
        QTest::newRow("just beyond the limit") << PictureLimits::kMaxFileBytes + 1 << true;
        QTest::newRow("8 GB sparse photo") << Q_INT64_C(8) * 1024 * 1024 * 1024 << true;
    }
    void refusedBeforeReading()
    {
        QFETCH(qint64, length);
        QFETCH(bool, tooLarge);
        auto folder = TestSupport::programFolder();
        const QString photo = folder->filePath(QStringLiteral("Foto_A_1.jpg"));
        const QString logo = Logo::filePath(folder->path());
        const QString settings = folder->filePath(QStringLiteral("Cablora.ini"));
        QVERIFY(sparseFile(photo, length));
        QVERIFY(sparseFile(logo, length));
        QVERIFY(sparseFile(settings, length));

        const PhotoArea::Decoded decoded = PhotoArea::decodeFile(photo, QSize(200, 150));
        QVERIFY(!decoded.ok);
        QCOMPARE(decoded.tooLarge, tooLarge);
        QVERIFY(Logo::readPicture(logo).isNull());
        QCOMPARE(Logo::load(folder->path()), Logo::defaultLogo());

        bool ok = true;
        QCOMPARE(IniFile::value(settings, QStringLiteral("Cablora"), QStringLiteral("Chiave"), &ok), QString());
        QVERIFY(!ok);
        QVERIFY(!IniFile::setValue(settings, QStringLiteral("Cablora"), QStringLiteral("Chiave"), QStringLiteral("x")));
        QCOMPARE(QFileInfo(settings).size(), length);
    }

    // A small file whose header claims a picture of 40 000 x 40 000 pixels (6 GB decoded).
    void decoderAllocationIsLimited()
    {
        auto folder = TestSupport::programFolder();
        const QString photo = folder->filePath(QStringLiteral("Foto_A_1.bmp"));
        QVERIFY(TestSupport::writeFile(photo, bitmapClaiming(40000, 40000)));
        const PhotoArea::Decoded decoded = PhotoArea::decodeFile(photo, QSize(200, 150));
        QVERIFY(!decoded.ok);
        QVERIFY(!decoded.tooLarge);
        QVERIFY(Logo::readPicture(photo).isNull());
    }

    // Chosen in a window, a picture beyond the limit is refused with a message; the area and the
    // logo dialog keep what they showed.
    void chosenPictureTooLargeIsSaid()
    {
        auto folder = TestSupport::programFolder();
        const QString big = folder->filePath(QStringLiteral("grande.jpg"));
        QVERIFY(sparseFile(big, PictureLimits::kMaxFileBytes + 1));
        MessageBoxes::takeShown();

        PhotoArea area(QSize(200, 150), QImage(), nullptr);
        FileDialogs::setNextFileName(big);
        PhotoCommands::load(nullptr, &area);
        QList<MessageBoxes::Shown> shown = MessageBoxes::takeShown();
        QCOMPARE(shown.size(), 1);
        QVERIFY2(shown.at(0).text.contains(QStringLiteral("troppo grande")), qPrintable(shown.at(0).text));
        QVERIFY(area.isPlaceholder());

        auto windows = TestSupport::createWindows(folder->path());
        TfrmLogo dialog(*windows);
        dialog.show();
        const QImage before = dialog.logoPicture();
        FileDialogs::setNextFileName(big);
        QTest::mouseClick(dialog.btnSfoglia, Qt::LeftButton);
        shown = MessageBoxes::takeShown();
        QCOMPARE(shown.size(), 1);
        QVERIFY(shown.at(0).text.contains(QStringLiteral("fino a 64 MB")));
        QCOMPARE(dialog.logoPicture(), before);
        FileDialogs::takeTitles();
    }
};

QTEST_MAIN(TestPictureLimits)
#include "tst_picturelimits.moc"
