// The benchmark's cases: the show's three phases held in place on a scripted clock with a fixed
// time step, and a baseline frame that only clears.
#pragma once

#include <stdint.h>

enum {
  CASE_BASELINE,  // clear the colour and depth buffers, nothing else
  CASE_DESKTOP,   // phase 0: desktop picture and scroller
  CASE_LOGO,      // phase 1: logo zooming in over the desktop, scroller
  CASE_STARS,     // phase 2: star field, falling desktop, logo, scroller
  CASE_COUNT
};

// The fixed time step of every frame: 1/60 s.
extern const double FRAME_STEP;

// Short name of a case: "baseline", "desktop", "logo", "stars".
const char* caseName(int c);
// The case with this short name, or -1.
int caseByName(const char* name);

// Takes the program's start state (after initsterrenveld, and InitGL when there is a context)
// as the state every case starts from.
void rememberStartState();

// Puts the show at the start of the case's phase; every round of a case does the same work.
void beginCase(int c);

// Draws frame number `frame` of the case, one time step after the previous one. Does not present.
void drawCaseFrame(int c, int frame);
