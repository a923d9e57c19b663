// Any bytes as a book file: reading never fails on a readable file, and what
// was read survives a write and a second read unchanged.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>

#include "book/address_book.h"
#include "book/book_file.h"
#include "tests/fuzz/fuzz_support.h"

namespace {

bool SameCells(const AddressBook& a, const AddressBook& b)
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

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const fuzz::ScratchFile inputFile("book-in");
    const fuzz::ScratchFile outputFile("book-out");
    const std::string& input = inputFile.path();
    const std::string& output = outputFile.path();
    fuzz::WriteWholeFile(input, std::string_view(reinterpret_cast<const char*>(data), size));

    AddressBook first;
    ReadBookFile(input, first);
    WriteBookFile(output, first);
    AddressBook second;
    const std::vector<int> notTakenAgain = ReadBookFile(output, second);

    fuzz::Check(SameCells(first, second), "second read equals the first");
    // Every row written is eight fields, so the second read takes every line.
    fuzz::Check(notTakenAgain.empty(), "written lines are all taken");
    return 0;
}
