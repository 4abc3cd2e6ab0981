// panels.h - the parameter bar widgets (slider and colour slider), the ten
// bar tables that bind them to the model, and the attribute and colour
// dialogs.
#pragma once
#include <cstdint>

struct ParameterBar {
    std::int32_t x, y;
    std::int32_t knobmin, knobmax;
    double* variable;
    std::int32_t knobx, knoby;
    double range;
    double minvalue;
    char label[40];
};

struct RGBBar {
    std::int32_t x, y;
    std::int32_t knobmin, knobmax;
    double *red, *green, *blue;
    std::int32_t redknobx, redknoby;
    std::int32_t greenknobx, greenknoby;
    std::int32_t blueknobx, blueknoby;
    char label[44];
};

extern ParameterBar parameterbar[11];
extern ParameterBar texturebar[12];
extern ParameterBar texturebar2[13];
extern ParameterBar texturebar3[10];
extern ParameterBar attributebar[2];
extern RGBBar patterncolorbar[1];
extern RGBBar Backcolorbar[1];
extern RGBBar light1colorbar[1];
extern RGBBar light2colorbar[1];
extern RGBBar specularcolorbar[1];

// Widgets.
void drawbar(std::int32_t x, std::int32_t y, std::int32_t w, std::int32_t h);
void redrawbar(ParameterBar* table, int count);
void barMove(ParameterBar* bar, std::int32_t mx, std::int32_t my, std::int32_t ox, std::int32_t oy);
void drawRGBbar(RGBBar* bar);
void drawrgbbox(RGBBar* bar);
void RGBbarMove(RGBBar* bar, std::int32_t mx, std::int32_t my, std::int32_t ox, std::int32_t oy);

// Tables.
void InitParambar();

// Dialogs.
void attributebox();
void redrawattributebar();
void colorwindow();
void redrawcolorbar();
void redrawtexturebar();
void redrawtexturebar2();
void redrawtexturebar3();

// The dialogs redraw the shell through this pointer (seashellredraw); tests
// put a counter in its place.
extern void (*dialogshellredraw)();
