// sampleset.cpp - sets the model from one record of the sample table.
//
// Keys of a record (values separated by blanks):
//   any model double by its own name   helico_r0 0.1, hortmag 0.3, t_k 0.5, ...
//   eye X Y Z          sea_xeye, sea_yeye, sea_zeye (16-bit integers)
//   light X Y Z        position of light 1
//   pattern R G B      colours, 0..1 per channel; likewise background and
//                      specular
//   texturetype N      49, 50, 51 or 52 (a texture record has its own kind)
//   shellmode N        17 lines, 18 solid
//   nodes x,y,z ...    control nodes appended in order, curve units
//   texture NAME       everything the texture record NAME sets (its kind,
//                      colours and model parameters); later lines override
// The lists that mirror doubles (material, light colours) are filled the
// way the modeller fills them, and the doubles are then read back from the
// lists, so the model holds what a loaded file would give.
#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <cstring>

#include "app/model.h"
#include "curve/curve.h"
#include "panels/panels.h"
#include "tools/samplegen/table.h"

namespace {

struct NamedDouble {
    const char* name;
    double* variable;
};

const NamedDouble doubles[] = {
    {"helico_r0", &helico_r0}, {"helico_z0", &helico_z0}, {"helico_rate", &helico_rate},
    {"helico_endangle", &helico_endangle}, {"helico_stepsize", &helico_stepsize},
    {"hortsize", &hortsize}, {"hortmag", &hortmag}, {"vertsize", &vertsize}, {"vertmag", &vertmag},
    {"genstepsize", &genstepsize}, {"shellscale", &shellscale},
    {"shinnessvalue", &shinnessvalue}, {"reflectvalue", &reflectvalue},
    {"t_actdiffrate", &t_actdiffrate}, {"t_adecayrate", &t_adecayrate},
    {"t_subdiffrate", &t_subdiffrate}, {"t_sdecayrate", &t_sdecayrate}, {"t_p0", &t_p0},
    {"t_prop", &t_prop}, {"t_k", &t_k}, {"t_productratemax", &t_productratemax},
    {"t_productratemin", &t_productratemin}, {"t_period", &t_period},
    {"t_initvalue", &t_initvalue}, {"t_delta", &t_delta},
    {"i_actdiffrate", &i_actdiffrate}, {"i_adecayrate", &i_adecayrate},
    {"i_subdiffrate", &i_subdiffrate}, {"i_sdecayrate", &i_sdecayrate}, {"i_p0", &i_p0},
    {"i_prop", &i_prop}, {"i_k", &i_k}, {"i_h0", &i_h0}, {"i_hormoneprop", &i_hormoneprop},
    {"i_hdecayrate", &i_hdecayrate}, {"i_productrate", &i_productrate},
    {"i_initvalue", &i_initvalue}, {"i_delta", &i_delta},
    {"s_gdiffrate", &s_gdiffrate}, {"s_gdecayrate", &s_gdecayrate},
    {"s_sdiffrate", &s_sdiffrate}, {"s_sdecayrate", &s_sdecayrate}, {"s_p0", &s_p0},
    {"s_cprop", &s_cprop}, {"s_rdecayrate", &s_rdecayrate}, {"s_p1", &s_p1},
    {"s_initvalue", &s_initvalue}, {"s_delta", &s_delta},
};

int number(const std::string& text, double* v)
{
    const char* s = text.c_str();
    char* end;
    errno = 0;
    *v = std::strtod(s, &end);
    return end != s && *end == 0 && errno == 0 && std::isfinite(*v);
}

// Parses exactly n numbers, one per value.
int numbers(const std::vector<std::string>& values, double* out, int n)
{
    if ((int)values.size() != n) return 0;
    for (int k = 0; k < n; k++)
        if (!number(values[k], &out[k])) return 0;
    return 1;
}

// x,y,z in one word.
int triple(const std::string& word, double out[3])
{
    std::string w = word;
    for (int k = 0; k < 3; k++) {
        std::string::size_type comma = w.find(',');
        if ((k < 2) != (comma != std::string::npos)) return 0;
        if (!number(k < 2 ? w.substr(0, comma) : w, &out[k])) return 0;
        if (k < 2) w.erase(0, comma + 1);
    }
    return 1;
}

int applylines(const std::vector<SampleRecord>& records, const SampleRecord& r, bool nested,
               std::string* error)
{
    for (const SampleLine& l : r.lines) {
        std::string where = "line " + std::to_string(l.lineno) + " (" + r.name + "): ";
        double v[3];
        bool ok = true;
        const NamedDouble* d = nullptr;
        for (const NamedDouble& nd : doubles)
            if (l.key == nd.name) d = &nd;
        if (d) {
            ok = numbers(l.values, v, 1);
            if (ok) *d->variable = v[0];
        } else if (l.key == "eye") {
            ok = numbers(l.values, v, 3);
            for (int k = 0; ok && k < 3; k++) ok = v[k] == std::trunc(v[k]) && std::fabs(v[k]) <= 32767;
            if (ok) sea_xeye = (short)v[0], sea_yeye = (short)v[1], sea_zeye = (short)v[2];
        } else if (l.key == "light") {
            ok = numbers(l.values, v, 3);
            if (ok) light1[1] = (float)v[0], light1[2] = (float)v[1], light1[3] = (float)v[2];
        } else if (l.key == "pattern" || l.key == "background" || l.key == "specular") {
            ok = numbers(l.values, v, 3);
            double* c[3];
            if (l.key == "pattern") c[0] = &pattern_r, c[1] = &pattern_g, c[2] = &pattern_b;
            else if (l.key == "background") c[0] = &background_r, c[1] = &background_g, c[2] = &background_b;
            else c[0] = &specular_r, c[1] = &specular_g, c[2] = &specular_b;
            for (int k = 0; ok && k < 3; k++) ok = v[k] >= 0 && v[k] <= 1;
            for (int k = 0; ok && k < 3; k++) *c[k] = v[k];
        } else if (l.key == "texturetype" || l.key == "shellmode") {
            ok = numbers(l.values, v, 1);
            if (l.key == "texturetype") {
                ok = ok && v[0] >= 49 && v[0] <= 52 && v[0] == std::trunc(v[0]);
                if (ok) texturetype = (short)v[0];
            } else {
                ok = ok && (v[0] == 17 || v[0] == 18);
                if (ok) shellmode = (int)v[0];
            }
        } else if (l.key == "nodes" && !nested) {
            ok = !l.values.empty();
            for (const std::string& w : l.values) {
                ok = ok && triple(w, v);
                if (ok) addnode(v[0], v[1], v[2]);
            }
        } else if (l.key == "texture" && !nested) {
            const SampleRecord* t = l.values.size() == 1 ? findrecord(records, l.values[0]) : nullptr;
            if (!t || !texturekind(t->name)) {
                *error = where + "\"texture\" names no texture sample";
                return 0;
            }
            texturetype = (short)texturekind(t->name);
            if (!applylines(records, *t, true, error)) return 0;
        } else {
            *error = where + "unknown key \"" + l.key + "\"";
            return 0;
        }
        if (!ok) {
            *error = where + "bad values for \"" + l.key + "\"";
            return 0;
        }
    }
    return 1;
}

}  // namespace

int applyrecord(const std::vector<SampleRecord>& records, const SampleRecord& record, std::string* error)
{
    // The bar tables of start-up fill the light colours of DL.
    InitParambar();
    InsertType = 32;
    int kind = texturekind(record.name);
    if (kind) texturetype = (short)kind;
    if (!applylines(records, record, kind != 0, error)) return 0;

    // The mirror rule: doubles into their lists, then the bars' doubles back
    // from the lists, in single precision, as after loading a file.
    materialfromdoubles();
    InitParambar();

    if (!kind) {
        if (ObjectPtr->count < 2) {
            *error = record.name + ": a shell needs at least two nodes";
            return 0;
        }
        CurrSelectPoint = nullptr;
        fitcurve();
    }
    return 1;
}
