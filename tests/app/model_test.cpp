// restart(): what "Clear All" puts back and what it keeps.
#include <gtest/gtest.h>

#include "app/model.h"
#include "curve/curve.h"

TEST(Restart, ResetsTheModelButKeepsWhatIsNotReset)
{
    ObjectPtr = &AnimateObject;
    addnode(1, 2, 0);
    addnode(3, 1, 0);
    helico_r0 = 1.5; helico_rate = 2.5; helico_stepsize = 100; hortmag = 0.05; genstepsize = 4;
    sea_xeye = -7; vmode = 15; texturetype = 49; InsertType = 30; status = 0;
    t_k = 9; i_h0 = 9; s_p1 = 9;
    pattern_r = 0.25; pattern_g = 0.5; background_b = 0.75; specular_g = 0.1;
    light1[1] = 99; light2[3] = 99; DL[0] = 42; DL[4] = 0.5; DL[10] = 0.5;
    material[3] = 0.1f;
    // not reset:
    shellscale = 2.5; shinnessvalue = 64; reflectvalue = 0.7; shellmode = 18;
    sea_xlasteye = 3; lightzlast = 2;

    restart();

    EXPECT_EQ(ObjectPtr->count, 0);
    EXPECT_EQ(ObjectPtr->head, nullptr);
    EXPECT_EQ(GenerateCurve, nullptr);
    EXPECT_EQ(helico_r0, 0.1);
    EXPECT_EQ(helico_rate, 1.1);
    EXPECT_EQ(helico_stepsize, 16.0);
    EXPECT_EQ(hortmag, 0.0);
    EXPECT_EQ(genstepsize, 1.0);
    EXPECT_EQ(sea_xeye, 3);
    EXPECT_EQ(vmode, 1);
    EXPECT_EQ(texturetype, 52);
    EXPECT_EQ(InsertType, 32);
    EXPECT_EQ(status, 1);
    EXPECT_EQ(t_k, 1.0);
    EXPECT_EQ(i_h0, 0.1);
    EXPECT_EQ(s_p1, 0.001);
    EXPECT_EQ(pattern_r, 1.0);
    EXPECT_EQ(pattern_g, 0.0);
    EXPECT_EQ(background_b, 0.0);
    EXPECT_EQ(specular_g, 1.0);
    EXPECT_EQ(light1[1], 10.0f);
    EXPECT_EQ(light2[3], -10.0f);
    EXPECT_EQ(DL[4], 1.0);
    EXPECT_EQ(DL[10], 1.0);
    // the shell is red again, and the mirrors follow the doubles
    EXPECT_EQ(material[3], 1.0f);
    EXPECT_EQ(material[4], 0.0f);
    EXPECT_EQ(material[1], 64.0f);
    EXPECT_EQ(light1[7], 1.0f);
    // kept
    EXPECT_EQ(shellscale, 2.5);
    EXPECT_EQ(shinnessvalue, 64.0);
    EXPECT_EQ(reflectvalue, 0.7);
    EXPECT_EQ(shellmode, 18);
    EXPECT_EQ(sea_xlasteye, 3);
    EXPECT_EQ(lightzlast, 2);
    EXPECT_EQ(DL[0], 42.0);

    shellscale = 0; shinnessvalue = 128; reflectvalue = 0.2; shellmode = 17;
    sea_xlasteye = 0; lightzlast = 0; DL[0] = 0;
    material[1] = 128.0f;
}
