#include "vehicles/AutomezzoSearch.h"

namespace AutomezzoSearch {

using R = AutomezzoRecord;

const std::array<AutomezzoRecord::Field, 10> &criterionFields()
{
    static const std::array<AutomezzoRecord::Field, 10> fields = {
        R::fTipo,         R::fAccessori,    R::fMarca,     R::fModello,    R::fTarga,
        R::fStatoVeicolo, R::fProprietario, R::fMeccanico, R::fCentraline, R::fNote,
    };
    return fields;
}

const RecordScan::LineLayout &searchLine()
{
    static const RecordScan::LineLayout line(R::format(), {
                                                              {"", R::fTipo, 20},
                                                              {"  ", R::fMarca, 30, R::fModello},
                                                              {"  Targa: ", R::fTarga, 12},
                                                              {"  Titolare: ", R::fProprietario, 30},
                                                              {"  Anno: ", R::fImmatricolazione, 10},
                                                              {"  Km: ", R::fChilometri, 0},
                                                          });
    return line;
}

bool search(const QString &archivePath, const RecordScan::Criteria &criteria, ListedRecords &found)
{
    return RecordScan::search(archivePath, searchLine(), criteria, found);
}

}  // namespace AutomezzoSearch
