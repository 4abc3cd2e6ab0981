// Placeholder bodies so that the program links while this subsystem is built.
#include "texture/texture.h"
#include <cstdlib>

double* getdoublevect(int n) { return nullptr; }
unsigned char* getRGBvect(int n) { return nullptr; }
void createtexturemap(unsigned char fixed) {}
void freetexturemap() {}
void Displaytexture(int row, int n, const double* values, unsigned char tomap) {}
void ActivateSubstrateModel(int N, int R, double actdiffrate, double subdiffrate, double adecayrate, double sdecayrate, double productratemax, double productratemin, double prop, double k, double p0, double period, double initvalue, unsigned char tomap) {}
void ActivateInhibitorModel(int N, int R, double actdiffrate, double subdiffrate, double adecayrate, double sdecayrate, double hdecayrate, double productrate, double prop, double k, double p0, double initvalue, double hormoneprop, double h0, unsigned char tomap) {}
void StripeFormationModel(int N, int R, double gdiffrate, double sdiffrate, double gdecayrate, double sdecayrate, double cprop, double rdecayrate, double p0, double p1, double initvalue, unsigned char tomap) {}
void pigmentation() {}
void pigmentation2() {}
void pigmentation3() {}
void previewtexture() {}
