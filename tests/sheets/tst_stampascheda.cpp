// Printing and previewing the intervention sheet from the sheet window: what the window shows (saved
// or not) goes onto the two pages, trimmed; cancelling prints nothing; failures are reported.

#include "media/Logo.h"
#include "reports/PdfWords.h"
#include "sheets/TfrmAnteprimaScheda.h"
#include "sheets/TfrmInterventi.h"
#include "sheets/TfrmStampaScheda.h"
#include "shell/AppWindows.h"
#include "support/TestSupport.h"
#include "widgets/MessageBoxes.h"
#include "widgets/PhotoArea.h"
#include "widgets/PrintDialogs.h"
#include "widgets/ReportPreview.h"

#include <QFile>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QtTest>

using TestSupport::solid;

using TestSupport::objectNamed;

class TestStampaScheda : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void dialogs();
    void printing_data();
    void printing();
    void printedSheetShowsTheWindow();
    void preview_data();
    void preview();

private:
    void fillWindow();

    std::unique_ptr<QTemporaryDir> m_folder;
    std::unique_ptr<AppWindows> m_windows;
};

void TestStampaScheda::initTestCase()
{
    TestSupport::scriptEverything();
    ReportPreview::setScripted(true);
}

void TestStampaScheda::init()
{
    m_windows.reset();
    m_folder = TestSupport::programFolder();
    m_windows = TestSupport::createWindows(m_folder->path());
    PrintDialogs::setScripted(true);
    ReportPreview::setScripted(true);
    MessageBoxes::takeShown();
}

// A new sheet, never saved, typed with stray blanks and line breaks, with two photos never saved.
void TestStampaScheda::fillWindow()
{
    TfrmInterventi &sheet = *m_windows->frmInterventi();
    sheet.txtNumScheda->setText(QStringLiteral("  77 "));
    sheet.txtData->setText(QStringLiteral("05/03/2024"));
    sheet.txtAzienda->setText(QStringLiteral("  Elettrauto Bianchi - Milano"));
    sheet.txtCliente->setText(QStringLiteral("   Rossi Mario   "));
    sheet.txtRecapito->setText(QStringLiteral("333 1234567"));
    sheet.txtVeicolo->setText(QStringLiteral("Autovettura"));
    sheet.txtTarga->setText(QStringLiteral(" AB123CD"));
    sheet.txtMarca->setText(QStringLiteral("Fiat Panda"));
    sheet.txtChilometraggio->setText(QStringLiteral("120000"));
    sheet.txtTecnico->setText(QStringLiteral("Verdi Paolo"));
    sheet.txtPratica->setText(QStringLiteral("Sinistro 12"));
    sheet.txtDataInizio->setText(QStringLiteral("01/03/2024"));
    sheet.txtDataFine->setText(QStringLiteral("04/03/2024"));
    sheet.txtStato->setText(QStringLiteral("Completato"));
    sheet.txtDanni->setText(QStringLiteral("Non parte"));
    sheet.txtVernice->setText(QStringLiteral("Spia batteria"));
    sheet.txtRicambi->setText(QStringLiteral("Alternatore"));
    sheet.txtInterventi->setPlainText(QStringLiteral("\n\n  Sostituito alternatore\nProvato impianto\n\n"));
    sheet.txtManodopera->setText(QStringLiteral("2 ore"));
    sheet.txtTotale->setText(QStringLiteral(" 250,00 "));
    sheet.txtNote->setText(QStringLiteral("Nessuna"));
    sheet.imgFoto->setImage(solid(Qt::red, QSize(320, 240)));
    sheet.imgFoto02->setImage(solid(Qt::green, QSize(240, 320)));
}

void TestStampaScheda::dialogs()
{
    TfrmStampaScheda print(*m_windows);
    QCOMPARE(print.windowTitle(), QStringLiteral(" Stampa documento"));
    QCOMPARE(print.btnAnnulla->text(), QStringLiteral("Annulla"));
    QCOMPARE(print.btnStampa->text(), QStringLiteral("Stampa"));
    TfrmAnteprimaScheda preview(*m_windows);
    QCOMPARE(preview.windowTitle(), QStringLiteral(" Anteprima di stampa"));
    QCOMPARE(preview.btnStampa->text(), QStringLiteral("Mostra anteprima"));

    // "Annulla" closes without printing or showing anything.
    const QList<QPair<QDialog *, QPushButton *>> cancels = {{&print, print.btnAnnulla}, {&preview, preview.btnAnnulla}};
    for (const auto &[dialog, annulla] : cancels) {
        dialog->show();
        QTest::mouseClick(annulla, Qt::LeftButton);
        QVERIFY(!dialog->isVisible());
        QCOMPARE(dialog->result(), int(QDialog::Rejected));
    }
    QCOMPARE(PrintDialogs::timesAsked(), 0);
    QCOMPARE(ReportPreview::timesShown(), 0);
}

void TestStampaScheda::printing_data()
{
    QTest::addColumn<QString>("answer");  // "cancel", or the PDF the test printer writes
    QTest::addColumn<bool>("printed");
    QTest::addColumn<QString>("message");

    QTest::newRow("printed") << "scheda.pdf" << true << QString();
    QTest::newRow("cancelled prints nothing") << "cancel" << false << QString();
    QTest::newRow("printer failure") << "manca/scheda.pdf" << false << TfrmStampaScheda::failureMessage();
}

void TestStampaScheda::printing()
{
    QFETCH(QString, answer);
    QFETCH(bool, printed);
    QFETCH(QString, message);

    fillWindow();
    const QString pdf = m_folder->filePath(answer);
    if (answer == QLatin1String("cancel"))
        PrintDialogs::setNextCancel();
    else
        PrintDialogs::setNextAccept(pdf);

    TfrmStampaScheda dialog(*m_windows);
    dialog.show();
    QTest::mouseClick(dialog.btnStampa, Qt::LeftButton);
    QCOMPARE(PrintDialogs::timesAsked(), 1);
    QVERIFY(!dialog.isVisible());
    QCOMPARE(QFile::exists(pdf), printed);

    const QList<MessageBoxes::Shown> shown = MessageBoxes::takeShown();
    if (message.isEmpty()) {
        QVERIFY(shown.isEmpty());
    } else {
        QCOMPARE(shown.size(), 1);
        QCOMPARE(shown.at(0).kind, MessageBoxes::Kind::Warning);
        QCOMPARE(shown.at(0).text, message);
    }
}

void TestStampaScheda::printedSheetShowsTheWindow()
{
    fillWindow();
    const QString pdf = m_folder->filePath(QStringLiteral("scheda.pdf"));
    PrintDialogs::setNextAccept(pdf);
    TfrmStampaScheda dialog(*m_windows);
    dialog.show();
    QTest::mouseClick(dialog.btnStampa, Qt::LeftButton);

    const QList<PdfWords::Page> pages = PdfWords::read(pdf);
    QCOMPARE(pages.size(), 2);
    // Trimmed values in their boxes: "CLIENTE" at 5, 114 (value 1 mm in), "TOTALE" centred at 128, 195.
    const QRectF cliente = pages.at(0).find(QStringLiteral("Rossi Mario"));
    QVERIFY(qAbs(cliente.left() - (10 + 5 + 1)) < 1);
    QVERIFY(qAbs(cliente.center().y() - (10 + 114 + 6.4 + 2)) < 1);
    const QRectF totale = pages.at(1).find(QStringLiteral("250,00"));
    QVERIFY(qAbs(totale.center().x() - (10 + 128 + 28.5)) < 1);
    // The memo keeps its line breaks, without the leading and trailing ones.
    const QRectF first = pages.at(1).find(QStringLiteral("Sostituito alternatore"));
    const QRectF second = pages.at(1).find(QStringLiteral("Provato impianto"));
    QVERIFY(qAbs(first.top() - (10 + 73.8)) < 1);
    QVERIFY(qAbs(first.left() - (10 + 6.6)) < 1);
    QVERIFY(second.top() > first.bottom() - 0.2);
    QVERIFY(!pages.at(0).find(QStringLiteral("77")).isNull());
    QVERIFY(!pages.at(0).find(QStringLiteral("Pagina 1 di 2")).isNull());
    QVERIFY(!pages.at(1).find(QStringLiteral("Pagina 2 di 2")).isNull());
}

void TestStampaScheda::preview_data()
{
    QTest::addColumn<QByteArray>("stored");  // Logo.bmp's bytes; "none": no file
    QTest::addColumn<QImage>("logo");

    QByteArray bitmap;
    {
        QBuffer buffer(&bitmap);
        buffer.open(QIODevice::WriteOnly);
        solid(Qt::yellow, QSize(60, 40)).save(&buffer, "BMP");
    }
    QTest::newRow("no logo file: the default") << QByteArray("none") << Logo::defaultLogo();
    QTest::newRow("not a picture: the default") << QByteArray("xyz") << Logo::defaultLogo();
    QTest::newRow("stored logo") << bitmap << solid(Qt::yellow, QSize(60, 40));
}

void TestStampaScheda::preview()
{
    QFETCH(QByteArray, stored);
    QFETCH(QImage, logo);

    if (stored != "none")
        QVERIFY(TestSupport::writeFile(Logo::filePath(m_folder->path()), stored));
    fillWindow();
    TfrmInterventi &sheet = *m_windows->frmInterventi();
    const QString longText = QString(QStringLiteral("abcde ")).repeated(1000).left(5000);
    sheet.txtInterventi->setPlainText(longText);

    TfrmAnteprimaScheda dialog(*m_windows);
    dialog.show();
    QTest::mouseClick(dialog.btnStampa, Qt::LeftButton);
    QVERIFY(!dialog.isVisible());
    QVERIFY(MessageBoxes::takeShown().isEmpty());
    QCOMPARE(PrintDialogs::timesAsked(), 0);
    QCOMPARE(ReportPreview::timesShown(), 1);

    const PreparedReport shown = ReportPreview::lastShown();
    QCOMPARE(shown.pageCount(), 2);
    QCOMPARE(shown.pages.at(0).layout.orientation(), QPageLayout::Portrait);
    QCOMPARE(objectNamed(shown, QStringLiteral("imgLogo"))->picture.convertToFormat(QImage::Format_RGB32),
             logo.convertToFormat(QImage::Format_RGB32));
    QCOMPARE(objectNamed(shown, QStringLiteral("picFotografia01"))->picture, solid(Qt::red, QSize(320, 240)));
    QCOMPARE(objectNamed(shown, QStringLiteral("picFotografia02"))->picture, solid(Qt::green, QSize(240, 320)));
    QCOMPARE(objectNamed(shown, QStringLiteral("txtCliente"))->text, QStringLiteral("Rossi Mario"));
    QCOMPARE(objectNamed(shown, QStringLiteral("txtTotale"))->text, QStringLiteral("250,00"));
    QCOMPARE(objectNamed(shown, QStringLiteral("txtInterventi"))->text, longText.trimmed());
}

QTEST_MAIN(TestStampaScheda)
#include "tst_stampascheda.moc"
