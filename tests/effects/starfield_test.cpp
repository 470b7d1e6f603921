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
    msrandseed(1);
    placeStars();
    schemepos = 0.0f;
    rotate2 = 0.0f;
    texture[0] = 11;
    fake::resetGl();
  }
  // Star 0 alone at a chosen place; one frame with time step dt; star 0's quad.
  RecordedQuad drawStar0(float x, float y, float z, double dt = 0.0) {
    star2[0] = {x, y, z};
    fake::resetGl();
    tekensterrenveld(dt);
    std::vector<RecordedQuad> quads = recordedQuads();
    EXPECT_EQ(quads.size(), 500u);
    return quads.empty() ? RecordedQuad{} : quads[0];
  }
};

std::vector<double> rgba(double r, double g, double b) { return {r, g, b, 255}; }

TEST_F(Starfield, PlacementFollowsTheGeneratorsFirstDraws) {
  // Draws 41, 18467, 6334 and 26500, 19169, 15724: low bytes 41, 35, 190 and 132, 225, 108.
  EXPECT_EQ(star2[0].x, -1000.0f + 7.8125f * 41);
  EXPECT_EQ(star2[0].y, -1000.0f + 7.8125f * 35);
  EXPECT_EQ(star2[0].z, -23.4375f * 190);
  EXPECT_EQ(star2[1].x, 31.25f);
  EXPECT_EQ(star2[1].y, 757.8125f);
  EXPECT_EQ(star2[1].z, -2531.25f);
  for (int i = 0; i < STARCOUNTMAX2; i++) {
    float mx = (star2[i].x + 1000.0f) / 7.8125f, my = (star2[i].y + 1000.0f) / 7.8125f;
    float mz = star2[i].z / -23.4375f;
    for (float m : {mx, my, mz}) {
      ASSERT_EQ(m, (float)(int)m) << i;
      ASSERT_GE(m, 0.0f);
      ASSERT_LE(m, 255.0f);
    }
  }
  for (int i = STARCOUNTMAX2; i < STARCOUNTMAX; i++)
    ASSERT_TRUE(star2[i].x == 0 && star2[i].y == 0 && star2[i].z == 0) << i;
}

TEST_F(Starfield, FrameSetsStateThenDrawsOneQuadPerStar) {
  tekensterrenveld(2.0);
  std::vector<std::string> names = recordedNames();
  ASSERT_EQ(names.size(), 4u + 500u * 11u);
  EXPECT_EQ(
      std::vector<std::string>(names.begin(), names.begin() + 4),
      (std::vector<std::string>{"glBlendFunc", "glBindTexture", "glLoadIdentity", "glRotatef"}));
  const std::vector<fake::GlCall>& c = fake::glCalls();
  EXPECT_EQ(c[0].args, (std::vector<double>{GL_SRC_ALPHA, GL_ONE}));
  EXPECT_EQ(c[1].args, (std::vector<double>{GL_TEXTURE_2D, 11}));
  EXPECT_EQ(c[3].args, (std::vector<double>{5, 0, 0, 1}));  // 5 * (2 s * 0.5)
  EXPECT_EQ(names[4], "glColor4ub");
  EXPECT_EQ(recordedQuads().size(), 500u);
  EXPECT_EQ(schemepos, (float)(2.0 * (double)0.4f));
}

TEST_F(Starfield, StarMovesAndIsASquareSpriteAroundItsPlace) {
  RecordedQuad q = drawStar0(512.0f, -256.0f, -1524.0f, 2.0);  // moves 500 nearer
  EXPECT_EQ(star2[0].z, -1024.0f);
  const double expected[4][4] = {{0, 0, 0.34375, -0.40625},
                                 {1, 0, 0.65625, -0.40625},
                                 {1, 1, 0.65625, -0.09375},
                                 {0, 1, 0.34375, -0.09375}};
  for (int k = 0; k < 4; k++) {
    EXPECT_EQ(q.c[k].s, expected[k][0]);
    EXPECT_EQ(q.c[k].t, expected[k][1]);
    EXPECT_EQ(q.c[k].x, expected[k][2]);
    EXPECT_EQ(q.c[k].y, expected[k][3]);
    EXPECT_EQ(q.c[k].z, -1.0);
  }
}

TEST_F(Starfield, BrightnessRisesThenFadesTowardsTheViewer) {
  schemepos = 2.0f;  // y = 0 is then orange (255, 128, 64)
  EXPECT_EQ(drawStar0(0, 0, -6000).color, rgba(0, 0, 0));
  EXPECT_EQ(drawStar0(0, 0, -3500).color, rgba(127, 64, 32));
  EXPECT_EQ(drawStar0(0, 0, -1000).color, rgba(255, 128, 64));
  EXPECT_EQ(drawStar0(0, 0, -500).color, rgba(127, 64, 32));
  EXPECT_EQ(drawStar0(0, 0, -100).color, rgba(25, 12, 6));
  // At exactly 0 a star is not yet sent back; it is drawn black.
  RecordedQuad q = drawStar0(0, 0, 0);
  EXPECT_EQ(q.color, rgba(0, 0, 0));
  EXPECT_EQ(q.c[0].z, 0.0);
  // Past the viewer it starts again 6000 away, then moves by this frame's step.
  drawStar0(0, 0, 3.0f, 0.5);
  EXPECT_EQ(star2[0].z, -5875.0f);
}

TEST_F(Starfield, ColourCyclesWithHeightAndTime) {
  EXPECT_EQ(drawStar0(0, 0, -1000).color, rgba(64, 128, 255));     // position 4: blue
  EXPECT_EQ(drawStar0(0, -1000, -1000).color, rgba(64, 128, 64));  // position 3: green
  schemepos = 3.5f;                                                // position 1.5
  EXPECT_EQ(drawStar0(0, 0, -1000).color, rgba(159, 128, 64));
  schemepos = 1.5f;  // position 5.5
  EXPECT_EQ(drawStar0(0, 0, -1000).color, rgba(159, 128, 159));
  schemepos = 1.75f;  // position 5.75
  EXPECT_EQ(drawStar0(0, 0, -1000).color, rgba(207, 128, 111));
  // One full cycle later (6 units, 15 s) the colour is the same.
  schemepos = 0.0f;
  std::vector<double> before = drawStar0(0, 500, -1000).color;
  star2[0].z = -1000.0f;
  tekensterrenveld(15.0);
  star2[0].z = -1000.0f;
  fake::resetGl();
  tekensterrenveld(0.0);
  EXPECT_EQ(recordedQuads()[0].color, before);
}

TEST_F(Starfield, OneHugeStepSendsEveryStarPastTheViewerTogether) {
  tekensterrenveld(30.0);
  for (int i = 0; i < STARCOUNTMAX2; i++) ASSERT_GT(star2[i].z, 0.0f);
  tekensterrenveld(1.0);
  for (int i = 0; i < STARCOUNTMAX2; i++) ASSERT_EQ(star2[i].z, -5750.0f);
}

}  // namespace
