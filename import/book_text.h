// SPDX-License-Identifier: MIT
// Open's reader for a book file in any of the encodings people save it in:
// code page 932 as the program writes it, or UTF-8 or UTF-16 as spreadsheets
// and editors write it today. The book itself stays code page 932.
#pragma once

#include <QString>

#include <string_view>
#include <vector>

#include "book/address_book.h"
#include "import/text_encoding.h"

// A cell where 〓 (U+3013) now stands for a character code page 932 lacks.
struct ReplacedCell {
    int row = 0;     // book row, the card number
    int column = 0;  // 0..7
    bool operator==(const ReplacedCell&) const = default;
};

struct BookTextReport {
    // Cp932: the bytes were read exactly as ParseBookText reads them.
    TextEncoding encoding = TextEncoding::Cp932;
    std::vector<int> leftOutLines;  // what ParseBookText returns
    std::vector<ReplacedCell> replaced;
};

// Reads a book file's bytes into `book`, which the caller has reset to the
// empty book as for ParseBookText. UTF-8 and UTF-16 (by DetectTextEncoding)
// are converted to code page 932 before the lines are split; every other file
// goes to ParseBookText byte for byte.
BookTextReport ParseBookTextAnyEncoding(std::string_view fileBytes, AddressBook& book);

// The one notice after a converted open, with the cells where 〓 was put;
// empty when the file was code page 932.
QString ConvertedBookNotice(const BookTextReport& report);
