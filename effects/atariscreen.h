// The desktop picture: stands still, then is tossed up and falls away.
#pragma once

extern float rotateAtariScreen;

// Past this motion time the picture lies beyond the far plane for good.
#define ATARISCREENGONE 30.0f

void tekenatariscreen(float t);
