// curve.h - the generating curve: control nodes, the interpolating cubic
// B-spline through them, its arc-length sampling with horizontal sculpture
// into GenerateCurve, and the three curve views with their popup menu.
#pragma once

struct ControlNode {
    double x, y, z;
    ControlNode* next;
};

struct AnimateObjectRecord {
    short count;        // 0 .. 30
    ControlNode* head;
};

extern AnimateObjectRecord AnimateObject;
extern AnimateObjectRecord* ObjectPtr;
extern ControlNode* CurrSelectPoint;
extern double gen_lastx, gen_lasty, gen_lastz;

// Editor flags.
extern short mode;          // 1 Modify, 2 View point
extern short status;        // 1: a press on empty space may add a node
extern short InsertType;    // 30 Front, 31 Middle, 32 End
extern short CurrentWindow; // view of the last press: 3 YZ, 4 XY, 5 XZ

// Spline arrays.
extern double xcontrol[32], ycontrol[32], zcontrol[32];
extern double A[32], B[32], C[32];

// The sampled curve.
struct CurveSample {
    double x, y, z;   // 0.6 x the sculptured curve point
    double nx, ny;    // unit normal in the XY plane
};
extern CurveSample* GenerateCurve;
extern int CurveSegment;           // index of the last sample
extern double GenCurveTotalLength;

void addnode(double x, double y, double z);
void Remove_node();
void delete_path();
void fitcurve();
void drawinterpolatepath();
int selectline(double a, double b, double c, double d, double e, double f);

// Curve views.
void generateredraw(int ignored);
void draw_linecube(double x, double y, double z);
void SplineMenuFunc(int value);
// The curve-view branches of the press and drag handlers (setTInit, setT).
void selectnode(int x, int y, int w);
void movenode(int x, int oldx, int y, int oldy, int w);
