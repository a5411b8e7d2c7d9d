// velmora-picturegen REGULAR.ttf BOLD.ttf OUTPUT-FOLDER SOURCE.pic...
//
// Draws each picture source into OUTPUT-FOLDER/<name>.bmp, a 256-colour bitmap file image that
// the resource compiler embeds as an icon or bitmap resource.
#include <cstdio>
#include <exception>
#include <filesystem>
#include <fstream>
#include <string>
#include <variant>

#include "bitmap_file.h"
#include "canvas.h"
#include "glyphs.h"
#include "picture_source.h"

namespace {

using namespace picturegen;

std::string Draw(const Picture& picture, Typesetter& typesetter) {
    Canvas canvas(picture.width, picture.height, picture.background);
    for (const Shape& shape : picture.shapes) {
        if (const auto* text = std::get_if<Text>(&shape)) {
            typesetter.Draw(*text, canvas);
        } else if (const auto* polygon = std::get_if<Polygon>(&shape)) {
            canvas.Fill(*polygon);
        } else {
            canvas.Fill(std::get<Circle>(shape));
        }
    }
    return EightBitBitmapFile(canvas, picture.namedColours);
}

void Write(const std::filesystem::path& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << bytes;
    if (!out.flush()) {
        throw std::runtime_error(path.string() + ": cannot be written");
    }
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 5) {
        std::fputs("usage: velmora-picturegen REGULAR.ttf BOLD.ttf OUTPUT-FOLDER SOURCE.pic...\n",
                   stderr);
        return 2;
    }
    try {
        Typesetter typesetter(argv[1], argv[2]);
        const std::filesystem::path folder = argv[3];
        std::filesystem::create_directories(folder);
        for (int i = 4; i < argc; ++i) {
            const std::filesystem::path source = argv[i];
            const std::string bytes = Draw(ReadPictureSource(source), typesetter);
            Write(folder / source.filename().replace_extension(".bmp"), bytes);
        }
    } catch (const std::exception& error) {
        std::fprintf(stderr, "velmora-picturegen: %s\n", error.what());
        return 1;
    }
    return 0;
}
