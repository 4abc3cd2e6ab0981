// pngout.cpp - the PNG writer of the command-line tools (see pngout.h).
#include "tools/common/pngout.h"

#include <png.h>

#include <csetjmp>
#include <cstdlib>

namespace {

// libpng reports fatal errors by longjmp; warnings are not ours to print.
void quietwarning(png_structp, png_const_charp) {}

}  // namespace

int writepng(std::FILE* fp, int width, int height, PngRow row, void* user)
{
    if (!fp || width < 1 || height < 1) return 0;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, quietwarning);
    if (!png) return 0;
    png_infop info = png_create_info_struct(png);
    unsigned char* volatile buffer = nullptr;
    if (!info || setjmp(png_jmpbuf(png))) {
        std::free(buffer);
        png_destroy_write_struct(&png, info ? &info : nullptr);
        return 0;
    }
    // Texture maps may be taller than libpng's default limit of a million.
    png_set_user_limits(png, 0x7fffffff, 0x7fffffff);
    png_init_io(png, fp);
    png_set_IHDR(png, info, (png_uint_32)width, (png_uint_32)height, 8, PNG_COLOR_TYPE_RGB,
                 PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    buffer = (unsigned char*)std::malloc((std::size_t)width * 3);
    if (!buffer) png_error(png, "out of memory");
    for (int y = 0; y < height; ++y) {
        row(y, buffer, user);
        png_write_row(png, buffer);
    }
    png_write_end(png, nullptr);
    std::free(buffer);
    png_destroy_write_struct(&png, &info);
    return 1;
}
