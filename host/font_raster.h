// The glyphs of the host's dialog fonts, rasterised by the system's text engine: FreeType on
// Linux, GDI on Windows, from the same font files.
#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <vector>

namespace host {

enum class FontFace { Regular, Bold, Fallback };

struct FontMetrics {
    int ascent = 0;   // pixels above the baseline
    int descent = 0;  // pixels below it
};

// One glyph's coverage, 0 to 255, rows top-down; left and top place its first pixel relative to
// the pen position on the baseline (top counts upwards).
struct Glyph {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    int advance = 0;
    std::vector<std::uint8_t> coverage;
};

class FontRaster {
public:
    // The faces from the folder's font files (kRegularFontFile and its kin), at the given
    // pixel size of the em. A face whose file cannot be read has no glyphs.
    FontRaster(const std::filesystem::path& fontFolder, int pixelSize);
    FontRaster(const FontRaster&) = delete;
    FontRaster& operator=(const FontRaster&) = delete;
    ~FontRaster();

    bool HasGlyph(FontFace face, char32_t codePoint) const;
    // The glyph of the code point, or the face's sign for a missing one.
    Glyph Rasterise(FontFace face, char32_t codePoint) const;
    FontMetrics Metrics(FontFace face) const;

private:
    struct State;
    std::unique_ptr<State> state;
};

inline constexpr const char* kRegularFontFile = "DejaVuSans.ttf";
inline constexpr const char* kBoldFontFile = "DejaVuSans-Bold.ttf";
// Japanese and other scripts the dialog fonts lack.
inline constexpr const char* kFallbackFontFile = "VL-PGothic-Regular.ttf";

}  // namespace host
