// The star field (drawing still to come).
#include "effects/starfield.h"

STAR star2[STARCOUNTMAX];
float schemepos = 0.0f;
float rotate2 = 0.0f;

void placeStars() {}

void tekensterrenveld(double) {}
