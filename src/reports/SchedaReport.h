#pragma once

#include "reports/Report.h"

#include <QImage>
#include <QList>
#include <QPair>
#include <QString>

// The printed intervention sheet "Scheda Intervento Elettrauto": two A4 portrait pages, front and
// back of one sheet. Its value objects bear the names of the sheet window's controls.
namespace SchedaReport {

QString reportName();

// What goes into the sheet: the texts of the window's controls and the three pictures.
struct Values
{
    QString txtNumScheda, txtData, txtAzienda, txtCliente, txtRecapito, txtVeicolo, txtTarga, txtMarca,
        txtChilometraggio, txtTecnico, txtPratica, txtDataInizio, txtDataFine, txtStato, txtDanni, txtVernice,
        txtRicambi, txtInterventi, txtManodopera, txtTotale, txtNote;
    QImage imgLogo, picFotografia01, picFotografia02;

    // Object name and text, in the order the sheet is filled.
    QList<QPair<QString, QString>> texts() const;
    // Sets the text of the object of that name; false when the sheet has no such text object.
    bool setText(const QString &name, const QString &text);
};

// The empty template.
Report buildTemplate();

// Fills the template: first page portrait, the three pictures, then every value object with its
// trimmed text (line breaks inside a text are kept). False when the template lacks an object.
bool fill(Report &report, const Values &values);

}  // namespace SchedaReport
