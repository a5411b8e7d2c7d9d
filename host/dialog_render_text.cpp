#include "host/dialog_render_text.h"

#include <algorithm>

namespace host {

namespace {

constexpr char32_t kReplacement = 0xFFFD;

// Scripts written without spaces, where a line may break between any two characters.
bool IsIdeographic(char32_t point) {
    return (point >= 0x2E80 && point <= 0x9FFF) || (point >= 0xF900 && point <= 0xFAFF) ||
           (point >= 0xFF00 && point <= 0xFFEF);
}

std::u32string TrimmedRight(std::u32string_view text) {
    while (!text.empty() && text.back() == U' ') {
        text.remove_suffix(1);
    }
    return std::u32string(text);
}

}  // namespace

std::u32string CodePointsOf(const std::string& utf8) {
    std::u32string points;
    for (std::size_t at = 0; at < utf8.size();) {
        const auto lead = static_cast<unsigned char>(utf8[at]);
        const std::size_t length = lead < 0x80       ? 1
                                   : lead >> 5 == 6  ? 2
                                   : lead >> 4 == 14 ? 3
                                   : lead >> 3 == 30 ? 4
                                                     : 0;
        bool valid = length != 0 && at + length <= utf8.size();
        char32_t point = length == 1 ? lead : lead & (0x3F >> length);
        for (std::size_t i = 1; valid && i < length; ++i) {
            const auto next = static_cast<unsigned char>(utf8[at + i]);
            valid = next >> 6 == 2;
            point = point << 6 | (next & 0x3F);
        }
        points.push_back(valid ? point : kReplacement);
        at += valid ? length : 1;
    }
    return points;
}

TextPainter::TextPainter(const FontRaster& raster)
    : raster_(raster),
      ascent_(raster.Metrics(FontFace::Regular).ascent),
      descent_(raster.Metrics(FontFace::Regular).descent) {}

const Glyph& TextPainter::GlyphOf(char32_t codePoint, TextStyle style) {
    const auto key = std::make_pair(codePoint, style);
    if (const auto known = glyphs_.find(key); known != glyphs_.end()) {
        return known->second;
    }
    // Tabs and other controls take the room of a space; a line break never reaches here.
    const char32_t shown = codePoint < 0x20 ? U' ' : codePoint;
    FontFace face = style == TextStyle::Emphasised ? FontFace::Bold : FontFace::Regular;
    if (!raster_.HasGlyph(face, shown) && raster_.HasGlyph(FontFace::Fallback, shown)) {
        face = FontFace::Fallback;
    }
    return glyphs_.emplace(key, raster_.Rasterise(face, shown)).first->second;
}

int TextPainter::Width(std::u32string_view text, TextStyle style) {
    int width = 0;
    for (const char32_t point : text) {
        width += GlyphOf(point, style).advance;
    }
    return width;
}

std::vector<std::u32string> TextPainter::Wrap(std::u32string_view text, int width,
                                              TextStyle style) {
    std::vector<std::u32string> lines;
    std::size_t start = 0;
    while (start <= text.size()) {
        std::size_t end = text.find(U'\n', start);
        if (end == std::u32string_view::npos) {
            end = text.size();
        }
        std::u32string_view paragraph = text.substr(start, end - start);
        if (!paragraph.empty() && paragraph.back() == U'\r') {
            paragraph.remove_suffix(1);
        }
        WrapParagraph(paragraph, width, style, lines);
        start = end + 1;
    }
    return lines;
}

void TextPainter::WrapParagraph(std::u32string_view text, int width, TextStyle style,
                                std::vector<std::u32string>& lines) {
    std::size_t lineStart = 0;
    std::size_t breakAt = 0;  // where the line may end; lineStart when nowhere yet
    int lineWidth = 0;        // of text[lineStart, i)
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char32_t point = text[i];
        const bool blank = point == U' ';
        if (i > lineStart && (blank || IsIdeographic(point) || IsIdeographic(text[i - 1]))) {
            breakAt = i;
        }
        const int advance = GlyphOf(point, style).advance;
        if (!blank && i > lineStart && lineWidth + advance > width) {
            const std::size_t cut = breakAt > lineStart ? breakAt : i;
            lines.push_back(TrimmedRight(text.substr(lineStart, cut - lineStart)));
            lineStart = cut;
            while (lineStart < i && text[lineStart] == U' ') {
                ++lineStart;
            }
            breakAt = lineStart;
            lineWidth = Width(text.substr(lineStart, i - lineStart), style);
        }
        lineWidth += advance;
    }
    lines.push_back(TrimmedRight(text.substr(lineStart)));
}

void TextPainter::DrawLine(Canvas& canvas, std::u32string_view line, int x, int top,
                           std::uint32_t colour, TextStyle style) {
    const int baseline = top + ascent_;
    int pen = x;
    for (const char32_t point : line) {
        const Glyph& glyph = GlyphOf(point, style);
        const int left = pen + glyph.left;
        const int glyphTop = baseline - glyph.top;
        for (int row = 0; row < glyph.height; ++row) {
            for (int column = 0; column < glyph.width; ++column) {
                canvas.Blend(left + column, glyphTop + row, colour,
                             glyph.coverage[static_cast<std::size_t>(row) * glyph.width + column]);
            }
        }
        pen += glyph.advance;
    }
}

}  // namespace host
