// SPDX-License-Identifier: MIT
#include "text/cp932.h"

#include <iconv.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <limits>
#include <memory>
#include <stdexcept>
#include <string>

#include "text/utf8.h"

namespace cp932 {
namespace {

// One conversion descriptor per direction and thread, opened on first use.
class Converter {
public:
    Converter(const char* to, const char* from) : cd_(iconv_open(to, from))
    {
        // iconv_open reports failure as (iconv_t)-1.
        if (cd_ == reinterpret_cast<iconv_t>(-1)) {  // NOLINT(performance-no-int-to-ptr)
            throw std::runtime_error(std::string("iconv_open failed: ") + from + " -> " + to);
        }
    }
    ~Converter() { iconv_close(cd_); }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    void reset() { iconv(cd_, nullptr, nullptr, nullptr, nullptr); }
    iconv_t handle() const { return cd_; }

private:
    iconv_t cd_;
};

Converter& decoder()
{
    thread_local Converter c("UTF-16LE", "CP932");
    return c;
}

Converter& encoder()
{
    thread_local Converter c("CP932", "UTF-16LE");
    return c;
}

// The twin of a character that a Linux input method gives where Windows has a
// full-width twin; any other character is its own. A switch, because every
// unit of every text passes through here.
constexpr char16_t twinOf(char16_t unit)
{
    switch (unit) {
        case u'\u301C':
            return u'\uFF5E';  // WAVE DASH -> FULLWIDTH TILDE
        case u'\u2212':
            return u'\uFF0D';  // MINUS SIGN -> FULLWIDTH HYPHEN-MINUS
        case u'\u2016':
            return u'\u2225';  // DOUBLE VERTICAL LINE -> PARALLEL TO
        case u'\u00A2':
            return u'\uFFE0';  // CENT SIGN
        case u'\u00A3':
            return u'\uFFE1';  // POUND SIGN
        case u'\u00AC':
            return u'\uFFE2';  // NOT SIGN
        case u'\u2014':
            return u'\u2015';  // EM DASH -> HORIZONTAL BAR
        default:
            return unit;
    }
}

// Code page 932 leaves 0x80, 0xA0 and 0xFD-0xFF undefined as single bytes;
// Windows decodes them to these characters and encodes them back, so a cell
// holding one survives a load and a store. 0 for any other byte.
constexpr char16_t windowsCharOfByte(unsigned char byte)
{
    switch (byte) {
        case 0x80:
            return u'\u0080';
        case 0xA0:
            return u'\uF8F0';
        case 0xFD:
            return u'\uF8F1';
        case 0xFE:
            return u'\uF8F2';
        case 0xFF:
            return u'\uF8F3';
        default:
            return 0;
    }
}

// The single byte of such a character, or -1 for any other unit.
constexpr int windowsByteOfChar(char16_t unit)
{
    switch (unit) {
        case u'\u0080':
            return 0x80;
        case u'\uF8F0':
            return 0xA0;
        case u'\uF8F1':
            return 0xFD;
        case u'\uF8F2':
            return 0xFE;
        case u'\uF8F3':
            return 0xFF;
        default:
            return -1;
    }
}

bool isAscii(const QString& text)
{
    for (QChar c : text) {
        if (c.unicode() >= 0x80) {
            return false;
        }
    }
    return true;
}

std::string asciiBytes(const QString& text)
{
    std::string out(static_cast<std::size_t>(text.size()), '\0');
    for (qsizetype i = 0; i < text.size(); ++i) {
        out[static_cast<std::size_t>(i)] = static_cast<char>(text[i].unicode());
    }
    return out;
}

// The UTF-16 units the encoder is given: the text itself, or a normalized copy
// when it holds an input-method twin.
class EncoderInput {
public:
    explicit EncoderInput(const QString& text)
        : units_(reinterpret_cast<const char16_t*>(text.constData())),
          size_(static_cast<std::size_t>(text.size()))
    {
        for (std::size_t i = 0; i < size_; ++i) {
            if (twinOf(units_[i]) != units_[i]) {
                normalized_.assign(units_, size_);
                for (char16_t& unit : normalized_) {
                    unit = twinOf(unit);
                }
                units_ = normalized_.data();
                break;
            }
        }
    }
    EncoderInput(const EncoderInput&) = delete;
    EncoderInput& operator=(const EncoderInput&) = delete;

    const char16_t* units() const { return units_; }
    std::size_t size() const { return size_; }

    // A surrogate pair is one character; a high surrogate takes whatever follows.
    std::size_t charUnitsAt(std::size_t index) const
    {
        return (index + 1 < size_ && QChar::isHighSurrogate(units_[index])) ? 2 : 1;
    }

private:
    const char16_t* units_;
    std::size_t size_;
    std::u16string normalized_;
};

// Room for any encoding of `input`: two bytes at most per unit.
std::size_t encodedSizeLimit(const EncoderInput& input)
{
    return input.size() * 2 + 4;
}

// Encodes a text into a buffer of encodedSizeLimit bytes, a stretch between
// units the code page cannot hold at a time. iconv knows no single-byte form
// of the Windows characters above: it stops at them, and they are written
// here. It also converts some thousand units ahead into a buffer of its own
// before it meets the unit it stops at, work lost at each stop; so after a
// stop the input goes to it in short pieces that grow while they go through.
class EncodeRun {
public:
    EncodeRun(const EncoderInput& input, std::string& out) : input_(input), out_(out) {}

    // Encodes units [from, size) up to the first unit the code page cannot
    // hold, and returns its index, or size when there is none.
    std::size_t upToUnencodable(std::size_t from)
    {
        Converter& conv = encoder();
        const char16_t* const units = input_.units();
        while (from < input_.size()) {
            std::size_t end = input_.size() - from > piece_ ? from + piece_ : input_.size();
            if (end < input_.size() && QChar::isHighSurrogate(units[end - 1])) {
                ++end;  // a surrogate pair stays in one piece
            }
            conv.reset();
            char* in = reinterpret_cast<char*>(const_cast<char16_t*>(units + from));
            std::size_t inLeft = (end - from) * sizeof(char16_t);
            char* outPtr = out_.data() + used_;
            std::size_t outLeft = out_.size() - used_;
            const bool whole = iconv(conv.handle(), &in, &inLeft, &outPtr, &outLeft) !=
                               static_cast<std::size_t>(-1);
            used_ = static_cast<std::size_t>(outPtr - out_.data());
            if (whole) {
                from = end;
                piece_ = std::min(piece_, input_.size()) * 2;
                continue;
            }
            const auto stop =
                static_cast<std::size_t>(reinterpret_cast<const char16_t*>(in) - units);
            piece_ = kShortPiece;
            const int single = windowsByteOfChar(units[stop]);
            if (single < 0) {
                return stop;
            }
            out_[used_++] = static_cast<char>(single);
            from = stop + 1;
        }
        return input_.size();
    }

    // Writes the "?" that stands for a character left out.
    void replace() { out_[used_++] = '?'; }

    std::size_t used() const { return used_; }

private:
    static constexpr std::size_t kShortPiece = 16;

    const EncoderInput& input_;
    std::string& out_;
    std::size_t used_ = 0;
    // The whole text until the first stop: most texts need one call.
    std::size_t piece_ = std::numeric_limits<std::size_t>::max();
};

// Whether a character starts at `pos`, given one that starts at `boundary`
// (<= pos < text.size()). A byte that is no lead byte always ends a character,
// and the lead bytes after it pair off, so the count of lead bytes right
// before `pos` decides.
bool startsCharacter(std::string_view text, std::size_t boundary, std::size_t pos)
{
    std::size_t runStart = pos;
    while (runStart > boundary && isLeadByte(static_cast<unsigned char>(text[runStart - 1]))) {
        --runStart;
    }
    return (pos - runStart) % 2 == 0;
}

}  // namespace

QString toUnicode(std::string_view bytes)
{
    bool ascii = true;
    for (char b : bytes) {
        if (static_cast<unsigned char>(b) >= 0x80) {
            ascii = false;
            break;
        }
    }
    if (ascii) {
        return QString::fromLatin1(bytes.data(), static_cast<qsizetype>(bytes.size()));
    }

    Converter& conv = decoder();
    conv.reset();
    // One byte never gives more than one UTF-16 unit.
    QString out(static_cast<qsizetype>(bytes.size()), Qt::Uninitialized);
    char* const outStart = reinterpret_cast<char*>(out.data());
    char* in = const_cast<char*>(bytes.data());
    std::size_t inLeft = bytes.size();
    char* outPtr = outStart;
    std::size_t outLeft = bytes.size() * sizeof(char16_t);
    while (inLeft > 0) {
        if (iconv(conv.handle(), &in, &inLeft, &outPtr, &outLeft) != static_cast<std::size_t>(-1)) {
            break;
        }
        if (errno == E2BIG) {
            break;  // cannot happen, see above
        }
        // An invalid or incomplete sequence: one character for its first byte
        // (a replacement unless Windows gives the byte one), then the next byte.
        const char16_t windowsChar = windowsCharOfByte(static_cast<unsigned char>(*in));
        const char16_t replacement = windowsChar != 0 ? windowsChar : u'\uFFFD';
        std::memcpy(outPtr, &replacement, sizeof replacement);
        outPtr += sizeof replacement;
        outLeft -= sizeof replacement;
        ++in;
        --inLeft;
        conv.reset();
    }
    out.truncate(static_cast<qsizetype>((outPtr - outStart) / sizeof(char16_t)));
    return out;
}

QString normalizeForCp932(const QString& text)
{
    QString result = text;
    for (QChar& c : result) {
        c = QChar(twinOf(c.unicode()));
    }
    return result;
}

bool fromUnicode(const QString& text, std::string& out, QString* bad)
{
    out.clear();
    if (isAscii(text)) {
        out = asciiBytes(text);
        return true;
    }
    const EncoderInput input(text);
    out.resize(encodedSizeLimit(input));
    EncodeRun run(input, out);
    const std::size_t stop = run.upToUnencodable(0);
    if (stop == input.size()) {
        out.resize(run.used());
        return true;
    }
    if (bad != nullptr) {
        *bad =
            text.mid(static_cast<qsizetype>(stop), static_cast<qsizetype>(input.charUnitsAt(stop)));
    }
    out.clear();
    return false;
}

std::string fromUnicodeLossy(const QString& text)
{
    if (isAscii(text)) {
        return asciiBytes(text);
    }
    const EncoderInput input(text);
    std::string result(encodedSizeLimit(input), '\0');
    EncodeRun run(input, result);
    for (std::size_t pos = 0; pos < input.size();) {
        const std::size_t stop = run.upToUnencodable(pos);
        if (stop == input.size()) {
            break;
        }
        // The character left out had room for two bytes.
        run.replace();
        pos = stop + input.charUnitsAt(stop);
    }
    result.resize(run.used());
    return result;
}

std::string fromUnicodeKeeping(const QString& text, std::string_view original)
{
    // Decoding gives at most one unit per byte, so a longer text is an edit.
    if (static_cast<std::size_t>(text.size()) <= original.size() && toUnicode(original) == text) {
        return std::string(original);
    }
    return fromUnicodeLossy(text);
}

QString firstUnencodable(const QString& text)
{
    std::string out;
    QString bad;
    if (fromUnicode(text, out, &bad)) {
        return {};
    }
    return bad;
}

std::size_t byteLength(const QString& text)
{
    if (isAscii(text)) {
        return static_cast<std::size_t>(text.size());
    }
    return fromUnicodeLossy(text).size();
}

std::size_t find(std::string_view haystack, std::string_view needle, std::size_t from)
{
    if (needle.empty()) {
        return from <= haystack.size() ? from : std::string_view::npos;
    }
    // The byte-wise search runs at memchr speed; a hit counts only where a
    // character starts. `boundary` is a known start at or before every hit.
    std::size_t boundary = 0;
    for (std::size_t hit = haystack.find(needle, from); hit != std::string_view::npos;
         hit = haystack.find(needle, hit + 1)) {
        if (startsCharacter(haystack, boundary, hit)) {
            return hit;
        }
        // The hit is a second byte, so a character starts right after it.
        boundary = hit + 1;
    }
    return std::string_view::npos;
}

std::string truncateBytes(std::string_view text, std::size_t maxBytes)
{
    std::size_t pos = 0;
    while (pos < text.size()) {
        const std::size_t len = charLength(text, pos);
        if (pos + len > maxBytes) {
            break;
        }
        pos += len;
    }
    return std::string(text.substr(0, pos));
}

}  // namespace cp932

namespace cp932 {
namespace {

// What one character of the basic plane encodes to: 0 not yet known, 1 none,
// 0x01nn the single byte nn, 0xllnn the double byte ll nn (a lead byte is
// never below 0x81).
constexpr std::uint16_t kUnknown = 0;
constexpr std::uint16_t kUnencodable = 1;
using EncodingTable = std::array<std::uint16_t, 0x10000>;

EncodingTable& encodingTable()
{
    thread_local std::unique_ptr<EncodingTable> table;
    if (!table) {
        table = std::make_unique<EncodingTable>();
        table->fill(kUnknown);
    }
    return *table;
}

// Asks the converter once for a character not yet in the table.
std::uint16_t learnEncoding(std::uint16_t& entry, char16_t unit)
{
    std::string bytes;
    if (QChar::isSurrogate(unit) || !fromUnicode(QString(QChar(unit)), bytes)) {
        entry = kUnencodable;
    } else if (bytes.size() == 1) {
        entry = static_cast<std::uint16_t>(0x0100 | static_cast<unsigned char>(bytes[0]));
    } else {
        entry = static_cast<std::uint16_t>((static_cast<unsigned char>(bytes[0]) << 8) |
                                           static_cast<unsigned char>(bytes[1]));
    }
    return entry;
}

inline std::uint16_t encodingOf(EncodingTable& table, char32_t c)
{
    if (c > 0xFFFF) {
        return kUnencodable;  // the code page holds nothing outside the basic plane
    }
    std::uint16_t& entry = table[c];
    return entry != kUnknown ? entry : learnEncoding(entry, static_cast<char16_t>(c));
}

// Writes an entry's bytes at `at`; returns the byte after them.
char* putEncoded(std::uint16_t entry, char* at)
{
    if (entry < 0x0200) {
        *at++ = static_cast<char>(entry & 0xFF);
    } else {
        *at++ = static_cast<char>(entry >> 8);
        *at++ = static_cast<char>(entry & 0xFF);
    }
    return at;
}

}  // namespace

bool appendReplacing(QStringView text, QChar replacement, std::string& out)
{
    EncodingTable& table = encodingTable();
    const std::uint16_t replacementEntry = encodingOf(table, replacement.unicode());
    const std::size_t start = out.size();
    // Two bytes at most per unit; a surrogate pair gives one replacement.
    out.resize(start + static_cast<std::size_t>(text.size()) * 2);
    char* at = out.data() + start;
    bool replaced = false;
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t unit = text[i].unicode();
        if (unit < 0x80) {
            *at++ = static_cast<char>(unit);
            continue;
        }
        std::uint16_t entry = encodingOf(table, unit);
        if (entry == kUnencodable) {
            if (QChar::isHighSurrogate(unit) && i + 1 < n && text[i + 1].isLowSurrogate()) {
                ++i;
            }
            entry = replacementEntry;
            replaced = true;
        }
        at = putEncoded(entry, at);
    }
    out.resize(static_cast<std::size_t>(at - out.data()));
    return replaced;
}

std::optional<bool> appendUtf8Replacing(std::string_view text, QChar replacement, std::string& out)
{
    EncodingTable& table = encodingTable();
    const std::uint16_t replacementEntry = encodingOf(table, replacement.unicode());
    const std::size_t start = out.size();
    // A character of n UTF-8 bytes never needs more than n bytes here.
    out.resize(start + text.size());
    char* at = out.data() + start;
    const auto* p = reinterpret_cast<const unsigned char*>(text.data());
    const auto* const end = p + text.size();
    bool replaced = false;
    while (p < end) {
        if (*p < 0x80) {
            const std::size_t ascii = utf8::asciiRunAt(p, end);
            std::memcpy(at, p, ascii);
            at += ascii;
            p += ascii;
            continue;
        }
        const char32_t c = utf8::decodeAt(p, end);
        if (c == utf8::kInvalid) {
            out.resize(static_cast<std::size_t>(at - out.data()));
            return std::nullopt;
        }
        std::uint16_t entry = encodingOf(table, c);
        if (entry == kUnencodable) {
            entry = replacementEntry;
            replaced = true;
        }
        at = putEncoded(entry, at);
    }
    out.resize(static_cast<std::size_t>(at - out.data()));
    return replaced;
}

}  // namespace cp932
