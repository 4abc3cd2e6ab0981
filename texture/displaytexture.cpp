// displaytexture.cpp - delivery of one row of a model run: normalised by the
// row's own minimum and maximum, either into the texture map or as a pixel
// row of the current window (the preview), in the colour of each intensity
// between the background and the pattern colour.
//
// Rows whose values differ by less than 1e-13 are flat and come out as 0.
// Values that are not finite (runaway models) take no part in the extremes
// and show as intensity 0; colours from a file outside 0..1 are clamped
// into a byte.
#include "texture/texture.h"

#include <cmath>

#include "app/model.h"
#include "platform/gl.h"

unsigned char *Col_R, *Col_G, *Col_B;

// trunc(x), clamped into 0..255; NaN gives 0.
static unsigned char tobyte(double x)
{
    if (!(x > 0.0))
        return 0;
    if (x >= 255.0)
        return 255;
    return (unsigned char)(int)x;
}

void Displaytexture(int row, int n, const double* values, unsigned char tomap)
{
    if (n <= 0)
        return;

    int j = 0;
    while (j < n && !std::isfinite(values[j]))
        j++;
    double min = 0.0, max = 0.0;
    if (j < n) {
        min = max = values[j];
        for (; j < n; j++) {
            double x = values[j];
            if (!std::isfinite(x))
                continue;
            if (max < x)
                max = x;
            else if (x < min)
                min = x;
        }
    }
    double d = max - min;
    double scale = (-1e-13 < d && d < 1e-13) ? 0.0 : 1.0 / d;
    // d overflows only when the finite extremes lie beyond half the double
    // range apart: such a row is shown flat too (inf x 0 would give NaN).
    bool flat = scale == 0.0 || !std::isfinite(d);

    if (tomap) {
        double* out = texturemap[row];
        for (j = 0; j < n; j++)
            out[j] = flat || !std::isfinite(values[j]) ? 0.0 : (values[j] - min) * scale;
        return;
    }

    for (j = 0; j < n; j++) {
        double v = flat || !std::isfinite(values[j]) ? 0.0 : (values[j] - min) * scale;
        Col_R[j] = tobyte((v * Ambdiff_r + background_r) * 255.0);
        Col_G[j] = tobyte((v * Ambdiff_g + background_g) * 255.0);
        Col_B[j] = tobyte((v * Ambdiff_b + background_b) * 255.0);
    }
    gl::cmov2i(1, row + 1);
    gl::writeRGB((short)n, Col_R, Col_G, Col_B);
}
