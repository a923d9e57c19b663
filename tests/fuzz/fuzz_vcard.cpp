// SPDX-License-Identifier: MIT
// The reader of vCard 2.1, 3.0 and 4.0, on any bytes: no crash, and every
// cell it produces is valid code page 932 without line breaks.
#include <cstddef>
#include <cstdint>

#include "tests/fuzz/import_checks.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    fuzz::FuzzReader(ContactFormat::VCard, data, size);
    return 0;
}
