// random.cpp - the two uniform generators of the pigmentation models.
//
// Both are the project's own so that the same parameters give the same
// pattern on every platform. random31 is the additive feedback generator
// x[i] = x[i-31] + x[i-3] (mod 2^32), result x[i] >> 1, seeded as BSD
// random() is with seed 1 (Park-Miller fill, 310 results discarded): its
// first results are 1804289383, 846930886, 1681692777. random15 is the
// linear congruential generator of the classic C rand() with seed 1: first
// results 16838, 5758, 10113. Neither is ever reseeded.
#include "texture/modelrun.h"

#include <cstdint>

namespace {

struct Additive {
    std::uint32_t r[31];
    int front, rear;  // front runs 3 places ahead of rear, both modulo 31
};

constexpr Additive seeded()
{
    Additive g{};
    std::int32_t word = 1;
    g.r[0] = 1;
    for (int i = 1; i < 31; i++) {
        // 16807 x word mod (2^31 - 1), without overflow (Schrage)
        std::int32_t hi = word / 127773, lo = word % 127773;
        word = 16807 * lo - 2836 * hi;
        if (word < 0)
            word += 2147483647;
        g.r[i] = (std::uint32_t)word;
    }
    g.front = 3;
    g.rear = 0;
    for (int i = 0; i < 310; i++) {
        g.r[g.front] += g.r[g.rear];
        if (++g.front == 31) g.front = 0;
        if (++g.rear == 31) g.rear = 0;
    }
    return g;
}

Additive gen31 = seeded();
std::uint32_t next15 = 1;

}  // namespace

int random31()
{
    std::uint32_t v = gen31.r[gen31.front] += gen31.r[gen31.rear];
    if (++gen31.front == 31) gen31.front = 0;
    if (++gen31.rear == 31) gen31.rear = 0;
    return (int)(v >> 1);
}

int random15()
{
    next15 = next15 * 1103515245u + 12345u;
    return (int)((next15 / 65536u) % 32768u);
}

int (*drawrandom31)() = random31;
int (*drawrandom15)() = random15;
