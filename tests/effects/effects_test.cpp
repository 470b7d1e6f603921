// The desktop picture, the logo and the star field as the quads and colours they draw, and the
// arithmetic they share: the remainder, the star generator, the scroller's font cells.
#include <ctype.h>
#include <gtest/gtest.h>
#include <math.h>

#include <algorithm>

#include "effects/atariscreen.h"
#include "effects/floatmod.h"
#include "effects/fontcells.h"
#include "effects/logo.h"
#include "effects/msrand.h"
#include "effects/scroller.h"
#include "effects/starfield.h"
#include "image/textureset.h"
#include "tests/effects/quads.h"

namespace {

const std::vector<std::string> kOverlay = {"glBlendFunc(770,771)", "glBindTexture(3553,7)",
                                           "glLoadIdentity()"};

TEST(Arithmetic, RemainderGeneratorAndFontCells) {
  // clang-format off
  const float remainders[][3] = {{7.5f, 6, 1.5f}, {1000, 6, 4}, {6, 6, 0}, {791.5f, 396, 395.5f},
      {1003.75f, 6, 1.75f}, {-2.5f, 6, 0}, {-1e12f, 6, 0}, {6442450944.0f, 6, 0},
      {1099511627776.0f, 6, 4}, {NAN, 6, 0}};  // beyond an int, and not a number
  // clang-format on
  for (const auto& r : remainders) EXPECT_EQ(floatmod(r[0], r[1]), r[2]) << r[0] << " mod " << r[1];

  msrandseed(MSRAND_UNSEEDED);  // the Windows C runtime's rand, as it starts
  for (int expected : {41, 18467, 6334, 26500, 19169, 15724}) EXPECT_EQ(msrand(), expected);

  auto cell = [](char c) {
    int col = -1, row = -1;
    getletter(c, &col, &row);
    return std::pair{col, row};
  };
  for (int r = 0; r < FONTCELL_ROWS; r++)
    for (int k = 0; FONTCELLS[r][k]; k++)
      for (char c : {FONTCELLS[r][k], (char)tolower(FONTCELLS[r][k])})
        EXPECT_EQ(cell(c), std::pair(k, r)) << c;
  for (int c :
       {32, 48, 57, 44, 64, 91, 96, 123, 0, 0xC1, 0xE1, 0xFF})  // space, digits, ... high bytes
    EXPECT_EQ(cell((char)c), std::pair(6, 0)) << c;
}

// The desktop at rest, tossed up, falling and receding: {step, centre y, z}.
TEST(Effects, DesktopFallsAlongItsParabolaWithoutBound) {
  rotateAtariScreen = 0.0f;
  texture[TEXTURE_DESKTOP] = 7;
  const float steps[][3] = {
      {0, 0, -20}, {0.5f, 1.75f, -21.5f}, {0.5f, 2, -23}, {1, -2, -26}, {0, -2, -26}};
  for (const auto& s : steps) {
    fake::resetGl();
    tekenatariscreen(s[0]);
    std::vector<RecordedQuad> q = recordedQuads();
    ASSERT_EQ(q.size(), 1u);
    expectQuad(q[0], {-10, s[1] + 6.25, 10, s[1] - 6.25}, s[2], {0, 0, 0.625, 0.390625});
    EXPECT_EQ(q[0].color, std::vector<double>({255, 255, 255, 255}));
    EXPECT_EQ(firstCalls(3), kOverlay);
  }
  // The longest step the performance counter can measure (2^63 ns): still finite, far away.
  tekenatariscreen(9.2e9f);
  EXPECT_GT(rotateAtariScreen, 9e9f);
  EXPECT_TRUE(std::isfinite(recordedQuads().back().c[2].y));
}

// The logo quad at half size w x h around the centre, 20 away, and its turn.
double drawLogo(double dt, double w, double h) {
  fake::resetGl();
  tekentolvanelogo(dt);
  std::vector<RecordedQuad> q = recordedQuads();
  EXPECT_EQ(q.size(), 1u);
  expectQuad(q[0], {-w, h, w, -h}, -20.0, {0, 0, 0.60546875, 0.47265625}, 1e-5);
  EXPECT_EQ(q[0].color, std::vector<double>({255, 255, 255, 255}));
  return fake::glCallsNamed("glRotatef").at(0).args[0];
}

TEST(Effects, LogoShrinksSettlesJustAfterZeroPoint925AndKeepsSwinging) {
  texture[TEXTURE_LOGO] = 7;
  rotateTolvane = 0.0f;
  EXPECT_EQ(drawLogo(0.0, 51.23967, 40), 0.0);
  EXPECT_EQ(firstCalls(4), (std::vector<std::string>{kOverlay[0], kOverlay[1], kOverlay[2],
                                                     "glRotatef(0,0,0,1)"}));
  EXPECT_FALSE(tolvanelogodone());
  EXPECT_FLOAT_EQ(drawLogo(0.5, 25.619836, 20), (float)(20 * sin(0.5)));
  EXPECT_FALSE(tolvanelogodone());
  rotateTolvane = 0.92499995f;  // scale 1.5000010, not yet settled
  drawLogo(0.0, 2.5619836 * 1.5000010, 2 * 1.5000010f);
  EXPECT_FALSE(tolvanelogodone());
  rotateTolvane = 0.92500001f;
  drawLogo(0.0, 3.8429754, 3);
  EXPECT_TRUE(tolvanelogodone());
  double lo = 0, hi = 0;
  for (int i = 0; i < 700; i++) {  // a full swing, at the final size
    double angle = drawLogo(i ? 0.01 : 1000.0, 3.8429754, 3);
    lo = std::min(lo, angle);
    hi = std::max(hi, angle);
  }
  EXPECT_TRUE(tolvanelogodone());
  EXPECT_TRUE(lo < -19.99 && hi > 19.99) << lo << " " << hi;
}

class Starfield : public ::testing::Test {
 protected:
  void SetUp() override {
    msrandseed(MSRAND_UNSEEDED);
    placeStars();
    schemepos = rotate2 = 0.0f;
    texture[TEXTURE_STAR] = 11;
  }
  // Star 0 alone at a chosen place; one frame with time step dt; star 0's quad.
  RecordedQuad drawStar0(float x, float y, float z, double dt = 0.0) {
    star2[0] = {x, y, z};
    fake::resetGl();
    tekensterrenveld(dt);
    std::vector<RecordedQuad> q = recordedQuads();
    EXPECT_EQ(q.size(), 500u);
    return q.at(0);
  }
};

TEST_F(Starfield, PlacementFollowsTheGeneratorsFirstDraws) {
  // Draws 41, 18467, 6334, 26500, 19169, 15724: low bytes 41, 35, 190, 132, 225, 108.
  EXPECT_EQ(
      std::vector<float>({star2[0].x, star2[0].y, star2[0].z, star2[1].x, star2[1].y, star2[1].z}),
      std::vector<float>({-679.6875f, -726.5625f, -4453.125f, 31.25f, 757.8125f, -2531.25f}));
  EXPECT_NE(star2[499].z, 0.0f);
  EXPECT_TRUE(star2[500].x == 0 && star2[500].y == 0 && star2[500].z == 0);
}

TEST_F(Starfield, EachFrameTurnsMovesAndDrawsEveryStar) {
  // Star 0 moves 500 nearer in 2 s; a 0.3125 square sprite around (x, y, z) / 1024.
  expectQuad(drawStar0(512.0f, -256.0f, -1524.0f, 2.0), {0.34375, -0.40625, 0.65625, -0.09375},
             -1.0, {0, 0, 1, 1});
  EXPECT_EQ(firstCalls(4), (std::vector<std::string>{"glBlendFunc(770,1)", "glBindTexture(3553,11)",
                                                     "glLoadIdentity()", "glRotatef(5,0,0,1)"}));
  EXPECT_EQ(schemepos, (float)(2.0 * (double)0.4f));
  drawStar0(0, 0, 3.0f, 0.5);  // past the viewer: back to 6000 away, then this frame's step
  EXPECT_EQ(star2[0].z, -5875.0f);
  EXPECT_EQ(drawStar0(0, 0, 0).c[0].z, 0.0);  // at exactly 0 it is not sent back yet
  tekensterrenveld(30.0);  // all past the viewer at once, then all 6000 away together
  tekensterrenveld(1.0);
  for (int i = 0; i < STARCOUNTMAX2; i++) ASSERT_EQ(star2[i].z, -5750.0f);
}

TEST_F(Starfield, BrightnessRisesThenFadesAndColourCyclesWithHeight) {
  // {z, y, schemepos, r, g, b}: at schemepos 2, y = 0 is orange (255, 128, 64).
  // clang-format off
  const double cases[][6] = {{-6000, 0, 2, 0, 0, 0}, {-3500, 0, 2, 127, 64, 32},
      {-1000, 0, 2, 255, 128, 64}, {-500, 0, 2, 127, 64, 32}, {-100, 0, 2, 25, 12, 6},
      {0, 0, 2, 0, 0, 0}, {-1000, 0, 0, 64, 128, 255}, {-1000, -1000, 0, 64, 128, 64},
      {-1000, 0, 3.5, 159, 128, 64}, {-1000, 0, 1.5, 159, 128, 159}, {-1000, 0, 1.75, 207, 128, 111}};
  // clang-format on
  for (const auto& c : cases) {
    schemepos = (float)c[2];
    EXPECT_EQ(drawStar0(0, (float)c[1], (float)c[0]).color,
              std::vector<double>({c[3], c[4], c[5], 255}))
        << "z " << c[0] << ", y " << c[1] << ", scheme " << c[2];
  }
}

}  // namespace
