#include "render/PngWriter.h"

#include <png.h>
#include <zlib.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>
#include <vector>

namespace {

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};

} // namespace

Status writePng(const FrameImage& image, const std::string& path, bool withAlpha) {
    std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path.c_str(), "wb"));
    if (!file) {
        return Error{std::strerror(errno), path};
    }
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    if (info == nullptr) {
        png_destroy_write_struct(&png, nullptr);
        return Error{"cannot start the PNG writer", path};
    }
    const std::size_t channels = withAlpha ? 4 : 3;
    std::vector<png_byte> row(static_cast<std::size_t>(image.width) * channels);
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        return Error{"writing the PNG failed", path};
    }
    png_init_io(png, file.get());
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
    png_destroy_write_struct(&png, &info);
    if (std::fflush(file.get()) != 0) {
        return Error{std::strerror(errno), path};
    }
    return {};
}
