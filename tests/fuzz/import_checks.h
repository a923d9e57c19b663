// SPDX-License-Identifier: MIT
// Shared by the import fuzz targets: what every cell they produce must be.
#pragma once

#include <QString>

#include <string>
#include <string_view>

#include "book/address_book.h"
#include "import/contact_import.h"
#include "tests/fuzz/fuzz_support.h"
#include "text/cp932.h"

namespace fuzz {

// Valid code page 932: decodes without a replacement character and encodes
// back to the same bytes.
inline bool IsValidCp932(std::string_view bytes)
{
    const QString text = cp932::toUnicode(bytes);
    std::string again;
    return !text.contains(QChar(u'\uFFFD')) && cp932::fromUnicode(text, again) && again == bytes;
}

inline bool HasControlByte(std::string_view bytes)
{
    for (char b : bytes) {
        const auto u = static_cast<unsigned char>(b);
        if (u < 0x20 || u == 0x7F) {
            return true;
        }
    }
    return false;
}

// Each card of an import: its number left to the book, every cell valid code
// page 932 without control characters (a book line cannot hold them), a
// six-digit lottery number; and the report can be written.
inline void CheckImport(const ContactImport& result)
{
    for (const BookRow& card : result.cards) {
        Check(card[ColNumber].empty(), "the book numbers the cards");
        for (const std::string& cell : card) {
            Check(IsValidCp932(cell), "every cell is valid code page 932");
            Check(!HasControlByte(cell), "no cell holds a control character");
        }
        Check(card[ColLottery].size() == 6, "a six-digit lottery number");
    }
    Check(result.format != ContactFormat::Unknown || result.cards.empty(),
          "no cards from a file in no format");
    Check(!ImportReportText(result).isEmpty(), "the report has its count");
}

// One reader on any bytes; now and then the whole import, which recognises
// the format first.
inline void FuzzReader(ContactFormat format, const std::uint8_t* data, std::size_t size)
{
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    LotteryGenerator lottery(1);
    CheckImport(ImportContactsAs(format, input, lottery));
    if (EveryNth<16>()) {
        CheckImport(ImportContacts(input, lottery));
    }
}

}  // namespace fuzz
