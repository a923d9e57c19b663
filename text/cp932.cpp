#include "text/cp932.h"

#include <iconv.h>

#include <cerrno>
#include <cstring>
#include <stdexcept>
#include <vector>

namespace cp932 {
namespace {

// One conversion descriptor per direction and thread, opened on first use.
class Converter {
public:
    Converter(const char* to, const char* from) : cd_(iconv_open(to, from))
    {
        if (cd_ == reinterpret_cast<iconv_t>(-1)) {
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

// The characters a Linux input method gives where Windows has a full-width twin,
// and their twin.
struct Twin {
    char16_t from;
    char16_t to;
};
constexpr Twin kTwins[] = {
    {u'\u301C', u'\uFF5E'},  // WAVE DASH -> FULLWIDTH TILDE
    {u'\u2212', u'\uFF0D'},  // MINUS SIGN -> FULLWIDTH HYPHEN-MINUS
    {u'\u2016', u'\u2225'},  // DOUBLE VERTICAL LINE -> PARALLEL TO
    {u'\u00A2', u'\uFFE0'},  // CENT SIGN
    {u'\u00A3', u'\uFFE1'},  // POUND SIGN
    {u'\u00AC', u'\uFFE2'},  // NOT SIGN
    {u'\u2014', u'\u2015'},  // EM DASH -> HORIZONTAL BAR
};

bool isAscii(const QString& text)
{
    for (QChar c : text) {
        if (c.unicode() >= 0x80) {
            return false;
        }
    }
    return true;
}

}  // namespace

std::size_t charLength(std::string_view text, std::size_t pos)
{
    if (pos + 1 < text.size() && isLeadByte(static_cast<unsigned char>(text[pos]))) {
        return 2;
    }
    return 1;
}

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
    std::vector<char16_t> out(bytes.size() + 1);
    char* in = const_cast<char*>(bytes.data());
    std::size_t inLeft = bytes.size();
    char* outPtr = reinterpret_cast<char*>(out.data());
    std::size_t outLeft = out.size() * sizeof(char16_t);
    while (inLeft > 0) {
        if (iconv(conv.handle(), &in, &inLeft, &outPtr, &outLeft) != static_cast<std::size_t>(-1)) {
            break;
        }
        if (errno == E2BIG) {
            break;  // cannot happen: one byte never gives more than one UTF-16 unit
        }
        // An invalid or incomplete sequence: show one replacement and go on
        // with the next byte.
        const char16_t replacement = u'\uFFFD';
        std::memcpy(outPtr, &replacement, sizeof replacement);
        outPtr += sizeof replacement;
        outLeft -= sizeof replacement;
        ++in;
        --inLeft;
        conv.reset();
    }
    const auto units =
        static_cast<qsizetype>((outPtr - reinterpret_cast<char*>(out.data())) / sizeof(char16_t));
    return QString(reinterpret_cast<const QChar*>(out.data()), units);
}

QString normalizeForCp932(const QString& text)
{
    QString result = text;
    for (QChar& c : result) {
        for (const Twin& t : kTwins) {
            if (c.unicode() == t.from) {
                c = QChar(t.to);
                break;
            }
        }
    }
    return result;
}

bool fromUnicode(const QString& text, std::string& out, QString* bad)
{
    out.clear();
    if (isAscii(text)) {
        out = text.toStdString();
        return true;
    }
    const QString normal = normalizeForCp932(text);
    Converter& conv = encoder();
    conv.reset();
    out.resize(static_cast<std::size_t>(normal.size()) * 2 + 4);
    char* in = reinterpret_cast<char*>(const_cast<QChar*>(normal.constData()));
    std::size_t inLeft = static_cast<std::size_t>(normal.size()) * sizeof(QChar);
    char* outPtr = out.data();
    std::size_t outLeft = out.size();
    if (iconv(conv.handle(), &in, &inLeft, &outPtr, &outLeft) == static_cast<std::size_t>(-1)) {
        if (bad != nullptr) {
            const auto index = static_cast<qsizetype>(
                (in - reinterpret_cast<const char*>(normal.constData())) / sizeof(QChar));
            // A surrogate pair is one character.
            const qsizetype len =
                (index + 1 < normal.size() && normal[index].isHighSurrogate()) ? 2 : 1;
            *bad = text.mid(index, len);
        }
        out.clear();
        return false;
    }
    out.resize(out.size() - outLeft);
    return true;
}

std::string fromUnicodeLossy(const QString& text)
{
    std::string out;
    if (fromUnicode(text, out)) {
        return out;
    }
    std::string result;
    std::string piece;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const qsizetype len = (text[i].isHighSurrogate() && i + 1 < text.size()) ? 2 : 1;
        result += fromUnicode(text.mid(i, len), piece) ? piece : std::string("?");
        i += len - 1;
    }
    return result;
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
    return fromUnicodeLossy(text).size();
}

std::size_t find(std::string_view haystack, std::string_view needle, std::size_t from)
{
    if (needle.empty()) {
        return from <= haystack.size() ? from : std::string_view::npos;
    }
    // Walk character by character so that a match never starts on a trail byte.
    std::size_t pos = 0;
    while (pos < from && pos < haystack.size()) {
        pos += charLength(haystack, pos);
    }
    while (pos + needle.size() <= haystack.size()) {
        if (haystack.compare(pos, needle.size(), needle) == 0) {
            return pos;
        }
        pos += charLength(haystack, pos);
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
