// SPDX-License-Identifier: MIT
// Any bytes as a book file: reading never fails, and what was read survives a
// write and a second read unchanged. Now and then the same goes through real
// files, which must give exactly what the in-memory reading and writing give.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "book/address_book.h"
#include "book/book_file.h"
#include "tests/fuzz/book_checks.h"
#include "tests/fuzz/fuzz_support.h"

namespace {

void CheckFileRoundTrip(std::string_view input, const AddressBook& parsed,
                        const std::vector<int>& notTaken, const std::string& encoded)
{
    const fuzz::ScratchFile inputFile("book-in");
    const fuzz::ScratchFile outputFile("book-out");
    fuzz::WriteWholeFile(inputFile.path(), input);

    AddressBook fromFile;
    fuzz::Check(ReadBookFile(inputFile.path(), fromFile) == notTaken,
                "the file reading leaves out the lines the text reading leaves out");
    fuzz::Check(fuzz::SameCells(fromFile, parsed), "the file reading equals the text reading");
    // A new file is renamed into place: no recovery copy is ever written.
    WriteBookFile(outputFile.path(), fromFile, RecoveryStore(outputFile.path() + ".recovery"));
    fuzz::Check(fuzz::ReadWholeFile(outputFile.path()) == encoded,
                "the file written holds the encoded text");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view input(reinterpret_cast<const char*>(data), size);

    AddressBook first;
    const std::vector<int> notTaken = ParseBookText(input, first);
    const std::string encoded = EncodeBookText(first);
    AddressBook second;
    const std::vector<int> notTakenAgain = ParseBookText(encoded, second);

    fuzz::Check(fuzz::SameCells(first, second), "second read equals the first");
    // Every row written is eight fields, so the second read takes every line.
    fuzz::Check(notTakenAgain.empty(), "written lines are all taken");

    if (fuzz::EveryNth<64>()) {
        CheckFileRoundTrip(input, first, notTaken, encoded);
    }
    return 0;
}
