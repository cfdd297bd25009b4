#include "archive/SchedaRecord.h"

const std::array<SchedaRecord::Layout, SchedaRecord::FieldCount> &SchedaRecord::layout()
{
    static const std::array<Layout, FieldCount> table = {{
        {"NumScheda", 0, 50, &SchedaRecord::NumScheda},
        {"Data", 51, 10, &SchedaRecord::Data},
        {"Tecnico", 62, 120, &SchedaRecord::Tecnico},
        {"Azienda", 183, 500, &SchedaRecord::Azienda},
        {"Pratica", 684, 250, &SchedaRecord::Pratica},
        {"Cliente", 935, 500, &SchedaRecord::Cliente},
        {"Recapito", 1436, 50, &SchedaRecord::Recapito},
        {"Veicolo", 1487, 50, &SchedaRecord::Veicolo},
        {"Targa", 1538, 30, &SchedaRecord::Targa},
        {"Marca", 1569, 50, &SchedaRecord::Marca},
        {"Chilometraggio", 1620, 50, &SchedaRecord::Chilometraggio},
        {"Danni", 1671, 1000, &SchedaRecord::Danni},
        {"DataInizio", 2672, 10, &SchedaRecord::DataInizio},
        {"Stato", 2683, 50, &SchedaRecord::Stato},
        {"DataFine", 2734, 10, &SchedaRecord::DataFine},
        {"Vernice", 2745, 500, &SchedaRecord::Vernice},
        {"Ricambi", 3246, 1000, &SchedaRecord::Ricambi},
        {"Interventi", 4247, 5000, &SchedaRecord::Interventi},
        {"Manodopera", 9248, 120, &SchedaRecord::Manodopera},
        {"Note", 9369, 1000, &SchedaRecord::Note},
        {"Totale", 10370, 15, &SchedaRecord::Totale},
        {"Pagato", 10386, 2, &SchedaRecord::Pagato},
        {"File01", 10389, 250, &SchedaRecord::File01},
        {"File02", 10640, 250, &SchedaRecord::File02},
        {"File03", 10891, 250, &SchedaRecord::File03},
        {"Desc01", 11142, 250, &SchedaRecord::Desc01},
        {"Desc02", 11393, 250, &SchedaRecord::Desc02},
        {"Desc03", 11644, 250, &SchedaRecord::Desc03},
    }};
    return table;
}
