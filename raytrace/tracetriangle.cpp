// tracetriangle.cpp - the list of trace triangles: building a record from
// three corners of the surface grid, the shading normal and texture value at
// a hit, and releasing the list.
//
// A quad (i, j), (i+1, j), (i, j+1), (i+1, j+1) of the grid, ring i the older
// one, becomes two triangles: InsertTriangle with V0 = (i, j), V1 = (i+1, j),
// V2 = (i, j+1), and InsertTriangle2 with V0 = (i+1, j+1), V1 = (i, j+1),
// V2 = (i+1, j). New triangles go to the front of the list. Everything is
// double precision; single-precision corners are widened first.
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "app/app.h"
#include "raytrace/raytrace.h"
#include "texture/texture.h"

TraceTriangle ListHead;
TraceTriangle* ListHeadPtr = &ListHead;
double VertGridSize, HortGridSize;

void inittracelist()
{
    ListHeadPtr = &ListHead;
    ListHead.next = nullptr;
}

static TraceVector sub(TraceVector a, TraceVector b)
{
    return {a.x - b.x, a.y - b.y, a.z - b.z};
}

static double dot(TraceVector a, TraceVector b)
{
    return a.x * b.x + a.y * b.y + a.z * b.z;
}

static TraceVector widenpos(const RingPoint* p)
{
    return {(double)p->p[0], (double)p->p[1], (double)p->p[2]};
}

static TraceVector widennor(const RingPoint* p)
{
    return {(double)p->n[0], (double)p->n[1], (double)p->n[2]};
}

// Fills a new record from V0, V1, V2 and their shading normals and puts it at
// the front of the list.
static void maketriangle(TraceVector v0, TraceVector n0, TraceVector v1, TraceVector n1,
                         TraceVector v2, TraceVector n2, short ring, short point, int lowcorner)
{
    TraceTriangle* tr = (TraceTriangle*)std::malloc(sizeof(TraceTriangle));
    if (tr == nullptr) {
        std::printf("malloc error! \n");
        std::fflush(stdout);
        freeTraceObjectList();
        do_exit();
    }
    tr->next = ListHeadPtr->next;
    ListHeadPtr->next = tr;

    tr->lowcorner = lowcorner;
    tr->ring = ring;
    tr->point = point;

    tr->vertex0 = v0;
    tr->edge1 = sub(v1, v0);
    tr->edge2 = sub(v2, v0);
    TraceVector e1 = tr->edge1, e2 = tr->edge2;
    TraceVector c = {e1.y * e2.z - e1.z * e2.y, e1.z * e2.x - e1.x * e2.z, e1.x * e2.y - e1.y * e2.x};
    double len = std::sqrt(dot(c, c));
    tr->normal = {c.x / len, c.y / len, c.z / len};
    tr->normal0 = n0;
    tr->dnormal1 = sub(n1, n0);
    tr->dnormal2 = sub(n2, n0);

    tr->centroid = {(v0.x + v1.x + v2.x) / 3.0, (v0.y + v1.y + v2.y) / 3.0, (v0.z + v1.z + v2.z) / 3.0};
    double r0 = dot(sub(tr->centroid, v0), sub(tr->centroid, v0));
    double r1 = dot(sub(tr->centroid, v1), sub(tr->centroid, v1));
    double r2 = dot(sub(tr->centroid, v2), sub(tr->centroid, v2));
    double r = r0;
    if (r1 > r)
        r = r1;
    if (r2 > r)
        r = r2;
    tr->radius2 = r;

    tr->edge2sq = dot(e2, e2);
    tr->edge12 = dot(e1, e2);
    tr->det = dot(e1, e1) * tr->edge2sq - tr->edge12 * tr->edge12;
}

void InsertTriangle(const TraceVector* pos, const TraceVector* nor, const RingPoint* p1,
                    const RingPoint* p2, short ring, short point)
{
    maketriangle(*pos, *nor, widenpos(p1), widennor(p1), widenpos(p2), widennor(p2), ring, point, 1);
}

void InsertTriangle2(const TraceVector* pos, const TraceVector* nor, const RingPoint* p1,
                     const RingPoint* p2, short ring, short point)
{
    // The arguments are (i, j+1), (i+1, j), (i+1, j+1); V0 is the far corner.
    maketriangle(widenpos(p2), widennor(p2), *pos, *nor, widenpos(p1), widennor(p1), ring, point, 0);
}

// An index held inside 0..last.
static int clampindex(int i, int last)
{
    return i < 0 ? 0 : i > last ? last : i;
}

double TriangleNormal(TraceVector* N, const TraceVector* d, const TraceTriangle* tr, double u,
                      double v, double* texture)
{
    double nx = tr->normal0.x + u * tr->dnormal1.x + v * tr->dnormal2.x;
    double ny = tr->normal0.y + u * tr->dnormal1.y + v * tr->dnormal2.y;
    double nz = tr->normal0.z + u * tr->dnormal1.z + v * tr->dnormal2.z;
    double len = std::sqrt(nx * nx + ny * ny + nz * nz);
    N->x = nx / len;
    N->y = ny / len;
    N->z = nz / len;

    double m, l;
    if (tr->lowcorner == 1) {
        m = (tr->ring + u) * VertGridSize;
        l = (tr->point + v) * HortGridSize;
    } else {
        m = (tr->ring + 1 - u) * VertGridSize;
        l = (tr->point + 1 - v) * HortGridSize;
    }
    int r = (int)m, c = (int)l;
    double fr = m - r, fc = l - c;
    // The neighbours r + 1 and c + 1 stay inside the map: a map of one column
    // (a very short curve) has no column 1, and rounding can put the far end
    // of the last ring on the last row.
    int r1 = clampindex(r + 1, texturemapheight), c1 = clampindex(c + 1, texturemapwidth);
    r = clampindex(r, texturemapheight);
    c = clampindex(c, texturemapwidth);
    double** T = texturemap;
    *texture = (1 - fr) * ((1 - fc) * T[r][c] + fc * T[r][c1]) + fr * ((1 - fc) * T[r1][c] + fc * T[r1][c1]);

    double s = N->x * d->x + N->y * d->y + N->z * d->z;
    if (s < 0)
        return s;
    N->x = -N->x;
    N->y = -N->y;
    N->z = -N->z;
    return -s;
}

void freeTraceObjectList()
{
    while (ListHead.next != nullptr) {
        TraceTriangle* tr = ListHead.next;
        ListHead.next = tr->next;
        std::free(tr);
    }
}
