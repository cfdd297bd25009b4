// The workshop logo: the dialog that sets it, the file Logo.bmp it writes, and the loader the sheet
// print uses.

#include "media/Logo.h"
#include "media/TfrmLogo.h"
#include "shell/AppWindows.h"
#include "support/TestSupport.h"
#include "widgets/FileDialogs.h"
#include "widgets/FormHelpers.h"
#include "widgets/MessageBoxes.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QtTest>

using TestSupport::solid;

namespace {

QImage rgb(const QImage &image)
{
    return image.convertToFormat(QImage::Format_RGB32);
}

}  // namespace

class TestLogo : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void opening_data();
    void opening();
    void applying_data();
    void applying();
    void cancellingKeepsTheFile();
    void failedSaveIsReported();

private:
    QString logoPath() const { return Logo::filePath(m_folder->path()); }

    std::unique_ptr<QTemporaryDir> m_folder;
    std::unique_ptr<AppWindows> m_windows;
};

void TestLogo::initTestCase()
{
    TestSupport::scriptEverything();
}

void TestLogo::init()
{
    m_windows.reset();
    m_folder = TestSupport::programFolder();
    m_windows = TestSupport::createWindows(m_folder->path());
    MessageBoxes::takeShown();
    FileDialogs::takeTitles();
}

void TestLogo::opening_data()
{
    QTest::addColumn<QByteArray>("stored");  // Logo.bmp's bytes; "none": no file
    QTest::addColumn<QImage>("shown");

    QByteArray bitmap;
    {
        QBuffer buffer(&bitmap);
        buffer.open(QIODevice::WriteOnly);
        solid(Qt::red, QSize(50, 30)).save(&buffer, "BMP");
    }
    QTest::newRow("no file") << QByteArray("none") << Logo::defaultLogo();
    QTest::newRow("not a picture") << QByteArray("questo non è un bitmap") << Logo::defaultLogo();
    QTest::newRow("empty file") << QByteArray() << Logo::defaultLogo();
    QTest::newRow("stored logo") << bitmap << solid(Qt::red, QSize(50, 30));
}

void TestLogo::opening()
{
    QFETCH(QByteArray, stored);
    QFETCH(QImage, shown);

    if (stored != "none")
        QVERIFY(TestSupport::writeFile(logoPath(), stored));
    TfrmLogo dialog(*m_windows);
    dialog.show();
    QCOMPARE(rgb(dialog.logoPicture()), rgb(shown));
    // The print and the preview read the same picture.
    QCOMPARE(rgb(Logo::load(m_folder->path())), rgb(shown));
    QVERIFY(MessageBoxes::takeShown().isEmpty());
}

void TestLogo::applying_data()
{
    QTest::addColumn<QStringList>("steps");  // clicks, "sfoglia:<file>" or "sfoglia:" (cancelled)
    QTest::addColumn<QImage>("stored");

    QTest::newRow("default when nothing is set") << QStringList{} << Logo::defaultLogo();
    QTest::newRow("eraser stores the blank logo") << QStringList{"cancella"} << solid(Qt::white, QSize(2, 2));
    QTest::newRow("chosen JPEG stored as bitmap") << QStringList{"sfoglia:foto.jpg"} << QImage();
    QTest::newRow("euro after a chosen picture") << QStringList{"sfoglia:foto.jpg", "euro"} << Logo::defaultLogo();
    QTest::newRow("unreadable choice gives the default")
        << QStringList{"cancella", "sfoglia:rotto.jpg"} << Logo::defaultLogo();
    QTest::newRow("cancelled choice changes nothing")
        << QStringList{"cancella", "sfoglia:"} << solid(Qt::white, QSize(2, 2));
}

void TestLogo::applying()
{
    QFETCH(QStringList, steps);
    QFETCH(QImage, stored);

    const QString jpeg = m_folder->filePath(QStringLiteral("foto.jpg"));
    const QImage photo = solid(QColor(0x20, 0x80, 0x40), QSize(120, 80));
    QVERIFY(photo.save(jpeg, "JPEG", 95));
    QVERIFY(TestSupport::writeFile(m_folder->filePath(QStringLiteral("rotto.jpg")), "non una foto"));
    if (stored.isNull())
        stored = QImage(jpeg);

    TfrmLogo dialog(*m_windows);
    dialog.show();
    for (const QString &step : steps) {
        if (step == QLatin1String("cancella")) {
            QTest::mouseClick(dialog.btnCancLogo, Qt::LeftButton);
        } else if (step == QLatin1String("euro")) {
            QTest::mouseClick(dialog.imgEuro, Qt::LeftButton);
        } else {
            const QString file = step.mid(8);
            FileDialogs::setNextFileName(file.isEmpty() ? QString() : m_folder->filePath(file));
            QTest::mouseClick(dialog.btnSfoglia, Qt::LeftButton);
            QCOMPARE(FileDialogs::takeTitles(),
                     QStringList{"Selezionare il logo della Ditta in formato Jpeg o Bitmap."});
        }
    }
    QTest::mouseClick(dialog.btnApplica, Qt::LeftButton);
    QVERIFY(!dialog.isVisible());
    QVERIFY(MessageBoxes::takeShown().isEmpty());

    QCOMPARE(TestSupport::readFile(logoPath()).left(2), QByteArray("BM"));
    QCOMPARE(rgb(QImage(logoPath(), "BMP")), rgb(stored));
}

void TestLogo::cancellingKeepsTheFile()
{
    QVERIFY(Logo::save(m_folder->path(), solid(Qt::red, QSize(40, 20))));
    const QByteArray before = TestSupport::readFile(logoPath());
    QVERIFY(solid(Qt::blue, QSize(60, 60)).save(m_folder->filePath(QStringLiteral("nuovo.bmp"))));

    TfrmLogo dialog(*m_windows);
    dialog.show();
    FileDialogs::setNextFileName(m_folder->filePath(QStringLiteral("nuovo.bmp")));
    QTest::mouseClick(dialog.btnSfoglia, Qt::LeftButton);
    QCOMPARE(rgb(dialog.logoPicture()), solid(Qt::blue, QSize(60, 60)));
    QTest::mouseClick(dialog.btnAnnulla, Qt::LeftButton);
    QVERIFY(!dialog.isVisible());
    QCOMPARE(TestSupport::readFile(logoPath()), before);
}

void TestLogo::failedSaveIsReported()
{
    // Logo.bmp cannot be replaced (here: a folder of that name stands in its way).
    QVERIFY(QDir(m_folder->path()).mkdir(Logo::fileName()));
    QVERIFY(TestSupport::writeFile(logoPath() + QStringLiteral("/dentro.txt"), "resta"));

    TfrmLogo dialog(*m_windows);
    dialog.show();
    QTest::mouseClick(dialog.btnCancLogo, Qt::LeftButton);
    QTest::mouseClick(dialog.btnApplica, Qt::LeftButton);

    const QList<MessageBoxes::Shown> shown = MessageBoxes::takeShown();
    QCOMPARE(shown.size(), 1);
    QCOMPARE(shown.at(0).kind, MessageBoxes::Kind::Warning);
    QCOMPARE(shown.at(0).text, TfrmLogo::savingFailed());
    QVERIFY(!dialog.isVisible());
    QVERIFY(QFileInfo(logoPath()).isDir());
    QCOMPARE(TestSupport::readFile(logoPath() + QStringLiteral("/dentro.txt")), QByteArray("resta"));
}

QTEST_MAIN(TestLogo)
#include "tst_logo.moc"
