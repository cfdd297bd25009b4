#pragma once

#include "reports/SpreadsheetExport.h"

// The vehicle export "Parco_Automezzi.xls": the grid's 25 columns after its row number, with their
// file headers and widths. The reading date, seats, payload, insurance data, accidents and the
// attachments are not exported.
namespace AutomezzoExport {

const SpreadsheetExport::Table &table();

}  // namespace AutomezzoExport
