// curve_fixture.h - a clean curve editor for each test: empty node list,
// default sampling and editing flags, and the curve views at the screen
// positions the program opens them at.
#pragma once
#include <gtest/gtest.h>

#include <vector>

#include "app/app.h"
#include "app/model.h"
#include "curve/curve.h"

struct P3 {
    double x, y, z;
};

class CurveTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        delete_path();
        genstepsize = 1.0;
        hortmag = 0.0;
        hortsize = 0.0;
        InsertType = 32;
        mode = 1;
        status = 1;
        CurrentWindow = 4;
        generatexorigin3 = 0;   generateyorigin3 = 0;   // YZ
        generatexorigin = 425;  generateyorigin = 0;    // XY
        generatexorigin2 = 842; generateyorigin2 = 0;   // XZ
    }
    void TearDown() override { delete_path(); }

    static void addall(const std::vector<P3>& nodes)
    {
        for (const P3& p : nodes) addnode(p.x, p.y, p.z);
    }
    static std::vector<P3> nodes()
    {
        std::vector<P3> out;
        for (ControlNode* p = ObjectPtr->head; p; p = p->next) out.push_back({p->x, p->y, p->z});
        return out;
    }
    static ControlNode* nth(int i)
    {
        ControlNode* p = ObjectPtr->head;
        while (p && i-- > 0) p = p->next;
        return p;
    }
};

inline bool operator==(const P3& a, const P3& b) { return a.x == b.x && a.y == b.y && a.z == b.z; }
inline std::ostream& operator<<(std::ostream& os, const P3& p)
{
    return os << "(" << p.x << ", " << p.y << ", " << p.z << ")";
}
