// Texts in the dialog fonts: measured, wrapped into an item's width and drawn glyph by glyph.
// A character the dialog font lacks is taken from the fallback font.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "host/dialog_render_canvas.h"
#include "host/font_raster.h"

namespace host {

enum class TextStyle { Plain, Emphasised };

// The code points of a UTF-8 text; a malformed byte stands for itself as U+FFFD.
std::u32string CodePointsOf(const std::string& utf8);

class TextPainter {
public:
    explicit TextPainter(const FontRaster& raster);

    int LineHeight() const { return ascent_ + descent_; }
    int Width(std::u32string_view text, TextStyle style);
    // The lines of the text within `width` pixels: broken at line breaks, then between words,
    // then between ideographs, and inside a word only when the word alone is too wide.
    std::vector<std::u32string> Wrap(std::u32string_view text, int width, TextStyle style);
    // One line with its top at `top`; only what lies in the canvas's clip rectangle is drawn.
    void DrawLine(Canvas& canvas, std::u32string_view line, int x, int top, std::uint32_t colour,
                  TextStyle style);

private:
    const Glyph& GlyphOf(char32_t codePoint, TextStyle style);
    void WrapParagraph(std::u32string_view text, int width, TextStyle style,
                       std::vector<std::u32string>& lines);

    const FontRaster& raster_;
    int ascent_;
    int descent_;
    std::map<std::pair<char32_t, TextStyle>, Glyph> glyphs_;
};

}  // namespace host
