#include "render/PngWriter.h"

#include "io/FileText.h"

#include <png.h>
#include <zlib.h>

#include <csetjmp>
#include <cstring>
#include <new>
#include <string>
#include <vector>

namespace {

// libpng's own handlers print; ours only leave the encoding.
void stopEncoding(png_structp png, png_const_charp) {
    png_longjmp(png, 1);
}

void ignoreWarning(png_structp, png_const_charp) {}

void appendBytes(png_structp png, png_bytep data, png_size_t length) {
    auto* bytes = static_cast<std::string*>(png_get_io_ptr(png));
    bool grown = true;
    try {
        bytes->append(reinterpret_cast<const char*>(data), length);
    } catch (const std::bad_alloc&) {
        grown = false;
    }
    if (!grown) {
        png_error(png, "out of memory");
    }
}

void flushNothing(png_structp) {}

// The rows are copied into a buffer the caller owns, so that nothing this
// function made needs undoing when libpng jumps back to its setjmp.
bool encode(png_structp png, png_infop info, const FrameImage& image, bool withAlpha,
            std::vector<png_byte>& row, std::string& bytes) {
    if (setjmp(png_jmpbuf(png))) {
        return false;
    }
    const std::size_t channels = withAlpha ? 4 : 3;
    png_set_write_fn(png, &bytes, &appendBytes, &flushNothing);
    // Mostly black rows: runs of equal bytes, which the run-length strategy
    // finds at a fraction of the cost of the general search.
    png_set_compression_level(png, 1);
    png_set_compression_strategy(png, Z_RLE);
    png_set_filter(png, PNG_FILTER_TYPE_BASE, PNG_FILTER_SUB);
    png_set_IHDR(png, info, static_cast<png_uint_32>(image.width),
                 static_cast<png_uint_32>(image.height), 8,
                 withAlpha ? PNG_COLOR_TYPE_RGB_ALPHA : PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    for (int y = 0; y < image.height; ++y) {
        const uint8_t* source = image.pixel(0, y);
        for (int x = 0; x < image.width; ++x) {
            std::memcpy(&row[static_cast<std::size_t>(x) * channels],
                        source + static_cast<std::size_t>(x) * 4, channels);
        }
        png_write_row(png, row.data());
    }
    png_write_end(png, nullptr);
    return true;
}

} // namespace

Status writePng(const FrameImage& image, const std::string& path, bool withAlpha) {
    png_structp png =
        png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, &stopEncoding, &ignoreWarning);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    if (info == nullptr) {
        png_destroy_write_struct(&png, nullptr);
        return Error{"cannot start the PNG writer", path};
    }
    std::vector<png_byte> row(static_cast<std::size_t>(image.width) * (withAlpha ? 4 : 3));
    std::string bytes;
    const bool encoded = encode(png, info, image, withAlpha, row, bytes);
    png_destroy_write_struct(&png, &info);
    if (!encoded) {
        return Error{"writing the PNG failed", path};
    }
    return writeFileText(path, bytes);
}
