// Dialog glyphs through GDI: the font files are added for this process only and each glyph is
// read as a grey-level bitmap.
#include <windows.h>

#include <algorithm>
#include <array>
#include <string>

#include "host/font_raster.h"

namespace host {

namespace {

// The family names inside the font files, which GDI selects fonts by.
constexpr const wchar_t* kRegularFamily = L"DejaVu Sans";
constexpr const wchar_t* kFallbackFamily = L"VL PGothic";

// GGO_GRAY8_BITMAP gives 65 levels.
constexpr unsigned kGreyLevels = 64;

constexpr MAT2 kIdentity{{0, 1}, {0, 0}, {0, 0}, {0, 1}};

}  // namespace

struct FontRaster::State {
    std::vector<std::wstring> addedFiles;
    HDC dc = CreateCompatibleDC(nullptr);
    std::array<HFONT, 3> fonts{};

    ~State() {
        if (dc != nullptr) {
            DeleteDC(dc);
        }
        for (HFONT font : fonts) {
            if (font != nullptr) {
                DeleteObject(font);
            }
        }
        for (const std::wstring& file : addedFiles) {
            RemoveFontResourceExW(file.c_str(), FR_PRIVATE, nullptr);
        }
    }

    // Selects the face into the device context; false when the face is missing.
    bool Select(FontFace face) const {
        HFONT font = fonts[static_cast<std::size_t>(face)];
        return dc != nullptr && font != nullptr && SelectObject(dc, font) != nullptr;
    }
};

FontRaster::FontRaster(const std::filesystem::path& fontFolder, int pixelSize)
    : state(std::make_unique<State>()) {
    const std::array<const char*, 3> files{kRegularFontFile, kBoldFontFile, kFallbackFontFile};
    std::array<bool, 3> added{};
    for (std::size_t i = 0; i < files.size(); ++i) {
        const std::wstring file = (fontFolder / files[i]).wstring();
        added[i] = AddFontResourceExW(file.c_str(), FR_PRIVATE, nullptr) > 0;
        if (added[i]) {
            state->addedFiles.push_back(file);
        }
    }
    const struct {
        bool present;
        const wchar_t* family;
        int weight;
    } faces[3] = {{added[0], kRegularFamily, FW_NORMAL},
                  {added[1], kRegularFamily, FW_BOLD},
                  {added[2], kFallbackFamily, FW_NORMAL}};
    for (std::size_t i = 0; i < 3; ++i) {
        if (faces[i].present) {
            // A negative height is the em's height in pixels, as FreeType's pixel size.
            state->fonts[i] = CreateFontW(-pixelSize, 0, 0, 0, faces[i].weight, FALSE, FALSE, FALSE,
                                          DEFAULT_CHARSET, OUT_TT_ONLY_PRECIS, CLIP_DEFAULT_PRECIS,
                                          ANTIALIASED_QUALITY, DEFAULT_PITCH, faces[i].family);
        }
    }
}

FontRaster::~FontRaster() = default;

bool FontRaster::HasGlyph(FontFace face, char32_t codePoint) const {
    if (codePoint > 0xFFFF || !state->Select(face)) {
        return false;
    }
    const wchar_t character = static_cast<wchar_t>(codePoint);
    WORD index = 0;
    return GetGlyphIndicesW(state->dc, &character, 1, &index, GGI_MARK_NONEXISTING_GLYPHS) == 1 &&
           index != 0xFFFF;
}

Glyph FontRaster::Rasterise(FontFace face, char32_t codePoint) const {
    Glyph glyph;
    if (!state->Select(face)) {
        return glyph;
    }
    const UINT character = codePoint > 0xFFFF ? 0xFFFD : static_cast<UINT>(codePoint);
    GLYPHMETRICS metrics{};
    const DWORD size =
        GetGlyphOutlineW(state->dc, character, GGO_GRAY8_BITMAP, &metrics, 0, nullptr, &kIdentity);
    if (size == GDI_ERROR) {
        return glyph;
    }
    glyph.advance = metrics.gmCellIncX;
    if (size == 0) {
        return glyph;  // a blank, such as a space
    }
    std::vector<std::uint8_t> levels(size);
    if (GetGlyphOutlineW(state->dc, character, GGO_GRAY8_BITMAP, &metrics, size, levels.data(),
                         &kIdentity) == GDI_ERROR) {
        return glyph;
    }
    glyph.left = metrics.gmptGlyphOrigin.x;
    glyph.top = metrics.gmptGlyphOrigin.y;
    glyph.width = static_cast<int>(metrics.gmBlackBoxX);
    glyph.height = static_cast<int>(metrics.gmBlackBoxY);
    // Rows are padded to four bytes.
    const std::size_t stride = (static_cast<std::size_t>(glyph.width) + 3) / 4 * 4;
    if (stride * static_cast<std::size_t>(glyph.height) > levels.size()) {
        glyph.width = 0;
        glyph.height = 0;
        return glyph;
    }
    glyph.coverage.resize(static_cast<std::size_t>(glyph.width) * glyph.height);
    for (int row = 0; row < glyph.height; ++row) {
        for (int column = 0; column < glyph.width; ++column) {
            const unsigned level = levels[static_cast<std::size_t>(row) * stride + column];
            glyph.coverage[static_cast<std::size_t>(row) * glyph.width + column] =
                static_cast<std::uint8_t>(std::min(level, kGreyLevels) * 255 / kGreyLevels);
        }
    }
    return glyph;
}

FontMetrics FontRaster::Metrics(FontFace face) const {
    TEXTMETRICW metrics{};
    if (!state->Select(face) || GetTextMetricsW(state->dc, &metrics) == 0) {
        return {};
    }
    return {metrics.tmAscent, metrics.tmDescent};
}

}  // namespace host
