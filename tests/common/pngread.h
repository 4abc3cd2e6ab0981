// pngread.h - reads a PNG file back as 8-bit RGB, top row first, with
// libpng's simplified interface: what the tests use to look at screenshots
// and at the pictures the tools write.
#pragma once
#include <png.h>

#include <string>
#include <vector>

inline bool readrgbpng(const std::string& path, int* width, int* height, std::vector<unsigned char>* rgb)
{
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&image, path.c_str())) return false;
    image.format = PNG_FORMAT_RGB;
    *width = (int)image.width;
    *height = (int)image.height;
    rgb->assign(PNG_IMAGE_SIZE(image), 0);
    bool ok = png_image_finish_read(&image, nullptr, rgb->data(), 0, nullptr) != 0;
    png_image_free(&image);
    return ok;
}
