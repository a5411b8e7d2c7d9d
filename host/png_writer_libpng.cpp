// PNG encoding through libpng, into memory.
#include <png.h>

#include "host/png_writer.h"

namespace host {

namespace {

void Append(png_structp png, png_bytep data, png_size_t length) {
    auto* bytes = static_cast<std::vector<std::uint8_t>*>(png_get_io_ptr(png));
    bytes->insert(bytes->end(), data, data + length);
}

void Flush(png_structp /*png*/) {}

// Owns libpng's write and info records.
struct PngWrite {
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png != nullptr ? png_create_info_struct(png) : nullptr;
    PngWrite() = default;
    PngWrite(const PngWrite&) = delete;
    PngWrite& operator=(const PngWrite&) = delete;
    ~PngWrite() { png_destroy_write_struct(&png, &info); }
};

}  // namespace

std::vector<std::uint8_t> EncodePng(const Pixmap& picture) {
    if (picture.width <= 0 || picture.height <= 0 ||
        picture.pixels.size() != static_cast<std::size_t>(picture.width) * picture.height) {
        return {};
    }
    std::vector<std::uint8_t> rows(picture.pixels.size() * 4);
    for (std::size_t i = 0; i < picture.pixels.size(); ++i) {
        const std::uint32_t pixel = picture.pixels[i];
        rows[4 * i] = static_cast<std::uint8_t>(pixel >> 16);
        rows[4 * i + 1] = static_cast<std::uint8_t>(pixel >> 8);
        rows[4 * i + 2] = static_cast<std::uint8_t>(pixel);
        rows[4 * i + 3] = static_cast<std::uint8_t>(pixel >> 24);
    }
    std::vector<png_bytep> rowPointers(static_cast<std::size_t>(picture.height));
    for (std::size_t y = 0; y < rowPointers.size(); ++y) {
        rowPointers[y] = rows.data() + y * static_cast<std::size_t>(picture.width) * 4;
    }
    std::vector<std::uint8_t> bytes;
    PngWrite write;
    if (write.info == nullptr) {
        return {};
    }
    // libpng reports errors by a long jump back here; nothing with a destructor is made
    // between this point and the end of the encoding.
    if (setjmp(png_jmpbuf(write.png)) != 0) {
        return {};
    }
    png_set_write_fn(write.png, &bytes, Append, Flush);
    png_set_IHDR(write.png, write.info, static_cast<png_uint_32>(picture.width),
                 static_cast<png_uint_32>(picture.height), 8, PNG_COLOR_TYPE_RGB_ALPHA,
                 PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_set_rows(write.png, write.info, rowPointers.data());
    png_write_png(write.png, write.info, PNG_TRANSFORM_IDENTITY, nullptr);
    return bytes;
}

}  // namespace host
