// The scroller: which letters it draws where, the waves on every corner, the wrap, the reflection.
#include "effects/scroller.h"

#include <gtest/gtest.h>
#include <math.h>

#include <algorithm>

#include "image/textureset.h"
#include "tests/effects/quads.h"

namespace {

class Scroller : public ::testing::Test {
 protected:
  void SetUp() override {
    scroller2pos_x = 17.0f;
    scroller2pos_y = scroller2HSinPos = scroller2offet = scroller2totallapse = 0.0f;
    texture[TEXTURE_FONT] = 40;
    texture[TEXTURE_FONT_DARKER] = 50;
  }
  // One call; the letters drawn (each 16 pieces under white), as their first corner's x, and
  // their texture column (the font cell) as s.
  std::vector<std::pair<double, double>> draw(double dt, bool reflection = false) {
    fake::resetGl();
    tekenscroller2(dt, reflection);
    quads = recordedQuads();
    EXPECT_EQ(quads.size(), fake::glCallsNamed("glColor4ub").size() * 16);
    EXPECT_EQ(firstCalls(3), (std::vector<std::string>{
                                 "glBlendFunc(770,771)",
                                 reflection ? "glBindTexture(3553,50)" : "glBindTexture(3553,40)",
                                 "glLoadIdentity()"}));
    std::vector<std::pair<double, double>> letters;
    for (size_t i = 0; i < quads.size(); i += 16) {
      EXPECT_EQ(quads[i].color, std::vector<double>({255, 255, 255, 255}));
      letters.push_back({quads[i].c[0].x, quads[i].c[0].s});
    }
    return letters;
  }
  std::vector<RecordedQuad> quads;
};

TEST_F(Scroller, LettersEnterAtTheRightHandLimitInclusive) {
  EXPECT_EQ(draw(0.0), (std::vector<std::pair<double, double>>{{17.0, 5 * 64 / 512.0}}));  // "l"
  auto l = draw(0.1);  // moved 0.3 left, the sideways wave at y = 0 on top
  EXPECT_FLOAT_EQ(scroller2pos_x, 16.7f);
  EXPECT_NEAR(l.at(0).first, 16.7 + sin(0.3), 1e-5);
  EXPECT_EQ(quads[0].c[0].t, 64 / 512.0);
  for (auto [dt, count] : {std::pair{0.7, 2u}, {1.3, 2u}, {1.4, 3u}}) {
    SetUp();
    EXPECT_EQ(draw(dt).size(), count) << dt;
  }
  // The smallest left edge above 17 that survives the rounding of p + 18: nothing drawn.
  scroller2pos_x = nextafterf(35.0f, 36.0f) - 18.0f;
  EXPECT_EQ(draw(0.0).size(), 0u);
  EXPECT_EQ(fake::glCalls().size(), 3u);
}

TEST_F(Scroller, LineRepeatsWithTheFirstLetterOnePitchBehindTheLastAndAbsorbsHugeSteps) {
  scroller2pos_x = -400.0f;  // the first letter has wrapped to 2L - 400 = -4
  auto l = draw(0.0);
  ASSERT_EQ(l.size(), 18u);
  std::sort(l.begin(), l.end());
  for (size_t i = 0; i < l.size(); i++) EXPECT_EQ(l[i].first, -18.0 + 2.0 * i);
  // " " (the blank cell), "l" of "lets" at -4, "e".
  EXPECT_EQ(std::vector<double>({l[6].second, l[7].second, l[8].second}),
            std::vector<double>({6 * 64 / 512.0, 5 * 64 / 512.0, 4 * 64 / 512.0}));
  SetUp();
  EXPECT_GE(draw(123456.789).size(), 17u);
  for (const RecordedQuad& q : quads)
    for (const Corner& c : q.c) ASSERT_TRUE(c.x >= -19.0 && c.x <= 20.0) << c.x;
}

TEST_F(Scroller, EveryCornerFollowsItsCallsWavesAndTheReflectionMirrorsAndBobsTheSameWay) {
  // The first letter ("L", glyph s 320..367 and t 64..97 of 512) at three wave phases: each
  // corner of its 5 x 5 grid of 0.5 x 0.375 pieces is moved sideways by its undisplaced y, then
  // up and down by its displaced x; the reflection's is mirrored about y = -2 in double precision.
  for (auto [phase, reflection] : {std::pair{1.0f, false}, {2.0f, true}, {1.0f, false}}) {
    scroller2HSinPos = phase;
    draw(0.0, reflection);
    ASSERT_EQ(quads.size(), 16u);
    for (const RecordedQuad& piece : quads)
      for (const Corner& c : piece.c) {
        float x = (float)(17.0 + 0.5 * lround((c.s * 512 - 320) / 47 * 4));
        float y = (float)(-0.375 * lround((c.t * 512 - 64) / 33 * 4));
        float dx = (float)(x + sin((double)y + phase)), dy = (float)(y + 0.5 * sin((double)dx));
        ASSERT_EQ(std::vector<double>({c.x, c.y, c.z}),
                  std::vector<double>({dx, reflection ? (float)(-4.0 - dy) : dy, -20.0}));
      }
    EXPECT_EQ(std::vector<double>({quads[0].c[0].s, quads[15].c[2].s, quads[15].c[2].t}),
              std::vector<double>({320 / 512.0, 367 / 512.0, 97 / 512.0}));
  }
  scroller2pos_x = -100.0f;  // a full line, and a bob of 4 sin(0.2) up for both
  draw(0.5, true);
  std::vector<RecordedQuad> mirrored = quads;
  ASSERT_GT(scroller2offet, 0.5f);
  draw(0.0, false);
  ASSERT_EQ(mirrored.size(), quads.size());
  for (size_t i = 0; i < quads.size(); i++)
    for (int k = 0; k < 4; k++) {
      const Corner &a = quads[i].c[k], &b = mirrored[i].c[k];
      ASSERT_TRUE(a.x == b.x && a.s == b.s && a.t == b.t) << i;
      ASSERT_NEAR(a.y + b.y, -4.0 + 2.0 * scroller2offet, 2e-6);  // y' + bob and -4 - y' + bob
    }
}

}  // namespace
