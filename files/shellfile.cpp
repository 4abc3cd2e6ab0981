// shellfile.cpp - the shell-parameter file (".shl"): eye, growth and
// sculpture, control nodes, display and texture settings, shading, both
// lights, the three pigmentation models and the curve scale, as big-endian
// values with no header; 568 + 24 x (node count) bytes.
//
// saveshellparameter(name) / loadshellparameter(name): name is the caller's
// buffer with the base name and room for four more characters; ".shl" is
// appended, always. Both return 1 on success, 0 otherwise (an empty name
// gives 0 at once).
//
// Colours are stored red, blue, green. Saving writes a complete file under a
// temporary name and renames it over the old one, so a failed save is
// reported and leaves the old file. Loading reads and checks the whole file
// before it resets the model; a short file or unusable values are refused
// with a message and leave the model as it was (limits in loadcheck.h).
#include <cstring>

#include "app/app.h"
#include "app/model.h"
#include "curve/curve.h"
#include "files/bigendian.h"
#include "files/fileio.h"
#include "files/files.h"
#include "files/loadcheck.h"
#include "files/paramorder.h"
#include "panels/panels.h"

namespace {

const std::size_t FIXEDPART = 568;  // everything but the node records
const std::size_t NODEBYTES = 24;

double* const growthvars[10] = {
    &helico_r0, &helico_z0, &helico_rate, &helico_endangle, &helico_stepsize,
    &hortsize, &hortmag, &vertsize, &vertmag, &genstepsize,
};

// Stored order: the colours red, blue, green.
double* const shadingvars[11] = {
    &shinnessvalue, &reflectvalue,
    &pattern_r, &pattern_b, &pattern_g,
    &background_r, &background_b, &background_g,
    &specular_r, &specular_b, &specular_g,
};

void putall(ByteBuffer& b, double* const* vars, int n)
{
    for (int k = 0; k < n; ++k) putdouble(b, *vars[k]);
}

void getall(const unsigned char* p, double* values, int n)
{
    for (int k = 0; k < n; ++k) values[k] = getdouble(p + 8 * k);
}

void setall(double* const* vars, const double* values, int n)
{
    for (int k = 0; k < n; ++k) *vars[k] = values[k];
}

// 0 when the file is too short for its own node count.
int parseshell(const ByteBuffer& data, ShellRecord* r)
{
    if (data.size() < 88) return 0;
    const unsigned char* p = data.data();
    for (int k = 0; k < 3; ++k) r->eye[k] = get16(p + 2 * k);
    getall(p + 6, r->growth, 10);
    short n = get16(p + 86);
    r->nodecount = n > 0 ? n : 0;
    if (data.size() < FIXEDPART + NODEBYTES * (std::size_t)r->nodecount) return 0;
    r->kept = r->nodecount < SHELLNODELIMIT ? r->nodecount : SHELLNODELIMIT;
    for (int k = 0; k < r->kept; ++k) getall(p + 88 + NODEBYTES * k, r->nodes[k], 3);

    const unsigned char* q = p + 88 + NODEBYTES * r->nodecount;
    r->shellmode = get32(q);
    r->texturetype = get16(q + 4);
    r->inserttype = get16(q + 6);
    getall(q + 8, r->shading, 11);
    getall(q + 96, r->lights, 12);
    getall(q + 192, r->actsub, 12);
    getall(q + 288, r->actinh, 13);
    getall(q + 392, r->stripe, 10);
    r->shellscale = getdouble(q + 472);
    return 1;
}

void applyshell(const ShellRecord* r)
{
    restart();  // empties the node list and selects appending

    sea_xeye = r->eye[0];
    sea_yeye = r->eye[1];
    sea_zeye = r->eye[2];
    setall(growthvars, r->growth, 10);
    // Records beyond the node limit are read but addnode would refuse them.
    for (int k = 0; k < r->kept; ++k) addnode(r->nodes[k][0], r->nodes[k][1], r->nodes[k][2]);
    CurrSelectPoint = nullptr;  // every addnode selected its node

    shellmode = r->shellmode;
    texturetype = r->texturetype;
    InsertType = r->inserttype;
    setall(shadingvars, r->shading, 11);
    for (int k = 0; k < 12; ++k) DL[k] = r->lights[k];
    for (int k = 0; k < 3; ++k) {
        light1[1 + k] = (float)DL[k];
        light1[6 + k] = (float)DL[3 + k];
        light2[1 + k] = (float)DL[6 + k];
        light2[6 + k] = (float)DL[9 + k];
    }
    setall(actsubparams, r->actsub, 12);
    setall(actinhparams, r->actinh, 13);
    setall(stripeparams, r->stripe, 10);
    shellscale = r->shellscale;

    // Into the lists before InitParambar, which copies the lists back into
    // the doubles (at single precision).
    materialfromdoubles();
    InitParambar();
    fitcurve();
}

}  // namespace

int saveshellparameter(char* name)
{
    if (!name || !name[0]) return 0;
    std::strcat(name, ".shl");
    SafeFile f;
    if (!safeopen(&f, name)) {
        fileerror("Can not open file %s !\n", name);
        return 0;
    }

    ByteBuffer b;
    put16(b, sea_xeye);
    put16(b, sea_yeye);
    put16(b, sea_zeye);
    putall(b, growthvars, 10);

    // The count is the list's; a list shorter than its count (never expected)
    // is stored as it really is, so the file stays readable.
    const ControlNode* nodes[SHELLNODELIMIT];
    int n = 0;
    for (const ControlNode* c = ObjectPtr->head; c && n < ObjectPtr->count && n < SHELLNODELIMIT; c = c->next)
        nodes[n++] = c;
    put16(b, n);
    for (int k = 0; k < n; ++k) {
        putdouble(b, nodes[k]->x);
        putdouble(b, nodes[k]->y);
        putdouble(b, nodes[k]->z);
    }

    put32(b, shellmode);
    put16(b, texturetype);
    put16(b, InsertType);
    putall(b, shadingvars, 11);

    // The lists are the authoritative light values.
    for (int k = 0; k < 3; ++k) {
        DL[k] = light1[1 + k];
        DL[3 + k] = light1[6 + k];
        DL[6 + k] = light2[1 + k];
        DL[9 + k] = light2[6 + k];
    }
    for (int k = 0; k < 12; ++k) putdouble(b, DL[k]);
    putall(b, actsubparams, 12);
    putall(b, actinhparams, 13);
    putall(b, stripeparams, 10);
    putdouble(b, shellscale);

    int written = safewrite(&f, b.data(), b.size());
    if (!safecommit(&f) || !written) {
        fileerror("Can not write %s !\n", name);
        return 0;
    }
    return 1;
}

int loadshellparameter(char* name)
{
    if (!name || !name[0]) return 0;
    std::strcat(name, ".shl");
    ByteBuffer data;
    if (!readfilehead(name, FIXEDPART + NODEBYTES * 32767, data)) {
        fileerror("Can not open file %s !\n", name);
        return 0;
    }
    ShellRecord r;
    if (!parseshell(data, &r)) {
        fileerror("Incomplete: %s !\n", name);
        return 0;
    }
    if (!shellusable(&r)) {
        fileerror("Bad values in %s !\n", name);
        return 0;
    }
    applyshell(&r);
    return 1;
}
