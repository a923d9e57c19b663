// SPDX-License-Identifier: MIT
// What the print preview's labels show for one table row.
#pragma once

#include <array>
#include <optional>
#include <string>

#include "book/address_book.h"

// Every text in code page 932, one per label.
struct PrintPreviewTexts {
    std::string name;                         // lblPName
    std::string name2;                        // lblPName2
    std::string address1;                     // lblPAddress1
    std::string address2;                     // lblPAddress2
    std::array<std::string, 7> postalDigits;  // PrintYubin1..7
    std::string lottery;                      // lblPrintOtoshi
};

// Nothing when `row` lies beyond the table's row count (header row included);
// the labels then keep what they show.
std::optional<PrintPreviewTexts> ShowPrintPreview(const AddressBook& book, int row);
