// The zoom window: the photo as large as the screen allows, proportions kept; a click closes it.

#include "media/TfrmZoom.h"
#include "support/TestSupport.h"

#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QtTest>

class TestZoom : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { TestSupport::scriptEverything(); }

    void photoFillsTheAreaKeepingProportions_data()
    {
        QTest::addColumn<QSize>("photo");
        QTest::newRow("small, enlarged") << QSize(40, 30);
        QTest::newRow("large, reduced") << QSize(4000, 3000);
        QTest::newRow("tall") << QSize(300, 2000);
    }
    void photoFillsTheAreaKeepingProportions()
    {
        QFETCH(QSize, photo);
        QImage image(photo, QImage::Format_RGB32);
        image.fill(Qt::blue);
        TfrmZoom zoom(image, nullptr);
        zoom.show();
        const QSize area = TfrmZoom::photoArea(QGuiApplication::primaryScreen()->size());
        QCOMPARE(zoom.panContainer->size(), area);
        const QSize shown = zoom.imgFoto->pixmap().size();
        QCOMPARE(shown, photo.scaled(area, Qt::KeepAspectRatio));
        QVERIFY(shown.width() == area.width() || shown.height() == area.height());

        QTest::mouseClick(zoom.imgFoto, Qt::LeftButton);
        QVERIFY(!zoom.isVisible());
        QCOMPARE(zoom.result(), int(QDialog::Accepted));
    }

    void areaIsScreenLessMargins() { QCOMPARE(TfrmZoom::photoArea(QSize(1366, 768)), QSize(1306, 678)); }
};

QTEST_MAIN(TestZoom)
#include "tst_zoom.moc"
