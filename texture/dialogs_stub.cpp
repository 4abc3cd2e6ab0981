// Placeholder bodies for the texture dialogs and the preview, so that the
// program links until they are built.
#include "texture/texture.h"

void pigmentation() {}
void pigmentation2() {}
void pigmentation3() {}
void previewtexture() {}
