// shading.h - the colour of one ray: nearest hit, light 1 with hard shadow,
// diffuse and specular terms on the pigmentation colour, two levels of
// mirror reflection.
//
// Written once for both tracers: Scene is the list of triangles (reference)
// or the hierarchy over them. A Scene gives
//   const TraceTriangle* nearest(o, d, &t, &u, &v)  the nearest triangle
//       whose TriangleIntercept is below 8000, the first in list order on a
//       tie, with its distance and (u, v); or null;
//   bool blocked(P, L, dist)  whether TriangleIntercept2(P, L, tri, dist) is
//       1 for any triangle.
// The arithmetic below is the same for both, so their images agree byte for
// byte whenever the scenes answer alike.
#pragma once

#include <cmath>

#include "app/model.h"
#include "raytrace/raytrace.h"
#include "texture/texture.h"

template <class Scene>
void raytraceon(const Scene& scene, const TraceVector* o, const TraceVector* d, double colour[3], int depth)
{
    double t = 0.0, u = 0.0, v = 0.0;
    const TraceTriangle* tri = scene.nearest(o, d, &t, &u, &v);
    if (tri == nullptr)
        return;  // a primary ray stays black, a reflected ray adds nothing

    TraceVector P = {o->x + t * d->x, o->y + t * d->y, o->z + t * d->z};
    TraceVector N;
    double vt;
    double s = TriangleNormal(&N, d, tri, u, v, &vt);
    TraceVector R = {d->x - 2 * s * N.x, d->y - 2 * s * N.y, d->z - 2 * s * N.z};

    for (int i = 0; i < lightno && i < 2; i++) {  // DL holds two lights
        const double* light = &DL[6 * i];  // x, y, z, r, g, b
        TraceVector L = {light[0] - P.x, light[1] - P.y, light[2] - P.z};
        double dist = std::sqrt(L.x * L.x + L.y * L.y + L.z * L.z);
        L.x = L.x / dist;
        L.y = L.y / dist;
        L.z = L.z / dist;

        bool shadow = scene.blocked(&P, &L, dist);
        double g = N.x * L.x + N.y * L.y + N.z * L.z;
        double f, e;
        if (shadow || g < 0) {
            f = 0.1;
            e = 0.0;
        } else {
            f = diffusecoeff * g + 0.05;
            double q = R.x * L.x + R.y * L.y + R.z * L.z;
            e = q < 0 ? 0.0 : std::pow(q, shinnessvalue);
        }
        colour[0] += light[3] * (f * (vt * Ambdiff_r + background_r) + specular_r * e);
        colour[1] += light[4] * (f * (vt * Ambdiff_g + background_g) + specular_g * e);
        colour[2] += light[5] * (f * (vt * Ambdiff_b + background_b) + specular_b * e);
    }

    double refl[3] = {0.0, 0.0, 0.0};
    if (depth < 2)
        raytraceon(scene, &P, &R, refl, depth + 1);
    for (int c = 0; c < 3; c++) {
        colour[c] = colour[c] + reflectvalue * refl[c];
        if (colour[c] > 1)
            colour[c] = 1;
    }
}
