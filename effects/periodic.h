// Time accumulators that repeat: kept within a period of their start, reduced in double
// precision before they are rounded to a float, so a frame's step never rounds away.
#pragma once

#include <math.h>

// The period of a sine, in radians.
const double TWOPI = 6.283185307179586;

// value reduced by whole periods into [from, from + period) once it reaches from + period.
inline float keepperiodic(double value, double period, double from = 0.0) {
  if (value >= from + period) value = from + fmod(value - from, period);
  return (float)value;
}
