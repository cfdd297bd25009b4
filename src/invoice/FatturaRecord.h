#pragma once

#include "archive/RecordLayout.h"

#include <QString>

#include <array>

// One line of the register of issued invoices, "Fatture_Emesse.pro" in the program folder: 11
// zero-terminated text fields in 276 bytes. The invoice itself is its XML file in
// Fatture_Elettroniche (File); the register keeps what the file cannot (paid or not, the sheet it
// comes from) and a copy of the figures the list shows. Amounts are text with a decimal comma
// ("12,50"), the date "dd/mm/yyyy", the paid flag "Sì" or "No".
struct FatturaRecord : RecordBase<FatturaRecord>
{
    static constexpr int kSize = 276;
    static constexpr FieldEncoding kEncoding = FieldEncoding::ZeroTerminated;
    static QString fileName() { return QStringLiteral("Fatture_Emesse.pro"); }

    enum Field {
        fFile,
        fAnno,
        fNumero,
        fData,
        fTipo,
        fCliente,
        fImponibile,
        fImposta,
        fTotale,
        fPagato,
        fScheda,
        FieldCount
    };
    static const std::array<Layout, FieldCount> &layout();

    QString File, Anno, Numero, Data, Tipo, Cliente, Imponibile, Imposta, Totale, Pagato, Scheda;
};
