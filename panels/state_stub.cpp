// Placeholder tables so that the program links while this subsystem is built.
#include "panels/panels.h"
ParameterBar parameterbar[11], texturebar[12], texturebar2[13], texturebar3[10], attributebar[2];
RGBBar patterncolorbar[1], Backcolorbar[1], light1colorbar[1], light2colorbar[1], specularcolorbar[1];
