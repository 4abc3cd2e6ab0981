// hierarchy.cpp - building and walking the bounding volume hierarchy of
// hierarchy.h.
//
// Build: binned surface-area split of the box centres, at most a few
// triangles per leaf. Walk: nearest child first for the nearest hit, any hit
// for shadows. Box padding: 1e-7 of the largest coordinate in play (scene or
// eye) plus 1e-7, far above the rounding of the intersection code and far
// below any triangle that matters.
#include "raytrace/hierarchy.h"

#include <algorithm>
#include <climits>
#include <cmath>

namespace {

struct Prim {
    TraceBox box;
    double c[3];  // box centre
    const TraceTriangle* tri;
    int pos;
};

// A triangle may go into a box when all its numbers are finite and the angle
// at V0 is not a sliver: then a hit point the intersection code accepts lies
// within rounding of the triangle itself.
bool boxable(const TraceTriangle* tr)
{
    auto finite = [](const TraceVector& a) {
        return std::isfinite(a.x) && std::isfinite(a.y) && std::isfinite(a.z);
    };
    if (!finite(tr->centroid) || !finite(tr->vertex0) || !finite(tr->edge1) || !finite(tr->edge2) ||
        !finite(tr->normal) || !std::isfinite(tr->radius2) || !std::isfinite(tr->det) ||
        !std::isfinite(tr->edge2sq) || !std::isfinite(tr->edge12))
        return false;
    double e1sq = tr->edge1.x * tr->edge1.x + tr->edge1.y * tr->edge1.y + tr->edge1.z * tr->edge1.z;
    return tr->det > 1e-6 * e1sq * tr->edge2sq;
}

double area(const TraceBox& b)
{
    double dx = b.hi[0] - b.lo[0], dy = b.hi[1] - b.lo[1], dz = b.hi[2] - b.lo[2];
    return dx * dy + dy * dz + dz * dx;
}

[[gnu::always_inline]] inline void grow(TraceBox* b, const TraceBox& o)
{
    for (int k = 0; k < 3; k++) {
        b->lo[k] = std::min(b->lo[k], o.lo[k]);
        b->hi[k] = std::max(b->hi[k], o.hi[k]);
    }
}

const TraceBox emptybox = {{HUGE_VAL, HUGE_VAL, HUGE_VAL}, {-HUGE_VAL, -HUGE_VAL, -HUGE_VAL}};

const int NBINS = 16;
const int MAXLEAF = 4;

void buildnode(TraceHierarchy* h, std::vector<Prim>& prims, int ni, int begin, int end, int depth)
{
    TraceBox box = emptybox, cbox = emptybox;
    for (int i = begin; i < end; i++) {
        grow(&box, prims[i].box);
        TraceBox c = {{prims[i].c[0], prims[i].c[1], prims[i].c[2]}, {prims[i].c[0], prims[i].c[1], prims[i].c[2]}};
        grow(&cbox, c);
    }
    for (int k = 0; k < 3; k++) {
        float lo = (float)box.lo[k], hi = (float)box.hi[k];
        if ((double)lo > box.lo[k])
            lo = std::nextafter(lo, -HUGE_VALF);
        if ((double)hi < box.hi[k])
            hi = std::nextafter(hi, HUGE_VALF);
        h->nodes[ni].box.lo[k] = lo;
        h->nodes[ni].box.hi[k] = hi;
    }
    int n = end - begin;
    auto makeleaf = [&]() {
        h->nodes[ni].first = begin;
        h->nodes[ni].count = n;
    };
    if (n <= 2) {
        makeleaf();
        return;
    }

    int axis = 0;
    double ext[3] = {cbox.hi[0] - cbox.lo[0], cbox.hi[1] - cbox.lo[1], cbox.hi[2] - cbox.lo[2]};
    if (ext[1] > ext[axis])
        axis = 1;
    if (ext[2] > ext[axis])
        axis = 2;

    int mid = -1;
    if (ext[axis] > 0 && depth < 100) {
        int count[NBINS] = {0};
        TraceBox bins[NBINS];
        for (int b = 0; b < NBINS; b++)
            bins[b] = emptybox;
        double scale = NBINS / ext[axis];
        auto binof = [&](const Prim& p) {
            int b = (int)((p.c[axis] - cbox.lo[axis]) * scale);
            return b < 0 ? 0 : b >= NBINS ? NBINS - 1 : b;
        };
        for (int i = begin; i < end; i++) {
            int b = binof(prims[i]);
            count[b]++;
            grow(&bins[b], prims[i].box);
        }
        // Cost of each split plane between bins, left and right sweeps.
        double leftcost[NBINS];
        TraceBox acc = emptybox;
        int nacc = 0;
        for (int b = 0; b < NBINS - 1; b++) {
            grow(&acc, bins[b]);
            nacc += count[b];
            leftcost[b] = nacc ? area(acc) * nacc : 0.0;
        }
        acc = emptybox;
        nacc = 0;
        double bestcost = HUGE_VAL;
        int bestsplit = -1;
        for (int b = NBINS - 1; b > 0; b--) {
            grow(&acc, bins[b]);
            nacc += count[b];
            if (nacc == 0 || nacc == n)
                continue;
            double cost = leftcost[b - 1] + area(acc) * nacc;
            if (cost < bestcost) {
                bestcost = cost;
                bestsplit = b;
            }
        }
        // Relative to a leaf: one box test costs about one triangle test.
        double leafcost = area(box) * n;
        if (n <= MAXLEAF && !(bestcost + area(box) < leafcost)) {
            makeleaf();
            return;
        }
        if (bestsplit > 0) {
            Prim* p = std::partition(prims.data() + begin, prims.data() + end,
                                     [&](const Prim& q) { return binof(q) < bestsplit; });
            mid = (int)(p - prims.data());
        }
    }
    if (mid <= begin || mid >= end) {
        if (n <= MAXLEAF) {
            makeleaf();
            return;
        }
        // All centres alike, or too deep: halve by order along the axis.
        mid = begin + n / 2;
        std::nth_element(prims.begin() + begin, prims.begin() + mid, prims.begin() + end,
                         [&](const Prim& a, const Prim& b) { return a.c[axis] < b.c[axis]; });
    }

    int left = (int)h->nodes.size();
    h->nodes.push_back({});
    h->nodes.push_back({});
    h->nodes[ni].first = left;
    h->nodes[ni].count = 0;
    buildnode(h, prims, left, begin, mid, depth + 1);
    buildnode(h, prims, left + 1, mid, end, depth + 1);
}

struct BoxRay {
    TraceVector o;
    double inv[3];
};

BoxRay boxray(const TraceVector* o, const TraceVector* d)
{
    BoxRay r;
    r.o = *o;
    const double* dd = &d->x;
    for (int k = 0; k < 3; k++) {
        // A zero component becomes tiny, so no 0 x infinity turns up below.
        double c = dd[k];
        if (std::fabs(c) < 1e-300)
            c = std::signbit(c) ? -1e-300 : 1e-300;
        r.inv[k] = 1.0 / c;
    }
    return r;
}

// Entry distance of the ray into the box, when it meets it within [0, tmax].
[[gnu::always_inline]] inline bool hitbox(const TraceNodeBox& b, const BoxRay& r, double tmax, double* tnear)
{
    double t0 = (b.lo[0] - r.o.x) * r.inv[0], t1 = (b.hi[0] - r.o.x) * r.inv[0];
    double lo = std::min(t0, t1), hi = std::max(t0, t1);
    t0 = (b.lo[1] - r.o.y) * r.inv[1];
    t1 = (b.hi[1] - r.o.y) * r.inv[1];
    lo = std::max(lo, std::min(t0, t1));
    hi = std::min(hi, std::max(t0, t1));
    t0 = (b.lo[2] - r.o.z) * r.inv[2];
    t1 = (b.hi[2] - r.o.z) * r.inv[2];
    lo = std::max(lo, std::min(t0, t1));
    hi = std::min(hi, std::max(t0, t1));
    lo = std::max(lo, 0.0);
    hi = std::min(hi, tmax);
    *tnear = lo;
    return lo <= hi;
}

}  // namespace

void buildhierarchy(TraceHierarchy* h, const TraceVector* eye)
{
    freehierarchy(h);
    std::vector<Prim> prims;
    double maxcoord = std::max({std::fabs(eye->x), std::fabs(eye->y), std::fabs(eye->z)});
    if (!std::isfinite(maxcoord))
        maxcoord = 0;
    int pos = 0;
    for (const TraceTriangle* tr = ListHead.next; tr != nullptr; tr = tr->next, pos++) {
        if (!boxable(tr)) {
            h->loose.push_back(*tr);
            h->loosepos.push_back(pos);
            continue;
        }
        Prim p;
        const double* v0 = &tr->vertex0.x;
        const double* e1 = &tr->edge1.x;
        const double* e2 = &tr->edge2.x;
        for (int k = 0; k < 3; k++) {
            double a = v0[k], b = v0[k] + e1[k], c = v0[k] + e2[k];
            p.box.lo[k] = std::min({a, b, c});
            p.box.hi[k] = std::max({a, b, c});
            maxcoord = std::max({maxcoord, std::fabs(p.box.lo[k]), std::fabs(p.box.hi[k])});
        }
        p.tri = tr;
        p.pos = pos;
        prims.push_back(p);
    }
    double pad = 1e-7 * (1.0 + maxcoord);
    for (Prim& p : prims)
        for (int k = 0; k < 3; k++) {
            p.box.lo[k] -= pad;
            p.box.hi[k] += pad;
            p.c[k] = 0.5 * (p.box.lo[k] + p.box.hi[k]);
        }
    if (prims.empty())
        return;

    h->nodes.reserve(2 * prims.size());
    h->nodes.push_back({});
    buildnode(h, prims, 0, 0, (int)prims.size(), 0);
    h->tris.reserve(prims.size());
    h->listpos.reserve(prims.size());
    for (const Prim& p : prims) {
        h->tris.push_back(*p.tri);
        h->tris.back().next = nullptr;
        h->listpos.push_back(p.pos);
    }
}

void freehierarchy(TraceHierarchy* h)
{
    h->nodes = {};
    h->tris = {};
    h->listpos = {};
    h->loose = {};
    h->loosepos = {};
}

const TraceTriangle* TraceHierarchy::nearest(const TraceVector* o, const TraceVector* d, double* t,
                                             double* u, double* v) const
{
    const TraceTriangle* best = nullptr;
    double tbest = 8000.0;
    int bestpos = INT_MAX;
    // Distances at 8000 or beyond never count; of equal ones the earlier
    // position in the list wins.
    auto consider = [&](const TraceTriangle* tr, int pos) {
        double uu = 0.0, vv = 0.0;
        double tt = TriangleIntercept(o, d, tr, &uu, &vv);
        if (tt < 8000.0 && (tt < tbest || (tt == tbest && pos < bestpos))) {
            best = tr;
            tbest = tt;
            bestpos = pos;
            *u = uu;
            *v = vv;
        }
    };
    for (size_t i = 0; i < loose.size(); i++)
        consider(&loose[i], loosepos[i]);

    if (!nodes.empty()) {
        BoxRay r = boxray(o, d);
        struct Entry {
            int node;
            double tnear;
        } stack[256];
        int sp = 0;
        double tn;
        if (hitbox(nodes[0].box, r, tbest, &tn))
            stack[sp++] = {0, tn};
        while (sp > 0) {
            Entry e = stack[--sp];
            if (e.tnear > tbest)
                continue;
            const TraceNode& n = nodes[e.node];
            if (n.count > 0) {
                for (int i = n.first; i < n.first + n.count; i++)
                    consider(&tris[i], listpos[i]);
                continue;
            }
            double ta, tb;
            bool ha = hitbox(nodes[n.first].box, r, tbest, &ta);
            bool hb = hitbox(nodes[n.first + 1].box, r, tbest, &tb);
            if (ha && hb) {
                // nearer child on top
                if (ta <= tb) {
                    stack[sp++] = {n.first + 1, tb};
                    stack[sp++] = {n.first, ta};
                } else {
                    stack[sp++] = {n.first, ta};
                    stack[sp++] = {n.first + 1, tb};
                }
            } else if (ha) {
                stack[sp++] = {n.first, ta};
            } else if (hb) {
                stack[sp++] = {n.first + 1, tb};
            }
        }
    }
    *t = tbest;
    return best;
}

bool TraceHierarchy::blocked(const TraceVector* P, const TraceVector* L, double dist) const
{
    for (const TraceTriangle& tr : loose)
        if (TriangleIntercept2(P, L, &tr, dist))
            return true;
    if (nodes.empty())
        return false;
    BoxRay r = boxray(P, L);
    // A distance that is not a number blocks nothing, as in the list walk.
    if (!(dist >= 0))
        return false;
    int stack[256];
    int sp = 0;
    double tn;
    if (hitbox(nodes[0].box, r, dist, &tn))
        stack[sp++] = 0;
    while (sp > 0) {
        const TraceNode& n = nodes[stack[--sp]];
        if (n.count > 0) {
            for (int i = n.first; i < n.first + n.count; i++)
                if (TriangleIntercept2(P, L, &tris[i], dist))
                    return true;
            continue;
        }
        if (hitbox(nodes[n.first].box, r, dist, &tn))
            stack[sp++] = n.first;
        if (hitbox(nodes[n.first + 1].box, r, dist, &tn))
            stack[sp++] = n.first + 1;
    }
    return false;
}
