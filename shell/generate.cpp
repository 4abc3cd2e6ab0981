// generate.cpp - the shell surface, generated ring by ring.
//
// Ring 0 is the generating curve shrunk to a point at the apex; ring k is the
// curve scaled by a size that grows with the angle theta = k * delta, set into
// the moving frame (B, N, T) of the helico-spiral and shifted to the spiral's
// point at that angle. generateshell() hands each consecutive pair
// (ring k-1, ring k) to a consumer: the shell display draws the band between
// them, the ray tracer cuts it into triangles. Both rely on the same numbers,
// so the arithmetic below keeps its order: double precision throughout,
// stored as floats, the angle accumulated by addition.
//
// Uses the samples 0 .. CurveSegment-1 of GenerateCurve; nothing happens with
// fewer than two control nodes. One allocation per generation (two ring
// buffers, swapped per ring), none per ring.
//
// Limits: values that only a file can bring must not hang or poison the
// display. An angle step that is not a finite positive number gives no growth
// steps; at most MAXRINGS growth steps are taken; the generation stops at the
// first ring with a position or normal that is not finite in single precision
// (a growth beyond the float range, a spiral with no radius and no drop whose
// tangent vanishes), so consumers only ever see finite rings.
#include "shell/shell.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "app/app.h"
#include "app/model.h"
#include "curve/curve.h"

// The bars allow at most 50.1 / (2 pi / 300), about 2400 rings.
static const int MAXRINGS = 1000000;

static bool finitepoint(const RingPoint& q)
{
    return std::isfinite(q.p[0]) && std::isfinite(q.p[1]) && std::isfinite(q.p[2]) &&
           std::isfinite(q.n[0]) && std::isfinite(q.n[1]) && std::isfinite(q.n[2]);
}

void generateshell(RingConsumer consumer, void* user)
{
    if (ObjectPtr->count < 2 || GenerateCurve == nullptr || CurveSegment < 1)
        return;

    int n = CurveSegment;
    RingPoint* ringbuffer = (RingPoint*)std::malloc(sizeof(RingPoint) * 2 * (size_t)n);
    if (ringbuffer == nullptr) {
        std::printf("memory allocation error !\n");
        std::fflush(stdout);
        do_exit();
    }
    RingPoint* prev = ringbuffer;
    RingPoint* cur = ringbuffer + n;

    double delta = 6.283185307179586 / helico_stepsize;
    double a = std::pow(helico_rate, delta);
    double b = std::log(helico_rate);
    double r = helico_r0, d = helico_z0, e = 1.0;

    // Ring 0, the apex: the curve in world axes, scaled by 0.0001.
    bool finite = true;
    for (int i = 0; i < n; i++) {
        const CurveSample& s = GenerateCurve[i];
        prev[i].p[0] = (float)(s.x * 0.0001 + helico_r0);
        prev[i].p[1] = (float)(s.y * 0.0001 - helico_z0 + 2.2);
        prev[i].p[2] = (float)(s.z * 0.0001);
        prev[i].n[0] = (float)s.nx;
        prev[i].n[1] = (float)s.ny;
        prev[i].n[2] = 0.0f;
        finite = finite && finitepoint(prev[i]);
    }

    bool stepok = finite && std::isfinite(delta) && delta > 0.0;
    double theta = delta;
    for (int k = 1; stepok && k <= MAXRINGS && theta < helico_endangle; k++) {
        r = r * a;
        e = e * a;
        d = d * a;

        double c = std::cos(theta);
        double sn = std::sin(theta);
        double px = r * c, py = 2.2 - d, pz = r * sn;

        double h = (std::sin(vertsize * theta) * vertmag + 1.0) * (0.1 * (e - 1.0)) + shellscale + 0.0001;

        // Tangent of the spiral: the derivative of the centre with respect to theta.
        double tx = r * c * b - r * sn;
        double ty = -d * b;
        double tz = r * sn * b + r * c;
        double len = std::sqrt(tx * tx + ty * ty + tz * tz);
        tx = tx / len;
        ty = ty / len;
        tz = tz / len;

        // Up: the vertical made perpendicular to the tangent.
        double nx = -ty * tx;
        double ny = 1.0 - ty * ty;
        double nz = -ty * tz;
        len = std::sqrt(nx * nx + ny * ny + nz * nz);
        nx = nx / len;
        ny = ny / len;
        nz = nz / len;

        // Side: N x T.
        double bx = ny * tz - nz * ty;
        double by = nz * tx - nx * tz;
        double bz = nx * ty - ny * tx;
        len = std::sqrt(bx * bx + by * by + bz * bz);
        bx = bx / len;
        by = by / len;
        bz = bz / len;

        for (int i = 0; i < n; i++) {
            const CurveSample& s = GenerateCurve[i];
            double sx = s.x * h, sy = s.y * h, sz = s.z * h;
            cur[i].p[0] = (float)(px + sx * bx + sy * nx + sz * tx);
            cur[i].p[1] = (float)(py + sx * by + sy * ny + sz * ty);
            cur[i].p[2] = (float)(pz + sx * bz + sy * nz + sz * tz);
            cur[i].n[0] = (float)(s.nx * bx + s.ny * nx);
            cur[i].n[1] = (float)(s.nx * by + s.ny * ny);
            cur[i].n[2] = (float)(s.nx * bz + s.ny * nz);
            finite = finite && finitepoint(cur[i]);
        }
        if (!finite)
            break;

        consumer(prev, cur, k, user);

        RingPoint* t = prev;
        prev = cur;
        cur = t;
        theta = theta + delta;
    }

    std::free(ringbuffer);
}
