// nodes.cpp - the control-node list of the generating curve: adding a node at
// the front, the end or into a clicked segment, removing the current node,
// clearing the list, and the segment hit test used for Middle insertion.
//
// The list holds at most 30 nodes; a 31st is refused without a word, as is a
// Middle insertion whose point lies on no segment. Every operation reaches the
// list through ObjectPtr. After a change the caller runs fitcurve.
#include <cmath>
#include <cstdlib>

#include "curve/curve.h"
#include "curve/curvemem.h"

AnimateObjectRecord AnimateObject;
AnimateObjectRecord* ObjectPtr = &AnimateObject;
ControlNode* CurrSelectPoint;
double gen_lastx, gen_lasty, gen_lastz;

// The two coordinates of a point that the view named by CurrentWindow shows;
// 0 for a view that is none of the three curve views.
static int viewcoords(double x, double y, double z, double* h, double* v)
{
    switch (CurrentWindow) {
    case 3: *h = y; *v = z; return 1;  // YZ
    case 4: *h = x; *v = y; return 1;  // XY
    case 5: *h = x; *v = z; return 1;  // XZ
    default: return 0;
    }
}

static ControlNode* newnode()
{
    return (ControlNode*)getcurvemem(sizeof(ControlNode));
}

void addnode(double x, double y, double z)
{
    AnimateObjectRecord* obj = ObjectPtr;
    ControlNode* node;

    if (obj->count == 0 || !obj->head) {
        node = newnode();
        node->next = nullptr;
        obj->head = node;
        obj->count = 1;
    } else if (obj->count >= 30) {
        return;
    } else if (InsertType == 30) {
        node = newnode();
        node->next = obj->head;
        obj->head = node;
        obj->count++;
    } else if (InsertType == 32 || obj->count == 1) {
        ControlNode* last = obj->head;
        while (last->next) last = last->next;
        node = newnode();
        node->next = nullptr;
        last->next = node;
        obj->count++;
    } else {
        // Middle: into the first segment that passes within one unit of the
        // point in the view of the last press.
        double a = 0, b = 0, c = 0, d = 0, e = 0, f = 0;
        ControlNode* seg = nullptr;
        if (viewcoords(x, y, z, &a, &b)) {
            for (ControlNode* p = obj->head; p->next; p = p->next) {
                viewcoords(p->x, p->y, p->z, &c, &d);
                viewcoords(p->next->x, p->next->y, p->next->z, &e, &f);
                if (selectline(a, b, c, d, e, f)) {
                    seg = p;
                    break;
                }
            }
        }
        if (!seg) return;
        node = newnode();
        node->next = seg->next;
        seg->next = node;
        obj->count++;
    }

    node->x = x;
    node->y = y;
    node->z = z;
    gen_lastx = x;
    gen_lasty = y;
    gen_lastz = z;
    CurrSelectPoint = node;
}

void Remove_node()
{
    AnimateObjectRecord* obj = ObjectPtr;
    if (!CurrSelectPoint) return;

    ControlNode** link = &obj->head;
    while (*link && *link != CurrSelectPoint) link = &(*link)->next;
    if (!*link) return;

    *link = CurrSelectPoint->next;
    std::free(CurrSelectPoint);
    CurrSelectPoint = nullptr;
    obj->count--;
    fitcurve();
}

void delete_path()
{
    AnimateObjectRecord* obj = ObjectPtr;
    ControlNode* p = obj->head;
    while (p) {
        ControlNode* next = p->next;
        std::free(p);
        p = next;
    }
    obj->head = nullptr;
    obj->count = 0;
    CurrSelectPoint = nullptr;
    status = 1;
    mode = 1;
    std::free(GenerateCurve);
    GenerateCurve = nullptr;
}

// Is the point (a, b) within one curve unit of the segment (c, d)-(e, f)?
// Distance to the line through the two nodes, then the point must lie between
// the nodes in each coordinate in which they differ.
int selectline(double a, double b, double c, double d, double e, double f)
{
    if (c != e) {
        double s = (d - f) / (c - e);
        if (std::fabs(b - s * a - (d - s * c)) / std::sqrt(s * s + 1.0) > 1.0) return 0;
    } else {
        if (std::fabs(a - c) > 1.0) return 0;
        // Nodes that coincide in this view: nothing above bounds b, so the
        // segment would catch a whole column of the view.
        if (d == f && std::fabs(b - d) > 1.0) return 0;
    }
    if (c != e && (a < std::fmin(c, e) || a > std::fmax(c, e))) return 0;
    if (d != f && (b < std::fmin(d, f) || b > std::fmax(d, f))) return 0;
    return 1;
}
