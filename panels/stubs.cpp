// Placeholder bodies so that the program links while this subsystem is built.
#include "panels/panels.h"
#include <cstdlib>

void drawbar(std::int32_t x, std::int32_t y, std::int32_t w, std::int32_t h) {}
void redrawbar(ParameterBar* table, int count) {}
void barMove(ParameterBar* bar, std::int32_t mx, std::int32_t my, std::int32_t ox, std::int32_t oy) {}
void drawRGBbar(RGBBar* bar) {}
void drawrgbbox(RGBBar* bar) {}
void RGBbarMove(RGBBar* bar, std::int32_t mx, std::int32_t my, std::int32_t ox, std::int32_t oy) {}
void InitParambar() {}
void attributebox() {}
void redrawattributebar() {}
void colorwindow() {}
void redrawcolorbar() {}
void redrawtexturebar() {}
void redrawtexturebar2() {}
void redrawtexturebar3() {}
