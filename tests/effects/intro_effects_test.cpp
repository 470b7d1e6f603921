// The desktop picture and the logo: their calls, the fall of the picture, the logo's zoom.
#include <gtest/gtest.h>
#include <math.h>

#include "effects/atariscreen.h"
#include "effects/logo.h"
#include "image/textureset.h"
#include "tests/effects/quads.h"

namespace {

const std::vector<std::string> kOneQuadAfterSetup = {
    "glBlendFunc",  "glBindTexture", "glLoadIdentity", "glColor4ub", "glBegin",
    "glTexCoord2f", "glVertex3f",    "glTexCoord2f",   "glVertex3f", "glTexCoord2f",
    "glVertex3f",   "glTexCoord2f",  "glVertex3f",     "glEnd"};

class Desktop : public ::testing::Test {
 protected:
  void SetUp() override {
    rotateAtariScreen = 0.0f;
    texture[6] = 7;
    fake::resetGl();
  }
  RecordedQuad draw(float t) {
    fake::resetGl();
    tekenatariscreen(t);
    std::vector<RecordedQuad> q = recordedQuads();
    EXPECT_EQ(q.size(), 1u);
    return q.empty() ? RecordedQuad{} : q[0];
  }
  void expectCorners(const RecordedQuad& q, double y, double z) {
    const double xs[4] = {-10, 10, 10, -10}, ys[4] = {y + 6.25, y + 6.25, y - 6.25, y - 6.25};
    const double ss[4] = {0, 0.625, 0.625, 0}, ts[4] = {0, 0, 0.390625, 0.390625};
    for (int k = 0; k < 4; k++) {
      EXPECT_EQ(q.c[k].x, xs[k]) << k;
      EXPECT_EQ(q.c[k].y, ys[k]) << k;
      EXPECT_EQ(q.c[k].z, z) << k;
      EXPECT_EQ(q.c[k].s, ss[k]) << k;
      EXPECT_EQ(q.c[k].t, ts[k]) << k;
    }
  }
};

TEST_F(Desktop, OpaqueQuadWithItsOwnState) {
  tekenatariscreen(0.0f);
  EXPECT_EQ(recordedNames(), kOneQuadAfterSetup);
  const std::vector<fake::GlCall>& c = fake::glCalls();
  EXPECT_EQ(c[0].args, (std::vector<double>{GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA}));
  EXPECT_EQ(c[1].args, (std::vector<double>{GL_TEXTURE_2D, 7}));
  EXPECT_EQ(c[3].args, (std::vector<double>{255, 255, 255, 255}));
}

TEST_F(Desktop, TossedUpThenFallsAndRecedes) {
  expectCorners(draw(0.0f), 0, -20);
  expectCorners(draw(0.5f), 1.75, -21.5);
  expectCorners(draw(0.5f), 2, -23);
  expectCorners(draw(1.0f), -2, -26);
  // A zero step leaves it where it is.
  expectCorners(draw(0.0f), -2, -26);
  EXPECT_EQ(rotateAtariScreen, 2.0f);
}

TEST_F(Desktop, OnceBeyondTheFarPlaneItStaysThere) {
  draw(26.0f);
  RecordedQuad q = draw(1.0f);
  EXPECT_LT(q.c[0].z, -100.0);  // past the far plane from T = 80/3 on
  for (int i = 0; i < 1000; i++) draw(1e30f);
  q = draw(1.0f);
  for (int k = 0; k < 4; k++) {
    EXPECT_TRUE(std::isfinite(q.c[k].y));
    EXPECT_LT(q.c[k].z, -100.0);
  }
}

class Logo : public ::testing::Test {
 protected:
  void SetUp() override {
    rotateTolvane = 0.0f;
    texture[2] = 5;
    fake::resetGl();
  }
  // Draws with step dt; returns the rotation angle and the quad.
  RecordedQuad draw(double dt, double* angle = nullptr) {
    fake::resetGl();
    tekentolvanelogo(dt);
    std::vector<fake::GlCall> rot = fake::glCallsNamed("glRotatef");
    EXPECT_EQ(rot.size(), 1u);
    if (angle && !rot.empty()) *angle = rot[0].args[0];
    std::vector<RecordedQuad> q = recordedQuads();
    EXPECT_EQ(q.size(), 1u);
    return q.empty() ? RecordedQuad{} : q[0];
  }
  static void expectHalfSize(const RecordedQuad& q, double w, double h) {
    const double xs[4] = {-w, w, w, -w}, ys[4] = {h, h, -h, -h};
    const double ss[4] = {0, 0.60546875, 0.60546875, 0}, ts[4] = {0, 0, 0.47265625, 0.47265625};
    for (int k = 0; k < 4; k++) {
      EXPECT_NEAR(q.c[k].x, xs[k], 1e-5) << k;
      EXPECT_EQ(q.c[k].y, ys[k]) << k;
      EXPECT_EQ(q.c[k].z, -20.0) << k;
      EXPECT_EQ(q.c[k].s, ss[k]) << k;
      EXPECT_EQ(q.c[k].t, ts[k]) << k;
    }
  }
};

TEST_F(Logo, CallOrderAndBlend) {
  draw(0.0);
  std::vector<std::string> expected = kOneQuadAfterSetup;
  expected.insert(expected.begin() + 3, "glRotatef");
  EXPECT_EQ(recordedNames(), expected);
  const std::vector<fake::GlCall>& c = fake::glCalls();
  EXPECT_EQ(c[0].args, (std::vector<double>{GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA}));
  EXPECT_EQ(c[1].args, (std::vector<double>{GL_TEXTURE_2D, 5}));
  EXPECT_EQ(c[4].args, (std::vector<double>{255, 255, 255, 255}));
}

TEST_F(Logo, ShrinksFromTwentyToOneAndAHalf) {
  EXPECT_FALSE(tolvanelogodone());
  double angle = -1;
  expectHalfSize(draw(0.0, &angle), 51.23967, 40);
  EXPECT_EQ(angle, 0.0);
  expectHalfSize(draw(0.5, &angle), 25.619836, 20);
  EXPECT_FLOAT_EQ(angle, (float)(20 * sin(0.5)));
  EXPECT_FALSE(tolvanelogodone());
}

TEST_F(Logo, SettlesJustAfterZeroPoint925) {
  rotateTolvane = 0.92499995f;
  draw(0.0);
  EXPECT_FALSE(tolvanelogodone());
  EXPECT_EQ(fake::glCallsNamed("glVertex3f")[0].args[1], 2.0 * 1.5000010f);
  rotateTolvane = 0.92500001f;
  draw(0.0);
  EXPECT_TRUE(tolvanelogodone());
  expectHalfSize(recordedQuads()[0], 3.8429754, 3);
}

TEST_F(Logo, HugeStepSettlesWithoutOvershootAndKeepsSwinging) {
  double angle;
  expectHalfSize(draw(1000.0, &angle), 3.8429754, 3);
  EXPECT_TRUE(tolvanelogodone());
  double lo = 0, hi = 0;
  for (int i = 0; i < 700; i++) {  // over a full swing
    RecordedQuad q = draw(0.01, &angle);
    ASSERT_TRUE(tolvanelogodone());
    ASSERT_EQ(q.c[0].y, 3.0);
    lo = std::min(lo, angle);
    hi = std::max(hi, angle);
  }
  EXPECT_LT(lo, -19.99);
  EXPECT_GT(hi, 19.99);
}

}  // namespace
