// model.h - the model state: every parameter of the shell's growth and
// sculpture, the view, lights and material, colours, the three pigmentation
// models and the mode switches, with their built-in defaults.
//
// Plain globals by design: the parameter bars bind to the doubles by address,
// the shell file stores them, and restart() puts them back.
#pragma once

// Shell growth and sculpture.
extern double helico_r0, helico_z0, helico_rate, helico_endangle, helico_stepsize;
extern double hortsize, hortmag, vertsize, vertmag, genstepsize, shellscale;

// Viewing position (model units) and pending drag offsets.
extern short sea_xeye, sea_yeye, sea_zeye;
extern short sea_xlasteye, sea_ylasteye, sea_zlasteye;
extern short lightxlast, lightylast, lightzlast;

// Lighting property lists, as handed to lmdef, and their double mirrors.
extern float material[15];
extern float lightmodel[7];
extern float light1[10];
extern float light2[10];
extern double shinnessvalue;
extern double reflectvalue;
extern double DL[12];
extern int lightno;
extern double diffusecoeff;

// Colours, 0..1 per channel.
extern double pattern_r, pattern_g, pattern_b;
extern double background_r, background_g, background_b;
extern double specular_r, specular_g, specular_b;

// Activator-substrate model.
extern double t_actdiffrate, t_adecayrate, t_subdiffrate, t_sdecayrate, t_p0, t_prop, t_k,
    t_productratemax, t_productratemin, t_period, t_initvalue, t_delta;
// Activator-inhibitor model.
extern double i_actdiffrate, i_adecayrate, i_subdiffrate, i_sdecayrate, i_p0, i_prop, i_k, i_h0,
    i_hormoneprop, i_hdecayrate, i_productrate, i_initvalue, i_delta;
// Stripe-formation model.
extern double s_gdiffrate, s_gdecayrate, s_sdiffrate, s_sdecayrate, s_p0, s_cprop, s_rdecayrate,
    s_p1, s_initvalue, s_delta;

// Mode switches (mode, status, InsertType belong to the curve editor).
extern int shellmode;      // 17 lines, 18 solid
extern short vmode;        // 1 view point, 15 light position
extern short texturetype;  // 49 stripe, 50 act-sub, 51 act-inh, 52 uniform

// Fixed display data.
extern float Iden[4][4];

// Copies the doubles that mirror material elements (shininess, pattern and
// specular colour) into material, in single precision: done before the next
// display, and before InitParambar copies the lists back into the doubles.
void materialfromdoubles();

// Puts the model back to its defaults (see model.cpp for what it keeps),
// rebuilds the bar tables and redraws every window.
void restart();
