// SPDX-License-Identifier: MIT
// Open's reader on any bytes. What is not UTF-8 or UTF-16 by the shared rule is
// read exactly as ParseBookText reads it; what is, is converted, and then every
// cell is valid code page 932 (a cell may still hold a carriage return inside
// quotes, as the book's own rules allow), and every cell named as replaced
// holds a 〓.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "book/book_file.h"
#include "import/book_text.h"
#include "tests/fuzz/book_checks.h"
#include "tests/fuzz/import_checks.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    AddressBook book;
    const BookTextReport report = ParseBookTextAnyEncoding(input, book);
    fuzz::Check(report.encoding == DetectTextEncoding(input), "the shared rule decides");

    if (report.encoding == TextEncoding::Cp932) {
        AddressBook expected;
        fuzz::Check(report.leftOutLines == ParseBookText(input, expected),
                    "the same lines left out as ParseBookText");
        fuzz::Check(fuzz::SameCells(book, expected), "the same cells as ParseBookText");
        fuzz::Check(report.replaced.empty(), "nothing replaced");
        fuzz::Check(ConvertedBookNotice(report).isEmpty(), "no notice");
        return 0;
    }
    for (int r = 1; r < book.rowCount(); ++r) {
        for (int c = 0; c < ColumnCount; ++c) {
            const std::string& cell = book.cell(c, r);
            fuzz::Check(fuzz::IsValidCp932(cell), "every cell is valid code page 932");
            fuzz::Check(cell.find('\n') == std::string::npos, "no cell holds a line feed");
        }
    }
    const std::string mark = "\x81\xAC";  // 〓
    for (const ReplacedCell& cell : report.replaced) {
        fuzz::Check(cp932::find(book.cell(cell.column, cell.row), mark) != std::string::npos,
                    "a replaced cell holds 〓");
    }
    fuzz::Check(!ConvertedBookNotice(report).isEmpty(), "a converted open has its notice");
    return 0;
}
