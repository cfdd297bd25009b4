// The summary that every list dialog prints: landscape pages, the title at the top of the first page,
// the list's lines flowing over as many pages as they need, the footer once after the last line.

#include "reports/PdfWords.h"
#include "reports/Report.h"
#include "reports/SummaryReport.h"
#include "support/TestSupport.h"
#include "widgets/PrintDialogs.h"
#include "widgets/SummaryPrinting.h"

#include <QBuffer>
#include <QFile>
#include <QPdfWriter>
#include <QRegularExpression>
#include <QtTest>

namespace {

constexpr double kLinePitch = 12.822 * 25.4 / 96;  // mm
const QString kTitle = QStringLiteral("Riepilogo schede interventi in archivio");
const QString kFooter = QStringLiteral("Stampa eseguita in data 05/03/2024 alle ore 09:41:07");

// Lines as a list dialog makes them, each with its own number to find it again.
QStringList listLines(int count)
{
    QStringList lines;
    for (int n = 1; n <= count; ++n) {
        lines << QStringLiteral("Scheda n. %1  Data: 05/03/2024  Cliente: Rossi Mario               "
                                "Tel. 333 1234567      Fiat Panda                 Targa: AB123CD     € 1%2,00")
                     .arg(QStringLiteral("R%1").arg(n, 4, 10, QLatin1Char('0')), -10)
                     .arg(n);
    }
    return lines;
}

}  // namespace

class TestSummaryReport : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void flowsOverPages_data();
    void flowsOverPages();
    void renderStopsWhenAsked();
    void footerText();
    void printing_data();
    void printing();

private:
    std::unique_ptr<QTemporaryDir> m_folder;
};

void TestSummaryReport::initTestCase()
{
    TestSupport::scriptEverything();
    m_folder = TestSupport::programFolder();
}

void TestSummaryReport::flowsOverPages_data()
{
    QTest::addColumn<int>("lines");
    QTest::addColumn<int>("pages");
    QTest::addColumn<bool>("crlf");  // the lines end in CR LF, as a memo's do

    // 190 mm inside the margins: 53 lines under the title, 56 on a page of their own.
    QTest::newRow("empty list") << 0 << 1 << false;
    QTest::newRow("one line") << 1 << 1 << false;
    QTest::newRow("first page full") << 53 << 2 << false;
    QTest::newRow("200 lines") << 200 << 4 << false;
    QTest::newRow("200 lines ending in CR LF") << 200 << 4 << true;
    QTest::newRow("3000 lines") << 3000 << 54 << false;
}

void TestSummaryReport::flowsOverPages()
{
    QFETCH(int, lines);
    QFETCH(int, pages);
    QFETCH(bool, crlf);

    Report report = SummaryReport::buildTemplate(QStringLiteral("Riepilogo dati"));
    QVERIFY(SummaryReport::fill(report, kTitle, listLines(lines), kFooter));
    if (crlf)
        report.findObject(QStringLiteral("txtRiepilogo"))->text.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    const QString pdf = m_folder->filePath(QStringLiteral("riepilogo.pdf"));
    QVERIFY(ReportRender::exportPdf(report.prepare(), pdf, {QStringLiteral("Riepilogo dati"), QString()}));
    const QList<PdfWords::Page> read = PdfWords::read(pdf);
    QCOMPARE(read.size(), pages);

    int expected = 1;
    double lastLineBottom = 0;
    int lastLinePage = 0;
    for (int p = 0; p < read.size(); ++p) {
        const PdfWords::Page &page = read.at(p);
        QVERIFY(qAbs(page.size.width() - 297) < 0.5 && qAbs(page.size.height() - 210) < 0.5);

        const QRectF title = page.find(kTitle);
        QCOMPARE(title.isNull(), p != 0);
        if (!title.isNull()) {
            QVERIFY(qAbs(title.center().x() - (10 + 2 + 273 / 2.0)) < 1);
            QVERIFY(qAbs(title.center().y() - (10 + 1 + 2.5)) < 1);
        }

        // The lines in order, one pitch apart, inside the margins.
        double previousTop = -1;
        for (const PdfWords::Word &word : page.words) {
            static const QRegularExpression marker(QStringLiteral("^R\\d{4}$"));
            if (!marker.match(word.text).hasMatch())
                continue;
            QCOMPARE(word.text, QStringLiteral("R%1").arg(expected, 4, 10, QLatin1Char('0')));
            QVERIFY2(word.box.top() > 9.9 && word.box.bottom() < 200.1, qPrintable(word.text));
            if (previousTop >= 0)
                QVERIFY2(qAbs(word.box.top() - previousTop - kLinePitch) < 0.1, qPrintable(word.text));
            previousTop = word.box.top();
            lastLineBottom = word.box.bottom();
            lastLinePage = p;
            ++expected;
        }

        const QRectF footer = page.find(kFooter);
        QCOMPARE(footer.isNull(), p != read.size() - 1);
        if (!footer.isNull()) {
            QVERIFY(qAbs(footer.center().x() - (10 + 3 + 272 / 2.0)) < 1);
            QVERIFY(p > lastLinePage || footer.top() > lastLineBottom);
        }
    }
    QCOMPARE(expected - 1, lines);
    if (lines == 0) {
        // The footer band follows the title and the empty data band at once.
        const QRectF footer = read.at(0).find(kFooter);
        QVERIFY(qAbs(footer.center().y() - (10 + 8 + 10 * 25.4 / 96 + 2 + 2.5)) < 1);
    }
}

// Drawing tells its progress before each page and stops when asked: a long print can be cancelled.
void TestSummaryReport::renderStopsWhenAsked()
{
    Report report = SummaryReport::buildTemplate(QStringLiteral("Riepilogo dati"));
    QVERIFY(SummaryReport::fill(report, kTitle, listLines(200), kFooter));
    const PreparedReport prepared = report.prepare();
    QByteArray bytes;
    QBuffer buffer(&bytes);
    QVERIFY(buffer.open(QIODevice::WriteOnly));
    QPdfWriter writer(&buffer);
    QList<QPair<int, int>> told;
    QVERIFY(!ReportRender::render(prepared, writer, 1, 0, [&told](int done, int total) {
        told.append({done, total});
        return done < 2;
    }));
    QCOMPARE(told, (QList<QPair<int, int>>{{0, 4}, {1, 4}, {2, 4}}));
}

void TestSummaryReport::footerText()
{
    static const QRegularExpression format(
        QStringLiteral("^Stampa eseguita in data \\d\\d/\\d\\d/\\d{4} alle ore \\d\\d:\\d\\d:\\d\\d$"));
    QVERIFY2(format.match(SummaryReport::footerText()).hasMatch(), qPrintable(SummaryReport::footerText()));
}

void TestSummaryReport::printing_data()
{
    QTest::addColumn<QString>("answer");  // "cancel", or the PDF the test printer writes
    QTest::addColumn<bool>("printed");
    QTest::addColumn<bool>("result");

    QTest::newRow("cancelled") << "cancel" << false << true;
    QTest::newRow("printed") << "stampa.pdf" << true << true;
    QTest::newRow("printer fails") << "nessuna/cartella/stampa.pdf" << false << false;
}

void TestSummaryReport::printing()
{
    QFETCH(QString, answer);
    QFETCH(bool, printed);
    QFETCH(bool, result);

    PrintDialogs::setScripted(true);
    const QString pdf = m_folder->filePath(answer);
    if (answer == QLatin1String("cancel"))
        PrintDialogs::setNextCancel();
    else
        PrintDialogs::setNextAccept(pdf);
    QCOMPARE(SummaryPrinting::print(nullptr, QStringLiteral("Riepilogo dati"), kTitle, listLines(60)), result);
    QCOMPARE(PrintDialogs::timesAsked(), 1);
    QCOMPARE(QFile::exists(pdf), printed);
    if (printed) {
        const QList<PdfWords::Page> read = PdfWords::read(pdf);
        QCOMPARE(read.size(), 2);
        QVERIFY(!read.at(0).find(kTitle).isNull());
        QVERIFY(!read.at(1).find(QStringLiteral("R0060")).isNull());
    }
}

QTEST_MAIN(TestSummaryReport)
#include "tst_summaryreport.moc"
