// SPDX-License-Identifier: MIT
#include "import/text_encoding.h"

#include <QStringDecoder>

#include "text/cp932.h"
#include "text/utf8.h"

namespace {

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";
constexpr std::string_view kUtf16LeMark = "\xFF\xFE";
constexpr std::string_view kUtf16BeMark = "\xFE\xFF";

QString decodeUtf16(std::string_view bytes)
{
    const bool bigEndian = bytes.starts_with(kUtf16BeMark);
    QStringDecoder decoder(bigEndian ? QStringConverter::Utf16BE : QStringConverter::Utf16LE,
                           QStringConverter::Flag::Stateless);
    bytes.remove_prefix(kUtf16LeMark.size());
    return decoder(QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())));
}

}  // namespace

std::optional<TextEncoding> EncodingByMark(std::string_view bytes)
{
    if (bytes.starts_with(kUtf8Mark)) {
        return TextEncoding::Utf8;
    }
    if (bytes.starts_with(kUtf16LeMark) || bytes.starts_with(kUtf16BeMark)) {
        return TextEncoding::Utf16;
    }
    return std::nullopt;
}

std::size_t MarkLength(std::string_view bytes)
{
    const std::optional<TextEncoding> marked = EncodingByMark(bytes);
    if (!marked) {
        return 0;
    }
    return *marked == TextEncoding::Utf8 ? kUtf8Mark.size() : kUtf16LeMark.size();
}

bool HasHighByte(std::string_view bytes)
{
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
    return utf8::asciiRunAt(p, p + bytes.size()) < bytes.size();
}

TextEncoding DetectTextEncoding(std::string_view bytes)
{
    if (const std::optional<TextEncoding> marked = EncodingByMark(bytes)) {
        return *marked;
    }
    return HasHighByte(bytes) && utf8::isValid(bytes) ? TextEncoding::Utf8 : TextEncoding::Cp932;
}

QString DecodeAs(std::string_view bytes, TextEncoding encoding)
{
    switch (encoding) {
        case TextEncoding::Utf8:
            bytes.remove_prefix(MarkLength(bytes));
            return QString::fromUtf8(
                QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())));
        case TextEncoding::Utf16:
            return decodeUtf16(bytes);
        case TextEncoding::Cp932:
            break;
    }
    return cp932::toUnicode(bytes);
}

DecodedText DecodeText(std::string_view bytes)
{
    const TextEncoding encoding = DetectTextEncoding(bytes);
    return {encoding, DecodeAs(bytes, encoding)};
}
