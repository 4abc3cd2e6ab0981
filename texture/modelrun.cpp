// modelrun.cpp - the protocol that the three pigmentation models share.
//
// A run sets Ambdiff, derives k time steps per row from the increment size,
// allocates the model's state arrays (and in preview the three byte rows),
// draws the initial values, makes (R + 50) x k time steps and, from step 50k
// on, delivers the first state array after every k-th step: exactly R rows,
// 0..R-1. In texture-map mode the current window's title shows
// "Building texture : %d%%"; in preview mode the left mouse button stops the
// run at once. Everything allocated is released however the run ends.
#include "texture/modelrun.h"

#include <cstdio>
#include <cstdlib>

#include "app/model.h"
#include "platform/gl.h"
#include "texture/texture.h"

void (*texturetitle)(const char*) = gl::wintitle;

int stepsperrow(double delta)
{
    // The bars keep delta within 0.01..1; a file may bring anything. Below 1
    // step per row nothing would be delivered, and beyond 100 (what 0.01
    // gives) the step count soon has no end in sight.
    double q = 1.0 / delta;
    if (!(q >= 1.0))
        return 1;
    if (q >= 100.0)
        return 100;
    return (int)q;
}

void runtexturemodel(int N, int R, double delta, int narrays, double initvalue, int (*draw)(),
                     ModelStep step, const void* model, unsigned char tomap)
{
    Ambdiff_r = pattern_r - background_r;
    Ambdiff_g = pattern_g - background_g;
    Ambdiff_b = pattern_b - background_b;
    if (N < 1)
        return;

    long long k = stepsperrow(delta);
    double* state[8];
    for (int a = 0; a < narrays; a++)
        state[a] = getdoublevect(N);
    if (!tomap) {
        Col_R = getRGBvect(N);
        Col_G = getRGBvect(N);
        Col_B = getRGBvect(N);
    }

    for (int j = 0; j < N; j++)
        for (int a = 0; a < narrays; a++)
            state[a][j] = draw() / (double)maxrandom * initvalue;

    long long n = ((long long)(R > 0 ? R : 0) + 50) * k;
    long long warmup = 50 * k;
    int row = 0, shown = -1;
    char title[40];
    for (long long i = 0; i < n; i++) {
        step(N, state, model);
        if (tomap) {
            // Same percentage as rewriting the title at every step, for a
            // fraction of the cost.
            int percent = (int)(100.0 * i / n);
            if (percent != shown) {
                shown = percent;
                std::snprintf(title, sizeof title, "Building texture : %d%%", percent);
                texturetitle(title);
            }
        }
        if (i >= warmup && i % k == 0)
            Displaytexture(row++, N, state[0], tomap);
        if (!tomap) {
            gl::pollinput();
            if (gl::getbutton(gl::LEFTMOUSE))
                break;
        }
    }

    for (int a = 0; a < narrays; a++)
        std::free(state[a]);
    if (!tomap) {
        std::free(Col_R);
        std::free(Col_G);
        std::free(Col_B);
        Col_R = Col_G = Col_B = nullptr;
    }
}

void runcurrentmodel(int kind, int N, int R, unsigned char tomap)
{
    switch (kind) {
    case 50:
        ActivateSubstrateModel(N, R, t_actdiffrate, t_subdiffrate, t_adecayrate, t_sdecayrate,
                               t_productratemax, t_productratemin, t_prop, t_k, t_p0, t_period,
                               t_initvalue, tomap);
        break;
    case 51:
        ActivateInhibitorModel(N, R, i_actdiffrate, i_subdiffrate, i_adecayrate, i_sdecayrate,
                               i_hdecayrate, i_productrate, i_prop, i_k, i_p0, i_initvalue,
                               i_hormoneprop, i_h0, tomap);
        break;
    default:
        StripeFormationModel(N, R, s_gdiffrate, s_sdiffrate, s_gdecayrate, s_sdecayrate, s_cprop,
                             s_rdecayrate, s_p0, s_p1, s_initvalue, tomap);
        break;
    }
}
