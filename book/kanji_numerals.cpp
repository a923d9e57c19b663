// SPDX-License-Identifier: MIT
#include "book/kanji_numerals.h"

#include <string>

#include "book/address_book.h"
#include "text/cp932.h"

namespace {

struct Pass {
    std::string_view from;
    std::string_view to;  // code page 932 bytes
};

// The passes run in this order; no replacement holds any of the searched characters.
constexpr Pass kPasses[] = {
    {"1", "\x88\xEA"},  // 一
    {"2", "\x93\xF1"},  // 二
    {"3", "\x8E\x4F"},  // 三
    {"4", "\x8E\x6C"},  // 四
    {"5", "\x8C\xDC"},  // 五
    {"6", "\x98\x5A"},  // 六
    {"7", "\x8E\xB5"},  // 七
    {"8", "\x94\xAA"},  // 八
    {"9", "\x8B\xE3"},  // 九
    {"0", "\x81\x5A"},  // 〇
    {"-", "\x81\x5B"},  // ー (the long-vowel mark, not the kanji 一)
};

}  // namespace

std::string ReplaceAllOccurrences(std::string_view s, std::string_view find,
                                  std::string_view replacement)
{
    if (find.empty()) {
        return std::string(s);
    }
    std::string result;
    result.reserve(s.size());
    // Each search runs on what remains behind the last match, as a text of its own.
    std::string_view rest = s;
    for (std::size_t hit = cp932::find(rest, find); hit != std::string_view::npos;
         hit = cp932::find(rest, find)) {
        result.append(rest.substr(0, hit));
        result.append(replacement);
        rest.remove_prefix(hit + find.size());
    }
    result.append(rest);
    return result;
}

std::string ToKanjiNumerals(std::string_view text)
{
    std::string result(text);
    for (const Pass& pass : kPasses) {
        result = ReplaceAllOccurrences(result, pass.from, pass.to);
    }
    return result;
}

void ConvertAddressesToKanjiNumerals(AddressBook& book)
{
    for (int row = 1; row < book.rowCount(); ++row) {
        book.setCell(ColAddress1, row, ToKanjiNumerals(book.cell(ColAddress1, row)));
        book.setCell(ColAddress2, row, ToKanjiNumerals(book.cell(ColAddress2, row)));
    }
}
