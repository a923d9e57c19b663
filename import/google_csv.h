// SPDX-License-Identifier: MIT
// Google Contacts' CSV export, in both of its layouts: the current one
// ("First Name", "Last Name", "Address 1 - Label") and the older one
// ("Given Name", "Family Name", "Address 1 - Type").
#pragma once

#include <vector>

#include "import/contact.h"
#include "import/csv_records.h"

// Google's numbered address groups ("Address 1 - Street"): the one sign of
// its layout, since Outlook and Thunderbird share its name columns.
bool IsGoogleCsvHeader(const std::vector<QString>& header);

// The contacts of the records after the first, which is the header.
std::vector<Contact> ContactsFromGoogleCsv(const std::vector<CsvRecord>& records);
