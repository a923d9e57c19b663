// SPDX-License-Identifier: MIT
// The code page 932 layer on any bytes.
//
// Decoding never fails: the single bytes the code page leaves undefined
// decode as Windows decodes them, any other byte that starts no character
// becomes U+FFFD. Text is valid when its decoding holds no U+FFFD (every byte
// belongs to a character). Valid text always survives decode, encode,
// decode unchanged as Unicode. Byte for byte it survives only when it is also
// canonical: code page 932 has 398 characters with two codes (NEC row 13
// symbols 0x8790-0x879C that repeat JIS X 0208 ones, the NEC-selected IBM
// extensions 0xED40-0xEEFC, and 0xFA4A-0xFA54, 0xFA58-0xFA5B), and encoding
// gives the other code, as Windows does. Canonical text contains none of them.
// Whatever the bytes, storing their text back with fromUnicodeKeeping gives
// them unchanged, and after an edit gives the text as shown with "?" for each
// U+FFFD.
//
// The same bytes read as UTF-16 exercise the encoder on arbitrary strings,
// lone surrogates included.
#include <QString>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

#include "tests/fuzz/fuzz_support.h"
#include "text/cp932.h"

namespace {

bool IsDuplicateCode(unsigned char lead, unsigned char trail)
{
    if (lead == 0x87) {
        return (trail >= 0x90 && trail <= 0x92) || (trail >= 0x95 && trail <= 0x97) ||
               (trail >= 0x9A && trail <= 0x9C);
    }
    if (lead == 0xED || lead == 0xEE) {
        return true;
    }
    if (lead == 0xFA) {
        return (trail >= 0x4A && trail <= 0x54) || (trail >= 0x58 && trail <= 0x5B);
    }
    return false;
}

bool IsCanonical(std::string_view bytes)
{
    for (std::size_t i = 0; i < bytes.size();) {
        const std::size_t len = cp932::charLength(bytes, i);
        if (len == 2 && IsDuplicateCode(static_cast<unsigned char>(bytes[i]),
                                        static_cast<unsigned char>(bytes[i + 1]))) {
            return false;
        }
        i += len;
    }
    return true;
}

// Finding as its definition reads: walk from character to character and
// compare at each.
std::size_t FindByWalking(std::string_view haystack, std::string_view needle, std::size_t from)
{
    std::size_t pos = 0;
    while (pos < from && pos < haystack.size()) {
        pos += cp932::charLength(haystack, pos);
    }
    for (; pos + needle.size() <= haystack.size(); pos += cp932::charLength(haystack, pos)) {
        if (haystack[pos] == needle[0] && haystack.substr(pos, needle.size()) == needle) {
            return pos;
        }
    }
    return std::string_view::npos;
}

void CheckBytes(std::string_view bytes)
{
    const QString text = cp932::toUnicode(bytes);
    fuzz::Check(static_cast<std::size_t>(text.size()) <= bytes.size(), "one unit at most per byte");

    std::string encoded;
    const bool encodable = cp932::fromUnicode(text, encoded);
    if (!text.contains(QChar(0xFFFD))) {
        fuzz::Check(encodable, "valid text encodes");
        fuzz::Check(cp932::toUnicode(encoded) == text, "valid text survives as Unicode");
        if (IsCanonical(bytes)) {
            fuzz::Check(encoded == bytes, "canonical text survives byte for byte");
        }
    }
    fuzz::Check(cp932::byteLength(text) == cp932::fromUnicodeLossy(text).size(),
                "byte length is the encoded length");
    fuzz::Check(cp932::fromUnicodeKeeping(text, bytes) == bytes,
                "an untouched text keeps the bytes it was loaded from");
    const QString edit = QString::fromUtf8("様");
    const std::string edited = cp932::fromUnicodeKeeping(text + edit, bytes);
    fuzz::Check(cp932::toUnicode(edited) == QString(text).replace(QChar(0xFFFD), u'?') + edit,
                "an edited text is stored as shown");

    for (std::size_t limit : {std::size_t{0}, bytes.size() / 2, bytes.size()}) {
        const std::string cut = cp932::truncateBytes(bytes, limit);
        fuzz::Check(cut.size() <= limit && bytes.substr(0, cut.size()) == cut,
                    "truncation keeps a prefix within the limit");
        fuzz::Check(cut.size() + 1 >= std::min(limit, bytes.size()),
                    "truncation drops at most one character");
    }
    if (bytes.size() >= 2) {
        // Needles taken from the text itself, so that there are hits to judge.
        const std::size_t third = bytes.size() / 3;
        for (const std::string_view needle :
             {bytes.substr(bytes.size() / 2, 2), bytes.substr(third, 1)}) {
            for (const std::size_t from : {std::size_t{0}, third}) {
                fuzz::Check(cp932::find(bytes, needle, from) == FindByWalking(bytes, needle, from),
                            "find gives the first match on a character boundary");
            }
        }
    }
}

// Lossy encoding as its definition reads: each character encoded on its own,
// "?" for each that has no code. A high surrogate with anything after it is
// taken as one character, as the encoder takes it.
std::string LossyCharacterByCharacter(const QString& text)
{
    std::string result;
    std::string piece;
    for (qsizetype i = 0; i < text.size();) {
        const qsizetype len = (text[i].isHighSurrogate() && i + 1 < text.size()) ? 2 : 1;
        result += cp932::fromUnicode(QString::fromRawData(text.constData() + i, len), piece)
                      ? piece
                      : std::string("?");
        i += len;
    }
    return result;
}

void CheckUnicode(const QString& text)
{
    std::string encoded;
    QString bad;
    const bool encodable = cp932::fromUnicode(text, encoded, &bad);
    fuzz::Check(encodable == cp932::firstUnencodable(text).isEmpty(),
                "the first unencodable character is found exactly when encoding fails");
    fuzz::Check(encodable || !bad.isEmpty(), "a failed encoding names its character");
    const std::string lossy = cp932::fromUnicodeLossy(text);
    if (encodable) {
        fuzz::Check(lossy == encoded, "lossy encoding equals the exact one when that succeeds");
    } else if (fuzz::EveryNth<4>()) {
        // Sampled: one encoder run per character makes it the costliest check.
        fuzz::Check(lossy == LossyCharacterByCharacter(text),
                    "lossy encoding encodes each character as it would be alone");
    }
    cp932::toUnicode(lossy);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    CheckBytes(bytes);
    QString units(static_cast<qsizetype>(size / 2), Qt::Uninitialized);
    std::memcpy(units.data(), data, static_cast<std::size_t>(units.size()) * sizeof(QChar));
    CheckUnicode(units);
    return 0;
}
