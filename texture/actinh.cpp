// actinh.cpp - the activator-inhibitor model: a self-enhancing activator
// held in check by an inhibitor that its own production makes; a hormone
// that does not diffuse is produced in proportion to the mean activator of
// the whole edge and slows the inhibitor's decay. Delivers the activator.
//
// One draw of the 31-bit generator per cell and step (a +-2.5 % fluctuation
// of the coefficient of proportionality). The divisions by b + b0 and by h
// are not guarded: infinities and NaN reach the row delivery, which copes.
#include "app/model.h"
#include "texture/modelrun.h"
#include "texture/texture.h"

void inhibitorstep(int N, double** state, const void* model)
{
    const InhibitorModel* m = (const InhibitorModel*)model;
    double* a = state[0];
    double* b = state[1];
    double* h = state[2];

    // The hormone source comes from the activator before any cell changes.
    double S = 0.0;
    for (int j = 0; j < N; j++)
        S += a[j];
    double q = m->ch * S / (double)N;

    double aleft = a[N - 1], bleft = b[N - 1];
    double a0 = a[0], b0 = b[0];
    for (int j = 0; j < N; j++) {
        double aj = a[j], bj = b[j], hj = h[j];
        double aright = j + 1 < N ? a[j + 1] : a0;
        double bright = j + 1 < N ? b[j + 1] : b0;
        double rho = m->c * (0.975 + 0.05 * (drawrandom31() / (double)maxrandom));
        double P = aj * aj / (m->kappa * (aj * aj) + 1.0);
        a[j] = aj + m->delta * (rho * (P + m->p0) / (bj + m->b0) - m->mua * aj +
                                m->Da * (aleft + aright - 2.0 * aj));
        b[j] = bj + m->delta * (m->sigmab + rho * P - m->mub * bj / hj +
                                m->Db * (bleft + bright - 2.0 * bj));
        h[j] = hj + m->delta * (q - m->muh * hj);
        aleft = aj;
        bleft = bj;
    }
}

void ActivateInhibitorModel(int N, int R, double actdiffrate, double subdiffrate, double adecayrate,
                            double sdecayrate, double hdecayrate, double productrate, double prop,
                            double k, double p0, double initvalue, double hormoneprop, double h0,
                            unsigned char tomap)
{
    InhibitorModel m = {actdiffrate, subdiffrate, adecayrate, sdecayrate, hdecayrate, productrate,
                        prop, k, p0, hormoneprop, h0, i_delta};
    runtexturemodel(N, R, i_delta, 3, initvalue, drawrandom31, inhibitorstep, &m, tomap);
}
