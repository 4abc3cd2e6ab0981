// stripe.cpp - the stripe-formation model: two self-enhancing activators g1
// and g2, each making its own substrate (s1, s2) and fed by the other's, both
// held in check by one shared inhibitor r that does not diffuse. Delivers g1.
//
// Two draws of the 15-bit generator per cell and step, u1 for g1 then u2 for
// g2, divided by 2147483647 like the other models' draws (so the fluctuation
// stays within 7.7e-7 of 0.975). The division by r is not guarded.
#include "app/model.h"
#include "texture/modelrun.h"
#include "texture/texture.h"

void stripestep(int N, double** state, const void* model)
{
    const StripeModel* m = (const StripeModel*)model;
    double* g1 = state[0];
    double* g2 = state[1];
    double* s1 = state[2];
    double* s2 = state[3];
    double* r = state[4];

    double g1left = g1[N - 1], g2left = g2[N - 1], s1left = s1[N - 1], s2left = s2[N - 1];
    double g10 = g1[0], g20 = g2[0], s10 = s1[0], s20 = s2[0];
    for (int j = 0; j < N; j++) {
        double G1 = g1[j], G2 = g2[j], S1 = s1[j], S2 = s2[j], Rj = r[j];
        bool last = j + 1 == N;
        double g1right = last ? g10 : g1[j + 1];
        double g2right = last ? g20 : g2[j + 1];
        double s1right = last ? s10 : s1[j + 1];
        double s2right = last ? s20 : s2[j + 1];
        double rho1 = 0.975 + 0.05 * (drawrandom15() / (double)maxrandom);
        double rho2 = 0.975 + 0.05 * (drawrandom15() / (double)maxrandom);
        double V1 = rho1 * m->c * (G1 * G1);
        double V2 = rho2 * m->c * (G2 * G2);
        g1[j] = G1 + m->delta * (V1 * S2 / Rj - m->mug * G1 +
                                 m->Dg * (g1left + g1right - 2.0 * G1) + m->p0);
        g2[j] = G2 + m->delta * (V2 * S1 / Rj - m->mug * G2 +
                                 m->Dg * (g2left + g2right - 2.0 * G2) + m->p0);
        r[j] = Rj + m->delta * (V1 * S2 + V1 * S1 - m->mur * Rj);
        s1[j] = S1 + m->delta * (m->mus * (G1 - S1) + m->Ds * (s1left + s1right - 2.0 * S1) + m->p1);
        s2[j] = S2 + m->delta * (m->mus * (G2 - S2) + m->Ds * (s2left + s2right - 2.0 * S2) + m->p1);
        g1left = G1;
        g2left = G2;
        s1left = S1;
        s2left = S2;
    }
}

void StripeFormationModel(int N, int R, double gdiffrate, double sdiffrate, double gdecayrate,
                          double sdecayrate, double cprop, double rdecayrate, double p0, double p1,
                          double initvalue, unsigned char tomap)
{
    StripeModel m = {gdiffrate, sdiffrate, gdecayrate, sdecayrate, cprop, rdecayrate, p0, p1,
                     s_delta};
    runtexturemodel(N, R, s_delta, 5, initvalue, drawrandom15, stripestep, &m, tomap);
}
