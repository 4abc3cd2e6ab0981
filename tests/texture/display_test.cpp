// Delivery of one row: normalisation by the row's extremes into the map, and
// the preview's bytes between background and pattern colour.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "app/model.h"
#include "platform/gl.h"
#include "texture/texture.h"

namespace {

std::vector<double> delivertomap(const std::vector<double>& values)
{
    int n = (int)values.size();
    double* row = getdoublevect(n);
    double** saved = texturemap;
    texturemap = &row;
    Displaytexture(0, n, values.data(), 1);
    texturemap = saved;
    std::vector<double> out(row, row + n);
    std::free(row);
    return out;
}

}  // namespace

// Non-finite values take no part in the extremes and show as 0.
TEST(Displaytexture, NormalisesByTheRowsExtremes)
{
    const double nan = NAN, inf = INFINITY;
    struct Case {
        const char* name;
        std::vector<double> values, expected;
    } cases[] = {
        {"2 4 3", {2, 4, 3}, {0, 1, 0.5}},
        {"falling", {4, 2, 3}, {1, 0, 0.5}},
        {"flat", {5, 5, 5}, {0, 0, 0}},
        {"within 1e-13", {1, 1 + 5e-14, 1}, {0, 0, 0}},
        {"one cell", {7}, {0}},
        {"non-finite cells", {nan, 2, inf, 4, 3, -inf}, {0, 0, 0, 1, 0.5, 0}},
        {"nothing finite", {nan, inf, -inf}, {0, 0, 0}},
        {"range beyond double", {1e308, -1e308, 0}, {0, 0, 0}},
    };
    for (const Case& c : cases) {
        std::vector<double> got = delivertomap(c.values);
        for (size_t j = 0; j < got.size(); j++)
            EXPECT_EQ(got[j], c.expected[j]) << c.name << " cell " << j;
    }
}

// Bytes are trunc((v x Ambdiff + background) x 255), clamped into 0..255:
// 0.5 of red gives 127 (127.5, fraction dropped). Colours out of 0..1 (a
// file can bring them) and NaN are brought into a byte.
TEST(Displaytexture, PreviewBytes)
{
    struct Case {
        const char* name;
        double amb[3], bg[3];
        std::vector<double> values;
        std::vector<int> r, g, b;
    } cases[] = {
        {"red on black", {1, 0, 0}, {0, 0, 0}, {2, 4, 3}, {0, 255, 127}, {0, 0, 0}, {0, 0, 0}},
        {"flat is background", {1, 0, 0}, {0.2, 0.4, 1}, {3, 3, 3}, {51, 51, 51}, {102, 102, 102}, {255, 255, 255}},
        {"non-finite is background", {1, 0, 0}, {0, 0, 0}, {NAN, 2, 4, 3}, {0, 0, 255, 127}, {0, 0, 0, 0}, {0, 0, 0, 0}},
        {"pattern out of range", {2, -1, 0.5}, {0, 0, 0}, {2, 4, 3}, {0, 255, 255}, {0, 0, 0}, {0, 127, 63}},
        {"background out of range", {1, 1, 1}, {-0.5, NAN, 1.5}, {2, 4, 3}, {0, 127, 0}, {0, 0, 0}, {255, 255, 255}},
    };
    double saved[3] = {background_r, background_g, background_b};
    gl::prefposition(370, 970, 15, 815);
    gl::Int32 wid = gl::winopen("Texture Preview");
    gl::RGBmode();
    gl::gconfig();
    for (const Case& c : cases) {
        int n = (int)c.values.size();
        Ambdiff_r = c.amb[0];
        Ambdiff_g = c.amb[1];
        Ambdiff_b = c.amb[2];
        background_r = c.bg[0];
        background_g = c.bg[1];
        background_b = c.bg[2];
        Col_R = getRGBvect(n);
        Col_G = getRGBvect(n);
        Col_B = getRGBvect(n);
        Displaytexture(0, n, c.values.data(), 0);
        for (int j = 0; j < n; j++) {
            EXPECT_EQ(Col_R[j], c.r[j]) << c.name << " red " << j;
            EXPECT_EQ(Col_G[j], c.g[j]) << c.name << " green " << j;
            EXPECT_EQ(Col_B[j], c.b[j]) << c.name << " blue " << j;
        }
        std::free(Col_R);
        std::free(Col_G);
        std::free(Col_B);
        Col_R = Col_G = Col_B = nullptr;
    }
    gl::winclose(wid);
    background_r = saved[0];
    background_g = saved[1];
    background_b = saved[2];
}
