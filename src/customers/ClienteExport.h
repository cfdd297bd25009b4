#pragma once

#include "reports/SpreadsheetExport.h"

// The customer export "Clienti.xls": the grid's 25 columns after its row number, with their file
// headers and widths (the file says "Anno immatricolazione" where the grid says "Data
// immatricolazione"). Birth data, card expiry, the recontact flag and the attachments are not
// exported.
namespace ClienteExport {

const SpreadsheetExport::Table &table();

}  // namespace ClienteExport
