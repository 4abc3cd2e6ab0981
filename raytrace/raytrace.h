// raytrace.h - the ray tracer: the shell cut into triangles, ray-triangle
// intersection and shading, camera, anti-aliased sampling and row-by-row
// output.
//
// seashellraytracing(N) is the menu command: it cuts the current shell into a
// list of TraceTriangle records and calls startraytracing(N), which asks for a
// file name, opens the image window and traces the image row by row.
//
// Two tracers give the same bytes. The reference tests every ray against
// every triangle of the list (raytrace()); the default one puts the same
// triangles into a bounding volume hierarchy, runs the same intersection code
// at its leaves and traces the sample rows on all cores. raytracereference = 1
// selects the reference.
//
// traceimage() is the core of a run without windows or files: tests and
// benchmarks render into memory with it.
#pragma once

#include "raytrace/intercept.h"
#include "shell/shell.h"

// ---- trace triangles -----------------------------------------------------

// The list head: only its next field is used. Start-up points ListHeadPtr at
// ListHead and clears ListHead.next; both already hold that before start-up.
extern TraceTriangle ListHead;
extern TraceTriangle* ListHeadPtr;

// Start-up: makes the triangle list empty (ListHeadPtr to ListHead, no link).
void inittracelist();

// Texture-map rows per ring and columns per curve point, set before tracing.
extern double VertGridSize, HortGridSize;

// Corner (i, j) as vectors, corners (i+1, j) and (i, j+1) as ring points.
void InsertTriangle(const TraceVector* pos, const TraceVector* nor, const RingPoint* p1,
                    const RingPoint* p2, short ring, short point);
// Corner (i, j+1) as vectors, corners (i+1, j) and (i+1, j+1) as ring points.
void InsertTriangle2(const TraceVector* pos, const TraceVector* nor, const RingPoint* p1,
                     const RingPoint* p2, short ring, short point);
// Shading normal N facing against d and the texture value at (u, v); returns
// N.d (never positive).
double TriangleNormal(TraceVector* N, const TraceVector* d, const TraceTriangle* tri, double u,
                      double v, double* texture);
void freeTraceObjectList();

// ---- ray tracing ---------------------------------------------------------

extern int HelicoSegment;
extern int raytracereference;  // 1: trace with the reference (list) tracer
extern int raytracethreads;    // threads of the default tracer; 0: one per core

// Adds the colour seen along the unit ray (o, d) to colour[3]; depth 0 for a
// primary ray. Tests every triangle of the list.
void raytrace(const TraceVector* o, const TraceVector* d, double colour[3], int depth);

// Traces the current shell at size N x N: asks for a file name, writes the
// image and its shell file, shows the image as it grows.
void seashellraytracing(int N);
void startraytracing(int N);

// Cuts the current shell into the triangle list, sets HelicoSegment and fills
// DL from the two lights. Returns 0 (and makes nothing) with fewer than two
// control nodes.
int triangulateshell();

// The camera of the current eye position for an N x N image. Returns 0 when
// the eye is at the origin: there is no view direction then.
struct TraceCamera {
    TraceVector E, F, V, H;
    double h, pitch;
};
int setupcamera(TraceCamera* cam, int N);

// Receives image row r (1 .. N, bottom first) of N pixels.
typedef void (*TraceRowOut)(int r, const unsigned char* red, const unsigned char* green,
                            const unsigned char* blue, void* user);

// Traces the triangle list into N x N pixels with the texture map that
// exists (createtexturemap must have run); sets HortGridSize and
// VertGridSize. Rows reach out in order from the calling thread. reference
// selects the list tracer (one thread); otherwise the hierarchy on all cores.
// Returns 0, tracing nothing, when the camera is undefined or the list empty.
int traceimage(int N, int reference, TraceRowOut out, void* user);
