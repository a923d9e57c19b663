// SPDX-License-Identifier: MIT
// Which encoding a file's bytes are in, by the one rule that the book reader
// and the contact import share.
#pragma once

#include <QString>

#include <cstddef>
#include <optional>
#include <string_view>

enum class TextEncoding { Cp932, Utf8, Utf16 };

// A UTF-8 or UTF-16 byte-order mark, or bytes above 0x7F that are valid UTF-8
// throughout, give that encoding; anything else is code page 932.
TextEncoding DetectTextEncoding(std::string_view bytes);

// The encoding a byte-order mark at the start names, if there is one.
std::optional<TextEncoding> EncodingByMark(std::string_view bytes);
// The length of that mark: 3 for UTF-8, 2 for UTF-16, else 0.
std::size_t MarkLength(std::string_view bytes);

// True when some byte is above 0x7F: ASCII reads the same in every encoding.
bool HasHighByte(std::string_view bytes);

struct DecodedText {
    TextEncoding encoding = TextEncoding::Cp932;
    QString text;  // without the byte-order mark
};

// Decodes by DetectTextEncoding. Bytes that form no character become U+FFFD.
DecodedText DecodeText(std::string_view bytes);

// Decodes bytes that DetectTextEncoding found to be in `encoding`.
QString DecodeAs(std::string_view bytes, TextEncoding encoding);
