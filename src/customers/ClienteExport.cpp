#include "customers/ClienteExport.h"

#include "archive/ClienteRecord.h"

namespace ClienteExport {

const SpreadsheetExport::Table &table()
{
    using R = ClienteRecord;
    static const SpreadsheetExport::Table made{
        QStringLiteral("Clienti.xls"),
        QStringLiteral("Riepilogo Clienti"),
        QStringLiteral("l'archivio dei clienti"),
        &R::format(),
        {
            // name, grid header, grid width, read-only, file header, file width, field(s)
            {"colCliente", QStringLiteral("Cognome e nome cliente"), 250, true,
             QStringLiteral("Cognome e nome cliente"), 250, R::fCognome, R::fNome},
            {"colDitta", QStringLiteral("Denominazione Ditta"), 250, true, QStringLiteral("Denominazione Ditta"), 250,
             R::fDitta},
            {"colSesso", QStringLiteral("Sesso"), 100, true, QStringLiteral("Sesso"), 150, R::fSesso},
            {"colRecapito", QStringLiteral("Telefono preferenziale"), 200, true,
             QStringLiteral("Telefono preferenziale"), 250, R::fRecapito},
            {"colIndirizzoRes", QStringLiteral("Indirizzo di residenza"), 250, true,
             QStringLiteral("Indirizzo di residenza"), 300, R::fIndirizzoRes},
            {"colComuneRes", QStringLiteral("Comune di residenza"), 250, false, QStringLiteral("Comune di residenza"),
             250, R::fComuneRes, R::fProvRes},
            {"colCap", QStringLiteral("CAP"), 100, true, QStringLiteral("CAP"), 180, R::fCapRes},
            {"colTelCasa", QStringLiteral("Tel. casa"), 200, true, QStringLiteral("Tel. casa"), 250, R::fTelCasa},
            {"colTelUff", QStringLiteral("Tel. ufficio"), 200, true, QStringLiteral("Tel. ufficio"), 250, R::fTelUff},
            {"colTelCel", QStringLiteral("Tel. cellulare"), 200, true, QStringLiteral("Tel. cellulare"), 250,
             R::fTelCel},
            {"colPec", QStringLiteral("Indirizzo PEC"), 250, true, QStringLiteral("Indirizzo PEC"), 250, R::fPec},
            {"colEmail", QStringLiteral("E-mail"), 250, true, QStringLiteral("E-mail"), 250, R::fEmail},
            {"colCodFisc", QStringLiteral("Codice fiscale"), 150, true, QStringLiteral("Codice fiscale"), 250,
             R::fCodFisc},
            {"colPartitaIva", QStringLiteral("Partita IVA"), 150, false, QStringLiteral("Partita IVA"), 250,
             R::fPartitaIva},
            {"colCarta", QStringLiteral("Carta di credito n."), 250, true, QStringLiteral("Carta di credito n."), 300,
             R::fCarta},
            {"colIban", QStringLiteral("IBAN"), 250, false, QStringLiteral("IBAN"), 300, R::fIban},
            {"colVeicolo", QStringLiteral("Tipo veicolo"), 250, false, QStringLiteral("Tipo veicolo"), 250,
             R::fVeicolo},
            {"colMarca", QStringLiteral("Marca e modello"), 250, false, QStringLiteral("Marca e modello"), 250,
             R::fMarca},
            {"colColore", QStringLiteral("Telaio"), 250, true, QStringLiteral("Telaio"), 250, R::fTelaio},
            {"colImmatricolazione", QStringLiteral("Data immatricolazione"), 200, false,
             QStringLiteral("Anno immatricolazione"), 200, R::fImmatricolazione},
            {"colAlimentazione", QStringLiteral("Alimentazione"), 250, true, QStringLiteral("Alimentazione"), 250,
             R::fAlimentazione},
            {"colTarga", QStringLiteral("Targa"), 150, true, QStringLiteral("Targa"), 200, R::fTarga},
            {"colQuestioni", QStringLiteral("Questioni in sospeso"), 300, false, QStringLiteral("Questioni in sospeso"),
             300, R::fQuestioni},
            {"colNote", QStringLiteral("Note"), 350, false, QStringLiteral("Note"), 300, R::fNote},
            {"colCodiceDest", QStringLiteral("Codice Destinatario"), 160, false, QStringLiteral("Codice Destinatario"),
             200, R::fCodiceDest},
        },
    };
    return made;
}

}  // namespace ClienteExport
