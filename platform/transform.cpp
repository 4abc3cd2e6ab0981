// transform.cpp - matrix modes, the viewing stack and the transformations.
//
// mmode(MSINGLE) keeps one matrix: projections replace it, everything else
// multiplies onto it. mmode(MVIEWING) splits it: perspective, ortho and
// ortho2 replace the projection matrix, the other calls act on the top of
// the viewing stack. Switching from MSINGLE to a split mode makes the single
// matrix the projection and the viewing matrix the identity; switching back
// joins them. rotate takes tenths of a degree; multiples of 90 degrees give
// exact matrices. Matrices are single precision, built from double values.
// Every change first lets the renderer light the vertices still waiting for
// their colour under the matrices they were sent under; rebuilding the
// derived matrices moves state_stamp on.
#include "platform/gl.h"
#include "platform/internal.h"
#include <cmath>
#include <cstring>

namespace gl {
namespace core {

Mat identity()
{
    Mat r{};
    for (int i = 0; i < 4; ++i) r.m[i][i] = 1.0f;
    return r;
}

Mat mul(const Mat& a, const Mat& b)
{
    Mat r;
    for (int i = 0; i < 4; ++i)
        for (int j = 0; j < 4; ++j) {
            float s = 0.0f;
            for (int k = 0; k < 4; ++k) s += a.m[i][k] * b.m[k][j];
            r.m[i][j] = s;
        }
    return r;
}

std::uint64_t state_stamp = 1;

void update_derived(Window* w)
{
    if (!w->dirty) return;
    ++state_stamp;
    const Mat& v = w->stack[w->sp];
    w->full = mul(v, w->proj);
    // Normals go through the inverse transpose of the upper 3x3: cofactors
    // over the determinant (the sign matters, the length is normalised later).
    const float(*a)[4] = v.m;
    float c[3][3];
    c[0][0] = a[1][1] * a[2][2] - a[1][2] * a[2][1];
    c[0][1] = a[1][2] * a[2][0] - a[1][0] * a[2][2];
    c[0][2] = a[1][0] * a[2][1] - a[1][1] * a[2][0];
    c[1][0] = a[0][2] * a[2][1] - a[0][1] * a[2][2];
    c[1][1] = a[0][0] * a[2][2] - a[0][2] * a[2][0];
    c[1][2] = a[0][1] * a[2][0] - a[0][0] * a[2][1];
    c[2][0] = a[0][1] * a[1][2] - a[0][2] * a[1][1];
    c[2][1] = a[0][2] * a[1][0] - a[0][0] * a[1][2];
    c[2][2] = a[0][0] * a[1][1] - a[0][1] * a[1][0];
    float det = a[0][0] * c[0][0] + a[0][1] * c[0][1] + a[0][2] * c[0][2];
    float s = det < 0.0f ? -1.0f : 1.0f;
    // n' = n * inverse-transpose; in row form its entry (i, j) is c[i][j]/det.
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j) w->nrm[i][j] = c[i][j] * s;
    w->dirty = false;
}

}  // namespace core

using namespace core;

namespace {

// The matrix that loadmatrix, multmatrix and the transformations act on.
Mat* target()
{
    if (!cur) return nullptr;
    light_pending();
    cur->dirty = true;
    return cur->mode == MPROJECTION ? &cur->proj : &cur->stack[cur->sp];
}

void premultiply(const Mat& t)
{
    if (Mat* m = target()) *m = mul(t, *m);
}

// perspective, ortho and ortho2 replace the projection (or the single matrix)
void set_projection(const Mat& p)
{
    if (!cur) return;
    light_pending();
    cur->dirty = true;
    if (cur->mode == MSINGLE)
        cur->stack[cur->sp] = p;
    else
        cur->proj = p;
}

Mat ortho_matrix(double l, double r, double b, double t, double n, double f)
{
    Mat m = identity();
    m.m[0][0] = (float)(2.0 / (r - l));
    m.m[1][1] = (float)(2.0 / (t - b));
    m.m[2][2] = (float)(-2.0 / (f - n));
    m.m[3][0] = (float)(-(r + l) / (r - l));
    m.m[3][1] = (float)(-(t + b) / (t - b));
    m.m[3][2] = (float)(-(f + n) / (f - n));
    return m;
}

Mat from(const Matrix m)
{
    Mat r;
    std::memcpy(r.m, m, sizeof r.m);
    return r;
}

}  // namespace

void mmode(short m)
{
    if (!cur || (m != MSINGLE && m != MPROJECTION && m != MVIEWING) || m == cur->mode) return;
    light_pending();
    if (cur->mode == MSINGLE) {
        cur->proj = cur->stack[cur->sp];
        cur->sp = 0;
        cur->stack[0] = identity();
    } else if (m == MSINGLE) {
        cur->stack[0] = mul(cur->stack[cur->sp], cur->proj);
        cur->sp = 0;
        cur->proj = identity();
    }
    cur->mode = m;
    cur->dirty = true;
}

void loadmatrix(const Matrix m)
{
    if (Mat* t = target()) *t = from(m);
}

void multmatrix(const Matrix m) { premultiply(from(m)); }

void getmatrix(Matrix m)
{
    if (!cur) return;
    const Mat& t = cur->mode == MPROJECTION ? cur->proj : cur->stack[cur->sp];
    std::memcpy(m, t.m, sizeof t.m);
}

void pushmatrix()
{
    if (!cur || cur->mode == MPROJECTION || cur->sp + 1 >= MAXSTACK) return;
    cur->stack[cur->sp + 1] = cur->stack[cur->sp];
    ++cur->sp;
}

void popmatrix()
{
    if (!cur || cur->mode == MPROJECTION || cur->sp == 0) return;
    light_pending();
    --cur->sp;
    cur->dirty = true;
}

void perspective(short fovy_tenths, float aspect, float near, float far)
{
    double half = fovy_tenths / 10.0 * 3.14159265358979323846 / 360.0;
    double f = std::cos(half) / std::sin(half);
    Mat m{};
    m.m[0][0] = (float)(f / aspect);
    m.m[1][1] = (float)f;
    m.m[2][2] = (float)(((double)far + near) / ((double)near - far));
    m.m[2][3] = -1.0f;
    m.m[3][2] = (float)(2.0 * far * near / ((double)near - far));
    set_projection(m);
}

void ortho(float left, float right, float bottom, float top, float near, float far)
{
    set_projection(ortho_matrix(left, right, bottom, top, near, far));
}

void ortho2(float left, float right, float bottom, float top)
{
    set_projection(ortho_matrix(left, right, bottom, top, -1.0, 1.0));
}

void rotate(short tenths, char axis)
{
    int a = tenths % 3600;
    if (a < 0) a += 3600;
    double s, c;
    // Quarter turns exactly, so that axis-aligned views stay exact.
    switch (a) {
    case 0: s = 0; c = 1; break;
    case 900: s = 1; c = 0; break;
    case 1800: s = 0; c = -1; break;
    case 2700: s = -1; c = 0; break;
    default: {
        double r = a / 10.0 * 3.14159265358979323846 / 180.0;
        s = std::sin(r);
        c = std::cos(r);
    }
    }
    // Counter-clockwise looking down the axis toward the origin.
    int i, j;
    switch (axis) {
    case 'x': case 'X': i = 1; j = 2; break;
    case 'y': case 'Y': i = 2; j = 0; break;
    case 'z': case 'Z': i = 0; j = 1; break;
    default: return;
    }
    Mat m = identity();
    m.m[i][i] = (float)c;
    m.m[i][j] = (float)s;
    m.m[j][i] = (float)-s;
    m.m[j][j] = (float)c;
    premultiply(m);
}

void translate(float x, float y, float z)
{
    Mat m = identity();
    m.m[3][0] = x;
    m.m[3][1] = y;
    m.m[3][2] = z;
    premultiply(m);
}

void scale(float x, float y, float z)
{
    Mat m = identity();
    m.m[0][0] = x;
    m.m[1][1] = y;
    m.m[2][2] = z;
    premultiply(m);
}

void lookat(float vx, float vy, float vz, float px, float py, float pz, short twist)
{
    // translate the viewpoint to the origin, turn the line of sight about y
    // into the yz plane, tilt it about x onto -z, then twist about z.
    double dx = (double)px - vx, dy = (double)py - vy, dz = (double)pz - vz;
    double hxz = std::sqrt(dx * dx + dz * dz);
    double len = std::sqrt(dx * dx + dy * dy + dz * dz);
    if (len == 0.0) return;
    double sy = 0.0, cy = 1.0;
    if (hxz > 0.0) {
        sy = dx / hxz;
        cy = -dz / hxz;
    }
    double cx = hxz / len, sx = -dy / len;
    // Column form: R = Rz(-twist) * Rx * Ry; eye = R * (p - v).
    double ry[3][3] = {{cy, 0, sy}, {0, 1, 0}, {-sy, 0, cy}};
    double rx[3][3] = {{1, 0, 0}, {0, cx, -sx}, {0, sx, cx}};
    double t = -twist / 10.0 * 3.14159265358979323846 / 180.0;
    double rz[3][3] = {{std::cos(t), -std::sin(t), 0}, {std::sin(t), std::cos(t), 0}, {0, 0, 1}};
    if (twist == 0) {
        rz[0][0] = rz[1][1] = 1.0;
        rz[0][1] = rz[1][0] = 0.0;
    }
    double a[3][3], r[3][3];
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j) {
            a[i][j] = 0;
            for (int k = 0; k < 3; ++k) a[i][j] += rx[i][k] * ry[k][j];
        }
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j) {
            r[i][j] = 0;
            for (int k = 0; k < 3; ++k) r[i][j] += rz[i][k] * a[k][j];
        }
    Mat m = identity();
    double v[3] = {vx, vy, vz};
    for (int i = 0; i < 3; ++i) {
        double tr = 0;
        for (int j = 0; j < 3; ++j) {
            m.m[j][i] = (float)r[i][j];  // row form is the transpose
            tr -= r[i][j] * v[j];
        }
        m.m[3][i] = (float)tr;
    }
    premultiply(m);
}

}  // namespace gl
