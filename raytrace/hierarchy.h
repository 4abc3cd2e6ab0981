// hierarchy.h - a bounding volume hierarchy over the trace triangles, as a
// scene for shading.h.
//
// Usage: TraceHierarchy h; buildhierarchy(&h, eye); then raytraceon(h, ...)
// from any number of threads; freehierarchy(&h) at the end.
//
// It must answer exactly as the list does. So:
// - the leaves call the same TriangleIntercept / TriangleIntercept2 on copies
//   of the same records (the records are pure data, copies answer alike);
// - boxes are padded, so a hit the list finds is never lost to a box test;
// - each triangle keeps its position in the list, and the nearest hit prefers
//   the earlier one of two at the same distance, as the list walk does;
// - triangles whose numbers cannot be trusted to lie inside their box (no
//   area, a sliver of almost no angle, values that are not finite) are not
//   boxed at all but tested for every ray.
#pragma once

#include <vector>

#include "raytrace/raytrace.h"

struct TraceBox {
    double lo[3], hi[3];
};

// A node's box in single precision, rounded outwards: it holds the double
// box it was made from, in half the memory.
struct TraceNodeBox {
    float lo[3], hi[3];
};

struct TraceNode {
    TraceNodeBox box;
    int first;  // leaf: first triangle; inner node: index of the left child (right = first + 1)
    int count;  // leaf: number of triangles; 0 for an inner node
};

struct TraceHierarchy {
    std::vector<TraceNode> nodes;
    std::vector<TraceTriangle> tris;  // copies in leaf order
    std::vector<int> listpos;         // each copy's position in the list
    std::vector<TraceTriangle> loose; // tested for every ray
    std::vector<int> loosepos;

    const TraceTriangle* nearest(const TraceVector* o, const TraceVector* d, double* t, double* u,
                                 double* v) const;
    bool blocked(const TraceVector* P, const TraceVector* L, double dist) const;
};

// Builds the hierarchy over the current triangle list. eye is the camera
// position: box padding grows with the size of the numbers the rays carry.
void buildhierarchy(TraceHierarchy* h, const TraceVector* eye);
void freehierarchy(TraceHierarchy* h);
