// Start-up reset of the timeline and of the effects' variables.
#include "scene/animation_state.h"

#include "effects/atariscreen.h"
#include "effects/logo.h"
#include "effects/scroller.h"
#include "effects/starfield.h"
#include "scene/sequencer.h"

void initsterrenveld() {
  placeStars();
  animmode = 0;
  animmodetime = 0.0f;
  schemepos = 0.0f;
  rotateTolvane = 0.0f;
  rotateAtariScreen = 0.0f;
  scroller2pos_x = 17.0f;
  scroller2pos_y = 0.0f;
  scroller2HSinPos = 0.0f;
  scroller2offet = 0.0f;
  scroller2totallapse = 0.0f;
}
