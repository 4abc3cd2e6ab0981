// primitives.h - the few drawing calls of the shell and growth-axis windows,
// passed to the graphics layer and, when a test has set one, to the
// shelltrace observer. Internal to shell/.
#pragma once
#include "platform/gl.h"
#include "shell/shell.h"

inline void shellbgntmesh()
{
    if (shelltrace) shelltrace(SHELLTRACE_STRIP, nullptr, nullptr);
    gl::bgntmesh();
}

inline void shellbgnline()
{
    if (shelltrace) shelltrace(SHELLTRACE_LINE, nullptr, nullptr);
    gl::bgnline();
}

// A lit vertex: its normal, then its position.
inline void shellvertex(const RingPoint& pt)
{
    if (shelltrace) shelltrace(SHELLTRACE_VERTEX, pt.n, pt.p);
    gl::n3f(pt.n);
    gl::v3f(pt.p);
}

inline void shellv3f(const float v[3])
{
    if (shelltrace) shelltrace(SHELLTRACE_VERTEX, nullptr, v);
    gl::v3f(v);
}
