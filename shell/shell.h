// shell.h - the shell surface, generated ring by ring from the generating
// curve and the growth spiral; its display as lines or lit solid; and the
// growth-axis window.
#pragma once

// One ring vertex: position x, y, z and normal nx, ny, nz.
struct RingPoint {
    float p[3];
    float n[3];
};

// Consumer of the generation: called once per growth step k >= 1 with the
// previous ring and the new one, each CurveSegment points long. With a single
// in-place buffer, prev and cur alias; generateshell hands two buffers so a
// consumer may read both freely.
typedef void (*RingConsumer)(const RingPoint* prev, const RingPoint* cur, int k, void* user);

// Runs the generation (no rings with fewer than two nodes).
void generateshell(RingConsumer consumer, void* user);

void seashellredraw();
void seashellsolidredraw();
void seashellgridredraw();
void definelight();

void helicoredraw();
void draw_helico(double r0, double z0, double rate, double endangle, double stepsize);
void draw_reverseXYZ();
void draw_XYZ();

// Optional observer of the primitives the shell and growth-axis drawings send,
// for tests: SHELLTRACE_STRIP or SHELLTRACE_LINE when a triangle strip or a
// line begins, SHELLTRACE_VERTEX for each vertex with its normal (null for
// unlit lines) and position. Null by default; the drawing is the same either way.
enum { SHELLTRACE_STRIP = 1, SHELLTRACE_LINE = 2, SHELLTRACE_VERTEX = 3 };
extern void (*shelltrace)(int what, const float* n, const float* v);
