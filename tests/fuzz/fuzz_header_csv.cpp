// SPDX-License-Identifier: MIT
// The reader of a spreadsheet CSV with a Japanese header row, on any bytes: no crash, and every
// cell it produces is valid code page 932 without line breaks.
#include <cstddef>
#include <cstdint>

#include "tests/fuzz/import_checks.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    fuzz::FuzzReader(ContactFormat::SpreadsheetCsv, data, size);
    return 0;
}
