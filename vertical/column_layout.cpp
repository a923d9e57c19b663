// SPDX-License-Identifier: MIT
#include "vertical/column_layout.h"

#include "text/cp932.h"
#include "vertical/vertical_text.h"

namespace vertical {
std::vector<Segment> segmentColumn(const QString& text, bool verticalForms)
{
    std::vector<Segment> segments;
    if (text.isEmpty()) {
        return segments;
    }
    if (!verticalForms) {
        segments.push_back({0, text.size(), false});
        return segments;
    }
    // One conversion for the whole text: each character becomes exactly one
    // code page 932 character (or "?"), so the bytes can be walked beside the text.
    const std::string bytes = cp932::fromUnicodeLossy(text);
    std::size_t byte = 0;
    qsizetype unit = 0;
    while (unit < text.size()) {
        const qsizetype units = (text[unit].isHighSurrogate() && unit + 1 < text.size() &&
                                 text[unit + 1].isLowSurrogate())
                                    ? 2
                                    : 1;
        const std::size_t length = byte < bytes.size() ? cp932::charLength(bytes, byte) : 1;
        const bool upright = length == 2;
        if (!segments.empty() && segments.back().upright == upright) {
            segments.back().length += units;
        } else {
            segments.push_back({unit, units, upright});
        }
        unit += units;
        byte += length;
    }
    return segments;
}

FaceName parseFaceName(std::string_view faceBytes)
{
    std::string_view name = faceBytes;
    const std::string limited = cp932::truncateBytes(name, kFaceNameBytes);
    name = limited;
    FaceName result;
    while (!name.empty() && name.front() == '@') {
        result.verticalForms = true;
        name.remove_prefix(1);
    }
    result.family = cp932::toUnicode(name);
    return result;
}

}  // namespace vertical
