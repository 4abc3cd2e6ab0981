// curvemem.h - allocation for the curve code: nodes, the chord table, the
// sampled curve and its vertex list. Running out of memory here is fatal:
// the message goes to standard output and the program ends through do_exit.
#pragma once
#include <cstdio>
#include <cstdlib>

#include "app/app.h"

inline void* getcurvemem(std::size_t bytes)
{
    void* p = std::malloc(bytes ? bytes : 1);
    if (!p) {
        std::printf("memory allocation error !\n");
        do_exit();
    }
    return p;
}
