// Placeholder globals so that the program links while this subsystem is built.
#include "texture/texture.h"
double** texturemap;
int texturemapwidth, texturemapheight;
double Ambdiff_r, Ambdiff_g, Ambdiff_b, savebackground_r, savebackground_g, savebackground_b;
int maxrandom = 2147483647;
