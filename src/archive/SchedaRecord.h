#pragma once

#include "archive/RecordLayout.h"

#include <QString>

#include <array>

// One intervention sheet of "Schede_Interventi_Elettrauto.pro": 28 zero-terminated text fields packed
// into 11895 bytes. The total, the dates and the paid flag are text as the screen shows them.
struct SchedaRecord : RecordBase<SchedaRecord>
{
    static constexpr int kSize = 11895;
    static constexpr FieldEncoding kEncoding = FieldEncoding::ZeroTerminated;
    static QString fileName() { return QStringLiteral("Schede_Interventi_Elettrauto.pro"); }

    // The field names stay packed as in the layout table.
    // clang-format off
    enum Field {
        fNumScheda, fData, fTecnico, fAzienda, fPratica, fCliente, fRecapito, fVeicolo, fTarga,
        fMarca, fChilometraggio, fDanni, fDataInizio, fStato, fDataFine, fVernice, fRicambi,
        fInterventi, fManodopera, fNote, fTotale, fPagato, fFile01, fFile02, fFile03, fDesc01,
        fDesc02, fDesc03,
        FieldCount
    };
    // clang-format on
    static const std::array<Layout, FieldCount> &layout();

    QString NumScheda, Data, Tecnico, Azienda, Pratica, Cliente, Recapito, Veicolo, Targa, Marca, Chilometraggio, Danni,
        DataInizio, Stato, DataFine, Vernice, Ricambi, Interventi, Manodopera, Note, Totale, Pagato, File01, File02,
        File03, Desc01, Desc02, Desc03;
};
