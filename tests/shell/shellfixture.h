// shellfixture.h - a small generating curve and the model around it for the
// shell tests, put back as it was after each test; and a recorder of the
// primitives the shell and growth-axis drawings send.
#pragma once
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "app/app.h"
#include "app/model.h"
#include "curve/curve.h"
#include "platform/gl.h"
#include "shell/shell.h"

struct TracedVertex {
    bool lit;
    float n[3];
    float p[3];
};

struct TracedPrimitive {
    int kind;  // SHELLTRACE_STRIP or SHELLTRACE_LINE
    std::vector<TracedVertex> v;
};

inline std::vector<TracedPrimitive> traced;

inline void recordprimitive(int what, const float* n, const float* v)
{
    if (what != SHELLTRACE_VERTEX) {
        traced.push_back({what, {}});
        return;
    }
    TracedVertex tv{n != nullptr, {0, 0, 0}, {v[0], v[1], v[2]}};
    if (n) std::memcpy(tv.n, n, sizeof tv.n);
    traced.back().v.push_back(tv);
}

// Three samples used by the surface, then the curve's end point, which the
// surface never uses.
inline CurveSample testcurve[4] = {
    {0.0, 0.0, 0.0, 0.0, 1.0},
    {0.6, 0.3, 0.0, 0.6, 0.8},
    {1.2, 0.0, 0.3, 1.0, 0.0},
    {9.0, 9.0, 9.0, 1.0, 0.0},
};

class ShellTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        // The program's windows, opened as the program opens them.
        if (seawid == 0) {
            ObjectPtr = &AnimateObject;
            InitWin();
        }
    }

    void SetUp() override
    {
        saved = {helico_r0, helico_z0, helico_rate, helico_endangle, helico_stepsize,
                 vertsize, vertmag, shellscale};
        std::memcpy(savedlight1, light1, sizeof light1);
        savedcount = ObjectPtr->count;
        savedcurve = GenerateCurve;
        savedsegment = CurveSegment;
        savedmode = shellmode;
        savedvmode = vmode;

        helico_r0 = 0.1; helico_z0 = 0.2; helico_rate = 1.1; helico_endangle = 26.4; helico_stepsize = 16.0;
        vertsize = 0.0; vertmag = 0.0; shellscale = 0.0;
        ObjectPtr->count = 3;
        GenerateCurve = testcurve;
        CurveSegment = 3;
        traced.clear();
        shelltrace = recordprimitive;
    }

    void TearDown() override
    {
        shelltrace = nullptr;
        helico_r0 = saved[0]; helico_z0 = saved[1]; helico_rate = saved[2]; helico_endangle = saved[3];
        helico_stepsize = saved[4]; vertsize = saved[5]; vertmag = saved[6]; shellscale = saved[7];
        std::memcpy(light1, savedlight1, sizeof light1);
        ObjectPtr->count = savedcount;
        GenerateCurve = savedcurve;
        CurveSegment = savedsegment;
        shellmode = savedmode;
        vmode = savedvmode;
        lightxlast = lightylast = lightzlast = 0;
        sea_xlasteye = sea_ylasteye = sea_zlasteye = 0;
    }

    std::vector<double> saved;
    float savedlight1[10];
    short savedcount;
    CurveSample* savedcurve;
    int savedsegment;
    int savedmode;
    short savedvmode;
};
