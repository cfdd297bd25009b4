// The numbering of the invoices: the progressive of the file name, the next number of a year, the
// numbers refused (taken, leaving a gap, out of date order), and two processes issuing at once.
#include "InvoiceFixture.h"
#include "invoice/FatturaRecord.h"
#include "invoice/InvoiceNumbering.h"
#include "invoice/InvoiceRegister.h"
#include "support/TestSupport.h"

#include <QProcess>
#include <QSet>
#include <QtTest>

using namespace Invoice;
using namespace InvoiceFixture;
using InvoiceNumbering::Issued;

namespace {

QStringList xmlFiles(const QString &folder)
{
    return QDir(InvoiceRegister::folderPath(folder)).entryList({QStringLiteral("*.xml")}, QDir::Files, QDir::Name);
}

qint64 registerCount(const QString &folder)
{
    RecordArchive archive;
    return archive.OpenForReading(InvoiceRegister::registerPath(folder), FatturaRecord::kSize) ? archive.Count() : -1;
}

}  // namespace

class TestInvoiceNumbering : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { TestSupport::scriptEverything(); }
    void progressive_data();
    void progressive();
    void everyProgressiveReadsBack();
    void fileNames();
    void nextNumberPerYear();
    void numberProblem_data();
    void numberProblem();
    void chosenNumberTakenIsRefused();
    void proposedNumberTakenMeanwhileMovesOn();
    void gapIsFilledAndNeverLeft();
    void fileWithoutRegisterLineKeepsItsNumber();
    void listsReadWholeRegisterLines();
    void twoProcessesAtOnce();
};

void TestInvoiceNumbering::progressive_data()
{
    QTest::addColumn<int>("year");
    QTest::addColumn<qint64>("number");
    QTest::addColumn<QString>("expected");
    QTest::newRow("first") << 2025 << qint64(1) << QStringLiteral("25001");
    QTest::newRow("twelve") << 2025 << qint64(12) << QStringLiteral("25012");
    QTest::newRow("999") << 2026 << qint64(999) << QStringLiteral("26999");
    QTest::newRow("1000") << 2026 << qint64(1000) << QStringLiteral("26A00");
    QTest::newRow("1001") << 2026 << qint64(1001) << QStringLiteral("26A01");
    QTest::newRow("1036") << 2026 << qint64(1036) << QStringLiteral("26A10");
    QTest::newRow("2296") << 2026 << qint64(2296) << QStringLiteral("26B00");
    QTest::newRow("last") << 2099 << qint64(InvoiceNumbering::kLargestNumber) << QStringLiteral("99ZZZ");
    QTest::newRow("2000") << 2000 << qint64(5) << QStringLiteral("00005");
    QTest::newRow("zero") << 2025 << qint64(0) << QString();
    QTest::newRow("too large") << 2025 << qint64(InvoiceNumbering::kLargestNumber + 1) << QString();
    QTest::newRow("year 1999") << 1999 << qint64(1) << QString();
}

void TestInvoiceNumbering::progressive()
{
    QFETCH(int, year);
    QFETCH(qint64, number);
    QFETCH(QString, expected);
    QCOMPARE(InvoiceNumbering::progressive(year, number), expected);
}

void TestInvoiceNumbering::everyProgressiveReadsBack()
{
    QSet<QString> seen;
    for (qint64 n = 1; n <= InvoiceNumbering::kLargestNumber; ++n) {
        const QString p = InvoiceNumbering::progressive(2025, n);
        QCOMPARE(p.size(), 5);
        QVERIFY(!seen.contains(p));
        seen.insert(p);
        int year = 0;
        qint64 back = 0;
        QVERIFY(InvoiceNumbering::parseProgressive(p, &year, &back));
        QCOMPARE(year, 2025);
        QCOMPARE(back, n);
    }
    int year = 0;
    qint64 number = 0;
    QVERIFY(!InvoiceNumbering::parseProgressive(QStringLiteral("25000"), &year, &number));
    QVERIFY(!InvoiceNumbering::parseProgressive(QStringLiteral("2500A"), &year, &number));
    QVERIFY(!InvoiceNumbering::parseProgressive(QStringLiteral("250001"), &year, &number));
}

void TestInvoiceNumbering::fileNames()
{
    QCOMPARE(InvoiceNumbering::fileName(QStringLiteral("01234567897"), 2025, 3),
             QStringLiteral("IT01234567897_25003.xml"));
    int year = 0;
    qint64 number = 0;
    QVERIFY(InvoiceNumbering::parseFileName(QStringLiteral("IT01234567897_26A01.xml"), &year, &number));
    QCOMPARE(year, 2026);
    QCOMPARE(number, qint64(1001));
    QVERIFY(!InvoiceNumbering::parseFileName(QStringLiteral("IT01234567897_26A01.xml.tmp"), &year, &number));
    QVERIFY(!InvoiceNumbering::parseFileName(QStringLiteral("note.xml"), &year, &number));
}

void TestInvoiceNumbering::nextNumberPerYear()
{
    const QList<Issued> issued{
        {2024, 40, QDate(2024, 12, 30), {}}, {2025, 1, QDate(2025, 1, 3), {}}, {2025, 2, QDate(2025, 1, 9), {}}};
    QCOMPARE(InvoiceNumbering::nextNumber(issued, 2025), qint64(3));
    QCOMPARE(InvoiceNumbering::nextNumber(issued, 2024), qint64(41));
    QCOMPARE(InvoiceNumbering::nextNumber(issued, 2026), qint64(1));
}

void TestInvoiceNumbering::numberProblem_data()
{
    QTest::addColumn<qint64>("number");
    QTest::addColumn<QDate>("date");
    QTest::addColumn<QString>("problem");  // the start of the message; empty: accepted
    QTest::newRow("next") << qint64(5) << QDate(2025, 2, 1) << QString();
    QTest::newRow("next, same date as the last") << qint64(5) << QDate(2025, 1, 15) << QString();
    QTest::newRow("taken") << qint64(2) << QDate(2025, 2, 1)
                           << QStringLiteral("Il numero 2 del 2025 è già stato emesso");
    QTest::newRow("gap") << qint64(6) << QDate(2025, 2, 1)
                         << QStringLiteral(
                                "Il numero 6 lascerebbe un vuoto nella numerazione del 2025: il prossimo numero è 5.");
    QTest::newRow("before the last") << qint64(5) << QDate(2025, 1, 14)
                                     << QStringLiteral("La data 14/01/2025 è anteriore a quella della fattura n. 4");
    QTest::newRow("gap filled in order") << qint64(3) << QDate(2025, 1, 12) << QString();
    QTest::newRow("gap filled after the next")
        << qint64(3) << QDate(2025, 1, 16)
        << QStringLiteral("La data 16/01/2025 è posteriore a quella della fattura n. 4");
    QTest::newRow("other year") << qint64(1) << QDate(2026, 1, 2) << QString();
}

void TestInvoiceNumbering::numberProblem()
{
    QFETCH(qint64, number);
    QFETCH(QDate, date);
    QFETCH(QString, problem);
    // Number 3 of 2025 is missing (a file lost): it may be given again, in its place among the dates.
    const QList<Issued> issued{{2025, 1, QDate(2025, 1, 3), {}},
                               {2025, 2, QDate(2025, 1, 9), QStringLiteral("IT01234567897_25002.xml")},
                               {2025, 4, QDate(2025, 1, 15), {}},
                               {2024, 9, QDate(2024, 12, 30), {}}};
    const QString found = InvoiceNumbering::numberProblem(issued, number, date);
    if (problem.isEmpty())
        QVERIFY2(found.isEmpty(), qPrintable(found));
    else
        QVERIFY2(found.startsWith(problem), qPrintable(found));
}

void TestInvoiceNumbering::chosenNumberTakenIsRefused()
{
    const auto folder = TestSupport::programFolder();
    Documento d = document(person(), {line(QStringLiteral("Diagnosi"), 6100)});
    QVERIFY(InvoiceRegister::issue(folder->path(), d, false, kToday).ok);
    d.Numero = 1;
    const auto again = InvoiceRegister::issue(folder->path(), d, true, kToday);
    QVERIFY(!again.ok);
    QVERIFY2(again.problems.value(0).startsWith(QStringLiteral("Il numero 1 del 2025 è già stato emesso (file "
                                                               "IT01234567897_25001.xml)")),
             qPrintable(again.problems.join('\n')));
    QCOMPARE(xmlFiles(folder->path()).size(), 1);
    QCOMPARE(registerCount(folder->path()), qint64(1));
    // A number past the next is refused too: it would leave a gap.
    d.Numero = 3;
    const auto gap = InvoiceRegister::issue(folder->path(), d, true, kToday);
    QVERIFY(!gap.ok);
    QVERIFY2(gap.problems.value(0).contains(QStringLiteral("il prossimo numero è 2")),
             qPrintable(gap.problems.join('\n')));
    QCOMPARE(xmlFiles(folder->path()).size(), 1);
}

void TestInvoiceNumbering::proposedNumberTakenMeanwhileMovesOn()
{
    const auto folder = TestSupport::programFolder();
    Documento d = document(person(), {line(QStringLiteral("Diagnosi"), 6100)});
    QCOMPARE(InvoiceRegister::proposedNumber(folder->path(), 2025), qint64(1));
    // Two dialogs proposed number 1; the second one to issue takes 2 and is told.
    d.Numero = 1;
    const auto first = InvoiceRegister::issue(folder->path(), d, false, kToday);
    const auto second = InvoiceRegister::issue(folder->path(), d, false, kToday);
    QVERIFY(first.ok && second.ok);
    QCOMPARE(first.number, qint64(1));
    QVERIFY(first.note.isEmpty());
    QCOMPARE(second.number, qint64(2));
    QCOMPARE(second.note,
             QStringLiteral("Il numero 1 è stato appena usato da un'altra postazione: la fattura prende il numero 2."));
    QCOMPARE(InvoiceRegister::proposedNumber(folder->path(), 2025), qint64(3));
    QCOMPARE(InvoiceRegister::proposedNumber(folder->path(), 2026), qint64(1));
}

void TestInvoiceNumbering::gapIsFilledAndNeverLeft()
{
    const auto folder = TestSupport::programFolder();
    Documento d = document(person(), {line(QStringLiteral("Diagnosi"), 6100)});
    for (int i = 0; i < 3; ++i)
        QVERIFY(InvoiceRegister::issue(folder->path(), d, false, kToday).ok);
    // The file of number 2 and its register line are gone (a restore from an old copy, say): the
    // next proposal is still 4, and 2 may be given again by choice.
    RecordArchive archive;
    QVERIFY(archive.OpenOrCreate(InvoiceRegister::registerPath(folder->path()), FatturaRecord::kSize));
    QByteArray bytes;
    QVERIFY(archive.ReadAt(3, bytes));
    QVERIFY(archive.WriteAt(2, bytes));  // line 2 now repeats number 3
    archive.Close();
    QVERIFY(QFile::remove(QDir(InvoiceRegister::folderPath(folder->path())).filePath("IT01234567897_25002.xml")));
    QCOMPARE(InvoiceRegister::proposedNumber(folder->path(), 2025), qint64(4));
    d.Numero = 2;
    const auto refill = InvoiceRegister::issue(folder->path(), d, true, kToday);
    QVERIFY2(refill.ok, qPrintable(refill.problems.join('\n')));
    QCOMPARE(refill.number, qint64(2));
}

void TestInvoiceNumbering::fileWithoutRegisterLineKeepsItsNumber()
{
    const auto folder = TestSupport::programFolder();
    Documento d = document(person(), {line(QStringLiteral("Diagnosi"), 6100)});
    QVERIFY(InvoiceRegister::issue(folder->path(), d, false, kToday).ok);
    // A crash between the file and its register line: the file alone holds number 1.
    QVERIFY(QFile::resize(InvoiceRegister::registerPath(folder->path()), 0));
    const auto next = InvoiceRegister::issue(folder->path(), d, false, kToday);
    QVERIFY2(next.ok, qPrintable(next.problems.join('\n')));
    QCOMPARE(next.number, qint64(2));
    QList<InvoiceRegister::Entry> entries;
    QString error;
    QVERIFY(InvoiceRegister::list(folder->path(), 2025, &entries, &error));
    QCOMPARE(entries.size(), 2);
    QCOMPARE(entries.at(0).position, qint64(0));  // listed from its file
    QCOMPARE(entries.at(1).position, qint64(1));
    // Marking it paid gives it a register line.
    QVERIFY(InvoiceRegister::setPaid(folder->path(), entries.at(0), true, &error));
    QVERIFY(InvoiceRegister::list(folder->path(), 2025, &entries, &error));
    QVERIFY(entries.at(0).pagato);
    QCOMPARE(entries.at(0).position, qint64(2));
    QVERIFY(!entries.at(1).pagato);
}

// The lists and the proposed number read the register's whole lines only; a register that cannot be
// opened is told in Italian.
void TestInvoiceNumbering::listsReadWholeRegisterLines()
{
    const auto folder = TestSupport::programFolder();
    Documento d = document(person(), {line(QStringLiteral("Diagnosi"), 6100)});
    QVERIFY(InvoiceRegister::issue(folder->path(), d, false, kToday).ok);
    const QString path = InvoiceRegister::registerPath(folder->path());
    QVERIFY(TestSupport::writeFile(path, TestSupport::readFile(path) + QByteArray(FatturaRecord::kSize / 2, 'x')));
    QList<InvoiceRegister::Entry> entries;
    QString error;
    QVERIFY(InvoiceRegister::list(folder->path(), 2025, &entries, &error));
    QCOMPARE(entries.size(), 1);
    QCOMPARE(entries.at(0).position, qint64(1));
    QCOMPARE(InvoiceRegister::proposedNumber(folder->path(), 2025), qint64(2));

    QVERIFY(QFile::remove(path));
    QVERIFY(QDir().mkdir(path));
    QVERIFY(!InvoiceRegister::list(folder->path(), 2025, &entries, &error));
    QCOMPARE(error, QStringLiteral("impossibile aprire il registro delle fatture (è una cartella, non un file)"));
}

void TestInvoiceNumbering::twoProcessesAtOnce()
{
    const auto folder = TestSupport::programFolder();
    QVERIFY(prepareFolder(folder->path()));
    const int each = 12;
    QProcess first, second;
    const QString helper = QDir(QStringLiteral(CABLORA_TEST_HELPER_DIR)).filePath(QStringLiteral("helper_invoices"));
    for (QProcess *p : {&first, &second}) {
        p->setProcessChannelMode(QProcess::ForwardedErrorChannel);
        p->start(helper, {folder->path(), QString::number(each)});
    }
    for (QProcess *p : {&first, &second}) {
        QVERIFY(p->waitForFinished(120000));
        QCOMPARE(p->exitStatus(), QProcess::NormalExit);
        QCOMPARE(p->exitCode(), 0);
    }
    const int year = QDate::currentDate().year();
    QStringList expected;
    for (int n = 1; n <= 2 * each; ++n)
        expected << InvoiceNumbering::fileName(QStringLiteral("01234567897"), year, n);
    QCOMPARE(xmlFiles(folder->path()), expected);
    QCOMPARE(registerCount(folder->path()), qint64(2 * each));
    QList<InvoiceRegister::Entry> entries;
    QString error;
    QVERIFY(InvoiceRegister::list(folder->path(), year, &entries, &error));
    QCOMPARE(entries.size(), 2 * each);
    for (int i = 0; i < entries.size(); ++i) {
        QCOMPARE(entries.at(i).number, qint64(i + 1));
        QVERIFY(entries.at(i).position > 0);
    }
}

QTEST_MAIN(TestInvoiceNumbering)
#include "tst_invoicenumbering.moc"
