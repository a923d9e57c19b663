// SPDX-License-Identifier: MIT
// How a column's characters are oriented, before any font is involved.
#pragma once

#include <QString>

#include <string>
#include <string_view>
#include <vector>

namespace vertical {

// A run of characters that share one orientation. start and length count
// UTF-16 units of the text.
struct Segment {
    qsizetype start = 0;
    qsizetype length = 0;
    bool upright = false;  // stands upright in its vertical form; otherwise turned 90° clockwise

    bool operator==(const Segment&) const = default;
};

// Splits `text` into runs. With vertical forms (an "@" face) a character that
// takes two bytes in code page 932 stands upright and a one-byte character
// (ASCII, half-width katakana) is turned. Without them every character is
// turned. A character code page 932 cannot hold counts as one byte, as the
// "?" it would be written as.
std::vector<Segment> segmentColumn(const QString& text, bool verticalForms);

// The family named by a face record's face bytes, and whether it asks for
// vertical forms. Only the first 31 bytes count, as a LOGFONT holds no more.
// Any number of leading "@" select vertical forms once.
struct FaceName {
    QString family;
    bool verticalForms = false;
};
FaceName parseFaceName(std::string_view faceBytes);

}  // namespace vertical
