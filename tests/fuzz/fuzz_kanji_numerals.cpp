// SPDX-License-Identifier: MIT
// ToKanjiNumerals on any bytes: it grows a text by at most one byte per digit
// or hyphen, leaves texts without them alone, and a second run changes nothing.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "book/kanji_numerals.h"
#include "tests/fuzz/fuzz_support.h"
#include "text/cp932.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    // Counted byte-wise: a digit that is the second byte of a character stays,
    // so this is an upper bound on what may be replaced.
    const auto replaceable = static_cast<std::size_t>(std::count_if(
        text.begin(), text.end(), [](char b) { return (b >= '0' && b <= '9') || b == '-'; }));

    // The digits and hyphens that stand as characters of their own.
    std::size_t standing = 0;
    for (std::size_t i = 0; i < text.size(); i += cp932::charLength(text, i)) {
        const char b = text[i];
        if (cp932::charLength(text, i) == 1 && ((b >= '0' && b <= '9') || b == '-')) {
            ++standing;
        }
    }

    const std::string once = ToKanjiNumerals(text);
    fuzz::Check(once.size() <= text.size() + replaceable, "grows by at most one byte per digit");
    fuzz::Check(once.size() == text.size() + standing, "each standing digit becomes two bytes");
    if (replaceable == 0) {
        fuzz::Check(once == text, "a text without digits or hyphens stays");
    }
    fuzz::Check(ToKanjiNumerals(once) == once, "a second run changes nothing");
    return 0;
}
