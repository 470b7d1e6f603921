// The desktop picture and the logo: their calls, the fall of the picture, the logo's zoom.
#include <gtest/gtest.h>
#include <math.h>

#include <algorithm>

#include "effects/atariscreen.h"
#include "effects/logo.h"
#include "image/textureset.h"
#include "tests/effects/quads.h"

namespace {

RecordedQuad drawDesktop(float t) {
  fake::resetGl();
  tekenatariscreen(t);
  return quadOf(1);
}

TEST(Desktop, TossedUpThenFallsAndRecedesWithoutBound) {
  rotateAtariScreen = 0.0f;
  texture[TEXTURE_DESKTOP] = 7;
  const float cases[][3] = {{0, 0, -20},
                            {0.5f, 1.75f, -21.5f},
                            {0.5f, 2, -23},  // {t, Y, z}
                            {1, -2, -26},
                            {0, -2, -26}};  // a zero step leaves it in place
  for (const auto& c : cases) {
    expectQuad(drawDesktop(c[0]), {-10, c[1] + 6.25, 10, c[1] - 6.25}, c[2],
               {0, 0, 0.625, 0.390625});
    EXPECT_EQ(firstCalls(4), overlaySetup(7));
    EXPECT_EQ(fake::glCalls().size(), 14u);
  }
  EXPECT_EQ(rotateAtariScreen, 2.0f);
  // The longest step the performance counter can measure (2^63 ns): still finite, far away.
  RecordedQuad q = drawDesktop(9.2e9f);
  EXPECT_GT(rotateAtariScreen, 9e9f);
  EXPECT_TRUE(std::isfinite(q.c[0].y) && std::isfinite(q.c[2].y) && q.c[0].z < -100.0);
}

class Logo : public ::testing::Test {
 protected:
  void SetUp() override {
    rotateTolvane = 0.0f;
    texture[TEXTURE_LOGO] = 5;
  }
  // Draws with step dt; returns the quad and its turn.
  RecordedQuad draw(double dt) {
    fake::resetGl();
    tekentolvanelogo(dt);
    std::vector<fake::GlCall> rot = fake::glCallsNamed("glRotatef");
    EXPECT_EQ(rot.size(), 1u);
    angle = rot.empty() ? NAN : rot[0].args[0];
    return quadOf(1);
  }
  // The logo at half size w x h around the centre, 20 away.
  static void expectSize(const RecordedQuad& q, double w, double h) {
    expectQuad(q, {-w, h, w, -h}, -20.0, {0, 0, 0.60546875, 0.47265625}, 1e-5);
  }
  double angle = NAN;
};

TEST_F(Logo, ShrinksFromTwentyToOneAndAHalfWhileSwinging) {
  expectSize(draw(0.0), 51.23967, 40);
  EXPECT_EQ(firstCalls(5), overlaySetup(5, "glRotatef(0,0,0,1)"));
  EXPECT_EQ(fake::glCalls().size(), 15u);
  EXPECT_FALSE(tolvanelogodone());
  expectSize(draw(0.5), 25.619836, 20);
  EXPECT_FLOAT_EQ(angle, (float)(20 * sin(0.5)));
  EXPECT_FALSE(tolvanelogodone());
}

TEST_F(Logo, SettlesJustAfterZeroPoint925) {
  rotateTolvane = 0.92499995f;
  EXPECT_EQ(draw(0.0).c[0].y, 2.0 * 1.5000010f);
  EXPECT_FALSE(tolvanelogodone());
  rotateTolvane = 0.92500001f;
  expectSize(draw(0.0), 3.8429754, 3);
  EXPECT_TRUE(tolvanelogodone());
}

TEST_F(Logo, HugeStepSettlesWithoutOvershootAndKeepsSwinging) {
  expectSize(draw(1000.0), 3.8429754, 3);
  EXPECT_TRUE(tolvanelogodone());
  double lo = 0, hi = 0;
  for (int i = 0; i < 700; i++) {  // over a full swing
    ASSERT_EQ(draw(0.01).c[0].y, 3.0);
    ASSERT_TRUE(tolvanelogodone());
    lo = std::min(lo, angle);
    hi = std::max(hi, angle);
  }
  EXPECT_LT(lo, -19.99);
  EXPECT_GT(hi, 19.99);
}

}  // namespace
