#include "platform/image_decoding.h"

// clang-format off
#include <csetjmp>
#include <cstdio>
#include <jpeglib.h>
#include <png.h>
// clang-format on

#include <cstring>

namespace platform {

namespace {

bool IsPng(const std::uint8_t* data, std::size_t size) {
    return size >= 8 && png_sig_cmp(data, 0, 8) == 0;
}

bool IsJpeg(const std::uint8_t* data, std::size_t size) {
    return size >= 3 && data[0] == 0xFF && data[1] == 0xD8 && data[2] == 0xFF;
}

// A libjpeg error jumps back to the decoding call instead of ending the process.
struct JpegError {
    jpeg_error_mgr manager;
    std::jmp_buf jump;
};

void OnJpegError(j_common_ptr info) {
    std::longjmp(reinterpret_cast<JpegError*>(info->err)->jump, 1);
}

void OnJpegMessage(j_common_ptr /*info*/) {}

// A warning (level -1) means damaged data, a cut file among them, which libjpeg would fill in
// and decode in full: such an image is refused. Trace messages (levels 0 and up) are dropped.
void OnJpegWarning(j_common_ptr info, int level) {
    if (level < 0) {
        OnJpegError(info);
    }
}

// A progressive image may have any number of scans, each a pass over the whole image; a real one
// has about ten.
constexpr int kMaxJpegScans = 100;

void OnJpegProgress(j_common_ptr info) {
    if (reinterpret_cast<j_decompress_ptr>(info)->input_scan_number > kMaxJpegScans) {
        OnJpegError(info);
    }
}

// libjpeg's own work memory (a progressive image keeps all its coefficients), beyond the pixels:
// enough for an image at the pixel cap in three full-size components.
constexpr long kMaxJpegWorkMemory = 128L << 20;

bool DecodeJpeg(const std::uint8_t* data, std::size_t size, DecodedImage* image, int& width,
                int& height) {
    jpeg_decompress_struct info{};
    JpegError error{};
    info.err = jpeg_std_error(&error.manager);
    error.manager.error_exit = OnJpegError;
    error.manager.output_message = OnJpegMessage;
    error.manager.emit_message = OnJpegWarning;
    jpeg_progress_mgr progress{};
    progress.progress_monitor = OnJpegProgress;
    if (setjmp(error.jump) != 0) {
        jpeg_destroy_decompress(&info);
        return false;
    }
    jpeg_create_decompress(&info);
    info.mem->max_memory_to_use = kMaxJpegWorkMemory;
    info.progress = &progress;
    jpeg_mem_src(&info, data, static_cast<unsigned long>(size));
    if (jpeg_read_header(&info, TRUE) != JPEG_HEADER_OK ||
        !IsDecodableSize(info.image_width, info.image_height)) {
        jpeg_destroy_decompress(&info);
        return false;
    }
    width = static_cast<int>(info.image_width);
    height = static_cast<int>(info.image_height);
    if (image == nullptr) {
        jpeg_destroy_decompress(&info);
        return true;
    }
    info.out_color_space = JCS_RGB;
    jpeg_start_decompress(&info);
    image->width = width;
    image->height = height;
    image->rgb.assign(static_cast<std::size_t>(width) * height * 3, 0);
    while (info.output_scanline < info.output_height) {
        JSAMPROW row =
            image->rgb.data() + static_cast<std::size_t>(info.output_scanline) * width * 3;
        jpeg_read_scanlines(&info, &row, 1);
    }
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    return true;
}

struct PngSource {
    const std::uint8_t* data;
    std::size_t size;
    std::size_t position;
};

void ReadPngBytes(png_structp png, png_bytep target, png_size_t count) {
    auto* source = static_cast<PngSource*>(png_get_io_ptr(png));
    if (count > source->size - source->position) {
        png_error(png, "truncated");
    }
    std::memcpy(target, source->data + source->position, count);
    source->position += count;
}

void OnPngWarning(png_structp /*png*/, png_const_charp /*message*/) {}

bool DecodePng(const std::uint8_t* data, std::size_t size, DecodedImage* image, int& width,
               int& height) {
    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, OnPngWarning);
    if (png == nullptr) {
        return false;
    }
    png_infop info = png_create_info_struct(png);
    PngSource source{data, size, 0};
    // Made before the jump point: an error jumps over destructors.
    std::vector<png_bytep> rows;
    if (info == nullptr || setjmp(png_jmpbuf(png)) != 0) {
        png_destroy_read_struct(&png, &info, nullptr);
        return false;
    }
    png_set_read_fn(png, &source, ReadPngBytes);
    png_set_user_limits(png, kMaxDecodedSide, kMaxDecodedSide);
    png_read_info(png, info);
    if (!IsDecodableSize(png_get_image_width(png, info), png_get_image_height(png, info))) {
        png_destroy_read_struct(&png, &info, nullptr);
        return false;
    }
    width = static_cast<int>(png_get_image_width(png, info));
    height = static_cast<int>(png_get_image_height(png, info));
    if (image != nullptr) {
        png_set_expand(png);
        png_set_strip_16(png);
        png_set_strip_alpha(png);
        png_set_gray_to_rgb(png);
        png_set_interlace_handling(png);
        png_read_update_info(png, info);
        if (png_get_rowbytes(png, info) != static_cast<std::size_t>(width) * 3) {
            png_destroy_read_struct(&png, &info, nullptr);
            return false;
        }
        image->width = width;
        image->height = height;
        image->rgb.assign(static_cast<std::size_t>(width) * height * 3, 0);
        rows.resize(static_cast<std::size_t>(height));
        for (int y = 0; y < height; ++y) {
            rows[static_cast<std::size_t>(y)] =
                image->rgb.data() + static_cast<std::size_t>(y) * width * 3;
        }
        png_read_image(png, rows.data());
        png_read_end(png, nullptr);
    }
    png_destroy_read_struct(&png, &info, nullptr);
    return true;
}

}  // namespace

bool DecodeImage(const std::uint8_t* data, std::size_t size, DecodedImage& image) {
    int width = 0;
    int height = 0;
    image = {};
    bool decoded = false;
    if (IsJpeg(data, size)) {
        decoded = DecodeJpeg(data, size, &image, width, height);
    } else if (IsPng(data, size)) {
        decoded = DecodePng(data, size, &image, width, height);
    }
    if (!decoded) {
        image = {};
    }
    return decoded;
}

bool ReadImageSize(const std::uint8_t* data, std::size_t size, int& width, int& height) {
    if (IsJpeg(data, size)) {
        return DecodeJpeg(data, size, nullptr, width, height);
    }
    if (IsPng(data, size)) {
        return DecodePng(data, size, nullptr, width, height);
    }
    return false;
}

}  // namespace platform
