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

// Each value that keeps growing while the star field runs: its rate per second of frame time
// (the scroller runs twice per frame), the range [low, low + period] it is kept in by whole
// periods, a frame's allowed rounding.
struct Accumulator {
  float* value;
  double rate, low, period, tolerance;
};
const Accumulator kValues[] = {{&scroller2pos_x, -6, -810, 396, 2e-4},
                               {&scroller2HSinPos, 6, 0, kTwoPi, 2e-5},
                               {&scroller2totallapse, 2, 0, kTwoPi / (double)0.4f, 2e-5},
                               {&rotate2, 0.5, 0, 72, 1e-5},
                               {&schemepos, 0.4, 0, 6, 1e-6},
                               {&rotateTolvane, 1, 1, kTwoPi, 2e-6}};

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
    initsterrenveld();
    rotate2 = 0.0f;
    lMytime.Reset();
    frame(15.0);  // desktop phase over, the logo settles in the same frame
  }
  // One frame whose clock step is the given number of seconds.
  void frame(double seconds) {
    fake::advanceClock(seconds);
    fake::resetGl();
    ASSERT_TRUE(DrawGLScene());
  }
  // Runs frames of 1/60 s; each must move every value by its rate, as in the first minute.
  void expectFirstMinuteMotion(int frames) {
    const double dt = 1.0 / 60.0;
    for (int i = 0; i < frames; i++) {
      float before[6];
      for (int v = 0; v < 6; v++) before[v] = *kValues[v].value;
      frame(dt);
      for (int v = 0; v < 6; v++) {
        const Accumulator& a = kValues[v];
        ASSERT_NEAR(step(before[v], *a.value, a.period), a.rate * dt, a.tolerance)
            << v << ", " << i;
      }
      ASSERT_TRUE(tolvanelogodone());
      ASSERT_EQ(animmode, 2);
    }
  }
};

TEST_F(LongRun, LongWeekendInOneStallMovesAsTheFirstMinute) {
  ASSERT_EQ(animmode, 2);
  expectFirstMinuteMotion(60);
  frame(3.5 * 86400);
  expectFirstMinuteMotion(60);
}

TEST_F(LongRun, LongWeekendOfShortFramesMatchesExactArithmetic) {
  // From the values an unbounded run reaches after a weekend of short frames.
  const double start[6] = {17, 0, 0, 0, 0, 0};
  for (int v = 0; v < 6; v++) *kValues[v].value = (float)(start[v] + kValues[v].rate * 259200.0);
  rotateAtariScreen = 259200.0f;
  expectFirstMinuteMotion(10);

  // 300 s in quarter seconds cross every period; the result must match exact arithmetic within
  // what 1200 single-precision additions lose anyway (a wrong period is far off).
  const double from[6] = {-500, 0, 0, 0, 0, 1};
  for (int v = 0; v < 6; v++) *kValues[v].value = (float)from[v];
  for (int i = 0; i < 1200; i++) frame(0.25);
  for (int v = 0; v < 6; v++) {
    const Accumulator& a = kValues[v];
    EXPECT_NEAR(step(from[v] + a.rate * 300.0, *a.value, a.period), 0.0, 1e-3) << v;
    EXPECT_TRUE(*a.value >= a.low && *a.value <= a.low + a.period) << v << ": " << *a.value;
  }
}

}  // namespace
