// The single-precision remainder used by the colour cycle and the scroller's wrap-around.
#include "effects/floatmod.h"

#include <math.h>

float floatmod(float a, float b) {
  // The integer part must fit an int; beyond that every float is a whole number already and
  // the exact remainder gives the same result (NaN or huge negative values fall out as 0).
  if (!(a > -2147483648.0f && a < 2147483648.0f)) {
    if (!(a > 0.0f)) return 0.0f;
    return (float)fmod((double)a, (double)b);
  }
  int n = (int)a;
  int q = (int)((double)n / (double)b);
  float r = (float)((double)a - (double)q * (double)b);
  if (r < 0.0f) r = 0.0f;
  if (r >= b) r = (float)((double)b - 1e-10);
  return r;
}
