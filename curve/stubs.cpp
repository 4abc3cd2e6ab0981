// Placeholder bodies so that the program links while this subsystem is built.
#include "curve/curve.h"
#include <cstdlib>

void addnode(double x, double y, double z) {}
void Remove_node() {}
void delete_path() {}
void fitcurve() {}
void drawinterpolatepath() {}
int selectline(double a, double b, double c, double d, double e, double f) { return 0; }
void generateredraw(int ignored) {}
void draw_linecube(double x, double y, double z) {}
void SplineMenuFunc(int value) {}
void selectnode(int x, int y, int w) {}
void movenode(int x, int oldx, int y, int oldy, int w) {}
