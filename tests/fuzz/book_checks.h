// SPDX-License-Identifier: MIT
// Shared by the book fuzz targets: two books cell for cell.
#pragma once

#include <cstdio>

#include "book/address_book.h"

namespace fuzz {

inline bool SameCells(const AddressBook& a, const AddressBook& b)
{
    if (a.rowCount() != b.rowCount()) {
        std::fprintf(stderr, "rows %d != %d\n", a.rowCount(), b.rowCount());
        return false;
    }
    for (int r = 0; r < a.rowCount(); ++r) {
        for (int c = 0; c < ColumnCount; ++c) {
            if (a.cell(c, r) != b.cell(c, r)) {
                std::fprintf(stderr, "cell (%d, %d) differs\n", c, r);
                return false;
            }
        }
    }
    return true;
}

}  // namespace fuzz
