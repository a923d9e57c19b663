// SPDX-License-Identifier: MIT
// Half-width digits and hyphens lie on their side in a vertical column, so
// addresses meant for vertical printing are rewritten in kanji numerals.
#pragma once

#include <string>
#include <string_view>

class AddressBook;

// Replaces every occurrence of `find` in `s` by `replacement` in one pass,
// left to right. Matches start on character boundaries only, and the search
// goes on behind each match, so a replacement is never searched again. An
// empty `find` leaves `s` unchanged.
std::string ReplaceAllOccurrences(std::string_view s, std::string_view find,
                                  std::string_view replacement);

// Each half-width digit becomes its kanji numeral (0 becomes 〇) and each "-"
// becomes the long-vowel mark ー, digit by digit with no number words:
// "10" gives 一〇. Everything else is kept byte for byte.
std::string ToKanjiNumerals(std::string_view text);

// Both address lines of every card (rows 1..N) through ToKanjiNumerals. The
// header row and every other column stay as they are.
void ConvertAddressesToKanjiNumerals(AddressBook& book);
