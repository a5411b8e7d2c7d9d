#include "jpeg_file.h"

#include <jpeglib.h>
#include <cstdio>

#include <cstdlib>
#include <memory>
#include <stdexcept>
#include <vector>

namespace picturegen {
namespace {

constexpr int kQuality = 90;

// libjpeg allocates the output itself; the deleter gives it back.
struct FreeOutput {
    void operator()(unsigned char* bytes) const { std::free(bytes); }
};

}  // namespace

std::string JpegFile(const Canvas& canvas) {
    jpeg_compress_struct compressor{};
    jpeg_error_mgr errors{};
    compressor.err = jpeg_std_error(&errors);
    jpeg_create_compress(&compressor);
    unsigned char* output = nullptr;
    unsigned long outputSize = 0;
    jpeg_mem_dest(&compressor, &output, &outputSize);
    compressor.image_width = static_cast<JDIMENSION>(canvas.Width());
    compressor.image_height = static_cast<JDIMENSION>(canvas.Height());
    compressor.input_components = 3;
    compressor.in_color_space = JCS_RGB;
    jpeg_set_defaults(&compressor);
    jpeg_set_quality(&compressor, kQuality, TRUE);
    jpeg_start_compress(&compressor, TRUE);
    std::vector<JSAMPLE> row(static_cast<std::size_t>(canvas.Width()) * 3);
    for (int y = 0; y < canvas.Height(); ++y) {
        for (int x = 0; x < canvas.Width(); ++x) {
            const Colour colour = canvas.At(x, y);
            row[static_cast<std::size_t>(x) * 3] = colour.red;
            row[static_cast<std::size_t>(x) * 3 + 1] = colour.green;
            row[static_cast<std::size_t>(x) * 3 + 2] = colour.blue;
        }
        JSAMPROW rows[] = {row.data()};
        jpeg_write_scanlines(&compressor, rows, 1);
    }
    jpeg_finish_compress(&compressor);
    jpeg_destroy_compress(&compressor);
    const std::unique_ptr<unsigned char, FreeOutput> owned(output);
    if (outputSize == 0) {
        throw std::runtime_error("libjpeg wrote nothing");
    }
    return std::string(reinterpret_cast<const char*>(output), outputSize);
}

}  // namespace picturegen
