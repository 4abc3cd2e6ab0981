// raytrace.h - the ray tracer: the shell cut into triangles, ray-triangle
// intersection and shading, camera, anti-aliased sampling and row-by-row
// output.
#pragma once

extern int HelicoSegment;
extern double HortGridSize, VertGridSize;

// Start-up: makes the triangle list empty (ListHeadPtr to ListHead, no link).
void inittracelist();

// Traces the current shell at size N x N: asks for a file name, writes the
// image and its shell file, shows the image as it grows.
void seashellraytracing(int N);
void startraytracing(int N);
