#include "customers/ClienteSearch.h"

namespace ClienteSearch {

namespace {

using R = ClienteRecord;

QVector<RecordScan::LineLayout::Piece> lineEndingWith(int lastField)
{
    return {
        {"", R::fCognome, 30, R::fNome}, {"  Tel. ", R::fRecapito, 16}, {"  ", R::fMarca, 20},
        {"  Targa: ", R::fTarga, 10},    {"  ", lastField, 0},
    };
}

}  // namespace

const std::array<ClienteRecord::Field, 10> &criterionFields()
{
    static const std::array<ClienteRecord::Field, 10> fields = {
        R::fCognome, R::fDitta, R::fPartitaIva, R::fCodFisc,   R::fComuneRes,
        R::fMarca,   R::fTarga, R::fTelCel,     R::fQuestioni, R::fNote,
    };
    return fields;
}

const RecordScan::LineLayout &searchLine()
{
    static const RecordScan::LineLayout line(R::format(), lineEndingWith(R::fNote));
    return line;
}

const RecordScan::LineLayout &recontactLine()
{
    // Whom to call, the number and the plate, then the pending matter as early in the line as
    // possible, so that it shows on a 1366-pixel screen.
    static const RecordScan::LineLayout line(R::format(), {
                                                              {"", R::fCognome, 30, R::fNome},
                                                              {"  Tel. ", R::fRecapito, 16},
                                                              {"  Targa: ", R::fTarga, 10},
                                                              {"  ", R::fQuestioni, 0},
                                                          });
    return line;
}

bool isToRecontact(const char *record)
{
    return RecordScan::fieldIs(R::format(), record, R::fRicontatta, QByteArray("S\xEC"));
}

bool search(const QString &archivePath, const RecordScan::Criteria &criteria, ListedRecords &found)
{
    return RecordScan::search(archivePath, searchLine(), criteria, found);
}

bool toRecontact(const QString &archivePath, ListedRecords &found)
{
    return RecordScan::scan(archivePath, recontactLine(), isToRecontact, {R::fRicontatta}, found);
}

}  // namespace ClienteSearch
