// Printing and previewing the vehicle sheet from the vehicle window: the screen as it stands (saved
// or not) with its photo, the placeholder or the built-in picture when there is no photo; cancelling
// prints nothing; failures are told with the dialog's own warning.

#include "media/Logo.h"
#include "reports/PdfWords.h"
#include "shell/AppWindows.h"
#include "support/TestSupport.h"
#include "vehicles/TfrmAnteprimaAutomezzo.h"
#include "vehicles/TfrmAutoparco.h"
#include "vehicles/TfrmStampaAutomezzo.h"
#include "widgets/FormHelpers.h"
#include "widgets/MessageBoxes.h"
#include "widgets/PhotoArea.h"
#include "widgets/PrintDialogs.h"
#include "widgets/ReportPreview.h"

#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

using TestSupport::solid;

using TestSupport::objectNamed;

class TestStampaAutomezzo : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void dialogs();
    void printing_data();
    void printing();
    void previewShowsTheScreenAndItsPhoto_data();
    void previewShowsTheScreenAndItsPhoto();

private:
    TfrmAutoparco &window() { return *m_windows->frmAutoparco(); }

    std::unique_ptr<QTemporaryDir> m_folder;
    std::unique_ptr<AppWindows> m_windows;
};

void TestStampaAutomezzo::initTestCase()
{
    TestSupport::scriptEverything();
}

void TestStampaAutomezzo::init()
{
    m_windows.reset();
    m_folder = TestSupport::programFolder();
    m_windows = TestSupport::createWindows(m_folder->path());
    PrintDialogs::setScripted(true);
    ReportPreview::setScripted(true);
    MessageBoxes::takeShown();
    window().show();
    window().txtTarga->setText(QStringLiteral("  AB123CD "));
    window().txtMarca->setText(QStringLiteral("Fiat"));
    // Typed, never saved: the sheet prints the screen, not the archive.
    window().txtTelaio->setText(QStringLiteral("ZFA3120000"));
    window().txtProprietario->setText(QStringLiteral("ECU motore"));
}

void TestStampaAutomezzo::dialogs()
{
    TfrmStampaAutomezzo print(*m_windows);
    QCOMPARE(print.windowTitle(), QStringLiteral(" Stampa documento"));
    QCOMPARE(print.btnStampa->text(), QStringLiteral("Stampa"));
    TfrmAnteprimaAutomezzo preview(*m_windows);
    QCOMPARE(preview.windowTitle(), QStringLiteral(" Anteprima di stampa"));
    QCOMPARE(preview.btnStampa->text(), QStringLiteral("Mostra anteprima"));
    for (RecordPrintDialog *dialog :
         {static_cast<RecordPrintDialog *>(&print), static_cast<RecordPrintDialog *>(&preview)}) {
        dialog->show();
        QTest::mouseClick(dialog->btnAnnulla, Qt::LeftButton);
        QVERIFY(!dialog->isVisible());
    }
    QCOMPARE(PrintDialogs::timesAsked(), 0);
    QCOMPARE(ReportPreview::timesShown(), 0);
}

void TestStampaAutomezzo::printing_data()
{
    QTest::addColumn<QString>("answer");  // "cancel", or the PDF the test printer writes
    QTest::addColumn<bool>("printed");
    QTest::addColumn<QString>("message");

    QTest::newRow("printed") << "veicolo.pdf" << true << QString();
    QTest::newRow("cancelled prints nothing") << "cancel" << false << QString();
    QTest::newRow("printer failure") << "manca/veicolo.pdf" << false
                                     << "Attenzione: la stampa del documento non è andata a buon fine.\n\r\n\r"
                                        "Si consiglia di ridurre le dimensioni della foto.";
}

void TestStampaAutomezzo::printing()
{
    QFETCH(QString, answer);
    QFETCH(bool, printed);
    QFETCH(QString, message);
    const QString pdf = m_folder->filePath(answer);
    if (answer == QLatin1String("cancel"))
        PrintDialogs::setNextCancel();
    else
        PrintDialogs::setNextAccept(pdf);

    // The window's command opens the print dialog; the dialog is confirmed when it shows.
    QTimer::singleShot(0, [] {
        for (QWidget *top : QApplication::topLevelWidgets()) {
            if (auto *dialog = qobject_cast<TfrmStampaAutomezzo *>(top); dialog && dialog->isVisible())
                QTest::mouseClick(dialog->btnStampa, Qt::LeftButton);
        }
    });
    QTest::mouseClick(window().cmdStampa, Qt::LeftButton);
    QCOMPARE(PrintDialogs::timesAsked(), 1);
    QCOMPARE(QFile::exists(pdf), printed);
    if (printed) {
        const QList<PdfWords::Page> pages = PdfWords::read(pdf);
        QCOMPARE(pages.size(), 1);
        for (const char *text : {"SCHEDA VEICOLO", "AB123CD", "ZFA3120000", "ECU motore", "CENTRALINE INSTALLATE"})
            QVERIFY2(!pages.at(0).find(QString::fromLatin1(text)).isNull(), text);
    }
    const auto shown = MessageBoxes::takeShown();
    QCOMPARE(shown.size(), message.isEmpty() ? 0 : 1);
    if (!message.isEmpty()) {
        QCOMPARE(shown.at(0).kind, MessageBoxes::Kind::Warning);
        QCOMPARE(shown.at(0).text, message);
        QCOMPARE(TfrmStampaAutomezzo::failureMessage(), message);
    }
}

void TestStampaAutomezzo::previewShowsTheScreenAndItsPhoto_data()
{
    QTest::addColumn<QString>("photo");  // "photo", "placeholder"

    QTest::newRow("the vehicle's photo") << "photo";
    QTest::newRow("no photo: the placeholder") << "placeholder";
}

void TestStampaAutomezzo::previewShowsTheScreenAndItsPhoto()
{
    QFETCH(QString, photo);
    const QImage red = solid(Qt::red, QSize(640, 480));
    if (photo == QLatin1String("photo"))
        window().imgFoto->setImage(red);
    const QImage expected = photo == QLatin1String("photo") ? red : window().imgBianco;

    TfrmAnteprimaAutomezzo dialog(*m_windows);
    dialog.show();
    QTest::mouseClick(dialog.btnStampa, Qt::LeftButton);
    QVERIFY(!dialog.isVisible());
    QVERIFY(MessageBoxes::takeShown().isEmpty());
    QCOMPARE(ReportPreview::timesShown(), 1);
    const PreparedReport shown = ReportPreview::lastShown();
    QCOMPARE(shown.name, QStringLiteral("Scheda Veicolo"));
    QCOMPARE(shown.pageCount(), 1);
    QCOMPARE(objectNamed(shown, "imgLogo")->picture.convertToFormat(QImage::Format_RGB32),
             expected.convertToFormat(QImage::Format_RGB32));
    QCOMPARE(objectNamed(shown, "txtTarga")->text, QStringLiteral("AB123CD"));
    QCOMPARE(objectNamed(shown, "txtProprietario")->text, QStringLiteral("ECU motore"));
    QCOMPARE(objectNamed(shown, "txtNome")->text, QStringLiteral("SCHEDA VEICOLO"));
}

QTEST_MAIN(TestStampaAutomezzo)
#include "tst_stampaautomezzo.moc"
