#pragma once

#include "archive/RecordLayout.h"

#include <QString>

#include <array>

// One vehicle sheet of "Parco_Automezzi.pro": 38 length-prefixed text fields packed into 3370 bytes,
// in the order of the vehicle screen's Enter chain followed by the six attachment fields. The five
// dates are "dd/mm/yyyy" text or empty.
struct AutomezzoRecord : RecordBase<AutomezzoRecord>
{
    static constexpr int kSize = 3370;
    static constexpr FieldEncoding kEncoding = FieldEncoding::LengthPrefixed;
    static QString fileName() { return QStringLiteral("Parco_Automezzi.pro"); }

    // The field names stay packed as in the layout table.
    // clang-format off
    enum Field {
        fTipo, fAccessori, fMarca, fModello, fTarga, fImmatricolazione, fColore, fTelaio,
        fPneumatici, fStatoVeicolo, fChilometri, fDataLettura, fAlimentazione, fCilindrata, fKW,
        fAmbiente, fPosti, fPortata, fCompagnia, fTelAssicuratore, fPolizza, fIncidenti,
        fCentraline, fProprietario, fTelProprietario, fMeccanico, fTelMeccanico, fScadRevisione,
        fScadTagliando, fScadAssicurazione, fScadBollo, fNote, fFile01, fFile02, fFile03, fDesc01,
        fDesc02, fDesc03,
        FieldCount
    };
    // clang-format on
    static const std::array<Layout, FieldCount> &layout();

    QString Tipo, Accessori, Marca, Modello, Targa, Immatricolazione, Colore, Telaio, Pneumatici, StatoVeicolo,
        Chilometri, DataLettura, Alimentazione, Cilindrata, KW, Ambiente, Posti, Portata, Compagnia, TelAssicuratore,
        Polizza, Incidenti, Centraline, Proprietario, TelProprietario, Meccanico, TelMeccanico, ScadRevisione,
        ScadTagliando, ScadAssicurazione, ScadBollo, Note, File01, File02, File03, Desc01, Desc02, Desc03;
};
