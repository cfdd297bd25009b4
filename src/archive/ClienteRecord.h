#pragma once

#include "archive/RecordLayout.h"

#include <QString>

#include <array>

// One customer sheet of "Clienti.pro": 38 length-prefixed text fields packed into 3011 bytes. The
// field order is the archive's, not the screen's (the birth data follow the postcode, the attachment
// descriptions follow the attachment names). The recontact flag is the text "Sì" or "No".
struct ClienteRecord : RecordBase<ClienteRecord>
{
    static constexpr int kSize = 3011;
    static constexpr FieldEncoding kEncoding = FieldEncoding::LengthPrefixed;
    static QString fileName() { return QStringLiteral("Clienti.pro"); }

    // The field names stay packed as in the layout table.
    // clang-format off
    enum Field {
        fCognome, fNome, fDitta, fSesso, fRecapito, fIndirizzoRes, fProvRes, fComuneRes, fCapRes,
        fDataNasc, fComuneNasc, fProvNasc, fTelCasa, fTelUff, fTelCel, fPec, fEmail, fCodFisc,
        fCarta, fScadeCarta, fPartitaIva, fIban, fVeicolo, fMarca, fTelaio, fImmatricolazione,
        fAlimentazione, fTarga, fQuestioni, fNote, fCodiceDest, fRicontatta, fFile01, fFile02,
        fFile03, fDesc01, fDesc02, fDesc03,
        FieldCount
    };
    // clang-format on
    static const std::array<Layout, FieldCount> &layout();

    QString Cognome, Nome, Ditta, Sesso, Recapito, IndirizzoRes, ProvRes, ComuneRes, CapRes, DataNasc, ComuneNasc,
        ProvNasc, TelCasa, TelUff, TelCel, Pec, Email, CodFisc, Carta, ScadeCarta, PartitaIva, Iban, Veicolo, Marca,
        Telaio, Immatricolazione, Alimentazione, Targa, Questioni, Note, CodiceDest, Ricontatta, File01, File02, File03,
        Desc01, Desc02, Desc03;
};
