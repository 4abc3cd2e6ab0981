// Placeholder bodies so that the program links while this subsystem is built.
#include "shell/shell.h"
#include <cstdlib>

void generateshell(RingConsumer consumer, void* user) {}
void seashellredraw() {}
void seashellsolidredraw() {}
void seashellgridredraw() {}
void definelight() {}
void helicoredraw() {}
void draw_helico(double r0, double z0, double rate, double endangle, double stepsize) {}
void draw_reverseXYZ() {}
void draw_XYZ() {}
