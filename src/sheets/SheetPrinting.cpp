#include "sheets/SheetPrinting.h"

#include "media/Logo.h"
#include "media/PhotoArea.h"
#include "sheets/TfrmInterventi.h"
#include "shell/AppWindows.h"

#include <QLineEdit>
#include <QPlainTextEdit>

namespace SheetPrinting {

SheetReport::Values valuesFromWindow(const TfrmInterventi &window, const QImage &logo)
{
    SheetReport::Values values;
    values.txtNumScheda = window.txtNumScheda->text();
    values.txtData = window.txtData->text();
    values.txtAzienda = window.txtAzienda->text();
    values.txtCliente = window.txtCliente->text();
    values.txtRecapito = window.txtRecapito->text();
    values.txtVeicolo = window.txtVeicolo->text();
    values.txtTarga = window.txtTarga->text();
    values.txtMarca = window.txtMarca->text();
    values.txtChilometraggio = window.txtChilometraggio->text();
    values.txtTecnico = window.txtTecnico->text();
    values.txtPratica = window.txtPratica->text();
    values.txtDataInizio = window.txtDataInizio->text();
    values.txtDataFine = window.txtDataFine->text();
    values.txtStato = window.txtStato->text();
    values.txtDanni = window.txtDanni->text();
    values.txtVernice = window.txtVernice->text();
    values.txtRicambi = window.txtRicambi->text();
    values.txtInterventi = window.txtInterventi->toPlainText();
    values.txtManodopera = window.txtManodopera->text();
    values.txtTotale = window.txtTotale->text();
    values.txtNote = window.txtNote->text();
    values.imgLogo = logo;
    values.picFotografia01 = window.imgFoto->fullImage();
    values.picFotografia02 = window.imgFoto02->fullImage();
    return values;
}

std::optional<PreparedReport> prepare(const AppWindows &windows, const QImage &logo)
{
    const TfrmInterventi *sheet = windows.frmInterventi();
    Report report = SheetReport::buildTemplate();
    if (!sheet || !SheetReport::fill(report, valuesFromWindow(*sheet, logo)))
        return std::nullopt;
    return report.prepare();
}

RecordPrintDialog::Setup forSheet(AppWindows &windows, RecordPrintDialog::Setup face)
{
    face.centreOver = windows.frmInterventi();
    face.picture = [folder = windows.programFolder()] { return Logo::load(folder); };
    face.build = [&windows](const QImage &logo) { return prepare(windows, logo); };
    return face;
}

}  // namespace SheetPrinting
