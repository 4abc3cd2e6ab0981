// texturemap.cpp - the texture map: its allocation helpers, how it is sized
// from the shell (or fixed at 600 x 600 for the texture file), filled by the
// current model, and released.
//
// createtexturemap(0) gives W = trunc(10 x curve length) and H =
// trunc(300 x growth angle / 2 pi), so W + 1 columns and H + 1 rows; the
// caller releases it with freetexturemap before its command ends. While a
// uniform-colour map exists the background reads black; freetexturemap
// puts the user's background back.
#include "texture/texture.h"

#include <cstdio>
#include <cstdlib>

#include "app/app.h"
#include "app/model.h"
#include "curve/curve.h"

double** texturemap;
int texturemapwidth, texturemapheight;
double Ambdiff_r, Ambdiff_g, Ambdiff_b;
double savebackground_r, savebackground_g, savebackground_b;
int maxrandom = 2147483647;

static void *allocate(std::size_t count, std::size_t size)
{
    // Zero or negative counts still get a block: a null pointer is never
    // handed out, and malloc(0) may legitimately return one.
    void* p = std::malloc((count ? count : 1) * size);
    if (!p) {
        std::fputs("malloc error !\n", stdout);
        std::fflush(stdout);
        do_exit();
    }
    return p;
}

double* getdoublevect(int n)
{
    return (double*)allocate(n > 0 ? (std::size_t)n : 0, sizeof(double));
}

unsigned char* getRGBvect(int n)
{
    return (unsigned char*)allocate(n > 0 ? (std::size_t)n : 0, 1);
}

// Map sizes come from the shell, which a file may have set to anything:
// NaN or negative gives 0 (one column or row), and very large values are
// capped so that the counts and the run's step count stay within int.
static int mapsize(double x)
{
    if (!(x >= 0.0))
        return 0;
    if (x > 16777216.0)
        return 16777216;
    return (int)x;
}

void createtexturemap(unsigned char fixed)
{
    maxrandom = 2147483647;
    savebackground_r = background_r;
    savebackground_g = background_g;
    savebackground_b = background_b;

    if (fixed) {
        // Each model run sets Ambdiff itself.
        texturemapwidth = 600;
        texturemapheight = 600;
    } else {
        if (texturetype == 52) {
            Ambdiff_r = pattern_r;
            Ambdiff_g = pattern_g;
            Ambdiff_b = pattern_b;
            background_r = background_g = background_b = 0.0;
        } else {
            Ambdiff_r = pattern_r - background_r;
            Ambdiff_g = pattern_g - background_g;
            Ambdiff_b = pattern_b - background_b;
        }
        texturemapwidth = mapsize(GenCurveTotalLength * 10.0);
        texturemapheight = mapsize(helico_endangle * 300.0 / 6.283185307179586);
    }

    int N = texturemapwidth + 1, R = texturemapheight + 1;
    texturemap = (double**)allocate((std::size_t)R, sizeof(double*));
    for (int i = 0; i < R; i++)
        texturemap[i] = getdoublevect(N);

    switch (texturetype) {
    case 49:
    case 50:
    case 51:
        runcurrentmodel(texturetype, N, R, 1);
        break;
    default:
        for (int i = 0; i < R; i++)
            for (int j = 0; j < N; j++)
                texturemap[i][j] = 1.0;
        break;
    }
}

void freetexturemap()
{
    if (!texturemap)  // nothing made, or already released
        return;
    for (int i = 0; i <= texturemapheight; i++)
        std::free(texturemap[i]);
    std::free(texturemap);
    texturemap = nullptr;
    background_r = savebackground_r;
    background_g = savebackground_g;
    background_b = savebackground_b;
}
