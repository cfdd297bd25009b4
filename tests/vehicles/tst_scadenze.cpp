// Due dates of the vehicles: the state of a stored date against today (leap days, month ends, typing
// slips), the window's hint, the warning period from Cablora.ini, and the deadline list read from a
// small vehicle archive.

#include "archive/AutomezzoRecord.h"
#include "archive/RecordArchive.h"
#include "common/IniFile.h"
#include "support/TestSupport.h"
#include "vehicles/Scadenze.h"

#include <QDir>
#include <QtTest>

using Scadenze::State;

Q_DECLARE_METATYPE(Scadenze::State)

class TestScadenze : public QObject
{
    Q_OBJECT

private slots:
    void evaluate_data();
    void evaluate();
    void warningPeriodFromSettings_data();
    void warningPeriodFromSettings();
    void list_data();
    void list();
};

void TestScadenze::evaluate_data()
{
    QTest::addColumn<QDate>("today");
    QTest::addColumn<QString>("stored");
    QTest::addColumn<int>("period");
    QTest::addColumn<State>("state");
    QTest::addColumn<QString>("hint");

    const QDate day(2026, 12, 10);
    QTest::newRow("empty") << day << "   " << 30 << State::Empty << "";
    QTest::newRow("yesterday") << day << "09/12/2026" << 30 << State::Overdue << "Scaduta da 1 giorno";
    QTest::newRow("long overdue") << day << "10/11/2026" << 30 << State::Overdue << "Scaduta da 30 giorni";
    QTest::newRow("today") << day << "10/12/2026" << 30 << State::Due << "Scade oggi";
    QTest::newRow("tomorrow") << day << " 11/12/2026 " << 30 << State::Due << "Scade tra 1 giorno";
    QTest::newRow("last day of the period") << day << "09/01/2027" << 30 << State::Due << "Scade tra 30 giorni";
    QTest::newRow("first day after it") << day << "10/01/2027" << 30 << State::Fine << "Scade tra 31 giorni";
    QTest::newRow("shorter period") << day << "20/12/2026" << 7 << State::Fine << "Scade tra 10 giorni";
    QTest::newRow("29 February of a leap year")
        << QDate(2028, 2, 20) << "29/02/2028" << 30 << State::Due << "Scade tra 9 giorni";
    QTest::newRow("29 February of another year") << day << "29/02/2027" << 30 << State::Invalid << "Data non valida";
    QTest::newRow("month end to the next")
        << QDate(2026, 1, 31) << "01/03/2026" << 30 << State::Due << "Scade tra 29 giorni";
    QTest::newRow("31 April") << day << "31/04/2027" << 30 << State::Invalid << "Data non valida";
    QTest::newRow("one digit day") << day << "1/12/2026" << 30 << State::Invalid << "Data non valida";
    QTest::newRow("dashes") << day << "10-12-2026" << 30 << State::Invalid << "Data non valida";
    QTest::newRow("words") << day << "a marzo" << 30 << State::Invalid << "Data non valida";
}

void TestScadenze::evaluate()
{
    QFETCH(QDate, today);
    QFETCH(QString, stored);
    QFETCH(int, period);
    QFETCH(State, state);
    QFETCH(QString, hint);
    const Scadenze::Status status = Scadenze::evaluate(stored, today, period);
    QCOMPARE(status.state, state);
    QCOMPARE(Scadenze::hint(status), hint);
}

void TestScadenze::warningPeriodFromSettings_data()
{
    QTest::addColumn<QString>("stored");  // "none": no Cablora.ini
    QTest::addColumn<int>("days");

    QTest::newRow("no settings file") << "none" << 30;
    QTest::newRow("set") << "45" << 45;
    QTest::newRow("with blanks") << " 14 " << 14;
    QTest::newRow("zero") << "0" << 0;
    QTest::newRow("not a number") << "trenta" << 30;
    QTest::newRow("negative") << "-5" << 30;
    QTest::newRow("absurd") << "99999" << 30;
}

void TestScadenze::warningPeriodFromSettings()
{
    QFETCH(QString, stored);
    QFETCH(int, days);
    const auto folder = TestSupport::programFolder();
    if (stored != QLatin1String("none"))
        QVERIFY(IniFile::setValue(folder->filePath(QStringLiteral("Cablora.ini")), QStringLiteral("Scadenze"),
                                  QStringLiteral("Preavviso"), stored));
    QCOMPARE(Scadenze::warningDays(folder->path()), days);
}

void TestScadenze::list_data()
{
    QTest::addColumn<int>("period");
    QTest::addColumn<int>("kind");              // -1: all
    QTest::addColumn<QStringList>("expected");  // "date kind plate" of each line, in order
    QTest::addColumn<QList<qint64>>("positions");

    QTest::newRow("30 days, all kinds") << 30 << -1
                                        << QStringList{"data non valida|Bollo|CC333CC", "01/12/2026|Revisione|AA111AA",
                                                       "15/12/2026|Tagliando|BB222BB",
                                                       "09/01/2027|Assicurazione|AA111AA"}
                                        << QList<qint64>{3, 1, 2, 1};
    QTest::newRow("7 days") << 7 << -1
                            << QStringList{"data non valida|Bollo|CC333CC", "01/12/2026|Revisione|AA111AA",
                                           "15/12/2026|Tagliando|BB222BB"}
                            << QList<qint64>{3, 1, 2};
    QTest::newRow("only the insurance") << 90 << int(Scadenze::Kind::Assicurazione)
                                        << QStringList{"09/01/2027|Assicurazione|AA111AA"} << QList<qint64>{1};
}

void TestScadenze::list()
{
    QFETCH(int, period);
    QFETCH(int, kind);
    QFETCH(QStringList, expected);
    QFETCH(QList<qint64>, positions);

    const auto folder = TestSupport::programFolder();
    const QString path = folder->filePath(AutomezzoRecord::fileName());
    {
        RecordArchive archive;
        QVERIFY(archive.OpenOrCreate(path, AutomezzoRecord::kSize));
        AutomezzoRecord a;
        a.Targa = QStringLiteral("AA111AA");
        a.Marca = QStringLiteral("Fiat");
        a.Modello = QStringLiteral("Panda");
        a.Proprietario = QStringLiteral("Rossi Mario");
        a.TelProprietario = QStringLiteral("333 1234567");
        a.ScadRevisione = QStringLiteral("01/12/2026");      // overdue
        a.ScadAssicurazione = QStringLiteral("09/01/2027");  // last day of 30
        a.ScadBollo = QStringLiteral("10/06/2027");          // far
        AutomezzoRecord b;
        b.Targa = QStringLiteral("BB222BB");
        b.ScadTagliando = QStringLiteral("15/12/2026");
        AutomezzoRecord c;
        c.Targa = QStringLiteral("CC333CC");
        c.ScadBollo = QStringLiteral("31/02/2027");  // a typing slip
        for (const AutomezzoRecord &r : {a, b, c})
            QVERIFY(archive.Append(r.toBytes()) > 0);
    }
    Scadenze::Filter filter;
    filter.today = QDate(2026, 12, 10);
    filter.periodDays = period;
    if (kind >= 0)
        filter.kind = Scadenze::Kind(kind);
    ListedRecords found;
    QVERIFY(Scadenze::list(path, filter, found));
    QCOMPARE(found.size(), expected.size());
    for (int i = 0; i < expected.size(); ++i) {
        const QStringList parts = expected.at(i).split(QLatin1Char('|'));
        const QString &line = found.lines.at(i);
        QVERIFY2(line.startsWith(parts.at(0)), qPrintable(line));
        QVERIFY2(line.contains(parts.at(1)) && line.contains(parts.at(2)), qPrintable(line));
    }
    QCOMPARE(found.positions, positions);
    if (kind < 0 && period == 30) {
        QVERIFY(found.lines.at(1).contains(QStringLiteral("Fiat Panda")));
        QVERIFY(found.lines.at(1).contains(QStringLiteral("Rossi Mario")));
        QVERIFY(found.lines.at(1).endsWith(QStringLiteral("333 1234567")));
        QVERIFY(found.lines.at(1).contains(QStringLiteral("    -9  ")));
    }

    // A missing archive lists nothing and is no failure.
    ListedRecords none;
    QVERIFY(Scadenze::list(folder->filePath(QStringLiteral("manca.pro")), filter, none));
    QVERIFY(none.isEmpty());
}

QTEST_MAIN(TestScadenze)
#include "tst_scadenze.moc"
