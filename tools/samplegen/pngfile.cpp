// pngfile.cpp - writes an 8-bit RGB picture as a PNG file with libpng.
#include "tools/samplegen/pngfile.h"

#include <png.h>

#include <csetjmp>
#include <cstdio>

int writepng(const char* path, int width, int height, const unsigned char* rgb)
{
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
    png_set_IHDR(png, info, (png_uint_32)width, (png_uint_32)height, 8, PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    for (int y = 0; y < height; y++) png_write_row(png, (png_const_bytep)(rgb + (size_t)y * width * 3));
    png_write_end(png, info);
    png_destroy_write_struct(&png, &info);
    return std::fclose(f) == 0 ? 1 : (std::remove(path), 0);
}
