// Failures that must not cost data: a save that cannot be completed keeps
// the old file, and a file with unusable values leaves the model unchanged.
#include "files_fixture.h"

#include <cmath>
#include <functional>
#include <limits>

namespace {

using Mends = FilesTest;

const double NaN = std::numeric_limits<double>::quiet_NaN();
const double Inf = std::numeric_limits<double>::infinity();

// The state a refused load must not touch.
std::vector<double> snapshot()
{
    std::vector<double> v = {
        (double)sea_xeye, helico_r0, helico_rate, helico_endangle, helico_stepsize, genstepsize,
        hortmag, (double)ObjectPtr->count, (double)shellmode, (double)texturetype,
        (double)InsertType, shinnessvalue, pattern_r, pattern_g, background_b, material[3],
        light1[1], DL[0], t_delta, i_delta, s_delta, s_gdiffrate, shellscale,
    };
    for (const ControlNode* c = ObjectPtr->head; c; c = c->next) v.insert(v.end(), {c->x, c->y, c->z});
    return v;
}

// A model that differs from the defaults everywhere the snapshot looks.
void distinctmodel()
{
    addnode(0.0, 0.0, 0.0);
    addnode(2.0, 1.0, 0.0);
    sea_xeye = 5;
    helico_r0 = 0.3;
    helico_rate = 1.5;
    shellmode = 18;
    texturetype = 50;
    pattern_g = 0.5;
    material[4] = 0.5f;
    s_gdiffrate = 0.2;
    shellscale = 0.5;
}

TEST_F(Mends, FailedSaveKeepsTheOldFile)
{
    struct Case {
        const char* what;
        const char* file;
        std::function<int()> save;
    } cases[] = {
        {"shell", "s.shl", [] { char n[32] = "s"; return saveshellparameter(n); }},
        {"texture", "t.ttr", [] { char n[32] = "t"; return savetexture(n); }},
        {"image", "i.bp", [] {
             std::vector<unsigned char> lit(300, 200);
             char n[32] = "i";
             if (!initsaveRGB(300, 300, n)) return 0;
             int ok = 1;
             for (int k = 0; k < 300; ++k) ok &= saveRGB(lit.data(), lit.data(), lit.data());
             closesaveRGB();
             return ok;
         }},
    };
    texturetype = 53;  // a texture without a model run: a flat map
    for (const Case& c : cases) {
        Bytes old = {'o', 'l', 'd'};
        writebytes(c.file, old);
        {
            FileSizeLimit limit(100);
            EXPECT_EQ(c.save(), 0) << c.what;
        }
        EXPECT_EQ(readbytes(c.file), old) << c.what;
        for (const std::string& f : listing())
            EXPECT_EQ(f.find(".tmp"), std::string::npos) << c.what << ": " << f;
    }
}

// The replacement takes the old file's place with the old file's
// permissions, not the defaults of a new file.
TEST_F(Mends, ReplacedFileKeepsItsPermissions)
{
    namespace fs = std::filesystem;
    writebytes("p.shl", Bytes{'o', 'l', 'd'});
    fs::permissions("p.shl", fs::perms::owner_read | fs::perms::owner_write);
    char name[32] = "p";
    ASSERT_EQ(saveshellparameter(name), 1);
    EXPECT_EQ(readbytes("p.shl").size(), 568u);
    EXPECT_EQ(fs::status("p.shl").permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write);
}

TEST_F(Mends, ImageCutShortIsNotSaved)
{
    writebytes("short.bp", Bytes{'o', 'l', 'd'});
    std::vector<unsigned char> row(10, 1);
    char name[32] = "short";
    ASSERT_EQ(initsaveRGB(10, 5, name), 1);
    for (int k = 0; k < 3; ++k) EXPECT_EQ(saveRGB(row.data(), row.data(), row.data()), 1);
    closesaveRGB();
    EXPECT_EQ(readbytes("short.bp"), (Bytes{'o', 'l', 'd'}));
    EXPECT_FALSE(exists("short.bp.tmp"));
}

TEST_F(Mends, UnusableShellFileLeavesTheModelUnchanged)
{
    // A good file with two nodes to patch.
    addnode(0.0, 0.0, 0.0);
    addnode(3.0, 2.0, 0.0);
    char name[32] = "good";
    ASSERT_EQ(saveshellparameter(name), 1);
    const Bytes good = readbytes("good.shl");
    ASSERT_EQ(good.size(), 616u);
    const std::size_t tail = 88 + 48;

    struct Patch { std::size_t offset; double value; };
    struct Case { const char* what; std::vector<Patch> patches; std::size_t cut; } cases[] = {
        {"no growth steps per turn", {{38, 0.0}}, 0},
        {"growth steps NaN", {{38, NaN}}, 0},
        {"negative samples per unit", {{78, -1.0}}, 0},
        {"too many rings", {{30, 50000.0}, {38, 300.0}}, 0},
        {"negative end angle", {{30, -1.0}}, 0},
        {"non-positive growth rate", {{22, -1.0}}, 0},
        {"zero start radius", {{6, 0.0}}, 0},
        {"growth overflows", {{22, 3.0}, {30, 1000.0}, {38, 8.0}}, 0},
        {"curve too long to sample", {{88 + 24, 90000.0}, {78, 10.0}}, 0},
        {"node coordinate infinite", {{88 + 8, Inf}}, 0},
        {"pattern colour NaN", {{tail + 24, NaN}}, 0},
        {"light position infinite", {{tail + 96, -Inf}}, 0},
        {"value beyond any range", {{tail + 472, 1e300}}, 0},
        {"increment size zero", {{tail + 192 + 88, 0.0}}, 0},
        {"increment size above one", {{tail + 288 + 96, 2.0}}, 0},
        {"increment size far too small", {{tail + 392 + 72, 1e-5}}, 0},
        {"file ends early", {}, 1},
        {"node records missing", {}, 30},
    };

    restart();
    distinctmodel();
    const std::vector<double> before = snapshot();
    for (const Case& c : cases) {
        Bytes b = good;
        for (const Patch& p : c.patches) patchdouble(b, p.offset, p.value);
        b.resize(b.size() - c.cut);
        writebytes("bad.shl", b);
        std::strcpy(name, "bad");
        EXPECT_EQ(loadshellparameter(name), 0) << c.what;
        EXPECT_EQ(snapshot(), before) << c.what;
    }

    // The unpatched file still loads.
    std::strcpy(name, "good");
    EXPECT_EQ(loadshellparameter(name), 1);
    EXPECT_EQ(ObjectPtr->count, 2);
}

TEST_F(Mends, UnusableTextureFileLeavesTheModelUnchanged)
{
    auto file = [](short code, double colour, double delta, int params, std::size_t cut) {
        ByteBuffer b;
        put16(b, code);
        for (int k = 0; k < 6; ++k) putdouble(b, colour);
        for (int k = 0; k < params - 1; ++k) putdouble(b, 0.01);
        putdouble(b, delta);
        Bytes out(b.begin(), b.end());
        out.resize(out.size() - cut);
        return out;
    };
    struct Case { const char* what; Bytes file; } cases[] = {
        {"increment size zero", file(50, 0.5, 0.0, 12, 0)},
        {"increment size NaN", file(51, 0.5, NaN, 13, 0)},
        {"increment size above one", file(49, 0.5, 1.5, 10, 0)},
        {"colour NaN", file(49, NaN, 0.1, 10, 0)},
        {"parameters cut short", file(51, 0.5, 0.1, 13, 8)},
        {"colours cut short", Bytes{0x00, 0x31, 0x3F}},
    };
    distinctmodel();
    const std::vector<double> before = snapshot();
    for (const Case& c : cases) {
        writebytes("bad.ttr", c.file);
        char name[32] = "bad";
        EXPECT_EQ(loadtexture(name), 0) << c.what;
        EXPECT_EQ(snapshot(), before) << c.what;
    }
}

}  // namespace
