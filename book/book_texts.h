// SPDX-License-Identifier: MIT
// The address book's own texts, as UTF-8.
#pragma once

#include "book/address_book.h"

namespace book_texts {

// The list grid's header row, written at start-up; columns 0 and 7 have none.
inline constexpr const char* kColumnHeaders[ColumnCount] = {
    "", "名前/連名", "郵便番号", "敬称/連名敬称", "住所1", "住所2", "備考(印刷されません)", ""};

}  // namespace book_texts
