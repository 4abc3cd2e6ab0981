// "Define attribute", "Define color" and a texture library pick, driven
// through the replay tool as a user would.
#include <gtest/gtest.h>

#include <filesystem>

#include "support.h"

using namespace replaytest;

TEST(DialogScenario, AttributeColourAndTextureLibrary)
{
    std::string dir = scratchdir("dialogs");
    for (const char* f : {"actsub1.ttr"})
        std::filesystem::copy_file(std::string(SEASHELL_SOURCE_DIR) + "/data/" + f, dir + "/" + f);
    std::string script =
        "move 1100 1100\n"
        "menu Attribute\n"
        "drag 220 780 120 780 4\n"      // Shinness 128 -> 64
        "drag 60 730 160 730 4\n"       // Reflection coefficient 0.2 -> 0.7
        "drag 220 670 120 670 4\n"      // Light 1 color, red 1.0 -> 0.5
        "click left 80 30\n"            // OK
        "dump attribute.json\n"
        "move 1100 1100\n"
        "menu Texture \"uniform color\"\n"
        "drag 20 115 220 115 4\n"       // Pattern color, green 0 -> 1
        "click left 80 30\n"
        "dump colour.json\n"
        "move 1100 1100\n"
        "menu Texture \"activator substrate\"\n"
        "click left 270 30\n"           // Library
        "click left 715 100\n"          // column 1, row 0: actsub1
        "click left 50 30\n"            // OK
        "dump picked.json\n"
        "move 1100 1100\n"
        "menu \"Clear All\"\n"
        "menu Load \"shell texture\"\ntype actsub1\nkey enter\n"
        "dump loaded.json\n";
    ASSERT_EQ(runreplay(dir, script), 0) << readfile(dir + "/replay.err");

    const Value a = readjson(dir + "/attribute.json")["model"];
    EXPECT_EQ(a["shinnessvalue"].num(), 64.0);
    EXPECT_EQ(a["material"][1].num(), 64.0);
    EXPECT_NEAR(a["reflectvalue"].num(), 0.7, 1e-12);
    EXPECT_EQ(a["DL"][3].num(), 0.5);
    EXPECT_EQ(a["light1"][6].num(), 0.5);

    const Value c = readjson(dir + "/colour.json")["model"];
    EXPECT_EQ(c["texturetype"].num(), 52);
    EXPECT_EQ(c["pattern_g"].num(), 1.0);
    EXPECT_EQ(c["material"][4].num(), 1.0);

    // The pick loads the same texture as "Load shell texture" does.
    const Value p = readjson(dir + "/picked.json")["model"];
    const Value l = readjson(dir + "/loaded.json")["model"];
    EXPECT_EQ(p["texturetype"].num(), 50);
    for (const char* v : {"texturetype", "t_actdiffrate", "t_adecayrate", "t_subdiffrate", "t_sdecayrate",
                          "t_p0", "t_prop", "t_k", "t_productratemax", "t_productratemin", "t_period",
                          "t_initvalue", "t_delta", "pattern_r", "pattern_g", "pattern_b", "background_r",
                          "background_g", "background_b"})
        EXPECT_EQ(p[v].num(), l[v].num()) << v;
    // and it is not the defaults
    EXPECT_FALSE(p["t_k"].num() == 1.0 && p["t_actdiffrate"].num() == 0.04);
}
