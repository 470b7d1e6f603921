// The timeline: the frame's set-up, and which effects draw in which order in each phase, read
// from the textures they bind.
#include "scene/sequencer.h"

#include <gtest/gtest.h>

#include "effects/atariscreen.h"
#include "effects/logo.h"
#include "effects/scroller.h"
#include "image/textureset.h"
#include "scene/animation_state.h"
#include "scene/mytime.h"
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

}  // namespace
