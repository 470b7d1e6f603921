// Globals of start-up: the display's size and colour depth.
#pragma once

extern int lPixelWidth;
extern int lPixelHeight;
extern int lPixelColorDepth;
