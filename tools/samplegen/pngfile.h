// pngfile.h - an 8-bit RGB picture as a PNG file.
#pragma once

// rgb holds width x height pixels, three bytes each, top row first.
// Returns 1 on success; on failure no partial file is left.
int writepng(const char* path, int width, int height, const unsigned char* rgb);
