// SPDX-License-Identifier: MIT
// A CSV of contacts read by what its columns mean: the header words of
// Outlook, Thunderbird, the design kit, label programs and spreadsheets, or
// the columns a person chose in the column dialog.
#pragma once

#include <optional>
#include <vector>

#include "import/contact.h"
#include "import/csv_records.h"
#include "import/header_vocabulary.h"

// One meaning per column; nothing for a column no card needs.
using ColumnMeanings = std::vector<std::optional<HeaderMeaning>>;

ColumnMeanings MeaningsOfHeader(const std::vector<QString>& header);

// Whether the columns hold a name and some part of an address.
bool HasNameAndAddress(const ColumnMeanings& meanings);

struct HeaderRow {
    std::size_t row = 0;  // index in the records
    ColumnMeanings meanings;
    const char* layout = nullptr;  // the report's name of the layout, UTF-8
};

// The first of the first few records whose header words name a name column
// and an address column. Nothing when there is none.
std::optional<HeaderRow> FindHeaderRow(const std::vector<CsvRecord>& records);

// The contacts of the records from `first` on, blank ones skipped. Each card
// takes the address with no place named, else the home address, else the
// business one, or the business one where 宛先 says 会社; the joint names of
// that address; every memo column.
std::vector<Contact> ContactsByMeanings(const std::vector<CsvRecord>& records, std::size_t first,
                                        const ColumnMeanings& meanings);
