#include "vehicles/AutomezzoExport.h"

#include "archive/AutomezzoRecord.h"

namespace AutomezzoExport {

const SpreadsheetExport::Table &table()
{
    using R = AutomezzoRecord;
    static const SpreadsheetExport::Table made{
        QStringLiteral("Parco_Automezzi.xls"),
        QStringLiteral("Parco Automezzi"),
        QStringLiteral("l'archivio dei veicoli"),
        &R::format(),
        {
            // name, grid header, grid width, read-only, file header, file width, field
            {"colTipo", QStringLiteral("Tipo veicolo"), 200, true, QStringLiteral("Tipo veicolo"), 250, R::fTipo},
            {"colDestinazione", QStringLiteral("Accessori"), 250, true, QStringLiteral("Accessori"), 350,
             R::fAccessori},
            {"colMarca", QStringLiteral("Marca"), 200, true, QStringLiteral("Marca"), 250, R::fMarca},
            {"colModello", QStringLiteral("Modello"), 200, false, QStringLiteral("Modello"), 250, R::fModello},
            {"colTarga", QStringLiteral("Targa"), 160, false, QStringLiteral("Targa"), 200, R::fTarga},
            {"colAnno", QStringLiteral("Immatricolazione"), 160, false, QStringLiteral("Immatricolazione"), 200,
             R::fImmatricolazione},
            {"colColore", QStringLiteral("Colore"), 200, false, QStringLiteral("Colore"), 250, R::fColore},
            {"colTelaio", QStringLiteral("Telaio"), 200, true, QStringLiteral("Telaio"), 250, R::fTelaio},
            {"colPneumatici", QStringLiteral("Pneumatici"), 250, true, QStringLiteral("Pneumatici"), 300,
             R::fPneumatici},
            {"colStato", QStringLiteral("Stato veicolo"), 200, false, QStringLiteral("Stato veicolo"), 250,
             R::fStatoVeicolo},
            {"colKm", QStringLiteral("Km percorsi"), 180, true, QStringLiteral("Km percorsi"), 250, R::fChilometri},
            {"colAlimentazione", QStringLiteral("Alimentazione"), 180, true, QStringLiteral("Alimentazione"), 250,
             R::fAlimentazione},
            {"colCilindrata", QStringLiteral("Cilindrata"), 180, true, QStringLiteral("Cilindrata"), 250,
             R::fCilindrata},
            {"colKW", QStringLiteral("kW"), 160, false, QStringLiteral("kW"), 250, R::fKW},
            {"colAmbiente", QStringLiteral("Compatibilit\u00E0 ambientale"), 200, true,
             QStringLiteral("Compatibilit\u00E0 ambientale"), 250, R::fAmbiente},
            {"coProprietario", QStringLiteral("Centraline installate"), 280, false,
             QStringLiteral("Centraline installate"), 350, R::fCentraline},
            {"colAutista", QStringLiteral("Proprietario"), 200, true, QStringLiteral("Proprietario"), 280,
             R::fProprietario},
            {"colTelAutista", QStringLiteral("Tel. proprietario"), 160, false, QStringLiteral("Tel. proprietario"), 200,
             R::fTelProprietario},
            {"colMeccanico", QStringLiteral("Meccanico"), 200, false, QStringLiteral("Meccanico"), 250, R::fMeccanico},
            {"coTelMeccanico", QStringLiteral("Tel. meccanico"), 160, false, QStringLiteral("Tel. meccanico"), 200,
             R::fTelMeccanico},
            {"colScadRevisione", QStringLiteral("Scad. revisione"), 160, false, QStringLiteral("Scad. revisione"), 200,
             R::fScadRevisione},
            {"colScadTagliando", QStringLiteral("Scad. tagliando"), 160, false, QStringLiteral("Scad. tagliando"), 200,
             R::fScadTagliando},
            {"coScadAssicurazione", QStringLiteral("Scad. assicurazione"), 160, false,
             QStringLiteral("Scad. assicurazione"), 200, R::fScadAssicurazione},
            {"colScadBollo", QStringLiteral("Scad. bollo"), 160, false, QStringLiteral("Scad. bollo"), 200,
             R::fScadBollo},
            {"colNote", QStringLiteral("Note"), 350, false, QStringLiteral("Note"), 400, R::fNote},
        },
    };
    return made;
}

}  // namespace AutomezzoExport
