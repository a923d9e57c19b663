// SPDX-License-Identifier: MIT
// The dictionary search on any dictionary and key, in memory on every input
// and through a file now and then. The first byte gives the key's
// length, the second the position limit (the two the program uses, 1 and
// 1000, or a small one of its own); then come the key and the dictionary.
// The result must be exactly what a plain line-by-line reading gives.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "postal/postal_lookup.h"
#include "postal/postcode_search.h"
#include "tests/fuzz/fuzz_support.h"
#include "text/cp932.h"

namespace {

int PositionLimitFrom(std::uint8_t selector)
{
    switch (selector % 4) {
        case 0:
            return PostalLookup::kPostalCodePositionLimit;
        case 1:
            return PostalLookup::kAddressPositionLimit;
        default:
            return selector / 4;  // 0 to 63; 0 finds nothing
    }
}

// Lines as the dictionary holds them: split at LF, one CR dropped at the end.
std::vector<std::string> ExpectedLines(std::string_view dictionary, std::string_view key,
                                       int positionLimit)
{
    std::vector<std::string> lines;
    if (positionLimit < 1) {
        return lines;
    }
    std::size_t start = 0;
    while (start < dictionary.size()) {
        std::size_t end = dictionary.find('\n', start);
        if (end == std::string_view::npos) {
            end = dictionary.size();
        }
        std::string_view line = dictionary.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') {
            line.remove_suffix(1);
        }
        const std::size_t hit = cp932::find(line, key);
        if (!line.empty() && hit != std::string_view::npos &&
            hit < static_cast<std::size_t>(positionLimit)) {
            lines.emplace_back(line);
        }
        start = end + 1;
    }
    return lines;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 2) {
        return -1;
    }
    const std::size_t keyLength = data[0] % 16;
    const int positionLimit = PositionLimitFrom(data[1]);
    const std::string_view rest(reinterpret_cast<const char*>(data) + 2, size - 2);
    if (rest.size() < keyLength) {
        return -1;
    }
    const std::string_view key = rest.substr(0, keyLength);
    const std::string_view dictionary = rest.substr(keyLength);

    const std::vector<std::string> expected = ExpectedLines(dictionary, key, positionLimit);
    fuzz::Check(SearchPostcodeText(dictionary, key, positionLimit) == expected,
                "the search gives the matching lines in file order");
    if (fuzz::EveryNth<64>()) {
        // The file is read in blocks and scanned up to the last line feed first.
        const fuzz::ScratchFile file("postcode");
        fuzz::WriteWholeFile(file.path(), dictionary);
        fuzz::Check(SearchPostcode(file.path(), key, positionLimit) == expected,
                    "the file search gives what the search in memory gives");
    }
    return 0;
}
