#pragma once

#include "archive/AutomezzoRecord.h"
#include "archive/RecordScan.h"

#include <array>

// The vehicle search without its window: the criteria fields, the list line and the scan of the
// vehicle archive. The dialog and the benchmark tool run exactly this code.
namespace AutomezzoSearch {

// The fields searched by the ten criteria of the search dialog, in the dialog's order.
const std::array<AutomezzoRecord::Field, 10> &criterionFields();

// The line: Tipo padded to 20, two blanks, "Marca Modello" padded to 30, "  Targa: " Targa padded to
// 12, "  Titolare: " Proprietario padded to 30, "  Anno: " Immatricolazione padded to 10, "  Km: "
// Chilometri whole.
const RecordScan::LineLayout &searchLine();

// The scan, in archive order; the caller sorts. False when the archive cannot be read.
bool search(const QString &archivePath, const RecordScan::Criteria &criteria, ListedRecords &found);

}  // namespace AutomezzoSearch
