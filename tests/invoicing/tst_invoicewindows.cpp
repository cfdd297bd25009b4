// The invoice windows driven offscreen: the workshop's data, the invoice of a stored sheet with its
// courtesy copy, the register with its CSV and monthly zip. With CABLORA_PICTURES=<folder> set, each
// window is also saved there as a PNG for review.
#include "../invoice/InvoiceFixture.h"
#include "invoice/InvoiceRegister.h"
#include "invoicing/TfrmDatiOfficina.h"
#include "invoicing/TfrmFattura.h"
#include "invoicing/TfrmFattureEmesse.h"
#include "sheets/TfrmInterventi.h"
#include "shell/AppWindows.h"
#include "shell/TfrmAvvio.h"
#include "support/TestSupport.h"
#include "widgets/FileDialogs.h"
#include "widgets/FormHelpers.h"
#include "widgets/MessageBoxes.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QTableWidget>
#include <QtTest>

using namespace InvoiceFixture;

namespace {

void picture(QWidget *window, const QString &name)
{
    const QString folder = qEnvironmentVariable("CABLORA_PICTURES");
    if (!folder.isEmpty())
        window->grab().save(QDir(folder).filePath(name + QStringLiteral(".png")));
}

// Types the text as key presses (characters beyond ASCII too).
void type(QLineEdit *edit, const QString &text)
{
    edit->setFocus();
    edit->selectAll();
    for (const QChar c : text) {
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
        QApplication::sendEvent(edit, &press);
    }
}

}  // namespace

class TestInvoiceWindows : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { TestSupport::scriptEverything(); }
    void workshopData();
    void invoiceOfASheet();
    void commandsAreThere();
};

void TestInvoiceWindows::workshopData()
{
    const auto folder = TestSupport::programFolder();
    const auto windows = TestSupport::createWindows(folder->path());
    TfrmDatiOfficina dialog(*windows, nullptr);
    dialog.show();
    type(dialog.txtDenominazione, QStringLiteral("Elettrauto Bianchi"));
    type(dialog.txtPartitaIva, QStringLiteral("01234567897"));
    type(dialog.txtIndirizzo, QStringLiteral("Via dell'Industria"));
    type(dialog.txtCAP, QStringLiteral("20100"));
    // A character the invoice cannot carry is refused as it is typed, and the status line says why.
    type(dialog.txtComune, QStringLiteral("Milano\u20AC"));
    QCOMPARE(dialog.txtComune->text(), QStringLiteral("Milano"));
    QVERIFY2(dialog.panInfo->text().startsWith(
                 QStringLiteral("Il carattere «€» non è ammesso (campo: comune dell'officina)")),
             qPrintable(dialog.panInfo->text()));
    type(dialog.txtProvincia, QStringLiteral("mi"));
    QCOMPARE(dialog.txtProvincia->text(), QStringLiteral("MI"));
    picture(&dialog, QStringLiteral("dati-officina"));
    MessageBoxes::takeShown();
    dialog.cmdSalva->click();
    QVERIFY(MessageBoxes::takeShown().isEmpty());  // complete: saved without asking
    const Invoice::Cedente stored = WorkshopSettings::read(folder->path());
    QCOMPARE(stored.Denominazione, QStringLiteral("Elettrauto Bianchi"));
    QCOMPARE(stored.sede.Comune, QStringLiteral("Milano"));
    QCOMPARE(stored.RegimeFiscale, QStringLiteral("RF01"));
    QVERIFY(TestSupport::readFile(QDir(folder->path()).filePath("Cablora.ini")).contains("[Fatturazione]"));
    // A VAT number that fails its check is named before saving; Annulla keeps the file as it was.
    TfrmDatiOfficina again(*windows, nullptr);
    QCOMPARE(again.txtPartitaIva->text(), QStringLiteral("01234567897"));
    type(again.txtPartitaIva, QStringLiteral("01234567890"));
    MessageBoxes::setNextAnswer(MessageBoxes::Answer::No);
    again.cmdSalva->click();
    const auto shown = MessageBoxes::takeShown();
    QCOMPARE(shown.size(), 1);
    QVERIFY(shown.first().text.contains(QStringLiteral("La partita IVA dell'officina (01234567890) non è valida")));
    QCOMPARE(WorkshopSettings::read(folder->path()).PartitaIva, QStringLiteral("01234567897"));
}

void TestInvoiceWindows::invoiceOfASheet()
{
    const auto folder = TestSupport::programFolder();
    QVERIFY(prepareFolder(folder->path()));
    const auto windows = TestSupport::createWindows(folder->path());
    TfrmFattura dialog(*windows, sheetRecord(), nullptr);
    dialog.show();
    // Prefilled: the customer found by the sheet's name, one line at the sheet's total.
    QCOMPARE(dialog.cboCliente->currentData().toLongLong(), qint64(1));
    QCOMPARE(dialog.txtClienteCognome->text(), QStringLiteral("Rossi"));
    QCOMPARE(dialog.txtClienteCodiceFiscale->text(), QStringLiteral("RSSMRA80A01H501U"));
    QCOMPARE(dialog.txtNumero->text(), QStringLiteral("1"));
    QCOMPARE(dialog.tblRighe->rowCount(), 1);
    QCOMPARE(dialog.tblRighe->item(0, 2)->text(), QStringLiteral("183,00"));
    QVERIFY(dialog.chkIvaInclusa->isChecked());
    QVERIFY(dialog.chkPagata->isChecked());
    QCOMPARE(dialog.lblTotali->text(), QStringLiteral("Imponibile 150,00   IVA 33,00   Totale \u20AC 183,00"));
    // Split into labour and parts at two rates.
    dialog.tblRighe->item(0, 2)->setText(QStringLiteral("122,00"));
    dialog.cmdAggiungiRiga->click();
    dialog.tblRighe->item(1, 0)->setText(QStringLiteral("Ricambi"));
    dialog.tblRighe->item(1, 2)->setText(QStringLiteral("61,00"));
    QCOMPARE(dialog.lblTotali->text(), QStringLiteral("Imponibile 150,00   IVA 33,00   Totale \u20AC 183,00"));
    // A corrected customer field is marked and named before issuing, never silently.
    type(dialog.txtClienteIndirizzo, QStringLiteral("Via Roma 10"));
    QVERIFY(dialog.panInfo->text().contains(QStringLiteral("indirizzo")));
    picture(&dialog, QStringLiteral("fattura"));
    MessageBoxes::takeShown();
    dialog.cmdEmetti->click();
    const auto shown = MessageBoxes::takeShown();
    QCOMPARE(shown.size(), 2);
    QVERIFY(shown.at(0).text.contains(QStringLiteral("differiscono dall'anagrafica (indirizzo)")));
    QVERIFY2(shown.at(1).text.startsWith(QStringLiteral("Fattura n. 1 del ")), qPrintable(shown.at(1).text));
    const int year = QDate::currentDate().year();
    QCOMPARE(dialog.issuedFile(), InvoiceNumbering::fileName(QStringLiteral("01234567897"), year, 1));
    QVERIFY(!dialog.cmdEmetti->isEnabled());
    const QByteArray xml =
        TestSupport::readFile(QDir(InvoiceRegister::folderPath(folder->path())).filePath(dialog.issuedFile()));
    QVERIFY(xml.contains("<Indirizzo>Via Roma 10</Indirizzo>"));
    QVERIFY(xml.contains("<Descrizione>Ricambi</Descrizione>"));
    // The courtesy copy as a PDF.
    const QString pdf = QDir(folder->path()).filePath(QStringLiteral("copia.pdf"));
    FileDialogs::setNextFileName(pdf);
    dialog.cmdSalvaCopia->click();
    QVERIFY(QFileInfo::exists(pdf));
    QProcess text;
    text.start(QStringLiteral("pdftotext"), {pdf, QStringLiteral("-")});
    if (text.waitForFinished(30000)) {
        const QString words = QString::fromUtf8(text.readAllStandardOutput()).simplified();
        QVERIFY2(words.contains(QStringLiteral("FATTURA N. 1 DEL")), qPrintable(words));
        QVERIFY(words.contains(QStringLiteral("il documento valido ai fini fiscali è il file XML trasmesso allo SdI")));
        QVERIFY(words.contains(QStringLiteral("183,00")));
    }

    // The register: one invoice, paid; CSV for the accountant, the month's zip.
    TfrmFattureEmesse list(*windows, nullptr);
    list.show();
    QCOMPARE(list.lstFatture->rowCount(), 1);
    QCOMPARE(list.lstFatture->item(0, 6)->text(), QStringLiteral("183,00"));
    QCOMPARE(list.lstFatture->item(0, 7)->text(), QStringLiteral("Sì"));
    picture(&list, QStringLiteral("fatture-emesse"));
    list.lstFatture->selectRow(0);
    list.cmdPagata->click();
    QCOMPARE(list.lstFatture->item(0, 7)->text(), QStringLiteral("No"));
    const QString csv = QDir(folder->path()).filePath(QStringLiteral("fatture.csv"));
    FileDialogs::setNextFileName(csv);
    list.cmdCsv->click();
    const QByteArray csvBytes = TestSupport::readFile(csv);
    QVERIFY(csvBytes.startsWith("\xEF\xBB\xBFNumero;Data;Tipo;Cliente;"));
    QVERIFY(csvBytes.contains(";Rossi Mario;;RSSMRA80A01H501U;150,00;33,00;183,00;No;57;"));
    FileDialogs::setNextFileName(folder->path());
    list.cboMese->setCurrentIndex(QDate::currentDate().month() - 1);
    list.cmdZip->click();
    QVERIFY(
        QFileInfo::exists(QDir(folder->path()).filePath(InvoiceRegister::zipName(year, QDate::currentDate().month()))));
}

void TestInvoiceWindows::commandsAreThere()
{
    const auto folder = TestSupport::programFolder();
    const auto windows = TestSupport::createWindows(folder->path());
    QVERIFY(windows->frmInterventi()->findChild<PictureButton *>(QStringLiteral("cmdFattura")));
    // An unsaved sheet cannot be invoiced: the command says so.
    MessageBoxes::takeShown();
    windows->frmInterventi()->cmdFattura->click();
    const auto shown = MessageBoxes::takeShown();
    QCOMPARE(shown.size(), 1);
    QVERIFY(shown.first().text.contains(QStringLiteral("salvare prima la scheda")));
}

QTEST_MAIN(TestInvoiceWindows)
#include "tst_invoicewindows.moc"
