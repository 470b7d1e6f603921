// A screen saver left running for days: every frame must still move as in its first minute,
// and the picture must be the one exact arithmetic gives.
#include <gtest/gtest.h>
#include <math.h>

#include "effects/atariscreen.h"
#include "effects/logo.h"
#include "effects/scroller.h"
#include "effects/starfield.h"
#include "scene/animation_state.h"
#include "scene/mytime.h"
#include "scene/sequencer.h"
#include "tests/double/gl_recorder.h"
#include "tests/double/win32_double.h"

namespace {

const double kTwoPi = 6.283185307179586;

struct State {
  float posx, hsin, lapse, turn, scheme, logo, desktop, phasetime;
  static State now() {
    return {scroller2pos_x, scroller2HSinPos, scroller2totallapse, rotate2,
            schemepos,      rotateTolvane,    rotateAtariScreen,   animmodetime};
  }
};

// b - a, taken into (-period/2, period/2]: the motion between two readings of a value that
// may have been moved back by whole periods in between.
double step(double a, double b, double period) {
  double d = fmod(b - a, period);
  if (d > period / 2) d -= period;
  if (d <= -period / 2) d += period;
  return d;
}

class LongRun : public ::testing::Test {
 protected:
  void SetUp() override {
    fake::reset();
    fake::resetGl();
    initsterrenveld();
    rotate2 = 0.0f;
    lMytime.Reset();
  }
  // One frame whose clock step is the given number of seconds (whole microseconds).
  void frame(double seconds) {
    fake::platform().counter += (LONGLONG)llround(seconds * 1e6);
    fake::resetGl();
    ASSERT_TRUE(DrawGLScene());
  }
  // Runs frames of 1/60 s; each must move every value by its rate, as in the first minute.
  void expectFirstMinuteMotion(int frames) {
    const double dt = 1.0 / 60.0;
    for (int i = 0; i < frames; i++) {
      State a = State::now();
      frame(dt);
      State b = State::now();
      // The scroller runs twice per frame; the logo once per frame from the star field on.
      ASSERT_NEAR(step(a.posx, b.posx, 396.0), -6 * dt, 2e-4) << i;
      ASSERT_NEAR(step(a.hsin, b.hsin, kTwoPi), 6 * dt, 2e-5) << i;
      ASSERT_NEAR(step(a.lapse, b.lapse, kTwoPi / (double)0.4f), 2 * dt, 2e-5) << i;
      ASSERT_NEAR(step(a.turn, b.turn, 72.0), 0.5 * dt, 1e-5) << i;
      ASSERT_NEAR(step(a.scheme, b.scheme, 6.0), 0.4 * dt, 1e-6) << i;
      ASSERT_NEAR(step(a.logo, b.logo, kTwoPi), dt, 2e-6) << i;
      ASSERT_TRUE(tolvanelogodone());
      ASSERT_EQ(animmode, 2);
      ASSERT_EQ(b.phasetime, a.phasetime);  // no further use in the last phase
    }
  }
};

TEST_F(LongRun, LongWeekendInOneStallMovesAsTheFirstMinute) {
  frame(15.0);  // desktop phase over, the logo settles in the same frame
  ASSERT_EQ(animmode, 2);
  expectFirstMinuteMotion(60);
  frame(3.5 * 86400);
  expectFirstMinuteMotion(60);
}

TEST_F(LongRun, LongWeekendOfShortFramesMatchesExactArithmetic) {
  // A whole weekend frame by frame is too slow to record; this starts from the values an
  // unbounded run would have reached after it, and crosses every wrap point on the way.
  frame(15.0);
  scroller2pos_x = (float)(17.0 - 6 * 259200.0);
  scroller2HSinPos = (float)(6 * 259200.0);
  scroller2totallapse = (float)(2 * 259200.0);
  rotate2 = (float)(0.5 * 259200.0);
  schemepos = (float)(0.4 * 259200.0);
  rotateTolvane = (float)(259200.0);
  rotateAtariScreen = 259200.0f;
  expectFirstMinuteMotion(10);

  // From exactly known values on, 300 s in quarter seconds cross every period at least once;
  // the result must match exact arithmetic, not just move smoothly.
  scroller2pos_x = -500.0f;
  scroller2HSinPos = 0.0f;
  scroller2totallapse = 0.0f;
  rotate2 = 0.0f;
  schemepos = 0.0f;
  rotateTolvane = 1.0f;
  for (int i = 0; i < 1200; i++) frame(0.25);
  const double total = 300.0;
  // Within what 1200 single-precision additions lose anyway (a wrong period is far off).
  EXPECT_NEAR(step(-500.0 - 6 * total, scroller2pos_x, 396.0), 0.0, 1e-3);
  EXPECT_NEAR(step(6 * total, scroller2HSinPos, kTwoPi), 0.0, 1e-3);
  EXPECT_NEAR(step(2 * total, scroller2totallapse, kTwoPi / (double)0.4f), 0.0, 1e-3);
  EXPECT_NEAR(step(0.5 * total, rotate2, 72.0), 0.0, 1e-3);
  EXPECT_NEAR(step(0.4 * total, schemepos, 6.0), 0.0, 1e-3);
  EXPECT_NEAR(step(1.0 + total, rotateTolvane, kTwoPi), 0.0, 1e-3);
  // Every value stayed within a period or two of its range.
  EXPECT_GE(scroller2pos_x, -810.0f);
  EXPECT_LT(scroller2pos_x, -18.0f - 396.0f);
  EXPECT_LT(scroller2HSinPos, kTwoPi);
  EXPECT_LT(rotate2, 72.0f);
  EXPECT_LT(schemepos, 6.0f);
  EXPECT_GT(rotateTolvane, 0.925f);
  EXPECT_LT(rotateTolvane, 1.0 + kTwoPi);
  EXPECT_LE(rotateAtariScreen, ATARISCREENGONE);
}

TEST_F(LongRun, ScrollerPictureDoesNotDependOnHowManyLinesHavePassed) {
  // All letters have wrapped in both; the positions differ by 1000 line lengths exactly
  // (multiples of 1/32, so both are exact floats).
  for (float x : {-700.3125f, -420.59375f, -811.90625f}) {
    scroller2pos_x = x;
    scroller2HSinPos = 1.0f;
    scroller2totallapse = 2.0f;
    tekenscroller2(0.0, false);
    std::vector<fake::GlCall> near = fake::glCalls();
    fake::resetGl();
    scroller2pos_x = (float)(x - 396000.0);
    ASSERT_EQ((double)scroller2pos_x, (double)x - 396000.0);  // exactly representable
    tekenscroller2(0.0, false);
    ASSERT_EQ(fake::glCalls().size(), near.size()) << x;
    for (size_t i = 0; i < near.size(); i++)
      ASSERT_EQ(fake::glCalls()[i].args, near[i].args) << x << " call " << i;
    fake::resetGl();
  }
}

}  // namespace
