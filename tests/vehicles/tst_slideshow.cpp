// The vehicle slide show: the "next" step that the timer runs every six seconds, driven directly
// tick by tick, over a small vehicle archive and its photo files.

#include "archive/AutomezzoRecord.h"
#include "archive/RecordArchive.h"
#include "shell/AppWindows.h"
#include "support/TestSupport.h"
#include "support/WindowsTest.h"
#include "vehicles/TfrmAutoparco.h"
#include "vehicles/TfrmSlideshow_Automezzi.h"
#include "widgets/MessageBoxes.h"

#include <QBuffer>
#include <QDir>
#include <QGuiApplication>
#include <QImageWriter>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <QtTest>

using Kind = MessageBoxes::Kind;

namespace {

QByteArray slideJpeg(const QSize &size, const QColor &colour)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(colour);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter(&buffer, "jpeg").write(image);
    return bytes;
}

// The colour names a test uses for photos; "-" is the placeholder.
QColor colourNamed(const QString &name)
{
    return QColor(name);
}

// Records, while a message is open, whether the timer was running.
class WatchedSlideshow : public TfrmSlideshow_Automezzi
{
public:
    using TfrmSlideshow_Automezzi::TfrmSlideshow_Automezzi;
    QList<bool> timerRunningDuringMessage;

protected:
    MessageBoxes::Answer showMessage(MessageBoxes::Kind kind, const QString &text) override
    {
        timerRunningDuringMessage.append(Timer->isActive());
        return TfrmSlideshow_Automezzi::showMessage(kind, text);
    }
};

}  // namespace

class TestSlideshow : public WindowsTest
{
    Q_OBJECT

    QString path(const QString &name) const { return QDir(m_folder->path()).filePath(name); }

    void appendVehicles(int count)
    {
        RecordArchive archive;
        QVERIFY(archive.OpenOrCreate(path(AutomezzoRecord::fileName()), AutomezzoRecord::kSize));
        for (int i = 0; i < count; ++i) {
            AutomezzoRecord r;
            r.Targa = QStringLiteral("AB%1CD").arg(100 + i);
            QVERIFY(archive.Append(r.toBytes()) > 0);
        }
    }
    void writePhoto(qint64 position, const QColor &colour, const QSize &size = QSize(320, 240))
    {
        QVERIFY(QDir(m_folder->path()).mkpath(QStringLiteral("Autoparco")));
        QVERIFY(TestSupport::writeFile(path(TfrmAutoparco::photoFile(position)), slideJpeg(size, colour)));
    }

    // What imgFoto shows: "-" for the placeholder, else the name of the photo's colour.
    static QString shown(const TfrmSlideshow_Automezzi &show)
    {
        if (show.isPlaceholderShown()) {
            // The placeholder appears at its own size, centred, when it fits.
            if (show.imgFoto->pixmap().toImage().convertToFormat(QImage::Format_RGB32) != show.imgBianco)
                return QStringLiteral("placeholder drawn wrongly");
            return QStringLiteral("-");
        }
        const QImage picture = show.imgFoto->pixmap().toImage();
        const QColor c = picture.pixelColor(picture.width() / 2, picture.height() / 2);
        for (const char *name : {"red", "lime", "blue", "yellow"}) {
            const QColor want = colourNamed(QString::fromLatin1(name));
            if (qAbs(c.red() - want.red()) < 40 && qAbs(c.green() - want.green()) < 40
                && qAbs(c.blue() - want.blue()) < 40)
                return QString::fromLatin1(name);
        }
        return QStringLiteral("unknown %1").arg(c.name());
    }

private slots:
    void startsWithPlaceholderAndTimer()
    {
        TfrmSlideshow_Automezzi show(*m_windows, m_windows->frmAutoparco());
        QCOMPARE(show.windowTitle(), QStringLiteral(" Slide Show Parco Automezzi"));
        QVERIFY(!show.Timer->isActive());
        show.show();
        QVERIFY(show.windowState() & Qt::WindowMaximized);
        QVERIFY(show.Timer->isActive());
        QCOMPARE(show.Timer->interval(), 6000);
        const QSize screen = QGuiApplication::primaryScreen()->size();
        QCOMPARE(show.panContainer->size(), QSize(screen.width() - 60, screen.height() - 90));
        QCOMPARE(show.imgFoto->size(), show.panContainer->size());
        QCOMPARE(show.imgBianco.size(), QSize(685, 427));
        QCOMPARE(shown(show), QStringLiteral("-"));
        QVERIFY(TfrmSlideshow_Automezzi::placeholderPicture() == show.imgBianco);
        QVERIFY(!show.lblPosizione->isVisibleTo(&show));
        QVERIFY(!show.cmdAvanti->isVisibleTo(&show));
        QCOMPARE(show.lblPosizione->text(), QString());
        QCOMPARE(MessageBoxes::takeShown().size(), 0);
        QVERIFY(!QFile::exists(path(AutomezzoRecord::fileName())));  // nothing read before the first tick
    }

    // Each tick in turn: "<label>:<shown>", where shown is a photo colour or "-" for the placeholder.
    void stepping_data()
    {
        QTest::addColumn<QStringList>("photos");  // colour of each vehicle's photo; "" = no file
        QTest::addColumn<QStringList>("ticks");

        QTest::newRow("one vehicle stays on screen")
            << QStringList{"red"} << QStringList{"1:red", "0:red", "1:red", "0:red"};
        QTest::newRow("three vehicles, the second without photo")
            << QStringList{"red", "", "blue"} << QStringList{"1:red", "2:-", "3:blue", "0:blue", "1:red", "2:-"};
        QTest::newRow("one vehicle without photo") << QStringList{""} << QStringList{"1:-", "0:-", "1:-"};
    }
    void stepping()
    {
        QFETCH(QStringList, photos);
        QFETCH(QStringList, ticks);
        appendVehicles(photos.size());
        for (int i = 0; i < photos.size(); ++i) {
            if (!photos[i].isEmpty())
                writePhoto(i + 1, colourNamed(photos[i]));
        }
        TfrmSlideshow_Automezzi show(*m_windows, m_windows->frmAutoparco());
        show.show();
        QStringList seen;
        for (int i = 0; i < ticks.size(); ++i) {
            show.cmdAvantiClick();
            seen << show.lblPosizione->text() + QLatin1Char(':') + shown(show);
        }
        QCOMPARE(seen, ticks);
        QVERIFY(show.isVisible());
        QVERIFY(show.Timer->isActive());
        QCOMPARE(MessageBoxes::takeShown().size(), 0);
    }

    void bigPhotoFitsTheArea()
    {
        appendVehicles(1);
        writePhoto(1, Qt::yellow, QSize(4000, 1000));
        TfrmSlideshow_Automezzi show(*m_windows, m_windows->frmAutoparco());
        show.show();
        show.cmdAvantiClick();
        QCOMPARE(shown(show), QStringLiteral("yellow"));
        const QSize area = show.imgFoto->size();
        QCOMPARE(show.imgFoto->pixmap().size(), QSize(4000, 1000).scaled(area, Qt::KeepAspectRatio));
    }

    void everyTickCountsAnew()
    {
        appendVehicles(1);
        writePhoto(1, Qt::red);
        writePhoto(2, Qt::blue);
        TfrmSlideshow_Automezzi show(*m_windows, m_windows->frmAutoparco());
        show.show();
        show.cmdAvantiClick();
        QCOMPARE(show.lblPosizione->text(), QStringLiteral("1"));
        appendVehicles(1);  // saved on another workstation meanwhile
        show.cmdAvantiClick();
        QCOMPARE(show.lblPosizione->text(), QStringLiteral("2"));
        QCOMPARE(shown(show), QStringLiteral("blue"));
    }

    void aShorterArchiveStartsTheShowAgain()
    {
        appendVehicles(3);
        writePhoto(1, Qt::red);
        TfrmSlideshow_Automezzi show(*m_windows, m_windows->frmAutoparco());
        show.show();
        for (int i = 0; i < 3; ++i)
            show.cmdAvantiClick();
        QCOMPARE(show.lblPosizione->text(), QStringLiteral("3"));
        // A copy with one vehicle is restored meanwhile: the show goes back to the start.
        QVERIFY(QFile::resize(path(AutomezzoRecord::fileName()), AutomezzoRecord::kSize));
        show.cmdAvantiClick();
        QCOMPARE(show.lblPosizione->text(), QStringLiteral("0"));
        show.cmdAvantiClick();
        QCOMPARE(show.lblPosizione->text(), QStringLiteral("1"));
        QCOMPARE(shown(show), QStringLiteral("red"));
    }

    void emptyArchiveEndsTheShow()
    {
        WatchedSlideshow show(*m_windows, m_windows->frmAutoparco());
        show.show();
        show.cmdAvantiClick();
        const auto messages = MessageBoxes::takeShown();
        QCOMPARE(messages.size(), 1);
        QCOMPARE(messages[0].kind, Kind::Information);
        QCOMPARE(messages[0].text, QStringLiteral("L'archivio non contiene nessuna scheda."));
        QCOMPARE(show.timerRunningDuringMessage, QList<bool>{false});
        QVERIFY(!show.Timer->isActive());
        QVERIFY(!show.isVisible());
        QCOMPARE(show.lblPosizione->text(), QString());
        QVERIFY(QFile::exists(path(AutomezzoRecord::fileName())));  // opened or created
    }

    void archiveErrorPausesTheTimerWhileShown()
    {
        QVERIFY(QDir(m_folder->path()).mkdir(AutomezzoRecord::fileName()));
        WatchedSlideshow show(*m_windows, m_windows->frmAutoparco());
        show.show();
        show.cmdAvantiClick();
        show.cmdAvantiClick();
        const auto messages = MessageBoxes::takeShown();
        QCOMPARE(messages.size(), 2);
        for (const auto &message : messages) {
            QCOMPARE(message.kind, Kind::Error);
            QCOMPARE(message.text, archiveAccessMessage());
        }
        QCOMPARE(show.timerRunningDuringMessage, (QList<bool>{false, false}));
        QVERIFY(show.Timer->isActive());
        QVERIFY(show.isVisible());
        QCOMPARE(shown(show), QStringLiteral("-"));

        // Once the archive can be read again, the next tick goes on.
        QVERIFY(QDir(m_folder->path()).rmdir(AutomezzoRecord::fileName()));
        appendVehicles(1);
        writePhoto(1, Qt::red);
        show.cmdAvantiClick();
        QCOMPARE(show.lblPosizione->text(), QStringLiteral("1"));
        QCOMPARE(shown(show), QStringLiteral("red"));
        QCOMPARE(MessageBoxes::takeShown().size(), 0);
    }

    void timerTickRunsTheNextStep()
    {
        appendVehicles(1);
        writePhoto(1, Qt::red);
        TfrmSlideshow_Automezzi show(*m_windows, m_windows->frmAutoparco());
        show.show();
        QVERIFY(QMetaObject::invokeMethod(show.Timer, "timeout", Qt::DirectConnection));
        QCOMPARE(show.lblPosizione->text(), QStringLiteral("1"));
    }

    void clickClosesAndStopsTheTimer_data()
    {
        QTest::addColumn<QString>("target");
        QTest::newRow("photo") << QStringLiteral("imgFoto");
        QTest::newRow("panel") << QStringLiteral("panContainer");
    }
    void clickClosesAndStopsTheTimer()
    {
        QFETCH(QString, target);
        appendVehicles(1);
        TfrmSlideshow_Automezzi show(*m_windows, m_windows->frmAutoparco());
        show.show();
        show.cmdAvantiClick();
        QWidget *control = show.findChild<QWidget *>(target);
        QVERIFY(control);
        QTest::mouseClick(control, Qt::LeftButton, {}, QPoint(2, 2));
        QVERIFY(!show.isVisible());
        QVERIFY(!show.Timer->isActive());
    }

    void strayKeysDoNotClose()
    {
        TfrmSlideshow_Automezzi show(*m_windows, m_windows->frmAutoparco());
        show.show();
        QTest::keyClick(&show, Qt::Key_Return);
        QTest::keyClick(&show, Qt::Key_A);
        QVERIFY(show.isVisible());
        QVERIFY(show.Timer->isActive());
    }

    void escapeCloses()
    {
        TfrmSlideshow_Automezzi show(*m_windows, m_windows->frmAutoparco());
        show.show();
        QTest::keyClick(&show, Qt::Key_Escape);
        QVERIFY(!show.isVisible());
        QVERIFY(!show.Timer->isActive());
    }

    void rightArrowShowsTheNextPhoto()
    {
        appendVehicles(2);
        TfrmSlideshow_Automezzi show(*m_windows, m_windows->frmAutoparco());
        show.show();
        QTest::keyClick(&show, Qt::Key_Right);
        QCOMPARE(show.lblPosizione->text(), QStringLiteral("1"));
        QTest::keyClick(&show, Qt::Key_Right);
        QCOMPARE(show.lblPosizione->text(), QStringLiteral("2"));
    }
};

QTEST_MAIN(TestSlideshow)
#include "tst_slideshow.moc"
