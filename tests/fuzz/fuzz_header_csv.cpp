// SPDX-License-Identifier: MIT
// The reader of a CSV by its header words (Outlook, Thunderbird, the design kit, label
// programs, spreadsheets), on any bytes: no crash, and every cell it produces is valid
// code page 932 without line breaks.
#include <cstddef>
#include <cstdint>

#include "tests/fuzz/import_checks.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    fuzz::FuzzReader(ContactFormat::HeadedCsv, data, size);
    return 0;
}
