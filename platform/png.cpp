// png.cpp - the composed screen as an 8-bit RGB PNG file, top row first.
//
// screen_writepng(path) returns 1 on success. On any failure it returns 0
// and leaves no partial file behind.
#include "platform/screen.h"
#include <csetjmp>
#include <cstdio>
#include <png.h>
#include <vector>

namespace gl {

int screen_writepng(const char* path)
{
    if (!path || !*path) return 0;
    const int W = screen_width(), H = screen_height();
    std::vector<std::uint32_t> rgba((size_t)W * H);
    screen_compose(rgba.data());
    std::vector<unsigned char> rows((size_t)W * H * 3);
    for (size_t i = 0; i < rgba.size(); ++i) {
        rows[3 * i] = (unsigned char)(rgba[i] & 0xff);
        rows[3 * i + 1] = (unsigned char)((rgba[i] >> 8) & 0xff);
        rows[3 * i + 2] = (unsigned char)((rgba[i] >> 16) & 0xff);
    }

    std::FILE* f = std::fopen(path, "wb");
    if (!f) return 0;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    if (!png || !info || setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        std::fclose(f);
        std::remove(path);
        return 0;
    }
    png_init_io(png, f);
    png_set_IHDR(png, info, (png_uint_32)W, (png_uint_32)H, 8, PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    for (int y = 0; y < H; ++y) png_write_row(png, rows.data() + (size_t)y * W * 3);
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    if (std::fclose(f) != 0) {
        std::remove(path);
        return 0;
    }
    return 1;
}

}  // namespace gl
