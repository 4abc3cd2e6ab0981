// tables.cpp - the ten bar tables that bind the sliders to the model, and
// InitParambar, which (re)builds them.
//
// Usage: call InitParambar() whenever a bound variable changed other than
// through a bar (start-up, restart, a loaded file) and before the bars are
// drawn again. It first refreshes the double copies of the lighting lists
// (shininess, specular, pattern and light colours) from the lists, so a
// caller that edited one of those doubles must write it into its list first.
//
// Limits: nothing is clamped; a value outside its bar's range puts the knob
// off the track until it is dragged. Only values that would put a knob
// millions of pixels away (or NaN) are pinned, to keep the integer
// conversion defined.
#include "panels/panels.h"

#include <cmath>
#include <cstring>

#include "app/model.h"

ParameterBar parameterbar[11];
ParameterBar texturebar[12];
ParameterBar texturebar2[13];
ParameterBar texturebar3[10];
ParameterBar attributebar[2];
RGBBar patterncolorbar[1];
RGBBar Backcolorbar[1];
RGBBar light1colorbar[1];
RGBBar light2colorbar[1];
RGBBar specularcolorbar[1];

struct BarRow {
    const char* label;
    std::int32_t y;
    double* variable;
    double minvalue, range;
};

static const BarRow parameterrows[11] = {
    {"Horizontal distance", 480, &helico_r0, 0.001, 2.0},
    {"Vertical distance", 435, &helico_z0, 0.0, 2.0},
    {"Shape of helico-spiral", 390, &helico_rate, 1.0, 2.0},
    {"Length of helico-spiral", 335, &helico_endangle, 0.1, 50.0},
    {"No of segment of helico to draw", 290, &helico_stepsize, 8.0, 292.0},
    {"Size of horizontal sculpture", 200, &hortsize, 0.0, 60.0},
    {"Magitude of horizontal sculpture", 155, &hortmag, 0.0, 0.1},
    {"Size of veritical sculpture", 110, &vertsize, 0.0, 60.0},
    {"Magitude of vertical sculpture", 65, &vertmag, 0.0, 0.3},
    {"No of segment of generating curve", 20, &genstepsize, 0.5, 9.5},
    {"Scale of generating curve", 245, &shellscale, 0.0, 4.0},
};

static const BarRow texturerows[12] = {
    {"Activator diffuse rate", 880, &t_actdiffrate, 0.0, 0.2},
    {"Activator decay rate", 830, &t_adecayrate, 0.0, 0.5},
    {"Substrate diffuse rate", 780, &t_subdiffrate, 0.0, 0.2},
    {"Substrate decay rate", 730, &t_sdecayrate, 0.0, 0.05},
    {"small base of production", 680, &t_p0, 0.0, 0.5},
    {"coefficient of proportionality", 630, &t_prop, 0.0, 1.0},
    {"autocatalysis rate", 580, &t_k, 0.0, 8.0},
    {"Max substrate production rate", 530, &t_productratemax, 0.0, 0.5},
    {"Min substrate production rate", 480, &t_productratemin, 0.0, 0.5},
    {"period of substrate production rate", 430, &t_period, 0.1, 50.0},
    {"Initial values", 380, &t_initvalue, 0.0, 10.0},
    {"Increment size", 330, &t_delta, 0.01, 0.99},
};

static const BarRow texturerows2[13] = {
    {"Activator diffuse rate", 880, &i_actdiffrate, 0.0, 0.2},
    {"Activator decay rate", 830, &i_adecayrate, 0.0, 0.5},
    {"Inhibitor diffuse rate", 780, &i_subdiffrate, 0.0, 0.2},
    {"Inhibitor decay rate", 730, &i_sdecayrate, 0.0, 0.05},
    {"activator base of production", 680, &i_p0, 0.0, 0.5},
    {"activator coeff of proportion", 630, &i_prop, 0.0, 1.0},
    {"autocatalysis rate", 580, &i_k, 0.0, 8.0},
    {"inhibitor base of production", 530, &i_h0, 0.0, 0.5},
    {"hormone coeff of proportion", 480, &i_hormoneprop, 0.0, 1.0},
    {"hormone decay rate", 430, &i_hdecayrate, 0.0, 0.5},
    {"Inhibitor production rate", 930, &i_productrate, 0.0, 10.0},  // top of the dialog
    {"Initial values", 380, &i_initvalue, 0.0, 10.0},
    {"Increment size", 330, &i_delta, 0.01, 0.99},
};

// The stripe-formation rows are 60 pixels apart.
static const BarRow texturerows3[10] = {
    {"Activator diffuse rate", 880, &s_gdiffrate, 0.0, 0.5},
    {"Activator decay rate", 820, &s_gdecayrate, 0.0, 0.5},
    {"Substrate diffuse rate", 760, &s_sdiffrate, 0.0, 0.2},
    {"Substrate decay rate", 700, &s_sdecayrate, 0.0, 0.5},
    {"Activator base of production", 640, &s_p0, 0.0, 0.5},
    {"coefficient of proportionality", 580, &s_cprop, 0.0, 1.0},
    {"catalysis decay rate", 520, &s_rdecayrate, 0.0, 0.5},
    {"Substrate base of prduction rate", 460, &s_p1, 0.0, 0.5},
    {"Initial values", 400, &s_initvalue, 0.0, 10.0},
    {"Increment size", 340, &s_delta, 0.01, 0.99},
};

static const BarRow attributerows[2] = {
    {"Shinness", 770, &shinnessvalue, 0.0, 128.0},
    {"Reflection coefficient", 720, &reflectvalue, 0.0, 1.0},
};

// Truncation toward zero to a pixel coordinate, pinned far off screen (and
// NaN put at 0) so that the conversion and the knob arithmetic stay defined.
static std::int32_t truncpixel(double v)
{
    if (std::isnan(v)) return 0;
    if (v > 1000000.0) return 1000000;
    if (v < -1000000.0) return -1000000;
    return (std::int32_t)v;
}

static void copylabel(char* dst, std::size_t size, const char* src)
{
    std::strncpy(dst, src, size - 1);
    dst[size - 1] = '\0';
}

static void buildbars(ParameterBar* table, const BarRow* rows, int count, std::int32_t x)
{
    for (int i = 0; i < count; i++) {
        ParameterBar* b = &table[i];
        const BarRow* r = &rows[i];
        b->x = x;
        b->y = r->y;
        b->knobmin = x + 10;
        b->knobmax = x + 210;
        b->variable = r->variable;
        b->range = r->range;
        b->minvalue = r->minvalue;
        b->knoby = r->y + 10;
        copylabel(b->label, sizeof b->label, r->label);
        b->knobx = truncpixel(200.0 * (*r->variable - r->minvalue) / r->range + (x + 10));
    }
}

// r, g, b are the values the knobs are placed from (single-precision list
// elements widened, or the doubles themselves).
static void buildrgb(RGBBar* bar, const char* label, std::int32_t y, double* red, double* green,
                     double* blue, double r, double g, double b)
{
    const std::int32_t x = 10;
    bar->x = x;
    bar->y = y;
    bar->knobmin = x + 10;
    bar->knobmax = x + 210;
    bar->red = red;
    bar->green = green;
    bar->blue = blue;
    bar->redknoby = y + 80;
    bar->greenknoby = y + 45;
    bar->blueknoby = y + 10;
    copylabel(bar->label, sizeof bar->label, label);
    bar->redknobx = truncpixel(r * 200.0 + (x + 10));
    bar->greenknobx = truncpixel(g * 200.0 + (x + 10));
    bar->blueknobx = truncpixel(b * 200.0 + (x + 10));
}

void InitParambar()
{
    // The doubles the bars edit, refreshed from the lists the display uses.
    shinnessvalue = material[1];
    specular_r = material[7];
    specular_g = material[8];
    specular_b = material[9];
    pattern_r = material[3];
    pattern_g = material[4];
    pattern_b = material[5];
    DL[3] = light1[6];
    DL[4] = light1[7];
    DL[5] = light1[8];
    DL[9] = light2[6];
    DL[10] = light2[7];
    DL[11] = light2[8];

    buildbars(parameterbar, parameterrows, 11, 5);
    buildbars(texturebar, texturerows, 12, 10);
    buildbars(texturebar2, texturerows2, 13, 10);
    buildbars(texturebar3, texturerows3, 10, 10);
    buildbars(attributebar, attributerows, 2, 10);

    buildrgb(patterncolorbar, "Pattern color", 70, &pattern_r, &pattern_g, &pattern_b, material[3],
             material[4], material[5]);
    buildrgb(Backcolorbar, "Background color", 200, &background_r, &background_g, &background_b,
             background_r, background_g, background_b);
    buildrgb(light1colorbar, "Light 1 color", 590, &DL[3], &DL[4], &DL[5], light1[6], light1[7],
             light1[8]);
    buildrgb(light2colorbar, "Light 2 color", 460, &DL[9], &DL[10], &DL[11], light2[6], light2[7],
             light2[8]);
    buildrgb(specularcolorbar, "Specular color", 330, &specular_r, &specular_g, &specular_b,
             material[7], material[8], material[9]);
}
