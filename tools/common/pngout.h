// pngout.h - writes an 8-bit RGB picture as a PNG file with libpng, one row
// at a time, top row first, so no tool needs the whole picture in memory.
//
// Use: writepng(fp, width, height, row, user); row(y, rgb, user) fills rgb
// (3 x width bytes, red, green, blue per pixel) with picture row y, 0 being
// the top. Returns 1 when libpng took every row, 0 otherwise (the caller
// then discards the file). Width and height from 1 up to 2^31 - 1.
#pragma once
#include <cstdio>

typedef void (*PngRow)(int y, unsigned char* rgb, void* user);

int writepng(std::FILE* fp, int width, int height, PngRow row, void* user);
