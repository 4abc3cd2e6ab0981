// triangulate.cpp - the "Raytracing" command: cuts the current shell into
// trace triangles and hands over to startraytracing.
//
// The rings come from generateshell(), the same numbers the display draws.
// Growth step k (0-based) joins ring k and ring k + 1; each quad (k, j) of
// that band, j = 0 .. CurveSegment - 2, becomes two triangles with ring index
// k and point index j. HelicoSegment counts the growth steps.
#include <cmath>

#include "app/app.h"
#include "app/model.h"
#include "curve/curve.h"
#include "raytrace/raytrace.h"

// Each trace triangle takes a few hundred bytes: a shell from a file can ask
// for more than memory holds, and the allocation would not fail but the
// system would end the process. 20 million triangles are about 5 GB, more
// than the bars can ask for.
static const double MAXTRACETRIANGLES = 20e6;

int HelicoSegment;

static void cutband(const RingPoint* prev, const RingPoint* cur, int k, void* user)
{
    short ring = (short)(k - 1);
    for (int j = 0; j + 1 < CurveSegment; j++) {
        TraceVector pos = {(double)prev[j].p[0], (double)prev[j].p[1], (double)prev[j].p[2]};
        TraceVector nor = {(double)prev[j].n[0], (double)prev[j].n[1], (double)prev[j].n[2]};
        InsertTriangle(&pos, &nor, &cur[j], &prev[j + 1], ring, (short)j);
        TraceVector pos2 = {(double)prev[j + 1].p[0], (double)prev[j + 1].p[1], (double)prev[j + 1].p[2]};
        TraceVector nor2 = {(double)prev[j + 1].n[0], (double)prev[j + 1].n[1], (double)prev[j + 1].n[2]};
        InsertTriangle2(&pos2, &nor2, &cur[j], &cur[j + 1], ring, (short)j);
    }
    *(int*)user = k;
}

// The number of triangles generateshell() will hand over, counted the way it
// steps the growth angle.
static double tracetriangles()
{
    double delta = 6.283185307179586 / helico_stepsize;
    if (!(delta > 0.0) || !std::isfinite(delta) || CurveSegment < 2) return 0.0;
    double steps = 0.0;
    for (double theta = delta; theta < helico_endangle && steps <= 1e6; theta += delta) steps += 1.0;
    return steps * 2.0 * (CurveSegment - 1);
}

int triangulateshell()
{
    if (ObjectPtr->count < 2)
        return 0;
    if (tracetriangles() > MAXTRACETRIANGLES) {
        messagebox("No image: too many triangles !\n");
        return 0;
    }
    int steps = 0;
    generateshell(cutband, &steps);
    HelicoSegment = steps;

    // Light records: position from element 1..3, colour from 6..8 of each list.
    DL[0] = light1[1];
    DL[1] = light1[2];
    DL[2] = light1[3];
    DL[3] = light1[6];
    DL[4] = light1[7];
    DL[5] = light1[8];
    DL[6] = light2[1];
    DL[7] = light2[2];
    DL[8] = light2[3];
    DL[9] = light2[6];
    DL[10] = light2[7];
    DL[11] = light2[8];
    return 1;
}

void seashellraytracing(int N)
{
    if (triangulateshell())
        startraytracing(N);
}
