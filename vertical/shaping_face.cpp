// SPDX-License-Identifier: MIT
#include "vertical/shaping_face.h"

#include <fontconfig/fontconfig.h>
#include <hb-ot.h>
#include <hb.h>

#include <QCoreApplication>
#include <QFont>
#include <QFontDatabase>

#include <algorithm>
#include <cstdlib>
#include <map>
#include <memory>

namespace vertical {
namespace {

struct HbFaceDeleter {
    void operator()(hb_face_t* face) const { hb_face_destroy(face); }
};
struct HbFontDeleter {
    void operator()(hb_font_t* font) const { hb_font_destroy(font); }
};
using HbFace = std::unique_ptr<hb_face_t, HbFaceDeleter>;
using HbFont = std::unique_ptr<hb_font_t, HbFontDeleter>;

struct CachedFace {
    HbFace face;
    HbFont font;
    ShapingFace metrics;
};

// Font files do not change while the program runs, so their shaping faces
// are kept. Emptied by a post routine: the faces made from Qt's tables hold a
// QRawFont, which must go before the GUI application does.
class ShapingFaceCache {
public:
    std::map<QString, std::unique_ptr<CachedFace>> faces;

    static ShapingFaceCache& instance()
    {
        static ShapingFaceCache cache;
        static const bool cleanupRegistered = [] {
            qAddPostRoutine([] { ShapingFaceCache::instance().faces.clear(); });
            return true;
        }();
        (void)cleanupRegistered;
        return cache;
    }
};

bool sameTable(hb_face_t* face, const QRawFont& raw, const char* tag)
{
    hb_blob_t* blob = hb_face_reference_table(face, hb_tag_from_string(tag, 4));
    unsigned int length = 0;
    const char* data = hb_blob_get_data(blob, &length);
    const QByteArray expected = raw.fontTable(tag);
    const bool same = length > 0 && expected.size() == static_cast<qsizetype>(length) &&
                      std::equal(data, data + length, expected.constData());
    hb_blob_destroy(blob);
    return same;
}

// Maps the file fontconfig knows for the raw font's family; several files may
// carry the family, so the one whose header equals Qt's is taken.
HbFace faceFromFile(const QRawFont& raw)
{
    FcPattern* pattern = FcPatternCreate();
    const QByteArray family = raw.familyName().toUtf8();
    FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(family.constData()));
    FcObjectSet* objects = FcObjectSetBuild(FC_FILE, FC_INDEX, nullptr);
    FcFontSet* fonts = FcFontList(nullptr, pattern, objects);
    FcObjectSetDestroy(objects);
    FcPatternDestroy(pattern);
    HbFace found;
    for (int i = 0; fonts != nullptr && i < fonts->nfont && !found; ++i) {
        FcChar8* file = nullptr;
        int index = 0;
        if (FcPatternGetString(fonts->fonts[i], FC_FILE, 0, &file) != FcResultMatch) {
            continue;
        }
        FcPatternGetInteger(fonts->fonts[i], FC_INDEX, 0, &index);
        hb_blob_t* blob = hb_blob_create_from_file_or_fail(reinterpret_cast<const char*>(file));
        if (blob == nullptr) {
            continue;
        }
        HbFace face(hb_face_create(blob, static_cast<unsigned int>(index)));
        hb_blob_destroy(blob);
        if (sameTable(face.get(), raw, "head") && sameTable(face.get(), raw, "maxp")) {
            found = std::move(face);
        }
    }
    if (fonts != nullptr) {
        FcFontSetDestroy(fonts);
    }
    return found;
}

hb_blob_t* tableFromRawFont(hb_face_t*, hb_tag_t tag, void* userData)
{
    char name[4];
    hb_tag_to_string(tag, name);
    const QByteArray table =
        static_cast<const QRawFont*>(userData)->fontTable(QByteArray(name, 4).constData());
    if (table.isEmpty()) {
        return nullptr;
    }
    return hb_blob_create(table.constData(), static_cast<unsigned int>(table.size()),
                          HB_MEMORY_MODE_DUPLICATE, nullptr, nullptr);
}

// For a font without a file fontconfig knows (an application font, say):
// slower, as every table is copied out of Qt.
HbFace faceFromRawFont(const QRawFont& raw)
{
    return HbFace(hb_face_create_for_tables(tableFromRawFont, new QRawFont(raw), [](void* data) {
        delete static_cast<QRawFont*>(data);
    }));
}

int metric(hb_font_t* font, hb_ot_metrics_tag_t tag, int fallback)
{
    hb_position_t value = 0;
    return hb_ot_metrics_get_position(font, tag, &value) ? std::abs(value) : fallback;
}

std::unique_ptr<CachedFace> buildFace(const QRawFont& raw)
{
    auto cached = std::make_unique<CachedFace>();
    cached->face = faceFromFile(raw);
    if (!cached->face) {
        cached->face = faceFromRawFont(raw);
    }
    const unsigned int upem = hb_face_get_upem(cached->face.get());
    if (hb_face_get_glyph_count(cached->face.get()) == 0 || upem == 0) {
        return nullptr;
    }
    cached->font.reset(hb_font_create(cached->face.get()));
    hb_font_t* font = cached->font.get();
    hb_font_extents_t extents{};
    hb_font_get_h_extents(font, &extents);
    cached->metrics.font = font;
    cached->metrics.unitsPerEm = static_cast<int>(upem);
    cached->metrics.winAscent =
        metric(font, HB_OT_METRICS_TAG_HORIZONTAL_CLIPPING_ASCENT, extents.ascender);
    cached->metrics.winDescent =
        metric(font, HB_OT_METRICS_TAG_HORIZONTAL_CLIPPING_DESCENT, std::abs(extents.descender));
    return cached;
}

}  // namespace

QRawFont resolveRawFont(const QString& family, int pixelSize, int weight)
{
    QFont font(family);
    font.setPixelSize(std::max(pixelSize, 1));
    // Qt's weights use the same scale as a LOGFONT's; 0 there means "any".
    font.setWeight(static_cast<QFont::Weight>(weight <= 0 ? 400 : std::clamp(weight, 1, 1000)));
    // Asking for the Japanese writing system makes Qt pick, among the face and
    // its fallbacks, the first that can write Japanese.
    QRawFont raw = QRawFont::fromFont(font, QFontDatabase::Japanese);
    if (!raw.isValid()) {
        raw = QRawFont::fromFont(font);
    }
    return raw;
}

const ShapingFace* shapingFaceFor(const QRawFont& raw)
{
    if (!raw.isValid()) {
        return nullptr;
    }
    auto& faces = ShapingFaceCache::instance().faces;
    const QString key = raw.familyName() + QLatin1Char('\n') + raw.styleName();
    auto it = faces.find(key);
    if (it == faces.end()) {
        it = faces.emplace(key, buildFace(raw)).first;
    }
    return it->second ? &it->second->metrics : nullptr;
}

}  // namespace vertical
