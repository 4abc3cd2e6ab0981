// model.cpp - the model's globals with their start-up values, and restart().
#include "app/model.h"

#include "app/app.h"
#include "curve/curve.h"
#include "panels/panels.h"

double helico_r0 = 0.1;
double helico_z0 = 0.2;
double helico_rate = 1.1;
double helico_endangle = 26.4;
double helico_stepsize = 16.0;
double hortsize = 0.0;
double hortmag = 0.0;
double vertsize = 0.0;
double vertmag = 0.0;
double genstepsize = 1.0;
double shellscale = 0.0;

short sea_xeye = 3, sea_yeye = 1, sea_zeye = 10;
short sea_xlasteye = 0, sea_ylasteye = 0, sea_zlasteye = 0;
short lightxlast = 0, lightylast = 0, lightzlast = 0;

float material[15] = {5.0f, 128.0f, 3.0f, 1.0f, 0.0f, 0.0f, 4.0f, 1.0f,
                      1.0f, 1.0f,   2.0f, 0.0f, 0.0f, 0.0f, 0.0f};
float lightmodel[7] = {2.0f, 0.1f, 0.1f, 0.1f, 201.0f, 1.0f, 0.0f};
float light1[10] = {102.0f, 10.0f, 5.0f, 10.0f, 1.0f, 101.0f, 1.0f, 1.0f, 1.0f, 0.0f};
float light2[10] = {102.0f, -10.0f, -10.0f, -10.0f, 1.0f, 101.0f, 1.0f, 1.0f, 1.0f, 0.0f};
double shinnessvalue = 128.0;
double reflectvalue = 0.2;
double DL[12] = {0.0};  // the light colours are copied in when the bar tables are built
int lightno = 1;
double diffusecoeff = 0.9;

double pattern_r = 1.0, pattern_g = 0.0, pattern_b = 0.0;
double background_r = 0.0, background_g = 0.0, background_b = 0.0;
double specular_r = 1.0, specular_g = 1.0, specular_b = 1.0;

double t_actdiffrate = 0.04, t_adecayrate = 0.1, t_subdiffrate = 0.0, t_sdecayrate = 0.0,
       t_p0 = 0.005, t_prop = 0.1, t_k = 1.0, t_productratemax = 0.012, t_productratemin = 0.0,
       t_period = 4.0, t_initvalue = 4.0, t_delta = 0.1;
double i_actdiffrate = 0.015, i_adecayrate = 0.1, i_subdiffrate = 0.0, i_sdecayrate = 0.014,
       i_p0 = 0.0001, i_prop = 0.1, i_k = 0.25, i_h0 = 0.1, i_hormoneprop = 0.1,
       i_hdecayrate = 0.1, i_productrate = 0.0002, i_initvalue = 1.0, i_delta = 0.1;
double s_gdiffrate = 0.1, s_gdecayrate = 0.05, s_sdiffrate = 0.01, s_sdecayrate = 0.11,
       s_p0 = 0.037, s_cprop = 0.01, s_rdecayrate = 0.05, s_p1 = 0.001, s_initvalue = 0.5,
       s_delta = 0.1;

int shellmode = 17;
short vmode = 1;
short texturetype = 52;

float Iden[4][4] = {{1, 0, 0, 0}, {0, 1, 0, 0}, {0, 0, 1, 0}, {0, 0, 0, 1}};

static void resettexturedefaults()
{
    t_actdiffrate = 0.04; t_adecayrate = 0.1; t_subdiffrate = 0.0; t_sdecayrate = 0.0;
    t_p0 = 0.005; t_prop = 0.1; t_k = 1.0; t_productratemax = 0.012; t_productratemin = 0.0;
    t_period = 4.0; t_initvalue = 4.0; t_delta = 0.1;
    i_actdiffrate = 0.015; i_adecayrate = 0.1; i_subdiffrate = 0.0; i_sdecayrate = 0.014;
    i_p0 = 0.0001; i_prop = 0.1; i_k = 0.25; i_h0 = 0.1; i_hormoneprop = 0.1;
    i_hdecayrate = 0.1; i_productrate = 0.0002; i_initvalue = 1.0; i_delta = 0.1;
    s_gdiffrate = 0.1; s_gdecayrate = 0.05; s_sdiffrate = 0.01; s_sdecayrate = 0.11;
    s_p0 = 0.037; s_cprop = 0.01; s_rdecayrate = 0.05; s_p1 = 0.001; s_initvalue = 0.5;
    s_delta = 0.1;
}

void materialfromdoubles()
{
    material[1] = (float)shinnessvalue;
    material[3] = (float)pattern_r;
    material[4] = (float)pattern_g;
    material[5] = (float)pattern_b;
    material[7] = (float)specular_r;
    material[8] = (float)specular_g;
    material[9] = (float)specular_b;
}

// Keeps shellscale, shinnessvalue, reflectvalue, shellmode, lightno,
// diffusecoeff, the pending offsets and the light positions in DL.
void restart()
{
    delete_path();

    hortsize = 0.0; hortmag = 0.0; vertsize = 0.0; vertmag = 0.0;
    genstepsize = 1.0;
    helico_r0 = 0.1; helico_z0 = 0.2; helico_rate = 1.1;
    helico_endangle = 26.4; helico_stepsize = 16.0;

    status = 1; InsertType = 32; vmode = 1; texturetype = 52;

    light1[0] = 102.0f; light1[1] = 10.0f; light1[2] = 5.0f; light1[3] = 10.0f;
    light2[0] = 102.0f; light2[1] = -10.0f; light2[2] = -10.0f; light2[3] = -10.0f;

    sea_xeye = 3; sea_yeye = 1; sea_zeye = 10;

    resettexturedefaults();

    pattern_r = 1.0; pattern_g = 0.0; pattern_b = 0.0;
    background_r = 0.0; background_g = 0.0; background_b = 0.0;
    specular_r = 1.0; specular_g = 1.0; specular_b = 1.0;
    DL[3] = DL[4] = DL[5] = 1.0;
    DL[9] = DL[10] = DL[11] = 1.0;

    light1[6] = (float)DL[3]; light1[7] = (float)DL[4]; light1[8] = (float)DL[5];
    light2[6] = (float)DL[9]; light2[7] = (float)DL[10]; light2[8] = (float)DL[11];
    materialfromdoubles();

    InitParambar();
    redraw(0);
}
