// SPDX-License-Identifier: MIT
// The print list: one item per complete card, rebuilt from the book on request.
#pragma once

#include <string>
#include <vector>

#include "book/address_book.h"
#include "platform/dialogs.h"

struct PrintListItem {
    int row = 0;       // the table row the item stands for
    std::string text;  // code page 932: column 1, " : ", column 4
};

// Rebuilds `items` from rows 1..N. Reports an empty first card (and leaves
// `items` as they were, returning false) and every numbered row that lacks a
// name, postal code or address line 1 (left out; the rebuild goes on).
bool RebuildPrintList(const AddressBook& book, Dialogs& dialogs, std::vector<PrintListItem>& items);
