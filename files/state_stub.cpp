#include "files/files.h"
int bitmapwidth;
