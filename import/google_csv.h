// SPDX-License-Identifier: MIT
// Google Contacts' CSV export, in both of its layouts: the current one
// ("First Name", "Last Name", "Address 1 - Label") and the older one
// ("Given Name", "Family Name", "Address 1 - Type").
#pragma once

#include <vector>

#include "import/contact.h"
#include "import/csv_records.h"

bool IsGoogleCsvHeader(const std::vector<QString>& header);

// The contacts of the records after the first, which is the header.
std::vector<Contact> ContactsFromGoogleCsv(const std::vector<CsvRecord>& records);
