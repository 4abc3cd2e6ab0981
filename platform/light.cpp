// light.cpp - materials, lights and lighting models, and the lighting of a
// vertex.
//
// lmdef(kind, index, np, props) defines or modifies definition `index` from
// a token list (token, values..., ending with LMNULL; np = 0 reads to
// LMNULL, otherwise at most np floats). Definitions are shared by all
// windows; lmbind binds them in the current window. Lighting is on in a
// window while a material is bound there; a bound light's position is taken
// through the viewing matrix current at the bind (a light bound under the
// identity keeps its place relative to the eye).
//
// Per vertex, in eye space: emission + ambient * lmodel ambient
//   + light ambient * ambient
//   + light colour * (diffuse * max(N.L, 0) + specular * max(N.H, 0)^shininess)
// with H halfway between L and the direction to the eye (local viewer) or
// +z, the specular term only on the lit side (N.L > 0); clamped to 0..1.
// The terms that do not depend on the vertex are gathered once per state
// (gather_lighting), each formed as the formula forms it. Every definition
// and binding first lets the renderer light the vertices still waiting for
// their colour under the state they were sent under.
#include "platform/gl.h"
#include "platform/internal.h"
#include <cmath>

namespace gl {
namespace core {

namespace {

enum { MAXDEF = 256 };
enum : short { EMISSION = 1, ALPHA = 7, SPOTDIRECTION = 103, SPOTLIGHT = 104, ATTENUATION = 202,
               ATTENUATION2 = 203, TWOSIDE = 204, COLORINDEXES = 6 };

struct Material {
    bool defined = false;
    float emission[3], ambient[3], diffuse[3], specular[3], shininess;
};
struct Light {
    bool defined = false;
    float colour[3], ambient[3], position[4];
};
struct LModel {
    bool defined = false;
    float ambient[3];
    bool local;
};

Material materials[MAXDEF];
Light lights[MAXDEF];
LModel lmodels[MAXDEF];

void set3(float* d, float a, float b, float c) { d[0] = a; d[1] = b; d[2] = c; }

// The classic defaults of a fresh definition.
void init(Material& m)
{
    m.defined = true;
    set3(m.emission, 0, 0, 0);
    set3(m.ambient, 0.2f, 0.2f, 0.2f);
    set3(m.diffuse, 0.8f, 0.8f, 0.8f);
    set3(m.specular, 0, 0, 0);
    m.shininess = 0;
}
void init(Light& l)
{
    l.defined = true;
    set3(l.colour, 1, 1, 1);
    set3(l.ambient, 0, 0, 0);
    set3(l.position, 0, 0, 1);
    l.position[3] = 0;
}
void init(LModel& l)
{
    l.defined = true;
    set3(l.ambient, 0.2f, 0.2f, 0.2f);
    l.local = false;
}

// Number of values that follow a token, -1 for a token we do not know.
int values_of(short kind, short token)
{
    switch (kind) {
    case DEFMATERIAL:
        switch (token) {
        case EMISSION: case AMBIENT: case DIFFUSE: case SPECULAR: case COLORINDEXES: return 3;
        case SHININESS: case ALPHA: return 1;
        }
        break;
    case DEFLIGHT:
        switch (token) {
        case AMBIENT: case LCOLOR: case SPOTDIRECTION: return 3;
        case POSITION: return 4;
        case SPOTLIGHT: return 2;
        }
        break;
    case DEFLMODEL:
        switch (token) {
        case AMBIENT: return 3;
        case LOCALVIEWER: case ATTENUATION2: case TWOSIDE: return 1;
        case ATTENUATION: return 2;
        }
        break;
    }
    return -1;
}

float clamp01(float v) { return v < 0.0f ? 0.0f : (v > 1.0f ? 1.0f : v); }

void eye_position(const Window* w, const float p[4], float out[4])
{
    const Mat& m = w->stack[w->sp];
    for (int j = 0; j < 4; ++j)
        out[j] = p[0] * m.m[0][j] + p[1] * m.m[1][j] + p[2] * m.m[2][j] + p[3] * m.m[3][j];
}

}  // namespace

Lighting lighting_now;

const Lighting& gather_lighting(const Window* w)
{
    Lighting& lt = lighting_now;
    lt.stamp = state_stamp;
    lt.id = w->id;
    lt.on = w->material > 0 && materials[w->material].defined;
    if (!lt.on) return lt;
    const Material& m = materials[w->material];
    float amb[3] = {0.2f, 0.2f, 0.2f};
    lt.local = false;
    if (w->lmodel > 0 && lmodels[w->lmodel].defined) {
        const LModel& lm = lmodels[w->lmodel];
        for (int i = 0; i < 3; ++i) amb[i] = lm.ambient[i];
        lt.local = lm.local;
    }
    for (int i = 0; i < 3; ++i) lt.base[i] = m.emission[i] + m.ambient[i] * amb[i];
    lt.light = w->light > 0 && lights[w->light].defined;
    if (lt.light) {
        const Light& l = lights[w->light];
        const float* p = w->lightpos;
        lt.positional = p[3] != 0.0f;
        for (int i = 0; i < 3; ++i) {
            lt.pos[i] = lt.positional ? p[i] / p[3] : p[i];
            lt.lamb[i] = l.ambient[i] * m.ambient[i];
            lt.colour[i] = l.colour[i];
            lt.diffuse[i] = m.diffuse[i];
            lt.specular[i] = m.specular[i];
        }
        lt.shininess = m.shininess;
    }
    return lt;
}

void light_vertex(const Lighting& lt, const float e[3], const float n[3], float out[3])
{
    float c[3] = {lt.base[0], lt.base[1], lt.base[2]};
    if (lt.light) {
        float L[3];
        if (lt.positional) {
            L[0] = lt.pos[0] - e[0];
            L[1] = lt.pos[1] - e[1];
            L[2] = lt.pos[2] - e[2];
        } else {
            L[0] = lt.pos[0];
            L[1] = lt.pos[1];
            L[2] = lt.pos[2];
        }
        float ll = std::sqrt(L[0] * L[0] + L[1] * L[1] + L[2] * L[2]);
        float ndl = 0.0f, spec = 0.0f;
        if (ll > 0.0f) {
            L[0] /= ll;
            L[1] /= ll;
            L[2] /= ll;
            ndl = n[0] * L[0] + n[1] * L[1] + n[2] * L[2];
        }
        if (ndl > 0.0f) {
            float V[3] = {0.0f, 0.0f, 1.0f};
            if (lt.local) {
                float vl = std::sqrt(e[0] * e[0] + e[1] * e[1] + e[2] * e[2]);
                if (vl > 0.0f) {
                    V[0] = -e[0] / vl;
                    V[1] = -e[1] / vl;
                    V[2] = -e[2] / vl;
                }
            }
            float H[3] = {L[0] + V[0], L[1] + V[1], L[2] + V[2]};
            float hl = std::sqrt(H[0] * H[0] + H[1] * H[1] + H[2] * H[2]);
            if (hl > 0.0f) {
                float ndh = (n[0] * H[0] + n[1] * H[1] + n[2] * H[2]) / hl;
                if (ndh > 0.0f) spec = std::pow(ndh, lt.shininess);
            }
        } else {
            ndl = 0.0f;
        }
        for (int i = 0; i < 3; ++i)
            c[i] += lt.lamb[i] + lt.colour[i] * (lt.diffuse[i] * ndl + lt.specular[i] * spec);
    }
    for (int i = 0; i < 3; ++i) out[i] = clamp01(c[i]);
}

// A redefined light that is bound in the current window takes its new
// position through the current viewing matrix, as a fresh bind would.
void rebind_lights_for_index(short index)
{
    if (cur && cur->light == index) eye_position(cur, lights[index].position, cur->lightpos);
}

}  // namespace core

using namespace core;

void lmdef(short deftype, short index, short np, const float* props)
{
    if (index <= 0 || index >= MAXDEF) return;
    light_pending();
    ++state_stamp;
    switch (deftype) {
    case DEFMATERIAL: if (!materials[index].defined) init(materials[index]); break;
    case DEFLIGHT: if (!lights[index].defined) init(lights[index]); break;
    case DEFLMODEL: if (!lmodels[index].defined) init(lmodels[index]); break;
    default: return;
    }
    if (!props) return;
    int k = 0;
    while (np <= 0 || k < np) {
        short token = (short)props[k];
        if (token == LMNULL) break;
        int nv = values_of(deftype, token);
        if (nv < 0 || (np > 0 && k + 1 + nv > np)) break;  // unknown or cut short
        const float* v = props + k + 1;
        switch (deftype) {
        case DEFMATERIAL: {
            Material& m = materials[index];
            switch (token) {
            case EMISSION: set3(m.emission, v[0], v[1], v[2]); break;
            case AMBIENT: set3(m.ambient, v[0], v[1], v[2]); break;
            case DIFFUSE: set3(m.diffuse, v[0], v[1], v[2]); break;
            case SPECULAR: set3(m.specular, v[0], v[1], v[2]); break;
            case SHININESS: m.shininess = v[0] < 0.0f ? 0.0f : v[0]; break;
            }
            break;
        }
        case DEFLIGHT: {
            Light& l = lights[index];
            switch (token) {
            case LCOLOR: set3(l.colour, v[0], v[1], v[2]); break;
            case AMBIENT: set3(l.ambient, v[0], v[1], v[2]); break;
            case POSITION: for (int i = 0; i < 4; ++i) l.position[i] = v[i]; break;
            }
            break;
        }
        case DEFLMODEL: {
            LModel& l = lmodels[index];
            switch (token) {
            case AMBIENT: set3(l.ambient, v[0], v[1], v[2]); break;
            case LOCALVIEWER: l.local = v[0] != 0.0f; break;
            }
            break;
        }
        }
        k += 1 + nv;
    }
    if (deftype == DEFLIGHT) rebind_lights_for_index(index);
}

void lmbind(short target, short index)
{
    if (!cur) return;
    if (index < 0 || index >= MAXDEF) return;
    light_pending();
    ++state_stamp;
    switch (target) {
    case MATERIAL: cur->material = index; break;
    case LMODEL: cur->lmodel = index; break;
    case LIGHT0:
        cur->light = index;
        if (index > 0 && lights[index].defined) eye_position(cur, lights[index].position, cur->lightpos);
        break;
    }
}

}  // namespace gl
