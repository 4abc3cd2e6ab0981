// The shell-parameter file: exact bytes of what is saved, the round trip,
// and what the loader takes from hand-made files.
#include "files_fixture.h"

namespace {

double doubleat(const Bytes& b, std::size_t offset) { return getdouble(b.data() + offset); }

std::vector<std::array<double, 3>> nodelist()
{
    std::vector<std::array<double, 3>> out;
    for (const ControlNode* c = ObjectPtr->head; c; c = c->next) out.push_back({c->x, c->y, c->z});
    return out;
}

using ShellFile = FilesTest;

TEST_F(ShellFile, DefaultShellIs568BytesWithEveryFieldInPlace)
{
    char name[32] = "empty";
    ASSERT_EQ(saveshellparameter(name), 1);
    Bytes b = readbytes("empty.shl");
    ASSERT_EQ(b.size(), 568u);

    // Eye 3, 1, 10, then helico_r0 = 0.1 as a big-endian double.
    const unsigned char head[] = {0x00, 0x03, 0x00, 0x01, 0x00, 0x0A,
                                  0x3F, 0xB9, 0x99, 0x99, 0x99, 0x99, 0x99, 0x9A};
    EXPECT_EQ(0, std::memcmp(b.data(), head, sizeof head));

    // Node count 0, shellmode 17 (32-bit), texturetype 52, InsertType 32.
    const unsigned char modes[] = {0x00, 0x00, 0x00, 0x00, 0x00, 0x11, 0x00, 0x34, 0x00, 0x20};
    EXPECT_EQ(0, std::memcmp(b.data() + 86, modes, sizeof modes));

    struct Field { std::size_t offset; double value; } fields[] = {
        {14, 0.2}, {22, 1.1}, {30, 26.4}, {38, 16.0}, {46, 0.0}, {78, 1.0},
        {96, 128.0}, {104, 0.2}, {112, 1.0}, {120, 0.0}, {128, 0.0}, {160, 1.0},
        // The lights as the lists hold them: positions 10, 5, 10 and -10 x3.
        {184, 10.0}, {192, 5.0}, {200, 10.0}, {208, 1.0}, {224, 1.0},
        {232, -10.0}, {248, -10.0}, {256, 1.0}, {272, 1.0},
        {280, 0.04}, {368, 0.1}, {376, 0.015}, {472, 0.1}, {480, 0.1}, {552, 0.1}, {560, 0.0},
    };
    for (const Field& f : fields) EXPECT_EQ(doubleat(b, f.offset), f.value) << "offset " << f.offset;
}

TEST_F(ShellFile, ColoursAndModelParametersInStoredOrder)
{
    pattern_r = 1.0; pattern_g = 0.5; pattern_b = 0.0;
    background_r = 0.25; background_g = 0.5; background_b = 0.75;
    specular_r = 0.125; specular_g = 0.375; specular_b = 0.625;
    double* t[] = {&t_actdiffrate, &t_adecayrate, &t_subdiffrate, &t_sdecayrate, &t_p0, &t_prop,
                   &t_k, &t_productratemax, &t_productratemin, &t_initvalue, &t_period, &t_delta};
    double* i[] = {&i_actdiffrate, &i_adecayrate, &i_subdiffrate, &i_sdecayrate, &i_hdecayrate,
                   &i_p0, &i_h0, &i_prop, &i_k, &i_productrate, &i_hormoneprop, &i_initvalue,
                   &i_delta};
    double* s[] = {&s_gdiffrate, &s_gdecayrate, &s_sdiffrate, &s_sdecayrate, &s_rdecayrate,
                   &s_p0, &s_p1, &s_cprop, &s_initvalue, &s_delta};
    for (int k = 0; k < 12; ++k) *t[k] = 0.01 * (k + 1);
    for (int k = 0; k < 13; ++k) *i[k] = 0.02 * (k + 1);
    for (int k = 0; k < 10; ++k) *s[k] = 0.03 * (k + 1);

    char name[32] = "c";
    ASSERT_EQ(saveshellparameter(name), 1);
    Bytes b = readbytes("c.shl");
    ASSERT_EQ(b.size(), 568u);
    const double colours[9] = {1.0, 0.0, 0.5, 0.25, 0.75, 0.5, 0.125, 0.625, 0.375};
    for (int k = 0; k < 9; ++k) EXPECT_EQ(doubleat(b, 112 + 8 * k), colours[k]) << "colour " << k;
    for (int k = 0; k < 12; ++k) EXPECT_EQ(doubleat(b, 280 + 8 * k), 0.01 * (k + 1)) << "t " << k;
    for (int k = 0; k < 13; ++k) EXPECT_EQ(doubleat(b, 376 + 8 * k), 0.02 * (k + 1)) << "i " << k;
    for (int k = 0; k < 10; ++k) EXPECT_EQ(doubleat(b, 480 + 8 * k), 0.03 * (k + 1)) << "s " << k;

    // Loading reads them back in the same order.
    double* all[35];
    std::copy(t, t + 12, all);
    std::copy(i, i + 13, all + 12);
    std::copy(s, s + 10, all + 25);
    for (double* v : all) *v = 0.5;
    background_r = background_g = background_b = 0.0;
    std::strcpy(name, "c");
    ASSERT_EQ(loadshellparameter(name), 1);
    EXPECT_EQ(pattern_g, 0.5);
    EXPECT_EQ(pattern_b, 0.0);
    EXPECT_EQ(background_g, 0.5);
    EXPECT_EQ(background_b, 0.75);
    EXPECT_EQ(specular_g, 0.375);
    EXPECT_EQ(material[4], 0.5f);
    for (int k = 0; k < 12; ++k) EXPECT_EQ(*t[k], 0.01 * (k + 1));
    for (int k = 0; k < 13; ++k) EXPECT_EQ(*i[k], 0.02 * (k + 1));
    for (int k = 0; k < 10; ++k) EXPECT_EQ(*s[k], 0.03 * (k + 1));
}

TEST_F(ShellFile, FiveNodesRoundTripInOrderWithNoSelection)
{
    const std::vector<std::array<double, 3>> nodes = {
        {1.0, 2.0, 3.0}, {-4.5, 0.25, 0.0}, {7.0, -1.0, 0.5}, {0.0, 0.0, -2.0}, {3.25, 9.5, 1.0}};
    for (const auto& n : nodes) addnode(n[0], n[1], n[2]);
    sea_xeye = -7;
    helico_rate = 1.3;
    shellmode = 18;
    texturetype = 51;
    InsertType = 30;
    light1[1] = 12.5f;
    light2[7] = 0.25f;
    shellscale = 0.75;

    char name[32] = "five";
    ASSERT_EQ(saveshellparameter(name), 1);
    Bytes b = readbytes("five.shl");
    ASSERT_EQ(b.size(), 688u);
    for (int k = 0; k < 5; ++k)
        for (int c = 0; c < 3; ++c) EXPECT_EQ(doubleat(b, 88 + 24 * k + 8 * c), nodes[k][c]);

    restart();
    ASSERT_EQ(ObjectPtr->count, 0);
    std::strcpy(name, "five");
    ASSERT_EQ(loadshellparameter(name), 1);
    EXPECT_EQ(ObjectPtr->count, 5);
    EXPECT_EQ(nodelist(), nodes);
    EXPECT_EQ(CurrSelectPoint, nullptr);
    EXPECT_EQ(sea_xeye, -7);
    EXPECT_EQ(helico_rate, 1.3);
    EXPECT_EQ(shellmode, 18);
    EXPECT_EQ(texturetype, 51);
    EXPECT_EQ(InsertType, 30);
    EXPECT_EQ(light1[1], 12.5f);
    EXPECT_EQ(light2[7], 0.25f);
    EXPECT_EQ(DL[10], 0.25);
    EXPECT_EQ(shellscale, 0.75);
}

// 40 node records: the first 30 are kept, the rest are read past, and every
// later field is still taken from its own offset.
TEST_F(ShellFile, FortyNodesLoadThirtyAndLaterFieldsStayInPlace)
{
    char name[32] = "base";
    ASSERT_EQ(saveshellparameter(name), 1);
    Bytes base = readbytes("base.shl");

    Bytes b(base.begin(), base.begin() + 86);
    ByteBuffer nodes;
    put16(nodes, 40);
    for (int k = 0; k < 40; ++k) {
        putdouble(nodes, 0.25 * k);
        putdouble(nodes, -0.5 * k);
        putdouble(nodes, 1.0);
    }
    b.insert(b.end(), nodes.begin(), nodes.end());
    b.insert(b.end(), base.begin() + 88, base.end());
    ASSERT_EQ(b.size(), 568u + 24 * 40);
    std::size_t tail = 88 + 24 * 40;
    b[tail + 3] = 18;                    // shellmode
    b[tail + 5] = 50;                    // texturetype
    b[tail + 7] = 30;                    // InsertType
    patchdouble(b, tail + 8, 64.0);      // shininess
    patchdouble(b, tail + 392, 0.125);   // s_gdiffrate
    patchdouble(b, tail + 472, 1.5);     // shellscale
    writebytes("forty.shl", b);

    std::strcpy(name, "forty");
    ASSERT_EQ(loadshellparameter(name), 1);
    ASSERT_EQ(ObjectPtr->count, 30);
    auto got = nodelist();
    ASSERT_EQ(got.size(), 30u);
    EXPECT_EQ(got[0], (std::array<double, 3>{0.0, 0.0, 1.0}));
    EXPECT_EQ(got[29], (std::array<double, 3>{7.25, -14.5, 1.0}));
    EXPECT_EQ(shellmode, 18);
    EXPECT_EQ(texturetype, 50);
    EXPECT_EQ(InsertType, 30);
    EXPECT_EQ(shinnessvalue, 64.0);
    EXPECT_EQ(s_gdiffrate, 0.125);
    EXPECT_EQ(shellscale, 1.5);
}

TEST_F(ShellFile, ExtensionIsAlwaysAppendedAndEmptyNameDoesNothing)
{
    char name[32] = "a";
    ASSERT_EQ(saveshellparameter(name), 1);
    EXPECT_STREQ(name, "a.shl");
    EXPECT_EQ(listing(), std::vector<std::string>{"a.shl"});

    // Asking for a.shl looks for a.shl.shl.
    std::strcpy(name, "a.shl");
    EXPECT_EQ(loadshellparameter(name), 0);
    EXPECT_STREQ(name, "a.shl.shl");
    std::filesystem::copy_file("a.shl", "a.shl.shl");
    std::strcpy(name, "a.shl");
    EXPECT_EQ(loadshellparameter(name), 1);

    char empty[8] = "";
    EXPECT_EQ(saveshellparameter(empty), 0);
    EXPECT_EQ(loadshellparameter(empty), 0);
    EXPECT_STREQ(empty, "");
    EXPECT_EQ(listing().size(), 2u);
}

// Shininess goes through the single-precision material list on loading.
TEST_F(ShellFile, ShininessComesBackAtSinglePrecision)
{
    shinnessvalue = 100.1;
    char name[32] = "shiny";
    ASSERT_EQ(saveshellparameter(name), 1);
    EXPECT_EQ(doubleat(readbytes("shiny.shl"), 96), 100.1);
    shinnessvalue = 128.0;
    std::strcpy(name, "shiny");
    ASSERT_EQ(loadshellparameter(name), 1);
    EXPECT_EQ(shinnessvalue, 100.09999847412109375);
    EXPECT_EQ(material[1], 100.1f);
}

// Values outside a bar's range that do no harm load as they are; a negative
// node count means no node records.
TEST_F(ShellFile, HarmlessOddValuesStillLoad)
{
    char name[32] = "odd";
    ASSERT_EQ(saveshellparameter(name), 1);
    Bytes b = readbytes("odd.shl");
    patchdouble(b, 38, 500.0);   // helico_stepsize, bar ends at 300
    patchdouble(b, 54, 0.5);     // hortmag, bar ends at 0.1
    b[86] = 0xFF;                // node count -3
    b[87] = 0xFD;
    b[91] = 18;                  // shellmode, still at offset 88
    writebytes("odd.shl", b);

    std::strcpy(name, "odd");
    ASSERT_EQ(loadshellparameter(name), 1);
    EXPECT_EQ(helico_stepsize, 500.0);
    EXPECT_EQ(hortmag, 0.5);
    EXPECT_EQ(ObjectPtr->count, 0);
    EXPECT_EQ(shellmode, 18);
    EXPECT_EQ(parameterbar[4].knobx, 351);
}

// Every bar at its extreme and 30 nodes zigzagging between opposite corners
// of the curve views: whatever the program can save, it can load again.
TEST_F(ShellFile, ExtremeShellOfTheBarsStillLoads)
{
    for (int k = 0; k < 30; ++k) {
        double c = k % 2 ? -10.0 : 10.0;
        addnode(c, c, c);
    }
    helico_r0 = 2.001; helico_z0 = 2.0; helico_rate = 3.0; helico_endangle = 50.1;
    helico_stepsize = 300.0; genstepsize = 10.0; hortsize = 60.0; hortmag = 0.1;
    vertsize = 60.0; vertmag = 0.3; shellscale = 4.0;
    t_delta = i_delta = s_delta = 0.01;
    char name[32] = "extreme";
    ASSERT_EQ(saveshellparameter(name), 1);
    restart();
    std::strcpy(name, "extreme");
    EXPECT_EQ(loadshellparameter(name), 1);
    EXPECT_EQ(ObjectPtr->count, 30);
    EXPECT_EQ(helico_endangle, 50.1);
}

}  // namespace
