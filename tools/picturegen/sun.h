// The logo's striped sunset disc and its glints, shared by the logo and the Windows icon.
#pragma once

#include "lettering.h"

namespace picturegen {

// The dark ink that outlines the sun and the logo's letters.
const Rgb kSunOutline = rgb8(12, 8, 34);

// A four-pointed glint centred at (cx, cy): a small bright core with thin rays along both axes.
void glint(Shaded& big, float cx, float cy, float size);

// The sun on a w x h drawing: radius r around (cx, cy), outlined `line` wide, its lower half cut
// by gaps repeating every `stripe` of the radius, and a glint at its top right.
Shaded drawSun(int w, int h, float cx, float cy, float r, float line, float stripe);

}  // namespace picturegen
