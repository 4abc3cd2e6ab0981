// files.h - the system's own binary files: shell parameters (".shl"),
// textures (".ttr") and images (".bp"). Every function appends its extension
// to the caller's buffer and returns 1 on success, 0 on failure.
#pragma once

int saveshellparameter(char* name);
int loadshellparameter(char* name);

int savetexture(char* name);
int loadtexture(char* name);
int viewtexture(char* name, int x, int y);

extern int bitmapwidth;
int initsaveRGB(int width, int height, char* name);
int saveRGB(const unsigned char* red, const unsigned char* green, const unsigned char* blue);
void closesaveRGB();
int readbitmap(char* name, int x, int y);
