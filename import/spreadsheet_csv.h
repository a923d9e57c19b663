// SPDX-License-Identifier: MIT
// A spreadsheet's CSV with a Japanese header row, as people keep their
// addresses in Excel or LibreOffice: columns found by their header words, in
// any order; other columns are ignored.
#pragma once

#include <optional>
#include <vector>

#include "import/contact.h"
#include "import/csv_records.h"

// The contacts of the records after the header row: the first of the first
// few records that names a name column and an address column. Nothing when
// there is no such row.
std::optional<std::vector<Contact>> ContactsFromSpreadsheet(const std::vector<CsvRecord>& records);
