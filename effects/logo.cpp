// The logo zoom (drawing still to come).
#include "effects/logo.h"

float rotateTolvane = 0.0f;

void tekentolvanelogo(double dt) { rotateTolvane = (float)(rotateTolvane + dt); }

bool tolvanelogodone() { return (float)(20.0 - rotateTolvane * 20.0) < 1.5f; }
