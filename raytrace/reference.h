// reference.h - the triangle list as a scene for shading.h: nearest hit and
// shadow test by walking the whole list.
#pragma once

#include "raytrace/raytrace.h"

struct ListScene {
    const TraceTriangle* nearest(const TraceVector* o, const TraceVector* d, double* t, double* u,
                                 double* v) const;
    bool blocked(const TraceVector* P, const TraceVector* L, double dist) const;
};
