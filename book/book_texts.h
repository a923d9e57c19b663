// SPDX-License-Identifier: MIT
// The address book's own texts, as UTF-8.
#pragma once

#include "book/address_book.h"

namespace book_texts {

// The list grid's header row, written at start-up; columns 0 and 7 have none.
inline constexpr const char* kColumnHeaders[ColumnCount] = {
    "", "名前/連名", "郵便番号", "敬称/連名敬称", "住所1", "住所2", "備考(印刷されません)", ""};

// A save that writes into the book file itself keeps a whole copy first.
// %1: the file message.
inline constexpr char kNoRecoveryCopy[] =
    "%1\n\r保存の前に控えを作れなかったため、住所録ファイルには何も書き込んでいません。";
// %1: the file message, %2: the copy.
inline constexpr char kInPlaceIncomplete[] =
    "%1\n\r住所録ファイルは書きかけのため、不完全になっているおそれがあります。"
    "保存しようとした内容は、すべて次の控えに残っています:\n\r%2";

}  // namespace book_texts
