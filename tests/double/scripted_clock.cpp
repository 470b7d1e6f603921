// The scripted performance counter: QueryPerformanceCounter reads a number the caller advances.
#include "tests/double/scripted_clock.h"

#include <math.h>

#include "platform/system.h"

static long long counter = 0;

namespace fake {
void advanceClock(double seconds) { counter += llround(seconds * CLOCK_FREQUENCY); }
long long clockNow() { return counter; }
void resetClock() { counter = 0; }
}  // namespace fake

BOOL QueryPerformanceFrequency(LARGE_INTEGER* frequency) {
  frequency->QuadPart = fake::CLOCK_FREQUENCY;
  return TRUE;
}

BOOL QueryPerformanceCounter(LARGE_INTEGER* count) {
  count->QuadPart = counter;
  return TRUE;
}
