#pragma once

#include "archive/ClienteRecord.h"
#include "archive/RecordScan.h"

#include <array>

// The customer search and the list of customers to recontact without their windows: the criteria
// fields, the two list lines and the scans of the customer archive. The dialogs and the benchmark tool
// run exactly this code.
namespace ClienteSearch {

// The fields searched by the ten criteria of the search dialog, in the dialog's order.
const std::array<ClienteRecord::Field, 10> &criterionFields();

// The search line: "Cognome Nome" padded to 30, "  Tel. " Recapito padded to 16, two blanks, Marca
// padded to 20, "  Targa: " Targa padded to 10, two blanks, Note whole.
const RecordScan::LineLayout &searchLine();
// The recontact line: "Cognome Nome" padded to 30, "  Tel. " Recapito padded to 16, "  Targa: " Targa
// padded to 10, two blanks, Questioni whole (the make left out, so that the pending matter shows).
const RecordScan::LineLayout &recontactLine();

// Recontact: the flag, trimmed, reads exactly "Sì".
bool isToRecontact(const char *record);

// The scans, in archive order; the caller sorts. False when the archive cannot be read (found then
// holds what was listed before the failure).
bool search(const QString &archivePath, const RecordScan::Criteria &criteria, ListedRecords &found);
bool toRecontact(const QString &archivePath, ListedRecords &found);

}  // namespace ClienteSearch
