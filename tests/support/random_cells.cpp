// SPDX-License-Identifier: MIT
#include "tests/support/random_cells.h"

#include <algorithm>
#include <cstdio>
#include <iterator>

#include "book/book_file.h"
#include "text/cp932.h"

namespace {

// Both codes of characters that code page 932 holds twice (NEC row 13 and
// JIS row 2, NEC-selected and IBM extensions), and a few plain ones.
constexpr std::string_view kDuplicatedCodes[] = {
    "\x87\x90", "\x81\xe0",              // ≒
    "\x87\x9a", "\x81\xe6",              // ∵
    "\xee\xe0", "\xfb\xfc",              // 髙
    "\xed\x40", "\xfa\x5c",              // 纊
    "\xee\xf9", "\xfa\x54", "\x81\xca",  // ￢
    "\xfa\x4a", "\x87\x54",              // Ⅰ
};
constexpr unsigned char kUndefinedSingleBytes[] = {0x80, 0xa0, 0xfd, 0xfe, 0xff};
// Bytes that never follow a lead byte within a character.
constexpr unsigned char kBadTrailBytes[] = {0x00, 0x0a, 0x20, 0x22, 0x2c, 0x3f, 0x7f, 0xfd, 0xff};

template <typename T, std::size_t N>
const T& pick(std::mt19937& rng, const T (&items)[N])
{
    return items[std::uniform_int_distribution<std::size_t>(0, N - 1)(rng)];
}

unsigned char byteIn(std::mt19937& rng, int low, int high)
{
    return static_cast<unsigned char>(std::uniform_int_distribution<int>(low, high)(rng));
}

unsigned char leadByte(std::mt19937& rng)
{
    // 0x81-0x9F, then 0xE0-0xFC.
    const int i = std::uniform_int_distribution<int>(0, 31 + 29 - 1)(rng);
    return static_cast<unsigned char>(i < 31 ? 0x81 + i : 0xe0 + (i - 31));
}

std::string piece(std::mt19937& rng)
{
    switch (std::uniform_int_distribution<int>(0, 9)(rng)) {
        case 0:
        case 1:
            return std::string(1, static_cast<char>(byteIn(rng, 0x20, 0x7e)));
        case 2:
            return std::string(1, static_cast<char>(byteIn(rng, 0x00, 0x1f)));
        case 3:
            return std::string(1, static_cast<char>(byteIn(rng, 0xa1, 0xdf)));
        case 4: {
            // Any lead byte with any second byte: mostly assigned codes, some not.
            const unsigned char trail = byteIn(rng, 0x40, 0xfc);
            return {static_cast<char>(leadByte(rng)),
                    static_cast<char>(trail == 0x7f ? 0x80 : trail)};
        }
        case 5:
            return std::string(pick(rng, kDuplicatedCodes));
        case 6:
            return std::string(1, static_cast<char>(pick(rng, kUndefinedSingleBytes)));
        case 7:
            return {static_cast<char>(leadByte(rng)), static_cast<char>(pick(rng, kBadTrailBytes))};
        default:
            return std::string(1, static_cast<char>(byteIn(rng, 0x00, 0xff)));
    }
}

std::string quoted(const std::string& cell)
{
    std::string out = "\"";
    for (char c : cell) {
        out += c;
        if (c == '"') {
            out += '"';
        }
    }
    return out + "\"";
}

bool endsWithLoneLeadByte(std::string_view cell)
{
    std::size_t pos = 0;
    while (pos + 1 < cell.size()) {
        pos += cp932::charLength(cell, pos);
    }
    return pos + 1 == cell.size() && cp932::isLeadByte(static_cast<unsigned char>(cell.back()));
}

// A cell that a line of a file can hold whole: no line feed, and a lone lead
// byte (which would take the separator after it) only in the last field.
std::string cellOfLine(std::mt19937& rng, bool lastField)
{
    std::string cell = randomCell(rng, 12);
    std::replace(cell.begin(), cell.end(), '\n', ' ');
    if (!lastField && endsWithLoneLeadByte(cell)) {
        cell.pop_back();
    }
    return cell;
}

}  // namespace

std::string randomCell(std::mt19937& rng, std::size_t maxBytes)
{
    const std::size_t length = std::uniform_int_distribution<std::size_t>(0, maxBytes)(rng);
    std::string cell;
    while (cell.size() < length) {
        cell += piece(rng);
    }
    cell.resize(length);
    return cell;
}

std::vector<BookRow> randomBookRows(std::mt19937& rng, int lines)
{
    std::string text;
    for (int i = 0; i < lines; ++i) {
        BookRow row;
        for (int c = 0; c < ColumnCount; ++c) {
            row[static_cast<std::size_t>(c)] = cellOfLine(rng, c == ColumnCount - 1);
        }
        switch (std::uniform_int_distribution<int>(0, 7)(rng)) {
            case 0:
                text += randomCell(rng, 80);
                break;
            case 1:
                break;  // a blank line
            case 2:
            case 3:
                for (int c = 0; c < ColumnCount; ++c) {
                    text += (c > 0 ? "," : "") + row[static_cast<std::size_t>(c)];
                }
                break;
            case 4:
                for (int c = 0; c < ColumnCount; ++c) {
                    text += (c > 0 ? "," : "") + quoted(row[static_cast<std::size_t>(c)]);
                }
                break;
            default:
                text += EncodeBookLine(row);
                break;
        }
        text += std::bernoulli_distribution(0.8)(rng) ? "\r\n" : "\n";
    }
    AddressBook book;
    ParseBookText(text, book);
    std::vector<BookRow> rows;
    for (int r = 1; r < book.rowCount(); ++r) {
        rows.push_back(book.row(r));
    }
    return rows;
}

std::string hexBytes(std::string_view bytes)
{
    std::string out;
    for (const char c : bytes) {
        char pair[4];
        std::snprintf(pair, sizeof pair, "%02x", static_cast<unsigned char>(c));
        out += out.empty() ? "" : " ";
        out += pair;
    }
    return out;
}
