// reference.cpp - the reference tracer: every ray is tested against every
// triangle of the list, in list order. Slow (the cost grows with the number
// of samples times the number of triangles) but plainly right; the default
// tracer must give the same bytes.
#include "raytrace/reference.h"

#include "raytrace/shading.h"

const TraceTriangle* ListScene::nearest(const TraceVector* o, const TraceVector* d, double* t,
                                        double* u, double* v) const
{
    const TraceTriangle* best = nullptr;
    double tbest = 8000.0;
    for (const TraceTriangle* tr = ListHead.next; tr != nullptr; tr = tr->next) {
        double uu = 0.0, vv = 0.0;
        double tt = TriangleIntercept(o, d, tr, &uu, &vv);
        if (tt < tbest) {  // strictly: of equal distances the first in the list wins
            best = tr;
            tbest = tt;
            *u = uu;
            *v = vv;
        }
    }
    *t = tbest;
    return best;
}

bool ListScene::blocked(const TraceVector* P, const TraceVector* L, double dist) const
{
    for (const TraceTriangle* tr = ListHead.next; tr != nullptr; tr = tr->next)
        if (TriangleIntercept2(P, L, tr, dist))
            return true;
    return false;
}

void raytrace(const TraceVector* o, const TraceVector* d, double colour[3], int depth)
{
    ListScene scene;
    raytraceon(scene, o, d, colour, depth);
}
