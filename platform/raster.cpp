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
#include "platform/gl.h"
#include "platform/internal.h"
#include <algorithm>
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

// A vertex in window coordinates: depth 0..1.
struct SV {
    float x, y, z;
    float r, g, b;
};

// A vertex of the current primitive: clip coordinates, the planes it lies
// outside of, and (when inside all) its window coordinates, computed once
// for the up to three triangles of a strip that share it.
struct PV {
    CV c;
    unsigned code;
    SV s;
};

enum Prim { NONE, LINE, CLOSEDLINE, TMESH };
Prim prim = NONE;
int count = 0;  // vertices of the current primitive
PV first, prev, prev2;

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

inline unsigned outcode(const CV& v)
{
    unsigned c = 0;
    for (int p = 0; p < 6; ++p)
        if (plane(v, p) < 0.0f) c |= 1u << p;
    return c;
}

inline CV lerp(const CV& a, const CV& b, float t)
{
    return {a.x + (b.x - a.x) * t, a.y + (b.y - a.y) * t, a.z + (b.z - a.z) * t, a.w + (b.w - a.w) * t,
            a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}

CV process(const float v[3])
{
    Window* w = cur;
    update_derived(w);
    const float(*m)[4] = w->full.m;
    CV o;
    o.x = v[0] * m[0][0] + v[1] * m[1][0] + v[2] * m[2][0] + m[3][0];
    o.y = v[0] * m[0][1] + v[1] * m[1][1] + v[2] * m[2][1] + m[3][1];
    o.z = v[0] * m[0][2] + v[1] * m[1][2] + v[2] * m[2][2] + m[3][2];
    o.w = v[0] * m[0][3] + v[1] * m[1][3] + v[2] * m[2][3] + m[3][3];
    if (lighting_on(w)) {
        const float(*a)[4] = w->stack[w->sp].m;
        float e[3];
        for (int j = 0; j < 3; ++j) e[j] = v[0] * a[0][j] + v[1] * a[1][j] + v[2] * a[2][j] + a[3][j];
        const float* n0 = w->normal;
        float n[3];
        for (int j = 0; j < 3; ++j) n[j] = n0[0] * w->nrm[0][j] + n0[1] * w->nrm[1][j] + n0[2] * w->nrm[2][j];
        float l = std::sqrt(n[0] * n[0] + n[1] * n[1] + n[2] * n[2]);
        if (l > 0.0f)
            for (int j = 0; j < 3; ++j) n[j] /= l;
        float c[3];
        light_vertex(w, e, n, c);
        o.r = c[0] * 255.0f;
        o.g = c[1] * 255.0f;
        o.b = c[2] * 255.0f;
    } else {
        std::uint32_t c = w->colour;
        o.r = (float)(c & 0xff);
        o.g = (float)((c >> 8) & 0xff);
        o.b = (float)((c >> 16) & 0xff);
    }
    return o;
}

inline SV to_window(const Window* w, const CV& v)
{
    float iw = 1.0f / v.w;
    return {(v.x * iw + 1.0f) * (0.5f * w->w), (v.y * iw + 1.0f) * (0.5f * w->h), (v.z * iw) * 0.5f + 0.5f,
            v.r, v.g, v.b};
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

inline int ifloor(float v) { return (int)std::floor(v); }

// ---- lines ---------------------------------------------------------------

void line_pixels(Window* w, const SV& a, const SV& b)
{
    std::uint32_t* px = w->draw_buffer();
    float* zb = w->zbuf ? w->depth.data() : nullptr;
    const int W = w->w, H = w->h;
    float dx = b.x - a.x, dy = b.y - a.y;
    bool xmajor = std::fabs(dx) >= std::fabs(dy);
    // Walk the major axis from the first end pixel to the last.
    float a0 = xmajor ? a.x : a.y, a1 = xmajor ? b.x : b.y;
    float b0 = xmajor ? a.y : a.x, d = xmajor ? dy : dx, dm = xmajor ? dx : dy;
    int i0 = ifloor(a0), i1 = ifloor(a1);
    int step = i1 >= i0 ? 1 : -1;
    int lim = xmajor ? W : H;
    // Skip the steps outside the window along the major axis.
    int lo = std::max(std::min(i0, i1), 0), hi = std::min(std::max(i0, i1), lim - 1);
    if (lo > hi) return;
    int from = step > 0 ? lo : hi, to = step > 0 ? hi : lo;
    for (int i = from;; i += step) {
        float t = dm != 0.0f ? ((float)i + 0.5f - a0) / dm : 0.0f;
        t = t < 0.0f ? 0.0f : (t > 1.0f ? 1.0f : t);
        int j = ifloor(b0 + d * t);
        int x = xmajor ? i : j, y = xmajor ? j : i;
        if (x >= 0 && x < W && y >= 0 && y < H) {
            size_t k = (size_t)y * W + x;
            float z = a.z + (b.z - a.z) * t;
            if (!zb || z <= zb[k]) {
                if (zb) zb[k] = z;
                px[k] = pack(a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t);
            }
        }
        if (i == to) break;
    }
}

void draw_line(const CV& p, const CV& q)
{
    unsigned cp = outcode(p), cq = outcode(q);
    if (cp & cq) return;
    CV a = p, b = q;
    if (cp | cq) {
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
    }
    if (a.w <= 0.0f || b.w <= 0.0f) return;
    line_pixels(cur, to_window(cur, a), to_window(cur, b));
}

// ---- triangles -----------------------------------------------------------

inline std::int64_t floor_div(std::int64_t a, std::int64_t b)  // b > 0
{
    std::int64_t q = a / b;
    return (a % b != 0 && a < 0) ? q - 1 : q;
}

// Nearest 1/256 pixel, halves away from zero.
inline std::int64_t fixed(float v)
{
    float f = v * 256.0f;
    return (std::int64_t)(f < 0.0f ? f - 0.5f : f + 0.5f);
}

void fill_triangle(Window* w, SV v0, SV v1, SV v2)
{
    const int FIX = 256;
    std::int64_t X0 = fixed(v0.x), Y0 = fixed(v0.y);
    std::int64_t X1 = fixed(v1.x), Y1 = fixed(v1.y);
    std::int64_t X2 = fixed(v2.x), Y2 = fixed(v2.y);
    // Pixels whose centres (i * 256 + 128) lie within the bounding box;
    // most small triangles of a dense mesh stop here.
    const int W = w->w, H = w->h;
    int xmin = (int)std::max<std::int64_t>(-floor_div(128 - std::min({X0, X1, X2}), FIX), 0);
    int xmax = (int)std::min<std::int64_t>(floor_div(std::max({X0, X1, X2}) - 128, FIX), W - 1);
    if (xmin > xmax) return;
    int ymin = (int)std::max<std::int64_t>(-floor_div(128 - std::min({Y0, Y1, Y2}), FIX), 0);
    int ymax = (int)std::min<std::int64_t>(floor_div(std::max({Y0, Y1, Y2}) - 128, FIX), H - 1);
    if (ymin > ymax) return;
    std::int64_t area = (X1 - X0) * (Y2 - Y0) - (X2 - X0) * (Y1 - Y0);
    if (area == 0) return;
    if (area < 0) {  // make it counter-clockwise
        std::swap(v1, v2);
        std::swap(X1, X2);
        std::swap(Y1, Y2);
        area = -area;
    }

    // Edge k runs from vertex a to vertex b; E(P) = (bx-ax)(Py-ay) - (by-ay)(Px-ax)
    // is positive inside. Per pixel step in x it changes by A, in y by B.
    struct Edge {
        std::int64_t A, B, E;  // E at the centre of pixel (xmin, row)
        double inv;            // 1 / |A|, for a first guess of the span
    } e[3];
    const std::int64_t xs[3] = {X0, X1, X2}, ys[3] = {Y0, Y1, Y2};
    std::int64_t cx0 = (std::int64_t)xmin * FIX + FIX / 2, cy0 = (std::int64_t)ymin * FIX + FIX / 2;
    for (int k = 0; k < 3; ++k) {
        std::int64_t ax = xs[k], ay = ys[k], bx = xs[(k + 1) % 3], by = ys[(k + 1) % 3];
        std::int64_t ex = bx - ax, ey = by - ay;
        e[k].A = -ey * FIX;
        e[k].B = ex * FIX;
        e[k].E = ex * (cy0 - ay) - ey * (cx0 - ax);
        e[k].inv = e[k].A != 0 ? 1.0 / (double)(e[k].A < 0 ? -e[k].A : e[k].A) : 0.0;
        // top-left rule: centres on a left or top edge are inside, others not
        bool topleft = (ey < 0) || (ey == 0 && ex < 0);
        if (!topleft) e[k].E -= 1;
    }

    // Plane equations of depth and colour in window coordinates.
    float fx1 = v1.x - v0.x, fy1 = v1.y - v0.y, fx2 = v2.x - v0.x, fy2 = v2.y - v0.y;
    float fa = fx1 * fy2 - fx2 * fy1;
    if (fa == 0.0f) return;
    float inv = 1.0f / fa;
    auto grad = [&](float a0, float a1, float a2, float& dx, float& dy) {
        float d1 = a1 - a0, d2 = a2 - a0;
        dx = (d1 * fy2 - d2 * fy1) * inv;
        dy = (d2 * fx1 - d1 * fx2) * inv;
    };
    float zx, zy, rx, ry, gx, gy, bx_, by_;
    grad(v0.z, v1.z, v2.z, zx, zy);
    grad(v0.r, v1.r, v2.r, rx, ry);
    grad(v0.g, v1.g, v2.g, gx, gy);
    grad(v0.b, v1.b, v2.b, bx_, by_);

    std::uint32_t* px = w->draw_buffer();
    float* zb = w->zbuf ? w->depth.data() : nullptr;
    for (int y = ymin; y <= ymax; ++y) {
        // The span of this row where all three edges are >= 0: a guess in
        // floating point, made exact on the integer edge values.
        std::int64_t lo = xmin, hi = xmax;
        for (int k = 0; k < 3; ++k) {
            const std::int64_t E = e[k].E, A = e[k].A;
            if (A > 0) {
                // the first step c with E + A*c >= 0
                std::int64_t c = (std::int64_t)(-(double)E * e[k].inv);
                while (E + A * c < 0) ++c;
                while (E + A * (c - 1) >= 0) --c;
                lo = std::max(lo, xmin + c);
            } else if (A < 0) {
                // the last step c with E + A*c >= 0
                std::int64_t c = (std::int64_t)((double)E * e[k].inv);
                while (E + A * c < 0) --c;
                while (E + A * (c + 1) >= 0) ++c;
                hi = std::min(hi, xmin + c);
            } else if (E < 0) {
                lo = hi + 1;
            }
            e[k].E += e[k].B;
        }
        if (lo > hi) continue;
        float fx = (float)lo + 0.5f - v0.x, fy = (float)y + 0.5f - v0.y;
        float z = v0.z + zx * fx + zy * fy;
        float r = v0.r + rx * fx + ry * fy;
        float g = v0.g + gx * fx + gy * fy;
        float b = v0.b + bx_ * fx + by_ * fy;
        std::uint32_t* row = px + (size_t)y * W;
        const int x0 = (int)lo, x1 = (int)hi;
        if (zb) {
            float* zrow = zb + (size_t)y * W;
            for (int x = x0; x <= x1; ++x) {
                if (z <= zrow[x]) {
                    zrow[x] = z;
                    row[x] = pack(r, g, b);
                }
                z += zx; r += rx; g += gx; b += bx_;
            }
        } else {
            for (int x = x0; x <= x1; ++x) {
                row[x] = pack(r, g, b);
                r += rx; g += gx; b += bx_;
            }
        }
    }
}

// Sutherland-Hodgman against the planes that some vertex is outside of.
void draw_triangle(const PV& pa, const PV& pb, const PV& pc)
{
    unsigned ca = pa.code, cb = pb.code, cc = pc.code;
    if (ca & cb & cc) return;
    Window* w = cur;
    if (!(ca | cb | cc)) {
        fill_triangle(w, pa.s, pb.s, pc.s);
        return;
    }
    const CV &a = pa.c, &b = pb.c, &c = pc.c;
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
    }
    for (int i = 1; i + 1 < n; ++i) fill_triangle(w, sv[0], sv[i], sv[i + 1]);
}

void vertex(const float v[3])
{
    if (!cur || prim == NONE) return;
    PV p{};
    p.c = process(v);
    p.code = outcode(p.c);
    if (p.code == 0) p.s = to_window(cur, p.c);
    switch (prim) {
    case LINE:
    case CLOSEDLINE:
        if (count == 0)
            first = p;
        else
            draw_line(prev.c, p.c);
        break;
    case TMESH:
        if (count >= 2) draw_triangle(prev2, prev, p);
        break;
    case NONE:
        break;
    }
    prev2 = prev;
    prev = p;
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
        if (p == CLOSEDLINE && count > 1) draw_line(prev.c, first.c);
        // A lone vertex still lights its pixel.
        if ((p == LINE || p == CLOSEDLINE) && count == 1) draw_line(first.c, first.c);
        drawn();
    }
    prim = NONE;
    count = 0;
}

}  // namespace

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
