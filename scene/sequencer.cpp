// One frame: clear, take the time step, advance the phase, draw the effects back to front.
#include "scene/sequencer.h"

#include "effects/atariscreen.h"
#include "effects/logo.h"
#include "effects/scroller.h"
#include "effects/starfield.h"
#include "platform/system.h"
#include "scene/mytime.h"

// Start values: initsterrenveld.
int animmode;  // 0 desktop, 1 logo zooming in, 2 star field
float animmodetime;

static void beginFrame() {
  glEnable(GL_TEXTURE_2D);
  glShadeModel(GL_SMOOTH);
  glClearColor(0.0f, 0.0f, 0.0f, 0.5f);
  glClearDepth(1.0f);
  glHint(GL_PERSPECTIVE_CORRECTION_HINT, GL_NICEST);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
}

static void enterPhase(int phase) {
  animmode = phase;
  animmodetime = 0.0f;
}

bool DrawGLScene() {
  beginFrame();
  double dt = lMytime.gettimelapse();
  glEnable(GL_BLEND);
  glDisable(GL_DEPTH_TEST);

  animmodetime = (float)(animmodetime + dt);
  if (animmode == 2) tekensterrenveld(dt);
  if (animmode == 0 && animmodetime >= 15.0f) enterPhase(1);
  if (animmode == 1) {
    tekentolvanelogo(dt);
    if (tolvanelogodone()) enterPhase(2);
  }
  if (animmode == 0 || animmode == 1)
    tekenatariscreen(0.0f);
  else
    tekenatariscreen((float)dt);
  // In phase 1 the logo is drawn twice, under and over the desktop, so its zoom runs at
  // twice the rate of its own constants; from phase 2 on it is drawn once, over the desktop.
  if (animmode != 0) tekentolvanelogo(dt);
  if (animmode > 0 || animmodetime > 0.0f) {
    tekenscroller2(dt, true);
    tekenscroller2(dt, false);
  }
  return true;
}
