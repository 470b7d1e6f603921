// The timeline: the frame's set-up, which effects draw in which order in each phase (read from
// the textures they bind), and a show left running for days.
#include <gtest/gtest.h>
#include <math.h>

#include "effects/atariscreen.h"
#include "effects/logo.h"
#include "effects/scroller.h"
#include "effects/starfield.h"
#include "image/textureset.h"
#include "scene/animation_state.h"
#include "scene/mytime.h"
#include "scene/sequencer.h"
#include "tests/double/scripted_clock.h"
#include "tests/effects/quads.h"

namespace {

// One frame `seconds` after the last; the effects it drew, by the texture each bound first.
std::string frame(double seconds) {
  fake::advanceClock(seconds);
  fake::resetGl();
  EXPECT_TRUE(DrawGLScene());
  std::string drawn;
  const char* names[] = {"stars ", "", "logo ", "", "text ", "reflection ", "desktop "};
  for (const fake::GlCall& c : fake::glCallsNamed("glBindTexture")) drawn += names[(int)c.args[1]];
  return drawn;
}

TEST(Sequencer, EachPhaseDrawsItsEffectsBackToFront) {
  for (int slot = 0; slot < 8; slot++) texture[slot] = slot;
  initsterrenveld();
  lMytime.Reset();
  EXPECT_EQ(frame(0.0), "desktop ");  // no time yet: the scroller waits
  EXPECT_EQ(firstCalls(7),
            (std::vector<std::string>{"glEnable(3553)", "glShadeModel(7425)",
                                      "glClearColor(0,0,0,0.5)", "glClearDepth(1)",
                                      "glHint(3152,4354)", "glClear(16640)", "glEnable(3042)"}));
  EXPECT_EQ(firstCalls(8).back(), "glDisable(2929)");
  EXPECT_EQ(frame(14.9), "desktop reflection text ");
  EXPECT_FLOAT_EQ(scroller2pos_x, 17 - 6 * 14.9f);  // each of the two passes takes the step
  EXPECT_EQ(frame(0.1), "logo desktop logo reflection text ");  // 15 s: the logo, twice
  EXPECT_EQ(animmode, 1);
  EXPECT_FLOAT_EQ(rotateTolvane, 0.2f);
  EXPECT_EQ(rotateAtariScreen, 0.0f);  // the desktop stands still until the stars
  EXPECT_EQ(frame(0.8), "logo desktop logo reflection text ");  // settled in its first call
  EXPECT_EQ(animmode, 2);
  EXPECT_FLOAT_EQ(rotateAtariScreen, 0.8f);  // falling from the frame of the switch
  EXPECT_EQ(frame(0.5), "stars desktop logo reflection text ");
  EXPECT_FLOAT_EQ(animmodetime, 0.5f);  // and the phase timer keeps counting
  EXPECT_FLOAT_EQ(rotateTolvane, 2.3f);
}

// Every value that keeps growing while the stars run: its rate per second of frame time (the
// scroller runs twice a frame), the range [low, low + period] it is kept in by whole periods,
// and the rounding a frame may add.
struct Accumulator {
  float* value;
  double rate, low, period, tolerance;
};
const Accumulator kGrowing[] = {{&scroller2pos_x, -6, -810, 396, 2e-4},
                                {&scroller2HSinPos, 6, 0, 2 * M_PI, 2e-5},
                                {&scroller2totallapse, 2, 0, 2 * M_PI / (double)0.4f, 2e-5},
                                {&rotate2, 0.5, 0, 72, 1e-5},
                                {&schemepos, 0.4, 0, 6, 1e-6},
                                {&rotateTolvane, 1, 1, 2 * M_PI, 2e-6}};

// b - a, taken into (-period/2, period/2]: the motion between readings of a value that may have
// been moved back by whole periods in between.
double motion(double a, double b, double period) { return remainder(b - a, period); }

// Each of these frames of 1/60 s must move every value by its rate, as in the first minute.
void expectFirstMinuteMotion(int frames) {
  for (int i = 0; i < frames; i++) {
    float before[6];
    for (int v = 0; v < 6; v++) before[v] = *kGrowing[v].value;
    frame(1.0 / 60.0);
    for (int v = 0; v < 6; v++)
      ASSERT_NEAR(motion(before[v], *kGrowing[v].value, kGrowing[v].period),
                  kGrowing[v].rate / 60.0, kGrowing[v].tolerance)
          << v << ", frame " << i;
  }
}

TEST(Timeline, DaysOfShowMoveAsTheFirstMinuteAndMatchExactArithmetic) {
  initsterrenveld();
  rotate2 = 0.0f;
  lMytime.Reset();
  frame(15.0);  // the desktop's 15 s, and the logo settles in the same frame
  ASSERT_EQ(animmode, 2);
  expectFirstMinuteMotion(60);
  frame(3.5 * 86400);  // a long weekend in one stall
  expectFirstMinuteMotion(60);
  // 300 s in quarter seconds cross every period; the result must match exact arithmetic within
  // what 1200 single-precision additions lose anyway (a wrong period is far off).
  const double from[6] = {-500, 0, 0, 0, 0, 1};
  for (int v = 0; v < 6; v++) *kGrowing[v].value = (float)from[v];
  for (int i = 0; i < 1200; i++) frame(0.25);
  for (int v = 0; v < 6; v++) {
    const Accumulator& a = kGrowing[v];
    EXPECT_NEAR(motion(from[v] + a.rate * 300.0, *a.value, a.period), 0.0, 1e-3) << v;
    EXPECT_TRUE(*a.value >= a.low && *a.value <= a.low + a.period) << v << ": " << *a.value;
  }
}

}  // namespace
