// seashell-export - a shell file as a mesh for other programs: a Wavefront
// OBJ with normals and texture coordinates, its MTL material with the shell's
// pigmentation as a PNG texture, and on request a binary STL.
//
//   seashell-export SHELL.shl OUT.obj [--stl OUT.stl]
//
// writes OUT.obj, OUT.mtl and OUT-texture.png (OUT being the name without its
// ".obj"), and OUT.stl when asked.
//
// The surface is the modeller's: the rings of the surface generation, each
// of the curve's sample points a vertex (ring k, point j) with the generated
// position and normal in single precision, and each quad of neighbouring
// rings cut into the ray tracer's two triangles, (k, j) (k+1, j) (k, j+1) and
// (k+1, j+1) (k, j+1) (k+1, j). Vertex (k, j) is number k x points + j + 1.
// Faces are wound so that their right-hand normals agree with the vertex
// normals over the whole surface (one choice for all faces, so the mesh stays
// consistently oriented); both windings of a curve drawn either way round thus
// give a mesh whose front faces the normals.
//
// The texture is the ray tracer's texture map, computed with the shell's
// model: one pixel per map cell, map row 0 (the apex) at the bottom, colour
// background + value x (pattern - background). Texture coordinates put vertex
// (k, j) on the map where the ray tracer reads it, row k x rows/rings and
// column j x columns/points, at pixel centres, so bilinear filtering gives
// the traced colours. Lighting and shadows are left to the other program;
// the material carries the specular colour and shininess.
//
// Coordinates are the modeller's world units, y up. The STL holds the same
// triangles; the surface has no thickness, so a printer's slicer must give
// it one.
#include <cmath>
#include <cstdarg>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <new>
#include <string>
#include <utility>
#include <vector>

#include "app/model.h"
#include "curve/curve.h"
#include "files/files.h"
#include "shell/shell.h"
#include "texture/texture.h"
#include "tools/common/pngout.h"
#include "tools/common/toolrun.h"

namespace {

const char* const usage =
    "Usage: seashell-export SHELL.shl OUT.obj [--stl OUT.stl]\n"
    "Writes the surface of the shell in SHELL.shl (the \".shl\" may be left\n"
    "off) as a Wavefront OBJ mesh with normals and texture coordinates,\n"
    "OUT.mtl with its material and OUT-texture.png with the shell's computed\n"
    "pigmentation, and a binary STL with --stl.\n"
    "\n"
    "  --stl FILE  also write the triangles as a binary STL\n"
    "  -q, --quiet no progress bar\n"
    "  -h, --help  this text\n"
    "\n"
    "Exit status: 0 done, 1 a file could not be read or written or the shell\n"
    "has no surface, 2 bad arguments. Nothing is written unless all is.\n";

struct Surface {
    int points = 0;  // per ring
    int rings = 0;
    std::vector<RingPoint> v;  // ring by ring
};

void keepring(const RingPoint* prev, const RingPoint* cur, int k, void* user)
{
    Surface* s = (Surface*)user;
    if (k == 1) s->v.insert(s->v.end(), prev, prev + s->points);
    s->v.insert(s->v.end(), cur, cur + s->points);
    s->rings = k + 1;
}

// The three vertex numbers (0-based) of triangle t of quad (k, j).
void corners(const Surface* s, int k, int j, int t, int c[3])
{
    int a = k * s->points + j, b = a + s->points;  // (k, j), (k+1, j)
    if (t == 0) {
        c[0] = a, c[1] = b, c[2] = a + 1;
    } else {
        c[0] = b + 1, c[1] = a + 1, c[2] = b;
    }
}

void facenormal(const Surface* s, const int c[3], double n[3])
{
    const float *p0 = s->v[c[0]].p, *p1 = s->v[c[1]].p, *p2 = s->v[c[2]].p;
    double e1[3], e2[3];
    for (int i = 0; i < 3; ++i) e1[i] = (double)p1[i] - p0[i], e2[i] = (double)p2[i] - p0[i];
    n[0] = e1[1] * e2[2] - e1[2] * e2[1];
    n[1] = e1[2] * e2[0] - e1[0] * e2[2];
    n[2] = e1[0] * e2[1] - e1[1] * e2[0];
}

// 1 when the triangles as cut face the same way as the vertex normals, taken
// over the whole surface and weighted by area.
int cutwindingagrees(const Surface* s)
{
    double sum = 0.0;
    for (int k = 0; k + 1 < s->rings; ++k)
        for (int j = 0; j + 1 < s->points; ++j)
            for (int t = 0; t < 2; ++t) {
                int c[3];
                double n[3];
                corners(s, k, j, t, c);
                facenormal(s, c, n);
                for (int i = 0; i < 3; ++i)
                    sum += n[i] * ((double)s->v[c[0]].n[i] + s->v[c[1]].n[i] + s->v[c[2]].n[i]);
            }
    return !(sum < 0.0);
}

// Text and bytes are gathered and handed to the file in large pieces.
struct Writer {
    explicit Writer(SafeFile* file) : f(file) {}
    SafeFile* f;
    std::string buffer;
    int ok = 1;
    void flush()
    {
        if (ok && !buffer.empty()) ok = safewrite(f, buffer.data(), buffer.size());
        buffer.clear();
    }
    void text(const char* format, ...) __attribute__((format(printf, 2, 3)))
    {
        char line[256];
        va_list ap;
        va_start(ap, format);
        int n = std::vsnprintf(line, sizeof line, format, ap);
        va_end(ap);
        buffer.append(line, n < (int)sizeof line ? n : (int)sizeof line - 1);
        if (buffer.size() >= (1 << 20)) flush();
    }
    void u32(std::uint32_t x)
    {
        for (int i = 0; i < 4; ++i) buffer.push_back((char)((x >> (8 * i)) & 0xFF));
    }
    void f32(float x)
    {
        std::uint32_t u;
        std::memcpy(&u, &x, 4);
        u32(u);
        if (buffer.size() >= (1 << 20)) flush();
    }
};

// The file name without its folder: the OBJ and MTL name their neighbours.
const char* leaf(const std::string& path)
{
    std::size_t slash = path.rfind('/');
    return path.c_str() + (slash == std::string::npos ? 0 : slash + 1);
}

struct TextureColours {
    double pattern[3], background[3];
};

void texturerow(int y, unsigned char* rgb, void* user)
{
    const TextureColours* c = (const TextureColours*)user;
    const double* row = texturemap[texturemapheight - y];
    for (int x = 0; x <= texturemapwidth; ++x)
        for (int i = 0; i < 3; ++i) rgb[3 * x + i] = texturebyte(c->background[i], c->pattern[i], row[x]);
}

int writeobj(Writer& w, const Surface* s, const std::string& mtl, const char* shell, double hortgrid,
             double vertgrid, int flip)
{
    w.text("# %s: the surface of %s\n", toolname(), shell);
    w.text("# %d rings of %d points, y up\n", s->rings, s->points);
    w.text("mtllib %s\n", leaf(mtl));
    w.text("o shell\n");
    for (const RingPoint& p : s->v) w.text("v %.9g %.9g %.9g\n", p.p[0], p.p[1], p.p[2]);
    for (int k = 0; k < s->rings; ++k)
        for (int j = 0; j < s->points; ++j)
            w.text("vt %.9g %.9g\n", (j * hortgrid + 0.5) / (texturemapwidth + 1),
                   (k * vertgrid + 0.5) / (texturemapheight + 1));
    for (const RingPoint& p : s->v) w.text("vn %.9g %.9g %.9g\n", p.n[0], p.n[1], p.n[2]);
    w.text("usemtl shell\n");
    for (int k = 0; k + 1 < s->rings; ++k)
        for (int j = 0; j + 1 < s->points; ++j)
            for (int t = 0; t < 2; ++t) {
                int c[3];
                corners(s, k, j, t, c);
                if (flip) std::swap(c[1], c[2]);
                w.text("f %d/%d/%d %d/%d/%d %d/%d/%d\n", c[0] + 1, c[0] + 1, c[0] + 1, c[1] + 1, c[1] + 1,
                       c[1] + 1, c[2] + 1, c[2] + 1, c[2] + 1);
            }
    w.flush();
    return w.ok;
}

int writemtl(Writer& w, const std::string& png)
{
    double shine = shinnessvalue;
    if (!(shine >= 0.0)) shine = 0.0;
    if (shine > 1000.0) shine = 1000.0;  // the format's range
    w.text("# %s: the shell's material\n", toolname());
    w.text("newmtl shell\n");
    w.text("Ka 0 0 0\n");
    w.text("Kd 1 1 1\n");
    w.text("Ks %.6f %.6f %.6f\n", specular_r, specular_g, specular_b);
    w.text("Ns %.6f\n", shine);
    w.text("illum 2\n");
    w.text("map_Kd %s\n", leaf(png));
    w.flush();
    return w.ok;
}

int writestl(Writer& w, const Surface* s, const char* shell, int flip)
{
    char head[80] = {0};
    // Never "solid" at the start: readers would take the file for text.
    std::snprintf(head, sizeof head, "Seashell surface of %s", leaf(shell));
    w.buffer.append(head, sizeof head);
    w.u32((std::uint32_t)(2 * (s->points - 1) * (s->rings - 1)));
    for (int k = 0; k + 1 < s->rings; ++k)
        for (int j = 0; j + 1 < s->points; ++j)
            for (int t = 0; t < 2; ++t) {
                int c[3];
                double n[3];
                corners(s, k, j, t, c);
                if (flip) std::swap(c[1], c[2]);
                facenormal(s, c, n);
                double len = std::sqrt(n[0] * n[0] + n[1] * n[1] + n[2] * n[2]);
                for (int i = 0; i < 3; ++i) w.f32(len > 0.0 ? (float)(n[i] / len) : 0.0f);
                for (int i = 0; i < 3; ++i)
                    for (int d = 0; d < 3; ++d) w.f32(s->v[c[i]].p[d]);
                w.buffer.push_back(0);
                w.buffer.push_back(0);
            }
    w.flush();
    return w.ok;
}

int run(int argc, char** argv)
{
    const char* args[2];
    const char* stlpath = nullptr;
    int status = toolargs(argc, argv, usage, "--stl", &stlpath, args, 2, "needs SHELL.shl and OUT.obj");
    if (status >= 0) return status;
    std::string obj = args[1], base = obj;
    if (toolendswith(base.c_str(), ".obj")) base.resize(base.size() - 4);
    if (base.empty() || base.back() == '/') return toolusage("%s names no file", args[1]);
    std::string mtl = base + ".mtl", png = base + "-texture.png";

    if (!toolloadshell(args[0])) return TOOL_FAILED;
    Surface s;
    s.points = ObjectPtr->count >= 2 ? CurveSegment : 0;
    if (s.points >= 2) generateshell(keepring, &s);
    if (s.rings < 2) {
        toolerror("%s has no surface to export (it needs two control nodes and one growth step)", args[0]);
        return TOOL_FAILED;
    }

    SafeFile* fobj = toolout(obj.c_str());
    SafeFile* fmtl = fobj ? toolout(mtl.c_str()) : nullptr;
    SafeFile* fpng = fmtl ? toolout(png.c_str()) : nullptr;
    SafeFile* fstl = fpng && stlpath ? toolout(stlpath) : nullptr;
    if (!fpng || (stlpath && !fstl)) return TOOL_FAILED;

    // The map is sized from the shell, as for a ray-tracing run; a uniform
    // colour blackens the background while the map exists, so the colours
    // are taken first.
    TextureColours colours = {{pattern_r, pattern_g, pattern_b}, {background_r, background_g, background_b}};
    toolprogress("texture", 0);
    createtexturemap(0);
    toolprogress("texture", 100);
    toolprogressdone();
    double hortgrid = (double)texturemapwidth / CurveSegment;
    double vertgrid = (double)texturemapheight / (s.rings - 1);
    int pngok = writepng(fpng->fp, texturemapwidth + 1, texturemapheight + 1, texturerow, &colours);
    int flip = !cutwindingagrees(&s);
    Writer wobj(fobj), wmtl(fmtl);
    int ok = writeobj(wobj, &s, mtl, args[0], hortgrid, vertgrid, flip);
    freetexturemap();
    if (!pngok) {
        toolerror("can not write %s", png.c_str());
        return TOOL_FAILED;
    }
    if (!ok) {
        toolerror("can not write %s", obj.c_str());
        return TOOL_FAILED;
    }
    if (!writemtl(wmtl, png)) {
        toolerror("can not write %s", mtl.c_str());
        return TOOL_FAILED;
    }
    if (fstl) {
        Writer wstl(fstl);
        if (!writestl(wstl, &s, args[0], flip)) {
            toolerror("can not write %s", stlpath);
            return TOOL_FAILED;
        }
    }
    return toolcommit() ? TOOL_OK : TOOL_FAILED;
}

}  // namespace

int main(int argc, char** argv)
{
    return toolmain("seashell-export", run, argc, argv);
}
