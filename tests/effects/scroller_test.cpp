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
  double s, t;  // its texture corner: which cell of the font
};

class Scroller : public ::testing::Test {
 protected:
  void SetUp() override {
    scroller2pos_x = 17.0f;
    scroller2pos_y = 0.0f;
    scroller2HSinPos = 0.0f;
    scroller2offet = 0.0f;
    scroller2totallapse = 0.0f;
    texture[4] = 40;
    texture[5] = 50;
    fake::resetGl();
  }
  // One call; the letters drawn, each checked to be 16 pieces under one white colour.
  std::vector<DrawnLetter> draw(double dt, bool reflection = false) {
    fake::resetGl();
    tekenscroller2(dt, reflection);
    std::vector<RecordedQuad> quads = recordedQuads();
    size_t colours = fake::glCallsNamed("glColor4ub").size();
    EXPECT_EQ(quads.size(), colours * 16);
    std::vector<DrawnLetter> letters;
    for (size_t i = 0; i < quads.size(); i += 16) {
      EXPECT_EQ(quads[i].color, (std::vector<double>{255, 255, 255, 255}));
      letters.push_back({quads[i].c[0].x, quads[i].c[0].s, quads[i].c[0].t});
    }
    return letters;
  }
};

TEST(ScrollText, IsTheFixedLineWithTheWebAddress) {
  EXPECT_EQ(scroller2textlength, 198);
  EXPECT_EQ((size_t)scroller2textlength, strlen(scroller2text));
  EXPECT_EQ(std::string(scroller2text).find("http://tolvane.example/"), 68u);
  EXPECT_EQ(std::string(scroller2text).substr(187), "Wrap....   ");
}

TEST_F(Scroller, SetsItsOwnStateThenDrawsEachPieceAsAQuad) {
  draw(0.1, true);
  std::vector<std::string> names = recordedNames();
  ASSERT_GE(names.size(), 4u);
  EXPECT_EQ(
      std::vector<std::string>(names.begin(), names.begin() + 4),
      (std::vector<std::string>{"glBlendFunc", "glBindTexture", "glLoadIdentity", "glColor4ub"}));
  const std::vector<fake::GlCall>& c = fake::glCalls();
  EXPECT_EQ(c[0].args, (std::vector<double>{GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA}));
  EXPECT_EQ(c[1].args, (std::vector<double>{GL_TEXTURE_2D, 50}));
  draw(0.0, false);
  EXPECT_EQ(fake::glCalls()[1].args, (std::vector<double>{GL_TEXTURE_2D, 40}));
}

TEST_F(Scroller, FirstCallDrawsOnlyTheFirstLetter) {
  std::vector<DrawnLetter> l = draw(0.1);
  ASSERT_EQ(l.size(), 1u);
  EXPECT_FLOAT_EQ(scroller2pos_x, 16.7f);
  EXPECT_EQ(l[0].s, 5 * 64 / 512.0);  // "l": column 5, row 1
  EXPECT_EQ(l[0].t, 64 / 512.0);
  EXPECT_NEAR(l[0].left, 16.7 + sin(0.3), 1e-5);  // the sideways wave at y = 0
}

TEST_F(Scroller, LetterIEntersWhenTheStepReachesTwoThirdsI) {
  EXPECT_EQ(draw(0.7).size(), 2u);
  SetUp();
  EXPECT_EQ(draw(1.3).size(), 2u);
  SetUp();
  EXPECT_EQ(draw(1.4).size(), 3u);
}

TEST_F(Scroller, RightHandLimitIsInclusive) {
  std::vector<DrawnLetter> l = draw(0.0);  // start-up: the first letter stands at 17.0
  ASSERT_EQ(l.size(), 1u);
  EXPECT_EQ(l[0].left, 17.0);
  // The smallest left edge above 17 that survives the rounding of p + 18.
  scroller2pos_x = nextafterf(35.0f, 36.0f) - 18.0f;
  EXPECT_EQ(draw(0.0).size(), 0u);
  EXPECT_EQ(recordedNames(),
            (std::vector<std::string>{"glBlendFunc", "glBindTexture", "glLoadIdentity"}));
}

TEST_F(Scroller, LineRepeatsWithTheFirstLetterOnePitchBehindTheLast) {
  scroller2pos_x = -400.0f;  // the first letter has wrapped to 2L - 400 = -4
  std::vector<DrawnLetter> l = draw(0.0);
  ASSERT_EQ(l.size(), 18u);
  std::sort(l.begin(), l.end(),
            [](const DrawnLetter& a, const DrawnLetter& b) { return a.left < b.left; });
  for (size_t i = 0; i < l.size(); i++) EXPECT_EQ(l[i].left, -18.0 + 2.0 * i);
  EXPECT_EQ(l[7].left, -4.0);
  EXPECT_EQ(l[7].s, 5 * 64 / 512.0);  // "l" of "lets"
  EXPECT_EQ(l[6].s, 6 * 64 / 512.0);  // the blank cell of the closing space
  EXPECT_EQ(l[8].s, 4 * 64 / 512.0);  // "e"
}

TEST_F(Scroller, HugeStepIsAbsorbedByTheWrap) {
  std::vector<DrawnLetter> l = draw(123456.789);
  EXPECT_GE(l.size(), 17u);
  EXPECT_LE(l.size(), 18u);
  for (const RecordedQuad& q : recordedQuads())
    for (const Corner& c : q.c) {
      ASSERT_GE(c.x, -19.0);  // left edges no further left than -18, wave at most 1
      ASSERT_LE(c.x, 20.0);
    }
}

TEST_F(Scroller, LetterIsSixteenPiecesOfOneUnbrokenSurface) {
  scroller2HSinPos = 0.7f;
  scroller2offet = 0.0f;
  draw(0.0);
  std::vector<RecordedQuad> q = recordedQuads();
  ASSERT_EQ(q.size(), 16u);
  // Piece order: quarters top left, top right, bottom left, bottom right, each again split
  // the same way; corners shared by neighbours coincide after displacement.
  auto same = [](const Corner& a, const Corner& b) {
    return a.x == b.x && a.y == b.y && a.s == b.s && a.t == b.t;
  };
  EXPECT_TRUE(same(q[0].c[1], q[1].c[0]));   // top-left quarter: left pieces meet right ones
  EXPECT_TRUE(same(q[0].c[3], q[2].c[0]));   // upper pieces meet lower ones
  EXPECT_TRUE(same(q[1].c[1], q[4].c[0]));   // top-left quarter meets top-right quarter
  EXPECT_TRUE(same(q[2].c[3], q[8].c[0]));   // top-left quarter meets bottom-left quarter
  EXPECT_TRUE(same(q[3].c[2], q[12].c[0]));  // the letter's centre
  // Undisplaced pieces are 0.5 x 0.375 and cover the 47 x 33 glyph at the top left of its cell.
  EXPECT_EQ(q[0].c[0].s, 5 * 64 / 512.0);
  EXPECT_EQ(q[15].c[2].s, (5 * 64 + 47) / 512.0);
  EXPECT_EQ(q[15].c[2].t, (64 + 33) / 512.0);
  EXPECT_EQ(q[0].c[0].z, -20.0);
  // Sideways wave from the undisplaced y, standing wave from the displaced x alone.
  double x = 17.0 + sin(0.0 + 0.7);
  EXPECT_NEAR(q[0].c[0].x, x, 1e-5);
  EXPECT_NEAR(q[0].c[0].y, 0.5 * sin(x), 1e-5);
  double x2 = 17.5 + sin(-0.375 + 0.7);  // second corner row of the first piece
  EXPECT_NEAR(q[0].c[2].x, x2, 1e-5);
  EXPECT_NEAR(q[0].c[2].y, -0.375 + 0.5 * sin(x2), 1e-5);
}

TEST_F(Scroller, EveryCornerFollowsTheWavePhaseOfItsOwnCall) {
  // The same letter drawn at three wave phases, the first one again last: each corner must be
  // displaced with the phase of its call, from its own undisplaced place on the 5 x 5 grid.
  for (float phase : {1.0f, 2.0f, 1.0f}) {
    scroller2HSinPos = phase;
    draw(0.0);
    std::vector<RecordedQuad> q = recordedQuads();
    ASSERT_EQ(q.size(), 16u);  // the first letter only, its left edge at 17
    for (const RecordedQuad& piece : q)
      for (const Corner& c : piece.c) {
        // The glyph spans s from 320/512 to 367/512 and t from 64/512 to 97/512 ("L").
        float x = (float)(17.0 + 0.5 * lround((c.s * 512 - 320) / 47 * 4));
        float y = (float)(-0.375 * lround((c.t * 512 - 64) / 33 * 4));
        float dx = (float)(x + sin((double)y + phase));
        float dy = (float)(y + 0.5 * sin((double)dx));
        ASSERT_EQ(c.x, dx) << "phase " << phase << ", corner " << x << ", " << y;
        ASSERT_EQ(c.y, dy) << "phase " << phase << ", corner " << x << ", " << y;
      }
  }
}

TEST_F(Scroller, ReflectionMirrorsAboutMinusTwoAndBobsTheSameWay) {
  scroller2pos_x = -100.0f;
  scroller2HSinPos = 1.0f;
  draw(0.5, true);  // bob offset now 4 sin(0.2)
  std::vector<RecordedQuad> mirrored = recordedQuads();
  ASSERT_GT(scroller2offet, 0.5f);
  draw(0.0, false);
  std::vector<RecordedQuad> upright = recordedQuads();
  ASSERT_EQ(mirrored.size(), upright.size());
  ASSERT_GT(upright.size(), 200u);
  for (size_t i = 0; i < upright.size(); i++)
    for (int k = 0; k < 4; k++) {
      const Corner& a = upright[i].c[k];
      const Corner& b = mirrored[i].c[k];
      ASSERT_EQ(a.x, b.x);
      ASSERT_EQ(a.s, b.s);
      ASSERT_EQ(a.t, b.t);
      // upright y = y' + offset, mirrored y = -4 - y' + offset
      ASSERT_NEAR(a.y + b.y, -4.0 + 2.0 * scroller2offet, 2e-6);
    }
}

TEST_F(Scroller, ZeroStepRedrawsTheSamePicture) {
  draw(2.5);
  std::vector<fake::GlCall> first = fake::glCalls();
  float x = scroller2pos_x;
  draw(0.0);
  EXPECT_EQ(scroller2pos_x, x);
  ASSERT_EQ(fake::glCalls().size(), first.size());
  for (size_t i = 0; i < first.size(); i++) ASSERT_EQ(fake::glCalls()[i].args, first[i].args);
}

}  // namespace
