// The list lines and criteria of the search dialogs (sheet search and unpaid list, customer search and
// recontact list, vehicle search), which are built on the stored bytes of a record for speed, against
// their rule written on the decoded record; and the list operations every list dialog shares.
//
// Input: one byte that picks the part (low two bits: 0 sheets, 1 customers, 2 vehicles, 3 the list
// operations). For a record: up to three criteria (field byte, length byte, text), then the record
// bytes. For the list operations: a selection byte, a width byte, then lines separated by LF, the
// first being the text to find.

#include "FuzzSupport.h"

#include "archive/AutomezzoRecord.h"
#include "archive/ClienteRecord.h"
#include "archive/ListRules.h"
#include "archive/RecordScan.h"
#include "archive/SchedaRecord.h"
#include "common/TextRules.h"
#include "customers/ClienteSearch.h"
#include "sheets/SchedaSearch.h"
#include "sheets/StoricoTarga.h"
#include "vehicles/AutomezzoSearch.h"

#include <QFile>
#include <QTemporaryDir>

#include <algorithm>

namespace {

using ListLines::column;

QString sheetLine(const SchedaRecord &r)
{
    return QStringLiteral("Scheda n. ") + column(r.NumScheda, 10) + QStringLiteral("  Data: ") + column(r.Data, 10)
           + QStringLiteral("  Cliente: ") + column(r.Cliente, 25) + QStringLiteral("  Tel. ") + column(r.Recapito, 14)
           + QStringLiteral("  ") + column(r.Marca, 25) + QStringLiteral("  Targa: ") + column(r.Targa, 10)
           + QStringLiteral("  \u20AC ") + r.Totale;
}

// The unpaid list's line: the sheet line without the make.
QString unpaidSheetLine(const SchedaRecord &r)
{
    return QStringLiteral("Scheda n. ") + column(r.NumScheda, 10) + QStringLiteral("  Data: ") + column(r.Data, 10)
           + QStringLiteral("  Cliente: ") + column(r.Cliente, 25) + QStringLiteral("  Tel. ") + column(r.Recapito, 14)
           + QStringLiteral("  Targa: ") + column(r.Targa, 10) + QStringLiteral("  \u20AC ") + r.Totale;
}

QString customerLine(const ClienteRecord &r, const QString &last)
{
    return column(r.Cognome + QLatin1Char(' ') + r.Nome, 30) + QStringLiteral("  Tel. ") + column(r.Recapito, 16)
           + QStringLiteral("  ") + column(r.Marca, 20) + QStringLiteral("  Targa: ") + column(r.Targa, 10)
           + QStringLiteral("  ") + last;
}

// The recontact line leaves the make out, so that the pending matter shows.
QString recontactLine(const ClienteRecord &r)
{
    return column(r.Cognome + QLatin1Char(' ') + r.Nome, 30) + QStringLiteral("  Tel. ") + column(r.Recapito, 16)
           + QStringLiteral("  Targa: ") + column(r.Targa, 10) + QStringLiteral("  ") + r.Questioni;
}

QString vehicleLine(const AutomezzoRecord &r)
{
    return column(r.Tipo, 20) + QStringLiteral("  ") + column(r.Marca + QLatin1Char(' ') + r.Modello, 30)
           + QStringLiteral("  Targa: ") + column(r.Targa, 12) + QStringLiteral("  Titolare: ")
           + column(r.Proprietario, 30) + QStringLiteral("  Anno: ") + column(r.Immatricolazione, 10)
           + QStringLiteral("  Km: ") + r.Chilometri;
}

// The criteria rule on decoded text: every criterion whose trimmed text is not empty occurs in the
// field as stored (not trimmed), both lower-cased on A to Z.
bool criteriaRule(const RecordFormat &format, const char *record, const QList<RecordScan::Criterion> &criteria)
{
    for (const RecordScan::Criterion &c : criteria) {
        if (TextRules::trim(c.text).isEmpty())
            continue;
        const QString lower = TextRules::lowerAZ(c.text);
        if (!CodePage::canEncode(lower))
            return false;
        const RecordFormat::Bytes stored = format.stored(record, c.field);
        if (!TextRules::lowerAZ(CodePage::toUnicode(stored.data, stored.size)).contains(lower))
            return false;
    }
    return true;
}

QList<RecordScan::Criterion> readCriteria(Fuzz::Input &input, int fieldCount)
{
    QList<RecordScan::Criterion> criteria;
    const quint8 head = input.byte();
    for (int i = 0; i < head % 4; ++i) {
        const int field = input.byte() % fieldCount;
        const quint8 length = input.byte();
        const QByteArray text = input.bytes(length % 24);
        criteria.append({field, (length & 0x80) ? Fuzz::utf8Text(text) : Fuzz::codePageText(text)});
    }
    return criteria;
}

const QString &scratchFile()
{
    static QTemporaryDir dir;
    static const QString path = dir.path() + QStringLiteral("/archivio.pro");
    return path;
}

// The archive of the record twice, for the scans.
void writeTwice(const QByteArray &record)
{
    QFile out(scratchFile());
    FUZZ_CHECK(out.open(QIODevice::WriteOnly | QIODevice::Truncate), scratchFile());
    out.write(record);
    out.write(record);
}

// The scan lists both records or neither, with the line built from the bytes.
void checkScan(bool ok, const ListedRecords &found, bool kept, const QString &line)
{
    FUZZ_CHECK(ok, QStringLiteral("the scan failed"));
    FUZZ_CHECK(found.size() == (kept ? 2 : 0), QStringLiteral("%1 records listed").arg(found.size()));
    for (qsizetype i = 0; i < found.size(); ++i)
        FUZZ_CHECK(found.lines.at(i) == line && found.positions.at(i) == i + 1, Fuzz::shown(found.lines.at(i)));
}

template<typename Record>
QByteArray wholeRecord(Fuzz::Input &input)
{
    QByteArray whole = input.rest().left(Record::kSize);
    return whole.leftJustified(Record::kSize, '\0');
}

void checkSheets(Fuzz::Input &input)
{
    const QList<RecordScan::Criterion> criteria = readCriteria(input, SchedaRecord::FieldCount);
    const QByteArray whole = wholeRecord<SchedaRecord>(input);
    const SchedaRecord record = SchedaRecord::fromBytes(whole);

    const QString line = SchedaSearch::listLine(whole.constData());
    FUZZ_CHECK(line == sheetLine(record),
               Fuzz::shown(line) + QStringLiteral("\n  expected ") + Fuzz::shown(sheetLine(record)));
    FUZZ_CHECK(SchedaSearch::listLine(SchedaRecord::fromBytes(record.toBytes())) == SchedaSearch::listLine(record),
               QStringLiteral("the line changes through encoding"));
    const bool unpaid = SchedaSearch::isUnpaid(whole.constData());
    FUZZ_CHECK(unpaid == (record.Pagato == QLatin1String("No")), Fuzz::shown(record.Pagato));

    const SchedaSearch::Criteria prepared(criteria);
    const bool kept = prepared.matches(whole.constData());
    FUZZ_CHECK(kept == criteriaRule(SchedaRecord::format(), whole.constData(), criteria), QStringLiteral("criteria"));

    writeTwice(whole);
    ListedRecords found;
    checkScan(SchedaSearch::search(scratchFile(), prepared, found), found, kept, line);
    ListedRecords unpaidFound;
    const QString unpaidLine = SchedaSearch::unpaidLineSpec().build(whole.constData());
    FUZZ_CHECK(unpaidLine == unpaidSheetLine(record),
               Fuzz::shown(unpaidLine) + QStringLiteral("\n  expected ") + Fuzz::shown(unpaidSheetLine(record)));
    checkScan(SchedaSearch::unpaid(scratchFile(), unpaidFound), unpaidFound, unpaid, unpaidLine);
    // What the unpaid list says is owed is its lines' totals, never more than one unreadable each.
    const SchedaSearch::Owed owed = SchedaSearch::owedOf(unpaidFound.lines);
    const std::optional<qint64> total = StoricoTarga::cents(record.Totale);
    if (!unpaidFound.isEmpty())
        FUZZ_CHECK(total ? owed.unreadable == 0 && owed.cents == 2 * *total : owed.unreadable == 2,
                   Fuzz::shown(record.Totale));

    const QString plate = StoricoTarga::comparablePlate(record.Targa);
    FUZZ_CHECK(StoricoTarga::comparablePlate(plate) == plate, Fuzz::shown(record.Targa));
    FUZZ_CHECK(!plate.contains(QLatin1Char(' ')) && !plate.contains(QLatin1Char('.'))
                   && !plate.contains(QLatin1Char('-')),
               Fuzz::shown(plate));
}

void checkCustomers(Fuzz::Input &input)
{
    const QList<RecordScan::Criterion> criteria = readCriteria(input, ClienteRecord::FieldCount);
    const QByteArray whole = wholeRecord<ClienteRecord>(input);
    const ClienteRecord record = ClienteRecord::fromBytes(whole);

    const QString search = ClienteSearch::searchLine().build(whole);
    FUZZ_CHECK(search == customerLine(record, record.Note),
               Fuzz::shown(search) + QStringLiteral("\n  expected ") + Fuzz::shown(customerLine(record, record.Note)));
    const QString recontact = ClienteSearch::recontactLine().build(whole);
    FUZZ_CHECK(recontact == recontactLine(record), Fuzz::shown(recontact));
    const bool toRecontact = ClienteSearch::isToRecontact(whole.constData());
    FUZZ_CHECK(toRecontact == (record.Ricontatta == FieldCodec::yesText()), Fuzz::shown(record.Ricontatta));

    const RecordScan::Criteria prepared(ClienteRecord::format(), criteria);
    const bool kept = prepared.matches(whole.constData());
    FUZZ_CHECK(kept == criteriaRule(ClienteRecord::format(), whole.constData(), criteria), QStringLiteral("criteria"));

    writeTwice(whole);
    ListedRecords found;
    checkScan(ClienteSearch::search(scratchFile(), prepared, found), found, kept, search);
    ListedRecords recontactFound;
    checkScan(ClienteSearch::toRecontact(scratchFile(), recontactFound), recontactFound, toRecontact, recontact);
}

void checkVehicles(Fuzz::Input &input)
{
    const QList<RecordScan::Criterion> criteria = readCriteria(input, AutomezzoRecord::FieldCount);
    const QByteArray whole = wholeRecord<AutomezzoRecord>(input);
    const AutomezzoRecord record = AutomezzoRecord::fromBytes(whole);

    const QString line = AutomezzoSearch::searchLine().build(whole);
    FUZZ_CHECK(line == vehicleLine(record),
               Fuzz::shown(line) + QStringLiteral("\n  expected ") + Fuzz::shown(vehicleLine(record)));

    const RecordScan::Criteria prepared(AutomezzoRecord::format(), criteria);
    const bool kept = prepared.matches(whole.constData());
    FUZZ_CHECK(kept == criteriaRule(AutomezzoRecord::format(), whole.constData(), criteria),
               QStringLiteral("criteria"));

    writeTwice(whole);
    ListedRecords found;
    checkScan(AutomezzoSearch::search(scratchFile(), prepared, found), found, kept, line);
}

// Sorting keeps every line with its position, orders by the key and keeps archive order among equals.
void checkSorted(const ListedRecords &before, const ListedRecords &after, bool foldAZ)
{
    FUZZ_CHECK(after.lines.size() == before.lines.size() && after.positions.size() == before.positions.size(),
               QStringLiteral("lines lost"));
    QVector<qint64> seen = after.positions;
    std::sort(seen.begin(), seen.end());
    for (qsizetype i = 0; i < seen.size(); ++i)
        FUZZ_CHECK(seen.at(i) == i + 1, QStringLiteral("positions are not a permutation"));
    for (qsizetype i = 0; i < after.size(); ++i)
        FUZZ_CHECK(after.lines.at(i) == before.lines.at(after.positions.at(i) - 1),
                   QStringLiteral("a line lost its position"));
    for (qsizetype i = 1; i < after.size(); ++i) {
        const QString a = foldAZ ? TextRules::lowerAZ(after.lines.at(i - 1)) : after.lines.at(i - 1);
        const QString b = foldAZ ? TextRules::lowerAZ(after.lines.at(i)) : after.lines.at(i);
        FUZZ_CHECK(a < b || (a == b && after.positions.at(i - 1) < after.positions.at(i)),
                   QStringLiteral("lines %1 and %2 out of order").arg(i - 1).arg(i));
    }
}

void checkLists(Fuzz::Input &input)
{
    const int selected = int(qint8(input.byte()));
    const int width = input.byte() % 40;
    const QString text = Fuzz::codePageText(input.piece('\n'));
    ListedRecords listed;
    while (!input.atEnd())
        listed.add(Fuzz::codePageText(input.piece('\n')), listed.size() + 1);

    for (const QString &line : std::as_const(listed.lines)) {
        const QString cell = column(line, width);
        FUZZ_CHECK(cell.size() == width && (cell.startsWith(line) || line.startsWith(cell)), Fuzz::shown(line));
    }

    ListedRecords sorted = listed;
    sorted.sortByLine();
    checkSorted(listed, sorted, false);
    ListedRecords folded = listed;
    folded.sortByLineFoldingAZ();
    checkSorted(listed, folded, true);

    const QString lower = TextRules::lowerAZ(text);
    QString remembered = (selected & 1) ? lower : QString();
    const ListFind::Step step = ListFind::findNext(listed.lines, selected, text, remembered);
    if (listed.isEmpty()) {
        FUZZ_CHECK(step.emptyList, QStringLiteral("empty list"));
        return;
    }
    FUZZ_CHECK(!step.emptyList && remembered == lower, QStringLiteral("remembered text"));
    FUZZ_CHECK(step.selection >= 0 && step.selection < listed.size(), QString::number(step.selection));
    bool anyFound = false;
    for (const QString &line : std::as_const(listed.lines)) {
        const bool found = ListFind::containsLowerAZ(line, lower);
        FUZZ_CHECK(found == (!lower.isEmpty() && TextRules::lowerAZ(line).contains(lower)), Fuzz::shown(line));
        anyFound = anyFound || found;
    }
    if (anyFound)
        FUZZ_CHECK(ListFind::containsLowerAZ(listed.lines.at(step.selection), lower),
                   QStringLiteral("selected a line without the text"));
    else
        FUZZ_CHECK(step.selection == ((selected >= 0 && selected < listed.size()) ? selected : 0),
                   QStringLiteral("the selection moved"));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    Fuzz::Input input(data, size);
    switch (input.byte() & 3) {
    case 0: checkSheets(input); break;
    case 1: checkCustomers(input); break;
    case 2: checkVehicles(input); break;
    default: checkLists(input); break;
    }
    return 0;
}
