// The sine scroller (drawing still to come).
#include "effects/scroller.h"

float scroller2pos_x = 17.0f;
float scroller2pos_y = 0.0f;
float scroller2HSinPos = 0.0f;
float scroller2offet = 0.0f;
float scroller2totallapse = 0.0f;

void tekenscroller2(double, bool) {}
