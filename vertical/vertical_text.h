// SPDX-License-Identifier: MIT
// Vertical text: one column, top to bottom, drawn as vector glyphs on any
// QPainter (screen labels and the printer alike).
#pragma once

#include <QColor>
#include <QPoint>
#include <QString>

#include <cstddef>
#include <string>

class QPainter;

namespace vertical {

// A face name holds at most this many code page 932 bytes, as a Windows
// LOGFONT does; longer names are cut at a character boundary.
inline constexpr std::size_t kFaceNameBytes = 31;

// The face record of a vertical font, as a Windows LOGFONT would carry it.
struct FaceRecord {
    // Code page 932 bytes, at most kFaceNameBytes; a leading "@" selects
    // upright full-width forms.
    std::string face;
    int height = 0;      // character (em) height in device pixels, positive
    int escapement = 0;  // tenths of a degree; -900 and 2700 both run the baseline down
    int weight = 400;    // 400 normal, 700 bold
};

// Placement flags with the Windows SetTextAlign meaning, for a baseline that runs down:
// Top puts the column's right edge at the reference x, Bottom its left edge;
// Left starts the text at the reference y, Right ends it there.
enum AlignFlags : int { AlignLeft = 0, AlignTop = 0, AlignRight = 2, AlignBottom = 8 };

struct Extent {
    int across = 0;  // the column's width: the face's line height (usWinAscent + usWinDescent)
    int along = 0;   // the text's length down the column: the sum of the advances
};

// Measures `text` as it would be drawn with `face`.
Extent measure(const FaceRecord& face, const QString& text);

// Draws `text` as one column whose reference point is `ref`, placed by `flags`.
void draw(QPainter& painter, const FaceRecord& face, QPoint ref, int flags, const QString& text,
          const QColor& color);

}  // namespace vertical
