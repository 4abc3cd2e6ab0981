// raster.cpp - lines and triangle strips: vertex processing, clipping and
// scan conversion into the current window.
//
// bgnline/v*/endline draws a polyline, bgnclosedline also joins the last
// vertex to the first, bgntmesh/n3f/v3f/endtmesh a triangle strip (vertex
// i >= 2 makes the triangle i-2, i-1, i). Each vertex is transformed once,
// lit when a material is bound (else it takes the current colour), and
// clipped in homogeneous coordinates against the near and far planes and a
// guard band around the window before the divide, so geometry crossing the
// eye plane is cut, never thrown across the screen. Colours are Gouraud
// interpolated; depth is tested (less or equal) when the z-buffer is on.
//
// Pixel (i, j) has its centre at window coordinates (i + 0.5, j + 0.5).
// Triangles cover the pixels whose centres lie inside, with the top-left rule
// on edges (fixed point, 1/256 pixel). Lines light one pixel per step along
// their major axis, both end pixels included.
//
// Speed at a dense shell (millions of triangles, most smaller than a pixel)
// comes from doing no work twice and none in vain, never from changing a
// result: a vertex sent again under the same state is taken from a history
// of processed vertices; a lit vertex gets its colour only when a pixel is
// written with it (light_pending() works out the waiting ones before the
// state they depend on changes); a triangle's fixed-point corners are worked
// out once per vertex; depth is set up only for triangles that cover a pixel
// centre, colour at their first pixel that passes the depth test. Every value
// is computed by the same operations in the same order as the plain way
// would, so the pixels are the same.
#include "platform/gl.h"
#include "platform/internal.h"
#include <algorithm>
#include <bit>
#include <climits>
#include <cmath>
#include <cstdint>

namespace gl {
namespace core {

namespace {

// A processed vertex: clip coordinates and colour on the 0..255 scale.
struct CV {
    float x, y, z, w;
    float r, g, b;
};

// A vertex in window coordinates: depth 0..1. For triangles also its
// position in fixed point (1/256 pixel, see fixed()) and the pixel centres
// it bounds: columns >= cx0 have their centre at or right of X, columns <= cx1
// at or left of it (likewise rows); ok is false for a position that is not a
// number (or absurdly far out).
struct SV {
    float x, y, z;
    float r, g, b;
    std::int32_t X, Y;
    int cx0, cx1, cy0, cy1;
    bool ok;
};

// A vertex of the current primitive: clip coordinates, the planes it lies
// outside of, and (when inside all) its window coordinates, computed once
// for the up to three triangles of a strip that share it. lazy: lit, but the
// colour (in c and s) is not worked out yet.
struct PV {
    CV c;
    unsigned code;
    bool lazy;
    SV s;
};

// What the processing of a vertex reads besides the matrices and lighting
// (covered by state_stamp): the window, its current colour and normal, and
// the position sent, all as bits.
struct VKey {
    std::uint64_t stamp;  // state_stamp; 0 marks an empty entry
    Int32 id;             // the window
    std::uint32_t colour;
    std::uint32_t n[3], v[3];
};

struct Vertex {
    VKey key;
    PV p;
};

enum Prim { NONE, LINE, CLOSEDLINE, TMESH };
Prim prim = NONE;
int count = 0;  // vertices of the current primitive
// The last vertices of the current primitive, vertex i in ring[i & 3]
// (they live in the history below), and from the second vertex of a closed
// line on a copy of its first, kept for the closing segment.
Vertex* ring[4];
Vertex first;

// Geometry beyond this multiple of the window is cut before the divide.
const float GUARD = 2.0f;

// Signed distances to the six clip planes (inside when >= 0).
inline float plane(const CV& v, int p)
{
    switch (p) {
    case 0: return v.w + v.z;              // near
    case 1: return v.w - v.z;              // far
    case 2: return GUARD * v.w + v.x;
    case 3: return GUARD * v.w - v.x;
    case 4: return GUARD * v.w + v.y;
    default: return GUARD * v.w - v.y;
    }
}

// The planes a vertex lies outside of, bit p for plane(v, p) < 0.
inline unsigned outcode(const CV& v)
{
    float gw = GUARD * v.w;
    return (unsigned)(v.w + v.z < 0.0f) | (unsigned)(v.w - v.z < 0.0f) << 1 | (unsigned)(gw + v.x < 0.0f) << 2 |
           (unsigned)(gw - v.x < 0.0f) << 3 | (unsigned)(gw + v.y < 0.0f) << 4 | (unsigned)(gw - v.y < 0.0f) << 5;
}

inline CV lerp(const CV& a, const CV& b, float t)
{
    return {a.x + (b.x - a.x) * t, a.y + (b.y - a.y) * t, a.z + (b.z - a.z) * t, a.w + (b.w - a.w) * t,
            a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}

// Clip coordinates of a vertex; the colour when no material is bound.
inline void transform(Window* w, const float v[3], PV& p)
{
    const float(*m)[4] = w->full.m;
    CV& o = p.c;
    o.x = v[0] * m[0][0] + v[1] * m[1][0] + v[2] * m[2][0] + m[3][0];
    o.y = v[0] * m[0][1] + v[1] * m[1][1] + v[2] * m[2][1] + m[3][1];
    o.z = v[0] * m[0][2] + v[1] * m[1][2] + v[2] * m[2][2] + m[3][2];
    o.w = v[0] * m[0][3] + v[1] * m[1][3] + v[2] * m[2][3] + m[3][3];
    p.lazy = lighting(w).on;
    if (!p.lazy) {
        std::uint32_t c = w->colour;
        o.r = (float)(c & 0xff);
        o.g = (float)((c >> 8) & 0xff);
        o.b = (float)((c >> 16) & 0xff);
    }
}

// The colour of a lit vertex, from its position and normal under the
// matrices and lighting it was sent under (still current: see
// light_pending).
inline void shade(Vertex& x)
{
    if (!x.p.lazy) return;
    Window* w = cur;
    float v[3], n0[3];
    for (int i = 0; i < 3; ++i) {
        v[i] = std::bit_cast<float>(x.key.v[i]);
        n0[i] = std::bit_cast<float>(x.key.n[i]);
    }
    const float(*a)[4] = w->stack[w->sp].m;
    float e[3];
    e[0] = v[0] * a[0][0] + v[1] * a[1][0] + v[2] * a[2][0] + a[3][0];
    e[1] = v[0] * a[0][1] + v[1] * a[1][1] + v[2] * a[2][1] + a[3][1];
    e[2] = v[0] * a[0][2] + v[1] * a[1][2] + v[2] * a[2][2] + a[3][2];
    const float(*r)[3] = w->nrm;
    float n[3];
    n[0] = n0[0] * r[0][0] + n0[1] * r[1][0] + n0[2] * r[2][0];
    n[1] = n0[0] * r[0][1] + n0[1] * r[1][1] + n0[2] * r[2][1];
    n[2] = n0[0] * r[0][2] + n0[1] * r[1][2] + n0[2] * r[2][2];
    float l = std::sqrt(n[0] * n[0] + n[1] * n[1] + n[2] * n[2]);
    if (l > 0.0f) {
        n[0] /= l;
        n[1] /= l;
        n[2] /= l;
    }
    float c[3];
    light_vertex(lighting(w), e, n, c);
    CV& o = x.p.c;
    o.r = x.p.s.r = c[0] * 255.0f;
    o.g = x.p.s.g = c[1] * 255.0f;
    o.b = x.p.s.b = c[2] * 255.0f;
    x.p.lazy = false;
}

inline SV to_window(const Window* w, const CV& v)
{
    float iw = 1.0f / v.w;
    SV s;
    s.x = (v.x * iw + 1.0f) * (0.5f * w->w);
    s.y = (v.y * iw + 1.0f) * (0.5f * w->h);
    s.z = (v.z * iw) * 0.5f + 0.5f;
    s.r = v.r;
    s.g = v.g;
    s.b = v.b;
    return s;
}

inline std::uint32_t pack(float r, float g, float b)
{
    // Interpolation can stray a hair outside the vertices' range.
    int ir = (int)(r + 0.5f), ig = (int)(g + 0.5f), ib = (int)(b + 0.5f);
    ir = ir < 0 ? 0 : (ir > 255 ? 255 : ir);
    ig = ig < 0 ? 0 : (ig > 255 ? 255 : ig);
    ib = ib < 0 ? 0 : (ib > 255 ? 255 : ib);
    return (std::uint32_t)ir | ((std::uint32_t)ig << 8) | ((std::uint32_t)ib << 16);
}

// (int)std::floor(v) without the library call: truncate, then step down
// for a negative fraction. The truncated value is exact in float. Without
// branches: the sign of a line's ends is anybody's guess.
inline int ifloor(float v)
{
    int i = (int)v;
    return i - (int)(((float)i > v) & (i != INT_MIN));
}

// ---- lines ---------------------------------------------------------------

// The steps of a line along its major axis M (0 for x, 1 for y) from pixel
// from to pixel to, all inside the window along that axis. The colours of a
// and b are read at the first pixel written; when src is given, a and b are
// the window coordinates of src[0..1], whose colours are worked out then.
template <int M>
void walk(Window* w, const SV& a, const SV& b, Vertex* const* src, int from, int to, int step, float a0,
          float b0, float d, float dm)
{
    std::uint32_t* px = w->draw_buffer();
    float* zb = w->zbuf ? w->depth.data() : nullptr;
    const int W = w->w;
    const unsigned minor = M == 0 ? (unsigned)w->h : (unsigned)W;
    for (int i = from;; i += step) {
        float t = dm != 0.0f ? ((float)i + 0.5f - a0) / dm : 0.0f;
        t = t < 0.0f ? 0.0f : t;
        t = t > 1.0f ? 1.0f : t;
        int j = ifloor(b0 + d * t);
        if ((unsigned)j < minor) {
            size_t k = M == 0 ? (size_t)j * W + i : (size_t)i * W + j;
            float z = a.z + (b.z - a.z) * t;
            if (!zb || z <= zb[k]) {
                if (zb) zb[k] = z;
                if (src) {
                    shade(*src[0]);
                    shade(*src[1]);
                    src = nullptr;
                }
                px[k] = pack(a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t);
            }
        }
        if (i == to) break;
    }
}

void line_pixels(Window* w, const SV& a, const SV& b, Vertex* const* src)
{
    float dx = b.x - a.x, dy = b.y - a.y;
    bool xmajor = std::fabs(dx) >= std::fabs(dy);
    // Walk the major axis from the first end pixel to the last.
    float a0 = xmajor ? a.x : a.y, a1 = xmajor ? b.x : b.y;
    float b0 = xmajor ? a.y : a.x, d = xmajor ? dy : dx, dm = xmajor ? dx : dy;
    int i0 = ifloor(a0), i1 = ifloor(a1);
    int step = i1 >= i0 ? 1 : -1;
    int lim = xmajor ? w->w : w->h;
    // Skip the steps outside the window along the major axis.
    int lo = std::max(std::min(i0, i1), 0), hi = std::min(std::max(i0, i1), lim - 1);
    if (lo > hi) return;
    int from = step > 0 ? lo : hi, to = step > 0 ? hi : lo;
    if (xmajor)
        walk<0>(w, a, b, src, from, to, step, a0, b0, d, dm);
    else
        walk<1>(w, a, b, src, from, to, step, a0, b0, d, dm);
}

void draw_line(Vertex& vp, Vertex& vq)
{
    unsigned cp = vp.p.code, cq = vq.p.code;
    if (cp & cq) return;
    const CV &p = vp.p.c, &q = vq.p.c;
    if (!(cp | cq)) {
        // Both inside: their window coordinates are at hand.
        if (p.w <= 0.0f || q.w <= 0.0f) return;
        Vertex* const src[2] = {&vp, &vq};
        line_pixels(cur, vp.p.s, vq.p.s, src);
        return;
    }
    shade(vp);
    shade(vq);
    CV a = p, b = q;
    float t0 = 0.0f, t1 = 1.0f;
    for (int k = 0; k < 6; ++k) {
        float da = plane(p, k), db = plane(q, k);
        if (da < 0.0f && db < 0.0f) return;
        if (da < 0.0f)
            t0 = std::max(t0, da / (da - db));
        else if (db < 0.0f)
            t1 = std::min(t1, da / (da - db));
    }
    if (t0 > t1) return;
    if (cp) a = lerp(p, q, t0);
    if (cq) b = lerp(p, q, t1);
    if (a.w <= 0.0f || b.w <= 0.0f) return;
    line_pixels(cur, to_window(cur, a), to_window(cur, b), nullptr);
}

// ---- triangles -----------------------------------------------------------

// Nearest 1/256 pixel, halves away from zero.
inline std::int64_t fixed(float v)
{
    float f = v * 256.0f;
    return (std::int64_t)(f < 0.0f ? f - 0.5f : f + 0.5f);
}

// a / 256 rounded toward minus infinity (an arithmetic shift).
inline std::int64_t floor256(std::int64_t a) { return a >> 8; }

// The fixed-point position of a vertex and the pixel centres (i * 256 + 128)
// it bounds, computed once per vertex for all the triangles that share it.
// Inside the guard band positions are far within 32 bits.
inline void fix_vertex(SV& s)
{
    const float LIM = 1e6f;
    s.ok = s.x > -LIM && s.x < LIM && s.y > -LIM && s.y < LIM;
    if (!s.ok) return;
    std::int64_t X = fixed(s.x), Y = fixed(s.y);
    s.X = (std::int32_t)X;
    s.Y = (std::int32_t)Y;
    s.cx0 = (int)-floor256(128 - X);
    s.cx1 = (int)floor256(X - 128);
    s.cy0 = (int)-floor256(128 - Y);
    s.cy1 = (int)floor256(Y - 128);
}

// The covered pixels of a row: those where all three edge values are >= 0.
// Each edge value is linear in x, so they form one run [lo, hi] (empty when
// lo > hi). Narrow boxes are scanned pixel by pixel; wide ones are solved per
// edge, a guess in floating point made exact on the integer edge values.
// Both give the same run.
struct Edge {
    std::int64_t A, B, E;  // E at the centre of pixel (xmin, row)
};

inline void scan_row(const Edge* e, int n, int& lo, int& hi)
{
    std::int64_t E0 = e[0].E, E1 = e[1].E, E2 = e[2].E;
    const std::int64_t A0 = e[0].A, A1 = e[1].A, A2 = e[2].A;
    int c = 0;
    while (c < n && (E0 | E1 | E2) < 0) {
        E0 += A0; E1 += A1; E2 += A2;
        ++c;
    }
    lo = c;
    while (c < n && (E0 | E1 | E2) >= 0) {
        E0 += A0; E1 += A1; E2 += A2;
        ++c;
    }
    hi = c - 1;
}

inline void solve_row(const Edge* e, const double* inv, int n, int& lo, int& hi)
{
    std::int64_t l = 0, h = n - 1;
    for (int k = 0; k < 3; ++k) {
        const std::int64_t E = e[k].E, A = e[k].A;
        if (A > 0) {
            // the first step c with E + A*c >= 0
            std::int64_t c = (std::int64_t)(-(double)E * inv[k]);
            while (E + A * c < 0) ++c;
            while (E + A * (c - 1) >= 0) --c;
            l = std::max(l, c);
        } else if (A < 0) {
            // the last step c with E + A*c >= 0
            std::int64_t c = (std::int64_t)((double)E * inv[k]);
            while (E + A * c < 0) --c;
            while (E + A * (c + 1) >= 0) ++c;
            h = std::min(h, c);
        } else if (E < 0) {
            l = h + 1;
        }
    }
    if (l > h) {
        lo = 1;
        hi = 0;
    } else {
        lo = (int)l;
        hi = (int)h;
    }
}

// Boxes up to this many pixels wide are scanned pixel by pixel.
const int NARROW = 12;

inline int min3(int a, int b, int c) { return std::min(a, std::min(b, c)); }
inline int max3(int a, int b, int c) { return std::max(a, std::max(b, c)); }

// The pixels whose centres lie within the bounding box of a triangle of
// vertices that went through fix_vertex: false when there are none (most
// small triangles of a dense mesh stop here) or a vertex is unusable.
inline bool box(const Window* w, const SV* v0, const SV* v1, const SV* v2, int* b)
{
    if (!(v0->ok & v1->ok & v2->ok)) return false;
    b[0] = std::max(min3(v0->cx0, v1->cx0, v2->cx0), 0);
    b[1] = std::min(max3(v0->cx1, v1->cx1, v2->cx1), w->w - 1);
    b[2] = std::max(min3(v0->cy0, v1->cy0, v2->cy0), 0);
    b[3] = std::min(max3(v0->cy1, v1->cy1, v2->cy1), w->h - 1);
    return (b[0] <= b[1]) & (b[2] <= b[3]);
}

// Fills a triangle of vertices that went through fix_vertex, whose box()
// is xmin, xmax, ymin, ymax. When src is given, v0..v2 are the window
// coordinates of src[0..2], whose colours are worked out once a pixel needs
// them.
[[gnu::noinline]] void fill_box(Window* w, const SV* v0, const SV* v1, const SV* v2, const int* bb,
                                Vertex* const* src)
{
    const int FIX = 256;
    const int W = w->w;
    const int xmin = bb[0], xmax = bb[1], ymin = bb[2], ymax = bb[3];
    std::int64_t X0 = v0->X, Y0 = v0->Y, X1 = v1->X, Y1 = v1->Y, X2 = v2->X, Y2 = v2->Y;
    std::int64_t area = (X1 - X0) * (Y2 - Y0) - (X2 - X0) * (Y1 - Y0);
    if (area == 0) return;
    if (area < 0) {  // make it counter-clockwise
        std::swap(v1, v2);
        std::swap(X1, X2);
        std::swap(Y1, Y2);
    }

    // Edge k runs from vertex a to vertex b; E(P) = (bx-ax)(Py-ay) - (by-ay)(Px-ax)
    // is positive inside. Per pixel step in x it changes by A, in y by B.
    Edge e[3];
    const std::int64_t xs[3] = {X0, X1, X2}, ys[3] = {Y0, Y1, Y2};
    std::int64_t cx0 = (std::int64_t)xmin * FIX + FIX / 2, cy0 = (std::int64_t)ymin * FIX + FIX / 2;
    for (int k = 0; k < 3; ++k) {
        std::int64_t ax = xs[k], ay = ys[k], bx = xs[k == 2 ? 0 : k + 1], by = ys[k == 2 ? 0 : k + 1];
        std::int64_t ex = bx - ax, ey = by - ay;
        e[k].A = -ey * FIX;
        e[k].B = ex * FIX;
        e[k].E = ex * (cy0 - ay) - ey * (cx0 - ax);
        // top-left rule: centres on a left or top edge are inside, others not
        bool topleft = (ey < 0) || (ey == 0 && ex < 0);
        if (!topleft) e[k].E -= 1;
    }
    const int n = xmax - xmin + 1;
    const bool narrow = n <= NARROW;
    double inv2[3] = {0.0, 0.0, 0.0};  // 1 / |A|, for a first guess of the run
    if (!narrow)
        for (int k = 0; k < 3; ++k)
            inv2[k] = e[k].A != 0 ? 1.0 / (double)(e[k].A < 0 ? -e[k].A : e[k].A) : 0.0;

    // Plane equations of depth and colour in window coordinates. Depth is set
    // up at the first row that covers a pixel (most small triangles cover
    // none), colour at the first pixel that passes the depth test (in a
    // dense shell most covered pixels are hidden); up to there the colours
    // would only have been carried along, so they are carried along then,
    // step by step as the loop would have.
    bool zplane = false, cplane = false;
    float fx1 = 0, fy1 = 0, fx2 = 0, fy2 = 0, inv = 0;
    float zx = 0, zy = 0, rx = 0, ry = 0, gx = 0, gy = 0, bx_ = 0, by_ = 0;
    auto grad = [&](float a0, float a1, float a2, float& dx, float& dy) {
        float d1 = a1 - a0, d2 = a2 - a0;
        dx = (d1 * fy2 - d2 * fy1) * inv;
        dy = (d2 * fx1 - d1 * fx2) * inv;
    };
    std::uint32_t* px = w->draw_buffer();
    float* zb = w->zbuf ? w->depth.data() : nullptr;
    for (int y = ymin; y <= ymax; ++y) {
        int lo, hi;
        if (narrow)
            scan_row(e, n, lo, hi);
        else
            solve_row(e, inv2, n, lo, hi);
        e[0].E += e[0].B;
        e[1].E += e[1].B;
        e[2].E += e[2].B;
        if (lo > hi) continue;
        lo += xmin;
        hi += xmin;
        if (!zplane) {
            fx1 = v1->x - v0->x;
            fy1 = v1->y - v0->y;
            fx2 = v2->x - v0->x;
            fy2 = v2->y - v0->y;
            float fa = fx1 * fy2 - fx2 * fy1;
            if (fa == 0.0f) return;
            inv = 1.0f / fa;
            grad(v0->z, v1->z, v2->z, zx, zy);
            zplane = true;
        }
        float fx = (float)lo + 0.5f - v0->x, fy = (float)y + 0.5f - v0->y;
        float z = v0->z + zx * fx + zy * fy;
        std::uint32_t* row = px + (size_t)y * W;
        float* zrow = zb ? zb + (size_t)y * W : nullptr;
        int x = lo;
        if (!cplane) {
            if (zb) {
                while (x <= hi && !(z <= zrow[x])) {
                    z += zx;
                    ++x;
                }
                if (x > hi) continue;
            }
            if (src) {
                shade(*src[0]);
                shade(*src[1]);
                shade(*src[2]);
            }
            grad(v0->r, v1->r, v2->r, rx, ry);
            grad(v0->g, v1->g, v2->g, gx, gy);
            grad(v0->b, v1->b, v2->b, bx_, by_);
            cplane = true;
        }
        float r = v0->r + rx * fx + ry * fy;
        float g = v0->g + gx * fx + gy * fy;
        float b = v0->b + bx_ * fx + by_ * fy;
        for (int k = lo; k < x; ++k) {
            r += rx; g += gx; b += bx_;
        }
        if (zb) {
            for (; x <= hi; ++x) {
                if (z <= zrow[x]) {
                    zrow[x] = z;
                    row[x] = pack(r, g, b);
                }
                z += zx; r += rx; g += gx; b += bx_;
            }
        } else {
            for (; x <= hi; ++x) {
                row[x] = pack(r, g, b);
                r += rx; g += gx; b += bx_;
            }
        }
    }
}

// Sutherland-Hodgman against the planes that some vertex is outside of.
[[gnu::noinline]] void clip_triangle(Vertex& va, Vertex& vb, Vertex& vc)
{
    unsigned ca = va.p.code, cb = vb.p.code, cc = vc.p.code;
    Window* w = cur;
    shade(va);
    shade(vb);
    shade(vc);
    const CV &a = va.p.c, &b = vb.p.c, &c = vc.p.c;
    CV poly[2][12];
    int n = 3, src = 0;
    poly[0][0] = a;
    poly[0][1] = b;
    poly[0][2] = c;
    unsigned planes = ca | cb | cc;
    for (int p = 0; p < 6 && n > 0; ++p) {
        if (!(planes & (1u << p))) continue;
        const CV* in = poly[src];
        CV* out = poly[1 - src];
        int m = 0;
        for (int i = 0; i < n; ++i) {
            const CV& s = in[i];
            const CV& t = in[(i + 1) % n];
            float ds = plane(s, p), dt = plane(t, p);
            if (ds >= 0.0f) out[m++] = s;
            // Cut from the inside end, so that an edge two triangles share is
            // cut at the same point for both.
            if (ds >= 0.0f && dt < 0.0f)
                out[m++] = lerp(s, t, ds / (ds - dt));
            else if (ds < 0.0f && dt >= 0.0f)
                out[m++] = lerp(t, s, dt / (dt - ds));
        }
        n = m;
        src = 1 - src;
    }
    if (n < 3) return;
    SV sv[12];
    for (int i = 0; i < n; ++i) {
        if (poly[src][i].w <= 0.0f) return;
        sv[i] = to_window(w, poly[src][i]);
        fix_vertex(sv[i]);
    }
    for (int i = 1; i + 1 < n; ++i) {
        int bb[4];
        if (box(w, &sv[0], &sv[i], &sv[i + 1], bb)) fill_box(w, &sv[0], &sv[i], &sv[i + 1], bb, nullptr);
    }
}

inline void draw_triangle(Vertex& va, Vertex& vb, Vertex& vc)
{
    unsigned ca = va.p.code, cb = vb.p.code, cc = vc.p.code;
    if (ca & cb & cc) return;
    if (ca | cb | cc) {
        clip_triangle(va, vb, vc);
        return;
    }
    int bb[4];
    if (!box(cur, &va.p.s, &vb.p.s, &vc.p.s, bb)) return;
    Vertex* const src[3] = {&va, &vb, &vc};
    fill_box(cur, &va.p.s, &vb.p.s, &vc.p.s, bb, src);
}

// ---- vertices ------------------------------------------------------------

// Processed vertices, remembered with everything their processing read: a
// strip of the shell sends each point of a ring twice (once with the ring
// before, once with the ring after), the grid three times. The last HIST
// processed vertices are kept in order of processing, so that reading an
// earlier one walks memory as steadily as writing; a small table finds the
// latest vertex of each hash. A candidate counts only if its whole key
// matches, so collisions and stale table entries merely cost a recompute.
enum { HIST = 4096, VBITS = 13, VHASH = 1 << VBITS };
alignas(64) Vertex hist[HIST];
std::uint32_t histpos = 0;    // vertices processed so far (wraps)
// For each hash, the place in the history of the latest vertex with it
// (low 16 bits) and more bits of the hash (high 16 bits), so that a vertex
// never seen rarely has to look at an old entry to find that out.
std::uint32_t vtable[VHASH];
std::uint32_t lastfound = 0;  // histpos of the last vertex found again

// Whether the entry at histpos p may be handed out: not one of the next two
// places written, as the triangle of the next vertex still needs it.
inline bool usable(std::uint32_t p)
{
    unsigned back = (histpos - p) & (HIST - 1);
    return back != 0 && back != HIST - 1;
}

// Field by field, so that the key being built never goes through memory
// (a wide load of narrow stores just made would stall).
inline bool same(const VKey& a, const VKey& k)
{
    if (a.v[0] != k.v[0]) return false;  // settles most mismatches
    return ((a.stamp ^ k.stamp) | (std::uint32_t)(a.id ^ k.id) | (a.colour ^ k.colour) | (a.n[0] ^ k.n[0]) |
            (a.n[1] ^ k.n[1]) | (a.n[2] ^ k.n[2]) | (a.v[0] ^ k.v[0]) | (a.v[1] ^ k.v[1]) | (a.v[2] ^ k.v[2])) == 0;
}

// 32 bits of hash: the table index in the top bits, the check in the low 16.
inline std::uint32_t vhash(const VKey& k)
{
    std::uint64_t a = ((std::uint64_t)k.v[0] << 32 | k.v[1]) * 0x9E3779B97F4A7C15ull;
    std::uint64_t b = ((std::uint64_t)k.v[2] << 32 | k.n[0]) * 0xC2B2AE3D27D4EB4Full;
    std::uint64_t c = ((std::uint64_t)k.n[1] << 32 | k.n[2]) * 0x165667B19E3779F9ull;
    return (std::uint32_t)((a ^ b ^ c) >> 32);
}

// The processed vertex v of the current window: clip coordinates, outcode,
// inside the planes window coordinates, and its colour or what it takes to
// work it out. The result stays in place for the next HIST - 2 vertices.
inline Vertex* processed(Window* w, const float v[3])
{
    if (w->dirty) update_derived(w);
    VKey k;
    k.stamp = state_stamp;
    k.id = w->id;
    k.colour = w->colour;
    // Element by element: n3f has just stored the normal that way, and a
    // wider load of it would wait for the stores to drain.
    for (int i = 0; i < 3; ++i) {
        k.n[i] = std::bit_cast<std::uint32_t>(w->normal[i]);
        k.v[i] = std::bit_cast<std::uint32_t>(v[i]);
    }
    // A strip sends the points of the previous ring in the order they were
    // processed: the entry after the last one found there is tried first.
    // A grid line ends at the point processed two before.
    std::uint32_t at = lastfound + 1;
    if (usable(at) && same(hist[at & (HIST - 1)].key, k)) {
        lastfound = at;
        const char* next = (const char*)&hist[(at + 1) & (HIST - 1)];
        __builtin_prefetch(next);
        __builtin_prefetch(next + 64);
        return &hist[at & (HIST - 1)];
    }
    at = histpos - 2;
    if (same(hist[at & (HIST - 1)].key, k)) return &hist[at & (HIST - 1)];
    std::uint32_t hash = vhash(k), check = hash << 16;
    std::uint32_t& t = vtable[hash >> (32 - VBITS)];
    at = t & 0xffff;
    if ((t & 0xffff0000u) == check && usable(at) && same(hist[at & (HIST - 1)].key, k)) {
        lastfound = at;
        return &hist[at & (HIST - 1)];
    }
    at = histpos++;
    t = check | (at & (HIST - 1));
    Vertex& d = hist[at & (HIST - 1)];
    PV& p = d.p;
    transform(w, v, p);
    p.code = outcode(p.c);
    if (p.code == 0) {
        p.s = to_window(w, p.c);
        fix_vertex(p.s);
    }
    d.key.stamp = k.stamp;
    d.key.id = k.id;
    d.key.colour = k.colour;
    for (int i = 0; i < 3; ++i) {
        d.key.n[i] = k.n[i];
        d.key.v[i] = k.v[i];
    }
    return &d;
}

void vertex(const float v[3])
{
    if (!cur || prim == NONE) return;
    Vertex& p = *(ring[count & 3] = processed(cur, v));
    switch (prim) {
    case LINE:
    case CLOSEDLINE:
        if (count > 0) {
            Vertex& q = *ring[(count - 1) & 3];
            // Copied only now: the first vertex may have been written just
            // before, and a copy of it at once would wait for those stores.
            if (count == 1 && prim == CLOSEDLINE) first = q;
            draw_line(q, p);
        }
        break;
    case TMESH:
        if (count >= 2) draw_triangle(*ring[(count - 2) & 3], *ring[(count - 1) & 3], p);
        break;
    case NONE:
        break;
    }
    ++count;
}

void begin(Prim p)
{
    prim = cur ? p : NONE;
    count = 0;
}

void end(Prim p)
{
    if (prim == p && cur) {
        if (p == CLOSEDLINE && count > 1) draw_line(*ring[(count - 1) & 3], first);
        // A lone vertex still lights its pixel.
        if ((p == LINE || p == CLOSEDLINE) && count == 1) draw_line(*ring[0], *ring[0]);
        drawn();
    }
    prim = NONE;
    count = 0;
}

}  // namespace

void light_pending()
{
    if (!cur || prim == NONE) return;
    // The next triangle or segment uses the last two.
    for (int i = std::max(count - 2, 0); i < count; ++i) shade(*ring[i & 3]);
    if (prim == CLOSEDLINE && count > 1) shade(first);
}

void reset_primitive()
{
    prim = NONE;
    count = 0;
}

}  // namespace core

using namespace core;

void bgnline() { begin(LINE); }
void endline() { end(LINE); }
void bgnclosedline() { begin(CLOSEDLINE); }
void endclosedline() { end(CLOSEDLINE); }
void bgntmesh() { begin(TMESH); }
void endtmesh() { end(TMESH); }

void v3f(const float v[3]) { vertex(v); }

void v2f(const float v[2])
{
    float p[3] = {v[0], v[1], 0.0f};
    vertex(p);
}

void v2i(const Int32 v[2])
{
    float p[3] = {(float)v[0], (float)v[1], 0.0f};
    vertex(p);
}

void n3f(const float n[3])
{
    if (!cur) return;
    cur->normal[0] = n[0];
    cur->normal[1] = n[1];
    cur->normal[2] = n[2];
}

void subpixel(int) {}
void polysmooth(int) {}
void linesmooth(int) {}

}  // namespace gl
