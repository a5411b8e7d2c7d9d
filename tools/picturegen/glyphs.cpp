#include "glyphs.h"

#include <ft2build.h>
#include FT_FREETYPE_H

#include <cmath>
#include <stdexcept>
#include <string>

namespace picturegen {
namespace {

// The code points of a UTF-8 text; a malformed sequence is a fault in the source.
std::u32string CodePoints(const std::string& utf8) {
    std::u32string points;
    for (std::size_t at = 0; at < utf8.size();) {
        const auto lead = static_cast<unsigned char>(utf8[at]);
        const int length = lead < 0x80       ? 1
                           : lead >> 5 == 6  ? 2
                           : lead >> 4 == 14 ? 3
                           : lead >> 3 == 30 ? 4
                                             : 0;
        if (length == 0 || at + static_cast<std::size_t>(length) > utf8.size()) {
            throw std::runtime_error("the text \"" + utf8 + "\" is not UTF-8");
        }
        char32_t point = length == 1 ? lead : lead & (0x3F >> (length - 1));
        for (int i = 1; i < length; ++i) {
            const auto next = static_cast<unsigned char>(utf8[at + static_cast<std::size_t>(i)]);
            if (next >> 6 != 2) {
                throw std::runtime_error("the text \"" + utf8 + "\" is not UTF-8");
            }
            point = point << 6 | (next & 0x3F);
        }
        points.push_back(point);
        at += static_cast<std::size_t>(length);
    }
    return points;
}

}  // namespace

struct Typesetter::Faces {
    FT_Library library = nullptr;
    FT_Face regular = nullptr;
    FT_Face bold = nullptr;

    ~Faces() {
        if (bold != nullptr) {
            FT_Done_Face(bold);
        }
        if (regular != nullptr) {
            FT_Done_Face(regular);
        }
        if (library != nullptr) {
            FT_Done_FreeType(library);
        }
    }

    FT_Face Open(const std::filesystem::path& path) const {
        FT_Face face = nullptr;
        if (FT_New_Face(library, path.string().c_str(), 0, &face) != 0) {
            throw std::runtime_error(path.string() + ": not a font FreeType can read");
        }
        return face;
    }
};

Typesetter::Typesetter(const std::filesystem::path& regularFont,
                       const std::filesystem::path& boldFont)
    : faces_(std::make_unique<Faces>()) {
    if (FT_Init_FreeType(&faces_->library) != 0) {
        throw std::runtime_error("FreeType cannot start");
    }
    faces_->regular = faces_->Open(regularFont);
    faces_->bold = faces_->Open(boldFont);
}

Typesetter::~Typesetter() = default;

void Typesetter::Draw(const Text& text, Canvas& canvas) {
    FT_Face face = text.bold ? faces_->bold : faces_->regular;
    FT_Set_Char_Size(face, 0, static_cast<FT_F26Dot6>(std::lround(text.size * 64)), 72, 72);
    double penX = text.origin.x;
    FT_UInt previous = 0;
    for (const char32_t point : CodePoints(text.utf8)) {
        const FT_UInt glyph = FT_Get_Char_Index(face, point);
        if (glyph == 0) {
            throw std::runtime_error("the font has no glyph for a character of \"" + text.utf8 +
                                     "\"");
        }
        if (previous != 0 && FT_HAS_KERNING(face)) {
            FT_Vector kerning{};
            FT_Get_Kerning(face, previous, glyph, FT_KERNING_DEFAULT, &kerning);
            penX += static_cast<double>(kerning.x) / 64;
        }
        if (FT_Load_Glyph(face, glyph, FT_LOAD_DEFAULT) != 0 ||
            FT_Render_Glyph(face->glyph, FT_RENDER_MODE_NORMAL) != 0) {
            throw std::runtime_error("FreeType cannot draw a glyph of \"" + text.utf8 + "\"");
        }
        const FT_GlyphSlot slot = face->glyph;
        const int left = static_cast<int>(std::lround(penX)) + slot->bitmap_left;
        const int top = static_cast<int>(std::lround(text.origin.y)) - slot->bitmap_top;
        for (unsigned row = 0; row < slot->bitmap.rows; ++row) {
            for (unsigned column = 0; column < slot->bitmap.width; ++column) {
                const unsigned char level =
                    slot->bitmap.buffer[static_cast<int>(row) * slot->bitmap.pitch +
                                        static_cast<int>(column)];
                canvas.Blend(left + static_cast<int>(column), top + static_cast<int>(row),
                             text.colour, level / 255.0);
            }
        }
        penX += static_cast<double>(slot->advance.x) / 64;
        previous = glyph;
    }
}

}  // namespace picturegen
