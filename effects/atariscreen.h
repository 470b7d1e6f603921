// The desktop picture: stands still, then is tossed up and falls away.
#pragma once

extern float rotateAtariScreen;

// t: a time step in seconds (0 holds the picture still), not a time. Binds slot 6
// (TEXTURE_DESKTOP), blends by alpha; leaves the identity model-view matrix, white colour.
void tekenatariscreen(float t);
