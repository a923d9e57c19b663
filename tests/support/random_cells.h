// SPDX-License-Identifier: MIT
// Random cells and book rows for property tests: the bytes a book file may
// hold, weighted towards undefined bytes, broken pairs and duplicated codes.
#pragma once

#include <cstddef>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "book/address_book.h"

// The bytes of one cell, at most `maxBytes` long, made of ASCII, control bytes
// and NULs, half-width katakana, double-byte codes (unassigned ones, and both
// codes of duplicated characters, among them), the single bytes the code page
// leaves undefined, lead bytes without a valid second byte, and any byte. A
// double-byte code cut off by the limit leaves a lone lead byte at the end.
std::string randomCell(std::mt19937& rng, std::size_t maxBytes);

// The rows 1..N that ParseBookText makes of a file of `lines` random lines:
// lines as the program writes them, lines of cells joined by bare commas (as
// another program might write them, so quotes, blanks and line ends inside
// cells break them up), lines of any bytes, blank lines; CR LF or LF.
std::vector<BookRow> randomBookRows(std::mt19937& rng, int lines);

// The bytes as hex pairs ("81 40 fd"), for failure messages.
std::string hexBytes(std::string_view bytes);
