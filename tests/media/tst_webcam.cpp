// The webcam dialog with a scripted camera: frames reach the live view, a capture freezes one, the
// capture goes into the sheet's chosen photo slot only, saving writes a JPEG (a failed save keeps
// the capture and says so), and without a camera nothing happens.

#include "media/TfrmWebCam.h"
#include "sheets/TfrmInterventi.h"
#include "shell/AppWindows.h"
#include "support/TestSupport.h"
#include "widgets/CameraFeed.h"
#include "widgets/FileDialogs.h"
#include "widgets/FormHelpers.h"
#include "widgets/MessageBoxes.h"
#include "widgets/PhotoArea.h"

#include <QDir>
#include <QImageReader>
#include <QPushButton>
#include <QtTest>

namespace {

QImage solid(const QColor &colour, const QSize &size = QSize(640, 480))
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(colour);
    return image;
}

QImage asRgb32(const QImage &image)
{
    return image.convertToFormat(QImage::Format_RGB32);
}

}  // namespace

class TestWebCam : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void dialog();
    void liveViewAndCapture();
    void importGoesIntoTheChosenSlotOnly_data();
    void importGoesIntoTheChosenSlotOnly();
    void noCameraLeavesTheLiveViewAsItIs();
    void saving_data();
    void saving();
    void sheetButtonsOpenTheDialogForTheirSlot();

private:
    std::unique_ptr<QTemporaryDir> m_folder;
    std::unique_ptr<AppWindows> m_windows;
};

void TestWebCam::initTestCase()
{
    TestSupport::scriptEverything();
}

void TestWebCam::init()
{
    m_windows.reset();
    m_folder = TestSupport::programFolder();
    m_windows = TestSupport::createWindows(m_folder->path());
    CameraFeed::setScripted(true);
    MessageBoxes::takeShown();
}

void TestWebCam::dialog()
{
    TfrmWebCam webcam(*m_windows);
    QCOMPARE(webcam.windowTitle(), QStringLiteral(" Cattura foto con webcam"));
    const QList<QPair<QPushButton *, const char *>> buttons = {{webcam.btnAccendi, "Accendi webcam"},
                                                               {webcam.btnCattura, "Cattura foto"},
                                                               {webcam.btnSalvaFotogramma, "Salva foto su disco"},
                                                               {webcam.btnSpegni, "Spegni webcam"},
                                                               {webcam.btnImportaFoto, "Importa foto in scheda"},
                                                               {webcam.btnClose, "Annulla"}};
    for (const auto &[button, text] : buttons)
        QCOMPARE(button->text(), QString::fromUtf8(text));
    QCOMPARE(webcam.imgCamera->areaSize(), QSize(366, 274));
    QCOMPARE(webcam.imgTarget->areaSize(), QSize(366, 274));
    // Tab runs through the buttons in their order.
    webcam.show();
    QVERIFY(QTest::qWaitForWindowActive(&webcam));
    webcam.btnAccendi->setFocus();
    for (int i = 1; i < buttons.size(); ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), buttons.at(i).first);
    }
}

void TestWebCam::liveViewAndCapture()
{
    TfrmWebCam webcam(*m_windows);
    webcam.show();
    // Frames before the camera is on go nowhere.
    CameraFeed::feed(solid(Qt::yellow));
    QCOMPARE(asRgb32(webcam.imgCamera->fullImage()), asRgb32(webcam.imgBianco));

    QTest::mouseClick(webcam.btnAccendi, Qt::LeftButton);
    QVERIFY(webcam.camCamera->isActive());
    CameraFeed::feed(solid(Qt::red));
    CameraFeed::feed(solid(Qt::blue));
    QCOMPARE(webcam.imgCamera->fullImage(), solid(Qt::blue));
    QTest::mouseClick(webcam.btnCattura, Qt::LeftButton);
    QCOMPARE(webcam.imgTarget->fullImage(), solid(Qt::blue));

    // Switched off, the live view keeps its last frame and takes no more.
    QTest::mouseClick(webcam.btnSpegni, Qt::LeftButton);
    QVERIFY(!webcam.camCamera->isActive());
    CameraFeed::feed(solid(Qt::green));
    QCOMPARE(webcam.imgCamera->fullImage(), solid(Qt::blue));
    QVERIFY(MessageBoxes::takeShown().isEmpty());
}

void TestWebCam::importGoesIntoTheChosenSlotOnly_data()
{
    QTest::addColumn<QString>("slot");
    QTest::addColumn<bool>("captured");

    QTest::newRow("foto01") << "foto01" << true;
    QTest::newRow("foto02") << "foto02" << true;
    QTest::newRow("foto02 with blanks") << " foto02 " << true;
    QTest::newRow("nothing captured: the photo-camera drawing") << "foto01" << false;
}

void TestWebCam::importGoesIntoTheChosenSlotOnly()
{
    QFETCH(QString, slot);
    QFETCH(bool, captured);
    TfrmInterventi &sheet = *m_windows->frmInterventi();
    const QImage first = sheet.imgFoto->fullImage();
    const QImage second = sheet.imgFoto02->fullImage();

    TfrmWebCam webcam(*m_windows);
    webcam.lblMemory->setText(slot);
    webcam.show();
    const QImage drawing = webcam.imgTarget->fullImage();
    if (captured) {
        QTest::mouseClick(webcam.btnAccendi, Qt::LeftButton);
        CameraFeed::feed(solid(Qt::red));
        QTest::mouseClick(webcam.btnCattura, Qt::LeftButton);
    }
    QTest::mouseClick(webcam.btnImportaFoto, Qt::LeftButton);
    QVERIFY(!webcam.isVisible());
    QCOMPARE(webcam.result(), int(QDialog::Accepted));
    QVERIFY(!webcam.camCamera->isActive());

    const QImage expected = captured ? solid(Qt::red) : drawing;
    const bool intoSecond = slot.trimmed() == QLatin1String("foto02");
    QCOMPARE(asRgb32(sheet.imgFoto->fullImage()), asRgb32(intoSecond ? first : expected));
    QCOMPARE(asRgb32(sheet.imgFoto02->fullImage()), asRgb32(intoSecond ? expected : second));
    // Nothing is written to disk: the sheet's Save stores the photo.
    QCOMPARE(QDir(m_folder->path()).entryList(QDir::Files).filter(QStringLiteral(".jpg")).size(), 0);
}

void TestWebCam::noCameraLeavesTheLiveViewAsItIs()
{
    CameraFeed::setCameraPresent(false);
    TfrmInterventi &sheet = *m_windows->frmInterventi();
    const QImage before = sheet.imgFoto->fullImage();
    TfrmWebCam webcam(*m_windows);
    webcam.lblMemory->setText(QStringLiteral("foto01"));
    webcam.show();
    QTest::mouseClick(webcam.btnAccendi, Qt::LeftButton);
    QVERIFY(!webcam.camCamera->isActive());
    CameraFeed::feed(solid(Qt::red));
    QCOMPARE(asRgb32(webcam.imgCamera->fullImage()), asRgb32(webcam.imgBianco));
    QVERIFY(MessageBoxes::takeShown().isEmpty());
    // "Annulla" changes nothing in the sheet.
    QTest::mouseClick(webcam.btnClose, Qt::LeftButton);
    QCOMPARE(webcam.result(), int(QDialog::Rejected));
    QCOMPARE(sheet.imgFoto->fullImage(), before);
}

void TestWebCam::saving_data()
{
    QTest::addColumn<QString>("typed");    // the name typed in the save dialog
    QTest::addColumn<QString>("written");  // the file that must hold the JPEG; empty: none
    QTest::addColumn<bool>("warned");

    QTest::newRow("named with extension") << "presa.jpg"
                                          << "presa.jpg" << false;
    QTest::newRow("extension added") << "presa"
                                     << "presa.jpg" << false;
    QTest::newRow("a file stands where the folder goes") << "muro/presa.jpg" << QString() << true;
    QTest::newRow("cancelled") << QString() << QString() << false;
}

void TestWebCam::saving()
{
    QFETCH(QString, typed);
    QFETCH(QString, written);
    QFETCH(bool, warned);

    QVERIFY(TestSupport::writeFile(m_folder->filePath(QStringLiteral("muro")), "not a folder"));
    TfrmWebCam webcam(*m_windows);
    webcam.show();
    QTest::mouseClick(webcam.btnAccendi, Qt::LeftButton);
    CameraFeed::feed(solid(Qt::red));
    QTest::mouseClick(webcam.btnCattura, Qt::LeftButton);

    FileDialogs::takeTitles();
    FileDialogs::setNextFileName(typed.isEmpty() ? QString() : m_folder->filePath(typed));
    QTest::mouseClick(webcam.btnSalvaFotogramma, Qt::LeftButton);
    QCOMPARE(FileDialogs::takeTitles(),
             QStringList{QStringLiteral("Selezionare la cartella in cui si desidera salvare il file Jpeg.")});
    if (!written.isEmpty()) {
        QImageReader reader(m_folder->filePath(written));
        QCOMPARE(reader.format(), QByteArray("jpeg"));
        QCOMPARE(reader.size(), QSize(640, 480));
    }
    const auto shown = MessageBoxes::takeShown();
    QCOMPARE(shown.size(), warned ? 1 : 0);
    // Whatever happened, the captured photo is still there to import.
    QCOMPARE(webcam.imgTarget->fullImage(), solid(Qt::red));
}

void TestWebCam::sheetButtonsOpenTheDialogForTheirSlot()
{
    TfrmInterventi &sheet = *m_windows->frmInterventi();
    sheet.show();
    QStringList chosen;
    const auto importOnShow = [&chosen] {
        for (QWidget *top : QApplication::topLevelWidgets()) {
            if (auto *webcam = qobject_cast<TfrmWebCam *>(top); webcam && webcam->isVisible()) {
                chosen << webcam->lblMemory->text();
                QTest::mouseClick(webcam->btnAccendi, Qt::LeftButton);
                CameraFeed::feed(solid(chosen.size() == 1 ? Qt::red : Qt::green));
                QTest::mouseClick(webcam->btnCattura, Qt::LeftButton);
                QTest::mouseClick(webcam->btnImportaFoto, Qt::LeftButton);
            }
        }
    };
    QTimer::singleShot(0, importOnShow);
    sheet.btnAcquisisciFoto->click();
    QTimer::singleShot(0, importOnShow);
    sheet.btnAcquisisciFoto02->click();
    QCOMPARE(chosen, (QStringList{QStringLiteral("foto01"), QStringLiteral("foto02")}));
    QCOMPARE(sheet.imgFoto->fullImage(), solid(Qt::red));
    QCOMPARE(sheet.imgFoto02->fullImage(), solid(Qt::green));
}

QTEST_MAIN(TestWebCam)
#include "tst_webcam.moc"
