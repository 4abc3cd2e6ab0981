// texture.h - pigmentation: the texture map, the common protocol of a model
// run, the three reaction-diffusion models, and the texture dialogs with
// their preview.
//
// The texture map exists only between createtexturemap and freetexturemap,
// inside one ray-tracing run or one texture save. A model run delivers its
// rows either into the map (tomap non-zero) or as pixel rows of the current
// window (tomap zero, the preview).
#pragma once

extern double** texturemap;
extern int texturemapwidth;   // W: the map has W+1 columns
extern int texturemapheight;  // H: the map has H+1 rows
extern double Ambdiff_r, Ambdiff_g, Ambdiff_b;
extern double savebackground_r, savebackground_g, savebackground_b;
extern int maxrandom;

// Preview row buffers, N bytes each; they exist only during a preview run.
extern unsigned char *Col_R, *Col_G, *Col_B;

// Allocate n doubles or n bytes, uninitialised; never return null (on
// failure: "malloc error !\n" on standard output, then do_exit).
double* getdoublevect(int n);
unsigned char* getRGBvect(int n);
void createtexturemap(unsigned char fixed);
void freetexturemap();
void Displaytexture(int row, int n, const double* values, unsigned char tomap);

void ActivateSubstrateModel(int N, int R, double actdiffrate, double subdiffrate, double adecayrate,
                            double sdecayrate, double productratemax, double productratemin,
                            double prop, double k, double p0, double period, double initvalue,
                            unsigned char tomap);
void ActivateInhibitorModel(int N, int R, double actdiffrate, double subdiffrate, double adecayrate,
                            double sdecayrate, double hdecayrate, double productrate, double prop,
                            double k, double p0, double initvalue, double hormoneprop, double h0,
                            unsigned char tomap);
void StripeFormationModel(int N, int R, double gdiffrate, double sdiffrate, double gdecayrate,
                          double sdecayrate, double cprop, double rdecayrate, double p0, double p1,
                          double initvalue, unsigned char tomap);

// Runs the model of kind (50 activator-substrate, 51 activator-inhibitor, any
// other value stripe formation) with the current parameter globals.
void runcurrentmodel(int kind, int N, int R, unsigned char tomap);

// Dialogs and preview. widpreview is the preview's window, -1 while none is
// open.
extern int widpreview;
void pigmentation();
void pigmentation2();
void pigmentation3();
void previewtexture();
