// loadcheck.h - what a loaded file may bring into the model.
//
// The loaders read a whole file into a record first, ask these checks, and
// only then reset and fill the model, so a refused file leaves the model as
// it was. A value is refused when it would hang the program, crash it,
// exhaust memory or turn the shell into NaN geometry; a value that is merely
// outside its bar's range but harmless is accepted.
//
// Limits, generous enough that every shell the bars and the curve views can
// make still loads:
//   every double finite and at most 100000 in size (bar knobs and single
//     precision copies stay well inside their ranges);
//   growth steps per full turn and samples per curve unit positive;
//   growth rate positive, start radius non-zero, end angle not negative
//     (the spiral's frame would otherwise be NaN);
//   at most 1,000,000 rings, 100,000 curve samples, 100,000,000 surface
//     points (rings x samples), 1,000,000 texture-map rows, 100,000,000
//     texture-map cells and 10,000,000,000 cell updates in a model run;
//   the shell's extent below 1e30, so its single-precision points are finite;
//   each model's increment size gives 1 to 1000 time steps per texture row.
// Curve lengths are bounded by the length of the spline's control polygon,
// which the curve never exceeds.
#pragma once
#include <cstdint>

enum { SHELLNODELIMIT = 30 };  // addnode keeps no more nodes than this

// Indices into ShellRecord::growth, in file order.
enum {
    G_R0, G_Z0, G_RATE, G_ENDANGLE, G_STEPSIZE,
    G_HORTSIZE, G_HORTMAG, G_VERTSIZE, G_VERTMAG, G_GENSTEPSIZE,
};

// A shell-parameter file as read, before it touches the model.
struct ShellRecord {
    short eye[3];
    double growth[10];
    int nodecount;  // node records in the file (0 when the count is negative)
    int kept;       // the first ones, at most SHELLNODELIMIT, that addnode takes
    double nodes[SHELLNODELIMIT][3];
    std::int32_t shellmode;
    short texturetype;
    short inserttype;
    double shading[11];  // shininess, reflection, pattern r b g, background r b g, specular r b g
    double lights[12];
    double actsub[12], actinh[13], stripe[10];
    double shellscale;
};

int shellusable(const ShellRecord* r);
// colours: the six stored colour doubles; params: the model's n parameters,
// its increment size last.
int textureusable(const double colours[6], const double* params, int n);
// An increment size that gives 1 to 1000 time steps per texture row.
int incrementusable(double delta);
