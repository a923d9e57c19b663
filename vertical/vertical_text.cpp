// SPDX-License-Identifier: MIT
#include "vertical/vertical_text.h"

#include <hb.h>

#include <QGlyphRun>
#include <QPainter>
#include <QRawFont>

#include <cmath>
#include <cstdlib>
#include <memory>

#include "vertical/column_layout.h"
#include "vertical/shaping_face.h"

namespace vertical {
namespace {

struct HbBufferDeleter {
    void operator()(hb_buffer_t* buffer) const { hb_buffer_destroy(buffer); }
};
using HbBuffer = std::unique_ptr<hb_buffer_t, HbBufferDeleter>;

// Only HarfBuzz's own OpenType shaper knows the vertical features.
constexpr const char* kShapers[] = {"ot", nullptr};

// One column laid out in pixels. Upright glyphs are placed relative to the
// point where the column's centre line meets the start of the text; turned
// glyphs in a frame turned 90° clockwise whose origin is the start of the
// text on the turned baseline.
struct Column {
    QRawFont raw;
    int across = 0;
    double ascent = 0;  // from the column's right edge to the turned baseline
    double along = 0;
    QList<quint32> uprightGlyphs;
    QList<QPointF> uprightPositions;
    QList<quint32> turnedGlyphs;
    QList<QPointF> turnedPositions;
};

void shapeSegment(hb_buffer_t* buffer, const ShapingFace& shaping, const QString& text,
                  const Segment& segment, double scale, Column& column)
{
    hb_buffer_clear_contents(buffer);
    hb_buffer_add_utf16(buffer, reinterpret_cast<const uint16_t*>(text.utf16()),
                        static_cast<int>(text.size()), static_cast<unsigned int>(segment.start),
                        static_cast<int>(segment.length));
    hb_buffer_guess_segment_properties(buffer);
    if (segment.upright) {
        hb_buffer_set_direction(buffer, HB_DIRECTION_TTB);
        // Punctuation alone guesses no script; the vertical forms live under the CJK ones.
        const hb_script_t script = hb_buffer_get_script(buffer);
        if (script == HB_SCRIPT_COMMON || script == HB_SCRIPT_INHERITED ||
            script == HB_SCRIPT_UNKNOWN) {
            hb_buffer_set_script(buffer, HB_SCRIPT_HAN);
        }
    } else {
        hb_buffer_set_direction(buffer, HB_DIRECTION_LTR);
    }
    hb_shape_full(shaping.font, buffer, nullptr, 0, kShapers);

    unsigned int count = 0;
    const hb_glyph_info_t* infos = hb_buffer_get_glyph_infos(buffer, &count);
    const hb_glyph_position_t* positions = hb_buffer_get_glyph_positions(buffer, &count);
    for (unsigned int i = 0; i < count; ++i) {
        const hb_glyph_position_t& p = positions[i];
        if (segment.upright) {
            // HarfBuzz's y grows upwards; the pen runs down the column.
            column.uprightGlyphs.append(infos[i].codepoint);
            column.uprightPositions.append(
                QPointF(p.x_offset * scale, column.along - p.y_offset * scale));
            column.along -= p.y_advance * scale;
        } else {
            column.turnedGlyphs.append(infos[i].codepoint);
            column.turnedPositions.append(
                QPointF(column.along + p.x_offset * scale, -p.y_offset * scale));
            column.along += p.x_advance * scale;
        }
    }
}

// Null when the face cannot be used at all (no height, no usable font).
std::unique_ptr<Column> layOut(const FaceRecord& face, const QString& text)
{
    const int pixelSize = std::abs(face.height);
    if (pixelSize == 0) {
        return nullptr;
    }
    const FaceName name = parseFaceName(face.face);
    auto column = std::make_unique<Column>();
    column->raw = resolveRawFont(name.family, pixelSize, face.weight);
    const ShapingFace* shaping = shapingFaceFor(column->raw);
    if (shaping == nullptr) {
        return nullptr;
    }
    const double scale = static_cast<double>(pixelSize) / shaping->unitsPerEm;
    column->across =
        static_cast<int>(std::lround((shaping->winAscent + shaping->winDescent) * scale));
    column->ascent = shaping->winAscent * scale;

    const std::vector<Segment> segments = segmentColumn(text, name.verticalForms);
    if (segments.empty()) {
        return column;
    }
    HbBuffer buffer(hb_buffer_create());
    for (const Segment& segment : segments) {
        shapeSegment(buffer.get(), *shaping, text, segment, scale, *column);
    }
    return column;
}

}  // namespace

Extent measure(const FaceRecord& face, const QString& text)
{
    const std::unique_ptr<Column> column = layOut(face, text);
    if (!column) {
        return {};
    }
    return {column->across, static_cast<int>(std::lround(column->along))};
}

// The escapement is not read: both values that run the baseline down give the
// same column, and no other value reaches this renderer.
void draw(QPainter& painter, const FaceRecord& face, QPoint ref, int flags, const QString& text,
          const QColor& color)
{
    if (text.isEmpty()) {
        return;
    }
    const std::unique_ptr<Column> column = layOut(face, text);
    if (!column) {
        return;
    }
    const double right = (flags & AlignBottom) ? ref.x() + column->across : ref.x();
    // Ending at ref.y uses the exact length, so the ink stops on that line.
    const double top = (flags & AlignRight) ? ref.y() - column->along : ref.y();

    painter.save();
    painter.setPen(color);
    if (!column->uprightGlyphs.isEmpty()) {
        QGlyphRun run;
        run.setRawFont(column->raw);
        run.setGlyphIndexes(column->uprightGlyphs);
        run.setPositions(column->uprightPositions);
        painter.drawGlyphRun(QPointF(right - column->across / 2.0, top), run);
    }
    if (!column->turnedGlyphs.isEmpty()) {
        QGlyphRun run;
        run.setRawFont(column->raw);
        run.setGlyphIndexes(column->turnedGlyphs);
        run.setPositions(column->turnedPositions);
        painter.translate(right - column->ascent, top);
        painter.rotate(90);
        painter.drawGlyphRun(QPointF(0, 0), run);
    }
    painter.restore();
}

}  // namespace vertical
