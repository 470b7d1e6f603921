// The desktop picture: stands still, then is tossed up and falls away.
#pragma once

extern float rotateAtariScreen;

void tekenatariscreen(float t);
