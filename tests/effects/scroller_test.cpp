// The scroller: its text, which letters it draws where, the pieces of a letter, the reflection.
#include "effects/scroller.h"

#include <gtest/gtest.h>
#include <math.h>
#include <string.h>

#include <algorithm>

#include "image/textureset.h"
#include "tests/effects/quads.h"

namespace {

struct DrawnLetter {
  double left;  // the letter's first corner; with no sideways wave at y = 0, its left edge
  double s;     // its texture corner's column: which cell of the font
};

class Scroller : public ::testing::Test {
 protected:
  void SetUp() override {
    scroller2pos_x = 17.0f;
    scroller2pos_y = scroller2HSinPos = scroller2offet = scroller2totallapse = 0.0f;
    texture[TEXTURE_FONT] = 40;
    texture[TEXTURE_FONT_DARKER] = 50;
  }
  // One call; the letters drawn, each checked to be 16 pieces under one white colour.
  std::vector<DrawnLetter> draw(double dt, bool reflection = false) {
    fake::resetGl();
    tekenscroller2(dt, reflection);
    quads = recordedQuads();
    EXPECT_EQ(quads.size(), fake::glCallsNamed("glColor4ub").size() * 16);
    std::vector<DrawnLetter> letters;
    for (size_t i = 0; i < quads.size(); i += 16) {
      EXPECT_EQ(quads[i].color, (std::vector<double>{255, 255, 255, 255}));
      letters.push_back({quads[i].c[0].x, quads[i].c[0].s});
    }
    return letters;
  }
  std::vector<RecordedQuad> quads;
};

TEST_F(Scroller, TextAndOwnState) {
  EXPECT_EQ((size_t)scroller2textlength, strlen(scroller2text));
  EXPECT_EQ(std::string(scroller2text).find("http://tolvane.example/"), 68u);
  EXPECT_EQ(std::string(scroller2text).substr(scroller2textlength - 11), "Wrap....   ");
  for (bool reflection : {false, true}) {
    draw(0.1, reflection);
    std::vector<std::string> setup = overlaySetup(reflection ? 50 : 40);
    EXPECT_EQ(firstCalls(4), setup);  // white is set for each letter
  }
}

TEST_F(Scroller, FirstCallDrawsOnlyTheFirstLetterAndMoreEnterAtTwoThirdsSecond) {
  std::vector<DrawnLetter> l = draw(0.1);
  ASSERT_EQ(l.size(), 1u);
  EXPECT_FLOAT_EQ(scroller2pos_x, 16.7f);
  EXPECT_EQ(l[0].s, 5 * 64 / 512.0);  // "l": column 5, row 1
  EXPECT_EQ(quads[0].c[0].t, 64 / 512.0);
  EXPECT_NEAR(l[0].left, 16.7 + sin(0.3), 1e-5);  // the sideways wave at y = 0
  for (auto [dt, count] : {std::pair{0.7, 2u}, {1.3, 2u}, {1.4, 3u}}) {
    SetUp();
    EXPECT_EQ(draw(dt).size(), count) << dt;
  }
}

TEST_F(Scroller, RightHandLimitIsInclusive) {
  std::vector<DrawnLetter> l = draw(0.0);  // start-up: the first letter stands at 17.0
  ASSERT_EQ(l.size(), 1u);
  EXPECT_EQ(l[0].left, 17.0);
  // The smallest left edge above 17 that survives the rounding of p + 18.
  scroller2pos_x = nextafterf(35.0f, 36.0f) - 18.0f;
  EXPECT_EQ(draw(0.0).size(), 0u);
  EXPECT_EQ(fake::glCalls().size(), 3u);
}

TEST_F(Scroller, LineRepeatsWithTheFirstLetterOnePitchBehindTheLast) {
  scroller2pos_x = -400.0f;  // the first letter has wrapped to 2L - 400 = -4
  std::vector<DrawnLetter> l = draw(0.0);
  ASSERT_EQ(l.size(), 18u);
  std::sort(l.begin(), l.end(), [](auto& a, auto& b) { return a.left < b.left; });
  for (size_t i = 0; i < l.size(); i++) EXPECT_EQ(l[i].left, -18.0 + 2.0 * i);
  EXPECT_EQ(l[7].s, 5 * 64 / 512.0);  // -4: "l" of "lets"
  EXPECT_EQ(l[6].s, 6 * 64 / 512.0);  // the blank cell of the closing space
  EXPECT_EQ(l[8].s, 4 * 64 / 512.0);  // "e"
}

TEST_F(Scroller, HugeStepIsAbsorbedByTheWrap) {
  std::vector<DrawnLetter> l = draw(123456.789);
  EXPECT_GE(l.size(), 17u);
  EXPECT_LE(l.size(), 18u);
  for (const RecordedQuad& q : quads)
    for (const Corner& c : q.c) {
      ASSERT_GE(c.x, -19.0);  // left edges no further left than -18, wave at most 1
      ASSERT_LE(c.x, 20.0);
    }
}

TEST_F(Scroller, EveryCornerFollowsTheWavePhaseOfItsOwnCall) {
  // The first letter ("L", glyph s 320..367 and t 64..97 of 512) at three wave phases, the
  // first again last: each corner of its 5 x 5 grid of 0.5 x 0.375 pieces is displaced with
  // its own call's phase: sideways by its undisplaced y, then up and down by its displaced x;
  // the reflection's is mirrored about y = -2, in double precision, rounded once.
  for (auto [phase, reflection] : {std::pair{1.0f, false}, {2.0f, true}, {1.0f, false}}) {
    scroller2HSinPos = phase;
    draw(0.0, reflection);
    ASSERT_EQ(quads.size(), 16u);
    double smax = 0, tmax = 0;
    for (const RecordedQuad& piece : quads)
      for (const Corner& c : piece.c) {
        float x = (float)(17.0 + 0.5 * lround((c.s * 512 - 320) / 47 * 4));
        float y = (float)(-0.375 * lround((c.t * 512 - 64) / 33 * 4));
        float dx = (float)(x + sin((double)y + phase));
        ASSERT_EQ(c.x, dx) << "phase " << phase << ", corner " << x << ", " << y;
        float dy = (float)(y + 0.5 * sin((double)dx));
        ASSERT_EQ(c.y, reflection ? (float)(-4.0 - dy) : dy) << "phase " << phase;
        ASSERT_EQ(c.z, -20.0);
        smax = std::max(smax, c.s);
        tmax = std::max(tmax, c.t);
      }
    EXPECT_EQ(quads[0].c[0].s, 320 / 512.0);
    EXPECT_EQ(smax, 367 / 512.0);
    EXPECT_EQ(tmax, 97 / 512.0);
  }
}

TEST_F(Scroller, ReflectionMirrorsAboutMinusTwoAndBobsTheSameWay) {
  scroller2pos_x = -100.0f;
  scroller2HSinPos = 1.0f;
  draw(0.5, true);  // bob offset now 4 sin(0.2)
  std::vector<RecordedQuad> mirrored = quads;
  ASSERT_GT(scroller2offet, 0.5f);
  draw(0.0, false);
  ASSERT_EQ(mirrored.size(), quads.size());
  ASSERT_GT(quads.size(), 200u);
  for (size_t i = 0; i < quads.size(); i++)
    for (int k = 0; k < 4; k++) {
      const Corner &a = quads[i].c[k], &b = mirrored[i].c[k];
      ASSERT_TRUE(a.x == b.x && a.s == b.s && a.t == b.t) << i;
      // upright y = y' + offset, mirrored y = -4 - y' + offset
      ASSERT_NEAR(a.y + b.y, -4.0 + 2.0 * scroller2offet, 2e-6);
    }
}

}  // namespace
