#include "sheets/SchedaSearch.h"

#include "sheets/StoricoTarga.h"

namespace SchedaSearch {

namespace {

const RecordFormat &sheet()
{
    return SchedaRecord::format();
}

}  // namespace

const std::array<SchedaRecord::Field, 10> &criterionFields()
{
    static const std::array<SchedaRecord::Field, 10> fields = {
        SchedaRecord::fNumScheda, SchedaRecord::fData,     SchedaRecord::fTecnico, SchedaRecord::fPratica,
        SchedaRecord::fCliente,   SchedaRecord::fRecapito, SchedaRecord::fMarca,   SchedaRecord::fTarga,
        SchedaRecord::fStato,     SchedaRecord::fNote,
    };
    return fields;
}

Criteria::Criteria(const QList<Criterion> &criteria) : RecordScan::Criteria(sheet(), criteria)
{
}

const RecordScan::LineLayout &lineSpec()
{
    static const RecordScan::LineLayout line(
        sheet(), {
                     {"Scheda n. ", SchedaRecord::fNumScheda, 10},
                     {"  Data: ", SchedaRecord::fData, 10},
                     {"  Cliente: ", SchedaRecord::fCliente, 25},
                     {"  Tel. ", SchedaRecord::fRecapito, 14},
                     {"  ", SchedaRecord::fMarca, 25},
                     {"  Targa: ", SchedaRecord::fTarga, 10},
                     {"  \x80 ", SchedaRecord::fTotale, 0},  // the euro sign in Windows-1252
                 });
    return line;
}

const RecordScan::LineLayout &unpaidLineSpec()
{
    static const RecordScan::LineLayout line(
        sheet(), {
                     {"Scheda n. ", SchedaRecord::fNumScheda, 10},
                     {"  Data: ", SchedaRecord::fData, 10},
                     {"  Cliente: ", SchedaRecord::fCliente, 25},
                     {"  Tel. ", SchedaRecord::fRecapito, 14},
                     {"  Targa: ", SchedaRecord::fTarga, 10},
                     {"  \x80 ", SchedaRecord::fTotale, 0},  // the euro sign in Windows-1252
                 });
    return line;
}

QString listLine(const char *record)
{
    return lineSpec().build(record);
}

QString listLine(const SchedaRecord &record)
{
    return listLine(record.toBytes().constData());
}

bool isUnpaid(const char *record)
{
    return RecordScan::fieldIs(sheet(), record, SchedaRecord::fPagato, QByteArrayLiteral("No"));
}

bool search(const QString &archivePath, const Criteria &criteria, ListedRecords &found)
{
    return RecordScan::search(archivePath, lineSpec(), criteria, found);
}

bool unpaid(const QString &archivePath, ListedRecords &found)
{
    return RecordScan::scan(archivePath, unpaidLineSpec(), isUnpaid, {SchedaRecord::fPagato}, found);
}

Owed owedOf(const QStringList &unpaidLines)
{
    // Every column before the total has its fixed width: the total starts where it starts in the
    // line of an empty sheet, which ends there.
    static const qsizetype totalColumn = unpaidLineSpec().build(SchedaRecord().toBytes()).size();
    Owed owed;
    for (const QString &line : unpaidLines) {
        const std::optional<qint64> cents =
            line.size() > totalColumn ? StoricoTarga::cents(line.mid(totalColumn)) : std::nullopt;
        if (cents)
            owed.cents += *cents;
        else
            ++owed.unreadable;
    }
    return owed;
}

QString owedText(const Owed &owed)
{
    QString text = QStringLiteral("Totale da saldare: € ") + StoricoTarga::amountText(owed.cents);
    if (owed.unreadable == 1)
        text += QStringLiteral("   (1 importo non leggibile)");
    else if (owed.unreadable > 1)
        text += QStringLiteral("   (%1 importi non leggibili)").arg(owed.unreadable);
    return text;
}

}  // namespace SchedaSearch
