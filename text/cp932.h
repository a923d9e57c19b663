// SPDX-License-Identifier: MIT
// Code page 932 (Shift-JIS as Windows writes it): every card text is kept as
// these bytes; conversion to QString happens only where a widget shows it.
#pragma once

#include <QString>

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace cp932 {

// True for the first byte of a double-byte character (0x81-0x9F, 0xE0-0xFC).
constexpr bool isLeadByte(unsigned char b)
{
    return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
}

// Length in bytes of the character starting at text[pos] (1 or 2; a lead byte
// at the very end counts as 1). Inline: the byte-wise scans call it per byte.
constexpr std::size_t charLength(std::string_view text, std::size_t pos)
{
    return (pos + 1 < text.size() && isLeadByte(static_cast<unsigned char>(text[pos]))) ? 2 : 1;
}

// Decodes code page 932 bytes. The single bytes the code page leaves
// undefined decode as Windows decodes them (0x80 to U+0080, 0xA0 to U+F8F0,
// 0xFD-0xFF to U+F8F1-U+F8F3), and every encoder below gives them back. Any
// other byte that starts no character becomes U+FFFD; never throws.
QString toUnicode(std::string_view bytes);

// Encodes to code page 932. Characters that a Linux input method produces where
// Windows has a full-width twin (U+301C WAVE DASH, U+2212 MINUS SIGN, ...) are
// stored as Windows stores them. Returns false (and leaves `out` unspecified)
// when a character has no code page 932 form; `bad` then receives it.
bool fromUnicode(const QString& text, std::string& out, QString* bad = nullptr);

// Encodes, replacing characters that have no code page 932 form by "?".
// Only for texts already vetted by a validator.
std::string fromUnicodeLossy(const QString& text);

// Stores a text that was loaded from `original`: the original bytes when the
// text is exactly what they decode to, so that bytes without a character of
// their own and the second codes of duplicated characters survive an
// untouched field; otherwise the encoding of the text, as fromUnicodeLossy.
std::string fromUnicodeKeeping(const QString& text, std::string_view original);

// The first character of `text` that code page 932 cannot hold, or an empty
// string when every character can be held.
QString firstUnencodable(const QString& text);

// Byte length of a text once encoded (unencodable characters count as 1).
std::size_t byteLength(const QString& text);

// Maps the input-method twins onto the characters code page 932 stores.
QString normalizeForCp932(const QString& text);

// 0-based byte position of the first occurrence of `needle` in `haystack` at
// or after `from` that starts on a character boundary, or npos.
std::size_t find(std::string_view haystack, std::string_view needle, std::size_t from = 0);

// Cuts `text` to at most `maxBytes` bytes without splitting a character.
std::string truncateBytes(std::string_view text, std::size_t maxBytes);

}  // namespace cp932

namespace cp932 {

// Appends the code page 932 form of `text` to `out`, the input-method twins
// mapped as fromUnicode maps them, with `replacement` (a character the code
// page holds) in place of each character it lacks. Returns whether any was
// replaced. Each distinct character goes through the converter once per
// thread, so long texts convert at table speed.
bool appendReplacing(QStringView text, QChar replacement, std::string& out);

// The same from UTF-8 (checked as utf8::isValid checks it), without a QString
// on the way. Returns nullopt, and `out` then holds part of the text, when the
// bytes are not well-formed UTF-8.
std::optional<bool> appendUtf8Replacing(std::string_view text, QChar replacement, std::string& out);

}  // namespace cp932
