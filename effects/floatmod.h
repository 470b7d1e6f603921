// The single-precision remainder used by the colour cycle and the scroller's wrap-around.
#pragma once

// The remainder of a by b, clamped into [0, b). Meant for a >= 0 and a whole-number b >= 1;
// any negative a gives 0.
float floatmod(float a, float b);
