// paramorder.cpp - the stored order of the pigmentation models' parameters.
#include "files/paramorder.h"

#include "app/model.h"

double* const actsubparams[12] = {
    &t_actdiffrate, &t_adecayrate, &t_subdiffrate, &t_sdecayrate, &t_p0, &t_prop,
    &t_k, &t_productratemax, &t_productratemin, &t_initvalue, &t_period, &t_delta,
};

double* const actinhparams[13] = {
    &i_actdiffrate, &i_adecayrate, &i_subdiffrate, &i_sdecayrate, &i_hdecayrate, &i_p0, &i_h0,
    &i_prop, &i_k, &i_productrate, &i_hormoneprop, &i_initvalue, &i_delta,
};

double* const stripeparams[10] = {
    &s_gdiffrate, &s_gdecayrate, &s_sdiffrate, &s_sdecayrate, &s_rdecayrate,
    &s_p0, &s_p1, &s_cprop, &s_initvalue, &s_delta,
};

int modelparams(int code, double* const** table)
{
    switch (code) {
    case 50: *table = actsubparams; return 12;
    case 51: *table = actinhparams; return 13;
    case 49: *table = stripeparams; return 10;
    default: *table = nullptr; return 0;
    }
}
