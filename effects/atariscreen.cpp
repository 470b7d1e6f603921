// The desktop picture (drawing still to come).
#include "effects/atariscreen.h"

float rotateAtariScreen = 0.0f;

void tekenatariscreen(float t) { rotateAtariScreen += t; }
