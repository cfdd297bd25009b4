// The list machinery that every list dialog shares: finding the next line ("Trova"), the lines
// with their record positions, and the list view.

#include "archive/ListRules.h"
#include "common/TextRules.h"
#include "support/TestSupport.h"
#include "widgets/MessageBoxes.h"
#include "widgets/RecordListView.h"

#include <QScrollBar>
#include <QtTest>

#include <algorithm>
#include <numeric>

class TestRecordList : public QObject
{
    Q_OBJECT

private:
    static ListedRecords records(const QStringList &lines)
    {
        ListedRecords r;
        for (int i = 0; i < lines.size(); ++i)
            r.add(lines[i], 100 + i);
        return r;
    }

private slots:
    void initTestCase() { TestSupport::scriptEverything(); }

    void findNext_data()
    {
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<int>("selected");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("remembered");
        QTest::addColumn<bool>("emptyList");
        QTest::addColumn<int>("selection");
        QTest::addColumn<QString>("rememberedAfter");

        const QStringList lines = {QStringLiteral("Cliente: Rossi Mario"), QStringLiteral("Cliente: Bianchi"),
                                   QStringLiteral("Cliente: ROSSI Anna"), QStringLiteral("Cliente: Perè")};
        QTest::newRow("new text, nothing selected: from the first line") << lines << -1 << "rossi"
                                                                         << "" << false << 0 << "rossi";
        QTest::newRow("new text starts from the top, not after the selection") << lines << 3 << "rossi"
                                                                               << "" << false << 0 << "rossi";
        QTest::newRow("new text examines the selected first line first") << lines << 0 << "rossi"
                                                                         << "bianchi" << false << 0 << "rossi";
        QTest::newRow("same text goes on after the selection") << lines << 0 << "rossi"
                                                               << "rossi" << false << 2 << "rossi";
        QTest::newRow("same text wraps to the top") << lines << 2 << "rossi"
                                                    << "rossi" << false << 0 << "rossi";
        QTest::newRow("same text, only the selected line has it") << lines << 1 << "bianchi"
                                                                  << "bianchi" << false << 1 << "bianchi";
        QTest::newRow("text compared in small letters A to Z") << lines << 0 << "RoSsI"
                                                               << "rossi" << false << 2 << "rossi";
        QTest::newRow("not found keeps the selection") << lines << 1 << "verdi"
                                                       << "" << false << 1 << "verdi";
        QTest::newRow("not found with nothing selected selects the first") << lines << -1 << "verdi"
                                                                           << "" << false << 0 << "verdi";
        QTest::newRow("empty text is never found") << lines << 2 << ""
                                                   << "rossi" << false << 2 << "";
        QTest::newRow("accented capital does not find the small letter")
            << lines << 0 << QStringLiteral("PERÈ") << "" << false << 0 << QStringLiteral("perÈ");
        QTest::newRow("accented small letter is found")
            << lines << 0 << QStringLiteral("perè") << "" << false << 3 << QStringLiteral("perè");
        QTest::newRow("empty list: message only, nothing remembered") << QStringList() << -1 << "rossi"
                                                                      << "bianchi" << true << -1 << "bianchi";
    }

    void findNext()
    {
        QFETCH(QStringList, lines);
        QFETCH(int, selected);
        QFETCH(QString, text);
        QFETCH(QString, remembered);
        QFETCH(bool, emptyList);
        QFETCH(int, selection);
        QFETCH(QString, rememberedAfter);

        const ListFind::Step step = ListFind::findNext(lines, selected, text, remembered);
        QCOMPARE(step.emptyList, emptyList);
        if (!emptyList)
            QCOMPARE(step.selection, selection);
        QCOMPARE(remembered, rememberedAfter);
    }

    void trovaWalksEveryMatchingLineAndWraps()
    {
        RecordListView list;
        list.setRecords(records({"a rossi", "b", "c Rossi", "d", "e ROSSI", "f"}));
        QList<int> visited;
        for (int press = 0; press < 4; ++press) {
            list.findNext(QStringLiteral("rossi"));
            visited << list.selectedRow();
        }
        QCOMPARE(visited, (QList<int>{0, 2, 4, 0}));
        QCOMPARE(list.selectedPosition(), qint64(100));

        // A new text starts again from the top, even when its first line lies before the selection.
        list.selectRow(4);
        list.findNext(QStringLiteral("b"));
        QCOMPARE(list.selectedRow(), 1);

        // Not found: the selection stays, and no message.
        list.findNext(QStringLiteral("zzz"));
        QCOMPARE(list.selectedRow(), 1);
        QVERIFY(MessageBoxes::takeShown().isEmpty());

        // Forgetting the text (each showing of a dialog) starts over.
        list.findNext(QStringLiteral("rossi"));
        list.findNext(QStringLiteral("rossi"));
        QCOMPARE(list.selectedRow(), 2);
        list.forgetFindText();
        list.findNext(QStringLiteral("rossi"));
        QCOMPARE(list.selectedRow(), 0);
    }

    void trovaOnEmptyListShowsMessage()
    {
        RecordListView list;
        list.findNext(QStringLiteral("rossi"));
        const QList<MessageBoxes::Shown> shown = MessageBoxes::takeShown();
        QCOMPARE(shown.size(), 1);
        QCOMPARE(shown[0].kind, MessageBoxes::Kind::Plain);
        QCOMPARE(shown[0].text, QStringLiteral("Ricerca non applicabile: la lista non contiene nessuna voce."));
        QCOMPARE(list.selectedRow(), -1);
    }

    void linesKeepTheirPositions()
    {
        RecordListView list;
        list.setRecords(records({"x", "y", "x"}));
        QCOMPARE(list.count(), 3);
        QCOMPARE(list.positionAt(0), qint64(100));
        QCOMPARE(list.positionAt(2), qint64(102));
        QCOMPARE(list.selectedPosition(), qint64(-1));
        list.selectRow(2);
        QCOMPARE(list.selectedPosition(), qint64(102));
        list.clear();
        QCOMPARE(list.count(), 0);
        QCOMPARE(list.selectedPosition(), qint64(-1));
    }

    void sortByLine_data()
    {
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<QStringList>("sorted");
        QTest::addColumn<QList<qint64>>("positions");

        QTest::newRow("ascending text, positions follow their lines")
            << QStringList{"Verdi", "Bianchi", "Rossi"} << QStringList{"Bianchi", "Rossi", "Verdi"}
            << QList<qint64>{101, 102, 100};
        QTest::newRow("equal lines keep archive order")
            << QStringList{"Rossi", "Bianchi", "Rossi", "Bianchi"}
            << QStringList{"Bianchi", "Bianchi", "Rossi", "Rossi"} << QList<qint64>{101, 103, 100, 102};
        QTest::newRow("empty") << QStringList() << QStringList() << QList<qint64>();
    }

    void sortByLine()
    {
        QFETCH(QStringList, lines);
        QFETCH(QStringList, sorted);
        QFETCH(QList<qint64>, positions);
        ListedRecords r = records(lines);
        r.sortByLine();
        QCOMPARE(r.lines, sorted);
        QCOMPARE(QList<qint64>(r.positions.begin(), r.positions.end()), positions);
    }

    // The compact line store gives back every line as it was added, and sorts as QStrings sort:
    // each case is checked against the order that QString's own comparison and std::stable_sort
    // give the same lines (folded with TextRules::lowerAZ for the customer and vehicle lists).
    void compactLines_data()
    {
        QTest::addColumn<QStringList>("lines");

        QTest::newRow("accents and capitals")
            << QStringList{"Perè", "perz", "PERA", "Pera", "pèra", "Àlfa", "alfa", "Zeta", "été", "Été"};
        QTest::newRow("equal keys keep their order")
            << QStringList{"Rossi Mario", "ROSSI MARIO", "rossi mario", "Rossi Mario", "Bianchi"};
        QTest::newRow("empty lines and empty fields")
            << QStringList{"", "Rossi  Tel. ", "", "Rossi", "Rossi  Tel. 333", " "};
        QTest::newRow("prefixes and long shared beginnings")
            << QStringList{"Autovettura          Fiat Panda 1.2           Targa: AB123CD",
                           "Autovettura          Fiat Panda 1.2           Targa: AB123C",
                           "Autovettura          fiat Panda 1.2           Targa: AB123CD",
                           "Autovettura          Fiat Panda", "Autovettura          Fiat Panda 1.2"};
        // The euro sign and the typographic quotes are Windows-1252 bytes 0x80..0x9F, whose characters
        // come after every letter: byte order alone would sort them first.
        QTest::newRow("bytes 0x80 to 0x9F") << QStringList{"€ 10,00", "~", "ÿ", "‘a’", "Ž", "a", "", "Œuvre"};
        QTest::newRow("characters that Windows-1252 lacks")
            << QStringList{"Rossi → Bianchi", "Rossi", "Ā", "€", "Rossi ", "z", "😀 emoji", "�"};
        QTest::newRow("brackets and signs around the letters")
            << QStringList{"[a]", "_a", "`a", "@a", "Za", "{a", "^a", "a"};
    }

    void compactLines()
    {
        QFETCH(QStringList, lines);
        ListedRecords r = records(lines);
        QCOMPARE(r.lines.toList(), lines);
        QCOMPARE(r.size(), lines.size());
        for (qsizetype i = 0; i < lines.size(); ++i)
            QCOMPARE(r.lines.at(i), lines.at(i));

        for (const bool fold : {false, true}) {
            QVector<qsizetype> expected(lines.size());
            std::iota(expected.begin(), expected.end(), 0);
            std::stable_sort(expected.begin(), expected.end(), [&](qsizetype a, qsizetype b) {
                return fold ? TextRules::lowerAZ(lines.at(a)) < TextRules::lowerAZ(lines.at(b))
                            : lines.at(a) < lines.at(b);
            });
            ListedRecords sorted = records(lines);
            if (fold)
                sorted.sortByLineFoldingAZ();
            else
                sorted.sortByLine();
            QStringList expectedLines;
            QList<qint64> expectedPositions;
            for (const qsizetype i : expected) {
                expectedLines.append(lines.at(i));
                expectedPositions.append(100 + i);
            }
            QCOMPARE(sorted.lines.toList(), expectedLines);
            QCOMPARE(QList<qint64>(sorted.positions.begin(), sorted.positions.end()), expectedPositions);
        }
    }

    // Lines added as Windows-1252 bytes (as the scans add them) read back as the code page says, and
    // the last line can be taken off again.
    void compactLinesFromBytes()
    {
        ListedRecords r;
        r.addBytes("Cliente: Per\xE8", 13, 7);
        r.addBytes("\x80 12,50", 7, 9);
        r.addBytes("", 0, 11);
        r.add(QStringLiteral("Rossi → Bianchi"), 12);
        QCOMPARE(r.lines.toList(), (QStringList{QStringLiteral("Cliente: Perè"), QStringLiteral("€ 12,50"), QString(),
                                                QStringLiteral("Rossi → Bianchi")}));
        QStringList walked;
        for (const QString &line : r.lines)
            walked.append(line);
        QCOMPARE(walked, r.lines.toList());
        r.lines.removeLast();
        r.positions.removeLast();
        r.add(QStringLiteral("Verdi"), 13);
        QCOMPARE(r.lines.toList(), (QStringList{QStringLiteral("Cliente: Perè"), QStringLiteral("€ 12,50"), QString(),
                                                QStringLiteral("Verdi")}));
        QCOMPARE(QList<qint64>(r.positions.begin(), r.positions.end()), (QList<qint64>{7, 9, 11, 13}));
    }

    void viewShowsLongLinesSideways()
    {
        RecordListView list;
        list.resize(600, 300);
        list.setRecords(records({QString(200, QLatin1Char('x')) + QStringLiteral("fine"), "breve"}));
        list.show();
        QVERIFY(QTest::qWaitForWindowExposed(&list));

        QVERIFY(list.uniformItemSizes());
        QVERIFY(!list.wordWrap());
        QCOMPARE(list.textElideMode(), Qt::ElideNone);
        QCOMPARE(list.font().family(), QStringLiteral("Courier New"));
        QCOMPARE(list.font().pointSize(), 12);
        QCOMPARE(list.sizeHintForIndex(list.model()->index(0, 0)).width(), RecordListView::kItemWidth);
        // One item per line, as high as one line of text: the long line did not wrap.
        const QRect first = list.visualRect(list.model()->index(0, 0));
        QCOMPARE(first.height(), list.visualRect(list.model()->index(1, 0)).height());
        QVERIFY(first.height() < 2 * QFontMetrics(list.font()).height());
        QCOMPARE(list.horizontalScrollBar()->maximum(), RecordListView::kItemWidth - list.viewport()->width());
    }
};

QTEST_MAIN(TestRecordList)
#include "tst_recordlist.moc"
