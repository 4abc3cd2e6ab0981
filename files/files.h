// files.h - the system's own binary files: shell parameters (".shl"),
// textures (".ttr") and images (".bp"). Every function appends its extension
// to the caller's buffer (which must have room for it), returns 0 at once for
// an empty name, and returns 1 on success, 0 on failure (the viewers return
// their window's identifier instead of 1). Failures are shown in the message
// box. A save never destroys the file that was there unless it completes.
#pragma once

int saveshellparameter(char* name);
int loadshellparameter(char* name);

int savetexture(char* name);
int loadtexture(char* name);
int viewtexture(char* name, int x, int y);
// The picture byte of one channel for intensity t (0..1) between the
// background and pattern values of that channel, truncated.
unsigned char texturebyte(double background, double pattern, double t);

// Dimensions of the image written or read last.
extern short bitmapwidth, bitmapheight;
int initsaveRGB(int width, int height, char* name);
int saveRGB(const unsigned char* red, const unsigned char* green, const unsigned char* blue);
void closesaveRGB();
int readbitmap(char* name, int x, int y);
