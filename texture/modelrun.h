// modelrun.h - the inside of pigmentation: the two random generators, the
// common protocol of a model run and the three models' time steps.
//
// A model is a state of a few arrays of N doubles over a ring of cells and a
// time step that advances all of them once. runtexturemodel does everything
// the three models share (allocation, initial draws, warm-up, delivery of
// rows, progress title, the preview's stop button, release); each model's
// entry point fills its record of parameters and hands over its step.
//
// The draws and the progress title go through replaceable hooks so that a
// single step can be checked with a fixed fluctuation factor and the titles
// of a run can be recorded; the program never changes them.
#pragma once

// The project's own generators, never seeded: every process starts them from
// the same state and successive runs continue the same sequences.
int random31();  // 0..2147483647, the additive feedback generator of BSD random()
int random15();  // 0..32767, the linear congruential generator of the classic C rand()

extern int (*drawrandom31)();               // random31 unless replaced
extern int (*drawrandom15)();               // random15 unless replaced
extern void (*texturetitle)(const char*);  // gl::wintitle unless replaced

// Time steps per delivered row, trunc(1 / delta), kept within 1..100.
int stepsperrow(double delta);

// One time step over the ring; state holds the model's arrays in its order.
typedef void (*ModelStep)(int N, double** state, const void* model);

// The common run: narrays state arrays of N doubles (state[0] is delivered),
// initial values draw / maxrandom x initvalue cell by cell and array by array
// within a cell, (R + 50) x k steps, R rows delivered after steps 50k, 51k, ...
void runtexturemodel(int N, int R, double delta, int narrays, double initvalue, int (*draw)(),
                     ModelStep step, const void* model, unsigned char tomap);

// Activator-substrate: state a, s.
struct SubstrateModel {
    double Da, Ds, mua, mus, c, kappa, p0, delta;
    const double* sigma;  // substrate production per cell
};
// sigma[j] = amp x sin(j / T) + mid, with max and min put in order.
void substrateprofile(double* sigma, int N, double productratemax, double productratemin,
                      double period);
void substratestep(int N, double** state, const void* model);

// Activator-inhibitor: state a, b, h.
struct InhibitorModel {
    double Da, Db, mua, mub, muh, sigmab, c, kappa, p0, ch, b0, delta;
};
void inhibitorstep(int N, double** state, const void* model);

// Stripe formation: state g1, g2, s1, s2, r; draws from the 15-bit generator.
struct StripeModel {
    double Dg, Ds, mug, mus, c, mur, p0, p1, delta;
};
void stripestep(int N, double** state, const void* model);
