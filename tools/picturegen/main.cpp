// velmora-picturegen [--jpeg] REGULAR.ttf BOLD.ttf OUTPUT-FOLDER SOURCE.pic...
//
// Draws each picture source into OUTPUT-FOLDER/<name>.bmp, a 256-colour bitmap file image that
// the resource compiler embeds as an icon or bitmap resource; with --jpeg into <name>.jpg.
#include <cstdio>
#include <exception>
#include <filesystem>
#include <fstream>
#include <string>
#include <variant>

#include "bitmap_file.h"
#include "canvas.h"
#include "glyphs.h"
#include "jpeg_file.h"
#include "picture_source.h"

namespace {

using namespace picturegen;

Canvas Draw(const Picture& picture, Typesetter& typesetter) {
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
    return canvas;
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
    const bool jpeg = argc > 1 && std::string(argv[1]) == "--jpeg";
    const int first = jpeg ? 2 : 1;
    if (argc < first + 4) {
        std::fputs(
            "usage: velmora-picturegen [--jpeg] REGULAR.ttf BOLD.ttf OUTPUT-FOLDER SOURCE.pic...\n",
            stderr);
        return 2;
    }
    try {
        Typesetter typesetter(argv[first], argv[first + 1]);
        const std::filesystem::path folder = argv[first + 2];
        std::filesystem::create_directories(folder);
        for (int i = first + 3; i < argc; ++i) {
            const std::filesystem::path source = argv[i];
            const Picture picture = ReadPictureSource(source);
            const Canvas canvas = Draw(picture, typesetter);
            const std::filesystem::path name = source.filename();
            if (jpeg) {
                Write(folder / std::filesystem::path(name).replace_extension(".jpg"),
                      JpegFile(canvas));
            } else {
                Write(folder / std::filesystem::path(name).replace_extension(".bmp"),
                      EightBitBitmapFile(canvas, picture.namedColours));
            }
        }
    } catch (const std::exception& error) {
        std::fprintf(stderr, "velmora-picturegen: %s\n", error.what());
        return 1;
    }
    return 0;
}
