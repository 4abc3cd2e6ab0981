// actsub.cpp - the activator-substrate model: a self-enhancing activator
// produced in proportion to a substrate that its production uses up; the
// substrate is made along the edge at a rate that varies sinusoidally with
// the cell index between a minimum and a maximum. Delivers the activator.
//
// One draw of the 31-bit generator per cell and step (a +-2.5 % fluctuation
// of the production); the production profile is computed once per run.
#include <cmath>
#include <cstdlib>

#include "app/model.h"
#include "texture/modelrun.h"
#include "texture/texture.h"

void substrateprofile(double* sigma, int N, double productratemax, double productratemin,
                      double period)
{
    double hi = productratemax, lo = productratemin;
    if (hi < lo) {
        hi = productratemin;
        lo = productratemax;
    }
    double mid = (hi + lo) * 0.5, amp = (hi - lo) * 0.5;
    for (int j = 0; j < N; j++)
        sigma[j] = amp * std::sin((double)j / period) + mid;
}

void substratestep(int N, double** state, const void* model)
{
    const SubstrateModel* m = (const SubstrateModel*)model;
    double* a = state[0];
    double* s = state[1];
    // In-place update: keep the old left neighbour and the old cell 0.
    double aleft = a[N - 1], sleft = s[N - 1];
    double a0 = a[0], s0 = s[0];
    for (int j = 0; j < N; j++) {
        double aj = a[j], sj = s[j];
        double aright = j + 1 < N ? a[j + 1] : a0;
        double sright = j + 1 < N ? s[j + 1] : s0;
        double rho = 0.975 + 0.05 * (drawrandom31() / (double)maxrandom);
        double O = rho * m->c * sj * (m->p0 + aj * aj / (1.0 + m->kappa * (aj * aj)));
        a[j] = aj + m->delta * (O - m->mua * aj + m->Da * (aleft + aright - 2.0 * aj));
        s[j] = sj + m->delta * (m->sigma[j] - O - m->mus * sj + m->Ds * (sleft + sright - 2.0 * sj));
        aleft = aj;
        sleft = sj;
    }
}

void ActivateSubstrateModel(int N, int R, double actdiffrate, double subdiffrate, double adecayrate,
                            double sdecayrate, double productratemax, double productratemin,
                            double prop, double k, double p0, double period, double initvalue,
                            unsigned char tomap)
{
    double* sigma = getdoublevect(N);
    substrateprofile(sigma, N, productratemax, productratemin, period);
    SubstrateModel m = {actdiffrate, subdiffrate, adecayrate, sdecayrate, prop, k, p0, t_delta, sigma};
    runtexturemodel(N, R, t_delta, 2, initvalue, drawrandom31, substratestep, &m, tomap);
    std::free(sigma);
}
