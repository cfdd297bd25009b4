#include "invoice/FatturaRecord.h"

const std::array<FatturaRecord::Layout, FatturaRecord::FieldCount> &FatturaRecord::layout()
{
    static const std::array<Layout, FieldCount> table = {{
        {"File", 0, 60, &FatturaRecord::File},
        {"Anno", 61, 4, &FatturaRecord::Anno},
        {"Numero", 66, 10, &FatturaRecord::Numero},
        {"Data", 77, 10, &FatturaRecord::Data},
        {"Tipo", 88, 4, &FatturaRecord::Tipo},
        {"Cliente", 93, 80, &FatturaRecord::Cliente},
        {"Imponibile", 174, 15, &FatturaRecord::Imponibile},
        {"Imposta", 190, 15, &FatturaRecord::Imposta},
        {"Totale", 206, 15, &FatturaRecord::Totale},
        {"Pagato", 222, 2, &FatturaRecord::Pagato},
        {"Scheda", 225, 50, &FatturaRecord::Scheda},
    }};
    return table;
}
