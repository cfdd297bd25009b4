// The print / preview confirmation that the record windows share: the picture loaded on showing and
// handed to the caller's builder, the output chosen by the face, a warning for every failure, the
// dialog closed either way, "Annulla" without output.

#include "reports/Report.h"
#include "reports/SummaryReport.h"
#include "support/TestSupport.h"
#include "widgets/MessageBoxes.h"
#include "widgets/PrintDialogs.h"
#include "widgets/RecordPrintDialog.h"
#include "widgets/ReportPreview.h"

#include <QFile>
#include <QPushButton>
#include <QtTest>

#include <stdexcept>

namespace {

const QString kFailure = QStringLiteral("Attenzione: prova non riuscita.");

PreparedReport sampleReport()
{
    Report report = SummaryReport::buildTemplate(QStringLiteral("Prova"));
    SummaryReport::fill(report, QStringLiteral("Titolo"), {QStringLiteral("riga uno")}, QStringLiteral("piede"));
    return report.prepare();
}

QImage solid(const QColor &colour)
{
    QImage image(8, 6, QImage::Format_RGB32);
    image.fill(colour);
    return image;
}

}  // namespace

class TestRecordPrintDialog : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<QTemporaryDir> m_folder;

private slots:
    void initTestCase() { TestSupport::scriptEverything(); }

    void init()
    {
        m_folder = TestSupport::programFolder();
        PrintDialogs::setScripted(true);
        ReportPreview::setScripted(true);
        MessageBoxes::takeShown();
    }

    void faces()
    {
        const RecordPrintDialog::Setup print = RecordPrintDialog::printing(kFailure);
        RecordPrintDialog printing(print);
        QCOMPARE(printing.windowTitle(), QStringLiteral(" Stampa documento"));
        QCOMPARE(printing.btnAnnulla->text(), QStringLiteral("Annulla"));
        QCOMPARE(printing.btnStampa->text(), QStringLiteral("Stampa"));
        RecordPrintDialog previewing(RecordPrintDialog::previewing(kFailure));
        QCOMPARE(previewing.windowTitle(), QStringLiteral(" Anteprima di stampa"));
        QCOMPARE(previewing.btnStampa->text(), QStringLiteral("Mostra anteprima"));
        QCOMPARE(previewing.findChild<QPushButton *>(QStringLiteral("btnStampa")), previewing.btnStampa);
    }

    void confirm_data()
    {
        QTest::addColumn<bool>("preview");
        QTest::addColumn<QString>("build");   // "ok", "nothing" (the builder failed), "throws"
        QTest::addColumn<QString>("answer");  // print dialog: a PDF file, or "cancel"
        QTest::addColumn<bool>("warned");

        QTest::newRow("printed") << false << "ok"
                                 << "stampa.pdf" << false;
        QTest::newRow("print dialog cancelled: no failure") << false << "ok"
                                                            << "cancel" << false;
        QTest::newRow("printer fails") << false << "ok"
                                       << "manca/stampa.pdf" << true;
        QTest::newRow("builder fails: nothing printed") << false << "nothing"
                                                        << "stampa.pdf" << true;
        QTest::newRow("builder throws") << false << "throws"
                                        << "stampa.pdf" << true;
        QTest::newRow("preview shown") << true << "ok"
                                       << "" << false;
        QTest::newRow("preview: builder fails") << true << "nothing"
                                                << "" << true;
    }

    void confirm()
    {
        QFETCH(bool, preview);
        QFETCH(QString, build);
        QFETCH(QString, answer);
        QFETCH(bool, warned);

        const QString pdf = m_folder->filePath(answer);
        if (answer == QLatin1String("cancel"))
            PrintDialogs::setNextCancel();
        else if (!answer.isEmpty())
            PrintDialogs::setNextAccept(pdf);
        if (answer.contains(QLatin1Char('/')))
            QTest::ignoreMessage(QtWarningMsg, "QPainter::begin(): Returned false");

        RecordPrintDialog::Setup setup =
            preview ? RecordPrintDialog::previewing(kFailure) : RecordPrintDialog::printing(kFailure);
        int built = 0;
        setup.build = [&](const QImage &) -> std::optional<PreparedReport> {
            ++built;
            if (build == QLatin1String("throws"))
                throw std::runtime_error("template");
            if (build == QLatin1String("nothing"))
                return std::nullopt;
            return sampleReport();
        };
        RecordPrintDialog dialog(setup);
        dialog.show();
        QTest::mouseClick(dialog.btnStampa, Qt::LeftButton);

        QCOMPARE(built, 1);
        QVERIFY(!dialog.isVisible());
        const bool builtOk = build == QLatin1String("ok");
        QCOMPARE(PrintDialogs::timesAsked(), !preview && builtOk ? 1 : 0);
        QCOMPARE(ReportPreview::timesShown(), preview && builtOk ? 1 : 0);
        if (preview && builtOk)
            QCOMPARE(ReportPreview::lastShown().name, QStringLiteral("Prova"));
        if (!preview && !answer.contains(QLatin1Char('/')) && answer != QLatin1String("cancel"))
            QCOMPARE(QFile::exists(pdf), builtOk);

        const QList<MessageBoxes::Shown> shown = MessageBoxes::takeShown();
        if (warned) {
            QCOMPARE(shown.size(), 1);
            QCOMPARE(shown[0].kind, MessageBoxes::Kind::Warning);
            QCOMPARE(shown[0].text, kFailure);
        } else {
            QVERIFY(shown.isEmpty());
        }
    }

    // By the keyboard: Enter presses the confirm button (Annulla when it has the focus), Esc cancels.
    void keys_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<bool>("onAnnulla");
        QTest::addColumn<int>("previews");
        QTest::newRow("Enter confirms") << int(Qt::Key_Return) << false << 1;
        QTest::newRow("Enter on Annulla cancels") << int(Qt::Key_Return) << true << 0;
        QTest::newRow("Esc cancels") << int(Qt::Key_Escape) << false << 0;
    }

    void keys()
    {
        QFETCH(int, key);
        QFETCH(bool, onAnnulla);
        QFETCH(int, previews);
        RecordPrintDialog::Setup setup = RecordPrintDialog::previewing(kFailure);
        setup.build = [](const QImage &) -> std::optional<PreparedReport> { return sampleReport(); };
        RecordPrintDialog dialog(setup);
        dialog.show();
        dialog.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
        QCOMPARE(QSize(dialog.size()), QSize(364, 287));
        if (onAnnulla)
            dialog.btnAnnulla->setFocus();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key(key));
        QVERIFY(!dialog.isVisible());
        QCOMPARE(ReportPreview::timesShown(), previews);
    }

    void pictureLoadedOnShowingGoesToTheBuilder()
    {
        RecordPrintDialog::Setup setup = RecordPrintDialog::previewing(kFailure);
        int loads = 0;
        setup.picture = [&loads] {
            ++loads;
            return solid(loads == 1 ? Qt::yellow : Qt::red);
        };
        QImage received;
        setup.build = [&received](const QImage &picture) -> std::optional<PreparedReport> {
            received = picture;
            return sampleReport();
        };
        RecordPrintDialog dialog(setup);
        QCOMPARE(loads, 0);
        dialog.show();
        QCOMPARE(loads, 1);
        QCOMPARE(dialog.imgLogo, solid(Qt::yellow));
        dialog.hide();
        dialog.show();
        QCOMPARE(loads, 1);  // loaded once, when first shown
        QTest::mouseClick(dialog.btnStampa, Qt::LeftButton);
        QCOMPARE(received, solid(Qt::yellow));
    }

    void withoutPictureTheBuilderGetsNone()
    {
        RecordPrintDialog::Setup setup = RecordPrintDialog::previewing(kFailure);
        bool called = false;
        QImage received = solid(Qt::blue);
        setup.build = [&](const QImage &picture) -> std::optional<PreparedReport> {
            called = true;
            received = picture;
            return sampleReport();
        };
        RecordPrintDialog dialog(setup);
        dialog.show();
        QTest::mouseClick(dialog.btnStampa, Qt::LeftButton);
        QVERIFY(called);
        QVERIFY(received.isNull());
        QVERIFY(MessageBoxes::takeShown().isEmpty());
    }

    void annullaBuildsNothing()
    {
        RecordPrintDialog::Setup setup = RecordPrintDialog::printing(kFailure);
        bool called = false;
        setup.build = [&called](const QImage &) -> std::optional<PreparedReport> {
            called = true;
            return sampleReport();
        };
        RecordPrintDialog dialog(setup);
        dialog.show();
        QTest::mouseClick(dialog.btnAnnulla, Qt::LeftButton);
        QVERIFY(!dialog.isVisible());
        QCOMPARE(dialog.result(), int(QDialog::Rejected));
        QVERIFY(!called);
        QCOMPARE(PrintDialogs::timesAsked(), 0);
        QVERIFY(MessageBoxes::takeShown().isEmpty());
    }
};

QTEST_MAIN(TestRecordPrintDialog)
#include "tst_recordprintdialog.moc"
