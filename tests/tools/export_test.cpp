// seashell-export: the OBJ read back holds the modeller's rings as vertices
// and the ray tracer's two triangles per quad as faces, wound to agree with
// the normals whichever way the outline was drawn; texture coordinates land
// on the texture map where the tracer reads it; the STL holds the same
// triangles; the texture PNG has the shell's colours. A shell without a
// surface or an unwritable output leaves nothing behind.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <map>
#include <sstream>

#include "app/model.h"
#include "curve/curve.h"
#include "files/files.h"
#include "shell/shell.h"
#include "toolsupport.h"

using namespace tooltest;

namespace {

// A small OBJ reader: positions, texture coordinates, normals, and faces as
// three v/vt/vn triples (1-based), plus the mtllib and usemtl names.
struct Obj {
    std::vector<std::array<float, 3>> v, vn;
    std::vector<std::array<double, 2>> vt;
    std::vector<std::array<std::array<int, 3>, 3>> f;
    std::string mtllib;
    bool ok = true;
};

Obj readobj(const std::string& text)
{
    Obj o;
    std::istringstream in(text);
    std::string line;
    while (std::getline(in, line)) {
        std::istringstream l(line);
        std::string key;
        l >> key;
        if (key == "v" || key == "vn") {
            std::array<float, 3> p;
            l >> p[0] >> p[1] >> p[2];
            (key == "v" ? o.v : o.vn).push_back(p);
        } else if (key == "vt") {
            std::array<double, 2> t;
            l >> t[0] >> t[1];
            o.vt.push_back(t);
        } else if (key == "f") {
            std::array<std::array<int, 3>, 3> face;
            for (auto& corner : face) {
                char slash1, slash2;
                l >> corner[0] >> slash1 >> corner[1] >> slash2 >> corner[2];
                if (slash1 != '/' || slash2 != '/') o.ok = false;
            }
            if (l.fail()) o.ok = false;
            std::string extra;
            if (l >> extra) o.ok = false;  // triangles only
            o.f.push_back(face);
            continue;
        } else if (key == "mtllib") {
            l >> o.mtllib;
        }
        if (l.fail()) o.ok = false;
    }
    return o;
}

// The rings as the modeller generates them for a shell file.
struct Rings {
    int points = 0, rings = 0;
    std::vector<RingPoint> v;
};

void keep(const RingPoint* prev, const RingPoint* cur, int k, void* user)
{
    Rings* r = (Rings*)user;
    if (k == 1) r->v.insert(r->v.end(), prev, prev + CurveSegment);
    r->v.insert(r->v.end(), cur, cur + CurveSegment);
    r->rings = k + 1;
}

Rings generate(const std::string& shell)
{
    std::vector<char> name(shell.begin(), shell.end());
    name.resize(shell.size() + 8, 0);
    Rings r;
    if (loadshellparameter(name.data())) {
        drawinterpolatepath();
        r.points = CurveSegment;
        generateshell(keep, &r);
    }
    restart();
    return r;
}

std::array<double, 3> cross(const std::array<float, 3>& a, const std::array<float, 3>& b,
                            const std::array<float, 3>& c)
{
    double e1[3], e2[3];
    for (int i = 0; i < 3; ++i) e1[i] = (double)b[i] - a[i], e2[i] = (double)c[i] - a[i];
    return {e1[1] * e2[2] - e1[2] * e2[1], e1[2] * e2[0] - e1[0] * e2[2], e1[0] * e2[1] - e1[1] * e2[0]};
}

float le32(const std::string& b, std::size_t at)
{
    std::uint32_t u = 0;
    for (int k = 3; k >= 0; --k) u = u << 8 | (unsigned char)b[at + k];
    float f;
    std::memcpy(&f, &u, 4);
    return f;
}

}  // namespace

// The outline drawn one way and the other: the normals change side, the
// faces follow them.
TEST(ExportTool, MeshIsTheModellersSurface)
{
    for (bool reversed : {false, true}) {
        SCOPED_TRACE(reversed ? "outline reversed" : "outline as drawn");
        std::string dir = scratch(reversed ? "export-reversed" : "export-mesh");
        ShellSpec spec;
        spec.reversed = reversed;
        makeshell(dir, "shell", spec);
        Result r = runtool(dir, "export", {"shell.shl", "mesh.obj", "--stl", "mesh.stl"});
        ASSERT_EQ(r.status, 0) << r.err;

        Rings g = generate(dir + "/shell");
        // The default growth: 67 steps after the apex ring.
        ASSERT_EQ(g.rings, 68);
        ASSERT_GE(g.points, 2);
        const int P = g.points, V = 68 * P, T = 2 * (P - 1) * 67;

        Obj o = readobj(readfile(dir + "/mesh.obj"));
        ASSERT_TRUE(o.ok);
        EXPECT_EQ(o.mtllib, "mesh.mtl");
        ASSERT_EQ((int)o.v.size(), V);
        ASSERT_EQ((int)o.vn.size(), V);
        ASSERT_EQ((int)o.vt.size(), V);
        ASSERT_EQ((int)o.f.size(), T);
        for (int i = 0; i < V; ++i)
            for (int d = 0; d < 3; ++d) {
                ASSERT_EQ(o.v[i][d], g.v[i].p[d]) << "vertex " << i;
                ASSERT_EQ(o.vn[i][d], g.v[i].n[d]) << "normal " << i;
            }

        // Faces: the tracer's two triangles of each quad, as corner sets in
        // ring-major order; each corner's v, vt and vn the same vertex.
        std::map<std::array<int, 3>, int> expected;
        for (int k = 0; k < 67; ++k)
            for (int j = 0; j + 1 < P; ++j) {
                int a = k * P + j + 1, b = a + P;
                std::array<int, 3> t1 = {a, b, a + 1}, t2 = {b + 1, a + 1, b};
                std::sort(t1.begin(), t1.end());
                std::sort(t2.begin(), t2.end());
                expected[t1]++;
                expected[t2]++;
            }
        std::map<std::array<int, 3>, int> found;
        int agree = 0;
        for (const auto& f : o.f) {
            std::array<int, 3> c = {f[0][0], f[1][0], f[2][0]};
            for (const auto& corner : f) {
                ASSERT_EQ(corner[1], corner[0]);
                ASSERT_EQ(corner[2], corner[0]);
            }
            auto n = cross(o.v[c[0] - 1], o.v[c[1] - 1], o.v[c[2] - 1]);
            double dot = 0;
            for (int i = 0; i < 3; ++i)
                for (int d = 0; d < 3; ++d) dot += n[d] * o.vn[c[i] - 1][d];
            agree += dot > 0;
            std::sort(c.begin(), c.end());
            found[c]++;
        }
        EXPECT_EQ(found, expected);
        // Where the outline leaves its plane (the last node) the surface
        // folds over itself and some faces turn away whatever the winding;
        // a wrong winding would turn nearly all of them.
        EXPECT_GE(agree, T * 9 / 10);

        // The STL: header, count, then the OBJ's faces in the same order,
        // each with the unit normal of its winding.
        std::string stl = readfile(dir + "/mesh.stl");
        ASSERT_EQ(stl.size(), 84u + 50u * T);
        EXPECT_NE(stl.compare(0, 5, "solid"), 0);
        std::uint32_t count = 0;
        for (int k = 3; k >= 0; --k) count = count << 8 | (unsigned char)stl[80 + k];
        EXPECT_EQ((int)count, T);
        for (int t = 0; t < T; ++t) {
            std::size_t at = 84 + 50 * (std::size_t)t;
            std::array<float, 3> p[3];
            for (int i = 0; i < 3; ++i)
                for (int d = 0; d < 3; ++d) {
                    p[i][d] = le32(stl, at + 12 + 12 * i + 4 * d);
                    ASSERT_EQ(p[i][d], o.v[o.f[t][i][0] - 1][d]) << "triangle " << t;
                }
            auto n = cross(p[0], p[1], p[2]);
            double len = std::sqrt(n[0] * n[0] + n[1] * n[1] + n[2] * n[2]), dot = 0, unit = 0;
            for (int d = 0; d < 3; ++d) {
                float m = le32(stl, at + 4 * d);
                dot += m * n[d];
                unit += (double)m * m;
            }
            if (len > 1e-12) {
                EXPECT_NEAR(dot / len, 1.0, 1e-5) << "triangle " << t;
                EXPECT_NEAR(unit, 1.0, 1e-5);
            }
        }
    }
}

// The texture map is (columns + 1) x (rows + 1) pixels: the default growth
// of 26.4 radians makes 1260 rows. Ring k sits on map row k x 1260 / 67 and
// point j on column j x columns / points, at pixel centres, row 0 at the
// bottom. A uniform colour fills the map with the pattern colour.
TEST(ExportTool, TextureCoordinatesAndPicture)
{
    std::string dir = scratch("export-texture");
    ShellSpec spec;
    spec.pattern[0] = 0.5, spec.pattern[1] = 0.25, spec.pattern[2] = 1.0;
    spec.background[0] = spec.background[1] = spec.background[2] = 0.2;
    makeshell(dir, "shell", spec);
    Result r = runtool(dir, "export", {"shell", "mesh.obj"});
    ASSERT_EQ(r.status, 0) << r.err;

    std::string mtl = readfile(dir + "/mesh.mtl");
    EXPECT_NE(mtl.find("map_Kd mesh-texture.png\n"), std::string::npos) << mtl;
    EXPECT_NE(mtl.find("Ns 128"), std::string::npos) << mtl;
    Picture tex;
    ASSERT_TRUE(readpng(dir + "/mesh-texture.png", tex));
    ASSERT_EQ(tex.height, 1261);
    int W = tex.width - 1;
    ASSERT_GE(W, 1);
    int other = 0;
    for (std::size_t i = 0; i < tex.rgb.size(); i += 3)
        other += tex.rgb[i] != 127 || tex.rgb[i + 1] != 63 || tex.rgb[i + 2] != 255;
    EXPECT_EQ(other, 0);

    Rings g = generate(dir + "/shell");
    ASSERT_EQ(g.rings, 68);
    int P = g.points;
    Obj o = readobj(readfile(dir + "/mesh.obj"));
    ASSERT_EQ((int)o.vt.size(), 68 * P);
    const int at[][2] = {{0, 0}, {67, P - 1}, {30, 5}};  // ring, point
    for (const auto& kj : at) {
        const auto& t = o.vt[kj[0] * P + kj[1]];
        EXPECT_NEAR(t[0], (kj[1] * ((double)W / P) + 0.5) / (W + 1), 1e-8);
        EXPECT_NEAR(t[1], (kj[0] * (1260.0 / 67) + 0.5) / 1261, 1e-8);
    }
}

TEST(ExportTool, RefusedRunsLeaveNothingBehind)
{
    const struct {
        const char* what;
        std::vector<std::string> args;
        int status;
        const char* message;
    } cases[] = {
        {"missing shell", {"nothere.shl", "mesh.obj"}, 1, "Can not open file nothere.shl !"},
        {"no surface", {"one.shl", "mesh.obj"}, 1, "no surface"},
        {"mesh in no folder", {"shell.shl", "no/mesh.obj"}, 1, "can not write no/mesh.obj"},
        {"STL in no folder", {"shell.shl", "mesh.obj", "--stl", "no/mesh.stl"}, 1, "can not write no/mesh.stl"},
        {"STL without a name", {"shell.shl", "mesh.obj", "--stl"}, 2, "--stl needs a file name"},
        {"no mesh named", {"shell.shl"}, 2, "--help"},
    };
    std::string dir = scratch("export-refused");
    makeshell(dir, "shell", ShellSpec());
    ShellSpec one;
    one.nodes = 1;
    makeshell(dir, "one", one);
    std::set<std::string> before = listing(dir);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Result r = runtool(dir, "export", c.args);
        EXPECT_EQ(r.status, c.status);
        EXPECT_NE(r.err.find(c.message), std::string::npos) << r.err;
        EXPECT_EQ(listing(dir), before);
    }
}
