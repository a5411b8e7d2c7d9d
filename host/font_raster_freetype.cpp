// Dialog glyphs through FreeType.
#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <array>

#include "host/font_raster.h"

namespace host {

struct FontRaster::State {
    FT_Library library = nullptr;
    std::array<FT_Face, 3> faces{};

    ~State() {
        for (FT_Face face : faces) {
            if (face != nullptr) {
                FT_Done_Face(face);
            }
        }
        if (library != nullptr) {
            FT_Done_FreeType(library);
        }
    }

    FT_Face Face(FontFace face) const { return faces[static_cast<std::size_t>(face)]; }
};

FontRaster::FontRaster(const std::filesystem::path& fontFolder, int pixelSize)
    : state(std::make_unique<State>()) {
    if (FT_Init_FreeType(&state->library) != 0) {
        state->library = nullptr;
        return;
    }
    const std::array<const char*, 3> files{kRegularFontFile, kBoldFontFile, kFallbackFontFile};
    for (std::size_t i = 0; i < files.size(); ++i) {
        const std::string path = (fontFolder / files[i]).string();
        FT_Face face = nullptr;
        if (FT_New_Face(state->library, path.c_str(), 0, &face) != 0) {
            continue;
        }
        if (FT_Set_Pixel_Sizes(face, 0, static_cast<FT_UInt>(pixelSize)) != 0) {
            FT_Done_Face(face);
            continue;
        }
        state->faces[i] = face;
    }
}

FontRaster::~FontRaster() = default;

bool FontRaster::HasGlyph(FontFace face, char32_t codePoint) const {
    FT_Face handle = state->Face(face);
    return handle != nullptr && FT_Get_Char_Index(handle, codePoint) != 0;
}

Glyph FontRaster::Rasterise(FontFace face, char32_t codePoint) const {
    FT_Face handle = state->Face(face);
    Glyph glyph;
    if (handle == nullptr ||
        FT_Load_Char(handle, codePoint, FT_LOAD_DEFAULT | FT_LOAD_TARGET_NORMAL) != 0 ||
        FT_Render_Glyph(handle->glyph, FT_RENDER_MODE_NORMAL) != 0) {
        return glyph;
    }
    const FT_GlyphSlot slot = handle->glyph;
    const FT_Bitmap& bitmap = slot->bitmap;
    glyph.left = slot->bitmap_left;
    glyph.top = slot->bitmap_top;
    glyph.width = static_cast<int>(bitmap.width);
    glyph.height = static_cast<int>(bitmap.rows);
    glyph.advance = static_cast<int>((slot->advance.x + 32) >> 6);
    glyph.coverage.resize(static_cast<std::size_t>(glyph.width) * glyph.height);
    for (int row = 0; row < glyph.height; ++row) {
        const unsigned char* source =
            bitmap.buffer + static_cast<std::ptrdiff_t>(row) * bitmap.pitch;
        std::copy_n(source, glyph.width,
                    glyph.coverage.begin() + static_cast<std::ptrdiff_t>(row) * glyph.width);
    }
    return glyph;
}

FontMetrics FontRaster::Metrics(FontFace face) const {
    FT_Face handle = state->Face(face);
    if (handle == nullptr) {
        return {};
    }
    return {static_cast<int>((handle->size->metrics.ascender + 63) >> 6),
            static_cast<int>((-handle->size->metrics.descender + 63) >> 6)};
}

}  // namespace host
