// Placeholder globals so that the program links while this subsystem is built.
#include "curve/curve.h"
AnimateObjectRecord AnimateObject;
AnimateObjectRecord* ObjectPtr = &AnimateObject;
ControlNode* CurrSelectPoint;
double gen_lastx, gen_lasty, gen_lastz;
short mode = 1, status = 1, InsertType = 32, CurrentWindow;
double xcontrol[32], ycontrol[32], zcontrol[32], A[32], B[32], C[32];
CurveSample* GenerateCurve;
int CurveSegment;
double GenCurveTotalLength;
