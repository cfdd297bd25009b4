// Printing a prepared report: which pages in which order for copies, collation and page range; the
// copies repeated by the program when printing to a PDF file; and text cut by its frame left out of
// the PDF's text layer.

#include "reports/PageSequence.h"
#include "reports/PdfWords.h"
#include "reports/Report.h"
#include "support/TestSupport.h"
#include "widgets/ReportPrinting.h"

#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QtTest>

namespace {

// A report of `count` pages, page n carrying the single word words[n - 1].
PreparedReport pagesWithWords(const QStringList &words)
{
    Report report(QStringLiteral("Pagine"));
    for (const QString &word : words) {
        ReportPage &page = report.addPage(ReportPage::a4(QPageLayout::Portrait, 10));
        page.add(ReportObject::textObject(QString(), {0, 0, 100, 10}, word));
    }
    return report.prepare();
}

int pdfPageCount(const QString &pdf)
{
    QProcess process;
    process.start(QStringLiteral("pdfinfo"), {pdf});
    process.waitForFinished(60000);
    const QRegularExpressionMatch m = QRegularExpression(QStringLiteral("Pages:\\s+(\\d+)"))
                                          .match(QString::fromUtf8(process.readAllStandardOutput()));
    return m.hasMatch() ? m.captured(1).toInt() : -1;
}

}  // namespace

class TestReportPrinting : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        TestSupport::scriptEverything();
        m_folder = TestSupport::programFolder();
    }

    void pageSequence_data()
    {
        QTest::addColumn<int>("pageCount");
        QTest::addColumn<int>("from");
        QTest::addColumn<int>("to");
        QTest::addColumn<int>("copies");
        QTest::addColumn<bool>("collate");
        QTest::addColumn<bool>("deviceCopies");
        QTest::addColumn<QList<int>>("pages");
        using L = QList<int>;
        QTest::newRow("whole report once") << 3 << 0 << 0 << 1 << true << false << L{1, 2, 3};
        QTest::newRow("two copies collated") << 3 << 0 << 0 << 2 << true << false << L{1, 2, 3, 1, 2, 3};
        QTest::newRow("two copies uncollated") << 3 << 0 << 0 << 2 << false << false << L{1, 1, 2, 2, 3, 3};
        QTest::newRow("the printer makes the copies") << 3 << 0 << 0 << 3 << false << true << L{1, 2, 3};
        QTest::newRow("range, three copies collated") << 4 << 2 << 3 << 3 << true << false << L{2, 3, 2, 3, 2, 3};
        QTest::newRow("range, two copies uncollated") << 4 << 2 << 3 << 2 << false << false << L{2, 2, 3, 3};
        QTest::newRow("one page of one") << 1 << 1 << 1 << 2 << true << false << L{1, 1};
        // Ranges that run past the report's pages stop at the last page.
        QTest::newRow("2 to 3 of a two-page sheet") << 2 << 2 << 3 << 1 << true << false << L{2};
        QTest::newRow("1 to 9999 of a two-page sheet") << 2 << 1 << 9999 << 2 << true << false << L{1, 2, 1, 2};
        QTest::newRow("2 to 3 of two pages, uncollated") << 2 << 2 << 3 << 2 << false << false << L{2, 2};
        QTest::newRow("range wholly past the end") << 2 << 3 << 4 << 2 << true << false << L{};
        QTest::newRow("range given backwards") << 3 << 3 << 1 << 1 << true << false << L{1, 2, 3};
        QTest::newRow("no copies counts as one") << 2 << 0 << 0 << 0 << true << false << L{1, 2};
        QTest::newRow("no pages") << 0 << 0 << 0 << 2 << true << false << L{};
    }

    void pageSequence()
    {
        QFETCH(int, pageCount);
        QFETCH(int, from);
        QFETCH(int, to);
        QFETCH(int, copies);
        QFETCH(bool, collate);
        QFETCH(bool, deviceCopies);
        QFETCH(QList<int>, pages);
        PageSequence::Request request;
        request.pageCount = pageCount;
        request.fromPage = from;
        request.toPage = to;
        request.copies = copies;
        request.collate = collate;
        request.deviceMakesCopies = deviceCopies;
        QCOMPARE(PageSequence::pages(request), pages);
    }

    // Printed to a PDF file (a printer that cannot make copies), the copies are in the file.
    void copiesInPdf_data()
    {
        QTest::addColumn<int>("copies");
        QTest::addColumn<bool>("collate");
        QTest::addColumn<int>("from");
        QTest::addColumn<int>("to");
        QTest::addColumn<QStringList>("printed");
        QTest::newRow("one copy") << 1 << true << 0 << 0 << QStringList{"uno", "due", "tre"};
        QTest::newRow("two copies collated")
            << 2 << true << 0 << 0 << QStringList{"uno", "due", "tre", "uno", "due", "tre"};
        QTest::newRow("two copies uncollated")
            << 2 << false << 0 << 0 << QStringList{"uno", "uno", "due", "due", "tre", "tre"};
        QTest::newRow("range past the end, two copies")
            << 2 << true << 2 << 5 << QStringList{"due", "tre", "due", "tre"};
    }

    void copiesInPdf()
    {
        QFETCH(int, copies);
        QFETCH(bool, collate);
        QFETCH(int, from);
        QFETCH(int, to);
        QFETCH(QStringList, printed);
        const QString pdf = m_folder->filePath(QStringLiteral("copie.pdf"));
        QFile::remove(pdf);
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
        printer.setCopyCount(copies);
        printer.setCollateCopies(collate);
        if (from > 0) {
            printer.setPrintRange(QPrinter::PageRange);
            printer.setFromTo(from, to);
        }
        QVERIFY(!printer.supportsMultipleCopies());
        QCOMPARE(ReportPrinting::printOn(pagesWithWords({"uno", "due", "tre"}), printer),
                 ReportPrinting::Outcome::Printed);
        QCOMPARE(pdfPageCount(pdf), printed.size());
        QStringList texts;
        for (const PdfWords::Page &page : PdfWords::read(pdf))
            texts << page.text();
        QCOMPARE(texts, printed);
    }

    // A range with no page of the report prints nothing and says so.
    void rangeWithoutPages()
    {
        const QString pdf = m_folder->filePath(QStringLiteral("niente.pdf"));
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
        printer.setPrintRange(QPrinter::PageRange);
        printer.setFromTo(3, 4);
        QCOMPARE(ReportPrinting::printOn(pagesWithWords({"uno", "due"}), printer), ReportPrinting::Outcome::Failed);
        QVERIFY(!QFile::exists(pdf));
    }

    // Only the characters that start inside a text's frame are drawn: searching or copying the PDF
    // finds what is printed, not the words that the frame cuts off.
    void textCutByFrame_data()
    {
        QTest::addColumn<int>("alignment");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("present");
        QTest::addColumn<QStringList>("absent");
        const QString line = QStringLiteral("alfa beta gamma delta epsilon zeta theta iota kappa lambda");
        QTest::newRow("left") << int(Qt::AlignLeft | Qt::AlignTop) << line << QStringList{"alfa", "beta"}
                              << QStringList{"kappa", "lambda"};
        QTest::newRow("right") << int(Qt::AlignRight | Qt::AlignTop) << line << QStringList{"kappa", "lambda"}
                               << QStringList{"alfa", "beta"};
        QTest::newRow("centred") << int(Qt::AlignHCenter | Qt::AlignTop) << line << QStringList{"zeta"}
                                 << QStringList{"alfa", "lambda"};
        QTest::newRow("each of two lines") << int(Qt::AlignLeft | Qt::AlignTop)
                                           << QStringLiteral("uno due tre quattro cinque sei sette otto nove\n"
                                                             "alfa beta gamma delta epsilon zeta theta iota")
                                           << QStringList{"uno", "alfa"} << QStringList{"nove", "iota"};
        QTest::newRow("lines below the frame")
            << int(Qt::AlignLeft | Qt::AlignTop) << QStringLiteral("uno\ndue\ntre\nquattro\ncinque\nsei")
            << QStringList{"uno", "due"} << QStringList{"cinque", "sei"};
    }

    void textCutByFrame()
    {
        QFETCH(int, alignment);
        QFETCH(QString, text);
        QFETCH(QStringList, present);
        QFETCH(QStringList, absent);
        // A frame 40 mm wide and three lines of Arial 10 high, at 20, 30 inside 10 mm margins.
        const QRectF frame(30, 40, 40, 12);
        Report report(QStringLiteral("Taglio"));
        ReportPage &page = report.addPage(ReportPage::a4(QPageLayout::Portrait, 10));
        page.add(ReportObject::textObject(QStringLiteral("txtProva"), frame.translated(-10, -10), text)
                     .font(QStringLiteral("Arial"), 10)
                     .align(Qt::Alignment(alignment)));
        const QString pdf = m_folder->filePath(QStringLiteral("taglio.pdf"));
        QVERIFY(ReportRender::exportPdf(report.prepare(), pdf, {}));
        const QList<PdfWords::Page> pages = PdfWords::read(pdf);
        QCOMPARE(pages.size(), 1);

        const QStringList words = text.split(QRegularExpression(QStringLiteral("\\s+")));
        for (const PdfWords::Word &word : pages.at(0).words) {
            // Every character in the text layer starts inside the frame...
            QVERIFY2(word.box.left() >= frame.left() - 0.2 && word.box.left() < frame.right(), qPrintable(word.text));
            QVERIFY2(word.box.top() >= frame.top() - 0.5 && word.box.top() < frame.bottom(), qPrintable(word.text));
            // ... and is the text's own, whole or cut at the frame's edge.
            bool piece = false;
            for (const QString &w : words)
                piece = piece || w.startsWith(word.text) || w.endsWith(word.text);
            QVERIFY2(piece, qPrintable(word.text));
        }
        for (const QString &word : present)
            QVERIFY2(pages.at(0).count(word) == 1, qPrintable(word));
        for (const QString &word : absent)
            QVERIFY2(!pages.at(0).text().contains(word), qPrintable(word));
    }

private:
    std::unique_ptr<QTemporaryDir> m_folder;
};

QTEST_MAIN(TestReportPrinting)
#include "tst_reportprinting.moc"
