// internal.h - records shared by the drawing side of the graphics core.
//
// A window is a rectangle of the virtual screen with its own colour buffers
// (pixels 0x00BBGGRR, row 0 at the bottom), an optional depth buffer, its
// matrix state, current colour, normal, character position and lighting
// bindings. The window list is kept in stacking order, bottom first. Only
// the core files include this header; the program sees gl.h, the input and
// backend side sees screen.h.
//
// Matrices use the row-vector convention of the classic library: a point
// [x y z 1] becomes [x y z 1] * M, so M[3][0..2] holds a translation and the
// flat memory equals a column-major matrix of the usual textbooks.
#pragma once
#include "platform/gl.h"
#include <cstdint>
#include <string>
#include <vector>

namespace gl::core {

struct Mat {
    float m[4][4];
};

Mat identity();
Mat mul(const Mat& a, const Mat& b);  // a applied first: p * a * b

enum { MAXSTACK = 32 };

struct Window {
    Int32 id = 0;
    std::string title;
    int x = 0, y = 0, w = 1, h = 1;  // lower-left corner on the screen, size

    // configuration: what gconfig() applied, and what it will apply
    bool rgb = false, dbl = false;
    bool want_rgb = false, want_dbl = false;
    bool zbuf = false;

    std::vector<std::uint32_t> buf[2];  // buf[front] is shown
    int front = 0;
    std::vector<float> depth;  // 0 near .. 1 far, allocated by zbuffer(1)

    std::uint32_t colour = 0;          // current packed colour
    float normal[3] = {0.0f, 0.0f, 1.0f};
    float cx = 0.0f, cy = 0.0f;        // character position, window pixels

    // matrices: the projection and the viewing stack (one matrix in MSINGLE)
    short mode = MSINGLE;
    Mat proj;
    Mat stack[MAXSTACK];
    int sp = 0;
    // derived, rebuilt when dirty
    bool dirty = true;
    Mat full;          // stack[sp] * proj
    float nrm[3][3];   // inverse transpose of the viewing matrix (row form)

    // lighting bindings (0 = none); the bound light's position in eye space
    short material = 0, lmodel = 0, light = 0;
    float lightpos[4] = {0.0f, 0.0f, 1.0f, 0.0f};

    std::uint32_t* draw_buffer() { return buf[dbl ? 1 - front : front].data(); }
};

// window list, bottom to top; the current window (nullptr when none)
extern std::vector<Window*>& windows;
extern Window* cur;
Window* find_window(Int32 id);

// Called after drawing into the current window: a single-buffered window
// shows the change at once.
void drawn();

// matrix state of the current window
void update_derived(Window* w);

// Changes whenever something that the processing of a vertex reads may have
// changed: a matrix (when update_derived rebuilds the derived ones), a
// lighting definition or binding. Values derived from that state for many
// vertices are kept with the stamp they were made under.
extern std::uint64_t state_stamp;

// The lighting of a window gathered once for many vertices: which parts are
// on, and the terms that do not depend on the vertex, each formed exactly as
// the per-vertex formula would form it.
struct Lighting {
    std::uint64_t stamp = 0;  // state_stamp when gathered, 0 never
    Int32 id = 0;             // the window
    bool on = false;          // a defined material is bound: vertices are lit
    bool light = false;       // a defined light is bound
    bool positional = false;  // pos is a point, else a direction
    bool local = false;       // local viewer
    float base[3];            // emission + ambient * model ambient
    float lamb[3];            // light ambient * material ambient
    float pos[3];             // light position (divided by its w) in eye space
    float colour[3], diffuse[3], specular[3], shininess;
};
// The lighting of window w under the current state: gathered again only
// when the window or the state changed.
extern Lighting lighting_now;
const Lighting& gather_lighting(const Window* w);
inline const Lighting& lighting(const Window* w)
{
    if (lighting_now.stamp == state_stamp && lighting_now.id == w->id) return lighting_now;
    return gather_lighting(w);
}
// Colour of a vertex (eye-space position and unit normal), 0..1.
void light_vertex(const Lighting& lt, const float eye[3], const float n[3], float out[3]);
void rebind_lights_for_index(short index);

// A drawing target for text: base points at the bottom-left pixel, stride
// is the distance in pixels from one row to the row above (negative for
// top-first images). Pixels keep their top byte.
struct Target {
    std::uint32_t* base;
    long stride;
    int w, h;
};
void text_draw(const Target& t, int x, int y, const char* text, std::uint32_t packed);
int text_advance(const char* text);

// Fills the rectangle (corners included, clipped) of a target.
void fill_rect(const Target& t, int x1, int y1, int x2, int y2, std::uint32_t packed);

// Called by the primitive code when a window closes or changes mid-primitive.
void reset_primitive();

// Works out the colours still waiting in the current primitive's vertices;
// called before a matrix or the lighting changes, as their colours depend on
// the state they were sent under.
void light_pending();

}  // namespace gl::core
