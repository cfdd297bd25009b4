// The customer window's sheet commands: "Stampa", "Anteprima" and "Crea PDF" print what the screen
// shows (saved or not); the PDF replaces Cliente.pdf, carries its title and subject, and a failure is
// told in clear words with the screen left as it was.

#include "customers/TfrmClienti.h"
#include "reports/PdfWords.h"
#include "shell/AppWindows.h"
#include "shell/TMisc.h"
#include "support/TestSupport.h"
#include "widgets/FormHelpers.h"
#include "widgets/MessageBoxes.h"
#include "widgets/PrintDialogs.h"
#include "widgets/ReportPreview.h"

#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QtTest>

using Answer = MessageBoxes::Answer;

using TestSupport::objectNamed;

class TestClienteSheet : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void previewShowsTheUnsavedScreen();
    void printing_data();
    void printing();
    void pdf_data();
    void pdf();
    void pdfFailureIsToldAndKeepsTheScreen_data();
    void pdfFailureIsToldAndKeepsTheScreen();

private:
    TfrmClienti &window() { return *m_windows->frmClienti(); }
    QString pdfPath() const { return m_folder->filePath(QStringLiteral("Cliente.pdf")); }

    std::unique_ptr<QTemporaryDir> m_folder;
    std::unique_ptr<AppWindows> m_windows;
};

void TestClienteSheet::initTestCase()
{
    TestSupport::scriptEverything();
}

void TestClienteSheet::init()
{
    m_windows.reset();
    m_folder = TestSupport::programFolder();
    m_windows = TestSupport::createWindows(m_folder->path());
    PrintDialogs::setScripted(true);
    ReportPreview::setScripted(true);
    MessageBoxes::takeShown();
    TMisc::takeOpened();
    window().show();
    window().cmdNuovoClick();
    window().txtCognome->setText(QStringLiteral("  Rossi"));
    window().txtNome->setText(QStringLiteral("Mario "));
    window().txtCarta->setText(QStringLiteral("4111111111111111"));
    window().txtColore->setText(QStringLiteral("ZFA312000001234567890"));
}

void TestClienteSheet::previewShowsTheUnsavedScreen()
{
    const int before = ReportPreview::timesShown();
    QTest::mouseClick(window().cmdAnteprima, Qt::LeftButton);
    QCOMPARE(ReportPreview::timesShown(), before + 1);
    QVERIFY(MessageBoxes::takeShown().isEmpty());
    const PreparedReport shown = ReportPreview::lastShown();
    QCOMPARE(shown.name, QStringLiteral("Scheda informativa"));
    QCOMPARE(shown.pageCount(), 1);
    QCOMPARE(shown.pages.at(0).layout.orientation(), QPageLayout::Portrait);
    QCOMPARE(objectNamed(shown, "txtTitolo")->text, QStringLiteral("SCHEDA ANAGRAFICA CLIENTE"));
    QCOMPARE(objectNamed(shown, "txtCampo01")->text, QStringLiteral("Rossi Mario"));
    QCOMPARE(objectNamed(shown, "txtCampo16")->text, QStringLiteral("N. 4111111111111111  -  Scadenza: "));
    QCOMPARE(objectNamed(shown, "txtCampo21")->text, QStringLiteral("  -  Telaio: ZFA312000001234567890"));
    QVERIFY(objectNamed(shown, "txtCalce")->text.startsWith(QStringLiteral("Stampa eseguita in data ")));
    // Nothing was stored by printing.
    QVERIFY(!QFile::exists(m_folder->filePath(QStringLiteral("Clienti.pro")))
            || QFileInfo(m_folder->filePath(QStringLiteral("Clienti.pro"))).size() == 0);
}

void TestClienteSheet::printing_data()
{
    QTest::addColumn<QString>("answer");  // "cancel", or the PDF the test printer writes
    QTest::addColumn<bool>("printed");
    QTest::addColumn<bool>("warned");

    QTest::newRow("printed") << "stampa.pdf" << true << false;
    QTest::newRow("cancelled prints nothing") << "cancel" << false << false;
    QTest::newRow("printer failure is told") << "manca/stampa.pdf" << false << true;
}

void TestClienteSheet::printing()
{
    QFETCH(QString, answer);
    QFETCH(bool, printed);
    QFETCH(bool, warned);
    const QString printedPdf = m_folder->filePath(answer);
    if (answer == QLatin1String("cancel"))
        PrintDialogs::setNextCancel();
    else
        PrintDialogs::setNextAccept(printedPdf);

    QTest::mouseClick(window().cmdStampa, Qt::LeftButton);
    QCOMPARE(QFile::exists(printedPdf), printed);
    if (printed) {
        const QList<PdfWords::Page> pages = PdfWords::read(printedPdf);
        QCOMPARE(pages.size(), 1);
        QVERIFY(!pages.at(0).find(QStringLiteral("Rossi Mario")).isNull());
    }
    const auto shown = MessageBoxes::takeShown();
    QCOMPARE(shown.size(), warned ? 1 : 0);
    if (warned)
        QCOMPARE(shown.at(0).text, TfrmClienti::printFailureMessage());
    QCOMPARE(window().txtCognome->text(), QStringLiteral("  Rossi"));
}

void TestClienteSheet::pdf_data()
{
    QTest::addColumn<bool>("earlierFile");
    QTest::addColumn<int>("answer");
    QTest::addColumn<bool>("opened");

    QTest::newRow("new file, open it") << false << int(Answer::Yes) << true;
    QTest::newRow("replaces the earlier file, do not open") << true << int(Answer::No) << false;
}

void TestClienteSheet::pdf()
{
    QFETCH(bool, earlierFile);
    QFETCH(int, answer);
    QFETCH(bool, opened);
    if (earlierFile)
        QVERIFY(TestSupport::writeFile(pdfPath(), QByteArray("vecchio file")));

    MessageBoxes::setNextAnswer(Answer(answer));
    QTest::mouseClick(window().cmdPDF, Qt::LeftButton);

    const auto shown = MessageBoxes::takeShown();
    QCOMPARE(shown.size(), 1);
    QCOMPARE(shown.at(0).kind, MessageBoxes::Kind::Question);
    QCOMPARE(shown.at(0).text, QStringLiteral("L'esportazione della scheda in PDF è terminata con successo.\r\n\r\n"
                                              "Si vuole aprire il file?"));
    const QByteArray bytes = TestSupport::readFile(pdfPath());
    QVERIFY(bytes.startsWith("%PDF"));
    // Title and subject, as an independent reader sees them.
    QProcess info;
    info.start(QStringLiteral("pdfinfo"), {pdfPath()});
    QVERIFY(info.waitForFinished(30000));
    QHash<QString, QString> described;
    for (const QString &line : QString::fromUtf8(info.readAllStandardOutput()).split(QLatin1Char('\n')))
        described.insert(line.section(QLatin1Char(':'), 0, 0), line.section(QLatin1Char(':'), 1).trimmed());
    QCOMPARE(described.value(QStringLiteral("Title")), QStringLiteral("Scheda informativa"));
    QCOMPARE(described.value(QStringLiteral("Subject")), QStringLiteral("Scheda informativa"));
    QVERIFY(!PdfWords::read(pdfPath()).value(0).find(QStringLiteral("Rossi Mario")).isNull());

    const QStringList handed = TMisc::takeOpened();
    QCOMPARE(handed, opened ? QStringList{QLatin1Char('"') + pdfPath() + QLatin1Char('"')} : QStringList());
}

void TestClienteSheet::pdfFailureIsToldAndKeepsTheScreen_data()
{
    QTest::addColumn<QString>("obstacle");

    QTest::newRow("a folder stands where the file goes") << "folder";
    QTest::newRow("read-only program folder") << "read-only";
}

void TestClienteSheet::pdfFailureIsToldAndKeepsTheScreen()
{
    QFETCH(QString, obstacle);
    QFile::Permissions permissions = QFile::permissions(m_folder->path());
    if (obstacle == QLatin1String("folder")) {
        QVERIFY(QDir(m_folder->path()).mkdir(QStringLiteral("Cliente.pdf")));
    } else {
        QVERIFY(TestSupport::writeFile(pdfPath(), QByteArray("vecchio file")));
        QFile::setPermissions(m_folder->path(), QFile::ReadOwner | QFile::ExeOwner);
        if (QFileInfo(m_folder->path()).isWritable())
            QSKIP("The folder stays writable (running as root).");
    }

    QTest::mouseClick(window().cmdPDF, Qt::LeftButton);
    QFile::setPermissions(m_folder->path(), permissions);

    const auto shown = MessageBoxes::takeShown();
    QCOMPARE(shown.size(), 1);
    QCOMPARE(shown.at(0).kind, MessageBoxes::Kind::Warning);
    QCOMPARE(shown.at(0).text, TfrmClienti::pdfFailureMessage());
    QVERIFY(TMisc::takeOpened().isEmpty());
    QCOMPARE(window().txtCognome->text(), QStringLiteral("  Rossi"));
    if (obstacle != QLatin1String("folder"))
        QCOMPARE(TestSupport::readFile(pdfPath()), QByteArray("vecchio file"));
}

QTEST_MAIN(TestClienteSheet)
#include "tst_clientesheet.moc"
