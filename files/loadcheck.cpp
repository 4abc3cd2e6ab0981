// loadcheck.cpp - refusal of loaded values that the model cannot live with
// (limits in loadcheck.h).
#include "files/loadcheck.h"

#include <cmath>

namespace {

const double VALUELIMIT = 100000.0;
const double RINGLIMIT = 1e6;
const double SAMPLELIMIT = 1e5;
const double POINTLIMIT = 1e8;
const double CELLLIMIT = 1e8;
const double ROWLIMIT = 1e6;
const double WORKLIMIT = 1e10;
const double EXTENTLIMIT = 1e30;
const double STEPSPERROWLIMIT = 1000.0;
const double FULLTURN = 6.283185307179586;

// Written so that NaN fails.
int usable(double v) { return v >= -VALUELIMIT && v <= VALUELIMIT; }

int allusable(const double* v, int n)
{
    for (int k = 0; k < n; ++k)
        if (!usable(v[k])) return 0;
    return 1;
}

// Solves for the spline's control points as the curve fit does and returns
// the length of their polygon, an upper bound of the curve's length; extent
// receives the largest control-point coordinate in size, which bounds every
// curve point's coordinates.
double controlpolygon(const ShellRecord* r, double* extent)
{
    int n = r->kept;
    *extent = 0.0;
    if (n < 2) return 0.0;
    double b[SHELLNODELIMIT + 2], d[SHELLNODELIMIT + 2][3], p[SHELLNODELIMIT + 2][3];
    for (int j = 1; j <= n; ++j) {
        b[j] = 2.0 / 3.0;
        for (int c = 0; c < 3; ++c) d[j][c] = r->nodes[j - 1][c];
    }
    b[1] = 5.0 / 6.0;
    b[n] = 5.0 / 6.0;
    for (int j = 2; j <= n; ++j) {
        double f = (1.0 / 6.0) / b[j - 1];
        b[j] -= (1.0 / 6.0) * f;
        for (int c = 0; c < 3; ++c) d[j][c] -= d[j - 1][c] * f;
    }
    for (int c = 0; c < 3; ++c) p[n][c] = d[n][c] / b[n];
    for (int j = n - 1; j >= 1; --j)
        for (int c = 0; c < 3; ++c) p[j][c] = (d[j][c] - (1.0 / 6.0) * p[j + 1][c]) / b[j];
    double length = 0.0;
    for (int j = 1; j <= n; ++j) {
        for (int c = 0; c < 3; ++c) *extent = std::fmax(*extent, std::fabs(p[j][c]));
        if (j < n) {
            double dx = p[j + 1][0] - p[j][0], dy = p[j + 1][1] - p[j][1], dz = p[j + 1][2] - p[j][2];
            length += std::sqrt(dx * dx + dy * dy + dz * dz);
        }
    }
    return length;
}

}  // namespace

int incrementusable(double delta)
{
    if (!usable(delta) || !(delta > 0.0)) return 0;
    double steps = 1.0 / delta;  // truncated by the model run
    return steps >= 1.0 && steps < STEPSPERROWLIMIT + 1.0;
}

int textureusable(const double colours[6], const double* params, int n)
{
    if (!allusable(colours, 6) || !allusable(params, n)) return 0;
    return n == 0 || incrementusable(params[n - 1]);
}

int shellusable(const ShellRecord* r)
{
    if (!allusable(r->growth, 10) || !allusable(&r->nodes[0][0], 3 * r->kept) ||
        !allusable(r->shading, 11) || !allusable(r->lights, 12) || !allusable(r->actsub, 12) ||
        !allusable(r->actinh, 13) || !allusable(r->stripe, 10) || !usable(r->shellscale))
        return 0;
    if (!incrementusable(r->actsub[11]) || !incrementusable(r->actinh[12]) ||
        !incrementusable(r->stripe[9]))
        return 0;

    const double* g = r->growth;
    if (!(g[G_STEPSIZE] > 0.0) || !(g[G_GENSTEPSIZE] > 0.0)) return 0;
    if (!(g[G_RATE] > 0.0) || g[G_R0] == 0.0 || g[G_ENDANGLE] < 0.0) return 0;

    double rings = g[G_ENDANGLE] * g[G_STEPSIZE] / FULLTURN;
    double extent;
    double length = controlpolygon(r, &extent);
    double samples = length * g[G_GENSTEPSIZE] + 3.0;
    double columns = length * 10.0 + 1.0;
    double rows = g[G_ENDANGLE] * 300.0 / FULLTURN + 1.0;
    // A model run takes (rows + 50) x (steps per row) steps over every column.
    double steps = std::fmax(std::fmax(std::trunc(1.0 / r->actsub[11]), std::trunc(1.0 / r->actinh[12])),
                             std::trunc(1.0 / r->stripe[9]));
    if (rings > RINGLIMIT || samples > SAMPLELIMIT || rings * samples > POINTLIMIT ||
        rows > ROWLIMIT || columns * rows > CELLLIMIT || (rows + 50.0) * steps * columns > WORKLIMIT)
        return 0;

    // The largest distance of a surface point from the origin, from the
    // spiral's growth factor at the end angle (overflow gives infinity).
    double growth = g[G_RATE] > 1.0 ? std::pow(g[G_RATE], g[G_ENDANGLE]) : 1.0;
    double curve = 0.6 * (extent * std::sqrt(3.0) + std::fabs(g[G_HORTMAG]));
    double size = (std::fabs(g[G_VERTMAG]) + 1.0) * 0.1 * (growth + 1.0) + std::fabs(r->shellscale) + 0.0001;
    double reach = (std::fabs(g[G_R0]) + std::fabs(g[G_Z0])) * growth + 2.2 + 3.0 * curve * size;
    return reach <= EXTENTLIMIT;
}
