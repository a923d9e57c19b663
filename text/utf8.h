// SPDX-License-Identifier: MIT
// Strict UTF-8 decoding, one character at a time: no overlong forms, no
// surrogates, nothing above U+10FFFF. Shared by the encoding check and the
// converter, so that both take the same bytes for UTF-8.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>

namespace utf8 {

inline constexpr char32_t kInvalid = 0xFFFFFFFF;

// The character at `p` (< end); moves `p` past it. kInvalid, with `p` left
// where it was, when the bytes there are not well-formed. Straight-line code:
// the book converter runs it on every character of a file.
inline char32_t decodeAt(const unsigned char*& p, const unsigned char* end)
{
    const unsigned char b = p[0];
    const std::ptrdiff_t left = end - p;
    auto continuation = [&](int i) { return (p[i] & 0xC0) == 0x80; };
    if (b < 0x80) {
        ++p;
        return b;
    }
    if (b < 0xC2) {  // a continuation byte, or the start of an overlong form
        return kInvalid;
    }
    if (b < 0xE0) {
        if (left < 2 || !continuation(1)) {
            return kInvalid;
        }
        const char32_t c = (char32_t(b & 0x1F) << 6) | (p[1] & 0x3F);
        p += 2;
        return c;
    }
    if (b < 0xF0) {
        if (left < 3 || !continuation(1) || !continuation(2)) {
            return kInvalid;
        }
        const char32_t c =
            (char32_t(b & 0x0F) << 12) | (char32_t(p[1] & 0x3F) << 6) | (p[2] & 0x3F);
        if (c < 0x800 || (c >= 0xD800 && c <= 0xDFFF)) {  // overlong, or a surrogate
            return kInvalid;
        }
        p += 3;
        return c;
    }
    if (b < 0xF5) {
        if (left < 4 || !continuation(1) || !continuation(2) || !continuation(3)) {
            return kInvalid;
        }
        const char32_t c = (char32_t(b & 0x07) << 18) | (char32_t(p[1] & 0x3F) << 12) |
                           (char32_t(p[2] & 0x3F) << 6) | (p[3] & 0x3F);
        if (c < 0x10000 || c > 0x10FFFF) {
            return kInvalid;
        }
        p += 4;
        return c;
    }
    return kInvalid;
}

// The length of the run of ASCII bytes at `p`, eight at a time.
inline std::size_t asciiRunAt(const unsigned char* p, const unsigned char* end)
{
    const unsigned char* q = p;
    while (end - q >= 8) {
        std::uint64_t word;
        std::memcpy(&word, q, sizeof word);
        if ((word & 0x8080808080808080ull) != 0) {
            break;
        }
        q += 8;
    }
    while (q < end && *q < 0x80) {
        ++q;
    }
    return static_cast<std::size_t>(q - p);
}

inline bool isValid(std::string_view bytes)
{
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
    const auto* const end = p + bytes.size();
    while (p < end) {
        if (*p < 0x80) {
            p += asciiRunAt(p, end);
        } else if (decodeAt(p, end) == kInvalid) {
            return false;
        }
    }
    return true;
}

}  // namespace utf8
