// dump.cpp - the model state as one JSON object, for the replay tool's
// "dump" line: every model variable by its own name, the nodes, the sampled
// curve, the open windows and every bar table. Doubles carry 17 significant
// digits so a dump tells exactly what the program holds.
#include <cmath>
#include <cstdio>
#include <string>

#include "app/app.h"
#include "app/model.h"
#include "curve/curve.h"
#include "panels/panels.h"
#include "platform/screen.h"

namespace {

struct Json {
    std::string out;
    bool first = true;

    void sep()
    {
        if (!first) out += ',';
        first = false;
    }
    void key(const char* k)
    {
        sep();
        out += '"';
        out += k;
        out += "\":";
        first = true;
    }
    void num(double v)
    {
        sep();
        if (!std::isfinite(v)) {
            out += "null";
            return;
        }
        char buf[40];
        std::snprintf(buf, sizeof buf, "%.17g", v);
        out += buf;
    }
    void integer(long v)
    {
        sep();
        out += std::to_string(v);
    }
    void str(const char* s)
    {
        sep();
        out += '"';
        for (; *s; s++) {
            unsigned char c = (unsigned char)*s;
            if (c == '"' || c == '\\') {
                out += '\\';
                out += (char)c;
            } else if (c < 0x20) {
                char buf[8];
                std::snprintf(buf, sizeof buf, "\\u%04x", c);
                out += buf;
            } else {
                out += (char)c;
            }
        }
        out += '"';
    }
    void nul()
    {
        sep();
        out += "null";
    }
    void open(char c)
    {
        sep();
        out += c;
        first = true;
    }
    void close(char c)
    {
        out += c;
        first = false;
    }
};

void field(Json& j, const char* name, double v) { j.key(name); j.num(v); }
void field(Json& j, const char* name, long v) { j.key(name); j.integer(v); }
void fieldarray(Json& j, const char* name, const float* v, int n)
{
    j.key(name);
    j.open('[');
    for (int i = 0; i < n; i++) j.num(v[i]);
    j.close(']');
}
void fieldarray(Json& j, const char* name, const double* v, int n)
{
    j.key(name);
    j.open('[');
    for (int i = 0; i < n; i++) j.num(v[i]);
    j.close(']');
}

#define D(v) field(j, #v, (double)(v))
#define I(v) field(j, #v, (long)(v))

void dumpmodelvariables(Json& j)
{
    D(helico_r0); D(helico_z0); D(helico_rate); D(helico_endangle); D(helico_stepsize);
    D(hortsize); D(hortmag); D(vertsize); D(vertmag); D(genstepsize); D(shellscale);
    I(sea_xeye); I(sea_yeye); I(sea_zeye);
    I(sea_xlasteye); I(sea_ylasteye); I(sea_zlasteye);
    I(lightxlast); I(lightylast); I(lightzlast);
    fieldarray(j, "material", material, 15);
    fieldarray(j, "lightmodel", lightmodel, 7);
    fieldarray(j, "light1", light1, 10);
    fieldarray(j, "light2", light2, 10);
    D(shinnessvalue); D(reflectvalue);
    fieldarray(j, "DL", DL, 12);
    I(lightno); D(diffusecoeff);
    D(pattern_r); D(pattern_g); D(pattern_b);
    D(background_r); D(background_g); D(background_b);
    D(specular_r); D(specular_g); D(specular_b);
    D(t_actdiffrate); D(t_adecayrate); D(t_subdiffrate); D(t_sdecayrate); D(t_p0); D(t_prop);
    D(t_k); D(t_productratemax); D(t_productratemin); D(t_period); D(t_initvalue); D(t_delta);
    D(i_actdiffrate); D(i_adecayrate); D(i_subdiffrate); D(i_sdecayrate); D(i_p0); D(i_prop);
    D(i_k); D(i_h0); D(i_hormoneprop); D(i_hdecayrate); D(i_productrate); D(i_initvalue);
    D(i_delta);
    D(s_gdiffrate); D(s_gdecayrate); D(s_sdiffrate); D(s_sdecayrate); D(s_p0); D(s_cprop);
    D(s_rdecayrate); D(s_p1); D(s_initvalue); D(s_delta);
    I(shellmode); I(vmode); I(texturetype); I(mode); I(status); I(InsertType);
    I(CurrentWindow);
    D(gen_lastx); D(gen_lasty); D(gen_lastz);
    I(seawid); I(seaxorigin); I(seayorigin); I(seaxsize); I(seaysize);
    I(heli_wid); I(heli_xorigin); I(heli_yorigin); I(heli_xsize); I(heli_ysize);
    I(parawid); I(paraxorigin); I(parayorigin); I(paraxsize); I(paraysize);
    I(generatewid3); I(generatexorigin3); I(generateyorigin3); I(generatexsize3); I(generateysize3);
    I(generatewid); I(generatexorigin); I(generateyorigin); I(generatexsize); I(generateysize);
    I(generatewid2); I(generatexorigin2); I(generateyorigin2); I(generatexsize2); I(generateysize2);
    I(track); I(dragwindow);
}

void dumpbars(Json& j, const char* name, const ParameterBar* table, int n)
{
    j.key(name);
    j.open('[');
    for (int i = 0; i < n; i++) {
        const ParameterBar& b = table[i];
        j.open('{');
        j.key("label"); j.str(b.label);
        field(j, "knobx", (long)b.knobx);
        j.key("value");
        if (b.variable) j.num(*b.variable); else j.nul();
        j.close('}');
    }
    j.close(']');
}

void dumprgbbars(Json& j, const char* name, const RGBBar* table, int n)
{
    j.key(name);
    j.open('[');
    for (int i = 0; i < n; i++) {
        const RGBBar& b = table[i];
        j.open('{');
        j.key("label"); j.str(b.label);
        field(j, "redknobx", (long)b.redknobx);
        field(j, "greenknobx", (long)b.greenknobx);
        field(j, "blueknobx", (long)b.blueknobx);
        j.key("red"); if (b.red) j.num(*b.red); else j.nul();
        j.key("green"); if (b.green) j.num(*b.green); else j.nul();
        j.key("blue"); if (b.blue) j.num(*b.blue); else j.nul();
        j.close('}');
    }
    j.close(']');
}

}  // namespace

int dumpmodel(const char* path)
{
    Json j;
    j.open('{');
    j.key("model");
    j.open('{');
    dumpmodelvariables(j);
    j.close('}');

    j.key("nodes");
    j.open('[');
    int current = -1, index = 0;
    for (ControlNode* n = ObjectPtr ? ObjectPtr->head : nullptr; n; n = n->next, index++) {
        j.open('[');
        j.num(n->x); j.num(n->y); j.num(n->z);
        j.close(']');
        if (n == CurrSelectPoint) current = index;
    }
    j.close(']');
    j.key("current_node");
    if (current >= 0) j.integer(current); else j.nul();
    field(j, "CurveSegment", (long)CurveSegment);
    field(j, "GenCurveTotalLength", GenCurveTotalLength);
    j.key("GenerateCurve");
    j.open('[');
    if (GenerateCurve)
        for (int i = 0; i <= CurveSegment; i++) {
            const CurveSample& s = GenerateCurve[i];
            j.open('[');
            j.num(s.x); j.num(s.y); j.num(s.z); j.num(s.nx); j.num(s.ny);
            j.close(']');
        }
    j.close(']');

    j.key("windows");
    j.open('[');
    static gl::WindowInfo info[256];
    int n = gl::screen_windows(info, 256);
    for (int i = 0; i < n && i < 256; i++) {
        j.open('{');
        j.key("title"); j.str(info[i].title);
        field(j, "x", (long)info[i].x);
        field(j, "y", (long)info[i].y);
        field(j, "width", (long)info[i].width);
        field(j, "height", (long)info[i].height);
        j.close('}');
    }
    j.close(']');

    j.key("bars");
    j.open('{');
    dumpbars(j, "parameterbar", parameterbar, 11);
    dumpbars(j, "texturebar", texturebar, 12);
    dumpbars(j, "texturebar2", texturebar2, 13);
    dumpbars(j, "texturebar3", texturebar3, 10);
    dumpbars(j, "attributebar", attributebar, 2);
    dumprgbbars(j, "patterncolorbar", patterncolorbar, 1);
    dumprgbbars(j, "Backcolorbar", Backcolorbar, 1);
    dumprgbbars(j, "light1colorbar", light1colorbar, 1);
    dumprgbbars(j, "light2colorbar", light2colorbar, 1);
    dumprgbbars(j, "specularcolorbar", specularcolorbar, 1);
    j.close('}');
    j.close('}');
    j.out += '\n';

    std::FILE* f = std::fopen(path, "w");
    if (!f) return 0;
    bool ok = std::fwrite(j.out.data(), 1, j.out.size(), f) == j.out.size();
    ok = (std::fclose(f) == 0) && ok;
    return ok ? 1 : 0;
}
