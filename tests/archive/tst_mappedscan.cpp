// The scans read archives through RecordReader, in the way that measures fastest where they run:
// mapped, in blocks of whole records, or with positioned reads of only the bytes of the fields they
// read (one by one, or in batches through io_uring, on two threads). Every list must come out exactly
// as reading whole records gives it, whichever way reads and when the way changes from one batch to
// the next (as it does while the ways are measured): same lines, same positions, same failure, for
// every record type, with a trailing fragment, an empty or missing archive, and a file that shrinks in
// the middle.

#include "archive/AutomezzoRecord.h"
#include "archive/ClienteRecord.h"
#include "archive/RecordArchive.h"
#include "archive/RecordReader.h"
#include "archive/SchedaRecord.h"
#include "customers/ClienteSearch.h"
#include "sheets/SchedaSearch.h"
#include "sheets/StoricoTarga.h"
#include "support/TestSupport.h"
#include "vehicles/AutomezzoSearch.h"
#include "vehicles/Scadenze.h"

#include <QRandomGenerator>
#include <QtTest>

namespace {

enum class Scan { SheetSearch, SheetAll, Unpaid, History, CustomerSearch, Recontact, VehicleSearch, Deadlines };
enum class State { Whole, Fragment, Empty, Missing, ShrinksMidScan };

const QDate kToday(2025, 6, 1);
constexpr int kRecords = 40;
constexpr int kPerBlock = 3;  // records per window and per block, so the scans cross many boundaries

const QStringList kWords = {QStringLiteral("Rossi Mario"), QStringLiteral("ROSSINI"),   QStringLiteral("Bianchi"),
                            QStringLiteral("Fiat Panda"),  QStringLiteral("fiat"),      QStringLiteral("AB123CD"),
                            QStringLiteral("ab 123 cd"),   QStringLiteral("No"),        QStringLiteral("S\u00ec"),
                            QStringLiteral("250,00"),      QStringLiteral("  Verdi  "), QStringLiteral("Opel")};

QString dateNear(QRandomGenerator &random)
{
    switch (random.bounded(6)) {
    case 0: return QString();
    case 1: return QStringLiteral("31/04/2025");  // not a date
    default: return kToday.addDays(random.bounded(-60, 120)).toString(QStringLiteral("dd/MM/yyyy"));
    }
}

// Every field filled (so that a field read from outside the bytes fetched would show), with texts
// that the criteria of the table find in some records and not in others.
template<typename Record>
QByteArray records(quint32 seed, const QList<int> &dateFields)
{
    QRandomGenerator random(seed);
    QByteArray bytes;
    for (int n = 0; n < kRecords; ++n) {
        Record record;
        for (int field = 0; field < Record::FieldCount; ++field)
            record[field] = kWords.at(random.bounded(int(kWords.size()))) + QString::number(field % 3);
        for (const int field : dateFields)
            record[field] = dateNear(random);
        bytes += record.toBytes();
    }
    return bytes;
}

int recordSize(Scan scan)
{
    switch (scan) {
    case Scan::SheetSearch:
    case Scan::SheetAll:
    case Scan::Unpaid:
    case Scan::History: return SchedaRecord::kSize;
    case Scan::CustomerSearch:
    case Scan::Recontact: return ClienteRecord::kSize;
    case Scan::VehicleSearch:
    case Scan::Deadlines: return AutomezzoRecord::kSize;
    }
    return 0;
}

QByteArray fixture(Scan scan)
{
    switch (recordSize(scan)) {
    case SchedaRecord::kSize: {
        QByteArray bytes = records<SchedaRecord>(7, {SchedaRecord::fData});
        // Plain values in the fields that the history and the unpaid list compare whole.
        QRandomGenerator random(8);
        for (int n = 0; n < kRecords; ++n) {
            SchedaRecord record = SchedaRecord::fromBytes(bytes.mid(n * SchedaRecord::kSize, SchedaRecord::kSize));
            record.Targa = random.bounded(2) ? QStringLiteral("AB123CD") : QStringLiteral("ZZ999ZZ");
            record.Pagato = random.bounded(2) ? QStringLiteral("No") : QStringLiteral("S\u00ec");
            record.Totale = QString::number(random.bounded(1000)) + QStringLiteral(",50");
            bytes.replace(n * SchedaRecord::kSize, SchedaRecord::kSize, record.toBytes());
        }
        return bytes;
    }
    case ClienteRecord::kSize: {
        QByteArray bytes = records<ClienteRecord>(9, {});
        QRandomGenerator random(10);
        for (int n = 0; n < kRecords; ++n) {
            ClienteRecord record = ClienteRecord::fromBytes(bytes.mid(n * ClienteRecord::kSize, ClienteRecord::kSize));
            record.Ricontatta = random.bounded(2) ? QStringLiteral("No") : QStringLiteral("S\u00ec");
            bytes.replace(n * ClienteRecord::kSize, ClienteRecord::kSize, record.toBytes());
        }
        return bytes;
    }
    default:
        return records<AutomezzoRecord>(11, {AutomezzoRecord::fScadRevisione, AutomezzoRecord::fScadTagliando,
                                             AutomezzoRecord::fScadAssicurazione, AutomezzoRecord::fScadBollo});
    }
}

struct Outcome
{
    bool ok = false;
    ListedRecords found;
    qint64 totalCents = 0;
    qint64 unpaidCents = 0;
};

Outcome run(Scan scan, const QString &path)
{
    Outcome out;
    switch (scan) {
    case Scan::SheetSearch:
        out.ok = SchedaSearch::search(path,
                                      SchedaSearch::Criteria({{SchedaRecord::fCliente, QStringLiteral("ross")},
                                                              {SchedaRecord::fMarca, QStringLiteral("FIAT")}}),
                                      out.found);
        break;
    case Scan::SheetAll:
        out.ok = SchedaSearch::search(path, SchedaSearch::Criteria(QList<RecordScan::Criterion>{}), out.found);
        break;
    case Scan::Unpaid: out.ok = SchedaSearch::unpaid(path, out.found); break;
    case Scan::History: {
        StoricoTarga::History history;
        out.ok = StoricoTarga::scan(path, QStringLiteral("ab 123 cd"), history);
        out.found = history.sheets;
        out.totalCents = history.totalCents;
        out.unpaidCents = history.unpaidCents;
        break;
    }
    case Scan::CustomerSearch:
        out.ok = ClienteSearch::search(
            path, RecordScan::Criteria(ClienteRecord::format(), {{ClienteRecord::fCognome, QStringLiteral("ross")}}),
            out.found);
        break;
    case Scan::Recontact: out.ok = ClienteSearch::toRecontact(path, out.found); break;
    case Scan::VehicleSearch:
        out.ok = AutomezzoSearch::search(
            path,
            RecordScan::Criteria(AutomezzoRecord::format(), {{AutomezzoRecord::fMarca, QStringLiteral("fiat")},
                                                             {AutomezzoRecord::fNote, QStringLiteral("o")}}),
            out.found);
        break;
    case Scan::Deadlines: {
        Scadenze::Filter filter;
        filter.today = kToday;
        filter.periodDays = 30;
        out.ok = Scadenze::list(path, filter, out.found);
        break;
    }
    }
    return out;
}

bool writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

}  // namespace

class TestMappedScan : public QObject
{
    Q_OBJECT

private slots:
    void cleanup();
    void sameListEveryWay_data();
    void sameListEveryWay();
    void readerMapsLocalFiles();
    void batchesReadTheFieldsEveryWay();
    void waysAreMeasuredThenChosen();
};

void TestMappedScan::cleanup()
{
    RecordReader::setMode(RecordReader::Mode::Auto);
    RecordReader::setThreads(0);
    RecordReader::setMapWindowBytes(RecordReader::kDefaultMapWindowBytes);
    RecordReader::setBlockBytes(RecordReader::kDefaultBlockBytes);
    RecordReader::setFetchHook({});
}

void TestMappedScan::sameListEveryWay_data()
{
    QTest::addColumn<int>("scan");
    QTest::addColumn<int>("state");

    const QList<QPair<const char *, Scan>> scans = {
        {"sheet search", Scan::SheetSearch},
        {"all sheets", Scan::SheetAll},
        {"unpaid", Scan::Unpaid},
        {"history by plate", Scan::History},
        {"customer search", Scan::CustomerSearch},
        {"recontact", Scan::Recontact},
        {"vehicle search", Scan::VehicleSearch},
        {"deadlines", Scan::Deadlines},
    };
    const QList<QPair<const char *, State>> states = {
        {"whole", State::Whole},     {"trailing fragment", State::Fragment},      {"empty", State::Empty},
        {"missing", State::Missing}, {"shrinks mid-scan", State::ShrinksMidScan},
    };
    for (const auto &scan : scans) {
        for (const auto &state : states)
            QTest::addRow("%s, %s", scan.first, state.first) << int(scan.second) << int(state.second);
    }
}

void TestMappedScan::sameListEveryWay()
{
    QFETCH(int, scan);
    QFETCH(int, state);
    const Scan which = Scan(scan);
    const State how = State(state);
    const auto folder = TestSupport::programFolder();
    const QString path = QDir(folder->path()).filePath(QStringLiteral("archivio.dat"));
    const int size = recordSize(which);
    const QByteArray bytes = fixture(which);
    QCOMPARE(bytes.size(), qsizetype(kRecords) * size);

    RecordReader::setMapWindowBytes(kPerBlock * size + 7);
    RecordReader::setBlockBytes(kPerBlock * size + 7);
    constexpr qint64 kShrunkRecords = 5;
    if (how == State::ShrinksMidScan) {
        // Before the second window or block is fetched the file loses all but five records.
        RecordReader::setFetchHook([&path, size](qint64 first) {
            if (first > 1) {
                QFile file(path);
                if (file.size() > kShrunkRecords * size + 10)
                    QVERIFY(file.resize(kShrunkRecords * size + 10));
            }
        });
    }

    const auto prepare = [&] {
        QFile::remove(path);
        switch (how) {
        case State::Whole:
        case State::ShrinksMidScan: QVERIFY(writeFile(path, bytes)); break;
        case State::Fragment: QVERIFY(writeFile(path, bytes + bytes.left(size - 1))); break;
        case State::Empty: QVERIFY(writeFile(path, QByteArray())); break;
        case State::Missing: break;
        }
    };

    // Reading whole records is the yardstick.
    prepare();
    RecordReader::setMode(RecordReader::Mode::Whole);
    const Outcome expected = run(which, path);
    QCOMPARE(expected.ok, how != State::ShrinksMidScan);
    if (how == State::Whole || how == State::Fragment)
        QVERIFY2(expected.found.size() > 0 && expected.found.size() < kRecords * 4, "the fixture finds some records");
    if (how == State::Empty || how == State::Missing)
        QCOMPARE(expected.found.size(), 0);
    for (const qint64 position : expected.found.positions)
        QVERIFY(position >= 1 && position <= (how == State::ShrinksMidScan ? kPerBlock : kRecords));

    for (const int threads : {1, 2})
        for (const RecordReader::Mode mode :
             {RecordReader::Mode::Map, RecordReader::Mode::Whole, RecordReader::Mode::Span, RecordReader::Mode::Ring,
              RecordReader::Mode::Auto}) {
            prepare();
            RecordReader::setMode(mode);
            RecordReader::setThreads(threads);
            const Outcome got = run(which, path);
            QCOMPARE(got.ok, expected.ok);
            QCOMPARE(got.found.lines, expected.found.lines);
            QCOMPARE(got.found.positions, expected.found.positions);
            QCOMPARE(got.totalCents, expected.totalCents);
            QCOMPARE(got.unpaidCents, expected.unpaidCents);
        }
}

// On a local file the reader maps and hands out pointers into the mapping; the forced fallback reads
// only the declared span, and both give the same field bytes.
void TestMappedScan::readerMapsLocalFiles()
{
    const auto folder = TestSupport::programFolder();
    const QString path = QDir(folder->path()).filePath(QStringLiteral("clienti.dat"));
    const QByteArray bytes = fixture(Scan::CustomerSearch);
    QVERIFY(writeFile(path, bytes + "coda"));
    const RecordFormat &format = ClienteRecord::format();

    for (const RecordReader::Mode mode : {RecordReader::Mode::Map, RecordReader::Mode::Span}) {
        RecordReader::setMode(mode);
        RecordReader reader;
        QVERIFY(reader.open(path, format.size()));
        reader.need(format, ClienteRecord::fTarga);
        reader.need(format, ClienteRecord::fNome);
        qint64 n = 0;
        while (const char *record = reader.next()) {
            ++n;
            QCOMPARE(reader.position(), n);
            const char *original = bytes.constData() + (n - 1) * format.size();
            for (const int field : {ClienteRecord::fNome, ClienteRecord::fTarga}) {
                const RecordFormat::Bytes a = format.stored(record, field);
                const RecordFormat::Bytes b = format.stored(original, field);
                QCOMPARE(QByteArray(a.data, a.size), QByteArray(b.data, b.size));
            }
        }
        QVERIFY(!reader.failed());
        QCOMPARE(n, qint64(kRecords));
        QCOMPARE(reader.usedMapping(), mode == RecordReader::Mode::Map);
    }
}

// The batches of a scan, with the reads of each batch split between two threads (enough records for
// that) and records kept here and there: every field declared is the archive's, every way.
void TestMappedScan::batchesReadTheFieldsEveryWay()
{
    const auto folder = TestSupport::programFolder();
    const QString path = QDir(folder->path()).filePath(QStringLiteral("clienti.dat"));
    constexpr int kMany = 700;
    QByteArray bytes;
    for (int i = 0; i < kMany / kRecords + 1; ++i)
        bytes += fixture(Scan::CustomerSearch);
    bytes.truncate(kMany * ClienteRecord::kSize);
    for (int n = 0; n < kMany; ++n)
        bytes[n * ClienteRecord::kSize + 3] = char('a' + n % 26);  // every record its own
    QVERIFY(writeFile(path, bytes));
    const RecordFormat &format = ClienteRecord::format();
    const QList<int> lineFields = {ClienteRecord::fNome, ClienteRecord::fNote, ClienteRecord::fDesc03};

    for (const int threads : {1, 2, 0})
        for (const RecordReader::Mode mode :
             {RecordReader::Mode::Map, RecordReader::Mode::Whole, RecordReader::Mode::Span, RecordReader::Mode::Ring,
              RecordReader::Mode::Auto}) {
            RecordReader::setMode(mode);
            RecordReader::setThreads(threads);
            RecordReader reader;
            QVERIFY(reader.open(path, format.size()));
            reader.needEach(format, ClienteRecord::fCognome);
            for (const int field : lineFields)
                reader.need(format, field);
            qint64 seen = 0;
            qint64 kept = 0;
            const auto same = [&](const char *record, qint64 position, int field) {
                const char *original = bytes.constData() + (position - 1) * format.size();
                const RecordFormat::Bytes a = format.stored(record, field);
                const RecordFormat::Bytes b = format.stored(original, field);
                return QByteArray(a.data, a.size) == QByteArray(b.data, b.size);
            };
            while (const qint64 count = reader.nextBatch()) {
                for (qint64 i = 0; i < count; ++i) {
                    ++seen;
                    QCOMPARE(reader.positionOf(i), seen);
                    QVERIFY2(same(reader.record(i), seen, ClienteRecord::fCognome), RecordReader::modeName(mode));
                    if (seen % 7 == 0 || seen % 11 == 0)
                        reader.keep(i);
                }
                QVERIFY(reader.readKept());
                for (qint64 k = 0; k < reader.keptCount(); ++k) {
                    ++kept;
                    const qint64 position = reader.keptPosition(k);
                    QVERIFY(position % 7 == 0 || position % 11 == 0);
                    for (const int field : lineFields + QList<int>{ClienteRecord::fCognome})
                        QVERIFY2(same(reader.keptRecord(k), position, field), RecordReader::modeName(mode));
                }
            }
            QVERIFY2(!reader.failed(), qPrintable(reader.errorString()));
            QCOMPARE(seen, qint64(kMany));
            QCOMPARE(kept, qint64(kMany / 7 + kMany / 11 - kMany / 77));
            if (mode == RecordReader::Mode::Ring && RecordReader::ringAvailable())
                QCOMPARE(reader.way(), RecordReader::Mode::Ring);
        }
}

// What the choice does: a forced way wins (Ring without io_uring reads as Span, Map that cannot map
// as Whole); otherwise every allowed way is measured in turn, a clearly slower one dropped after two
// samples, and then the fastest read the rest.
void TestMappedScan::waysAreMeasuredThenChosen()
{
    using M = RecordReader::Mode;
    RecordReader::Situation s;
    s.spansSkip = true;
    s.ringAllowed = true;
    s.forced = M::Ring;
    QCOMPARE(RecordReader::choose(s).way, M::Ring);
    s.ringAllowed = false;
    QCOMPARE(RecordReader::choose(s).way, M::Span);
    s.forced = M::Map;
    s.mapAllowed = false;
    QCOMPARE(RecordReader::choose(s).way, M::Whole);

    s = {};
    s.spansSkip = true;
    s.ringAllowed = true;
    QList<M> measured;
    const auto cost = [](M way) { return way == M::Ring ? 300.0 : way == M::Whole ? 900.0 : 5000.0; };
    for (int step = 0; step < 20; ++step) {
        const RecordReader::Choice choice = RecordReader::choose(s);
        if (!choice.measure) {
            QCOMPARE(choice.way, M::Ring);
            break;
        }
        measured.append(choice.way);
        RecordReader::Measure &m = s.measured[size_t(RecordReader::slot(choice.way, choice.split))];
        m.nsPerRecord = cost(choice.way);
        ++m.samples;
    }
    // In turn; Whole and Map (over twice the best) measured twice only.
    QCOMPARE(measured, (QList<M>{M::Ring, M::Whole, M::Map, M::Ring, M::Whole, M::Map, M::Ring}));

    // With a free core each way but the mapping also on two threads; forced threads leave one of them.
    s = {};
    s.spansSkip = true;
    s.ringAllowed = true;
    s.freeCore = true;
    QList<QString> firstRound;
    for (int step = 0; step < 5; ++step) {
        const RecordReader::Choice choice = RecordReader::choose(s);
        QVERIFY(choice.measure);
        firstRound.append(RecordReader::wayName(choice.way, choice.split));
        ++s.measured[size_t(RecordReader::slot(choice.way, choice.split))].samples;
    }
    QCOMPARE(firstRound, (QList<QString>{"ring", "ringx2", "whole", "wholex2", "map"}));
    s = {};
    s.forced = M::Ring;
    s.forcedThreads = 2;
    QCOMPARE(RecordReader::choose(s).way, M::Span);
    QVERIFY(RecordReader::choose(s).split);
    QVERIFY(!RecordReader::choose(s).measure);
    s.forced = M::Map;
    QVERIFY(!RecordReader::choose(s).split);
    s.forced = M::Whole;
    s.forcedThreads = 0;
    QVERIFY(!RecordReader::choose(s).measure);  // no free core: one thread, nothing to measure
    s.freeCore = true;
    QVERIFY(RecordReader::choose(s).measure);

    // Spans that skip nothing: only the whole-record ways; one allowed: no measuring.
    s = {};
    s.ringAllowed = true;
    QVERIFY(RecordReader::choose(s).measure);
    QVERIFY(RecordReader::choose(s).way != M::Ring);
    s.mapAllowed = false;
    QCOMPARE(RecordReader::choose(s).way, M::Whole);
    QVERIFY(!RecordReader::choose(s).measure);
}

QTEST_GUILESS_MAIN(TestMappedScan)
#include "tst_mappedscan.moc"
