// intercept.h - the trace-triangle record and its two intersection tests.
//
// A TraceTriangle carries everything an intersection test needs except the
// ray: bounding sphere, plane normal, edges, their dot products and
// determinant. TriangleIntercept gives the distance of the nearest-hit test
// (10000 for none), TriangleIntercept2 answers the shadow test up to a
// distance L. The ray direction must be of unit length (the sphere test
// relies on it).
//
// The tests are inline because both tracers call them for every triangle
// they visit; the list tracer and the hierarchy use this one code, so they
// agree bit for bit.
//
// Hits closer than 1e-13 do not count, and the margins 1e-13 and
// 0.9999999999999 on u, v and u + v keep edges and vertices out. A result that
// is not a number (a triangle of no area) is never a hit.
#pragma once

#include <cmath>

struct TraceVector {
    double x, y, z;
};

struct TraceTriangle {
    TraceVector centroid;
    double radius2;  // squared radius of a sphere about the centroid that holds the triangle
    TraceVector vertex0;
    TraceVector edge1;  // V1 - V0
    TraceVector edge2;  // V2 - V0
    TraceVector normal; // edge1 x edge2, unit length
    TraceVector normal0;
    TraceVector dnormal1;  // shading normal at V1 minus normal0
    TraceVector dnormal2;  // shading normal at V2 minus normal0
    double det;            // (e1.e1)(e2.e2) - (e1.e2)^2
    double edge2sq;
    double edge12;
    short ring;
    short point;
    int lowcorner;  // 1: V0 is the quad's corner (i, j); 0: it is (i+1, j+1)
    TraceTriangle* next;
};

// Steps shared by both tests: sphere, plane, distance, (u, v). Returns the
// distance t, or a negative value when a step fails. maxt bounds t.
[[gnu::always_inline]] inline double TriangleInterceptSteps(const TraceVector* o, const TraceVector* d,
                                     const TraceTriangle* tr, double maxt, double* u, double* v)
{
    // Bounding sphere: the ray's line must pass inside it.
    double wx = o->x - tr->centroid.x, wy = o->y - tr->centroid.y, wz = o->z - tr->centroid.z;
    double g = d->x * wx + d->y * wy + d->z * wz;
    if (g * g - ((wx * wx + wy * wy + wz * wz) - tr->radius2) < 1e-13)
        return -1.0;

    double m = d->x * tr->normal.x + d->y * tr->normal.y + d->z * tr->normal.z;
    if ((m < 0.0 ? -m : m) < 1e-13)
        return -1.0;  // parallel to the plane

    double ox = o->x - tr->vertex0.x, oy = o->y - tr->vertex0.y, oz = o->z - tr->vertex0.z;
    double t = -(ox * tr->normal.x + oy * tr->normal.y + oz * tr->normal.z) / m;
    // Written so that a distance that is not a number fails too.
    if (!(t >= 1e-13) || !(t <= maxt))
        return -1.0;

    double px = d->x * t + ox, py = d->y * t + oy, pz = d->z * t + oz;
    double a1 = tr->edge1.x * px + tr->edge1.y * py + tr->edge1.z * pz;
    double a2 = tr->edge2.x * px + tr->edge2.y * py + tr->edge2.z * pz;
    double uu = (tr->edge2sq * a1 - tr->edge12 * a2) / tr->det;
    double vv = (a2 - uu * tr->edge12) / tr->edge2sq;
    if (!(uu + vv <= 0.9999999999999) || !(uu >= 1e-13) || !(vv >= 1e-13))
        return -1.0;
    *u = uu;
    *v = vv;
    return t;
}

// Nearest-hit test: the distance along the ray, or 10000 for no intersection.
inline double TriangleIntercept(const TraceVector* o, const TraceVector* d, const TraceTriangle* tr,
                                double* u, double* v)
{
    double t = TriangleInterceptSteps(o, d, tr, HUGE_VAL, u, v);
    return t < 0.0 ? 10000.0 : t;
}

// Shadow test: 1 when the ray meets the triangle at a distance from 1e-13 to L.
inline int TriangleIntercept2(const TraceVector* o, const TraceVector* d, const TraceTriangle* tr,
                              double L)
{
    double u, v;
    return TriangleInterceptSteps(o, d, tr, L, &u, &v) < 0.0 ? 0 : 1;
}
