// sampling.cpp - drawinterpolatepath: samples the B-spline left by fitcurve
// at even arc length, adds the horizontal sculpture, fills GenerateCurve with
// positions (x 0.6) and unit XY normals, and draws the curve into the three
// curve views.
//
// Each segment is walked in 99 parameter steps t = 0.01, 0.02, ... (summed in
// double, so the last is just above 0.99 and t = 1 is never reached). Pass 1
// sums the chords between successive steps; pass 2 walks the same steps again
// and takes a sample whenever the running chord sum reaches the spacing
// 1 / genstepsize. The last step of the last segment is always taken, at
// t = 1, so the curve ends exactly on the last node.
//
// Where the arithmetic has no answer the samples stay finite: a tangent or
// bend of zero length stays the zero vector instead of being divided, and a
// normal of zero length (no XY component) is the previous sample's normal,
// or (0, 1) for sample 0.
//
// The array size comes from values a shell file can bring (total length times
// genstepsize). It is bounded by the most samples the steps can yield: one per
// step plus the start.
#include <cmath>
#include <cstdlib>

#include "app/app.h"
#include "app/model.h"
#include "curve/curve.h"
#include "curve/curvemem.h"
#include "platform/gl.h"

CurveSample* GenerateCurve;
int CurveSegment;
double GenCurveTotalLength;

enum { MAXSTEPS = 100 };

// The parameter steps of one segment, exactly as summed in double.
static int paramsteps(const double** steps)
{
    static double t[MAXSTEPS];
    static int n = 0;
    if (n == 0)
        for (double s = 0.01; s <= 1.0 && n < MAXSTEPS; s += 0.01) t[n++] = s;
    *steps = t;
    return n;
}

static void splinepoint(int k, double t, double q[3])
{
    double it = 1.0 - t;
    double b0 = it * it * it / 6.0;
    double b1 = (3.0 * t * t * t - 6.0 * t * t + 4.0) / 6.0;
    double b2 = (-3.0 * t * t * t + 3.0 * t * t + 3.0 * t + 1.0) / 6.0;
    double b3 = t * t * t / 6.0;
    q[0] = b0 * xcontrol[k] + b1 * xcontrol[k + 1] + b2 * xcontrol[k + 2] + b3 * xcontrol[k + 3];
    q[1] = b0 * ycontrol[k] + b1 * ycontrol[k + 1] + b2 * ycontrol[k + 2] + b3 * ycontrol[k + 3];
    q[2] = b0 * zcontrol[k] + b1 * zcontrol[k + 1] + b2 * zcontrol[k + 2] + b3 * zcontrol[k + 3];
}

// Scales v to unit length; a zero vector (the curve does not move or bend
// there) stays zero.
static void unitize(double v[3])
{
    double len = std::sqrt(v[0] * v[0] + v[1] * v[1] + v[2] * v[2]);
    if (len > 0.0) {
        v[0] = v[0] / len;
        v[1] = v[1] / len;
        v[2] = v[2] / len;
    }
}

static void weighted(int k, double w0, double w1, double w2, double w3, double v[3])
{
    v[0] = w0 * xcontrol[k] + w1 * xcontrol[k + 1] + w2 * xcontrol[k + 2] + w3 * xcontrol[k + 3];
    v[1] = w0 * ycontrol[k] + w1 * ycontrol[k + 1] + w2 * ycontrol[k + 2] + w3 * ycontrol[k + 3];
    v[2] = w0 * zcontrol[k] + w1 * zcontrol[k + 1] + w2 * zcontrol[k + 2] + w3 * zcontrol[k + 3];
    unitize(v);
}

static void splinetangent(int k, double t, double v[3])
{
    double it = 1.0 - t;
    weighted(k, -3.0 * it * it, 9.0 * t * t - 12.0 * t, -9.0 * t * t + 6.0 * t + 3.0, 3.0 * t * t, v);
}

static void splinebend(int k, double t, double v[3])
{
    weighted(k, 1.0 - t, 3.0 * t - 2.0, 1.0 - 3.0 * t, t, v);
}

// Stores (nx, ny) normalised; where it has no length, repeats the normal of
// the sample before (prev), or (0, 1) for the first sample.
static void setnormal(CurveSample* s, double nx, double ny, const CurveSample* prev)
{
    double len = std::sqrt(nx * nx + ny * ny);
    if (len > 0.0 && std::isfinite(len)) {
        s->nx = nx / len;
        s->ny = ny / len;
    } else if (prev) {
        s->nx = prev->nx;
        s->ny = prev->ny;
    } else {
        s->nx = 0.0;
        s->ny = 1.0;
    }
}

static void putvertex(float* v, const double q[3])
{
    v[0] = (float)q[0];
    v[1] = (float)q[1];
    v[2] = (float)q[2];
}

void drawinterpolatepath()
{
    int n = ObjectPtr->count;
    if (n < 2 || n > 30) return;

    const double* tstep;
    int nsteps = paramsteps(&tstep);
    int nsegs = n - 1;

    // Pass 1: chords between successive steps, from the start of the curve.
    double* chord = (double*)getcurvemem(sizeof(double) * nsegs * nsteps);
    double prev[3], q[3];
    prev[0] = (xcontrol[0] + 4.0 * xcontrol[1] + xcontrol[2]) / 6.0;
    prev[1] = (ycontrol[0] + 4.0 * ycontrol[1] + ycontrol[2]) / 6.0;
    prev[2] = (zcontrol[0] + 4.0 * zcontrol[1] + zcontrol[2]) / 6.0;
    double total = 0.0;
    for (int k = 0; k < nsegs; k++) {
        for (int j = 0; j < nsteps; j++) {
            splinepoint(k, tstep[j], q);
            double dx = q[0] - prev[0], dy = q[1] - prev[1], dz = q[2] - prev[2];
            double c = std::sqrt(dx * dx + dy * dy + dz * dz);
            chord[k * nsteps + j] = c;
            total = total + c;
            prev[0] = q[0];
            prev[1] = q[1];
            prev[2] = q[2];
        }
    }
    GenCurveTotalLength = total;

    // Room for trunc(total * genstepsize + 3) samples; never more than the
    // steps can yield, and that many when the request makes no sense.
    int most = nsegs * nsteps + 1;
    double want = total * genstepsize + 3.0;
    int room = (genstepsize > 0.0 && want >= 3.0 && want < (double)most) ? (int)want : most;

    std::free(GenerateCurve);
    GenerateCurve = (CurveSample*)getcurvemem(sizeof(CurveSample) * room);
    float(*vert)[3] = (float(*)[3])getcurvemem(sizeof(float[3]) * room);

    // Sample 0: the start of the curve, unsculptured.
    double p[3], T[3], S[3];
    p[0] = (xcontrol[0] + 4.0 * xcontrol[1] + xcontrol[2]) / 6.0;
    p[1] = (ycontrol[0] + 4.0 * ycontrol[1] + ycontrol[2]) / 6.0;
    p[2] = (zcontrol[0] + 4.0 * zcontrol[1] + zcontrol[2]) / 6.0;
    T[0] = xcontrol[2] - xcontrol[0];
    T[1] = ycontrol[2] - ycontrol[0];
    T[2] = zcontrol[2] - zcontrol[0];
    unitize(T);
    double X = hortmag * hortsize;
    CurveSample* s = &GenerateCurve[0];
    s->x = 0.6 * p[0];
    s->y = 0.6 * p[1];
    s->z = 0.6 * p[2];
    setnormal(s, -(T[1] + X * T[0]), T[0] - X * T[1], nullptr);
    putvertex(vert[0], p);

    // Pass 2: resample at even arc length.
    double spacing = 1.0 / genstepsize;
    double acc = 0.0;
    int m = 0;
    for (int k = 0; k < nsegs; k++) {
        for (int j = 0; j < nsteps; j++) {
            acc = acc + chord[k * nsteps + j];
            int end = (k == nsegs - 1 && tstep[j] > 0.99);
            // The last slot is kept for the end point.
            if (!end && !(acc >= spacing && m + 2 < room)) continue;

            double t = end ? 1.0 : tstep[j];
            double u = k + t;
            splinepoint(k, t, q);
            splinetangent(k, t, T);
            splinebend(k, t, S);

            double W = hortmag * std::sin(u * hortsize);
            p[0] = q[0] - W * T[1];
            p[1] = q[1] + W * T[0];
            p[2] = q[2];
            X = hortmag * hortsize * std::cos(u * hortsize);

            s = &GenerateCurve[m + 1];
            s->x = 0.6 * p[0];
            s->y = 0.6 * p[1];
            s->z = 0.6 * p[2];
            setnormal(s, -(T[1] + X * T[0] + W * S[0]), T[0] - X * T[1] - W * S[1], s - 1);
            putvertex(vert[m + 1], p);
            m = m + 1;
            acc = acc - spacing;
            if (end) break;
        }
    }
    CurveSegment = m;
    std::free(chord);

    const std::int32_t views[3] = {generatewid, generatewid2, generatewid3};
    for (std::int32_t wid : views) {
        gl::winset(wid);
        gl::RGBcolor(235, 255, 50);
        gl::bgnline();
        for (int i = 0; i <= m; i++) gl::v3f(vert[i]);
        gl::endline();
    }
    std::free(vert);
}
