// The star field: placement, the frame's calls, brightness, colour cycle and sprite geometry.
#include "effects/starfield.h"

#include <gtest/gtest.h>

#include "effects/msrand.h"
#include "image/textureset.h"
#include "tests/effects/quads.h"

namespace {

class Starfield : public ::testing::Test {
 protected:
  void SetUp() override {
    msrandseed(MSRAND_UNSEEDED);
    placeStars();
    schemepos = 0.0f;
    rotate2 = 0.0f;
    texture[TEXTURE_STAR] = 11;
    fake::resetGl();
  }
  // Star 0 alone at a chosen place; one frame with time step dt; star 0's quad.
  RecordedQuad drawStar0(float x, float y, float z, double dt = 0.0) {
    star2[0] = {x, y, z};
    fake::resetGl();
    tekensterrenveld(dt);
    return quadOf(500);
  }
};

TEST_F(Starfield, PlacementFollowsTheGeneratorsFirstDraws) {
  // Draws 41, 18467, 6334, 26500, 19169, 15724: low bytes 41, 35, 190, 132, 225, 108.
  EXPECT_EQ(star2[0].x, -1000.0f + 7.8125f * 41);
  EXPECT_EQ(star2[0].y, -1000.0f + 7.8125f * 35);
  EXPECT_EQ(star2[0].z, -23.4375f * 190);
  EXPECT_EQ(star2[1].x, 31.25f);
  EXPECT_EQ(star2[1].y, 757.8125f);
  EXPECT_EQ(star2[1].z, -2531.25f);
  EXPECT_NE(star2[499].z, 0.0f);
  EXPECT_TRUE(star2[500].x == 0 && star2[500].y == 0 && star2[500].z == 0);
}

TEST_F(Starfield, FrameSetsStateThenDrawsOneSpritePerStar) {
  tekensterrenveld(2.0);
  EXPECT_EQ(firstCalls(4), (std::vector<std::string>{"glBlendFunc(770,1)", "glBindTexture(3553,11)",
                                                     "glLoadIdentity()",
                                                     "glRotatef(5,0,0,1)"}));  // 5 * (2 s * 0.5)
  EXPECT_EQ(fake::glCalls().size(), 4u + 500u * 11u);  // a colour and a quad per star
  EXPECT_EQ(schemepos, (float)(2.0 * (double)0.4f));
  // Star 0 moved 500 nearer; a 0.3125 square sprite around (x, y, z) / 1024.
  expectQuad(drawStar0(512.0f, -256.0f, -1524.0f, 2.0), {0.34375, -0.40625, 0.65625, -0.09375},
             -1.0, {0, 0, 1, 1});
  EXPECT_EQ(star2[0].z, -1024.0f);
}

TEST_F(Starfield, BrightnessAndColour) {
  // {z, y, schemepos, r, g, b}: at schemepos 2, y = 0 is orange (255, 128, 64).
  const double cases[][6] = {
      {-6000, 0, 2, 0, 0, 0},
      {-3500, 0, 2, 127, 64, 32},
      {-1000, 0, 2, 255, 128, 64},
      {-500, 0, 2, 127, 64, 32},
      {-100, 0, 2, 25, 12, 6},
      {0, 0, 2, 0, 0, 0},  // at exactly 0 a star is not yet sent back; it is black
      {-1000, 0, 0, 64, 128, 255},
      {-1000, -1000, 0, 64, 128, 64},  // cycle 4 blue, 3 green
      {-1000, 0, 3.5, 159, 128, 64},
      {-1000, 0, 1.5, 159, 128, 159},  // 1.5 and 5.5: blends
      {-1000, 0, 1.75, 207, 128, 111}};
  for (const auto& c : cases) {
    schemepos = (float)c[2];
    EXPECT_EQ(drawStar0(0, (float)c[1], (float)c[0]).color,
              (std::vector<double>{c[3], c[4], c[5], 255}))
        << "z " << c[0] << ", y " << c[1] << ", scheme " << c[2];
  }
  EXPECT_EQ(drawStar0(0, 0, 0).c[0].z, 0.0);
  // Past the viewer a star starts again 6000 away, then moves by this frame's step.
  drawStar0(0, 0, 3.0f, 0.5);
  EXPECT_EQ(star2[0].z, -5875.0f);
}

TEST_F(Starfield, OneHugeStepSendsEveryStarPastTheViewerTogether) {
  tekensterrenveld(30.0);
  for (int i = 0; i < STARCOUNTMAX2; i++) ASSERT_GT(star2[i].z, 0.0f);
  tekensterrenveld(1.0);
  for (int i = 0; i < STARCOUNTMAX2; i++) ASSERT_EQ(star2[i].z, -5750.0f);
}

}  // namespace
