#include "raytrace/raytrace.h"
int HelicoSegment;
double HortGridSize, VertGridSize;
void inittracelist() {}
