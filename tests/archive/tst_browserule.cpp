#include "archive/BrowseRule.h"
#include "support/TestSupport.h"

#include <QtTest>

Q_DECLARE_METATYPE(BrowseAction::Kind)

class TestBrowseRule : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { TestSupport::scriptEverything(); }

    // First, Previous, Next and Last of the sheet, customer and vehicle windows.
    void browse_data()
    {
        QTest::addColumn<BrowseCommand>("command");
        QTest::addColumn<QString>("label");
        QTest::addColumn<qint64>("count");
        QTest::addColumn<BrowseAction::Kind>("kind");
        QTest::addColumn<qint64>("position");
        QTest::addColumn<bool>("clearLabel");

        using C = BrowseCommand;
        using A = BrowseAction;
        const qint64 n0 = 0, n3 = 3, p0 = 0, p1 = 1, p2 = 2, p3 = 3;

        QTest::newRow("first, empty archive") << C::First << "2" << n0 << A::EmptyMessage << p0 << false;
        QTest::newRow("first") << C::First << "" << n3 << A::Read << p1 << false;
        QTest::newRow("first from 3") << C::First << "3" << n3 << A::Read << p1 << false;

        QTest::newRow("last, empty archive") << C::Last << "" << n0 << A::EmptyMessage << p0 << false;
        QTest::newRow("last") << C::Last << "" << n3 << A::Read << p3 << false;
        QTest::newRow("last from 1") << C::Last << "1" << n3 << A::Read << p3 << false;

        QTest::newRow("next, empty label, empty archive") << C::Next << "" << n0 << A::EmptyMessage << p0 << true;
        QTest::newRow("next, label 2, empty archive") << C::Next << "2" << n0 << A::EmptyMessage << p0 << true;
        QTest::newRow("next, empty label") << C::Next << "" << n3 << A::Read << p1 << false;
        QTest::newRow("next from 2") << C::Next << "2" << n3 << A::Read << p3 << false;
        QTest::newRow("next, label with blanks") << C::Next << " 1 " << n3 << A::Read << p2 << false;
        QTest::newRow("next on the last") << C::Next << "3" << n3 << A::Nothing << p0 << false;
        QTest::newRow("next past the last") << C::Next << "7" << n3 << A::Nothing << p0 << false;

        QTest::newRow("previous on 1, empty archive") << C::Previous << "1" << n0 << A::Nothing << p0 << false;
        QTest::newRow("previous on 1") << C::Previous << "1" << n3 << A::Nothing << p0 << false;
        QTest::newRow("previous, empty label, empty archive")
            << C::Previous << "" << n0 << A::EmptyMessage << p0 << false;
        QTest::newRow("previous, label 3, empty archive") << C::Previous << "3" << n0 << A::EmptyMessage << p0 << false;
        QTest::newRow("previous, empty label") << C::Previous << "" << n3 << A::Read << p1 << false;
        QTest::newRow("previous from 3") << C::Previous << "3" << n3 << A::Read << p2 << false;
        QTest::newRow("previous from 2") << C::Previous << "2" << n3 << A::Read << p1 << false;
        QTest::newRow("previous, label with blanks") << C::Previous << " 3 " << n3 << A::Read << p2 << false;
        // A label beyond the end (another copy of the folder may be shorter) shows the last record.
        QTest::newRow("previous past the last") << C::Previous << "9" << n3 << A::Read << p3 << false;
    }

    void browse()
    {
        QFETCH(BrowseCommand, command);
        QFETCH(QString, label);
        QFETCH(qint64, count);
        QFETCH(BrowseAction::Kind, kind);
        QFETCH(qint64, position);
        QFETCH(bool, clearLabel);

        const BrowseAction action = browseAction(command, label, count);
        QCOMPARE(action.kind, kind);
        if (kind == BrowseAction::Read)
            QCOMPARE(action.position, position);
        QCOMPARE(action.clearLabel, clearLabel);
    }

    void message() { QCOMPARE(emptyArchiveMessage(), QStringLiteral("L'archivio non contiene nessuna scheda.")); }
};

QTEST_MAIN(TestBrowseRule)
#include "tst_browserule.moc"
