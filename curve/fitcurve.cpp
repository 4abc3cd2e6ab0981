// fitcurve.cpp - the interpolating cubic B-spline through the control nodes.
//
// Solves (1/6) P[j-1] + (2/3) P[j] + (1/6) P[j+1] = D[j] for j = 1..n with
// P[0] = P[1] and P[n+1] = P[n], so that the uniform B-spline on P[0..n+1]
// passes through every node D[1..n] in list order. The end conditions fold
// into the first and last diagonal entries (5/6), leaving a tridiagonal system
// solved by forward elimination and back substitution, in double precision.
//
// Run after every change of the nodes; with fewer than two nodes the arrays
// keep their old values (nothing reads them then).
#include "curve/curve.h"

double xcontrol[32], ycontrol[32], zcontrol[32];
double A[32], B[32], C[32];

void fitcurve()
{
    int n = ObjectPtr->count;
    if (n < 2 || n > 30) return;

    double dx[32], dy[32], dz[32];
    int j = 1;
    for (ControlNode* p = ObjectPtr->head; p && j <= n; p = p->next, j++) {
        dx[j] = p->x;
        dy[j] = p->y;
        dz[j] = p->z;
    }
    if (j <= n) return;  // the list is shorter than its count

    for (j = 1; j <= n; j++) {
        A[j] = 1.0 / 6.0;
        C[j] = 1.0 / 6.0;
        B[j] = 2.0 / 3.0;
    }
    B[1] = 5.0 / 6.0;
    B[n] = 5.0 / 6.0;

    for (j = 2; j <= n; j++) {
        double f = A[j] / B[j - 1];
        B[j] = B[j] - C[j - 1] * f;
        dx[j] = dx[j] - dx[j - 1] * f;
        dy[j] = dy[j] - dy[j - 1] * f;
        dz[j] = dz[j] - dz[j - 1] * f;
    }

    xcontrol[n] = xcontrol[n + 1] = dx[n] / B[n];
    ycontrol[n] = ycontrol[n + 1] = dy[n] / B[n];
    zcontrol[n] = zcontrol[n + 1] = dz[n] / B[n];
    for (j = n - 1; j >= 1; j--) {
        xcontrol[j] = (dx[j] - C[j] * xcontrol[j + 1]) / B[j];
        ycontrol[j] = (dy[j] - C[j] * ycontrol[j + 1]) / B[j];
        zcontrol[j] = (dz[j] - C[j] * zcontrol[j + 1]) / B[j];
    }
    xcontrol[0] = xcontrol[1];
    ycontrol[0] = ycontrol[1];
    zcontrol[0] = zcontrol[1];
}
