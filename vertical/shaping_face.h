// SPDX-License-Identifier: MIT
// The fonts behind a face record: Qt's raw font for drawing and a HarfBuzz
// font over the same file for shaping, so glyph ids agree.
#pragma once

#include <QRawFont>
#include <QString>

struct hb_font_t;

namespace vertical {

// Qt's font for `family` at `pixelSize`, resolved as QFont resolves it
// (substitutions included). A family that is unknown or cannot write
// Japanese gives a Japanese face instead, so the text never shows as boxes.
QRawFont resolveRawFont(const QString& family, int pixelSize, int weight);

// The metrics and the HarfBuzz font of one font file, in font units.
struct ShapingFace {
    hb_font_t* font = nullptr;  // scale = units per em
    int unitsPerEm = 0;
    int winAscent = 0;   // OS/2 usWinAscent
    int winDescent = 0;  // OS/2 usWinDescent
};

// The shaping face for `raw`, built once per font file and kept until the
// application ends. Null when HarfBuzz cannot read the font.
const ShapingFace* shapingFaceFor(const QRawFont& raw);

}  // namespace vertical
