// The benchmark's cases over the program's own frame routine and a scripted frame clock.
#include "bench/show.h"

#include <string.h>

#include "effects/atariscreen.h"
#include "effects/logo.h"
#include "effects/scroller.h"
#include "effects/starfield.h"
#include "platform/system.h"
#include "scene/mytime.h"
#include "scene/sequencer.h"
#include "tests/double/scripted_clock.h"

const double FRAME_STEP = 1.0 / 60.0;

// The logo zoom lasts about 0.46 s of show time (its routine runs twice a frame): 27 frames.
static const int LOGO_FRAMES = 27;

namespace {

const char* const names[CASE_COUNT] = {"baseline", "desktop", "logo", "stars"};
struct StartState {
  STAR stars[STARCOUNTMAX2];
  float schemepos, rotate2, rotateTolvane, rotateAtariScreen;
};
StartState start;

}  // namespace

const char* caseName(int c) { return names[c]; }

int caseByName(const char* name) {
  for (int c = 0; c < CASE_COUNT; c++)
    if (strcmp(name, names[c]) == 0) return c;
  return -1;
}

void rememberStartState() {
  memcpy(start.stars, star2, sizeof start.stars);
  start.schemepos = schemepos;
  start.rotate2 = rotate2;
  start.rotateTolvane = rotateTolvane;
  start.rotateAtariScreen = rotateAtariScreen;
}

void beginCase(int c) {
  memcpy(star2, start.stars, sizeof start.stars);
  schemepos = start.schemepos;
  rotate2 = start.rotate2;
  rotateTolvane = start.rotateTolvane;
  rotateAtariScreen = start.rotateAtariScreen;
  // The scroller as it stands after 15 s of show (it runs twice a frame): a full line of letters.
  scroller2totallapse = 30.0f;
  scroller2pos_x = 17.0f - 90.0f;
  scroller2HSinPos = 90.0f;
  scroller2offet = 0.0f;
  animmodetime = 0.0f;
  animmode = c == CASE_STARS ? 2 : c == CASE_LOGO ? 1 : 0;
  if (c == CASE_STARS) rotateTolvane = 0.925f;  // the logo has just settled
  lMytime.Reset();  // the case's first frame is one step long, like every other
}

void drawCaseFrame(int c, int frame) {
  fake::advanceClock(FRAME_STEP);
  switch (c) {
    case CASE_BASELINE:
      glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
      return;
    case CASE_DESKTOP:
      animmodetime = 1.0f;  // phase 0 would end at 15 s
      break;
    case CASE_LOGO:
      // Frame after frame through the zoom, from scale 20 down to just above the final 1.5,
      // and again: the phase itself ends after LOGO_FRAMES frames.
      animmode = 1;
      animmodetime = 0.0f;
      rotateTolvane = (float)(2.0 * FRAME_STEP * (frame % LOGO_FRAMES));
      break;
    default:
      break;  // phase 2 lasts for ever on its own
  }
  DrawGLScene();
}
